#include "core/ValueFunctions.h"
#include "core/Lists.h"
#include "platform/Clock.h"

#include <gtest/gtest.h>

TEST(Rotunjire, RoundsHalvesAwayFromZeroWithItsBias) {
    struct Case {
        double value;
        int decimals;
        double expected;
    } cases[] = {
        {2.5, 0, 3},      {-2.5, 0, -3},        {2.4999999, 0, 2},  {2.49999999, 0, 3},
        {1.005, 2, 1.01}, {2.675, 2, 2.68},     {-1.005, 2, -1.01}, {1234.4, 0, 1234},
        {0.0, 0, 0},      {7.77777, 4, 7.7778}, {5.5, -1, 6},       {1999.5, 0, 2000},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(Rotunjire(c.value, c.decimals), c.expected)
            << c.value << " to " << c.decimals << " decimals";
}

TEST(IsIBANValid, ChecksMod97OnTwentyFourCharacters) {
    struct Case {
        const char* iban;
        bool valid;
    } cases[] = {
        {"RO49AAAA1B31007593840000", true},
        {"ro49aaaa1b31007593840000", true},  // letter case does not matter
        {"RO49AAAA1B31007593840001", false}, // one digit off
        {"RO48AAAA1B31007593840000", false}, // wrong check digits
        {"DE89370400440532013000", false},   // valid German IBAN, but 22 characters
        {"GB82WEST12345698765432", false},   // valid, 22 characters
        {"", false},
        {"RO49AAAA1B3100759384000", false}, // 23 characters
        // Groups of four as banks print them; blanks only.
        {"RO49 AAAA 1B31 0075 9384 0000", true},
        {" RO49AAAA1B31007593840000\t", true},
        {"RO49 AAAA 1B31 0075 9384 0001", false},
        // Punctuation is no part of an IBAN, even where the rest would check.
        {"DE89370400440532013000,,", false},
        {"DE89370400440532013000--", false},
        {"RO49-AAAA-1B31-0075-9384-0000", false},
        {"RO49.AAAA1B31007593840000", false},
        {"RO49AAAA1B31007593840000\n", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsIBANValid(c.iban), c.valid) << c.iban;
}

TEST(IsIBANValid, CompactFormDropsBlanksOnly) {
    EXPECT_EQ(IBANCompact("RO49 AAAA 1B31 0075 9384 0000"), "RO49AAAA1B31007593840000");
    EXPECT_EQ(IBANCompact("\tro49 aaaa "), "ro49aaaa");
    EXPECT_EQ(IBANCompact("RO49,AAAA"), "RO49,AAAA");
}

TEST(GetAnLunaNastere, TakesCenturyFromFirstDigit) {
    struct Case {
        const char* cnp;
        int expected;
    } cases[] = {
        {"5030815123456", 200308}, {"1850212123456", 198502}, {"2991231000000", 199912},
        {"7010101000000", 190101}, {"3451105000000", 184511}, {"6120630000000", 201206},
        {"9550101000000", 195501}, {"0550101000000", 195501}, {"1AB0212000000", 190002},
        {"185", 198500},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GetAnLunaNastere(c.cnp), c.expected) << c.cnp;
}

TEST(IsNumeric, AcceptsOnlyDigits) {
    EXPECT_TRUE(IsNumeric(""));
    EXPECT_TRUE(IsNumeric("0123456789"));
    EXPECT_FALSE(IsNumeric("12A4"));
    EXPECT_FALSE(IsNumeric("-1"));
    EXPECT_FALSE(IsNumeric("1.5"));
    EXPECT_FALSE(IsNumeric(" 1"));
}

TEST(GenerateCodUnic, SameSecondSameCodeWithinRange) {
    platform::ScopedFixedNow clock(platform::MakeDateTime(2024, 3, 5, 10, 0, 7));
    int a = GenerateCodUnic();
    int b = GenerateCodUnic();
    EXPECT_EQ(a, b);
    EXPECT_GE(a, 0);
    EXPECT_LE(a, 32767);
    bool differs = false;
    for (int s = 8; s < 20; ++s) {
        clock.Set(platform::MakeDateTime(2024, 3, 5, 10, 0, s));
        int c = GenerateCodUnic();
        EXPECT_GE(c, 0);
        EXPECT_LE(c, 32767);
        differs = differs || c != a;
    }
    EXPECT_TRUE(differs);
}

TEST(ParseNumbers, TheWholeTextIsANumberOrItIsRefused) {
    struct Case {
        const char* text;
        bool isInt;
        int i;
        bool isDouble;
        double d;
    } cases[] = {
        {"12", true, 12, true, 12},      {" 07 ", true, 7, true, 7},
        {"-3", true, -3, true, -3},      {"+4", true, 4, true, 4},
        {"01x", false, 0, false, 0},     {"12abc", false, 0, false, 0},
        {"1 2", false, 0, false, 0},     {"", false, 0, false, 0},
        {"  ", false, 0, false, 0},      {"+-1", false, 0, false, 0},
        {"12.50", false, 0, true, 12.5}, {"1e3", false, 0, true, 1000},
        {"12,5", false, 0, false, 0},    {"inf", false, 0, false, 0},
        {"nan", false, 0, false, 0},     {"99999999999", false, 0, true, 99999999999.0},
    };
    for (const Case& c : cases) {
        int i = -777;
        double d = -777;
        EXPECT_EQ(core::ParseInt(c.text, i), c.isInt) << '"' << c.text << '"';
        EXPECT_EQ(i, c.isInt ? c.i : -777) << '"' << c.text << '"'; // untouched when refused
        EXPECT_EQ(core::ParseDouble(c.text, d), c.isDouble) << '"' << c.text << '"';
        if (c.isDouble) {
            EXPECT_DOUBLE_EQ(d, c.d) << c.text;
        }
    }
    long long big = 0;
    EXPECT_TRUE(core::ParseInt64("1850212123456", big));
    EXPECT_EQ(big, 1850212123456LL);
}

TEST(EqualsNoCase, FoldsRomanianLettersAsWellAsAscii) {
    struct Case {
        const char *a, *b;
        bool equal;
    } cases[] = {
        {"cluj", "CLUJ", true},
        {"ŞTEFĂNESCU", "ştefănescu", true},
        {"ȘTEFĂNESCU", "ștefănescu", true}, // comma-below letters
        {"ÎNVĂŢĂMÂNT", "învăţământ", true},
        {"Ştefan", "Stefan", false}, // a diacritic is another letter
        {"Ş", "ş ", false},
        {"", "", true},
        {"ab", "abc", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(core::EqualsNoCase(c.a, c.b), c.equal) << c.a << " / " << c.b;
}
