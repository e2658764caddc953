#include "entry/PontajDlg.h"
#include "EntryTestSupport.h"
#include "MonthPagesSupport.h"
#include "WorkFolder.h"
#include "core/Database.h"
#include "core/DetailId.h"
#include "entry/PontajGrid.h"
#include "platform/MessageBox.h"
#include "widgets/XSimGrid.h"

#include <QAccessible>
#include <QPlainTextEdit>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace entrytest;
using namespace monthtest;
using namespace pontaj;
using testsupport::StartedApp;

namespace {

constexpr long long kMartie = 202403; // 31 days, weekends 2-3, 9-10, 16-17, 23-24, 30-31
constexpr int D = 31;

const Persoana kIon{"100000000000001", "1800101123456", "POPESCU", "ION",
                    {2023, 1, 1},      {2025, 12, 31}};

Persoana With(Persoana p, const char* cnpLung, const char* cnp, const int s[3], const int e[3]) {
    p.cnpLung = cnpLung;
    p.cnp = cnp;
    std::copy(s, s + 3, p.start);
    std::copy(e, e + 3, p.sfarsit);
    return p;
}

struct Month {
    StartedApp app;
    Pages pages;
    CXSimGrid& g;
    explicit Month(const std::vector<Persoana>& persoane, long long luna = kMartie,
                   bool zileLuc = true)
        : g(*pages.pontaj.Grid()) {
        core::ResetDetailIds();
        theApp().m_strCIF = "12345678";
        if (zileLuc)
            SetZileLuc(static_cast<int>(luna / 100), static_cast<int>(luna % 100), 21);
        FillCache(persoane);
        pages.Send(notify::NewMonth, luna);
        pages.pontaj.show();
    }
    std::string Cell(int r, int c) { return GetCellText(g, r, c); }
    void SetDays(int r, const std::string& working) {
        const LunaLucru& l = pages.pontaj.Luna();
        for (int d = 1; d <= l.iZile; ++d)
            if (!g.IsLocked(r, ColZi(d)) && !l.IsNelucratoare(d))
                g.SetCellText(r, ColZi(d), working);
    }
};

} // namespace

TEST(PontajDlg, NewMonthBuildsTheHeaderAndOneRowPerConvention) {
    Month m({kIon, With(kIon, "100000000000002", "2800101123456", kIon.start, kIon.sfarsit)});
    CXSimGrid& g = m.g;
    EXPECT_EQ(g.GetColCount(), D + 9);
    EXPECT_EQ(g.GetRowCount(), 3);
    EXPECT_EQ(m.Cell(0, ColCnpLung), "CNP LUNG");
    EXPECT_EQ(m.Cell(0, ColZi(1)), "Zile in perioada conventiei");
    EXPECT_EQ(m.Cell(1, ColZi(31)), "31");
    EXPECT_EQ(m.Cell(0, ColNol(D)), "NOL");
    EXPECT_EQ(m.Cell(2, 0), "1");
    EXPECT_EQ(m.Cell(3, 0), "2");
    EXPECT_EQ(m.Cell(2, ColCnpLung), "100000000000001");
    EXPECT_EQ(m.Cell(2, ColCnp), "1800101123456");
    EXPECT_EQ(m.Cell(2, ColNume), "POPESCU ION");
    EXPECT_EQ(g.GetColWidth(ColCnpLung), 0);
    // Weekends are marked, working days wait for the user.
    EXPECT_EQ(m.Cell(2, ColZi(2)), "X");
    EXPECT_EQ(m.Cell(2, ColZi(4)), "");
    EXPECT_FALSE(g.IsLocked(2, ColZi(4)));
    EXPECT_FALSE(g.IsLocked(2, ColNorma(D)));
    for (int c : {ColCnp, ColNume, ColMax(D), ColLucrate(D), ColNol(D)})
        EXPECT_TRUE(g.IsLocked(2, c)) << c;
    EXPECT_TRUE(m.pages.sent.empty()); // building a month computes nothing yet
}

TEST(PontajDlg, DayColumnsAreNamedWithTheirWeekdayForAssistiveTechnology) {
    Month m({kIon});
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&m.g);
    ASSERT_TRUE(table && table->tableInterface());
    auto headerName = [&](int col) {
        QAccessibleInterface* cell = table->tableInterface()->cellAt(2, col);
        if (!cell || !cell->tableCellInterface())
            return QString("<no cell>");
        const auto headers = cell->tableCellInterface()->columnHeaderCells();
        return headers.isEmpty() ? QString("<no header>") : headers[0]->text(QAccessible::Name);
    };
    EXPECT_EQ(headerName(ColZi(1)), "Ziua 1, vineri");
    EXPECT_EQ(headerName(ColZi(3)), "Ziua 3, duminica");
    EXPECT_EQ(headerName(ColZi(4)), "Ziua 4, luni");
    EXPECT_EQ(headerName(ColMax(D)), "Max pe perioada conventiei");
    EXPECT_EQ(headerName(ColNume), "Nume");
}

TEST(PontajDlg, AConventionEndingOnTheTenthLocksTheRestOfTheMonth) {
    int s[3] = {2023, 6, 1}, e[3] = {2024, 3, 10};
    Month m({With(kIon, "100000000000001", "1800101123456", s, e)});
    for (int d = 11; d <= D; ++d) {
        EXPECT_TRUE(m.g.IsLocked(2, ColZi(d))) << d;
        EXPECT_EQ(m.Cell(2, ColZi(d)), m.pages.pontaj.Luna().IsNelucratoare(d) ? "X" : "0") << d;
    }
    EXPECT_FALSE(m.g.IsLocked(2, ColZi(10)));
    TypeIntoCell(m.g, 2, ColNorma(D), "8");
    // Working days 1, 4..8: 6 days of 8 hours; days after the 10th are neither absences nor
    // worked.
    EXPECT_EQ(m.Cell(2, ColMax(D)), "48");
    m.pages.pontaj.OnMarcheazaPrezent();
    EXPECT_EQ(m.Cell(2, ColZi(8)), "8");
    EXPECT_EQ(m.Cell(2, ColZi(11)), "0");
    EXPECT_EQ(m.Cell(2, ColLucrate(D)), "48");
    EXPECT_EQ(m.Cell(2, ColNol(D)), "168");
    EXPECT_EQ(Rec(0)[slot::MAX_PE_PERIOADA], "48");
    EXPECT_EQ(Rec(0)[slot::ORE_LUCRATE_IN_CONVENTIE], "48");
    EXPECT_EQ(Rec(0)[slot::NOL], "168");
    EXPECT_EQ(Rec(0)[slot::NORMA], "8");
}

TEST(PontajDlg, AConventionStartingInALaterMonthHasNoMaximum) {
    int s[3] = {2024, 4, 5}, e[3] = {2024, 12, 31};
    Month m({With(kIon, "100000000000001", "1800101123456", s, e)});
    EXPECT_TRUE(m.g.IsLocked(2, ColZi(4)));
    TypeIntoCell(m.g, 2, ColNorma(D), "8");
    EXPECT_EQ(m.Cell(2, ColMax(D)), "0");
    EXPECT_EQ(m.Cell(2, ColLucrate(D)), "0");
}

TEST(PontajDlg, InvalidCodesAreCorrectedAtTheNextRecomputation) {
    Month m({kIon});
    m.g.SetCellText(2, ColNorma(D), "8");
    m.SetDays(2, "8");
    TypeIntoCell(m.g, 2, ColZi(4), "X");  // a Monday
    TypeIntoCell(m.g, 2, ColZi(3), "-1"); // a Sunday
    EXPECT_EQ(m.Cell(2, ColZi(4)), "0");
    EXPECT_EQ(m.Cell(2, ColZi(3)), "X");
    EXPECT_EQ(m.Cell(2, ColLucrate(D)), "160"); // 20 days worked, one absence
    const std::string log = m.app.Folder().ReadFile("vortapl.log");
    EXPECT_NE(log.find("Pontaj valoarea introdusa incorecta [2;7]"), std::string::npos);
    EXPECT_NE(log.find("Pontaj valoarea introdusa incorecta [2;6]"), std::string::npos);
}

TEST(PontajDlg, AWrongNormBecomesEightWithoutRecomputingTheTotals) {
    Month m({kIon});
    m.g.SetCellText(2, ColNorma(D), "6");
    m.SetDays(2, "6");
    m.pages.pontaj.RecalcRow(2);
    ASSERT_EQ(m.Cell(2, ColLucrate(D)), "126");
    m.pages.sent.clear();
    TypeIntoCell(m.g, 2, ColNorma(D), "9");
    EXPECT_EQ(m.Cell(2, ColNorma(D)), "8");
    EXPECT_EQ(m.Cell(2, ColLucrate(D)), "126");
    EXPECT_EQ(m.Cell(2, ColNol(D)), "126");
    EXPECT_EQ(Rec(0)[slot::NORMA], "6");
    EXPECT_EQ(m.pages.Count(notify::Hours), 0);
    EXPECT_NE(m.app.Folder()
                  .ReadFile("vortapl.log")
                  .find("Pontaj valoarea introdusa incorecta la norma [2;36]"),
              std::string::npos);
    m.pages.pontaj.RecalcRow(2); // the next recomputation takes the corrected norm
    EXPECT_EQ(m.Cell(2, ColNol(D)), "168");
    EXPECT_EQ(m.pages.Count(notify::Hours), 1);
}

TEST(PontajDlg, APersonTurningEighteenInTheMonthWorksSixHours) {
    Month m({With(kIon, "100000000000001", "5060315123456", kIon.start, kIon.sfarsit),
             With(kIon, "100000000000002", "5060215123456", kIon.start, kIon.sfarsit)});
    TypeIntoCell(m.g, 2, ColNorma(D), "8");
    EXPECT_EQ(m.Cell(2, ColNorma(D)), "6");
    // The run that corrects the norm still computes with the norm it read; leaving the row
    // computes with the corrected one.
    EXPECT_EQ(m.Cell(2, ColNol(D)), "168");
    TypeIntoCell(m.g, 3, ColNorma(D), "8");
    EXPECT_EQ(m.Cell(2, ColNol(D)), "126");
    EXPECT_EQ(m.Cell(3, ColNorma(D)), "8");
    m.pages.pontaj.OnAplicaNorma8();
    EXPECT_EQ(m.Cell(2, ColNorma(D)), "6");
    EXPECT_EQ(m.Cell(2, ColNol(D)), "126");
    EXPECT_EQ(m.Cell(3, ColNol(D)), "168");
}

TEST(PontajDlg, OvertimeInATwentyDayPeriodIsCappedAtItsMaximum) {
    int s[3] = {2024, 1, 1}, e[3] = {2024, 3, 28};
    Month m({With(kIon, "100000000000001", "1800101123456", s, e)});
    m.g.SetCellText(2, ColNorma(D), "8");
    m.SetDays(2, "10");
    m.g.SetCellText(2, ColZi(2), "10");
    m.g.SetCellText(2, ColZi(3), "10");
    m.pages.pontaj.RecalcRow(2);
    EXPECT_EQ(m.Cell(2, ColMax(D)), "160");
    EXPECT_EQ(m.Cell(2, ColLucrate(D)), "160");
}

TEST(PontajDlg, WithoutZileLucTheNolIsNegative) {
    Month m({kIon}, kMartie, false);
    TypeIntoCell(m.g, 2, ColNorma(D), "8");
    EXPECT_EQ(m.Cell(2, ColNol(D)), "-8");
    EXPECT_EQ(Rec(0)[slot::NOL], "-8");
}

TEST(PontajDlg, TypingAMonthMovesAlongTheDaysAndShowsTheTotalsAtOnce) {
    Month m({kIon});
    TypeIntoCell(m.g, 2, ColNorma(D), "8");
    m.g.SetCurrentCell(2, ColZi(4));
    for (const char* code : {"8", "8", "-2", "4"}) {
        Type(&m.g, code);
        Press(m.g.activeEditor(), Qt::Key_Return);
    }
    EXPECT_EQ(m.g.currentIndex().column(), ColZi(8));
    Type(&m.g, "-3");
    Press(m.g.activeEditor(), Qt::Key_Tab);
    EXPECT_EQ(m.g.currentIndex().column(), ColZi(9));
    EXPECT_EQ(m.Cell(2, ColZi(6)), "-2");
    EXPECT_EQ(m.Cell(2, ColCbfs(D)), "8");
    EXPECT_EQ(m.Cell(2, ColCass(D)), "8");
    EXPECT_EQ(Rec(0)[slot::ORE_CBFS], "8");
    // The empty days still to type count as absences until they are filled.
    EXPECT_EQ(m.Cell(2, ColLucrate(D)), "20");
    EXPECT_EQ(m.pages.pontaj.HelpPane()->toPlainText().left(8), "Ziua 9 d");
}

TEST(PontajDlg, MarkingPresentFillsEveryConventionWithOneNotification) {
    int s[3] = {2024, 3, 11}, e[3] = {2024, 12, 31};
    Month m({kIon, With(kIon, "100000000000002", "2800101123456", s, e)});
    m.pages.pontaj.OnAplicaNorma8();
    ASSERT_EQ(m.pages.Count(notify::Hours), 1);
    TypeIntoCell(*m.pages.stat.Grid(), 1, 6, "3000");
    TypeIntoCell(*m.pages.stat.Grid(), 2, 6, "3000");
    m.pages.sent.clear();
    m.pages.pontaj.OnAdaugaLinie(); // a row of the user's own is left alone
    m.pages.pontaj.OnMarcheazaPrezent();
    EXPECT_EQ(m.pages.Count(notify::Hours), 1);
    EXPECT_EQ(m.pages.Count(notify::Incomes), 1);
    EXPECT_EQ(m.Cell(2, ColLucrate(D)), "168");
    EXPECT_EQ(m.Cell(3, ColLucrate(D)), "120"); // from the 11th: 15 working days
    EXPECT_EQ(m.Cell(3, ColZi(4)), "0");
    EXPECT_EQ(m.Cell(4, ColZi(4)), "0"); // recomputed, not marked
    // The payroll took every row's hours.
    CXSimGrid& p = *m.pages.stat.Grid();
    EXPECT_EQ(GetCellText(p, 1, 4), "168");
    EXPECT_EQ(GetCellText(p, 2, 5), "120");
    EXPECT_EQ(GetCellText(p, 1, 7), "3000");
    EXPECT_EQ(GetCellText(p, 2, 7), "2143"); // 3000 / 168 * 120
    EXPECT_EQ(Rec(1)[slot::VENIT_BRUT_IN_CONVENTIE], "2143");
    // Marking again changes nothing and tells nobody.
    m.pages.sent.clear();
    m.pages.pontaj.OnMarcheazaPrezent();
    EXPECT_TRUE(m.pages.sent.empty());
}

TEST(PontajDlg, MarkingPresentWithoutANormUsesTheNormItWouldBeGiven) {
    Month m({kIon, With(kIon, "100000000000002", "5070101123456", kIon.start, kIon.sfarsit)});
    m.pages.pontaj.OnMarcheazaPrezent();
    EXPECT_EQ(m.Cell(2, ColNorma(D)), "8");
    EXPECT_EQ(m.Cell(2, ColZi(4)), "8");
    EXPECT_EQ(m.Cell(2, ColLucrate(D)), "168");
    EXPECT_EQ(m.Cell(3, ColNorma(D)), "6");
    EXPECT_EQ(m.Cell(3, ColLucrate(D)), "126");
}

TEST(PontajDlg, RowsAddedByHandKeepTheirNamesEditableAndCanBeRemoved) {
    Month m({kIon});
    platform::ScopedMessageRecorder boxes;
    m.pages.pontaj.OnAdaugaLinie();
    m.pages.pontaj.OnAdaugaLinie();
    EXPECT_EQ(m.g.GetRowCount(), 4);
    for (int r : {3, 4}) {
        EXPECT_FALSE(m.g.IsLocked(r, ColCnp)) << r;
        EXPECT_FALSE(m.g.IsLocked(r, ColNume)) << r;
        EXPECT_FALSE(m.g.IsLocked(r, ColZi(4))) << r;
    }
    EXPECT_TRUE(m.g.IsLocked(2, ColCnp));
    TypeIntoCell(m.g, 3, ColCnp, "1900101123456");
    TypeIntoCell(m.g, 3, ColNorma(D), "8");
    EXPECT_EQ(m.Cell(3, ColMax(D)), "168"); // no convention: the whole month
    EXPECT_EQ(m.pages.Count(notify::Hours), 0);

    m.g.SetCurrentCell(2, ColZi(4));
    m.pages.pontaj.OnEliminaLinie();
    ASSERT_EQ(boxes.messages().size(), 1u);
    EXPECT_EQ(boxes.lastText(), "Persoana POPESCU ION nu poate fi stearsa din lista\n"
                                "deoarece apare pe cel putin o conventie!");
    m.g.SetCurrentCell(4, ColZi(4));
    boxes.queue(platform::Answer::No);
    m.pages.pontaj.OnEliminaLinie();
    EXPECT_EQ(m.g.GetRowCount(), 4);
    boxes.queue(platform::Answer::Yes);
    m.pages.pontaj.OnEliminaLinie();
    EXPECT_EQ(m.g.GetRowCount(), 3);
    EXPECT_EQ(boxes.messages().back().text, "Confirmati stergerea liniei curente?");
    EXPECT_EQ(boxes.messages().back().buttons, platform::Buttons::YesNo);
}

TEST(PontajDlg, AFinalizedMonthIsReadOnly) {
    Month m({kIon});
    m.pages.Send(notify::Finalized, 1);
    EXPECT_TRUE(m.g.IsLocked(2, ColZi(4)));
    EXPECT_TRUE(m.g.IsLocked(2, ColNorma(D)));
    for (const char* b : {"adaugaLinie", "eliminaLinie", "aplicaNorma8", "marcheazaPrezent"})
        EXPECT_FALSE(m.pages.pontaj.findChild<QPushButton*>(b)->isEnabled()) << b;
    m.g.SetCellText(2, ColNorma(D), "8");
    m.pages.pontaj.RecalcRow(2);
    EXPECT_EQ(m.Cell(2, ColMax(D)), "");
    m.pages.Send(notify::Clear);
    EXPECT_EQ(m.g.GetRowCount(), 0);
    EXPECT_TRUE(m.pages.pontaj.findChild<QPushButton*>("marcheazaPrezent")->isEnabled());
}

TEST(PontajDlg, HelpFollowsTheColumn) {
    Month m({kIon});
    m.g.SetCurrentCell(2, ColNorma(D));
    EXPECT_EQ(m.pages.pontaj.HelpPane()->toPlainText().toStdString(),
              "Numarul de ore din norma. Se introduce prima data dupa care este preluat la "
              "fiecare luna.");
    EXPECT_EQ(ColumnHelp(ColZi(5), D).substr(0, 36), "Ziua 5 din luna de raportare. Se com");
    EXPECT_EQ(ColumnHelp(ColNol(D), D), "Numarul de zile lucratoare * norma");
    EXPECT_EQ(ColumnHelp(0, D), "");
}

TEST(PontajDlg, LegalHolidaysAreNonWorkingDays) {
    StartedApp app;
    theApp().m_db.ExecuteImmediate(
        "INSERT INTO ATN_SARBATORI_LEGALE (DATA, SARBATOARE) VALUES ('2024-05-01', 'Ziua muncii')");
    theApp().m_pSarbatori->Load();
    theApp().m_strCIF = "12345678";
    SetZileLuc(2024, 5, 22);
    FillCache({kIon});
    Pages p;
    p.Send(notify::NewMonth, 202405);
    CXSimGrid& g = *p.pontaj.Grid();
    EXPECT_EQ(GetCellText(g, 2, ColZi(1)), "X"); // a Wednesday, but Labour Day
    EXPECT_EQ(GetCellText(g, 2, ColZi(2)), "");
    p.pontaj.OnAplicaNorma8();
    p.pontaj.OnMarcheazaPrezent();
    EXPECT_EQ(GetCellText(g, 2, ColZi(1)), "X");
    EXPECT_EQ(GetCellText(g, 2, ColMax(D)), "176"); // 22 working days
    EXPECT_EQ(GetCellText(g, 2, ColLucrate(D)), "176");
}
