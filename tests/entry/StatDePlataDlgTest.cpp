#include "entry/StatDePlataDlg.h"
#include "EntryTestSupport.h"
#include "MonthPagesSupport.h"
#include "WorkFolder.h"
#include "core/DetailId.h"
#include "entry/PontajGrid.h"
#include "entry/StatDePlataGrid.h"
#include "platform/MessageBox.h"
#include "widgets/XSimGrid.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace entrytest;
using namespace monthtest;
using namespace statplata;
using testsupport::StartedApp;

namespace {

const Persoana kIon{"100000000000001", "1800101123456", "POPESCU", "ION",
                    {2023, 1, 1},      {2025, 12, 31}};
const Persoana kAna{"100000000000002", "2800101123456", "IONESCU", "ANA",
                    {2023, 1, 1},      {2025, 12, 31}};

struct Month {
    StartedApp app;
    Pages pages;
    CXSimGrid& g;
    Month() : g(*pages.stat.Grid()) {
        core::ResetDetailIds();
        theApp().m_strCIF = "12345678";
        SetZileLuc(2024, 3, 21);
        FillCache({kIon, kAna});
        pages.Send(notify::NewMonth, 202403);
        pages.stat.show();
    }
    std::string Cell(int r, int c) { return GetCellText(g, r, c); }
    // The timesheet's figures of a record, as its recomputation leaves them, and the relay's
    // 1488.
    void Hours(int rec, const char* nol, const char* ore) {
        Rec(rec)[slot::NOL] = nol;
        Rec(rec)[slot::ORE_LUCRATE_IN_CONVENTIE] = ore;
        pages.sent.clear();
        pages.Send(notify::Hours);
    }
};

} // namespace

TEST(StatDePlataDlg, NewMonthHasOneRowPerConventionAndTypesOnlyTheAmounts) {
    Month m;
    EXPECT_EQ(m.g.GetColCount(), 9);
    EXPECT_EQ(m.g.GetRowCount(), 2);
    EXPECT_EQ(m.Cell(0, ColNol), "Nr. Ore Lucratoare (NOL)");
    EXPECT_EQ(m.Cell(0, ColSemnatura), "Semnatura");
    EXPECT_EQ(m.Cell(2, ColCnpLung), "100000000000002");
    EXPECT_EQ(m.Cell(2, ColNume), "IONESCU ANA");
    EXPECT_EQ(m.g.GetColWidth(ColCnpLung), 0);
    for (int c = 1; c <= 9; ++c)
        EXPECT_EQ(m.g.IsLocked(1, c), c != ColVenit && c != ColVenitCbfs && c != ColSemnatura) << c;
    // Only digits go into an amount.
    TypeIntoCell(m.g, 1, ColVenit, "12a3");
    EXPECT_EQ(m.Cell(1, ColVenit), "123");
    // No row is offered that could never be given a personal code.
    EXPECT_EQ(m.pages.stat.findChild<QPushButton*>("adaugaLinie"), nullptr);
}

TEST(StatDePlataDlg, TheIncomeOfThePeriodFollowsTheHours) {
    Month m;
    m.Hours(0, "160", "80");
    EXPECT_EQ(m.Cell(1, ColNol), "160");
    EXPECT_EQ(m.Cell(1, ColOre), "80");
    EXPECT_EQ(m.Cell(1, ColVenit), "0");    // an empty income becomes 0 at the refresh
    EXPECT_EQ(m.Cell(2, ColVenit), "0");    // every row, with or without hours
    EXPECT_EQ(m.Cell(2, ColVenitConv), ""); // a row without NOL is left as it is
    m.pages.sent.clear();
    TypeIntoCell(m.g, 1, ColVenit, "3000");
    EXPECT_EQ(m.Cell(1, ColVenitConv), "1500");
    EXPECT_EQ(m.Cell(1, ColVenitCbfs), "0");
    EXPECT_EQ(Rec(0)[slot::VENIT_BRUT_NOEL], "3000");
    EXPECT_EQ(Rec(0)[slot::VENIT_BRUT_IN_CONVENTIE], "1500");
    EXPECT_EQ(Rec(0)[slot::VENIT_BRUT_CBFS_CONV], "0");
    EXPECT_EQ(m.pages.Count(notify::Incomes), 1);
    m.Hours(0, "160", "81");
    EXPECT_EQ(m.Cell(1, ColVenitConv), "1519"); // 1518.75
    EXPECT_EQ(m.pages.Count(notify::Incomes), 1);
    TypeIntoCell(m.g, 1, ColVenitCbfs, "250");
    EXPECT_EQ(Rec(0)[slot::VENIT_BRUT_CBFS_CONV], "250");
    EXPECT_EQ(m.Cell(1, ColVenit), "3000"); // a typed income stays as typed
}

TEST(StatDePlataDlg, ANolOfZeroChangesNothingAndSendsNothing) {
    Month m;
    m.Hours(0, "0", "80");
    m.pages.sent.clear();
    TypeIntoCell(m.g, 1, ColVenit, "3000");
    EXPECT_EQ(m.Cell(1, ColVenitConv), "");
    EXPECT_EQ(Rec(0)[slot::VENIT_BRUT_NOEL], "");
    EXPECT_TRUE(m.pages.sent.empty());
}

TEST(StatDePlataDlg, OneTimesheetChangeRecomputesEveryRowAndNotifiesOnce) {
    Month m;
    Rec(1)[slot::NOL] = "168";
    Rec(1)[slot::ORE_LUCRATE_IN_CONVENTIE] = "168";
    m.Hours(0, "160", "160");
    TypeIntoCell(m.g, 1, ColVenit, "3000");
    TypeIntoCell(m.g, 2, ColVenit, "4200");
    Rec(1)[slot::ORE_LUCRATE_IN_CONVENTIE] = "84";
    m.Hours(0, "160", "40");
    EXPECT_EQ(m.pages.Count(notify::Incomes), 1);
    EXPECT_EQ(m.Cell(1, ColVenitConv), "750");
    EXPECT_EQ(m.Cell(2, ColVenitConv), "2100");
    // The same figures as recomputing row by row.
    for (int r : {1, 2})
        m.pages.stat.RecalcRow(r);
    EXPECT_EQ(m.Cell(1, ColVenitConv), "750");
    EXPECT_EQ(m.Cell(2, ColVenitConv), "2100");
    EXPECT_EQ(Rec(1)[slot::VENIT_BRUT_IN_CONVENTIE], "2100");
}

TEST(StatDePlataDlg, RowsOfConventionsCannotBeRemovedAndAFinalizedMonthIsReadOnly) {
    Month m;
    platform::ScopedMessageRecorder boxes;
    m.g.SetCurrentCell(1, ColVenit);
    m.pages.stat.OnEliminaLinie();
    EXPECT_EQ(boxes.lastText(), "Persoana POPESCU ION nu poate fi stearsa din lista\n"
                                "deoarece apare pe cel putin o conventie!");
    EXPECT_EQ(m.g.GetRowCount(), 2);
    EXPECT_EQ(m.pages.stat.HelpPane()->toPlainText().left(19), "Se introduce manual");
    m.pages.Send(notify::Finalized, 1);
    EXPECT_TRUE(m.g.IsLocked(1, ColVenit));
    EXPECT_FALSE(m.pages.stat.findChild<QPushButton*>("eliminaLinie")->isEnabled());
    m.Hours(0, "160", "80");
    EXPECT_EQ(m.Cell(1, ColVenitConv), "");
    EXPECT_TRUE(m.pages.sent.empty());
}
