#include "entry/PontajCalcul.h"
#include "entry/StatDePlataCalcul.h"

#include <gtest/gtest.h>

namespace {

// March 2024: 31 days, the 1st a Friday, weekends 2-3, 9-10, 16-17, 23-24, 30-31 (21 working
// days); no holidays list, so only weekends are non-working.
LunaLucru Martie() {
    return MakeLunaLucru(2024, 3, nullptr);
}

std::vector<std::string> Month(const LunaLucru& l, const std::string& working,
                               const std::string& weekend = "X") {
    std::vector<std::string> v;
    for (int d = 1; d <= l.iZile; ++d)
        v.push_back(l.IsNelucratoare(d) ? weekend : working);
    return v;
}

} // namespace

TEST(PontajCalcul, DayCodesAcceptedByKindOfDay) {
    struct Case {
        const char* code;
        bool working, weekend;
    } cases[] = {{"X", false, true},    {"0", true, false},   {"-1", true, false},
                 {"-2", true, false},   {"-3", true, false},  {"-4", true, true},
                 {"1", true, true},     {"8", true, true},    {"24", true, true},
                 {"25", false, false},  {"-5", false, false}, {"", false, false},
                 {"08", false, false},  {"+8", false, false}, {"x", false, false},
                 {"8.5", false, false}, {" 8", false, false}};
    for (const Case& c : cases) {
        EXPECT_EQ(IsValidDayCode(c.code, false), c.working) << "'" << c.code << "' working";
        EXPECT_EQ(IsValidDayCode(c.code, true), c.weekend) << "'" << c.code << "' weekend";
    }
}

TEST(PontajCalcul, MaximumOfThePeriodInTheMonth) {
    const LunaLucru l = Martie();
    struct Case {
        int norma;
        bool conventie;
        int start, sfarsit, max;
    } cases[] = {
        {8, true, 20230101, 20251231, 21 * 8}, // the whole month
        {8, true, 20240101, 20240310, 6 * 8},  // ends on the 10th: 1, 4-8
        {6, true, 20240311, 20240331, 15 * 6}, // starts in the month
        {8, true, 20240405, 20241231, 0},      // starts in a later month
        {8, true, 20240301, 20240301, 8},      // one day
        {8, true, 20240302, 20240303, 0},      // a weekend only
        {7, false, 0, 0, 21 * 7},              // a row without a convention: the month
        {0, true, 20230101, 20251231, 0},      // no norm yet
    };
    for (const Case& c : cases)
        EXPECT_EQ(ComputeMaxHours(l, c.norma, c.conventie, c.start, c.sfarsit), c.max)
            << c.start << ".." << c.sfarsit;
}

TEST(PontajCalcul, SumsByCodeAndTheCap) {
    const LunaLucru l = Martie();
    auto with = [&](std::vector<std::pair<int, std::string>> days, std::string working = "8") {
        std::vector<std::string> v = Month(l, working);
        for (auto& [d, code] : days)
            v[static_cast<size_t>(d - 1)] = code;
        return v;
    };
    struct Case {
        const char* what;
        std::vector<std::string> codes;
        int norma, max, zileLuc;
        int lucrate, cbfs, cass, nol;
    } cases[] = {
        {"a full month", Month(l, "8"), 8, 168, 21, 168, 0, 0, 168},
        {"absence, leave, sick leave, day off",
         with({{4, "0"}, {5, "-1"}, {6, "-2"}, {7, "-3"}, {8, "-4"}}), 8, 168, 21, 16 * 8 + 8, 8, 8,
         168},
        {"overtime is capped at the maximum", with({}, "10"), 8, 168, 21, 168, 0, 0, 168},
        {"weekend work counts", with({{2, "5"}}), 8, 168, 21, 168, 0, 0, 168},
        {"weekend work beside an absence is capped", with({{2, "5"}, {4, "0"}}), 8, 168, 21, 160, 0,
         0, 168},
        {"under the cap nothing is cut", with({{4, "0"}, {5, "4"}}), 8, 168, 21, 156, 0, 0, 168},
        {"the cap leaves room for absences", with({{4, "0"}}, "12"), 8, 168, 21, 160, 0, 0, 168},
        {"missing ZILELUC gives a negative NOL", Month(l, "8"), 8, 168, -1, 168, 0, 0, -8},
    };
    for (const Case& c : cases) {
        const OrePontaj o = SumaOre(c.codes, l, c.norma, {});
        const TotaluriPontaj t = CalculeazaTotaluri(o, c.max, c.zileLuc, c.norma);
        EXPECT_EQ(t.lucrateInConventie, c.lucrate) << c.what;
        EXPECT_EQ(t.cbfs, c.cbfs) << c.what;
        EXPECT_EQ(t.cass, c.cass) << c.what;
        EXPECT_EQ(t.nol, c.nol) << c.what;
    }
}

TEST(PontajCalcul, TwentyTwoDaysOfTenInATwentyDayPeriodGiveTheMaximum) {
    const LunaLucru l = Martie();
    std::vector<std::string> v = Month(l, "10");
    v[1] = v[2] = "10"; // the weekend of the 2nd and 3rd worked too
    std::vector<bool> in(31, false);
    for (int d = 1; d <= 28; ++d)
        in[static_cast<size_t>(d - 1)] = true; // a convention ending on the 28th: 20 working days
    const int max = ComputeMaxHours(l, 8, true, 20240101, 20240328);
    EXPECT_EQ(max, 160);
    const TotaluriPontaj t = CalculeazaTotaluri(SumaOre(v, l, 8, in), max, 21, 8);
    EXPECT_EQ(t.lucrateInConventie, 160);
}

TEST(PontajCalcul, NormsAndTheAgeOfEighteen) {
    for (const char* n : {"6", "7", "8"})
        EXPECT_TRUE(IsNormaValida(n)) << n;
    for (const char* n : {"", "9", "5", "08", "x", "4"})
        EXPECT_FALSE(IsNormaValida(n)) << n;
    struct Case {
        const char* cnp;
        bool sub18;
    } cases[] = {{"5060315123456", true},   // turns 18 in March 2024
                 {"5060215123456", false},  // turned 18 in February
                 {"5070101123456", true},   // 17
                 {"1800101123456", false}}; // 44
    for (const Case& c : cases)
        EXPECT_EQ(IsSub18(c.cnp, 2024, 3), c.sub18) << c.cnp;
}

TEST(StatDePlataCalcul, IncomeOfTheConventionPeriod) {
    struct Case {
        double venit;
        int nol, ore;
        double expected;
    } cases[] = {{3000, 160, 80, 1500},  {3000, 160, 81, 1519}, // 1518.75
                 {3000, 160, 160, 3000}, {3000, 0, 80, 0},      // no NOL: nothing to spread
                 {0, 160, 80, 0},        {1000, 168, 1, 6},     // 5.95
                 {2500, 160, 2, 31}};                           // 31.25
    for (const Case& c : cases)
        EXPECT_EQ(VenitInPerioada(c.venit, c.nol, c.ore), c.expected)
            << c.venit << " " << c.nol << " " << c.ore;
}
