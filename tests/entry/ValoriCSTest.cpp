#include "entry/ValoriCS.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(ValoriCS, MaskFollowsTheDefinition) {
    struct Case {
        int p, d;
        const char* mask;
    } cases[] = {{5, 0, "#####"},  {4, 2, "####.##"}, {2, 1, "##.#"}, {3, 3, "###.###"},
                 {1, 4, "#.####"}, {3, 5, "###"},     {3, -1, "###"}, {0, 2, ".##"}};
    for (const Case& c : cases)
        EXPECT_EQ(MascaCS(c.p, c.d), c.mask) << c.p << "," << c.d;
}

TEST(ValoriCS, StoredValueShowsWithItsDecimals) {
    struct Case {
        double v;
        int d;
        const char* text;
    } cases[] = {
        {12.5, 2, "12.50"}, // not the eight digits 12500000
        {1234.5, 2, "1234.50"},
        {3700, 0, "3700"},
        {0.5, 2, "0.50"},
        {0.125, 3, "0.125"},
        {1.2345, 4, "1.2345"},
        {99999.9, 1, "99999.9"},
        {21, 0, "21"},
        {12.75, 7, "12.75"},
        {0, 2, "0.00"},
        {-3.25, 2, "-3.25"},
        // More decimals than the definition: shown in full, never rounded away.
        {500.4, 0, "500.4"},
        {0.125, 2, "0.125"},
        {1234.5678, 1, "1234.5678"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatValoareCS(c.v, c.d), c.text) << c.v << "," << c.d;
}

TEST(ValoriCS, CellTextsReadAsNumbersOrNotAtAll) {
    struct Ok {
        const char* text;
        double v;
    } good[] = {{"12", 12}, {"12.50", 12.5},  {"12.", 12},       {".5", 0.5},
                {"007", 7}, {"-3.25", -3.25}, {"123450", 123450}};
    for (const Ok& c : good) {
        double v = -99;
        EXPECT_TRUE(CitesteValoareCS(c.text, v)) << c.text;
        EXPECT_EQ(v, c.v) << c.text;
    }
    for (const char* bad : {"", ".", "-", "1.2.3", "12a", "1,5", " 12", "12 ", "1e5", "inf", "nan",
                            "--1", "+1", "0x10"}) {
        double v = -99;
        EXPECT_FALSE(CitesteValoareCS(bad, v)) << bad;
        EXPECT_EQ(v, -99) << bad; // untouched
    }
}

// A value stored with at most the constant's decimals comes back from its cell text as the
// very same double, so saving a loaded month unchanged rewrites identical values.
TEST(ValoriCS, LoadAndSaveRoundTripIsExactForZeroToFourDecimals) {
    for (int d = 0; d <= 4; ++d) {
        const double scale = std::pow(10.0, d);
        for (long long i : {0LL, 1LL, 5LL, 125LL, 1250LL, 99999LL, 123456789LL, 999999999LL}) {
            double stored = 0;
            // The value as a user would have typed it, e.g. "1.25" for 125 and 2 decimals.
            std::string typed = std::to_string(i);
            if (d > 0) {
                if (typed.size() <= size_t(d))
                    typed.insert(size_t(0), size_t(d) + 1 - typed.size(), '0');
                typed.insert(typed.size() - size_t(d), size_t(1), '.');
            }
            ASSERT_TRUE(CitesteValoareCS(typed, stored)) << typed;
            EXPECT_NEAR(stored, double(i) / scale, 1e-9 * std::max(1.0, stored));
            const std::string shown = FormatValoareCS(stored, d);
            EXPECT_EQ(shown, typed);
            double again = -1;
            ASSERT_TRUE(CitesteValoareCS(shown, again));
            EXPECT_EQ(again, stored) << shown;
        }
    }
}

TEST(ValoriCS, TypedValuesFitTheDefinitionOrAreTold) {
    struct Case {
        const char* text;
        int p, d;
        bool fits;
    } cases[] = {{"12345", 5, 0, true},   {"123456", 5, 0, false}, {"00012345", 5, 0, true},
                 {"12.45", 2, 2, true},   {"123.45", 2, 2, false}, {"12.456", 2, 2, false},
                 {"12.4500", 2, 2, true}, {"500.4", 5, 0, false},  {"500.0", 5, 0, true},
                 {".5", 2, 2, true},      {"-12", 2, 0, true},     {"12.5", 4, 7, false},
                 {"abc", 5, 0, false},    {"1.2.3", 5, 2, false}};
    for (const Case& c : cases)
        EXPECT_EQ(IncapeInFormatCS(c.text, c.p, c.d), c.fits) << c.text << " " << c.p << "," << c.d;
    EXPECT_EQ(FormatPermisCS(5, 0), "cel mult 5 cifre intregi, fara zecimale");
    EXPECT_EQ(FormatPermisCS(2, 2), "cel mult 2 cifre intregi si 2 zecimale");
    EXPECT_EQ(FormatPermisCS(1, 1), "cel mult 1 cifra intreaga si 1 zecimala");
}
