// The conventions page on a real database with imported conventions: the month's list, the
// conventions cache it rebuilds, the wage fund and its contribution.
#include "entry/DateConventiiAngajatorDlg.h"
#include "EntryTestSupport.h"
#include "LunaTestSupport.h"
#include "WorkFolder.h"
#include "core/Queries.h"
#include "platform/MessageBox.h"
#include "widgets/XSimGrid.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>

using namespace lunatest;
using entrytest::Count;
using testsupport::StartedApp;

namespace {

const char* const kRangeFS = "Va rugam sa introduceti o valoare in intervalul [0,999999999999999]!";
const char* const kRangeTCAD = "Va rugam sa introduceti o valoare in intervalul [0,999999]!";

class ConventiiTest : public ::testing::Test {
protected:
    void SetUp() override {
        AddEmployer("12345678", "12", 1);
        AddEmployer("87654321", "40", 0);
        ImportConventii(DataFile("conventii_martie_2024.xml"), "12345678");
        // Another employer's running convention is never listed.
        ImportConventii("<exportKRENO><asigurat CIF=\"87654321\" CNP=\"1700101123456\" "
                        "CNP_CORECT=\"1700101123456\" NUME=\"Alt\" PRENUME=\"Angajator\" "
                        "STARE_PERS=\"0\" ID_MA=\"1\" TIP_MA=\"13\" DATA_START=\"2024-01-01\" "
                        "DATA_SFARSIT=\"2025-01-01\" STARE_MA=\"1\"/></exportKRENO>",
                        "87654321");
        SetConstant(2024, 3, "PROC_ANGAJATOR", 0.5);
    }

    std::string Cell(int r, int c) { return GetCellText(*p.conventii.Grid(), r, c); }

    // Types into the FS field the way a keyboard does, after emptying it.
    void TypeFS(const QString& text) {
        QLineEdit* fs = p.conventii.FS();
        fs->selectAll();
        QTest::keyClick(fs, Qt::Key_Delete);
        QTest::keyClicks(fs, text);
    }

    StartedApp s;
    platform::ScopedMessageRecorder boxes;
    PaginiLuna p;
};

} // namespace

TEST_F(ConventiiTest, MonthListsExactlyTheConventionsRunningInIt) {
    p.NewMonth(2024, 3);
    CXSimGrid& g = *p.conventii.Grid();
    EXPECT_TRUE(boxes.messages().empty()) << boxes.lastText();

    const char* const titles[] = {"CIF",
                                  "CNP",
                                  "CNP_CORECT",
                                  "NUME",
                                  "PRENUME",
                                  "ID_PERS",
                                  "STARE_PERS",
                                  "STARE PERS",
                                  "DATA_STARE",
                                  "INFO_STARE",
                                  "DATA_PENS",
                                  "DATA_ANG",
                                  "CATEGORIE_PERS",
                                  "CATEGORIE PERS",
                                  "ID_MA",
                                  "TIP_MA",
                                  "TIP MA",
                                  "DATA_START",
                                  "DATA_SFARSIT",
                                  "DOC_NR",
                                  "DOC_DATA",
                                  "STARE_MA",
                                  "STARE MA",
                                  "DOC_NUME_PERS",
                                  "DOC_NUME_FUNCTIE",
                                  "TIPCM",
                                  "SUMA_BAZA_CALCUL_L116"};
    ASSERT_EQ(g.GetColCount(), 27);
    for (int c = 1; c <= 27; ++c) {
        EXPECT_EQ(Cell(0, c), titles[c - 1]);
        const bool hidden = c == 1 || c == 2 || c == 7 || c == 13 || c == 16 || c == 22;
        EXPECT_EQ(g.GetColWidth(c) == 0, hidden) << titles[c - 1];
    }

    // Ordered by measure type, then measure; ended on 29 February, closed and ceased are absent;
    // the one ending on 1 March and the one starting in April are present.
    ASSERT_EQ(g.GetRowCount(), 4);
    const char* const idMa[] = {"900040", "900020", "900030", "900041"};
    for (int r = 1; r <= 4; ++r)
        EXPECT_EQ(Cell(r, 15), idMa[r - 1]);

    const std::vector<std::string> obrien = {
        "12345678",
        "2900202123457",
        "2900202123457",
        "O'Brien",
        "Mary-Ann",
        "700020",
        "0",
        "IN CONVENTIE",
        "2023-03-01",
        "d'Artagnan & co",
        "",
        "2023-03-01",
        "A45",
        "A45",
        "900020",
        "14",
        "Subventionare someri peste 45 ani, parinti unici, persoane cu handicap, persoane "
        "aproape de pensie - art. 85 din Legea nr. 76/2002",
        "2023-03-01",
        "2024-03-01",
        "20/2023",
        "2023-02-21",
        "2",
        "IN DERULARE",
        "Ion Pop",
        "Sef",
        "1",
        "3"};
    for (int c = 1; c <= 27; ++c)
        EXPECT_EQ(Cell(2, c), obrien[static_cast<size_t>(c - 1)]) << titles[c - 1];
    EXPECT_EQ(Cell(3, 4), "Ștefănescu");
    EXPECT_EQ(Cell(3, 3), "1990303123459");
    EXPECT_EQ(Cell(3, 8), "SUSPENDAT");
    EXPECT_EQ(Cell(3, 27), "1235");
    for (int r = 1; r <= 4; ++r)
        for (int c = 1; c <= 27; ++c)
            EXPECT_TRUE(g.IsLocked(r, c));

    // The cache holds the same conventions in the same order, filled 0..17 filled, none of the
    // hours and incomes yet.
    _NDateConventiiAngajator& cache = *theApp().m_pConventii;
    ASSERT_EQ(cache.GetCount(), 4);
    const __tagDATECONVENTIIANGAJATOR& rec = *cache.GetAt(1);
    const std::vector<std::string> filled = {"2900202123457",
                                             "2900202123457",
                                             "O'Brien",
                                             "Mary-Ann",
                                             "700020",
                                             "2023-03-01",
                                             "2024-03-01",
                                             "",
                                             "2023-03-01",
                                             "A45",
                                             "900020",
                                             "14",
                                             "2",
                                             "0",
                                             "1",
                                             "3",
                                             "20/2023",
                                             "2023-02-21"};
    for (int i = 0; i < slot::Count; ++i)
        EXPECT_EQ(rec[i], i < 18 ? filled[static_cast<size_t>(i)] : std::string()) << "slot " << i;
    for (int r = 1; r <= 4; ++r)
        EXPECT_EQ(cache.GetAt(r - 1)->values[slot::ID_MA], Cell(r, 15));

    // A person with two running conventions: two rows, two records, each with its document.
    EXPECT_EQ(Cell(1, 2), "5010404123459");
    EXPECT_EQ(Cell(4, 2), "5010404123459");
    EXPECT_EQ(cache.Find("5010404123459"), cache.GetAt(0));
    std::string nr, data;
    EXPECT_TRUE(GetDocumentConventie("900041", nr, data));
    EXPECT_EQ(nr, "41/2024");
    EXPECT_EQ(data, "2024-01-05");
    EXPECT_TRUE(GetDocumentConventie("900040", nr, data));
    EXPECT_EQ(nr, "40/2023");
    EXPECT_FALSE(GetDocumentConventie("900010", nr, data)); // ended before the month
    EXPECT_EQ(nr, "");
    EXPECT_EQ(data, "");

    EXPECT_EQ(p.conventii.Rata()->text(), "* 0.50% = ");
    EXPECT_EQ(p.conventii.FS()->text(), "0");
    EXPECT_EQ(p.conventii.TCAD()->text(), "0");
    const std::string log = s.Folder().ReadFile("vortapl.log");
    EXPECT_NE(log.find("WHERE A.CIF = '12345678' AND"), std::string::npos);
    EXPECT_NE(log.find("A.DATA_SFARSIT >= '2024-03-01' ORDER BY TIP_MA, ID_MA, CNP"),
              std::string::npos);

    // The next month lists what still runs in it: the convention that ended on 1 March is gone.
    p.NewMonth(2024, 4);
    ASSERT_EQ(g.GetRowCount(), 3);
    EXPECT_EQ(cache.GetCount(), 3);
    EXPECT_EQ(p.conventii.Rata()->text(), "* % = "); // no rate stored for April
}

TEST_F(ConventiiTest, WageFundGivesTheContributionAndNotifiesTheSummary) {
    p.NewMonth(2024, 3);
    p.trimise.clear();
    TypeFS("10000");
    EXPECT_EQ(p.conventii.TCAD()->text(), "50");
    EXPECT_EQ(theApp().m_totaluri.FS, 10000);
    EXPECT_EQ(theApp().m_totaluri.TCAD, 50);
    // one 1490 per change of the field: emptying it, then each digit
    EXPECT_EQ(p.trimise, std::vector<int>(6, notify::Totals));

    TypeFS("1001");
    EXPECT_EQ(p.conventii.TCAD()->text(), "5"); // 5.005
    EXPECT_EQ(theApp().m_totaluri.TCAD, 5);
    EXPECT_TRUE(boxes.messages().empty()) << boxes.lastText();

    // Letters never reach the field.
    QTest::keyClicks(p.conventii.FS(), "x");
    EXPECT_EQ(p.conventii.FS()->text(), "1001");

    // A sixteenth digit is refused with the bounds written in full, nothing is passed on.
    TypeFS("100000000000000");
    boxes.clear();
    p.trimise.clear();
    QTest::keyClick(p.conventii.FS(), Qt::Key_0);
    ASSERT_EQ(boxes.messages().size(), 1u);
    EXPECT_EQ(boxes.lastText(), kRangeFS);
    EXPECT_EQ(boxes.messages()[0].caption, "VORTAPL");
    EXPECT_EQ(boxes.messages()[0].icon, platform::Icon::Error);
    EXPECT_TRUE(p.trimise.empty());

    // A number written with a decimal comma or grouping blanks (pasted whole) is refused too,
    // never read as the smaller number in front of the comma or the blank.
    for (const char* pasted : {"1000,5", "1 000", "7.5"}) {
        TypeFS("42");
        boxes.clear();
        p.conventii.FS()->selectAll();
        p.conventii.FS()->insert(pasted);
        EXPECT_EQ(p.conventii.FS()->text(), pasted);
        EXPECT_EQ(boxes.lastText(), kRangeFS) << pasted;
        EXPECT_EQ(theApp().m_totaluri.FS, 42) << pasted;
    }
}

TEST_F(ConventiiTest, WithoutTheRateTheContributionIsOutOfRangeUntilFSIsZero) {
    p.NewMonth(2024, 5); // no PROC_ANGAJATOR for May: the list yields -1
    Exec("INSERT INTO ATO_RAPORTARE (AN, LN, CIF) VALUES (2024, 5, '12345678')");
    TypeFS("100");
    EXPECT_EQ(p.conventii.TCAD()->text(), "-1");
    EXPECT_EQ(boxes.lastText(), kRangeTCAD);
    EXPECT_EQ(theApp().m_totaluri.FS, 10); // the last FS whose TCAD was in range
    // The month cannot be saved with it.
    {
        core::Transaction tr(theApp().m_db);
        tr.Start();
        boxes.clear();
        EXPECT_FALSE(p.conventii.SaveData(tr));
        EXPECT_EQ(boxes.lastText(), kRangeTCAD);
    }
    // Clearing the wage fund brings TCAD back into its range.
    boxes.clear();
    TypeFS("0");
    EXPECT_TRUE(boxes.messages().empty()) << boxes.lastText();
    EXPECT_EQ(p.conventii.TCAD()->text(), "0");
    core::Transaction tr(theApp().m_db);
    tr.Start();
    EXPECT_TRUE(p.conventii.SaveData(tr));
}

TEST_F(ConventiiTest, SavedMonthShowsItsWageFundAndFinalizedMonthIsReadOnly) {
    Exec("INSERT INTO ATO_RAPORTARE (AN, LN, CIF, FS, TCAD, COD_UNIC) VALUES (2024, 3, "
         "'12345678', 123456, 617, 4242)");
    p.trimise.clear();
    p.LoadMonth(2024, 3);
    EXPECT_EQ(p.conventii.Grid()->GetRowCount(), 4);
    EXPECT_EQ(p.conventii.FS()->text(), "123456");
    EXPECT_EQ(p.conventii.TCAD()->text(), "617");
    EXPECT_EQ(theApp().m_totaluri.FS, 123456);
    EXPECT_EQ(theApp().m_totaluri.TCAD, 617);
    EXPECT_EQ(theApp().m_totaluri.COD_UNIC, 4242);
    EXPECT_TRUE(p.trimise.empty()); // loading sends nothing

    p.Notify(notify::Finalized, 1);
    EXPECT_TRUE(p.conventii.FS()->isReadOnly());
    QTest::keyClicks(p.conventii.FS(), "7");
    EXPECT_EQ(p.conventii.FS()->text(), "123456");
    EXPECT_TRUE(p.trimise.empty());

    // A month added after it starts from an editable, empty wage fund.
    p.NewMonth(2024, 4);
    EXPECT_FALSE(p.conventii.FS()->isReadOnly());
    EXPECT_EQ(p.conventii.FS()->text(), "0");
    EXPECT_EQ(p.conventii.TCAD()->text(), "0");
    EXPECT_EQ(theApp().m_totaluri.FS, 0);
    EXPECT_EQ(theApp().m_totaluri.TCAD, 0);
}

TEST_F(ConventiiTest, WithoutADefaultEmployerTheListAndTheCacheStay) {
    p.NewMonth(2024, 3);
    Exec("UPDATE ATN_AGENTI SET CURENT = 0");
    p.Notify(notify::NewMonth, 202404);
    EXPECT_EQ(p.conventii.Grid()->GetRowCount(), 4);
    EXPECT_EQ(theApp().m_pConventii->GetCount(), 4);
    EXPECT_TRUE(boxes.messages().empty()) << boxes.lastText();
}

TEST_F(ConventiiTest, SaveWritesTheWageFundOnlyWithConventions) {
    p.NewMonth(2024, 3);
    TypeFS("20000");
    Exec("INSERT INTO ATO_RAPORTARE (AN, LN, CIF) VALUES (2024, 3, '12345678')");
    Exec("INSERT INTO ATO_RAPORTARE (AN, LN, CIF) VALUES (2024, 3, '87654321')");
    {
        core::Transaction tr(theApp().m_db);
        tr.Start();
        ASSERT_TRUE(p.conventii.SaveData(tr));
        tr.Commit();
    }
    EXPECT_EQ(entrytest::Rows("SELECT CIF, FS, TCAD FROM ATO_RAPORTARE ORDER BY CIF",
                              {"CIF", "FS", "TCAD"}),
              (std::vector<std::vector<std::string>>{{"12345678", "20000", "100"},
                                                     {"87654321", "<null>", "<null>"}}));

    // A month without conventions writes nothing.
    Exec("DELETE FROM ATO_INFO_CONVENTII");
    p.NewMonth(2024, 3);
    TypeFS("5000");
    core::Transaction tr(theApp().m_db);
    tr.Start();
    ASSERT_TRUE(p.conventii.SaveData(tr));
    tr.Commit();
    EXPECT_EQ(Count("SELECT COUNT(*) AS NR FROM ATO_RAPORTARE WHERE FS = 20000"), 1);
}

// Database errors are shown and logged under the operation that met them.
TEST_F(ConventiiTest, DatabaseErrorsAreShownAndLogged) {
    Exec("DROP TABLE ATN_TIP_MA");
    Exec("ALTER TABLE ATO_RAPORTARE DROP TCAD");
    p.LoadMonth(2024, 3);
    ASSERT_EQ(boxes.messages().size(), 3u);
    const std::pair<const char*, const char*> expected[] = {
        {"VORTAPL", "CSubventiiDlg::LoadFromDB()"},
        {"VORTAPL", "LoadDate (CString strCIF)"},
        {"VORTAPL", "CDateConventiiAngajatorDlg::LoadFromDB()"}};
    const std::string log = s.Folder().ReadFile("vortapl.log");
    for (size_t i = 0; i < 3; ++i) {
        const platform::MessageRecord& m = boxes.messages()[i];
        EXPECT_EQ(m.caption, expected[i].first) << expected[i].second;
        EXPECT_EQ(m.icon, platform::Icon::Error) << expected[i].second;
        EXPECT_FALSE(m.text.empty());
        EXPECT_NE(log.find(std::string("[ERR][") + expected[i].second + "] oo-->> " + m.text),
                  std::string::npos)
            << expected[i].second;
    }
    EXPECT_EQ(p.conventii.Grid()->GetRowCount(), 0);
    EXPECT_EQ(theApp().m_pConventii->GetCount(), 0);
}
