#include "entry/Extrase.h"

#include "core/Queries.h"
#include "entry/PontajDlg.h"
#include "entry/PontajGrid.h"
#include "entry/StatDePlataDlg.h"
#include "entry/SubventiiDlg.h"
#include "widgets/XSimGrid.h"

namespace extrase {

using tiparire::Angajator;
using tiparire::Document;
using tiparire::Format;

namespace {

// An employer's detail as the page shows it.
QString Date(const std::string& s) {
    return tiparire::Literal(QString::fromStdString(s));
}

// The identity frame of the three extracts, up to the empty line before the table.
void Cadru(Document& doc, C_BareCodeCtrl& bareCode, const Angajator& a, int iAn, int iLuna,
           const platform::DateTime& azi, const char* szSubsol, const char* szTitlu,
           bool bCodUnicInCorp) {
    bareCode.SetText(tiparire::BareCodePayload(a.strCodJudet, a.strCIF, iAn, iLuna, a.iCodUnic));
    doc.linii.push_back({bareCode.GetText(), tiparire::Antet, true});
    doc.Antet(Format(" @@R: VORTAPL: %d", a.iCodUnic));
    doc.Add(QStringLiteral("Pagina: %d ") + Format(szSubsol, azi.day, azi.month, azi.year),
            tiparire::Subsol);
    doc.Corp({"", "", ""});
    if (bCodUnicInCorp)
        doc.Corp(Format("%d", a.iCodUnic));
    doc.Corp("Judetul: " + Date(a.strJudet));
    doc.Corp("Cod Fiscal: " + Date(a.strCIF) + szTitlu);
    doc.Corp("Angajator: " + Date(a.strNume) + Format(" @@C: Luna %d Anul %d", iLuna, iAn));
    doc.Corp("Sediu/Adresa: " + Date(a.strAdresa));
    doc.Corp("Cont Banca: " + Date(a.strIBAN));
    doc.Corp("Telefon: " + Date(a.strTelefon));
    doc.Corp("");
}

QString Cell(const CXSimGrid& g, int r, int c) {
    return g.GetCellText(r, c);
}

} // namespace

Document ComposePontaj(CPontajDlg& dlg, const Angajator& a, const platform::DateTime& azi) {
    Document doc;
    doc.iFont = 12;
    doc.iFlags = 15;
    doc.iLatime = 136;
    const LunaLucru& luna = dlg.Luna();
    Cadru(doc, dlg.BareCode(), a, luna.iAn, luna.iLuna, azi,
          "@@C: EXTRAS DIN PONTAJ @@R: Data: %02d-%02d-%d", " @@C:EXTRAS DIN PONTAJ ", false);
    const int D = luna.iZile;
    doc.Regula(134);
    doc.Corp(
        {"|   |               |                              |           Zile in perioada "
         "conventiei         | Max |     | ORE |     |     |     |",
         "| Nr|  Cod Numeric  |    Numele si prenumele       |-------------------------------"
         "----------------|  pe |NORMA|  IN | ORE | ORE | NOL |",
         "|crt|   Personal    |                              | 1| 2| 3| 4| 5| 6| 7| 8| 9|10|11|"
         "12|13|14|15|16| per |     | CONV| CBFS| CASS|     |",
         "|   |               |                              |17|18|19|20|21|22|23|24|25|26|27|"
         "28|29|30|   31| conv|     |     |     |     |     |"});
    doc.Regula(134);
    const CXSimGrid& g = *dlg.Grid();
    for (int r = pontaj::kPrimulRand; r <= g.GetRowCount(); ++r) {
        QString s = Format("|%3s| %13s |%-30s|", Cell(g, r, 0), Cell(g, r, pontaj::ColCnp),
                           Cell(g, r, pontaj::ColNume));
        for (int zi = 1; zi <= 16 && zi <= D; ++zi)
            s += Format("%2s|", Cell(g, r, pontaj::ColZi(zi)));
        for (int c = pontaj::ColMax(D); c <= pontaj::ColNol(D); ++c)
            s += Format("%5s|", Cell(g, r, c));
        doc.Corp(tiparire::Literal(s));
        s = Format("|%50s|", " ");
        for (int zi = 17; zi <= D; ++zi)
            s += Format("%2s|", Cell(g, r, pontaj::ColZi(zi)));
        for (int k = D - 16; k < 16; ++k)
            s += QStringLiteral("  |");
        s += Format("%35s|", " ");
        doc.Corp(tiparire::Literal(s));
        doc.Regula(134);
    }
    doc.Corp({" ", "Reprezentant Legal angajator, @@R: Semnatura", " ", " ", " ",
              "Intocmit de, @@R: ----------------------", " ", " ", "Legenda",
              " X: Sambata/Duminica sau sarbatoare legala",
              " 0: Absent nemotivat sau nu este in perioada conventiei", "-1: Concediu de odihna",
              "-2: Concediu medical platit din FS", "-3: Concediu medical platit din CASS",
              "-4: Zile libere"});
    return doc;
}

Document ComposeStatDePlata(CStatDePlataDlg& dlg, const Angajator& a,
                            const platform::DateTime& azi) {
    Document doc;
    doc.iFont = 10;
    doc.iFlags = 14;
    doc.iLatime = 125;
    Cadru(doc, dlg.BareCode(), a, dlg.An(), dlg.Luna(), azi,
          "@@C: EXTRAS DIN STATUL DE PLATA @@R: Data: %02d-%02d-%d",
          " @@C:EXTRAS DIN STATUL DE PLATA", true);
    doc.Regula(123);
    doc.Corp(
        {"|    |               |                              |Numar de |Numar de ore | Venit  "
         "|Venit brut |Venit brut   |            |",
         "| Nr.|  Cod Numeric  |    Numele si prenumele       |ore total|in perioada  |  brut  "
         "| aferent   |aferent CBFS | Observatii |",
         "|crt.|   Personal    |                              | lucrate |de acordare  |aferent "
         "| perioadei | in perioada |            |",
         "|    |               |                              |  (NOL)  |a conventiei |  NOL   "
         "| conventiei|  conventiei |            |"});
    doc.Regula(123);
    const CXSimGrid& g = *dlg.Grid();
    for (int r = 1; r <= g.GetRowCount(); ++r) {
        doc.Corp(tiparire::Literal(
            Format("|%4s| %13s |%-30s|   %-4s  |    %-5s    | %7s| %9s | %11s | %10s |",
                   Cell(g, r, 0), Cell(g, r, 2), Cell(g, r, 3), Cell(g, r, 4), Cell(g, r, 5),
                   Cell(g, r, 6), Cell(g, r, 7), Cell(g, r, 8), Cell(g, r, 9))));
        doc.Regula(123);
    }
    doc.Corp({" ", " ", " ", "Reprezentant Legal angajator, @@R: Semnatura", " ", " ", " ",
              "Intocmit de, @@R: ----------------------", " ", " "});
    return doc;
}

namespace {

// One block of the summary: the line above the amounts, the amounts' label, the line below
// (plain and numbered forms where they differ).
struct BlocCentralizator {
    const char* szSus;
    const char* szSusNumerotat;
    const char* szSume;
    const char* szSumeNumerotat;
    const char* szJos;
};

const char* const kCeluleGoale = "                 |                 |";

const BlocCentralizator kBlocuri[6] = {
    {"| Subventii conform Articolul 80 din Legea nr.     |",
     "| C5.1.Subventii conform Articolul 80 din Legea nr.|",
     "| 76/2002, cu modificarile si completarile         |", nullptr,
     "| ulterioare.                                      |"},
    {"|Scutire de la plata contributiei datorate de      |",
     "|C5.2.Scutire de la plata contributiei datorate de |",
     "|angajator, conform Art. 80 din Legea nr 76/2002   |", nullptr,
     "|cu modificarile si completarile ulterioare.       |"},
    {"| Subventii conform Articolul 85 din Legea nr.     |",
     "| C5.3.Subventii conform Articolul 85 din Legea nr.|",
     "| 76/2002, cu modificarile si completarile         |", nullptr,
     "| ulterioare.                                      |"},
    {"|Scutire de la plata contributiei datorate de      |",
     "|C5.4.Scutire de la plata contributiei datorate de |",
     "|angajator, conf. Art.85 alin(1) din Legea nr      |", nullptr,
     "|76/2002 cu modificarile si completarile ulterioare|"},
    {"|Subventii in baza Legii nr. 116/2002 si a         |",
     "|C5.6.Subventii in baza Legii nr. 116/2002 si a    |",
     "|Normelor metodologice aprobate prin Hotararea de  |", nullptr,
     "|Guvern nr. 1.149/2002.                            |"},
    {nullptr, nullptr, "|Subventii conform Art. 1 din Legea nr. 72/2007    |",
     "|C5.10.Subventii conform Art.1 din Legea nr.72/2007|", nullptr},
};

} // namespace

Document ComposeCentralizator(CSubventiiDlg& dlg, const Angajator& a, const platform::DateTime& azi,
                              bool bNewMA) {
    Document doc;
    doc.iFont = 12;
    doc.iFlags = 14;
    doc.iLatime = 95;
    Cadru(doc, dlg.BareCode(), a, dlg.m_iAN, dlg.m_iLN, azi,
          "@@C: CENTRALIZATOR SUBVENTII @@R: Data: %02d-%02d-%d", " @@C:CENTRALIZATOR SUBVENTII ",
          false);
    const bool bNumerotat = tiparire::EsteJudet21(a.strCodJudet);
    doc.Regula(86);
    doc.Corp(
        {"|                                                  | Recuperata prin |  De restituit   |",
         "| Subventii si scutiri                             |  deducerea din  |  de la bugetul  |",
         "|                                                  |   contributia   | asigurarilor    |",
         "|                                                  |    datorata     |    de somaj     "
         "|"});
    doc.Regula(86);
    const CXSimGrid& g = *dlg.Grid();
    for (int r = 1; r <= 6; ++r) {
        const BlocCentralizator& b = kBlocuri[r - 1];
        const char* szSus = bNumerotat ? b.szSusNumerotat : b.szSus;
        if (bNumerotat && r == 5 && bNewMA)
            szSus = "|C5.6.Subventii art. 93^4 din Legea 76/2002 si a   |";
        if (szSus)
            doc.Corp(QString::fromUtf8(szSus) + QString::fromUtf8(kCeluleGoale));
        const char* szSume = bNumerotat && b.szSumeNumerotat ? b.szSumeNumerotat : b.szSume;
        doc.Corp(QString::fromUtf8(szSume) +
                 tiparire::Literal(Format("%17s|%17s|", Cell(g, r, 2), Cell(g, r, 3))));
        if (b.szJos)
            doc.Corp(QString::fromUtf8(b.szJos) + QString::fromUtf8(kCeluleGoale));
        doc.Regula(86);
    }
    doc.Corp({" ", " ", "Reprezentant Legal angajator, @@R: Semnatura", " ", " ",
              "Intocmit de, @@R: ----------------------"});
    return doc;
}

bool PrintPontaj(CPontajDlg& dlg) {
    return tiparire::Afiseaza(ComposePontaj(dlg, tiparire::CitesteAngajator(), platform::Now()));
}

bool PrintStatDePlata(CStatDePlataDlg& dlg) {
    return tiparire::Afiseaza(
        ComposeStatDePlata(dlg, tiparire::CitesteAngajator(), platform::Now()));
}

bool PrintCentralizator(CSubventiiDlg& dlg) {
    const Angajator a = tiparire::CitesteAngajator();
    int iNewMA = 0;
    if (!GetNewMA(a.strCIF, dlg.m_iAN, dlg.m_iLN, iNewMA))
        iNewMA = 0;
    return tiparire::Afiseaza(ComposeCentralizator(dlg, a, platform::Now(), iNewMA == 1));
}

} // namespace extrase
