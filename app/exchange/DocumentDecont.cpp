#include "exchange/DocumentDecont.h"

#include "core/ValueFunctions.h"
#include "exchange/Windows1250.h"

#include <cstdio>

std::string GridTexts::At(int r, int c) const {
    if (r < 0 || c < 0 || r >= static_cast<int>(cells.size()))
        return {};
    const auto& row = cells[static_cast<std::size_t>(r)];
    return c < static_cast<int>(row.size()) ? row[static_cast<std::size_t>(c)] : std::string();
}

namespace {

std::string Format(const char* fmt, double f) {
    char sz[64];
    std::snprintf(sz, sizeof sz, fmt, f);
    return sz;
}

std::string EscapeAttribute(const std::string& s) {
    std::string out;
    out.reserve(s.size());
    for (char c : s) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&apos;";
            break;
        // A reader turns raw line breaks and tabs inside an attribute into blanks.
        case '\n':
            out += "&#10;";
            break;
        case '\r':
            out += "&#13;";
            break;
        case '\t':
            out += "&#9;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// Writes the document element by element, converting every value to Windows-1250 as it goes
// so that a character that has no place there is reported with its person and field.
class Writer {
public:
    bool ok() const { return m_strError.empty(); }
    const std::string& error() const { return m_strError; }
    std::string& text() { return m_out; }

    // The person the following attributes belong to, for the error message.
    void Person(const std::string& strCNP, const std::string& strNume) {
        m_strCNP = strCNP;
        m_strNume = strNume;
    }
    void Open(const char* name) { m_out += std::string("<") + name; }
    void Attr(const std::string& name, const std::string& value) {
        if (!ok())
            return;
        std::string bytes, bad;
        if (!Utf8ToWindows1250(EscapeAttribute(value), bytes, bad)) {
            m_strError = "Caracterul \"" + bad + "\" din campul " + name +
                         (m_strCNP.empty() && m_strNume.empty()
                              ? std::string()
                              : " al persoanei " + m_strNume + " (CNP " + m_strCNP + ")") +
                         " nu poate fi scris in fisierul de export (codificarea Windows-1250).\n"
                         "Va rugam sa corectati datele inainte de export.";
            return;
        }
        m_out += " " + name + "=\"" + bytes + "\"";
    }
    void EndEmpty() { m_out += "/>\r\n"; }
    void EndOpen() { m_out += ">\r\n"; }
    void Close(const char* name) { m_out += std::string("</") + name + ">\r\n"; }

private:
    std::string m_out, m_strError, m_strCNP, m_strNume;
};

// CNP_LUNG, CNP_CORECT, NUME of row r, then ID_MA and ID_PERS when the person is known.
void PersonAttrs(Writer& w, const DateDecont& d, const GridTexts& g, int r) {
    const std::string cnp = g.At(r, 1);
    w.Person(cnp, g.At(r, 3));
    w.Attr("CNP_LUNG", cnp);
    w.Attr("CNP_CORECT", g.At(r, 2));
    w.Attr("NUME", g.At(r, 3));
    std::string idMa, idPers;
    if (!cnp.empty() && d.findPerson && d.findPerson(cnp, idMa, idPers)) {
        w.Attr("ID_MA", idMa);
        w.Attr("ID_PERS", idPers);
    }
}

struct Column {
    const char* name;
    int col;
};

void PersonRow(Writer& w, const DateDecont& d, const GridTexts& g, int r, const char* element,
               const std::vector<Column>& cols) {
    w.Open(element);
    PersonAttrs(w, d, g, r);
    for (const Column& c : cols)
        w.Attr(c.name, g.At(r, c.col));
    w.EndEmpty();
}

void Pontaj(Writer& w, const DateDecont& d) {
    const GridTexts& g = d.pontaj;
    if (g.R <= 0)
        return;
    // Rows 0 and 1 are the timesheet's two header rows.
    if (g.R < 2) {
        w.Open("pontaj");
        w.EndEmpty();
        return;
    }
    w.Open("pontaj");
    w.EndOpen();
    const int iZile = core::DaysInMonth(d.iAn, d.iLuna);
    const int C = g.C;
    for (int r = 2; r <= g.R; ++r) {
        w.Open("persoanaPontaj");
        PersonAttrs(w, d, g, r);
        for (int z = 1; z <= iZile; ++z) {
            std::string v = g.At(r, z + 3);
            if (v == "X" || v == "x")
                v.assign(1, '0');
            w.Attr(std::string(1, 'Z').append(std::to_string(z)), v);
        }
        w.Attr("OREMAXPERIOADA", g.At(r, C - 5));
        w.Attr("NRORENORMA", g.At(r, C - 4));
        w.Attr("NRORELUCRATEINCONVENTIE", g.At(r, C - 3));
        w.Attr("NRORECBFS", g.At(r, C - 2));
        w.Attr("NRORECASS", g.At(r, C - 1));
        w.Attr("NOEL", g.At(r, C));
        w.EndEmpty();
    }
    w.Close("pontaj");
}

void Stat(Writer& w, const DateDecont& d) {
    const GridTexts& g = d.stat;
    if (g.R <= 0)
        return;
    w.Open("statdeplata");
    w.EndOpen();
    for (int r = 1; r <= g.R; ++r)
        PersonRow(w, d, g, r, "persoanaStatDePlata",
                  {{"NOEL", 4},
                   {"NOPAC", 5},
                   {"VENITBRUTNOEL", 6},
                   {"VENITBRUT", 7},
                   {"venitBrutCBFS", 8}});
    w.Close("statdeplata");
}

// Art. 80 and Art. 85: the last three rows are the totals, written as the element's attributes.
void TabelCuTotaluri(Writer& w, const DateDecont& d, const GridTexts& g, const char* element,
                     const std::string& prefix, const char* child) {
    if (g.R <= 0)
        return;
    const int R = g.R;
    w.Person("", "");
    w.Open(element);
    w.Attr(prefix + "T1", g.At(R - 2, 6));
    w.Attr(prefix + "T2", g.At(R - 2, 7));
    w.Attr(prefix + "SCUTIRE", g.At(R - 1, 7));
    w.Attr(prefix + "T3", g.At(R, 7));
    if (R <= 3) {
        w.EndEmpty();
        return;
    }
    w.EndOpen();
    for (int r = 1; r <= R - 3; ++r)
        PersonRow(w, d, g, r, child,
                  {{"CATEGORIE", 4},
                   {"NOPAC", 5},
                   {"SUMACONVENTIE", 6},
                   {"SUMEPLATITE", 7},
                   {"OBS", 8},
                   {"TASCA", 10}});
    w.Close(element);
}

void Legea116(Writer& w, const DateDecont& d) {
    if (d.l116.R <= 0 && d.art934.R <= 0)
        return;
    w.Open("tabellegea116");
    w.EndOpen();
    const std::vector<Column> cols = {
        {"CATEGORIE", 4}, {"BC", 5}, {"NOPAC", 6}, {"SUMACONVENTIE", 7}, {"OBS", 8}};
    // Law 116 persons first, then those of Art. 93^4 (its total row included).
    for (const GridTexts* g : {&d.l116, &d.art934})
        for (int r = 1; r <= g->R; ++r)
            PersonRow(w, d, *g, r, "persoanaLegea116", cols);
    w.Close("tabellegea116");
}

void Legea72(Writer& w, const DateDecont& d) {
    const GridTexts& g = d.l72;
    if (g.R <= 0)
        return;
    w.Open("tabellegea72");
    w.EndOpen();
    for (int r = 1; r <= g.R; ++r)
        PersonRow(w, d, g, r, "persoanaLegea72",
                  {{"CATEGORIE", 4},
                   {"TIPCM", 5},
                   {"NOPAC", 6},
                   {"SUMACUVENITA", 7},
                   {"NZL", 8},
                   {"OBS", 9}});
    w.Close("tabellegea72");
}

} // namespace

bool BuildDocumentDecont(const DateDecont& d, std::string& strDocument, std::string& strError) {
    Writer w;
    w.text() = "<?xml version=\"1.0\"?>\r\n";
    w.Open("exportVortApl");
    w.Attr("CIF", d.strCIF);
    w.Attr("DEN", d.strDEN);
    w.Attr("LUNA", std::to_string(d.iLuna));
    w.Attr("ANUL", std::to_string(d.iAn));
    w.Attr("FS", Format("%.0f", d.fFS));
    w.Attr("TCAD", Format("%.0f", d.fTCAD));
    char szCod[32];
    std::snprintf(szCod, sizeof szCod, "%9d", d.iCodUnic);
    w.Attr("COD_UNIC", szCod);
    for (const auto& [name, value] : d.proprietati)
        w.Attr(name, value);
    const char* sub[] = {"SUB80", "SUB80144", "SUB85", "SUB85144", "SUB116", "SUB172"};
    for (int r = 1; r <= 6; ++r) {
        w.Attr(std::string(sub[r - 1]) + "REC", d.sumar.At(r, 2));
        w.Attr(std::string(sub[r - 1]) + "RES", d.sumar.At(r, 3));
    }
    w.EndOpen();
    Pontaj(w, d);
    Stat(w, d);
    TabelCuTotaluri(w, d, d.art80, "tabelart80", "ART80", "persoanaArt80");
    TabelCuTotaluri(w, d, d.art85, "tabelart85", "ART85", "persoanaArt85");
    Legea116(w, d);
    Legea72(w, d);
    w.Person("", "");
    w.Open("constantedesistem");
    w.Attr("SMB", Format("%.0f", d.fSMB));
    w.Attr("SMN", Format("%.0f", d.fSMN));
    w.Attr("ISR", Format("%.0f", d.fISR));
    w.Attr("PROC_ANGAJATOR", Format("%.2f", d.fProcAngajator));
    w.Attr("ZILELUC", Format("%.0f", d.fZileLuc));
    w.EndEmpty();
    w.Close("exportVortApl");
    if (!w.ok()) {
        strError = w.error();
        strDocument.clear();
        return false;
    }
    strError.clear();
    strDocument = std::move(w.text());
    return true;
}

std::string NumeDocumentDecont(int iAn, int iLuna, const std::string& strCIF,
                               const std::string& strCodJudet, int iYear, int iMonth, int iDay,
                               int iHour, int iMinute, int iSecond) {
    char sz[512];
    std::snprintf(sz, sizeof sz, "%d-%02d-%s-%s-%4d%02d%02d%02d%02d%02d.xml", iAn, iLuna,
                  strCIF.c_str(), strCodJudet.c_str(), iYear, iMonth, iDay, iHour, iMinute,
                  iSecond);
    return sz;
}
