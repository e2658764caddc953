#pragma once
// What every printout of the program shares: the document as a list of (text, kind) lines with
// the layout it asks of the print library, the employer's identity it prints, the page footer,
// the barcode payload, the convention lines, and the one function that hands a document to the
// library and opens its preview. Composing a document never touches a printer, so the lines can
// be checked on their own; showing it is the only step that needs one.

#include "platform/Clock.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

class CListaUnica;
class MorPrint;

namespace tiparire {

enum Tip : int { Antet = 1, Subsol = 2, Corp = 3 };

struct Linie {
    QString strText;
    int iTip = Corp;
    bool bBareCode = false; // written with QWriteBarCode
};

struct Document {
    uint16_t iFont = 12;
    uint16_t iFlags = 14;
    uint16_t iLatime = 0; // characters per line
    std::vector<Linie> linii;

    void Add(const QString& strText, int iTip) { linii.push_back({strText, iTip, false}); }
    void Add(const std::string& strText, int iTip) { Add(QString::fromStdString(strText), iTip); }
    void Add(const char* szText, int iTip) { Add(QString::fromUtf8(szText), iTip); }
    template <class T> void Corp(const T& text) { Add(text, tiparire::Corp); }
    template <class T> void Antet(const T& text) { Add(text, tiparire::Antet); }
    // Several body lines in order.
    void Corp(std::initializer_list<const char*> texte);
    // A rule of n hyphens, after one blank when bBlank, followed by "|" when bBara.
    void Regula(int n, bool bBlank = true, bool bBara = false);
};

// The default employer as the printouts show it; an absent detail is empty.
struct Angajator {
    std::string strCIF, strNume, strCodJudet, strJudet;
    std::string strAdresa, strCAEN, strCodPostal, strIBAN, strTelefon, strEmail;
    int iCodUnic = 0; // settlement code of the month on screen, 0 without one
};

// Reads the default employer, its details and county name, and the month's settlement code.
Angajator CitesteAngajator();

// The county code "21" (ignoring letter case) has the wide layouts and the numbered labels.
bool EsteJudet21(const std::string& strCodJudet);

// printf on the Windows-1250 bytes of the texts, so every letter counts as one character in a
// field width, as on the printed page. Text arguments: QString, std::string or const char*.
QString FormatV(const char* szFormat, ...);
namespace detail {
struct Texte {
    std::vector<QByteArray> v;
    Texte() { v.reserve(16); }
    const char* operator()(const QString& s);
    const char* operator()(const std::string& s) { return (*this)(QString::fromStdString(s)); }
    const char* operator()(const char* s) { return (*this)(QString::fromUtf8(s)); }
    int operator()(int i) { return i; }
    double operator()(double f) { return f; }
};
} // namespace detail
template <class... A> QString Format(const char* szFormat, const A&... args) {
    detail::Texte t;
    return FormatV(szFormat, t(args)...);
}

// A text taken from the data, as the page must show it: the print library reads "%d" (and its
// forms such as "% d") as the page number and "%%" as one "%", so every "%" is doubled. Applied
// after a line is formatted, so field widths count the letters shown.
QString Literal(QString strText);

// The annexes' page footer: the page number, the settlement code centred, today's date right.
QString SubsolAnexa(int iCodUnic, const platform::DateTime& azi);

// The payload of the extracts' barcode: county code, CIF, year, month and settlement code.
QString BareCodePayload(const std::string& strCodJudet, const std::string& strCIF, int iAn,
                        int iLuna, int iCodUnic);

// One "Conventia nr. DOC_NR/DOC_DATA" body line per number of the list, in order.
void LiniiConventii(Document& doc, const CListaUnica& lista);

// Gives the document to the print library and opens its preview: false, with the printer
// message, when the library finds no usable printer.
bool Afiseaza(const Document& doc);

// What happens to a filled document instead of the preview (tests: read its pages or save it);
// an empty hook restores the preview.
using PreviewHook = std::function<void(MorPrint& doc)>;
void SetPreviewHook(PreviewHook hook);

} // namespace tiparire
