#include "LawTablesTestSupport.h"

#include "../entry/EntryTestSupport.h"
#include "core/Database.h"
#include "core/MonthTotals.h"
#include "core/VORTAPLDlg.h"
#include "lawtables/Art80Dlg.h"
#include "lawtables/Art85Dlg.h"
#include "lawtables/Art93_4Dlg.h"
#include "lawtables/L116Dlg.h"
#include "lawtables/L72Dlg.h"
#include "platform/MessageBox.h"

#include <QPlainTextEdit>
#include <gtest/gtest.h>

#include <algorithm>

using namespace lawtest;
using Rows = std::vector<std::vector<std::string>>;

namespace {

// One month with persons for every table, in the cache's order (TIP_MA, ID_MA, CNP).
std::vector<Conventie> Persons() {
    std::vector<Conventie> v;
    auto add = [&](Conventie c) { v.push_back(c); };
    // Art. 80: ISR 1000, 84 of 168 hours.
    add({"100000000000001", "Popescu", "B", 13, "2013-10-21", "2013-11-01", "2013-11-01", 0, 0, 168,
         84, 8, 1000, 0});
    add({"100000000000002", "Ionescu", "C", 13, "2013-10-22", "2013-11-01", "2013-11-01", 0, 0, 168,
         84, 8, 0, 0});
    add({"100000000000003", "O'Brien", "a", 13, "", "2013-11-01", "2013-11-01", 0, 0, 168, 84, 8,
         400, 100});
    // Art. 85: 80 of 160 hours.
    add({"100000000000004", "Dumitru", "D", 14, "2008-10-01", "2008-10-13", "2008-10-13", 0, 0, 160,
         80, 8, 900, 0});
    add({"100000000000005", "Stan", "C", 14, "2012-01-10", "2012-01-10", "2012-01-10", 0, 0, 160,
         80, 8, 700, 0});
    add({"100000000000006", "Marin", "A", 14, "2012-01-10", "2012-01-10", "2012-01-10", 0, 0, 160,
         80, 8, 800, 0});
    // TIP_MA 22: before 22 October 2013 Law 116, from that day Art. 93^4; SMN 2000.
    add({"100000000000007", "Vlad", "A", 22, "2013-10-21", "2013-10-05", "2013-10-05", 1400, 0, 168,
         84, 8, 0, 0});
    add({"100000000000008", "Enache", "B", 22, "2013-10-22", "2013-10-25", "2013-10-25", 1600, 0,
         168, 84, 8, 0, 0});
    add({"100000000000009", "Toma", "C", 22, "2014-02-01", "2014-02-01", "2013-10-25", 1500, 0, 168,
         84, 8, 0, 0});
    // Law 72: half the ISR, 80 and 87 of 160 hours, norm 8.
    add({"100000000000010", "Radu", "ELEV", 23, "2023-01-01", "2023-01-01", "2023-01-01", 0, 2, 160,
         80, 8, 0, 0});
    add({"100000000000011", "Sandu", "STUDENT", 23, "2023-01-01", "2023-01-01", "2023-01-01", 0, 1,
         160, 87, 8, 0, 0});
    return v;
}

struct Luna : Month {
    Luna() {
        Constant("ISR", kAN, kLN, 1000);
        Constant("SMB", kAN, kLN, 600);
        Constant("SMB", 2008, 10, 500);
        Constant("SMN", 2013, 10, 2000);
        Add(Persons());
    }
};

bool Save(CTabPage& page) {
    core::Transaction tr(theApp().m_db);
    tr.Start();
    const bool ok = page.SaveData(tr);
    if (ok)
        tr.Commit();
    return ok;
}

Rows Sorted(Rows rows, int persons) {
    std::sort(rows.begin(), rows.begin() + persons);
    return rows;
}

// Everything a table must show after the timesheet and the payroll were worked.
struct Expected {
    int persons;
    int amountCol;
    std::vector<std::string> amounts; // the amount column, total rows included
    int otherCol;
    std::vector<std::string> other;
    double MonthTotals::*scutire;
    double scutireValue;
    double MonthTotals::*subventie;
    double subventieValue;
    int obsCol;
};

// A new month fills from the cache, the timesheet's and the payroll's notifications compute
// it, the totals reach MonthTotals with 1490, and what is saved loads back unchanged.
template <class Page> void RoundTrip(const Expected& e) {
    Luna m;
    Hosted<Page> t;
    t.page.OnNotify(1486, kLuna);
    const int R = t.grid().GetRowCount();
    ASSERT_EQ(R - t.page.PersonCount(), static_cast<int>(t.page.Def().totaluri.size()));
    ASSERT_EQ(t.page.PersonCount(), e.persons);
    for (int r = 1; r <= e.persons; ++r)
        EXPECT_TRUE(t.cell(r, t.page.Def().iColSuma).empty()) << "nothing computed before 1488";

    m.Worked();
    t.page.OnNotify(1488, 0);
    t.page.OnNotify(1489, 0);
    EXPECT_EQ(t.column(e.amountCol), e.amounts);
    EXPECT_EQ(t.column(e.otherCol), e.other);
    EXPECT_EQ(theApp().m_totaluri.*e.scutire, e.scutireValue);
    EXPECT_EQ(theApp().m_totaluri.*e.subventie, e.subventieValue);
    EXPECT_GT(t.totals, 0);

    // Observations typed by the user: one with an apostrophe, the others left empty.
    entrytest::TypeIntoCell(t.grid(), 1, e.obsCol, "n'a lucrat");
    ASSERT_EQ(t.cell(1, e.obsCol), "n'a lucrat");
    if (t.grid().GetColCount() == 10)
        entrytest::TypeIntoCell(t.grid(), 2, 10, "1'-15'");

    m.Settlement();
    ASSERT_TRUE(Save(t.page));
    const std::string table = t.page.Def().szTabelaDB;
    EXPECT_EQ(entrytest::Count("SELECT COUNT(*) AS NR FROM " + table), e.persons);
    EXPECT_EQ(entrytest::Count("SELECT COUNT(*) AS NR FROM " + table + " WHERE OBSERVATIE IS NULL"),
              e.persons - 1);
    EXPECT_EQ(entrytest::Count("SELECT COUNT(DISTINCT ID) AS NR FROM " + table), e.persons);

    const Rows shown = t.all();
    theApp().m_totaluri.Clear();
    Hosted<Page> loaded;
    loaded.page.OnNotify(1491, kLuna);
    EXPECT_EQ(Sorted(loaded.all(), e.persons), Sorted(shown, e.persons));
    EXPECT_EQ(theApp().m_totaluri.*e.scutire, e.scutireValue);
    EXPECT_EQ(theApp().m_totaluri.*e.subventie, e.subventieValue);
    EXPECT_EQ(loaded.totals, 1);
}

} // namespace

TEST(LawTables, Art80) {
    // A1 leaves out the person paid nothing; B1 = 1000 + 500 (both TASCA 2): 7.5 rounds to 8.
    RoundTrip<CArt80Dlg>({.persons = 3,
                          .amountCol = 6,
                          .amounts = {"600", "750", "500", "1100", "", ""},
                          .otherCol = 7,
                          .other = {"1000", "0", "500", "1500", "8", "1108"},
                          .scutire = &MonthTotals::E80,
                          .scutireValue = 8,
                          .subventie = &MonthTotals::S80,
                          .subventieValue = 1100,
                          .obsCol = 8});
}

TEST(LawTables, Art85) {
    // D before 14 October 2008 on SMB 600; C paid but never in the exemption base: B1 = 800.
    RoundTrip<CArt85Dlg>({.persons = 3,
                          .amountCol = 6,
                          .amounts = {"300", "500", "500", "1300", "", ""},
                          .otherCol = 7,
                          .other = {"900", "700", "800", "2400", "4", "1304"},
                          .scutire = &MonthTotals::E85,
                          .scutireValue = 4,
                          .subventie = &MonthTotals::S85,
                          .subventieValue = 1300,
                          .obsCol = 8});
}

TEST(LawTables, Art93_4) {
    RoundTrip<CArt93_4Dlg>({.persons = 2,
                            .amountCol = 7,
                            .amounts = {"750", "750", "1500"},
                            .otherCol = 5,
                            .other = {"1500", "1500", ""},
                            .scutire = &MonthTotals::E934,
                            .scutireValue = 0,
                            .subventie = &MonthTotals::S934,
                            .subventieValue = 1500,
                            .obsCol = 8});
}

TEST(LawTables, L116) {
    RoundTrip<CL116Dlg>({.persons = 1,
                         .amountCol = 7,
                         .amounts = {"700"},
                         .otherCol = 5,
                         .other = {"1400"},
                         .scutire = &MonthTotals::E116,
                         .scutireValue = 0,
                         .subventie = &MonthTotals::S116,
                         .subventieValue = 700,
                         .obsCol = 8});
}

TEST(LawTables, L72) {
    RoundTrip<CL72Dlg>({.persons = 2,
                        .amountCol = 7,
                        .amounts = {"250", "272"},
                        .otherCol = 8,
                        .other = {"10", "10"},
                        .scutire = &MonthTotals::E72,
                        .scutireValue = 0,
                        .subventie = &MonthTotals::S72,
                        .subventieValue = 522,
                        .obsCol = 9});
}

TEST(LawTables, NewMonthRowsFromTheCache) {
    Luna m;
    Hosted<CArt80Dlg> art80;
    art80.page.OnNotify(1486, kLuna);
    EXPECT_EQ(art80.column(10), (std::vector<std::string>{"2", "1", "2", "", "", ""}));
    EXPECT_EQ(art80.column(12),
              (std::vector<std::string>{"21.10.2013", "22.10.2013", "", "", "", ""}));
    EXPECT_EQ(art80.cell(3, 3), "O'Brien Ion");
    EXPECT_EQ(art80.cell(4, 2), "TOTAL");
    EXPECT_EQ(art80.cell(5, 2), "SUMA REPREZENTAND SCUTIREA");
    EXPECT_EQ(art80.grid().GetColWidth(1), 0);
    EXPECT_EQ(art80.grid().GetColWidth(10), 0);
    EXPECT_FALSE(art80.grid().IsLocked(1, 8));
    EXPECT_TRUE(art80.grid().IsLocked(1, 6));
    EXPECT_TRUE(art80.grid().IsLocked(4, 8));

    // TIP_MA 22 split at 22 October 2013: each convention in exactly one table.
    Hosted<CL116Dlg> l116;
    Hosted<CArt93_4Dlg> art93;
    l116.page.OnNotify(1486, kLuna);
    art93.page.OnNotify(1486, kLuna);
    EXPECT_EQ(l116.column(1), (std::vector<std::string>{"100000000000007"}));
    EXPECT_EQ(art93.column(1),
              (std::vector<std::string>{"100000000000008", "100000000000009", ""}));
    EXPECT_EQ(art93.cell(1, 11), "22.10.2013");
}

TEST(LawTables, PayrollNotificationLeavesLaw72Alone) {
    Luna m;
    m.Worked();
    Hosted<CArt80Dlg> art80;
    Hosted<CL72Dlg> l72;
    for (CTabPage* p : std::initializer_list<CTabPage*>{&art80.page, &l72.page}) {
        p->OnNotify(1486, kLuna);
        p->OnNotify(1488, 0);
    }
    ASSERT_EQ(l72.cell(1, 7), "250");
    m.Rec("100000000000001")[slot::ORE_LUCRATE_IN_CONVENTIE] = "42";
    m.Rec("100000000000010")[slot::ORE_LUCRATE_IN_CONVENTIE] = "40";
    art80.page.OnNotify(1489, 0);
    l72.page.OnNotify(1489, 0);
    EXPECT_EQ(art80.cell(1, 6), "300");
    EXPECT_EQ(l72.cell(1, 7), "250");
    l72.page.OnNotify(1488, 0);
    EXPECT_EQ(l72.cell(1, 7), "125");
    EXPECT_EQ(l72.cell(1, 8), "5");
    // A norm of 0 leaves the days as they were.
    m.Rec("100000000000010")[slot::NORMA] = "0";
    l72.page.OnNotify(1488, 0);
    EXPECT_EQ(l72.cell(1, 8), "5");
}

TEST(LawTables, FinalizedMonthRefusesRecomputation) {
    Luna m;
    m.Worked();
    Hosted<CArt80Dlg> t;
    t.page.OnNotify(1486, kLuna);
    t.page.OnNotify(1488, 0);
    t.page.OnNotify(1489, 0);
    const Rows before = t.all();
    theApp().m_bLunaFinala = true;
    t.page.OnNotify(1492, 1);
    EXPECT_TRUE(t.grid().IsLocked(1, 8));
    m.Rec("100000000000001")[slot::ORE_LUCRATE_IN_CONVENTIE] = "10";
    m.Rec("100000000000001")[slot::VENIT_BRUT_IN_CONVENTIE] = "10";
    t.page.OnNotify(1488, 0);
    t.page.OnNotify(1489, 0);
    EXPECT_FALSE(t.page.RecalcRow(1));
    t.grid().SetCurrentCell(1, 6);
    t.grid().SetCurrentCell(2, 6);
    EXPECT_EQ(t.all(), before);
}

TEST(LawTables, LeavingARowRecomputesItAndShowsTheHelpOfTheNewColumn) {
    Luna m;
    Hosted<CArt80Dlg> art80;
    Hosted<CArt93_4Dlg> art93;
    art80.page.OnNotify(1486, kLuna);
    art93.page.OnNotify(1486, kLuna);
    m.Worked(); // hours in the cache, no notification yet
    art80.grid().SetCurrentCell(1, 6);
    art80.grid().SetCurrentCell(4, 7); // leaves row 1: computed
    EXPECT_EQ(art80.cell(1, 6), "600");
    EXPECT_EQ(art80.cell(2, 6), "");
    EXPECT_EQ(art80.cell(4, 6), "600");
    art80.grid().SetCurrentCell(2, 10); // leaves a total row: nothing recomputed
    EXPECT_EQ(art80.cell(4, 6), "600");
    EXPECT_EQ(art80.page.HelpPane()->toPlainText().left(50),
              "Se completeaza cu valoarea 1 daca agentul economic");
    // Art. 93^4 never computes on a move.
    art93.grid().SetCurrentCell(1, 8);
    art93.grid().SetCurrentCell(2, 5);
    EXPECT_EQ(art93.cell(1, 7), "");
    EXPECT_TRUE(art93.page.HelpPane()->toPlainText().startsWith("Suma reprezentand baza"));
}

TEST(LawTables, MissingConstantsLeaveAmountsEmptyAndSaySo) {
    Month m; // no constants at all
    std::vector<Conventie> v = Persons();
    v[0].categorie = "H";
    m.Add(v);
    m.Worked();
    Hosted<CArt80Dlg> art80;
    art80.page.OnNotify(1486, kLuna);
    art80.page.OnNotify(1488, 0);
    art80.page.OnNotify(1489, 0);
    EXPECT_EQ(art80.column(6), (std::vector<std::string>{"", "", "", "0", "", ""}));
    const QString help = art80.page.HelpPane()->toPlainText();
    EXPECT_TRUE(help.contains("ISR")) << help.toStdString();
    EXPECT_TRUE(help.contains("\"H\"")) << help.toStdString();
    EXPECT_EQ(theApp().m_totaluri.S80, 0);

    // Art. 93^4: two persons hired in a month without SMN, named once each; no total row.
    platform::ScopedMessageRecorder boxes;
    Hosted<CArt93_4Dlg> art93;
    art93.page.OnNotify(1486, kLuna);
    ASSERT_EQ(boxes.messages().size(), 1u);
    EXPECT_EQ(boxes.messages()[0].caption, "VORTAPL");
    EXPECT_NE(boxes.lastText().find("anul 2013, luna 10,\nanul 2013, luna 10.\n"),
              std::string::npos);
    EXPECT_EQ(art93.grid().GetRowCount(), 2);
    EXPECT_EQ(art93.page.PersonCount(), 2);
    // Without its total row every row is a person, and every person is saved.
    m.Settlement();
    EXPECT_TRUE(Save(art93.page));
    EXPECT_EQ(entrytest::Count("SELECT COUNT(*) AS NR FROM ATO_RAPORTARE_ART93_4"), 2);
}

TEST(LawTables, SaveFailureIsReportedAndLogged) {
    Luna m; // no settlement row: the detail rows have nothing to belong to
    m.Worked();
    Hosted<CArt80Dlg> t;
    t.page.OnNotify(1486, kLuna);
    t.page.OnNotify(1488, 0);
    platform::ScopedMessageRecorder boxes;
    EXPECT_FALSE(Save(t.page));
    ASSERT_EQ(boxes.messages().size(), 1u);
    EXPECT_EQ(boxes.messages()[0].caption, "VORTAPL");
    EXPECT_NE(m.App()
                  .Folder()
                  .ReadFile("vortapl.log")
                  .find("[ERR][CArt80Dlg::SaveData(IBPP::Transaction& tr)] oo-->> "),
              std::string::npos);
}

TEST(LawTables, MonthWithoutPersonsSavesNothing) {
    Month m;
    m.Settlement();
    Hosted<CArt80Dlg> t;
    t.page.OnNotify(1486, kLuna);
    EXPECT_EQ(t.grid().GetRowCount(), 3);
    EXPECT_TRUE(Save(t.page));
    EXPECT_EQ(entrytest::Count("SELECT COUNT(*) AS NR FROM ATO_RAPORTARE WHERE ART80T1 IS NULL"),
              1);
}

namespace {
// The pages of the main window that are not law tables: the timesheet sends, the summary
// records the totals it finds each time 1490 reaches it.
class OtherPage : public CTabPage {
public:
    void OnNotify(int code, long long param) override {
        CTabPage::OnNotify(code, param);
        if (code == 1490)
            seen.push_back(theApp().m_totaluri);
    }
    void Send(int code) { SendToParent(code); }
    std::vector<MonthTotals> seen;
};
} // namespace

TEST(LawTables, ThroughTheMainWindowRelay) {
    Luna m;
    std::vector<CTabPage*> pages = {new OtherPage, new OtherPage, new OtherPage,
                                    new OtherPage, new CArt80Dlg, new CArt85Dlg,
                                    new CL116Dlg,  new CL72Dlg,   new CArt93_4Dlg};
    CVORTAPLDlg w(pages);
    theApp().m_strCIF = kCIF;
    auto* summary = static_cast<OtherPage*>(pages[0]);
    auto* timesheet = static_cast<OtherPage*>(pages[2]);
    auto* payroll = static_cast<OtherPage*>(pages[3]);
    w.Notify(1485, 0);
    w.Notify(1486, kLuna);
    m.Worked();
    timesheet->Send(1488);
    payroll->Send(1489);
    ASSERT_FALSE(summary->seen.empty());
    const MonthTotals& t = summary->seen.back();
    EXPECT_EQ(std::vector<double>(
                  {t.E80, t.S80, t.E85, t.S85, t.S116, t.E116, t.S934, t.E934, t.S72, t.E72}),
              std::vector<double>({8, 1100, 4, 1300, 700, 0, 1500, 0, 522, 0}));

    // Saved in the fixed order in one transaction, the month opens again as it was.
    m.Settlement();
    {
        core::Transaction tr(theApp().m_db);
        tr.Start();
        for (CTabPage* p : pages)
            ASSERT_TRUE(p->SaveData(tr));
        tr.Commit();
    }
    theApp().m_totaluri.Clear();
    w.Notify(1485, 0);
    w.Notify(1491, kLuna);
    const MonthTotals& l = theApp().m_totaluri;
    EXPECT_EQ(std::vector<double>({l.E80, l.S80, l.E85, l.S85, l.S116, l.S934, l.S72}),
              std::vector<double>({8, 1100, 4, 1300, 700, 1500, 522}));
}

TEST(LawTables, NoRoundingModeTruncatesTheExemptionAndClearEmptiesThePage) {
    Luna m;
    m.Worked();
    Hosted<CArt80Dlg> t;
    t.page.OnNotify(1486, kLuna);
    t.page.OnNotify(1488, 0);
    EXPECT_EQ(t.cell(5, 7), "8"); // B1 1500: 7.5 rounded
    theApp().m_bFaraRotunjire = 1;
    t.page.OnNotify(1489, 0);
    EXPECT_EQ(t.cell(5, 7), "7");
    EXPECT_EQ(t.cell(6, 7), "1107");
    EXPECT_EQ(theApp().m_totaluri.E80, 7);

    t.grid().SetCurrentCell(1, 4);
    ASSERT_FALSE(t.page.HelpPane()->toPlainText().isEmpty());
    t.page.OnNotify(1485, 0);
    EXPECT_EQ(t.grid().GetRowCount(), 0);
    EXPECT_TRUE(t.page.HelpPane()->toPlainText().isEmpty());
}
