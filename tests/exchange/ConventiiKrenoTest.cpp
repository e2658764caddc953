// The conventions file without any window: reading the transfer file, the document and its
// encodings, the values checked against their columns, and the PIN file.

#include "exchange/ConventiiKreno.h"
#include "exchange/FisierPIN.h"
#include "exchange/Md5Digest.h"
#include "exchange/TransferFile.h"
#include "exchange/XmlText.h"
#include "platform/Clock.h"

#include "PinFiles.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <variant>

using testfiles::DataFile;
using testfiles::ReadFile;
using testfiles::TempDir;
using testfiles::WriteFile;

namespace {

int Col(const char* attribute) {
    for (std::size_t i = 0; i < kConventiiAtribute.size(); ++i)
        if (std::string(kConventiiAtribute[i]) == attribute)
            return static_cast<int>(i);
    ADD_FAILURE() << attribute;
    return 0;
}

std::vector<ConventieRow> ParseOk(const std::string& bytes) {
    std::vector<ConventieRow> rows;
    std::string error;
    EXPECT_EQ(ParseConventii(bytes, rows, error), ParseResult::Ok) << error;
    return rows;
}

bool SameValue(const core::Value& a, const core::Value& b) {
    if (a.index() != b.index())
        return false;
    if (std::holds_alternative<core::Null>(a))
        return true;
    return std::visit(
        [&](const auto& x) {
            using T = std::decay_t<decltype(x)>;
            if constexpr (std::is_same_v<T, core::Null>)
                return true;
            else
                return x == std::get<T>(b);
        },
        a);
}

// A complete, valid row to vary one attribute at a time.
ConventieRow GoodRow() {
    ConventieRow row;
    const std::vector<std::pair<const char*, const char*>> values = {
        {"CIF", "12345678"},
        {"CNP", "1850101123456"},
        {"CNP_CORECT", "1850101123456"},
        {"NUME", "Pop"},
        {"PRENUME", "Ion"},
        {"ID_PERS", "7"},
        {"STARE_PERS", "0"},
        {"DATA_STARE", "2023-01-10"},
        {"INFO_STARE", "x"},
        {"DATA_PENS", "2050-01-01"},
        {"DATA_ANG", "2023-01-15"},
        {"CATEGORIE_PERS", "A"},
        {"ID_MA", "9"},
        {"TIP_MA", "14"},
        {"DATA_START", "2023-01-15"},
        {"DATA_SFARSIT", "2025-01-14"},
        {"DOC_NR", "1"},
        {"DOC_DATA", "2023-01-12"},
        {"STARE_MA", "1"},
        {"DOC_NUME_PERS", "A"},
        {"DOC_NUME_FUNCTIE", "B"},
        {"TIPCM", "1"},
        {"BAZA_CALCUL_L116", "10"}};
    for (auto& [name, value] : values)
        row[static_cast<std::size_t>(Col(name))] = value;
    return row;
}

} // namespace

TEST(ConventiiDocument, ReadsThePersonsInDocumentOrderWithEveryAttribute) {
    const auto rows = ParseOk(ReadFile(DataFile("conventii.xml")));
    // The header element and the note are skipped; "ASIGURAT" counts.
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0][Col("NUME")], "Ștefănescu");
    EXPECT_EQ(rows[0][Col("PRENUME")], "Țurcanu Ioana-Mădălina");
    EXPECT_EQ(rows[0][Col("BAZA_CALCUL_L116")], "1234.57");
    EXPECT_EQ(rows[0][Col("DOC_NUME_PERS")], "Îndrăgitu Ână");
    EXPECT_EQ(rows[1][Col("NUME")], "O'Brien");
    EXPECT_EQ(rows[1][Col("INFO_STARE")], "d'Artagnan & co");
    EXPECT_EQ(rows[2][Col("NUME")], "Georgescu");
    EXPECT_EQ(rows[2][Col("ID_PERS")], ""); // missing attributes read as empty text
    EXPECT_EQ(rows[2][Col("TIPCM")], "");
    EXPECT_EQ(rows[3][Col("NUME")], "Marinescu");
    for (const auto& row : rows)
        EXPECT_EQ(row[Col("CIF")], "12345678");
}

TEST(ConventiiDocument, RootAndChildrenDecideTheOutcome) {
    struct Case {
        const char* xml;
        ParseResult result;
        std::size_t rows;
    };
    const Case cases[] = {
        {"<exportkreno><asigurat CIF='1'/></exportkreno>", ParseResult::Ok, 1},
        {"<EXPORTKRENO><Asigurat CIF='1'/><asigurat CIF='1'/></EXPORTKRENO>", ParseResult::Ok, 2},
        {"<exportKRENO><antet/></exportKRENO>", ParseResult::NoPersons, 0},
        {"<exportKRENO>doar text</exportKRENO>", ParseResult::NoChildren, 0},
        {"<exportKRENO/>", ParseResult::NoChildren, 0},
        {"", ParseResult::NoChildren, 0},
        {"<?xml version='1.0'?><!-- nimic -->", ParseResult::NoChildren, 0},
        {"<altceva/>", ParseResult::NoChildren, 0},
        {"<altceva><asigurat CIF='1'/></altceva>", ParseResult::WrongRoot, 0},
        {"<exportKRENOX><asigurat/></exportKRENOX>", ParseResult::WrongRoot, 0},
        {"<exportKRENO><asigurat CIF='1'", ParseResult::ReaderError, 0},
        {"<exportKRENO><asigurat CIF='1'></exportKRENO>", ParseResult::ReaderError, 0},
        {"<exportKRENO><asigurat CIF=1/></exportKRENO>", ParseResult::ReaderError, 0},
        // Blanks, comments and instructions around the root are allowed, and so are the
        // predefined entities and character references.
        {"\n<!-- a -->\n<exportKRENO><asigurat CIF='1' NUME='a &amp; b &#x103;&#259;'/>"
         "</exportKRENO>\r\n<!-- b --><?pi x?>\n",
         ParseResult::Ok, 1},
    };
    for (const Case& c : cases) {
        std::vector<ConventieRow> rows;
        std::string error;
        EXPECT_EQ(ParseConventii(c.xml, rows, error), c.result) << c.xml;
        EXPECT_EQ(rows.size(), c.rows) << c.xml;
        EXPECT_EQ(error.empty(), c.result != ParseResult::ReaderError) << c.xml << ": " << error;
    }
}

// What the XML reader lets pass but is no XML document: refused as a whole, never read in part.
TEST(ConventiiDocument, DocumentsThatAreNotWellFormedAreRefused) {
    const std::string person = "<asigurat CIF='1' NUME='Pop'/>";
    const std::string doc = "<exportKRENO>" + person + "</exportKRENO>";
    const std::string cases[] = {
        doc + "<exportKRENO>" + person + "</exportKRENO>", // two roots
        doc + "<altceva/>",
        doc + "text dupa radacina",
        "text inainte" + doc,
        "<exportKRENO><asigurat CIF='1' NUME='&nedefinit;'/></exportKRENO>",
        "<exportKRENO><asigurat CIF='1' NUME='&#0;'/></exportKRENO>",
        "<exportKRENO><asigurat CIF='1' NUME='&#x0;'/></exportKRENO>",
        "<exportKRENO><asigurat CIF='1' NUME='&#xD800;'/></exportKRENO>",
        "<exportKRENO><asigurat CIF='1' NUME='&#1114112;'/></exportKRENO>",
        "<exportKRENO><asigurat CIF='1'>&nbsp;</asigurat></exportKRENO>",
        "<exportKRENO><asigurat CIF='1' NUME='a\x01b'/></exportKRENO>",
        "<exportKRENO><asigurat CIF='1' NUME='a & b'/></exportKRENO>",
        "<!DOCTYPE x [<!ENTITY e 'Pop'>]><exportKRENO><asigurat CIF='1' NUME='&e;'/>"
        "</exportKRENO>",
        // Cut short: after a person, inside a comment, inside the closing tag.
        "<exportKRENO>" + person,
        "<exportKRENO>" + person + "<!-- taiat",
        "<exportKRENO>" + person + "</exportKR",
        doc.substr(0, doc.size() / 2),
    };
    for (const std::string& xml : cases) {
        std::vector<ConventieRow> rows;
        std::string error;
        EXPECT_EQ(ParseConventii(xml, rows, error), ParseResult::ReaderError) << xml;
        EXPECT_TRUE(rows.empty()) << xml;
        EXPECT_FALSE(error.empty()) << xml;
    }
    std::vector<ConventieRow> rows;
    std::string error;
    EXPECT_EQ(ParseConventii(doc + "<exportKRENO/>", rows, error), ParseResult::ReaderError);
    EXPECT_EQ(error, "Fisierul XML este in format incorect!");
}

TEST(ConventiiDocument, HostileInputEndsWithAMessageNotACrash) {
    std::vector<ConventieRow> rows;
    std::string error;
    // Binary noise, a truncated transfer file read as text, deep nesting, an entity bomb.
    std::string noise;
    for (int i = 0; i < 5000; ++i)
        noise += static_cast<char>((i * 7919) & 0xFF);
    EXPECT_EQ(ParseConventii(noise, rows, error), ParseResult::ReaderError);
    EXPECT_FALSE(error.empty());

    std::string deep = "<exportKRENO>";
    for (int i = 0; i < 200000; ++i)
        deep += "<a>";
    EXPECT_EQ(ParseConventii(deep, rows, error), ParseResult::ReaderError);

    const std::string bomb = "<?xml version='1.0'?><!DOCTYPE x [<!ENTITY a 'aaaaaaaaaa'>"
                             "<!ENTITY b '&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;'>]>"
                             "<exportKRENO><asigurat CIF='1' NUME='&b;'/></exportKRENO>";
    const ParseResult r = ParseConventii(bomb, rows, error);
    EXPECT_TRUE(r == ParseResult::Ok || r == ParseResult::ReaderError);

    // A value of many thousand characters is read whole: the check before saving refuses it.
    const std::string huge(20000, 'X');
    const auto big = ParseOk("<exportKRENO><asigurat CIF='1' NUME='" + huge + "'/></exportKRENO>");
    ASSERT_EQ(big.size(), 1u);
    EXPECT_EQ(big[0][Col("NUME")], huge);
}

TEST(ConventiiDocument, NamesKeepTheirDiacriticsWhateverTheCodePage) {
    const std::string cp1250 = ReadFile(DataFile("conventii_cp1250.xml"));
    const std::string utf8Body =
        "<exportKRENO><asigurat CIF='1' NUME='Şerbănescu' PRENUME='Ioţu'/></exportKRENO>";
    struct Case {
        const char* what;
        std::string bytes;
    };
    const std::string utf16le = [&] {
        std::string s = "\xFF\xFE";
        const std::u16string text =
            u"<exportKRENO><asigurat CIF='1' NUME='Şerbănescu'/></exportKRENO>";
        for (char16_t ch : text) {
            s += static_cast<char>(ch & 0xFF);
            s += static_cast<char>(ch >> 8);
        }
        return s;
    }();
    const Case cases[] = {
        {"no declaration, Windows-1250", cp1250},
        {"declared windows-1250", "<?xml version=\"1.0\" encoding=\"windows-1250\"?>" + cp1250},
        {"declared CP1250, single quotes", "<?xml version='1.0' encoding='CP1250' ?>\r\n" + cp1250},
        {"declared ISO-8859-2 (same letters here)",
         "<?xml version=\"1.0\" encoding=\"ISO-8859-2\"?>" +
             std::string("<exportKRENO><asigurat CIF='1' NUME='\xAA"
                         "erb\xE3nescu'/></exportKRENO>")},
        {"no declaration, UTF-8", utf8Body},
        {"declared UTF-8", "<?xml version=\"1.0\" encoding=\"utf-8\"?>" + utf8Body},
        {"UTF-8 byte-order mark", "\xEF\xBB\xBF" + utf8Body},
        {"UTF-16 byte-order mark", utf16le},
    };
    for (const Case& c : cases) {
        const auto rows = ParseOk(c.bytes);
        ASSERT_FALSE(rows.empty()) << c.what;
        EXPECT_EQ(rows[0][Col("NUME")], "Şerbănescu") << c.what;
    }
    const auto rows = ParseOk(cp1250);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][Col("PRENUME")], "Ioţu Mădălina Îngeriţa");
    EXPECT_EQ(rows[1][Col("NUME")], "Brâncoveanu");
    EXPECT_EQ(rows[1][Col("PRENUME")], "Ştefan Ţepeş");
}

TEST(ConventiiDocument, AnEncodingThatCannotBeHonouredIsReported) {
    struct Case {
        std::string bytes;
        std::string message;
    };
    const Case cases[] = {
        {"<?xml version='1.0' encoding='klingon-9'?><exportKRENO/>",
         "Fisierul XML foloseste o codificare necunoscuta (klingon-9)!"},
        {"<?xml version='1.0' encoding='UTF-8//IGNORE'?><exportKRENO/>",
         "Fisierul XML foloseste o codificare necunoscuta (UTF-8//IGNORE)!"},
        {"<?xml version='1.0' encoding='UTF-8'?><exportKRENO><asigurat NUME='\xE3'/></exportKRENO>",
         "Fisierul XML contine caractere care nu respecta codificarea UTF-8!"},
        // 0x98 is not a character of Windows-1250.
        {"<exportKRENO><asigurat NUME='\x98'/></exportKRENO>",
         "Fisierul XML contine caractere care nu respecta codificarea WINDOWS-1250!"},
    };
    for (const Case& c : cases) {
        std::vector<ConventieRow> rows;
        std::string error;
        EXPECT_EQ(ParseConventii(c.bytes, rows, error), ParseResult::ReaderError) << c.bytes;
        EXPECT_EQ(error, c.message);
    }
}

TEST(ConventiiValues, EmptyGivesNullExceptTheTwoZeroColumns) {
    ConventieRow row; // every attribute missing
    ConventieValori values;
    std::string error;
    ASSERT_TRUE(ConvertConventie(row, values, error)) << error;
    for (int c = 0; c < kConventiiColCount; ++c) {
        if (c == Col("TIPCM"))
            EXPECT_EQ(std::get<std::int64_t>(values[c]), 0);
        else if (c == Col("BAZA_CALCUL_L116"))
            EXPECT_EQ(std::get<double>(values[c]), 0.0);
        else
            EXPECT_TRUE(std::holds_alternative<core::Null>(values[c])) << kConventiiAtribute[c];
    }
}

TEST(ConventiiValues, EachValueIsCheckedAgainstItsColumn) {
    struct Case {
        const char* attribute;
        std::string text;
        bool ok;
        core::Value expected; // checked when ok
    };
    using core::Date;
    const Case cases[] = {
        {"NUME", "O'Brien'); DELETE FROM ATN_AGENTI; --", true,
         std::string("O'Brien'); DELETE FROM ATN_AGENTI; --")},
        {"NUME", std::string(55, 'a'), true, std::string(55, 'a')},
        {"NUME", std::string(56, 'a'), false, {}},
        {"NUME", "Ă" + std::string(54, 'a'), true,
         "Ă" + std::string(54, 'a')}, // characters, not bytes
        {"CIF", std::string(16, '1'), false, {}},
        {"INFO_STARE", std::string(3000, 'z'), false, {}},
        {"NUME", " ", true, std::string(" ")},
        {"CNP", "1850101123456", true, std::int64_t(1850101123456)},
        {"CNP", " 1850101123456 ", true, std::int64_t(1850101123456)},
        {"CNP", "999999999999999", true, std::int64_t(999999999999999)},
        {"CNP", "1000000000000000", false, {}},
        {"CNP", "18501011234A6", false, {}},
        {"CNP", "1.5", false, {}},
        {"CNP", "1 2", false, {}},
        {"CNP_CORECT", "12345678901234", false, {}},
        {"ID_MA", "9223372036854775807", true, std::int64_t(9223372036854775807)},
        {"ID_MA", "9223372036854775808", false, {}},
        {"STARE_PERS", "-1", true, std::int64_t(-1)},
        {"TIP_MA", "2147483648", false, {}},
        {"TIP_MA", "-", false, {}},
        {"TIPCM", "", true, std::int64_t(0)},
        {"TIPCM", "  ", true, std::int64_t(0)},
        {"BAZA_CALCUL_L116", "1234.57", true, 1234.57},
        {"BAZA_CALCUL_L116", "-0.5", true, -0.5},
        {"BAZA_CALCUL_L116", "2500", true, 2500.0},
        {"BAZA_CALCUL_L116", "12,5", false, {}},
        {"BAZA_CALCUL_L116", "1.234", false, {}},
        {"BAZA_CALCUL_L116", "1e5", false, {}},
        {"BAZA_CALCUL_L116", "12345678901234567", false, {}},
        {"DATA_START", "2023-01-15", true, Date{2023, 1, 15}},
        {"DATA_START", "2023/1/5", true, Date{2023, 1, 5}},
        {"DATA_START", "2023.01.15", true, Date{2023, 1, 15}},
        {"DATA_START", "15.01.2023", true, Date{2023, 1, 15}},
        {"DATA_START", "01/15/2023", true, Date{2023, 1, 15}},
        {"DATA_START", "01-15-2023", true, Date{2023, 1, 15}},
        {"DATA_START", "2024-02-29", true, Date{2024, 2, 29}},
        {"DATA_START", "2023-02-29", false, {}},
        {"DATA_START", "15-01-2023", false, {}},
        {"DATA_START", "2023-13-01", false, {}},
        {"DATA_START", "2023-01-15 10:00:00", false, {}},
        {"DATA_START", "15.01.23", true, Date{2023, 1, 15}}, // as the engine reads it
        {"DATA_START", "2023-01", false, {}},
        {"DATA_START", "ieri", false, {}},
    };
    for (const Case& c : cases) {
        ConventieRow row = GoodRow();
        row[static_cast<std::size_t>(Col(c.attribute))] = c.text;
        ConventieValori values;
        std::string error;
        const bool ok = ConvertConventie(row, values, error);
        EXPECT_EQ(ok, c.ok) << c.attribute << " = " << c.text.substr(0, 60) << ": " << error;
        if (ok && c.ok) {
            EXPECT_TRUE(SameValue(values[static_cast<std::size_t>(Col(c.attribute))], c.expected))
                << c.attribute << " = " << c.text.substr(0, 60);
        }
        if (!ok) {
            EXPECT_NE(error.find(std::string("atributul ") + c.attribute), std::string::npos)
                << error;
        }
    }
}

TEST(ConventiiValues, TheMessageNamesThePersonAndShortensTheValue) {
    std::vector<ConventieRow> rows(3, GoodRow());
    rows[2][Col("NUME")] = "Ionescu";
    rows[2][Col("PRENUME")] = "Ana";
    rows[2][Col("DOC_NR")] = std::string(5000, '7');
    std::string error;
    EXPECT_FALSE(VerificaConventii(rows, error));
    EXPECT_EQ(error, "Fisierul care urmeaza sa fie importat este eronat!\nPersoana de pe randul 3 "
                     "(Ionescu Ana): atributul DOC_NR are valoarea \"" +
                         std::string(40, '7') +
                         "...\", care are 5000 caractere, iar cel mult 50 sunt permise.");
    rows.pop_back();
    EXPECT_TRUE(VerificaConventii(rows, error));
    EXPECT_TRUE(error.empty());
}

TEST(ConventiiValues, SameCifComparesWithoutLetterCase) {
    std::vector<ConventieRow> rows(3, GoodRow());
    rows[0][0] = "ro123";
    rows[1][0] = "RO123";
    rows[2][0] = "Ro123";
    EXPECT_TRUE(AuAcelasiCIF(rows));
    rows[2][0] = "RO124";
    EXPECT_FALSE(AuAcelasiCIF(rows));
    rows[2][0] = "RO123 ";
    EXPECT_FALSE(AuAcelasiCIF(rows));
}

TEST(ConventiiTransferFile, DeciphersInMemoryAcrossStepsAndDropsARemainder) {
    TempDir dir;
    // Past one reading step (256 Ki records), with every byte value present.
    std::string plain;
    for (int i = 0; i < 300000; ++i)
        plain += static_cast<char>((i * 31 + 7) & 0xFF);
    const std::string path = dir.file("12_345.crypt");
    WriteFile(path, EncryptTransferData(plain) + std::string(5, '\x33'));

    std::vector<std::pair<std::int64_t, std::int64_t>> calls;
    std::string back, digest, error;
    ASSERT_TRUE(ReadTransferFile(path, back, digest, error, [&](std::int64_t d, std::int64_t t) {
        calls.emplace_back(d, t);
    }));
    EXPECT_EQ(back, plain);
    EXPECT_TRUE(error.empty());
    EXPECT_EQ(digest, Md5DigestOfData(ReadFile(path))); // of the transfer file, remainder included
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls.back().first, calls.back().second);
    for (std::size_t i = 1; i < calls.size(); ++i)
        EXPECT_GT(calls[i].first, calls[i - 1].first);
    // Nothing but the transfer file in the folder: no plain copy was written.
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"12_345.crypt"});

    const std::string missing = dir.file("lipsa.crypt");
    EXPECT_FALSE(ReadTransferFile(missing, back, digest, error));
    EXPECT_EQ(error, "Fisierul " + missing + " nu a putut fi deschis pentru citire!");
    EXPECT_TRUE(back.empty());
    EXPECT_TRUE(digest.empty());
}

TEST(FisierPin, OnePinPerCompleteBlockOfTwoHundredFiftyCharacters) {
    // Three blocks and a short remainder; the second block holds CR LF pairs, which count as
    // one character each, and a lone CR, which counts as one too.
    const char* pins[] = {"1234", "0042", "9876"};
    std::string file;
    for (int b = 0; b < 3; ++b) {
        std::string block = pintest::PinBlock(pins[b], 'x');
        if (b == 1) {
            block[10] = '\n';
            block[20] = '\r';
            block[200] = '\n';
            std::string crlf;
            for (char c : block)
                crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
            block = crlf;
        }
        file += block;
    }
    file += std::string(249, 'y');
    EXPECT_EQ(ExtractPinuri(file), (std::vector<std::string>{"1234", "0042", "9876"}));
    EXPECT_TRUE(ExtractPinuri(std::string(249, '5')).empty());
    EXPECT_TRUE(ExtractPinuri("").empty());
    // A Ctrl+Z ends the text, as for the reader the file was made for.
    const std::size_t third = file.size() - 249 - 250 + 10;
    EXPECT_EQ(ExtractPinuri(file.substr(0, third) + "\x1A" + file.substr(third)).size(), 2u);
}

TEST(ConventiiDocument, RepeatsAreTheSameCnpAndMeasureAsAnEarlierRow) {
    const auto row = [](const char* cnp, const char* idMa) {
        ConventieRow r;
        r[std::size_t(Col("CIF"))] = "1";
        r[std::size_t(Col("CNP"))] = cnp;
        r[std::size_t(Col("ID_MA"))] = idMa;
        return r;
    };
    const std::vector<ConventieRow> rows = {row("1850101123456", "5"),
                                            row("1850101123456", "6"),
                                            row("2850101123456", "5"),
                                            row(" 1850101123456", "05"),
                                            row("", "5"),
                                            row("", "5"),
                                            row("1850101123456", ""),
                                            row("1850101123456", "6"),
                                            row("1850101123456", "5")};
    EXPECT_EQ(ConventiiRepetate(rows), (std::vector<std::size_t>{3, 7, 8}));
    EXPECT_EQ(MesajConventiiRepetate(rows, ConventiiRepetate(rows)),
              "Fisierul contine aceeasi conventie de mai multe ori. Fiecare conventie va fi "
              "importata o singura data:\nCNP 1850101123456, ID_MA 05\nCNP 1850101123456, ID_MA 6");
}

// Each text below was given to the engine as a date (CAST('...' AS DATE)) on 11 December 2026,
// and the import reads it the same: as the same day, or not at all.
TEST(ConventiiValori, DatesAreReadAsTheEngineReadsThem) {
    platform::ScopedFixedNow clock(platform::MakeDateTime(2026, 12, 11));
    struct Case {
        const char* text;
        int y, m, d; // 0: the engine refuses it
    } cases[] = {
        {"2027-1-5", 2027, 1, 5},
        {"2027-01-05", 2027, 1, 5},
        {"1/5/2027", 2027, 1, 5},
        {"5.1.2027", 2027, 1, 5},
        {"05.01.27", 2027, 1, 5},
        {"2027/1/5", 2027, 1, 5},
        {"2027.1.5", 2027, 1, 5},
        {"5-JAN-2027", 2027, 1, 5},
        {"5 jan 2027", 2027, 1, 5},
        {" 2027-01-05 ", 2027, 1, 5},
        {"1-5-2027", 2027, 1, 5},
        {"01/05/27", 2027, 1, 5},
        {"5,1,2027", 2027, 5, 1},
        {"2027:1:5", 2027, 1, 5},
        {"1/5", 2026, 1, 5},
        {"5.1", 2026, 1, 5},
        {"0027-01-05", 27, 1, 5},
        {"31.12.80", 1980, 12, 31},
        {"2027-01-05 10:20:30", 0, 0, 0},
        {"2027-01-05T10:20", 0, 0, 0},
        {"27-01-05", 0, 0, 0},
        {"2027-02-29", 0, 0, 0},
        {"12027-01-01", 0, 0, 0},
        {"2027-001-05", 0, 0, 0},
        {"2027-01", 0, 0, 0},
        {"", 0, 0, 0},
        {"2027-01-05-", 0, 0, 0},
        {"5-XYZ-2027", 0, 0, 0},
    };
    for (const Case& c : cases) {
        core::Date d{};
        const bool ok = ParseDataText(c.text, d);
        EXPECT_EQ(ok, c.y != 0) << c.text;
        if (ok && c.y != 0) {
            EXPECT_EQ(d.year, c.y) << c.text;
            EXPECT_EQ(d.month, c.m) << c.text;
            EXPECT_EQ(d.day, c.d) << c.text;
        }
    }
}
