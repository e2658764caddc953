// Saving and loading the timesheet and the payroll of a month, on a real database.
#include "EntryTestSupport.h"
#include "MonthPagesSupport.h"
#include "WorkFolder.h"
#include "core/Database.h"
#include "core/DetailId.h"
#include "entry/PontajGrid.h"
#include "entry/StatDePlataGrid.h"
#include "platform/MessageBox.h"
#include "widgets/XSimGrid.h"

#include <gtest/gtest.h>

using namespace entrytest;
using namespace monthtest;
using testsupport::StartedApp;

namespace {

const Persoana kIon{"100000000000001", "1800101123456", "O'BRIEN", "ION",
                    {2020, 1, 1},      {2030, 12, 31}};
const Persoana kAna{"100000000000002", "2800101123456", "IONESCU", "ANA",
                    {2020, 1, 1},      {2030, 12, 31}};

std::vector<std::vector<std::string>> Texts(CXSimGrid& g, int firstRow) {
    std::vector<std::vector<std::string>> rows;
    for (int r = firstRow; r <= g.GetRowCount(); ++r) {
        rows.emplace_back();
        for (int c = 1; c <= g.GetColCount(); ++c)
            rows.back().push_back(GetCellText(g, r, c));
    }
    return rows;
}

bool Save(Pages& p) {
    core::Transaction tr(theApp().m_db);
    tr.Start();
    const bool ok = p.pontaj.SaveData(tr) && p.stat.SaveData(tr);
    if (ok)
        tr.Commit();
    return ok;
}

struct Db {
    StartedApp app;
    Db() {
        core::ResetDetailIds();
        theApp().m_strCIF = "12345678";
    }
};

// A month typed in: norms, days, incomes, a signature, and a row added by hand.
void TypeMonth(Pages& p, int an, int ln) {
    SetZileLuc(an, ln, 20);
    AddSettlement(an, ln);
    FillCache({kIon, kAna});
    p.Send(notify::NewMonth, an * 100 + ln);
    CXSimGrid& g = *p.pontaj.Grid();
    p.pontaj.OnAplicaNorma8();
    p.pontaj.OnMarcheazaPrezent();
    const int D = p.pontaj.Luna().iZile;
    TypeIntoCell(g, 2, pontaj::ColZi(D), "-4");
    g.SetCellText(3, pontaj::ColNorma(D), "7");
    g.SetCellText(3, pontaj::ColZi(2), "-2");
    g.SetCellText(3, pontaj::ColZi(6), "-3");
    p.pontaj.RecalcRow(3);
    p.pontaj.OnAdaugaLinie();
    TypeIntoCell(g, 4, pontaj::ColCnp, "1900101123456");
    TypeIntoCell(g, 4, pontaj::ColNume, "MANUAL VASILE");
    TypeIntoCell(g, 4, pontaj::ColNorma(D), "8");
    CXSimGrid& s = *p.stat.Grid();
    TypeIntoCell(s, 1, statplata::ColVenit, "3000");
    TypeIntoCell(s, 2, statplata::ColVenit, "2500");
    TypeIntoCell(s, 2, statplata::ColVenitCbfs, "120");
    TypeIntoCell(s, 1, statplata::ColSemnatura, "semnat");
}

} // namespace

TEST(MonthPagesDb, BothGridsComeBackAsSavedIn28And31DayMonths) {
    for (auto [an, ln] : {std::pair{2023, 2}, std::pair{2024, 3}}) {
        Db db;
        std::vector<std::vector<std::string>> pontaj, stat;
        {
            Pages p;
            TypeMonth(p, an, ln);
            pontaj = Texts(*p.pontaj.Grid(), 2);
            stat = Texts(*p.stat.Grid(), 1);
            ASSERT_TRUE(Save(p));
        }
        EXPECT_EQ(Count("SELECT COUNT(*) AS NR FROM ATO_RAPORTARE_PONTAJ"), 3);
        EXPECT_EQ(Count("SELECT COUNT(*) AS NR FROM ATO_RAPORTARE_STATDEPLATA"), 2);
        // The hand-added row is stored without a key, its weekend "X" as 0.
        EXPECT_EQ(Rows("SELECT CNP, Z01, NORMA FROM ATO_RAPORTARE_PONTAJ WHERE NUME = ?",
                       {"CNP", "NORMA"}, {std::string("MANUAL VASILE")}),
                  (std::vector<std::vector<std::string>>{{"0", "8"}}));

        Pages p;
        FillCache({kIon, kAna});
        p.Send(notify::LoadMonth, an * 100 + ln);
        const int D = p.pontaj.Luna().iZile;
        EXPECT_EQ(D, ln == 2 ? 28 : 31);
        EXPECT_EQ(Texts(*p.pontaj.Grid(), 2), pontaj) << an << "-" << ln;
        EXPECT_EQ(Texts(*p.stat.Grid(), 1), stat) << an << "-" << ln;
        EXPECT_TRUE(p.sent.empty());                         // loading recomputes nothing
        EXPECT_EQ(GetCellText(*p.pontaj.Grid(), 4, 0), "3"); // every loaded row is numbered
        // The records carry the stored figures for the law tables.
        EXPECT_EQ(Rec(1)[slot::NORMA], "7");
        EXPECT_EQ(Rec(1)[slot::NOL], "140");
        EXPECT_EQ(Rec(1)[slot::ORE_CBFS], pontaj[1][size_t(pontaj::ColCbfs(D) - 1)]);
        EXPECT_EQ(Rec(1)[slot::ORE_LUCRATE_IN_CONVENTIE],
                  pontaj[1][size_t(pontaj::ColLucrate(D) - 1)]);
        EXPECT_EQ(Rec(1)[slot::VENIT_BRUT_NOEL], "2500");
        EXPECT_EQ(Rec(1)[slot::VENIT_BRUT_CBFS_CONV], "120");
        EXPECT_EQ(Rec(0)[slot::VENIT_BRUT_IN_CONVENTIE], stat[0][statplata::ColVenitConv - 1]);
        // The hand-added row is one again: its name can still be typed.
        EXPECT_EQ(GetCellText(*p.pontaj.Grid(), 4, pontaj::ColCnpLung), "");
        EXPECT_FALSE(p.pontaj.Grid()->IsLocked(4, pontaj::ColNume));
    }
}

TEST(MonthPagesDb, ASavedMonthWithoutRowsLoadsOnlyItsHeader) {
    Db db;
    AddSettlement(2024, 3);
    Pages p;
    FillCache({kIon});
    p.Send(notify::LoadMonth, 202403);
    EXPECT_EQ(p.pontaj.Grid()->GetRowCount(), 1);
    EXPECT_EQ(p.stat.Grid()->GetRowCount(), 0);
    EXPECT_EQ(p.stat.Grid()->GetColCount(), 9);
}

TEST(MonthPagesDb, EmptyCellsAreSavedAsZero) {
    Db db;
    AddSettlement(2024, 3);
    Pages p;
    FillCache({kIon});
    p.Send(notify::NewMonth, 202403); // nothing computed, nothing typed
    ASSERT_TRUE(Save(p));
    EXPECT_EQ(Rows("SELECT * FROM ATO_RAPORTARE_PONTAJ",
                   {"Z01", "Z02", "MAX_PE_PERIOADA", "NORMA", "NOEL"}),
              (std::vector<std::vector<std::string>>{{"0", "0", "0", "0", "0"}}));
    EXPECT_EQ(Rows("SELECT * FROM ATO_RAPORTARE_STATDEPLATA",
                   {"NOEL", "VENIT_BRUT_NOEL", "VENIT_BRUT_IN_CONVENTIE", "SEMNATURA"}),
              (std::vector<std::vector<std::string>>{{"0", "0", "0", ""}}));
}

TEST(MonthPagesDb, ARowWithoutAValidPersonalCodeFailsTheSave) {
    Db db;
    AddSettlement(2024, 3);
    Pages p;
    FillCache({kIon});
    p.Send(notify::NewMonth, 202403);
    p.pontaj.OnAdaugaLinie();
    platform::ScopedMessageRecorder boxes;
    EXPECT_FALSE(Save(p));
    ASSERT_EQ(boxes.messages().size(), 1u);
    EXPECT_EQ(boxes.messages()[0].text, "CNP lipsa pe linia 2");
    EXPECT_EQ(boxes.messages()[0].caption, "VORTAPL");
    EXPECT_EQ(boxes.messages()[0].icon, platform::Icon::Error);
    EXPECT_NE(db.app.Folder()
                  .ReadFile("vortapl.log")
                  .find("[ERR][CPontajDlg::SaveData(IBPP::Transaction& tr)] oo-->> "),
              std::string::npos);
    EXPECT_EQ(Count("SELECT COUNT(*) AS NR FROM ATO_RAPORTARE_PONTAJ"), 0);

    boxes.clear();
    p.pontaj.Grid()->SetCellText(3, pontaj::ColCnp, "19001A");
    EXPECT_FALSE(Save(p));
    EXPECT_EQ(boxes.lastText(), "CNP incorect pe linia 2: 19001A");
}

TEST(MonthPagesDb, ANewMonthTakesTheNormsOfTheLastSavedMonth) {
    Db db;
    {
        Pages p;
        TypeMonth(p, 2024, 1); // Ion 8, Ana 7
        ASSERT_TRUE(Save(p));
    }
    {
        AddSettlement(2023, 12); // an earlier month with other norms
        Pages p;
        FillCache({kIon, kAna});
        p.Send(notify::NewMonth, 202312);
        for (int r : {2, 3})
            p.pontaj.Grid()->SetCellText(r, pontaj::ColNorma(31), "6");
        ASSERT_TRUE(Save(p));
    }
    Pages p;
    // Ana's convention is a new one (another key): she is found by her personal code.
    FillCache(
        {kIon,
         Persoana{"100000000000099", kAna.cnp, "IONESCU", "ANA", {2024, 2, 1}, {2030, 12, 31}},
         Persoana{
             "100000000000003", "1700101123456", "NOU", "NICU", {2024, 2, 1}, {2030, 12, 31}}});
    p.Send(notify::NewMonth, 202402);
    const int D = 29;
    EXPECT_EQ(GetCellText(*p.pontaj.Grid(), 2, pontaj::ColNorma(D)), "8");
    EXPECT_EQ(GetCellText(*p.pontaj.Grid(), 3, pontaj::ColNorma(D)), "7");
    EXPECT_EQ(GetCellText(*p.pontaj.Grid(), 4, pontaj::ColNorma(D)), "");
}
