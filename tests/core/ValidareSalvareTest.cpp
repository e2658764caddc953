// The check before a save, over a conventions cache filled as the pages fill it.
#include "core/ValidareSalvare.h"

#include <gtest/gtest.h>

#include <memory>

namespace {
using Tab = RezultatValidare::Tab;

struct Persoana {
    const char* nume;
    const char* cnp = nullptr; // a valid code of its own
    const char* ore = "160";
    const char* oreCbfs = "0";
    const char* venitNoel = "3000";
    const char* venitConv = "3000";
    const char* venitCbfs = "0";
    const char* tipMa = "13";
    const char* start = "2024-01-01";
    const char* end = "2026-12-31";
};

void add(_NDateConventiiAngajator& c, const Persoana& p) {
    static const char* valid[] = {"1850212123410", "1850212123429", "1850212123437",
                                  "1850212123445"};
    const std::string cnp = p.cnp ? p.cnp : valid[c.GetCount() % 4];
    auto r = std::make_unique<__tagDATECONVENTIIANGAJATOR>();
    (*r)[slot::CNP] = std::to_string(c.GetCount() + 1) + cnp;
    (*r)[slot::CNP_CORECT] = cnp;
    (*r)[slot::NUME] = p.nume;
    (*r)[slot::PRENUME] = "ION";
    (*r)[slot::ID_MA] = std::to_string(100 + c.GetCount());
    (*r)[slot::TIP_MA] = p.tipMa;
    (*r)[slot::DATA_START] = p.start;
    (*r)[slot::DATA_SFARSIT] = p.end;
    (*r)[slot::ORE_LUCRATE_IN_CONVENTIE] = p.ore;
    (*r)[slot::ORE_CBFS] = p.oreCbfs;
    (*r)[slot::VENIT_BRUT_NOEL] = p.venitNoel;
    (*r)[slot::VENIT_BRUT_IN_CONVENTIE] = p.venitConv;
    (*r)[slot::VENIT_BRUT_CBFS_CONV] = p.venitCbfs;
    c.Add(std::move(r));
}
} // namespace

TEST(ValidareSalvare, CnpCheckDigit) {
    struct Case {
        const char* cnp;
        bool valid;
    } cases[] = {
        {"1850212123453", true},   {"1850212123454", false}, // one digit off
        {"2990101000011", true},                             // remainder 10 counts as 1
        {"2990101000010", false},  {"185021212345", false},  // twelve digits
        {"18502121234530", false}, {"18502121234a3", false}, {"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsCNPValid(c.cnp), c.valid) << c.cnp;
}

TEST(ValidareSalvare, StopsErrorsWarningsAndWageFund) {
    struct Case {
        const char* name;
        std::vector<Persoana> persons;
        double smb, fs;
        Tab stopTab;
        std::string stop, errors, warnings, fund;
    } cases[] = {
        {"all in order",
         {{"POP"}, {"ENE", "2990101000011"}},
         2000,
         6000,
         Tab::Niciunul,
         "",
         "",
         "",
         ""},
        {"hours and no income for NOL stops at the payroll, at the first such person",
         {{"POP"}, {"ENE", nullptr, "80", "0", "0", "0"}, {"DAN", nullptr, "80", "0", "", ""}},
         2000,
         1e9,
         Tab::StatDePlata,
         "Persoana ENE ION are completat pontaj dar nu are\ncompletat statul de plata "
         "corespunzator.\nVa rugam sa completati statul de plata corespunzator!",
         "",
         "",
         ""},
        {"income for NOL and no hours stops at the timesheet",
         {{"ENE", nullptr, "", "0", "2500", "0"}},
         2000,
         1e9,
         Tab::Pontaj,
         "Persoana ENE ION nu are completat pontaj dar are\ncompletat statul de plata "
         "corespunzator.\nVa rugam sa completati pontajul corespunzator!",
         "",
         "",
         ""},
        {"no hours and no income raises nothing",
         {{"ENE", nullptr, "0", "0", "0", "0"}},
         2000,
         0,
         Tab::Niciunul,
         "",
         "",
         "",
         ""},
        {"below SMB warns; CBFS hours without CBFS income are errors for every person",
         {{"POP", nullptr, "160", "16", "1500", "1500", "0"},
          {"ENE", nullptr, "160", "8", "3000", "3000", ""}},
         2000,
         1e9,
         Tab::Niciunul,
         "",
         "Persoana POP ION are venitul brut aferent CBFS[0] si ore CBFS[16]\n"
         "Persoana ENE ION are venitul brut aferent CBFS[0] si ore CBFS[8]\n",
         "Persoana POP ION are venitul brut aferent NOL[1500] < SMB[2000]\n",
         ""},
        {"a missing SMB (-1) raises no warning",
         {{"POP", nullptr, "160", "0", "1500", "1500"}},
         -1,
         1e9,
         Tab::Niciunul,
         "",
         "",
         "",
         ""},
        {"incomes in the convention and CBFS over the wage fund",
         {{"POP", nullptr, "160", "8", "3000", "2500", "400"}, {"ENE"}},
         2000,
         5899,
         Tab::Niciunul,
         "",
         "",
         "",
         "Fondul de salarii introdus este mai mic decat 5900 totalul introdus in statul de "
         "plata.\nVa rugam sa corectati fondul de salarii."},
        {"the further checks warn: check digit, hours without income in the convention, CBFS "
         "income without CBFS hours",
         {{"POP", "1850212123454"},
          {"ENE", nullptr, "40", "0", "3000", "0"},
          {"DAN", nullptr, "160", "0", "3000", "3000", "700"}},
         2000,
         1e9,
         Tab::Niciunul,
         "",
         "",
         "Persoana POP ION are CNP-ul [1850212123454] cu cifra de control gresita\n"
         "Persoana ENE ION are ore in perioada conventiei[40] dar nu are venit brut in "
         "perioada conventiei\n"
         "Persoana DAN ION are venitul brut aferent CBFS[700] dar nu are ore CBFS\n",
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        _NDateConventiiAngajator conv;
        for (const Persoana& p : c.persons)
            add(conv, p);
        const RezultatValidare r = VerificaSalvare(conv, 2026, 11, c.smb, c.fs);
        EXPECT_EQ(r.strOprire, c.stop);
        EXPECT_EQ(r.tabOprire, c.stopTab);
        if (!c.stop.empty())
            continue;
        EXPECT_EQ(r.strErori, c.errors);
        EXPECT_EQ(r.strAvertizari, c.warnings);
        EXPECT_EQ(r.strFondSalarii, c.fund);
    }
}

TEST(ValidareSalvare, OnePersonPaidUnderTwoConventionsOfTheMonth) {
    struct Case {
        const char* name;
        const char* tipMa2;
        const char* start2;
        const char* end2;
        const char* cnp2;
        bool warned;
    } cases[] = {
        {"art. 80 then art. 85 in the same month", "14", "2026-11-16", "2027-11-15",
         "1850212123453", true},
        {"same scheme, both running", "13", "2025-01-01", "2026-11-30", "1850212123453", true},
        {"the second starts after the month", "14", "2026-12-01", "2027-12-01", "1850212123453",
         false},
        {"a measure type no table pays", "99", "2026-11-16", "2027-11-15", "1850212123453", false},
        {"another person", "14", "2026-11-16", "2027-11-15", "2990101000011", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        _NDateConventiiAngajator conv;
        add(conv, {"POP", "1850212123453", "80", "0", "3000", "1500", "0", "13", "2024-01-01",
                   "2026-11-15"});
        add(conv, {"POPA", c.cnp2, "80", "0", "3000", "1500", "0", c.tipMa2, c.start2, c.end2});
        const RezultatValidare r = VerificaSalvare(conv, 2026, 11, 2000, 1e9);
        const std::string line = "Persoana POP ION (CNP 1850212123453) apare pe 2 conventii cu "
                                 "subventie pentru aceeasi luna [100, 101]\n";
        EXPECT_EQ(r.strAvertizari, c.warned ? line : "");
    }
}
