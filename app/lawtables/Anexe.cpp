#include "lawtables/Anexe.h"

#include "core/Lists.h"
#include "core/VORTAPLApp.h"
#include "lawtables/AnexeTexte.h"
#include "lawtables/LawTablePage.h"
#include "platform/MessageBox.h"
#include "widgets/XSimGrid.h"

namespace anexe {

using tiparire::Angajator;
using tiparire::Document;
using tiparire::Format;

namespace {

using tiparire::Literal;

// An employer's detail as the page shows it.
QString Date(const std::string& s) {
    return Literal(QString::fromStdString(s));
}

bool Completat(const QString& s) {
    return !s.isEmpty() && s != QLatin1String("0");
}

void Note(Document& doc, const std::vector<const char*>& note) {
    for (const char* sz : note)
        doc.Corp(Literal(QString::fromUtf8(sz)));
}

// The table head: a rule, four head lines, a rule ending in "|", the column numbers, a rule.
void Cap(Document& doc, int iRegula, const std::vector<const char*>& cap,
         const char* szCap2 = nullptr, const char* szCap3 = nullptr) {
    doc.Regula(iRegula);
    doc.Corp(cap[0]);
    doc.Corp(szCap2 ? szCap2 : cap[1]);
    doc.Corp(szCap3 ? szCap3 : cap[2]);
    doc.Corp(cap[3]);
    doc.Regula(iRegula, true, true);
    doc.Corp(cap[4]);
    doc.Regula(iRegula);
}

// The grid as the annex reads it: person rows 1..P, then the table's total rows when present.
struct Tabel {
    CLawTablePage& page;
    const CXSimGrid& g;
    int iPersoane;
    int iTotaluri;

    explicit Tabel(CLawTablePage& p)
        : page(p), g(*p.Grid()), iPersoane(p.PersonCount()),
          iTotaluri(p.Grid()->GetRowCount() - p.PersonCount()) {}
    QString Cell(int r, int c) const { return g.GetCellText(r, c); }
    // Total row k (1 = first) of the table; empty when the table has no such row.
    QString Total(int k, int c) const {
        return k <= iTotaluri ? Cell(iPersoane + k, c) : QString();
    }
    __tagDATECONVENTIIANGAJATOR* Record(int r) const { return page.Record(r); }
};

// The convention list of the tables whose persons come from the cache: the ID_MA of every
// record with a gross income for the convention period.
void ListaDinCache(const Tabel& t, CListaUnica& lista) {
    for (int r = 1; r <= t.iPersoane; ++r)
        if (const auto* p = t.Record(r))
            if (Completat(QString::fromStdString((*p)[slot::VENIT_BRUT_IN_CONVENTIE])))
                lista.Add((*p)[slot::ID_MA]);
}

// The convention list of the tables with a base amount: column 9 of the rows that have one.
void ListaDinTabel(const Tabel& t, CListaUnica& lista) {
    for (int r = 1; r <= t.iPersoane; ++r)
        if (Completat(t.g.GetCellText(r, 5)))
            lista.Add(t.g.GetCellText(r, 9).toStdString());
}

// What every annex prints between the employer's identity and its table head: the footer of
// each page, the nominal-table titles, the month, one line per convention, two blank lines.
void Deschidere(Document& doc, const Angajator& a, const platform::DateTime& azi,
                std::initializer_list<const char*> titluri, const QString& strLuna,
                const CListaUnica& lista) {
    doc.Add(tiparire::SubsolAnexa(a.iCodUnic, azi), tiparire::Subsol);
    doc.Corp("");
    doc.Corp("@@C: TABEL NOMINAL");
    doc.Corp(titluri);
    doc.Corp(strLuna);
    tiparire::LiniiConventii(doc, lista);
    doc.Corp({"", ""});
}

// Art. 80 and Art. 85: the same frame, rows, widths and cells, worded for each article.
struct Scutire {
    const char* szAnexaLat;
    const char* szTitlu;
    const char* szCap2Lat;
    const char* szCap3Lat;
    const char* szScutireLat[4];
    const char* szTotalLat;
    const std::vector<const char*>& noteLat;
    const char* szAnexaIngust2;
    const char* szAnexaIngust3;
    const char* szCap3Ingust;
    const char* szScutireIngust[5];
    const char* szTotalIngust;
    const std::vector<const char*>& noteIngust;
};

const Scutire kArt80 = {
    "Anexa nr. 16 la Normele metodologice",
    "@@C: cu absolventii institutiilor de invatamant incadrati in munca, conform prevederilor "
    "art. 80 din Legea nr 76/2002",
    nullptr,
    nullptr,
    {"Suma reprezentand scutirea de la plata contributiei datorate de angajator la bugetul "
     "asigurarilor pentru",
     "somaj aferenta absolventilor incadrati in conditiile art. 80 din Legea 76/2002 privind "
     "sistemul asigura-",
     "rilor pentru somaj si stimularea ocuparii fortei de munca, cu modificarile si completarile "
     "ulterioare",
     " (<cota contributie angajator> %% X Total B1)"},
    "TOTAL SUME CUVENITE potrivit art. 80 din Legea 76/2002, cu modificarile si completarile "
    "ulterioare",
    texte::kNote80Lat,
    "@@R: Anexa nr.16 la Normele metodologice",
    " @@R: de aplicare a Legii nr 76/2002",
    nullptr,
    {"Suma reprezentand scutirea de la plata contributiei datorate de",
     "angajator BAS aferenta absolventilor incadrati in conditiile",
     "art. 80 din Legea nr. 76/2002 privind sistemul asigurarilor",
     "pentru somaj si stimularea fortei de munca, cu modificarile si",
     "completarile ulterioare (<cota contributie angajator> %%X Total B1)"},
    "TOTAL SUME CUVENITE potrivit art. 80 din Legea 76/2002,",
    texte::kNote80Ingust,
};

const Scutire kArt85 = {
    "Anexa nr. 20 la Normele metodologice",
    "@@C: cu persoanele incadrate in munca, conform prevederilor art. 85 din Legea nr 76/2002",
    "| Nr.|Conventia   |   Data   |    Numele si prenumele       |  Cod Numeric  |    de    | "
    "efectiv| pt timp  |  Sume    |     Obs.      |",
    "|crt.|numarul     |conventiei|                              |   Personal    |absolventi|"
    "lucrate | efectiv  |  platite |               |",
    {"Suma reprezentand scutirea de la plata contributiei datorate de angajator la bugetul "
     "asigurarilor",
     "pentru somaj aferenta absolventilor incadrati in conditiile art. 85 alin. (1) din Legea "
     "76/2002",
     "privind sistemul asigurarilor pentru somaj si stimularea ocuparii fortei de munca,",
     "cu modificarile si  completarile ulterioare (<cota contributie angajator> %% X Total B1)"},
    "TOTAL SUME CUVENITE potrivit art. 85 din Legea 76/2002, cu modificarile si completarile "
    "ulterioare",
    texte::kNote85Lat,
    "@@R: Anexa 6 (Anexa nr.20 la Normele metodologice",
    " @@R: de aplicare a Legii nr 76/2002)",
    "|crt.|                              |   Personal    |  pers.   |lucrate | efectiv  |          "
    "|    *****)     |",
    {"Suma reprezentand scutirea de la plata contributiei datorate de",
     "angajator BAS aferenta personelor prevazute la",
     "art. 85 alin (1) din Legea nr. 76/2002 privind sistemul asigurarilor",
     "pentru somaj si stimularea fortei de munca, cu modificarile si",
     "completarile ulterioare (<cota contributie angajator> %%X Total B1)"},
    "TOTAL SUME CUVENITE potrivit art. 85 din Legea 76/2002,",
    texte::kNote85Ingust,
};

const char* const kTitluri7680[] = {
    "@@C: privind sistemul asigurarilor pentru somaj si stimularea ocuparii fortei de munca,",
    "@@C: cu modificarile si completarile ulterioare, pentru stabilirea sumelor cuvenite "
    "angajatorilor",
    "@@C: din bugetul asigurarilor de somaj"};

void ComposeScutire(Anexa& x, const Tabel& t, const Scutire& s, const Angajator& a,
                    const platform::DateTime& azi, int iAn, int iLuna) {
    Document& doc = x.doc;
    const bool bLat = tiparire::EsteJudet21(a.strCodJudet);
    doc.iLatime = bLat ? 138 : 115;
    CListaUnica lista;
    ListaDinCache(t, lista);
    if (bLat) {
        doc.Antet(s.szAnexaLat);
        doc.Antet("");
        doc.Antet(" DATE DE IDENTIFICARE A ANGAJATORULUI ");
        doc.Antet("");
        doc.Antet("Angajatorul (denumirea/numele): " + Date(a.strNume) +
                  "@@R: Sediu/Adresa: " + Date(a.strAdresa));
        doc.Antet("Codul de identificare fiscala: " + Date(a.strCIF) +
                  "@@R: Contul IBAN/Banca: " + Date(a.strIBAN));
        doc.Antet("Cod CAEN: " + Date(a.strCAEN) + " @@R: Telefon/Fax:" + Date(a.strTelefon));
        doc.Antet("Judetul: " + Date(a.strJudet) +
                  "@@R: Email/Pagina de internet: " + Date(a.strEmail));
    } else {
        doc.Antet("Angajatorul (denumirea/numele): " + Date(a.strNume));
        doc.Antet("Codul de identificare fiscala: " + Date(a.strCIF) + s.szAnexaIngust2);
        doc.Antet("Cod CAEN: " + Date(a.strCAEN) + s.szAnexaIngust3);
        doc.Antet("Judetul: " + Date(a.strJudet));
        doc.Antet("Sediu/Adresa: " + Date(a.strAdresa));
        doc.Antet("Cod Postal: " + Date(a.strCodPostal));
        doc.Antet("Contul IBAN/Banca: " + Date(a.strIBAN));
        doc.Antet("Telefon/Fax: " + Date(a.strTelefon));
        doc.Antet("Email/Pagina de internet: " + Date(a.strEmail));
    }
    Deschidere(doc, a, azi, {s.szTitlu, kTitluri7680[0], kTitluri7680[1], kTitluri7680[2]},
               Format(bLat ? "@@C: Luna %d anul %d" : "@@C: Luna %d Anul %d", iLuna, iAn), lista);
    const int iRegula = bLat ? 133 : 109;
    if (bLat)
        Cap(doc, iRegula, texte::kCap80Lat, s.szCap2Lat, s.szCap3Lat);
    else
        Cap(doc, iRegula, texte::kCap80Ingust, nullptr, s.szCap3Ingust);
    for (int r = 1; r <= t.iPersoane; ++r) {
        if (!t.Record(r) || !Completat(t.g.GetCellText(r, 6)))
            continue;
        const QString nr = QString::number(++x.iPersoane);
        if (bLat) {
            doc.Corp(Literal(
                Format("|%3s |%-12s|%10s|%-30s| %13s |    %1s     |%8s|%10s|%10s|%-15s|", nr,
                       t.Cell(r, 11), t.Cell(r, 12), t.Cell(r, 3), t.Cell(r, 2), t.Cell(r, 4),
                       t.Cell(r, 5), t.Cell(r, 6), t.Cell(r, 7), t.Cell(r, 8))));
            doc.Regula(131);
        } else {
            doc.Corp(Literal(Format("|%3s |%-30s| %13s |    %1s     |%8s|%10s|%10s|%-15s|", nr,
                                    t.Cell(r, 3), t.Cell(r, 2), t.Cell(r, 4), t.Cell(r, 5),
                                    t.Cell(r, 6), t.Cell(r, 7), t.Cell(r, 8))));
            doc.Regula(109);
        }
    }
    if (bLat) {
        doc.Corp(Format("|TOTAL:%89s|A1%8s|B1%8s|%15s|", " ", t.Total(1, 6), t.Total(1, 7), " "));
        doc.Regula(133);
        doc.Corp(Format("|%-106s|%10s|%15s|", s.szScutireLat[0], " ", " "));
        doc.Corp(Format("|%-106s|%10s|%15s|", s.szScutireLat[1], " ", " "));
        doc.Corp(Format("|%-106s|C1%8s|%15s|", s.szScutireLat[2], t.Total(2, 7), " "));
        doc.Corp(Format("|%-107s|%10s|%15s|", s.szScutireLat[3], " ", " "));
        doc.Regula(133);
        doc.Corp(Format("|%-106s|%10s|%15s|", s.szTotalLat, " ", " "));
        doc.Corp(Format("|%-106s|%10s|%15s|", " (Total A1+Total C1)", t.Total(3, 7), " "));
        doc.Regula(133);
        doc.Corp({" ", " ", "@@C: Angajatorul .....................",
                  "            (denumirea/numele)", " ",
                  "@@C: Director general sau alta persoana autorizata,", " ", " ",
                  "@@C: .............................................", " ", " "});
        doc.Regula(18, false);
        Note(doc, s.noteLat);
    } else {
        doc.Corp(Format("|TOTAL:%65s|A1%8s|B1%8s|%15s|", " ", t.Total(1, 6), t.Total(1, 7), " "));
        doc.Regula(109);
        doc.Corp(Format("|%-82s|%10s|%15s|", s.szScutireIngust[0], " ", " "));
        doc.Corp(Format("|%-82s|%10s|%15s|", s.szScutireIngust[1], " ", " "));
        doc.Corp(Format("|%-82s|C1%8s|%15s|", s.szScutireIngust[2], t.Total(2, 7), " "));
        doc.Corp(Format("|%-82s|%10s|%15s|", s.szScutireIngust[3], " ", " "));
        doc.Corp(Format("|%-83s|%10s|%15s|", s.szScutireIngust[4], " ", " "));
        doc.Regula(109);
        doc.Corp(Format("|%-82s|%10s|%15s|", s.szTotalIngust, " ", " "));
        doc.Corp(Format("|%-82s|%10s|%15s|", "si completarile ulterioare (Total A1+Total C1)",
                        t.Total(3, 7), " "));
        doc.Regula(109);
        doc.Corp({" ", " ", "@@C: Angajatorul", " ", " ",
                  "@@C: Director general sau alta persoana autorizata,", " ", " ",
                  "@@C: ----------------------", " ", " "});
        doc.Regula(18, false);
        Note(doc, s.noteIngust);
    }
}

// The identity block of the Art. 93^4 and Law 116 annexes.
void IdentitateBaza(Document& doc, const Angajator& a, const char* szAnexa) {
    doc.Antet("Judetul: " + Date(a.strJudet) + szAnexa);
    doc.Antet("Cod Fiscal: " + Date(a.strCIF) + "@@R: la normele metodologice");
    doc.Antet("Angajator: " + Date(a.strNume));
    doc.Antet("Sediu/Adresa: " + Date(a.strAdresa));
    doc.Antet("Cont Banca: " + Date(a.strIBAN));
    doc.Antet("Telefon: " + Date(a.strTelefon));
}

void ComposeArt93_4(Anexa& x, const Tabel& t, const Angajator& a, const platform::DateTime& azi,
                    int iAn, int iLuna) {
    Document& doc = x.doc;
    doc.iLatime = 135;
    CListaUnica lista;
    ListaDinTabel(t, lista);
    IdentitateBaza(doc, a, "@@R: ANEXA 29");
    Deschidere(doc, a, azi,
               {"@@C: cu tineri cu risc de marginalizare sociala incadrati in munca conform "
                "prevederilor art. 93^4 din Legea nr. 76/2002",
                "@@C: privind sistemul asigurarilor pentru somaj si stimularea ocuparii fortei "
                "de munca, cu modificarile si completarile",
                "@@C: ulterioare, pentru stabilirea sumelor cuvenite angajatorilor din bugetul "
                "asigurarilor pentru somaj",
                "@@C: "},
               Format("@@C: Luna %d Anul %d", iLuna, iAn), lista);
    Cap(doc, 132, texte::kCap93_4);
    for (int r = 1; r <= t.iPersoane; ++r) {
        if (!Completat(t.g.GetCellText(r, 5)))
            continue;
        doc.Corp(Literal(Format("|%4s|%12s|%10s|%-30s| %13s |    %1s     |%10s|%8s|%10s|%-15s|",
                                QString::number(++x.iPersoane), t.Cell(r, 10), t.Cell(r, 11),
                                t.Cell(r, 3), t.Cell(r, 2), t.Cell(r, 4), t.Cell(r, 5),
                                t.Cell(r, 6), t.Cell(r, 7), t.Cell(r, 8))));
        doc.Regula(131);
    }
    doc.Corp(Format("|%-105s|%10s|%-15s|",
                    "TOTAL SUME CUVENITE potrivit art. 93^4 din Legea 76/2002, cu modificarile si "
                    "completarile ulterioare",
                    t.Total(1, 7), " "));
    doc.Regula(133);
    doc.Corp({" ", " ", " ", "@@C: Angajatorul (denumirea/numele) ................................",
              " ", " ", " ", "@@C: Director general sau alta persoana autorizata,",
              "@@C: .............................................", " ", " ", " "});
    Note(doc, texte::kNote93_4);
}

void ComposeL116(Anexa& x, const Tabel& t, const Angajator& a, const platform::DateTime& azi,
                 int iAn, int iLuna) {
    Document& doc = x.doc;
    doc.iLatime = 111;
    CListaUnica lista;
    ListaDinTabel(t, lista);
    IdentitateBaza(doc, a, "@@R: ANEXA 3");
    Deschidere(doc, a, azi,
               {"@@C: cu persoanele incadrate in munca, conform prevederilor",
                "@@C: art.8 din Legea nr. 116/2002 privind prevenirea si combaterea",
                "@@C: marginalizarii sociale, pentru stabilirea sumelor",
                "@@C: subventionate din bugetul asigurarilor de somaj"},
               Format("@@C: Luna %d Anul %d", iLuna, iAn), lista);
    Cap(doc, 109, texte::kCap116);
    for (int r = 1; r <= t.iPersoane; ++r) {
        if (!Completat(t.g.GetCellText(r, 5)))
            continue;
        doc.Corp(
            Literal(Format("|%3s |%-30s| %13s |    %1s     |%10s|%8s|%10s|%-15s|",
                           QString::number(++x.iPersoane), t.Cell(r, 3), t.Cell(r, 2), t.Cell(r, 4),
                           t.Cell(r, 5), t.Cell(r, 6), t.Cell(r, 7), t.Cell(r, 8))));
        doc.Regula(109);
    }
    doc.Corp({" ", " ", " ", "Angajator, @@R: Semnatura", " ", " ", " ", " ",
              "Persoana juridica sau fizica, @@R: ----------------------", " ", " ", " ", " "});
    doc.Regula(18, false);
    Note(doc, texte::kNote116);
}

void ComposeL72(Anexa& x, const Tabel& t, const Angajator& a, const platform::DateTime& azi,
                int iAn, int iLuna) {
    Document& doc = x.doc;
    doc.iLatime = 120;
    doc.iFlags = 15;
    CListaUnica lista;
    ListaDinCache(t, lista);
    doc.Antet("Judetul: " + Date(a.strJudet) + "@@R: ANEXA 2");
    doc.Antet("Cod Fiscal: " + Date(a.strCIF));
    doc.Antet("Angajator: " + Date(a.strNume));
    doc.Antet("Cont IBAN: " + Date(a.strIBAN));
    doc.Antet("Sediu/Adresa: " + Date(a.strAdresa));
    doc.Antet("Cod Postal: " + Date(a.strCodPostal));
    doc.Antet("Telefon: " + Date(a.strTelefon));
    Deschidere(
        doc, a, azi,
        {"@@C: cu elevii si/sau studentii incadrati in munca in conditiile Legii nr. 72/2007",
         "@@C: privind stimularea incadrarii in munca a elevilor si studentilor,",
         "@@C: pentru stabilirea sumelor cuvenite angajatorilor din bugetul asigurarilor "
         "pentru somaj",
         "@@C: subventionate din bugetul asigurarilor de somaj"},
        Format("@@C: Luna %d Anul %d", iLuna, iAn), lista);
    Cap(doc, 118, texte::kCap72);
    double fSuma = 0;
    for (int r = 1; r <= t.iPersoane; ++r) {
        if (!t.Record(r) || !Completat(t.g.GetCellText(r, 6)))
            continue;
        doc.Corp(
            Literal(Format("|%3s |%-30s| %13s |%-10s|   %1s    |%8s|%10s|%10s|%-15s|",
                           QString::number(++x.iPersoane), t.Cell(r, 3), t.Cell(r, 2), t.Cell(r, 4),
                           t.Cell(r, 5), t.Cell(r, 6), t.Cell(r, 7), t.Cell(r, 8), t.Cell(r, 9))));
        doc.Regula(118);
        fSuma += t.g.GetCellText(r, 7).toDouble();
    }
    doc.Corp(Format("|Total suma cuvenita in conditiile legii 72/2007 %32s|%10.0f|%26s|", " ",
                    fSuma, " "));
    doc.Regula(118);
    doc.Corp({" ", " ", "@@R: Angajator, Director general sau alta persoana autorizata,", " ", " ",
              " ", "@@R: ----------------------", " ", " ", " "});
    doc.Regula(18, false);
    Note(doc, texte::kNote72);
}

} // namespace

Anexa Compose(CLawTablePage& page, const Angajator& a, const platform::DateTime& azi) {
    Anexa x;
    const lawrules::Tabel tabel = page.Def().tabel;
    if (tabel == lawrules::Tabel::Art93_4 && !tiparire::EsteJudet21(a.strCodJudet)) {
        x.rezultat = Rezultat::AltJudet;
        return x;
    }
    const CLawTablePage::Index index(page); // the convention list and the rows look persons up
    const Tabel t(page);
    switch (tabel) {
    case lawrules::Tabel::Art80:
        ComposeScutire(x, t, kArt80, a, azi, page.AN(), page.LN());
        break;
    case lawrules::Tabel::Art85:
        ComposeScutire(x, t, kArt85, a, azi, page.AN(), page.LN());
        break;
    case lawrules::Tabel::Art93_4:
        ComposeArt93_4(x, t, a, azi, page.AN(), page.LN());
        break;
    case lawrules::Tabel::L116:
        ComposeL116(x, t, a, azi, page.AN(), page.LN());
        break;
    case lawrules::Tabel::L72:
        ComposeL72(x, t, a, azi, page.AN(), page.LN());
        break;
    case lawrules::Tabel::Niciunul:
        break;
    }
    if (x.iPersoane == 0)
        x.rezultat = Rezultat::FaraPersoane;
    return x;
}

bool PrintAnnex(CLawTablePage& page) {
    Angajator a = tiparire::CitesteAngajator();
    if (!theApp().m_strCIF.empty())
        a.strCIF = theApp().m_strCIF;
    const Anexa x = Compose(page, a, platform::Now());
    switch (x.rezultat) {
    case Rezultat::AltJudet:
        platform::ShowMessage("Anexa Art. 93^4 se tipareste numai pentru angajatorii din judetul "
                              "cu codul 21.",
                              "VORTAPL", platform::Icon::Information);
        return true;
    case Rezultat::FaraPersoane:
        platform::ShowMessage("Tabelul nu are nicio persoana de tiparit in anexa.", "VORTAPL",
                              platform::Icon::Information);
        return true;
    case Rezultat::Document:
        break;
    }
    return tiparire::Afiseaza(x.doc);
}

} // namespace anexe

bool CLawTablePage::PrintAnnex() {
    return anexe::PrintAnnex(*this);
}
