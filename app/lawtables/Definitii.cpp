#include "lawtables/Definitii.h"

#include "core/ConventiiCache.h"

namespace lawtable {
namespace {

const char* const kOreConventie = "Nr. Ore Lucrate in perioada de acordare a conventie";
const char* const kHelpOre =
    "Se preia din Pontaj\r\n(Nr. ore efectiv lucrate in perioada de acordare a conventiei)";
const char* const kHelpCategorie = "Categoria persoanei beneficiare de subventie.\r\nIn functie de "
                                   "subventie poate avea una din valorile: A, B, C.";
const char* const kHelpIdMA = "Numarul intern KRENO pentru conventia in care este persoana";

// The columns every table opens with: the hidden long key, the personal code and the name.
std::vector<Coloana> Persoana(const char* szAntetCheie) {
    return {
        {szAntetCheie, "", Sursa::Slot, slot::CNP, "CNP", Tip::Numar},
        {"CNP", "Codul Numeric Personal", Sursa::Slot, slot::CNP_CORECT, "CNP_CORECT", Tip::Numar},
        {"Nume", "Numele persoanei", Sursa::Nume, -1, "NUME", Tip::Text}};
}

Definitie Tabel(const char* szClasa, const char* szTitlu, lawrules::Tabel tabel, Schema schema,
                const char* szAntetCheie) {
    Definitie d;
    d.szClasa = szClasa;
    d.szTitlu = szTitlu;
    d.tabel = tabel;
    d.schema = schema;
    d.coloane = Persoana(szAntetCheie);
    return d;
}

std::string HelpTasca(const char* szArticol) {
    return std::string("Se completeaza cu valoarea 1 daca agentul economic ") +
           "NU beneficiaza de scutirea contributiei datorate " +
           "la fondul de somaj potrivit art." + szArticol + " din Legea 76/2002.\r\n" +
           "Se completeaza cu valoarea 2 daca agentul economic " +
           "beneficiaza de scutirea contributiei datorate " +
           "la fondul de somaj pentru persoana in cauza " + "in conformitate cu OUG 13/2010.\r\n";
}

// Art. 80 and Art. 85: the twelve columns, the three total rows, the exemption.
Definitie Scutire(const char* szClasa, const char* szTitlu, lawrules::Tabel tabel, Schema schema,
                  const char* szAntetCheie, const char* szArticol, const char* szHelpNr,
                  const char* szHelpData, const char* szEtichetaScutire, const char* szTabelaDB,
                  const char* szTotaluri, double MonthTotals::*pScutire,
                  double MonthTotals::*pSubventie) {
    Definitie d = Tabel(szClasa, szTitlu, tabel, schema, szAntetCheie);
    d.coloane.insert(
        d.coloane.end(),
        {{"Categorie", kHelpCategorie, Sursa::Slot, slot::CATEGORIE_PERS, "CATEGORIE", Tip::Text},
         {kOreConventie, kHelpOre, Sursa::Gol, -1, "ORE_IN_CONVENTIE", Tip::Intreg},
         {"Suma Conventie", "Suma calculata in functie de categoria si pontajul persoanei.",
          Sursa::Gol, -1, "SUMA_CONVENTIE", Tip::Suma},
         {"Sume Platite", "Salarul brut realizat.\r\n", Sursa::Gol, -1, "SUMA_PLATITA", Tip::Suma},
         {"Observatie", "Observatii", Sursa::Gol, -1, "OBSERVATIE", Tip::TextSauNull},
         {"ID MA", kHelpIdMA, Sursa::Slot, slot::ID_MA, "ID_MA", Tip::Numar},
         {"TASCA", HelpTasca(szArticol), Sursa::Tasca, -1, "TASCA", Tip::Intreg},
         {"Nr. conventie", szHelpNr, Sursa::Slot, slot::DOC_NR, "DOC_NR", Tip::Alaturat},
         {"Data conventie", szHelpData, Sursa::DataDoc, -1, "DOC_DATA", Tip::Alaturat}});
    d.totaluri = {{"TOTAL", 5}, {szEtichetaScutire, 6}, {"TOTAL SUME PLATITE", 6}};
    d.szTabelaDB = szTabelaDB;
    d.bJoinConventii = true;
    d.szTotaluriDecont = szTotaluri;
    d.fisa = {{"ID_PERS", slot::ID_PERS}};
    d.iColOre = 5;
    d.iColSuma = 6;
    d.iColPlatit = 7;
    d.iColTasca = 10;
    d.bRecalcLaMutare = true;
    d.format.latimi = {{1, 0}, {10, 0}};
    d.pScutire = pScutire;
    d.pSubventie = pSubventie;
    return d;
}

// Art. 93^4 and Law 116: base and amount from SMN and the convention salary.
Definitie BazaSMN(const char* szClasa, const char* szTitlu, lawrules::Tabel tabel,
                  const char* szTabelaDB, double MonthTotals::*pScutire,
                  double MonthTotals::*pSubventie) {
    Definitie d = Tabel(szClasa, szTitlu, tabel, Schema::BazaSMN, "CNP LUNG");
    d.coloane.insert(
        d.coloane.end(),
        {{"Categorie de persoana", kHelpCategorie, Sursa::Slot, slot::CATEGORIE_PERS, "CATEGORIE",
          Tip::Text},
         {"Suma reprez. baza de calcul",
          "Suma reprezentand baza de calcul.\r\nSe calculeaza conform formulei: MIN(Salariul din "
          "conventie,75% din salariul mediu net pe tara)",
          Sursa::Gol, -1, "SUMA_BC", Tip::Suma},
         {kOreConventie, kHelpOre, Sursa::Gol, -1, "ORE_IN_CONVENTIE", Tip::Intreg},
         {"Sume Cuvenita",
          "Suma cuvenita.\r\nSe calculeaza conform formulei: SUMA reprez baza de calcul * nr ore "
          "lucrate in luna respctiva din perioada convetiei / NOL",
          Sursa::Gol, -1, "SUMA_CONVENTIE", Tip::Suma},
         {"Observatie", "Observatii", Sursa::Gol, -1, "OBSERVATIE", Tip::TextSauNull},
         {"ID MA", kHelpIdMA, Sursa::Slot, slot::ID_MA, "ID_MA", Tip::Numar}});
    d.szTabelaDB = szTabelaDB;
    d.szTotaluriDecont = nullptr;
    d.fisa = {{"ID_PERS", slot::ID_PERS}};
    d.iColBaza = 5;
    d.iColOre = 6;
    d.iColSuma = 7;
    d.bVerificaSMN = true;
    d.format.iInaltimeAntet = 80;
    d.format.latimi = {{1, 0}, {6, 75}};
    d.format.centrate = {4, 5, 6, 7, 9};
    d.format.blocate = {1, 2, 3, 4, 5, 6, 7, 9};
    d.format.bBlocareDoarCuRanduri = true;
    d.pScutire = pScutire;
    d.pSubventie = pSubventie;
    return d;
}

} // namespace

const Definitie& Art80() {
    static const Definitie d = [] {
        Definitie d =
            Scutire("CArt80Dlg", "Tabel Persoane Articol 80 ...", lawrules::Tabel::Art80,
                    Schema::Art80, "CNP LUNG", "80", "Numarul conventiei incheiate cu KRENO/DAVRO ",
                    "Data conventiei incheiate cu KRENO/DAVRO ", "SUMA REPREZENTAND SCUTIREA",
                    "ATO_RAPORTARE_ART80", "ART80", &MonthTotals::E80, &MonthTotals::S80);
        d.format.centrate = {4, 5, 6, 7, 9, 11, 12};
        d.format.blocate = {1, 2, 3, 4, 5, 6, 7, 9, 11, 12};
        return d;
    }();
    return d;
}

const Definitie& Art85() {
    static const Definitie d = [] {
        Definitie d =
            Scutire("CArt85Dlg", "Tabel Persoane Articol 85 ...", lawrules::Tabel::Art85,
                    Schema::Art85, "CNP_LUNG", "85", "Nr. conventiei incheiate cu KRENO/DAVRO",
                    "Data conventiei incheiate cu KRENO/DAVRO",
                    "SUMA REPREZENTAND SCUTIREA (Se aplica la categ. A si B)",
                    "ATO_RAPORTARE_ART85", "ART85", &MonthTotals::E85, &MonthTotals::S85);
        d.format.centrate = {4, 5, 6, 7, 9, 12};
        d.format.blocate = {1, 2, 3, 4, 5, 6, 7, 9, 10, 11, 12};
        return d;
    }();
    return d;
}

const Definitie& Art93_4() {
    static const Definitie d = [] {
        Definitie d =
            BazaSMN("CArt93_4Dlg", "Tabel Persoane Art. 93^4 ...", lawrules::Tabel::Art93_4,
                    "ATO_RAPORTARE_ART93_4", &MonthTotals::E934, &MonthTotals::S934);
        d.coloane.insert(d.coloane.end(),
                         {{"Nr. conventie", "Nr. conventiei incheiate cu KRENO/DAVRO", Sursa::Slot,
                           slot::DOC_NR, "DOC_NR", Tip::Alaturat},
                          {"Data conventiei", "Data conventiei incheiate cu KRENO/DAVRO",
                           Sursa::DataDoc, -1, "DOC_DATA", Tip::Alaturat}});
        d.totaluri = {{"TOTAL SUME CUVENITE \n potrivit art. 93^4 din Legea nr. 76/2002, cu "
                       "modificarile si completarile ulterioare",
                       6}};
        d.bJoinConventii = true;
        d.format.blocate.insert(d.format.blocate.end(), {10, 11});
        return d;
    }();
    return d;
}

const Definitie& L116() {
    static const Definitie d =
        BazaSMN("CL116Dlg", "Tabel Persoane Legea 116 ...", lawrules::Tabel::L116,
                "ATO_RAPORTARE_L116", &MonthTotals::E116, &MonthTotals::S116);
    return d;
}

const Definitie& L72() {
    static const Definitie d = [] {
        // The contract types of the labour-contract column's help.
        const char* const kTipuriCM[] = {
            "\u00ab1\u00bb - pentru toate raporturile de munca/serviciu cu durata normala a "
            "timpului de munca/lucru cu norma intreaga, unde timpul normal de lucru este de 8 ore "
            "\r\n",
            "\u00ab10\u00bb - pentru toate raporturile de munca/serviciu cu durata normala a "
            "timpului de munca/lucru cu norma intreaga, unde timpul normal de lucru este de 7 ore "
            "\r\n",
            "\u00ab11\u00bb - pentru toate raporturile de munca/serviciu cu durata normala a "
            "timpului de munca/lucru cu norma intreaga, unde timpul normal de lucru este de 6 ore "
            "\r\n",
            "\u00ab2\u00bb - pentru contractul individual de munca cu timp partial de lucru, unde "
            "timpul normal de lucru este de 8 ore \r\n",
            "\u00ab3\u00bb - pentru contractul individual de munca cu timp partial de lucru, unde "
            "timpul normal de lucru este de 7 ore \r\n",
            "\u00ab4\u00bb - pentru contractul individual de munca cu timp partial de lucru, unde "
            "timpul normal de lucru este de 6 ore \r\n",
            "\u00ab5\u00bb - pentru contractul de munca temporara cu durata normala a timpului de "
            "munca/lucru cu norma intreaga, unde timpul normal de lucru este de 8 ore \r\n",
            "\u00ab50\u00bb - pentru contractul de munca temporara cu durata normala a timpului de "
            "munca/lucru cu norma intreaga, unde timpul normal de lucru este de 7 ore \r\n",
            "\u00ab51\u00bb - pentru contractul de munca temporara cu durata normala a timpului de "
            "munca/lucru cu norma intreaga, unde timpul normal de lucru este de 6 ore \r\n",
            "\u00ab6\u00bb - pentru contractul de munca temporara cu timp partial de lucru, unde "
            "timpul normal de lucru este de 8 ore \r\n",
            "\u00ab7\u00bb - pentru contractul de munca temporara cu timp partial de lucru, unde "
            "timpul normal de lucru este de 7 ore \r\n",
            "\u00ab8\u00bb - pentru contractul de munca temporara cu timp partial de lucru, unde "
            "timpul normal de lucru este de 6 ore \r\n",
            "\u00ab9\u00bb - pentru toate raporturile de munca/serviciu ale angajatilor militari "
            "cu "
            "durata normala a timpului de munca/lucru cu norma intreaga, unde timpul normal de "
            "lucru este de 8 ore \r\n",
            "\u00ab90\u00bb - pentru toate raporturile de munca/serviciu ale angajatilor militari "
            "cu durata normala a timpului de munca/lucru cu norma intreaga, unde timpul normal de "
            "lucru este de 7 ore \r\n",
            "\u00ab91\u00bb - pentru toate raporturile de munca/serviciu ale angajatilor militari "
            "cu durata normala a timpului de munca/lucru cu norma intreaga, unde timpul normal de "
            "lucru este de 6 ore \r\n",
            "\u00ab98\u00bb - pentru contractele de drepturi de autor si drepturi conexe \r\n",
            "\u00ab99\u00bb - pentru contractele/conventiile incheiate potrivit Codului civil. "};
        std::string strHelpCM = "Tipul contractului de munca.\r\n";
        for (const char* sz : kTipuriCM)
            strHelpCM += sz;

        Definitie d =
            Tabel("CL72Dlg", "Legea 72 ...", lawrules::Tabel::L72, Schema::L72, "CNP LUNG");
        d.coloane.insert(
            d.coloane.end(),
            {{"Categoria de persoane", "Categoria de persoana: ELEV sau STUDENT", Sursa::Slot,
              slot::CATEGORIE_PERS, "CATEGORIE", Tip::Text},
             {"Tip CM", strHelpCM, Sursa::Slot, slot::TIPCM, "TIP_CM", Tip::Intreg},
             {"Nr. Ore in perioada de acordare a conventie",
              "Se preia din Pontaj\r\n(Nr. ore totale lunare lucreate in perioada de acordare a "
              "conventiei si admise pentru deducere)",
              Sursa::Gol, -1, "ORE_IN_CONVENTIE", Tip::Intreg},
             {"Suma cuvenita pentru orele lucrate",
              "ISR din luna pentru care se face plata / NOL *  Numarul de ore total lucrate in "
              "per. De acordare a conventiei (coloana D) * 50%",
              Sursa::Gol, -1, "SUMA_CUVENITA", Tip::Suma},
             {"Numarul de zile lucratoare in luna,\npentru care se acorda, in conditiile "
              "legii,\nstimulentul financiar",
              "Numarul de zile lucrate in perioada conventiei", Sursa::Gol, -1, "NZL", Tip::Intreg},
             {"Observatii", "Observatii", Sursa::Gol, -1, "OBSERVATIE", Tip::TextSauNull},
             {"Valabil in intervalul", "-", Sursa::Gol, -1, "VALABIL", Tip::TextSauNull}});
        d.szTabelaDB = "ATO_RAPORTARE_L72";
        d.bJoinConventii = false;
        d.szTotaluriDecont = nullptr;
        d.fisa = {{"ID_MA", slot::ID_MA}, {"ID_PERS", slot::ID_PERS}};
        d.iColOre = 6;
        d.iColSuma = 7;
        d.iColZile = 8;
        d.bRecalcLaVenituri = false;
        d.format.latimi = {{1, 0}};
        d.format.centrate = {4, 5, 6, 7, 8};
        d.format.blocate = {1, 2, 3, 4, 5, 6, 7, 8};
        d.format.bBlocareDoarCuRanduri = true;
        d.pScutire = &MonthTotals::E72;
        d.pSubventie = &MonthTotals::S72;
        return d;
    }();
    return d;
}

} // namespace lawtable
