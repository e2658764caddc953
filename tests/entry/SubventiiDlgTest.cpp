// The subsidy summary on a real database: its grid, the split after notification 1490 with
// the totals the conventions page and the law tables write, the help by cell, and the save and
// load of the settlement row.
#include "entry/SubventiiDlg.h"
#include "EntryTestSupport.h"
#include "LunaTestSupport.h"
#include "WorkFolder.h"
#include "platform/MessageBox.h"
#include "widgets/XSimGrid.h"

#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

using namespace lunatest;
using testsupport::StartedApp;

namespace {

using Texte = std::vector<std::vector<std::string>>;

// Columns 2 and 3 of rows 1..6.
Texte Amounts(CSubventiiDlg& dlg) {
    Texte t;
    for (int r = 1; r <= 6; ++r)
        t.push_back({GetCellText(*dlg.Grid(), r, 2), GetCellText(*dlg.Grid(), r, 3)});
    return t;
}

const Texte kZeros(6, {"0", "0"});

class SubventiiTest : public ::testing::Test {
protected:
    void SetUp() override {
        AddEmployer("12345678", "12", 1);
        ImportConventii(DataFile("conventii_martie_2024.xml"), "12345678");
        SetConstant(2024, 3, "PROC_ANGAJATOR", 0.5);
        p = std::make_unique<PaginiLuna>();
        p->NewMonth(2024, 3);
    }
    void TearDown() override { theApp().m_bLunaFinala = false; }

    void TypeFS(const QString& text) {
        QLineEdit* fs = p->conventii.FS();
        fs->selectAll();
        QTest::keyClick(fs, Qt::Key_Delete);
        QTest::keyClicks(fs, text);
    }

    // Totals as the law tables leave them, then their notification.
    void LawTotals(double E80, double S80, double E85, double S85, double S116, double S934,
                   double S72) {
        MonthTotals& t = theApp().m_totaluri;
        t.E80 = E80, t.S80 = S80, t.E85 = E85, t.S85 = S85;
        t.S116 = S116, t.S934 = S934, t.S72 = S72;
        p->Notify(notify::Totals);
    }

    StartedApp s;
    platform::ScopedMessageRecorder boxes;
    std::unique_ptr<PaginiLuna> p;
};

} // namespace

TEST_F(SubventiiTest, GridWithTheLabelsOfTheEmployersCounty) {
    CXSimGrid& g = *p->subventii.Grid();
    ASSERT_EQ(g.GetRowCount(), 7);
    ASSERT_EQ(g.GetColCount(), 3);
    EXPECT_EQ(GetCellText(g, 0, 1), "Subventii si scutiri");
    EXPECT_EQ(GetCellText(g, 0, 2), "Recuperata prin deducere din contributia datorata");
    EXPECT_EQ(GetCellText(g, 0, 3), "De restituit de la Bugetul Asigurarilor pentru Somaj");
    EXPECT_EQ(GetCellText(g, 1, 1), "Subventii conform Art.80 din Legea nr. 76/2002, cu "
                                    "modificarile si completarile ulterioare");
    EXPECT_EQ(GetCellText(g, 5, 1), "Subventii in baza Legii nr. 116/2002 si a Normelor "
                                    "metodologice aprobate prin HG nr. 1.149/2002");
    EXPECT_EQ(GetCellText(g, 6, 1), "C.5.10.Subventii conform art. 1 din Legea nr. 72/2007");
    EXPECT_EQ(Amounts(p->subventii), kZeros);
    EXPECT_EQ(g.GetRowHeight(0), 70);
    for (int r = 1; r <= 6; ++r)
        EXPECT_EQ(g.GetRowHeight(r), 60);
    EXPECT_EQ(g.GetRowHeight(7), 0);
    EXPECT_EQ(g.GetColWidth(1), 250);
    EXPECT_EQ(g.GetColWidth(2), 100);
    EXPECT_EQ(g.GetColWidth(3), 100);
    const QColor back[] = {{255, 155, 0},  {255, 155, 0},   {255, 255, 55},
                           {255, 255, 55}, {255, 255, 105}, {255, 255, 205}};
    for (int r = 1; r <= 6; ++r)
        for (int c = 1; c <= 3; ++c) {
            const QModelIndex i = g.model()->index(r, c);
            EXPECT_EQ(i.data(Qt::BackgroundRole).value<QBrush>().color(), back[r - 1]);
            EXPECT_EQ(i.data(Qt::ForegroundRole).value<QBrush>().color(), QColor(128, 0, 0));
            EXPECT_TRUE(i.data(Qt::FontRole).value<QFont>().bold());
            EXPECT_TRUE(g.IsLocked(r, c));
        }
    EXPECT_EQ(g.currentIndex().row(), 7);
    EXPECT_EQ(g.currentIndex().column(), 1);

    // Help by cell: the stored column of an amount, nothing elsewhere.
    g.SetCurrentCell(2, 3);
    EXPECT_EQ(p->subventii.Ajutor()->text(), "SUB80144RES");
    g.SetCurrentCell(5, 2);
    EXPECT_EQ(p->subventii.Ajutor()->text(), "SUB116REC");
    g.SetCurrentCell(5, 1);
    EXPECT_EQ(p->subventii.Ajutor()->text(), "");

    // The county with code "21" numbers its rows.
    Exec("UPDATE ATN_AGENTI SET COD_JUDET = '21'");
    CSubventiiDlg numbered;
    CXSimGrid& n = *numbered.Grid();
    EXPECT_EQ(GetCellText(n, 1, 1), "C5.1.Subventii conform Art.80 din Legea nr. 76/2002, cu "
                                    "modificarile si completarile ulterioare");
    EXPECT_EQ(GetCellText(n, 4, 1),
              "C5.4.Scutire de la plata contributiei datorate de angajator, conform Art.85 "
              "alin.(1) din Legea nr. 76/2002, cu modificarile si completarile ulterioare");
    EXPECT_EQ(GetCellText(n, 5, 1),
              "C5.6.Subventii in baza Legii nr. 116/2002 sau a art. 93^4 din Legea 76/2002");
    EXPECT_EQ(GetCellText(n, 6, 1), "C.5.10.Subventii conform art. 1 din Legea nr. 72/2007");
}

// The rate 0.5 % makes TCAD 1000 of FS 200000 and 600 of FS 120000.
TEST_F(SubventiiTest, SplitFollowsTheTotalsAfterEachNotification) {
    LawTotals(200, 500, 0, 0, 300, 0, 0);
    EXPECT_EQ(Amounts(p->subventii), kZeros); // FS still 0

    TypeFS("200000");
    EXPECT_EQ(theApp().m_totaluri.TCAD, 1000);
    EXPECT_EQ(
        Amounts(p->subventii),
        (Texte{{"500", "0"}, {"200", "0"}, {"0", "0"}, {"0", "0"}, {"300", "0"}, {"0", "0"}}));

    TypeFS("120000");
    EXPECT_EQ(
        Amounts(p->subventii),
        (Texte{{"250", "250"}, {"200", "0"}, {"0", "0"}, {"0", "0"}, {"150", "150"}, {"0", "0"}}));

    // Exemptions above TCAD: every subsidy refunded, the exemption still deducted.
    LawTotals(800, 500, 0, 0, 300, 0, 0);
    EXPECT_EQ(
        Amounts(p->subventii),
        (Texte{{"0", "500"}, {"800", "0"}, {"0", "0"}, {"0", "0"}, {"0", "300"}, {"0", "0"}}));

    // No subsidy at all: nothing is divided by zero and the rows keep their texts.
    const Texte before = Amounts(p->subventii);
    LawTotals(100, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(Amounts(p->subventii), before);

    // FS 0 resets every amount even while the law tables hold totals.
    LawTotals(200, 500, 0, 0, 300, 0, 0);
    TypeFS("0");
    EXPECT_EQ(Amounts(p->subventii), kZeros);

    // A finalized month keeps what it shows.
    TypeFS("200000");
    theApp().m_bLunaFinala = true;
    LawTotals(0, 0, 0, 0, 0, 0, 999);
    EXPECT_EQ(Amounts(p->subventii)[5], (std::vector<std::string>{"0", "0"}));
    EXPECT_EQ(Amounts(p->subventii)[0], (std::vector<std::string>{"500", "0"}));
}

TEST_F(SubventiiTest, SavedMonthComesBackAsSaved) {
    TypeFS("120000");
    LawTotals(200, 500, 40, 900, 300, 100, 50);
    const Texte split = Amounts(p->subventii);
    {
        core::Transaction tr(theApp().m_db);
        tr.Start();
        ASSERT_TRUE(p->subventii.SaveData(tr));
        ASSERT_TRUE(p->conventii.SaveData(tr));
        core::Statement(tr).Execute(
            "UPDATE ATO_RAPORTARE SET COD_UNIC = 31337 WHERE AN = 2024 AND LN = 3");
        tr.Commit();
    }
    EXPECT_TRUE(boxes.messages().empty()) << boxes.lastText();
    const std::vector<std::string> cols = {"SUB80REC",  "SUB80RES",  "SUB80144REC", "SUB80144RES",
                                           "SUB85REC",  "SUB85RES",  "SUB85144REC", "SUB85144RES",
                                           "SUB116REC", "SUB116RES", "SUB172REC",   "SUB172RES",
                                           "FS",        "TCAD"};
    const auto stored = entrytest::Rows(
        "SELECT * FROM ATO_RAPORTARE WHERE AN = 2024 AND LN = 3 AND CIF = '12345678'", cols);
    ASSERT_EQ(stored.size(), 1u);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(std::stod(stored[0][static_cast<size_t>(i)]),
                  std::stod(split[static_cast<size_t>(i / 2)][static_cast<size_t>(i % 2)]))
            << cols[static_cast<size_t>(i)];
    EXPECT_EQ(std::stod(stored[0][12]), 120000);
    EXPECT_EQ(std::stod(stored[0][13]), 600);

    // The program restarted on the saved month: the stored split, FS and TCAD, the code.
    theApp().m_totaluri.Clear();
    PaginiLuna fresh;
    fresh.trimise.clear();
    fresh.LoadMonth(2024, 3);
    EXPECT_EQ(Amounts(fresh.subventii), split);
    EXPECT_EQ(fresh.conventii.FS()->text(), "120000");
    EXPECT_EQ(fresh.conventii.TCAD()->text(), "600");
    EXPECT_EQ(theApp().m_totaluri.FS, 120000);
    EXPECT_EQ(theApp().m_totaluri.TCAD, 600);
    EXPECT_EQ(theApp().m_totaluri.COD_UNIC, 31337);
    EXPECT_TRUE(fresh.trimise.empty());

    // A second insert of the same month fails as the database says, and is reported.
    core::Transaction tr(theApp().m_db);
    tr.Start();
    EXPECT_FALSE(fresh.subventii.SaveData(tr));
    ASSERT_EQ(boxes.messages().size(), 1u);
    EXPECT_EQ(boxes.messages()[0].caption, "VORTAPL");
    EXPECT_EQ(boxes.messages()[0].icon, platform::Icon::Error);
    const std::string log = s.Folder().ReadFile("vortapl.log");
    EXPECT_NE(log.find("[ERR][CSubventiiDlg::SaveData(IBPP::Transaction& tr)] oo-->> "),
              std::string::npos);
}
