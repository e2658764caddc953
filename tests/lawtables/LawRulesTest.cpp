#include "lawtables/LawRules.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <tuple>

using namespace lawrules;

namespace {

// Constants of a few months; anything else is missing (-1), as the constants list says.
struct Constante {
    std::map<std::tuple<std::string, int, int>, double> values;
    Constanta Lookup() const {
        return [this](const std::string& cs, int an, int ln) {
            auto it = values.find({cs, an, ln});
            return it == values.end() ? -1.0 : it->second;
        };
    }
};

Persoana Ore(const std::string& categorie, int nol, int ore) {
    Persoana p;
    p.strCategorie = categorie;
    p.iNOL = nol;
    p.iOre = ore;
    return p;
}

std::string Show(const std::optional<double>& v) {
    return v ? std::to_string(static_cast<long long>(*v)) : "empty";
}

} // namespace

TEST(LawRules, Art80AmountByCategory) {
    const Constante cs{{{{"ISR", 2024, 3}, 1000}}};
    struct Case {
        std::string categorie;
        int nol, ore, an;
        std::string expected;
        bool motiv;
    } cases[] = {
        {"A", 168, 84, 2024, "500", false},  {"B", 168, 84, 2024, "600", false},
        {"c", 168, 84, 2024, "750", false},  {"H", 168, 84, 2024, "empty", true},
        {"B", 0, 84, 2024, "empty", false},  // timesheet not worked yet
        {"B", 168, 84, 2023, "empty", true}, // ISR missing for the month
    };
    for (const Case& c : cases) {
        const Suma s = SumaArt80(Ore(c.categorie, c.nol, c.ore), c.an, 3, cs.Lookup());
        EXPECT_EQ(Show(s.fSuma), c.expected) << c.categorie << " " << c.nol << " " << c.an;
        EXPECT_EQ(!s.strMotiv.empty(), c.motiv) << c.categorie << " " << c.an;
    }
    EXPECT_NE(SumaArt80(Ore("H", 168, 84), 2024, 3, cs.Lookup()).strMotiv.find("\"H\""),
              std::string::npos);
    EXPECT_NE(SumaArt80(Ore("B", 168, 84), 2023, 3, cs.Lookup()).strMotiv.find("ISR"),
              std::string::npos);
}

TEST(LawRules, Art85SmbForOldConventionsOfCategoriesDAndE) {
    Constante cs{{{{"ISR", 2024, 3}, 1000}, {{"SMB", 2008, 10}, 500}, {{"SMB", 2024, 3}, 600}}};
    struct Case {
        std::string categorie, start;
        bool smbStart;
        std::string expected;
    } cases[] = {
        {"D", "2008-10-13", true, "300"}, // the larger SMB, whatever ISR is
        {"e", "2008-10-13", true, "300"},
        {"D", "2008-10-14", true, "500"},  // started on the day: ISR / 160 x 80
        {"D", "2008-10-13", false, "300"}, // start month without SMB: the working month's
        {"A", "2008-10-13", true, "500"},  // other categories always on ISR
        {"F", "2008-10-13", true, "empty"},
    };
    for (const Case& c : cases) {
        Constante k = cs;
        if (!c.smbStart)
            k.values.erase({"SMB", 2008, 10});
        Persoana p = Ore(c.categorie, 160, 80);
        p.strDataStart = c.start;
        EXPECT_EQ(Show(SumaArt85(p, 2024, 3, k.Lookup()).fSuma), c.expected)
            << c.categorie << " " << c.start << " " << c.smbStart;
    }
    // The start month's SMB larger than the working month's is the base.
    cs.values[{"SMB", 2008, 10}] = 800;
    Persoana p = Ore("D", 160, 80);
    p.strDataStart = "2008-10-13";
    EXPECT_EQ(Show(SumaArt85(p, 2024, 3, cs.Lookup()).fSuma), "400");
    // No SMB at all: empty, and said.
    Constante none{{{{"ISR", 2024, 3}, 1000}}};
    const Suma s = SumaArt85(p, 2024, 3, none.Lookup());
    EXPECT_FALSE(s.fSuma);
    EXPECT_NE(s.strMotiv.find("SMB"), std::string::npos);
}

TEST(LawRules, BaseFromSmnAndConventionSalary) {
    const Constante cs{{{{"SMN", 2023, 5}, 2000}}};
    struct Case {
        double salariu;
        int nol, ore;
        std::string dataAng, baza, suma;
    } cases[] = {
        {1400, 168, 84, "2023-05-10", "1400", "700"},
        {1500, 168, 84, "2023-05-10", "1500", "750"},
        {1600, 168, 84, "2023-05-10", "1500", "750"},
        {1400, 0, 84, "2023-05-10", "1400", "empty"},
        {1400, 168, 84, "2023-06-10", "empty", "empty"}, // SMN missing for the hiring month
    };
    for (const Case& c : cases) {
        Persoana p = Ore("A", c.nol, c.ore);
        p.fSalariuConventie = c.salariu;
        p.strDataAng = c.dataAng;
        const Suma s = SumaBazaSMN(p, cs.Lookup());
        EXPECT_EQ(Show(s.fBaza), c.baza) << c.salariu << " " << c.dataAng;
        EXPECT_EQ(Show(s.fSuma), c.suma) << c.salariu << " " << c.nol;
    }
}

TEST(LawRules, Law72HalfIsrAndWorkingDays) {
    const Constante cs{{{{"ISR", 2024, 3}, 1000}}};
    EXPECT_EQ(Show(SumaL72(Ore("ELEV", 160, 80), 2024, 3, cs.Lookup()).fSuma), "250");
    EXPECT_EQ(Show(SumaL72(Ore("ELEV", 0, 80), 2024, 3, cs.Lookup()).fSuma), "empty");
    EXPECT_EQ(Show(SumaL72(Ore("ELEV", 160, 80), 2024, 4, cs.Lookup()).fSuma), "empty");
    EXPECT_EQ(ZileL72(84, 8), 10);
    EXPECT_EQ(ZileL72(87, 8), 10);
    EXPECT_EQ(ZileL72(87, 0), std::nullopt);
}

TEST(LawRules, ExemptionRoundedOrTruncated) {
    struct Case {
        double baza;
        bool fara;
        double expected;
    } cases[] = {
        {1234, false, 6}, {1234, true, 6}, {1300, false, 7}, {1300, true, 6}, {0, false, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(Scutire(c.baza, c.fara), c.expected) << c.baza << " " << c.fara;
}

TEST(LawRules, TotalsOfTheExemptionTables) {
    const std::vector<RandScutire> rows = {
        {600, 1000, "2", "B"}, // paid, exemption
        {750, 0, "2", "A"},    // paid nothing: out of A1 and B1, still in P (0)
        {500, 234, "1", "A"},  // paid, no exemption flag
        {300, 300, "2", "C"},  // Art. 85: category C never in the base
    };
    const TotaluriScutire art80 = CalculTotaluri(rows, false, false);
    EXPECT_EQ(art80.P, 1534);
    EXPECT_EQ(art80.A1, 1400);
    EXPECT_EQ(art80.B1, 1300);
    EXPECT_EQ(art80.C1, 7);
    const TotaluriScutire art85 = CalculTotaluri(rows, true, true);
    EXPECT_EQ(art85.A1, 1400);
    EXPECT_EQ(art85.B1, 1000);
    EXPECT_EQ(art85.C1, 5);
}

TEST(LawRules, DatesExemptionFlagAndTableOfAConvention) {
    EXPECT_EQ(Tasca("2013-10-21"), "2");
    EXPECT_EQ(Tasca(""), "2");
    EXPECT_EQ(Tasca("2013-10-22"), "1");
    struct Case {
        std::string tip, data;
        Tabel expected;
    } cases[] = {{"13", "2020-01-01", Tabel::Art80},
                 {"14", "", Tabel::Art85},
                 {"22", "2013-10-21", Tabel::L116},
                 {"22", "2013-10-22", Tabel::Art93_4},
                 {"22", "", Tabel::L116},
                 {"23", "2013-10-22", Tabel::L72},
                 {"15", "2013-10-22", Tabel::Niciunul}};
    for (const Case& c : cases)
        EXPECT_EQ(TabelPentru(c.tip, c.data), c.expected) << c.tip << " " << c.data;
    EXPECT_EQ(DataAfisata("2013-10-02"), "02.10.2013");
    EXPECT_EQ(DataAfisata(""), "");
    EXPECT_EQ(CitesteData("2013-xx-02").Number(), 20130002);
}

TEST(LawRules, MissingSmnNamesTheMonthOncePerPerson) {
    const Constante cs{{{{"SMN", 2023, 5}, 2000}}};
    const std::string luni = LunileFaraSMN({"2023-06-01", "2023-05-03", "2023-06-20"}, cs.Lookup());
    EXPECT_EQ(luni, "anul 2023, luna 6,\nanul 2023, luna 6");
    EXPECT_EQ(LunileFaraSMN({"2023-05-03"}, cs.Lookup()), "");
    EXPECT_EQ(MesajFaraSMN("anul 2023, luna 6"),
              "Pentru a continua este necesar definirea constantelor de sistem pentru\nanul "
              "2023, luna 6.\nDupa definirea acestora este necesara oprirea si repornirea "
              "aplicatiei!");
}
