#include "core/Lists.h"
#include "WorkFolder.h"
#include "core/DbOperation.h"
#include "core/Queries.h"
#include "core/VORTAPLApp.h"

#include <tuple>

#include <gtest/gtest.h>

using testsupport::StartedApp;

TEST(Judete, LoadsAllCountiesAndLooksThemUp) {
    StartedApp s;
    auto& j = s.App().m_judete;
    ASSERT_EQ(j.GetCount(), 42);
    EXPECT_EQ(j.GetCodJudet("cluj"), "12");
    EXPECT_EQ(j.GetNumeJudet("40"), "MUNICIPIUL BUCURESTI");
    EXPECT_EQ(j.GetCodJudet("NICIUNUL"), "");
    EXPECT_TRUE(j.GetLastError().empty());
    EXPECT_EQ(j.GetJudet(42), "");
    EXPECT_EQ(j.GetLastError(), "Pozitie invalida");
    EXPECT_EQ(j.GetSimbol(0), "AB");
    EXPECT_TRUE(j.GetLastError().empty());
}

TEST(Sarbatori, WorkingDaysAcrossWeekendHoliday) {
    StartedApp s;
    auto& h = *s.App().m_pSarbatori;
    // 2024-06-01 (Saturday) is a holiday; 2024-06-24 (Monday) too; the second is added twice
    // and keeps its last name.
    ASSERT_TRUE(h.Add(" 2024", "6 ", "1", " Ziua copilului "));
    ASSERT_TRUE(h.Add("2024", "06", "24", "A"));
    ASSERT_TRUE(h.Add("2024", "6", "24", "Rusalii"));
    EXPECT_EQ(h.GetCount(), 0); // Add does not touch the list in memory
    ASSERT_TRUE(h.Load());
    ASSERT_EQ(h.GetCount(), 2);

    EXPECT_TRUE(h.IsSarbatoare(2024, 6, 1));
    EXPECT_TRUE(h.IsZiNelucratoare(2024, 6, 1));
    EXPECT_TRUE(h.IsZiNelucratoare(2024, 6, 2)); // Sunday
    EXPECT_FALSE(h.IsZiNelucratoare(2024, 6, 3));
    EXPECT_TRUE(h.IsZiNelucratoare(2024, 6, 24));
    // June 2024 has 20 weekdays; the Saturday holiday does not count twice.
    EXPECT_EQ(h.GetZileLucratoare({2024, 6, 1}, {2024, 6, 30}), 19);
    EXPECT_EQ(h.GetZileLucratoare({2024, 6, 3}, {2024, 6, 3}), 1);
    EXPECT_EQ(h.GetZileLucratoare({2024, 6, 10}, {2024, 6, 3}), 0);
    EXPECT_EQ(h.GetZileLucratoare({2024, 5, 30}, {2024, 6, 3}), 0);

    // Parts that are not whole numbers are refused, not read up to the first letter.
    for (auto [an, ln, zi] : {std::tuple{"2024", "13", "1"}, std::tuple{"2024", "06x", "1"},
                              std::tuple{"2024abc", "6", "5"}, std::tuple{"2024", "6", ""}}) {
        EXPECT_FALSE(h.Add(an, ln, zi, "bad")) << an << "-" << ln << "-" << zi;
        EXPECT_NE(h.GetLastError().find("[ERR][_NZileNelucratoare::Add("), std::string::npos);
    }
    ASSERT_TRUE(h.Load());
    EXPECT_EQ(h.GetCount(), 2);
}

TEST(Lists, LoadAndQueryWithoutTheApplicationObject) {
    testsupport::WorkFolder f;
    core::Database db;
    db.Connect(f.File("VORTAPL.DAT").string(), core::kDbUser, core::kDbPassword);
    _NJudete j;
    ASSERT_TRUE(j.Load(db));
    EXPECT_EQ(j.GetCount(), 42);
    _NOptiuniApp o;
    ASSERT_TRUE(o.Load(db));
    ASSERT_TRUE(o.Update(db, "HOSTNAME", "gazda"));
    _NZileNelucratoare h;
    ASSERT_TRUE(h.Add(db, "2024", "12", "25", "Craciun"));
    ASSERT_TRUE(h.Load(db));
    EXPECT_TRUE(h.IsSarbatoare(2024, 12, 25));

    // Without a database to run on, the default forms fail as on a database error.
    _NConstanteSistem c;
    EXPECT_FALSE(c.Load());
    EXPECT_NE(c.GetLastError().find("[ERR]["), std::string::npos);
    std::string version = "neschimbat";
    EXPECT_FALSE(GetDBVersion(version));
    EXPECT_EQ(version, "neschimbat");

    // The shared queries run on the database a tool or test sets as the default.
    core::SetDefaultDatabase(&db);
    EXPECT_TRUE(GetDBVersion(version));
    EXPECT_EQ(version, "1.0");
    EXPECT_TRUE(c.Load());
    core::SetDefaultDatabase(nullptr);
}

TEST(ConstanteSistem, ValueByCodeAnyCaseOrMinusOne) {
    StartedApp s;
    s.Exec("INSERT INTO ATN_CS (AN, LN, CS, VALOARE) VALUES (2024, 2, 'SMB', 3700)");
    auto& c = s.App().m_constante;
    ASSERT_TRUE(c.Load());
    EXPECT_DOUBLE_EQ(c.GetValoare("smb", 2024, 2), 3700);
    EXPECT_TRUE(c.GetLastError().empty());
    EXPECT_DOUBLE_EQ(c.GetValoare("SMB", 2024, 3), -1.0);
    EXPECT_EQ(c.GetLastError(), "Constanta de sistem negasita");
}

TEST(OptiuniApp, FindValueAndUpdate) {
    StartedApp s;
    auto& o = s.App().m_optiuni;
    ASSERT_GE(o.GetCount(), 2);
    EXPECT_GE(o.Find("hostname"), 0);
    EXPECT_EQ(o.GetValoare("NU_EXISTA"), "");
    EXPECT_EQ(o.GetParametru(99), "");
    EXPECT_EQ(o.GetLastError(), "Pozitia 99 este invalida.");

    ASSERT_TRUE(o.Update("HOSTNAME", "server'nou"));
    EXPECT_EQ(o.GetValoare("HOSTNAME"), "server'nou");
    _NOptiuniApp fresh;
    ASSERT_TRUE(fresh.Load());
    EXPECT_EQ(fresh.GetValoare("HOSTNAME"), "server'nou");

    // An option added after the load is not in memory: the update fails and is undone.
    s.Exec("INSERT INTO ATO_OPTIUNI (PARAMETRU, VALOARE) VALUES ('NOU', 'vechi')");
    EXPECT_FALSE(o.Update("NOU", "nou"));
    ASSERT_TRUE(fresh.Load());
    EXPECT_EQ(fresh.GetValoare("NOU"), "vechi");

    // An option whose row has gone from the table is not reported as saved.
    s.Exec("DELETE FROM ATO_OPTIUNI WHERE PARAMETRU = 'HOSTNAME'");
    EXPECT_FALSE(o.Update("HOSTNAME", "altul"));
    EXPECT_EQ(o.GetValoare("HOSTNAME"), "server'nou");
    EXPECT_FALSE(o.GetLastError().empty());
}

TEST(ListaUnica, DistinctIgnoringCaseAndSpaces) {
    CListaUnica l;
    EXPECT_TRUE(l.Add("  abc "));
    EXPECT_FALSE(l.Add("ABC"));
    EXPECT_TRUE(l.Add("abd"));
    EXPECT_EQ(l.GetCount(), 2);
    EXPECT_EQ(l.At(0), "abc");
    EXPECT_EQ(l.At(5), "");
    EXPECT_TRUE(l.Contains("Abd"));
    l.RemoveAll();
    EXPECT_EQ(l.GetCount(), 0);
}
