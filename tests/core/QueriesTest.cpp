#include "core/Queries.h"
#include "WorkFolder.h"
#include "core/Database.h"
#include "core/VORTAPLApp.h"

#include <gtest/gtest.h>

using testsupport::StartedApp;

namespace {
void addAgent(StartedApp& s, const std::string& cif, int curent, const std::string& den = "FIRMA",
              int tipCalcul = 0) {
    auto& db = s.App().m_db;
    core::Transaction tr(db);
    core::Statement st(tr);
    st.Execute("INSERT INTO ATN_AGENTI (CIF, CURENT, COD_JUDET, DENUMIRE, TIP_CALCUL) VALUES (?, "
               "?, '12', ?, ?)",
               {cif, std::int64_t(curent), den, std::int64_t(tipCalcul)});
    tr.Commit();
}

void setConstants(StartedApp& s, int an, int ln, const std::vector<std::string>& codes) {
    for (auto& c : codes)
        s.Exec("INSERT INTO ATN_CS (AN, LN, CS, VALOARE) VALUES (" + std::to_string(an) + ", " +
               std::to_string(ln) + ", '" + c + "', 1234.5678)");
}
} // namespace

TEST(Queries, EmployerQueries) {
    StartedApp s;
    EXPECT_FALSE(IsAgentDefined("RO1"));
    std::string cif = "unchanged", den = "unchanged", jud = "unchanged";
    EXPECT_TRUE(GetDateAgentImplicit(cif, den, jud)); // no default employer: outputs untouched
    EXPECT_EQ(cif, "unchanged");

    addAgent(s, "RO1", 1, "PRIMA");
    addAgent(s, "O'2", 0, "A DOUA", 3);
    EXPECT_TRUE(IsAgentDefined("RO1"));
    EXPECT_TRUE(IsAgentDefined("O'2"));

    EXPECT_TRUE(SetAgentImplicit("O'2"));
    EXPECT_TRUE(GetDateAgentImplicit(cif, den, jud));
    EXPECT_EQ(cif, "O'2");
    EXPECT_EQ(den, "A DOUA");
    EXPECT_EQ(jud, "12");
    std::string only;
    EXPECT_TRUE(GetAgentImplicit(only));
    EXPECT_EQ(only, "O'2");

    std::string probe = "o'2";
    int fara = -1;
    EXPECT_TRUE(GetModCalculAgent(probe, fara));
    EXPECT_EQ(probe, "o'2"); // CIF match is exact: no row, outputs untouched
    EXPECT_EQ(fara, -1);
    probe = "O'2";
    EXPECT_TRUE(GetModCalculAgent(probe, fara));
    EXPECT_EQ(fara, 3);

    s.Exec("INSERT INTO ATN_AGENTI_DETALII (CIF, PROPRIETATE, VALOARE) VALUES ('O''2', 'IBAN', "
           "'RO49AAAA1B31007593840000')");
    std::string val = "none";
    EXPECT_TRUE(GetDetaliuAgentImplicit("IBAN", val));
    EXPECT_EQ(val, "RO49AAAA1B31007593840000");
    val = "none";
    EXPECT_TRUE(GetDetaliuAgentImplicit("CAEN", val));
    EXPECT_EQ(val, "none");
}

TEST(Queries, SettlementQueries) {
    StartedApp s;
    EXPECT_FALSE(ExistaDecont(2024, 5, "RO1"));
    EXPECT_FALSE(IsLunaFinala(2024, 5, "RO1"));
    s.Exec("INSERT INTO ATO_RAPORTARE (AN, LN, CIF, STARE) VALUES (2024, 5, 'RO1', 1)");
    EXPECT_TRUE(ExistaDecont(2024, 5, "RO1"));
    EXPECT_FALSE(ExistaDecont(2024, 6, "RO1"));
    EXPECT_TRUE(IsLunaFinala(2024, 5, "RO1"));
    EXPECT_TRUE(DeschideLuna(2024, 5, "RO1"));
    EXPECT_FALSE(IsLunaFinala(2024, 5, "RO1"));
    EXPECT_TRUE(ExistaDecont(2024, 5, "RO1"));
}

TEST(Queries, ConstantsOfAMonth) {
    StartedApp s;
    EXPECT_FALSE(ExistaCS(2024, 1));
    setConstants(s, 2024, 1, {"ISR", "SMB", "SMN", "PROC_ANGAJATOR"});
    EXPECT_FALSE(ExistaCS(2024, 1)); // one missing
    setConstants(s, 2024, 1, {"ZILELUC"});
    EXPECT_TRUE(ExistaCS(2024, 1));
    // A leftover row of a constant that is no longer valid makes the month incomplete.
    s.Exec(
        "INSERT INTO ATN_PROPRIETATI_CS (CS, PINTREAGA, ZECIMALE, VALID) VALUES ('OLD', 3, 5, 0)");
    setConstants(s, 2024, 1, {"OLD"});
    EXPECT_FALSE(ExistaCS(2024, 1));

    std::string text = "before";
    EXPECT_TRUE(GetCSAsString("PROC_ANGAJATOR", 2024, 1, text));
    EXPECT_EQ(text, "1234.57");
    EXPECT_TRUE(GetCSAsString("SMB", 2024, 1, text));
    EXPECT_EQ(text, "1235");
    EXPECT_FALSE(GetCSAsString("SMB", 2024, 2, text));
    EXPECT_EQ(text, "1235");
    // Five decimals is outside 0..4: found, text unchanged.
    s.Exec("UPDATE ATN_PROPRIETATI_CS SET VALID = 1 WHERE CS = 'OLD'");
    text = "same";
    EXPECT_TRUE(GetCSAsString("OLD", 2024, 1, text));
    EXPECT_EQ(text, "same");
}

TEST(Queries, NewMeasureFlagFromEarliestActiveStart) {
    StartedApp s;
    auto add = [&](const char* start, const char* end, int stareMa) {
        s.Exec(std::string("INSERT INTO ATO_INFO_CONVENTII (CIF, CNP, ID_MA, TIP_MA, STARE_PERS, "
                           "STARE_MA, DATA_START, DATA_SFARSIT) VALUES ('RO1', 1, 1, 22, 0, ") +
               std::to_string(stareMa) + ", '" + start + "', '" + end + "')");
    };
    int flag = 7;
    EXPECT_TRUE(GetNewMA("RO1", 2024, 1, flag));
    EXPECT_EQ(flag, 7); // no conventions: unchanged
    add("2014-01-01", "2025-01-01", 1);
    EXPECT_TRUE(GetNewMA("RO1", 2024, 1, flag));
    EXPECT_EQ(flag, 1);
    add("2013-10-21", "2025-01-01", 1);
    EXPECT_TRUE(GetNewMA("RO1", 2024, 1, flag));
    EXPECT_EQ(flag, 0);
    EXPECT_TRUE(GetNewMA("RO1", 2025, 2, flag)); // both ended
    add("2012-01-01", "2030-01-01", 0);          // inactive measure does not count
    flag = 9;
    EXPECT_TRUE(GetNewMA("RO1", 2025, 2, flag));
    EXPECT_EQ(flag, 9);
}

TEST(Queries, DatabaseErrorsReturnFalseAndLogTheSignature) {
    StartedApp s;
    // Connect the application to a database without any table: every statement fails.
    auto& db = s.App().m_db;
    db.Disconnect();
    core::CreateDatabaseFile(s.Folder().File("EMPTY.DAT").string(), core::kDbUser,
                             core::kDbPassword);
    db.Connect(s.Folder().File("EMPTY.DAT").string(), core::kDbUser, core::kDbPassword);

    std::string a = "a", b = "b", c = "c";
    int f = 5;
    EXPECT_FALSE(GetDBVersion(a));
    EXPECT_FALSE(IsAgentDefined("RO1"));
    EXPECT_FALSE(IsLunaFinala(2024, 1, "RO1"));
    EXPECT_FALSE(ExistaDecont(2024, 1, "RO1"));
    EXPECT_FALSE(DeschideLuna(2024, 1, "RO1"));
    EXPECT_FALSE(SetAgentImplicit("RO1"));
    EXPECT_FALSE(GetAgentImplicit(a));
    EXPECT_FALSE(GetDateAgentImplicit(a, b, c));
    EXPECT_FALSE(GetDetaliuAgentImplicit("IBAN", a));
    EXPECT_FALSE(GetModCalculAgent(a, f));
    EXPECT_FALSE(GetCSAsString("SMB", 2024, 1, a));
    EXPECT_FALSE(ExistaCS(2024, 1));
    EXPECT_FALSE(GetNewMA("RO1", 2024, 1, f));
    EXPECT_EQ(a, "a");
    EXPECT_EQ(f, 5);

    const std::string log = s.Folder().ReadFile("vortapl.log");
    for (const char* line :
         {"[ERR][GetDBVersion(CString& strVersion)] oo-->> ",
          "[ERR][IsAgentDefined (CString strCIF)] oo-->> ",
          "[ERR][IsLunaFinala( int iAnul, int iLuna, CString strCIF)] oo-->> ",
          "[ERR][DeschideLuna( int iAnul, int iLuna, CString strCIF)] oo-->> ",
          "[ERR][SetAgentImplicit (CString strCIF)] oo-->> ",
          "[ERR][GetDateAgentImplicit(CString& strCIF, CString& strDEN, CString& strCodJudet)] "
          "oo-->> ",
          "[ERR][GetDetaliuAgentImplicit(CString strProp, CString& strVal)] oo-->> ",
          "[ERR][GetModCalculAgent (CString& strCIF, bool bFaraRotunjire)] oo-->> ",
          "[ERR][GetCSAsString(CString strCS, int iAnul, int iLuna, CString& strVal)] oo-->> ",
          "[ERR][bool ExistaCS( int iAn, int iLn)] oo-->> "})
        EXPECT_NE(log.find(line), std::string::npos) << line;
    EXPECT_NE(log.find("Table unknown"), std::string::npos);
}
