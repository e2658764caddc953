#include "entry/Tiparire.h"

#include "core/Lists.h"
#include "core/Queries.h"
#include "core/VORTAPLApp.h"
#include "pagero/MorPrint.h"
#include "platform/MessageBox.h"

#include <QMargins>

#include <cstdarg>
#include <cstdio>

namespace tiparire {

namespace {
PreviewHook& Hook() {
    static PreviewHook hook;
    return hook;
}
std::string Detaliu(const char* szProp) {
    std::string strVal;
    if (!GetDetaliuAgentImplicit(szProp, strVal))
        strVal.clear();
    return strVal;
}
} // namespace

void Document::Corp(std::initializer_list<const char*> texte) {
    for (const char* sz : texte)
        Add(sz, tiparire::Corp);
}

void Document::Regula(int n, bool bBlank, bool bBara) {
    QString s = bBlank ? QStringLiteral(" ") : QString();
    s += QString(n, QLatin1Char('-'));
    if (bBara)
        s += QLatin1Char('|');
    Add(s, tiparire::Corp);
}

Angajator CitesteAngajator() {
    Angajator a;
    if (!GetDateAgentImplicit(a.strCIF, a.strNume, a.strCodJudet))
        a = Angajator();
    a.strJudet = theApp().m_judete.GetNumeJudet(a.strCodJudet);
    a.strAdresa = Detaliu("ADRESA");
    a.strCAEN = Detaliu("CAEN");
    a.strCodPostal = Detaliu("COD_POSTAL");
    a.strIBAN = Detaliu("IBAN");
    a.strTelefon = Detaliu("TELEFON");
    a.strEmail = Detaliu("EMAIL");
    a.iCodUnic = theApp().m_totaluri.COD_UNIC;
    return a;
}

bool EsteJudet21(const std::string& strCodJudet) {
    return core::EqualsNoCase(strCodJudet, "21");
}

const char* detail::Texte::operator()(const QString& s) {
    v.push_back(MorPrint::ToAnsi(s));
    return v.back().constData();
}

QString FormatV(const char* szFormat, ...) {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    va_list ap;
    va_start(ap, szFormat);
    va_list ap2;
    va_copy(ap2, ap);
    const int n = std::vsnprintf(nullptr, 0, szFormat, ap);
    QByteArray out(n > 0 ? n : 0, '\0');
    if (n > 0)
        std::vsnprintf(out.data(), size_t(n) + 1, szFormat, ap2);
    va_end(ap2);
    va_end(ap);
#pragma GCC diagnostic pop
    return MorPrint::FromAnsi(out);
}

QString Literal(QString strText) {
    return strText.replace(QLatin1Char('%'), QStringLiteral("%%"));
}

QString SubsolAnexa(int iCodUnic, const platform::DateTime& azi) {
    return QStringLiteral("Pagina: %d ") + Format("@@C: VORTAPL: %d @@R: Data: %02d-%02d-%d",
                                                  iCodUnic, azi.day, azi.month, azi.year);
}

QString BareCodePayload(const std::string& strCodJudet, const std::string& strCIF, int iAn,
                        int iLuna, int iCodUnic) {
    return Format("%s^%s^%d^%d^%d", strCodJudet, strCIF, iAn, iLuna, iCodUnic);
}

void LiniiConventii(Document& doc, const CListaUnica& lista) {
    for (int i = 0; i < lista.GetCount(); ++i) {
        std::string strNr, strData;
        if (!GetDocumentConventie(lista.At(i), strNr, strData))
            strNr.clear(), strData.clear();
        doc.Corp(Literal(QString::fromStdString("Conventia nr. " + strNr + "/" + strData)));
    }
}

bool Afiseaza(const Document& doc) {
    MorPrint print;
    if (!print.Init(QStringLiteral("LISTE"), doc.iFont, doc.iFlags, doc.iLatime)) {
        platform::ShowMessage("Verificati conexiunea cu imprimanta !!!", "VORTAPL",
                              platform::Icon::Error);
        return false;
    }
    print.SetUserMargins(QMargins(5, 5, 5, 5));
    for (const Linie& l : doc.linii) {
        if (l.bBareCode)
            print.QWriteBarCode(l.strText, l.iTip);
        else
            print.QWriteLn(l.strText, l.iTip);
    }
    if (Hook())
        Hook()(print);
    else
        print.Preview(1);
    print.Uninit();
    return true;
}

void SetPreviewHook(PreviewHook hook) {
    Hook() = std::move(hook);
}

} // namespace tiparire
