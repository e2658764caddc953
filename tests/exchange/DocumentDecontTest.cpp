// The settlement document: element and attribute order, the Windows-1250 bytes and what the
// tables' shapes decide (empty tables, total rows, the timesheet's days), checked without a
// window against a fixture document read by an independent parser.

#include "exchange/DocumentDecont.h"

#include "TestFiles.h"
#include "exchange/TransferFile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

using testfiles::DataFile;
using testfiles::ReadFile;
using testfiles::TempDir;
using testfiles::WriteFile;

namespace {

// A table from its data rows (row 0 and column 0 are filled with placeholders).
GridTexts Table(int C, const std::vector<std::vector<std::string>>& rows) {
    GridTexts g;
    g.R = static_cast<int>(rows.size());
    g.C = C;
    g.cells.push_back(std::vector<std::string>(static_cast<std::size_t>(C + 1), "titlu"));
    for (const auto& r : rows) {
        std::vector<std::string> row(static_cast<std::size_t>(C + 1));
        for (std::size_t i = 0; i < r.size() && i + 1 < row.size(); ++i)
            row[i + 1] = r[i];
        g.cells.push_back(row);
    }
    return g;
}

// A timesheet row: CNP, CNP corect, name, the days, then the six totals.
std::vector<std::string> PontajRow(const std::string& cnp, const std::string& nume, int iZile,
                                   const std::string& zi) {
    std::vector<std::string> r = {cnp, cnp, nume};
    for (int d = 1; d <= iZile; ++d)
        r.push_back(d % 7 == 0 ? "X" : zi);
    for (const char* t : {"168", "8", "160", "8", "0", "168"})
        r.push_back(t);
    return r;
}

DateDecont FixtureMonth(int iAn, int iLuna, int iZile) {
    DateDecont d;
    d.strCIF = "12345678";
    d.strDEN = "Brutăria Ștefănescu & Fiii \"Pâine\" <SRL>";
    d.iAn = iAn;
    d.iLuna = iLuna;
    d.fFS = 10000;
    d.fTCAD = 50;
    d.iCodUnic = 1234;
    d.proprietati = {{"ADRESA", "Str. O'Brien nr. 3"}, {"IBAN", "RO49AAAA1B31007593840000"}};
    d.sumar = Table(3, {{"Art 80", "500", "0"},
                        {"Scutire 80", "6", "0"},
                        {"Art 85", "300", "0"},
                        {"Scutire 85", "0", "0"},
                        {"116", "150", "150"},
                        {"72", "0", "250"}});
    GridTexts pontaj = Table(iZile + 9, {std::vector<std::string>(),
                                         PontajRow("1900101123456", "Țuțuianu Ion", iZile, "8"),
                                         PontajRow("2850505123457", "D'Arcy Ana", iZile, "CM")});
    d.pontaj = pontaj;
    d.stat = Table(
        8, {{"1900101123456", "1900101123456", "Țuțuianu Ion", "168", "160", "3000", "2857", "0"}});
    d.art80 = Table(10, {{"1900101123456", "1900101123456", "Țuțuianu Ion", "B", "160", "600",
                          "571", "obs, cu virgula", "", "1"},
                         {"", "", "TOTAL", "", "", "600", "571"},
                         {"", "", "SCUTIRE", "", "", "", "6"},
                         {"", "", "TOTAL GENERAL", "", "", "", "577"}});
    d.art85 = Table(10, {{"", "", "TOTAL", "", "", "0", "0"},
                         {"", "", "SCUTIRE", "", "", "", "0"},
                         {"", "", "TOTAL GENERAL", "", "", "", "0"}});
    d.l116 = Table(8, {});
    d.art934 =
        Table(8, {{"2850505123457", "2850505123457", "D'Arcy Ana", "A", "1400", "84", "700", ""},
                  {"", "", "TOTAL", "", "", "", "700", ""}});
    d.l72 = Table(9, {{"5000101123458", "5000101123458", "Mureșan Ștefania", "E", "1", "80", "250",
                       "10", ""}});
    d.fSMB = 4050;
    d.fSMN = 5000;
    d.fISR = 1000;
    d.fProcAngajator = 0.5;
    d.fZileLuc = -1; // missing for the month
    d.findPerson = [](const std::string& cnp, std::string& idMa, std::string& idPers) {
        static const std::map<std::string, std::pair<std::string, std::string>> known = {
            {"1900101123456", {"7001", "501"}}, {"5000101123458", {"7003", "503"}}};
        auto it = known.find(cnp);
        if (it == known.end())
            return false;
        idMa = it->second.first;
        idPers = it->second.second;
        return true;
    };
    return d;
}

std::string Build(const DateDecont& d) {
    std::string doc, err;
    EXPECT_TRUE(BuildDocumentDecont(d, doc, err)) << err;
    return doc;
}

bool Has(const std::string& doc, const std::string& part) {
    return doc.find(part) != std::string::npos;
}

} // namespace

TEST(DocumentDecont, FixtureMonthMatchesByteForByte) {
    // One 31-day month and one 28-day month; every scheme, diacritics, apostrophes, quotes.
    for (auto [an, luna, zile, fixture] :
         {std::tuple{2026, 10, 31, "decont_31.xml"}, std::tuple{2026, 2, 28, "decont_28.xml"}}) {
        const std::string doc = Build(FixtureMonth(an, luna, zile));
        const std::string expected = ReadFile(DataFile(fixture));
        EXPECT_EQ(doc, expected) << fixture;
        if (doc != expected)
            WriteFile(std::string("/tmp/") + fixture, doc); // for a look at the difference
        EXPECT_EQ(Has(doc, "Z" + std::to_string(zile) + "="), true);
        EXPECT_EQ(Has(doc, "Z" + std::to_string(zile + 1) + "="), false);
    }
}

TEST(DocumentDecont, Windows1250BytesAndEscapes) {
    const std::string doc = Build(FixtureMonth(2026, 10, 31));
    EXPECT_EQ(doc.rfind("<?xml version=\"1.0\"?>\r\n<exportVortApl CIF=\"12345678\" DEN=\"", 0),
              0u);
    // Ș ș Ț ț become Ş ş Ţ ţ (0xAA 0xBA 0xDE 0xFE), ă â î keep their own bytes.
    EXPECT_TRUE(Has(doc, "Brut\xE3ria \xAA"
                         "tef\xE3nescu &amp; Fiii &quot;P\xE2ine&quot; &lt;SRL&gt;"));
    EXPECT_TRUE(Has(doc, "NUME=\"\xDEu\xFEuianu Ion\""));
    EXPECT_TRUE(Has(doc, "ADRESA=\"Str. O&apos;Brien nr. 3\""));
    EXPECT_TRUE(Has(doc, "COD_UNIC=\"     1234\""));
    EXPECT_TRUE(Has(doc, "<constantedesistem SMB=\"4050\" SMN=\"5000\" ISR=\"1000\" "
                         "PROC_ANGAJATOR=\"0.50\" ZILELUC=\"-1\"/>"));
    // A timesheet "X" is written as 0; a person the conventions do not know has no ID_MA.
    EXPECT_TRUE(Has(doc, "Z6=\"8\" Z7=\"0\""));
    EXPECT_TRUE(Has(doc,
                    "CNP_LUNG=\"1900101123456\" CNP_CORECT=\"1900101123456\" NUME=\"\xDEu\xFEuianu "
                    "Ion\" ID_MA=\"7001\" ID_PERS=\"501\""));
    EXPECT_TRUE(Has(doc, "NUME=\"D&apos;Arcy Ana\" Z1="));
}

TEST(DocumentDecont, TheTablesShapesDecideTheElements) {
    DateDecont empty;
    empty.iAn = 2026;
    empty.iLuna = 11;
    const std::string doc = Build(empty);
    EXPECT_FALSE(Has(doc, "<pontaj"));
    EXPECT_FALSE(Has(doc, "<tabel"));
    EXPECT_TRUE(Has(doc, "\">\r\n<constantedesistem SMB=\"-1\" SMN=\"-1\" ISR=\"-1\" "
                         "PROC_ANGAJATOR=\"-1.00\" ZILELUC=\"-1\"/>\r\n</exportVortApl>\r\n"));
    EXPECT_TRUE(Has(doc, "COD_UNIC=\"        0\""));

    DateDecont d = FixtureMonth(2026, 10, 31);
    d.pontaj = Table(40, {std::vector<std::string>()}); // only its second header row
    d.l116 = Table(8, {});
    const std::string one = Build(d);
    EXPECT_TRUE(Has(one, "<pontaj/>\r\n<statdeplata>"));
    // Art. 85 has only its totals: the four attributes and no person.
    EXPECT_TRUE(Has(one, "<tabelart85 ART85T1=\"0\" ART85T2=\"0\" ART85SCUTIRE=\"0\" "
                         "ART85T3=\"0\"/>\r\n"));
    EXPECT_TRUE(Has(one, "<tabelart80 ART80T1=\"600\" ART80T2=\"571\" ART80SCUTIRE=\"6\" "
                         "ART80T3=\"577\">\r\n<persoanaArt80 "));
    // Art. 93^4 persons, its total row included, inside the Law 116 element.
    EXPECT_TRUE(Has(one, "<tabellegea116>\r\n<persoanaLegea116 CNP_LUNG=\"2850505123457\""));
    EXPECT_TRUE(Has(one, "<persoanaLegea116 CNP_LUNG=\"\" CNP_CORECT=\"\" NUME=\"TOTAL\" "
                         "CATEGORIE=\"\" BC=\"\" NOPAC=\"\" SUMACONVENTIE=\"700\" OBS=\"\"/>"));
}

TEST(DocumentDecont, ACharacterWithoutAWindows1250FormStopsTheExport) {
    DateDecont d = FixtureMonth(2026, 10, 31);
    d.stat.cells[1][3] = "Ionescu Ωmega";
    std::string doc, err;
    EXPECT_FALSE(BuildDocumentDecont(d, doc, err));
    EXPECT_TRUE(doc.empty());
    EXPECT_EQ(err, "Caracterul \"Ω\" din campul NUME al persoanei Ionescu Ωmega (CNP "
                   "1900101123456) nu poate fi scris in fisierul de export (codificarea "
                   "Windows-1250).\nVa rugam sa corectati datele inainte de export.");
}

TEST(DocumentDecont, FileName) {
    EXPECT_EQ(NumeDocumentDecont(2026, 3, "12345678", "21", 2026, 4, 7, 9, 5, 3),
              "2026-03-12345678-21-20260407090503.xml");
}

TEST(DocumentDecont, AnIndependentParserReadsTheDecryptedTransferFile) {
    TempDir dir;
    const std::string crypt = dir.file("decont.crypt");
    WriteFile(crypt, EncryptTransferData(Build(FixtureMonth(2026, 10, 31))));
    const std::string cmd = std::string(VORTAPL_BIN_DIR) + "/vortapl-transfer decrypt " + crypt +
                            " xml >/dev/null && /usr/bin/python3 -c \"import sys, "
                            "xml.dom.minidom as m; d = m.parseString(open(sys.argv[1], "
                            "'rb').read().decode('cp1250')); r = d.documentElement; "
                            "assert r.tagName == 'exportVortApl'; "
                            "assert r.getAttribute('DEN').startswith('Brut\\u0103ria \\u015e'); "
                            "assert len(d.getElementsByTagName('persoanaLegea116')) == 2\" " +
                            dir.file("decont.xml");
    EXPECT_EQ(std::system(cmd.c_str()), 0) << cmd;
}
