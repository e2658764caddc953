// The deduct-or-refund split and the wage-fund rules, as tables of cases.
#include "entry/RepartizareSubventii.h"
#include "entry/FondSalarii.h"

#include <gtest/gtest.h>

#include <optional>
#include <utility>

namespace {

using Pereche = std::optional<std::pair<double, double>>; // nullopt: the row is left as it was

struct Caz {
    const char* szNume;
    MonthTotals t;
    Pereche s80, e80, s85, e85, s116, s72;
};

MonthTotals Totaluri(double fFS, double fTCAD) {
    MonthTotals t;
    t.FS = fFS;
    t.TCAD = fTCAD;
    return t;
}

MonthTotals Cu(MonthTotals t, double MonthTotals::*camp, double fValoare) {
    t.*camp = fValoare;
    return t;
}

const Pereche nu = std::nullopt;
Pereche P(double a, double b) {
    return std::make_pair(a, b);
}

} // namespace

TEST(RepartizareSubventii, TableOfCases) {
    const MonthTotals baza =
        Cu(Cu(Cu(Totaluri(200000, 1000), &MonthTotals::E80, 200), &MonthTotals::S80, 500),
           &MonthTotals::S116, 300);
    const Caz cazuri[] = {
        // room 800, share 800 x 300 / 800 = 300; the rest 500 pays Art. 80 in full
        {"TCAD 1000", baza, P(500, 0), P(200, 0), nu, nu, P(300, 0), nu},
        // room 400, share 150 of 300; the rest 250 pays half of Art. 80
        {"TCAD 600", Cu(baza, &MonthTotals::TCAD, 600), P(250, 250), P(200, 0), nu, nu, P(150, 150),
         nu},
        // room -200: every subsidy is refunded, the exemption is still deducted
        {"exemptions above TCAD", Cu(baza, &MonthTotals::TCAD, 100), P(0, 500), P(200, 0), nu, nu,
         P(0, 300), nu},
        // share 3000 x 300 / 800 = 1125 is more than Law 116 needs: the rest is the room less
        // Law 116's 300
        {"room larger than the subsidies", Cu(baza, &MonthTotals::TCAD, 3200), P(500, 0), P(200, 0),
         nu, nu, P(300, 0), nu},
        {"FS 0 resets every row", Cu(baza, &MonthTotals::FS, 0), P(0, 0), P(0, 0), P(0, 0), P(0, 0),
         P(0, 0), P(0, 0)},
        // nothing to share: no division, no row changes
        {"all subsidies 0 with FS set", Cu(Totaluri(200000, 1000), &MonthTotals::E80, 200), nu, nu,
         nu, nu, nu, nu},
        {"an exemption without its subsidy leaves the exemption row",
         Cu(Cu(Totaluri(1, 1000), &MonthTotals::E85, 100), &MonthTotals::S80, 400), P(400, 0),
         P(0, 0), nu, nu, nu, nu},
        // Art. 93^4 joins Law 116 in its row; room 900, share 900 x 600 / 1200 = 450; rest 450
        // goes to Art. 80 (300), then Art. 85 (150 of 200), nothing left for Law 72
        {"every scheme in its order",
         Cu(Cu(Cu(Cu(Cu(Cu(Totaluri(1, 1000), &MonthTotals::E85, 100), &MonthTotals::S80, 300),
                     &MonthTotals::S85, 200),
                  &MonthTotals::S116, 250),
               &MonthTotals::S934, 350),
            &MonthTotals::S72, 100),
         P(300, 0), P(0, 0), P(150, 50), P(100, 0), P(450, 150), P(0, 100)},
        // totals that reached the page with binary fractions count to the ban
        {"fractions do not drift",
         Cu(Cu(Totaluri(1, 1000.0000000001), &MonthTotals::S80, 0.1 + 0.2 + 499.7),
            &MonthTotals::S72, 500.00000000004),
         P(500, 0), P(0, 0), nu, nu, nu, P(500, 0)},
    };
    for (const Caz& c : cazuri) {
        SCOPED_TRACE(c.szNume);
        const Repartizare r = RepartizeazaSubventii(c.t);
        const Pereche asteptat[RandCount] = {c.s80, c.e80, c.s85, c.e85, c.s116, c.s72};
        for (int i = 0; i < RandCount; ++i) {
            const SumeRand& s = r.randuri[static_cast<size_t>(i)];
            ASSERT_EQ(s.bSchimbat, asteptat[i].has_value()) << "row " << i + 1;
            if (!s.bSchimbat)
                continue;
            EXPECT_EQ(TextSuma(s.fRecuperat), TextSuma(asteptat[i]->first)) << "row " << i + 1;
            EXPECT_EQ(TextSuma(s.fRestituit), TextSuma(asteptat[i]->second)) << "row " << i + 1;
        }
    }
}

TEST(RepartizareSubventii, AmountTexts) {
    const std::pair<double, const char*> cazuri[] = {
        {0, "0"},   {-0.0, "0"},  {-0.3, "0"},     {0.5, "1"},
        {2.5, "3"}, {-2.5, "-3"}, {150.49, "150"}, {1e15 - 1, "999999999999999"},
    };
    for (const auto& [f, text] : cazuri)
        EXPECT_EQ(TextSuma(f), text) << f;
}

TEST(FondSalarii, ReadingFS) {
    struct {
        const char* szText;
        bool bOk;
        double fFS;
    } const cazuri[] = {
        {"10000", true, 10000},
        {"", true, 0},
        {"  1001 ", true, 1001},
        {"0000042", true, 42},
        {"999999999999999", true, 999999999999999.0},
        {"1000000000000000", false, 0},     // sixteen digits
        {"99999999999999999999", false, 0}, // would overflow a 64-bit number
        {"1000,5", false, 0},               // decimal comma: not 1000
        {"1000.5", false, 0},
        {"1 000 000", false, 0}, // grouping blanks: not 1
        {"-5", false, 0},
        {"12a", false, 0},
    };
    for (const auto& c : cazuri) {
        double f = -7;
        EXPECT_EQ(CitesteFS(c.szText, f), c.bOk) << c.szText;
        if (c.bOk) {
            EXPECT_EQ(f, c.fFS) << c.szText;
        }
    }
}

TEST(FondSalarii, TCADAndRanges) {
    EXPECT_EQ(CalculeazaTCAD(10000, 0.5), 50);
    EXPECT_EQ(CalculeazaTCAD(1001, 0.5), 5);    // 5.005
    EXPECT_EQ(CalculeazaTCAD(1100, 0.5), 6);    // 5.5 rounds away from zero
    EXPECT_EQ(CalculeazaTCAD(10000, -1), -100); // rate missing for the month
    EXPECT_EQ(MesajInterval(0, kFSMaxim),
              "Va rugam sa introduceti o valoare in intervalul [0,999999999999999]!");
    EXPECT_EQ(MesajInterval(0, kTCADMaxim),
              "Va rugam sa introduceti o valoare in intervalul [0,999999]!");
    EXPECT_TRUE(InInterval(999999, 0, kTCADMaxim));
    EXPECT_FALSE(InInterval(1000000, 0, kTCADMaxim));
    EXPECT_FALSE(InInterval(-1, 0, kTCADMaxim));
    EXPECT_TRUE(InInterval(999999999999999.0, 0, kFSMaxim));
    EXPECT_FALSE(InInterval(1000000000000000.0, 0, kFSMaxim));
}
