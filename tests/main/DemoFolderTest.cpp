// The demonstration folder made by tools/demo/make-demo from its description: an employer ready
// to work with, constants and holidays for two years, and the agency's files ready to import.
#include "WorkFolder.h"
#include "core/Database.h"
#include "core/ValueFunctions.h"
#include "exchange/ConventiiKreno.h"
#include "exchange/FisierPIN.h"
#include "exchange/TransferFile.h"
#include "lawtables/LawRules.h"

#include <QDate>
#include <QProcess>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

TEST(DemoFolder, HoldsAnEmployerTwoYearsOfReferenceDataAndTheAgencysFiles) {
    testsupport::WorkFolder f(false);
    const fs::path demo = f.Path() / "demo";
    QProcess make;
    make.start(VORTAPL_SOURCE_DIR "/tools/demo/make-demo",
               {VORTAPL_BIN_DIR, QString::fromStdString(demo.string())});
    ASSERT_TRUE(make.waitForFinished(120000));
    ASSERT_EQ(make.exitCode(), 0) << make.readAllStandardError().toStdString();

    {
        core::Database db;
        db.Connect((demo / "VORTAPL.DAT").string(), core::kDbUser, core::kDbPassword);
        EXPECT_EQ(
            testsupport::CountRows(db, "SELECT COUNT(*) AS NR FROM ATN_AGENTI WHERE CURENT = 1"),
            1);
        // Every property the employer editor asks for is filled, the IBAN a valid one.
        EXPECT_EQ(testsupport::CountRows(
                      db, "SELECT COUNT(*) AS NR FROM ATN_PROPRIETATI_AGENTI P WHERE NOT "
                          "EXISTS (SELECT 1 FROM ATN_AGENTI_DETALII D WHERE D.PROPRIETATE = "
                          "P.DENUMIRE AND D.CIF = '31415926' AND D.VALOARE <> '')"),
                  0);
        core::Transaction tr(db, core::TransactionMode::ReadOnly);
        core::Statement st(tr);
        st.Execute("SELECT VALOARE FROM ATN_AGENTI_DETALII WHERE PROPRIETATE = 'IBAN'");
        ASSERT_TRUE(st.Fetch());
        EXPECT_TRUE(IsIBANValid(st.GetText("VALOARE")));
        st.Close();
        // Five constants for each of the last 24 months, this month and the previous included.
        const QDate today = QDate::currentDate();
        const QDate prev = today.addMonths(-1);
        EXPECT_EQ(testsupport::CountRows(db, "SELECT COUNT(*) AS NR FROM ATN_CS"), 24 * 5);
        for (const QDate& d : {today, prev, today.addMonths(-23)})
            EXPECT_EQ(testsupport::CountRows(db, "SELECT COUNT(*) AS NR FROM ATN_CS WHERE AN = " +
                                                     std::to_string(d.year()) +
                                                     " AND LN = " + std::to_string(d.month())),
                      5);
        // Twelve fixed feasts and five movable ones, some of which may fall on a fixed one.
        EXPECT_GE(
            testsupport::CountRows(db, "SELECT COUNT(*) AS NR FROM ATN_SARBATORI_LEGALE WHERE "
                                       "EXTRACT(YEAR FROM DATA) = " +
                                           std::to_string(today.year())),
            15);
    }

    // The conventions file reads, checks and covers every scheme.
    std::string plain, digest, error;
    ASSERT_TRUE(ReadTransferFile((demo / "12_31415926.crypt").string(), plain, digest, error))
        << error;
    std::vector<ConventieRow> rows;
    ASSERT_EQ(ParseConventii(plain, rows, error), ParseResult::Ok) << error;
    EXPECT_EQ(rows.size(), 20u);
    EXPECT_TRUE(VerificaConventii(rows, error)) << error;
    std::set<lawrules::Tabel> tables;
    bool apostrophe = false, diacritic = false;
    for (const ConventieRow& r : rows) {
        tables.insert(lawrules::TabelPentru(r[13], r[17]));
        apostrophe = apostrophe || r[3].find('\'') != std::string::npos;
        diacritic = diacritic || r[3].find("\xC5\x9F") != std::string::npos; // ş
    }
    EXPECT_EQ(tables.size(), 5u);
    EXPECT_EQ(tables.count(lawrules::Tabel::Niciunul), 0u);
    EXPECT_TRUE(apostrophe);
    EXPECT_TRUE(diacritic);

    // The same files are served for the PIN check; the PIN file holds the employer's PIN.
    EXPECT_TRUE(fs::exists(demo / "kreno" / "dump_date_angajator" / "12_31415926_1.crypt"));
    std::string pinPath;
    ASSERT_TRUE(DecryptTransferFile((demo / "12_31415926_1.crypt").string(), "txt", pinPath));
    std::ifstream in(pinPath, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    const std::vector<std::string> pins = ExtractPinuri(text.str());
    EXPECT_NE(std::find(pins.begin(), pins.end(), "4821"), pins.end());
}
