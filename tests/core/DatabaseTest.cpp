#include "core/Database.h"
#include "WorkFolder.h"
#include "core/VORTAPLApp.h"

#include <gtest/gtest.h>

#include <cmath>

using core::Date;
using core::Statement;
using core::Transaction;
using testsupport::StartedApp;

namespace {
std::int64_t count(core::Database& db, const std::string& sql) {
    Transaction tr(db, core::TransactionMode::ReadOnly);
    Statement st(tr);
    st.Execute(sql);
    st.Fetch();
    return st.GetInt64("NR");
}
} // namespace

TEST(Database, BoundValuesRoundTripUnchanged) {
    StartedApp s;
    auto& db = s.App().m_db;
    {
        Transaction tr(db);
        Statement st(tr);
        st.Execute("INSERT INTO ATN_AGENTI (CIF, CURENT, COD_JUDET, DENUMIRE, TIP_CALCUL) "
                   "VALUES (?, ?, ?, ?, ?)",
                   {std::string("RO1'2"), std::int64_t(1), std::string("12"),
                    std::string("O'Brien; DROP TABLE JUDETE -- ăâîșț"), std::int64_t(0)});
        st.Execute("INSERT INTO ATO_INFO_CONVENTII (CIF, CNP, CNP_CORECT, NUME, ID_MA, "
                   "DATA_START, SUMA_BAZA_CALCUL_L116) VALUES (?, ?, ?, ?, ?, ?, ?)",
                   {std::string("RO1'2"), std::int64_t(1850212123456LL),
                    std::int64_t(2850212123456LL), std::string("Ana"),
                    std::int64_t(9007199254740993LL), Date{2013, 10, 22}, 1234.56});
        tr.Commit();
    }
    Transaction tr(db, core::TransactionMode::ReadOnly);
    Statement st(tr);
    st.Execute("SELECT A.DENUMIRE, C.* FROM ATN_AGENTI A, ATO_INFO_CONVENTII C "
               "WHERE A.CIF = C.CIF AND A.CIF = ?",
               {std::string("RO1'2")});
    ASSERT_TRUE(st.Fetch());
    EXPECT_EQ(st.GetText("DENUMIRE"), "O'Brien; DROP TABLE JUDETE -- ăâîșț");
    EXPECT_EQ(st.GetInt64("CNP"), 1850212123456LL);
    EXPECT_EQ(st.GetInt64("ID_MA"), 9007199254740993LL);
    EXPECT_EQ(st.GetDate("DATA_START"), (Date{2013, 10, 22}));
    EXPECT_DOUBLE_EQ(st.GetDouble("SUMA_BAZA_CALCUL_L116"), 1234.56);
    EXPECT_TRUE(st.IsNull("DATA_PENS"));
    EXPECT_FALSE(st.Fetch());
    EXPECT_EQ(count(db, "SELECT COUNT(*) AS NR FROM JUDETE"), 42);
}

TEST(Database, AmountsKeepTheirCents) {
    StartedApp s;
    auto& db = s.App().m_db;
    s.Exec("INSERT INTO ATO_RAPORTARE (AN, LN, CIF) VALUES (2024, 1, 'X')");
    const double amounts[] = {12.35, 0.1, 2.675, 999999999.99, -0.29, 1.005};
    for (double v : amounts) {
        {
            Transaction tr(db);
            Statement st(tr);
            st.Execute("UPDATE ATO_RAPORTARE SET FS = ? WHERE CIF = 'X'", {v});
            tr.Commit();
        }
        Transaction tr(db, core::TransactionMode::ReadOnly);
        Statement st(tr);
        st.Execute("SELECT FS FROM ATO_RAPORTARE WHERE CIF = 'X'");
        ASSERT_TRUE(st.Fetch());
        EXPECT_NEAR(st.GetDouble("FS"), v, 0.0051) << v;
        EXPECT_NEAR(st.GetDouble("FS") * 100, std::round(v * 100), 1e-6) << v;
    }
}

TEST(Database, TransactionRollsBackUnlessCommitted) {
    StartedApp s;
    auto& db = s.App().m_db;
    {
        Transaction tr(db);
        Statement st(tr);
        st.Execute("DELETE FROM JUDETE");
    }
    EXPECT_EQ(count(db, "SELECT COUNT(*) AS NR FROM JUDETE"), 42);
}

TEST(Database, EngineErrorCarriesItsTextAndLeavesConnectionUsable) {
    StartedApp s;
    auto& db = s.App().m_db;
    try {
        Transaction tr(db);
        Statement st(tr);
        st.Execute("SELECT * FROM NO_SUCH_TABLE");
        FAIL() << "no error";
    } catch (const core::DbError& e) {
        EXPECT_NE(std::string(e.what()).find("NO_SUCH_TABLE"), std::string::npos) << e.what();
    }
    try {
        Transaction tr(db);
        Statement st(tr);
        st.Execute("INSERT INTO JUDETE (COD_JUDET, JUDET) VALUES ('01', 'DUPLICAT')");
        FAIL() << "no error";
    } catch (const core::DbError& e) {
        EXPECT_NE(std::string(e.what()).find("PK_JUDETE"), std::string::npos) << e.what();
    }
    EXPECT_EQ(count(db, "SELECT COUNT(*) AS NR FROM JUDETE"), 42);
}

TEST(Database, SecondTransactionWhileOneIsOpen) {
    StartedApp s;
    auto& db = s.App().m_db;
    Transaction outer(db);
    Statement st(outer);
    st.Execute("UPDATE ATO_OPTIUNI SET VALOARE = 'x' WHERE PARAMETRU = 'HOSTNAME'");
    // A separate read sees the committed state, not the open change.
    {
        Transaction inner(db, core::TransactionMode::ReadOnly);
        Statement q(inner);
        q.Execute("SELECT VALOARE FROM ATO_OPTIUNI WHERE PARAMETRU = 'HOSTNAME'");
        ASSERT_TRUE(q.Fetch());
        EXPECT_NE(q.GetText("VALOARE"), "x");
    }
    outer.Rollback();
}

TEST(Database, StatementIsTracedWithItsValuesBeforeItRuns) {
    StartedApp s;
    auto& db = s.App().m_db;
    try {
        Transaction tr(db);
        Statement st(tr);
        st.Execute("SELECT * FROM NO_TABLE WHERE A = ? AND B = ? AND C = '?'",
                   {std::string("O'B"), std::int64_t(7)});
    } catch (const core::DbError&) {
    }
    std::string log = s.Folder().ReadFile("vortapl.log");
    EXPECT_NE(log.find("SELECT * FROM NO_TABLE WHERE A = 'O''B' AND B = 7 AND C = '?'"),
              std::string::npos);
}

TEST(Database, DeletingASettlementCascadesToAllDetailTables) {
    StartedApp s;
    auto& db = s.App().m_db;
    const char* details[] = {"ATO_RAPORTARE_PONTAJ",  "ATO_RAPORTARE_STATDEPLATA",
                             "ATO_RAPORTARE_ART80",   "ATO_RAPORTARE_ART85",
                             "ATO_RAPORTARE_ART93_4", "ATO_RAPORTARE_L116",
                             "ATO_RAPORTARE_L72"};
    s.Exec("INSERT INTO ATO_RAPORTARE (AN, LN, CIF) VALUES (2024, 5, 'RO1')");
    s.Exec("INSERT INTO ATO_RAPORTARE (AN, LN, CIF) VALUES (2024, 6, 'RO1')");
    int ms = 0;
    for (int ln : {5, 6})
        for (const char* t : details) {
            Transaction tr(db);
            Statement st(tr);
            std::string extra, vals;
            if (std::string(t) == "ATO_RAPORTARE_ART93_4" ||
                std::string(t) == "ATO_RAPORTARE_L116") {
                extra = ", CATEGORIE, SUMA_BC, ORE_IN_CONVENTIE, SUMA_CONVENTIE, ID_MA, ID_PERS";
                vals = ", 'A', 0, 0, 0, 1, 1";
            }
            st.Execute(std::string("INSERT INTO ") + t +
                           " (ID, AN, LN, CIF, CNP, CNP_CORECT, NUME" + extra +
                           ") VALUES (?, 2024, ?, 'RO1', 1, 1, 'N'" + vals + ")",
                       {core::Timestamp{2024, 1, 1, 0, 0, 0, ms++}, std::int64_t(ln)});
            tr.Commit();
        }
    s.Exec("DELETE FROM ATO_RAPORTARE WHERE AN = 2024 AND LN = 5 AND CIF = 'RO1'");
    for (const char* t : details) {
        EXPECT_EQ(count(db, std::string("SELECT COUNT(*) AS NR FROM ") + t + " WHERE LN = 5"), 0)
            << t;
        EXPECT_EQ(count(db, std::string("SELECT COUNT(*) AS NR FROM ") + t + " WHERE LN = 6"), 1)
            << t;
    }
}

TEST(Database, RepeatedStatementsWithNewValues) {
    StartedApp s;
    auto& db = s.App().m_db;
    Transaction tr(db);
    Statement st(tr);
    // The same insert again and again, a select in between, then the insert again, then a
    // commit and a new transaction on the same statement object.
    for (int i = 0; i < 50; ++i) {
        st.Execute("INSERT INTO ATN_CS (AN, LN, CS, VALOARE) VALUES (?, ?, ?, ?)",
                   {std::int64_t(2000 + i), std::int64_t(1), std::string("SMB"), 100.5 + i});
        if (i == 25) {
            st.Execute("SELECT COUNT(*) AS NR FROM ATN_CS WHERE AN >= ?", {std::int64_t(2000)});
            ASSERT_TRUE(st.Fetch());
            EXPECT_EQ(st.GetInt("NR"), 26);
        }
    }
    tr.Commit();
    tr.Start();
    st.Execute("INSERT INTO ATN_CS (AN, LN, CS, VALOARE) VALUES (?, ?, ?, ?)",
               {std::int64_t(2100), std::int64_t(1), std::string("SMB"), 1.25});
    EXPECT_THROW(st.Execute("INSERT INTO ATN_CS (AN, LN, CS, VALOARE) VALUES (?, ?, ?, ?)",
                            {std::int64_t(2100), std::int64_t(1), std::string("SMB"), 1.25}),
                 core::DbError); // duplicate key
    st.Execute("INSERT INTO ATN_CS (AN, LN, CS, VALOARE) VALUES (?, ?, ?, ?)",
               {std::int64_t(2101), std::int64_t(1), std::string("SMB"), 2.5});
    tr.Commit();
    EXPECT_EQ(count(db, "SELECT COUNT(*) AS NR FROM ATN_CS WHERE AN >= 2000"), 52);
    Transaction rd(db, core::TransactionMode::ReadOnly);
    Statement q(rd);
    q.Execute("SELECT VALOARE FROM ATN_CS WHERE AN = ?", {std::int64_t(2049)});
    ASSERT_TRUE(q.Fetch());
    EXPECT_DOUBLE_EQ(q.GetDouble("VALOARE"), 149.5);
}

TEST(Database, FormatStatementQuotesValues) {
    EXPECT_EQ(core::FormatStatement("X = ? AND Y = ? AND Z = ? AND W = ?",
                                    {core::Null{}, 2.5, Date{2024, 1, 2}, std::string("a'b")}),
              "X = NULL AND Y = 2.5 AND Z = '2024-01-02' AND W = 'a''b'");
}
