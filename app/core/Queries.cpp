#include "core/Queries.h"

#include "core/Database.h"
#include "core/DbOperation.h"

#include <cstdio>
#include <functional>

using core::Date;
using core::Statement;
using core::Value;

namespace {

bool runQuery(const std::string& signature, core::TransactionMode mode, core::LockResolution lock,
              const std::function<void(Statement&)>& fn) {
    return core::RunLogged(signature, fn, mode, lock);
}

const auto RO = core::TransactionMode::ReadOnly;
const auto RW = core::TransactionMode::ReadWrite;
const auto WAIT = core::LockResolution::Wait;
const auto NOWAIT = core::LockResolution::NoWait;

std::string args3(const char* name) {
    return std::string(name) + "( int iAnul, int iLuna, CString strCIF)";
}

} // namespace

bool GetDBVersion(std::string& strVersion) {
    return runQuery("GetDBVersion(CString& strVersion)", RO, WAIT, [&](Statement& st) {
        st.Execute("SELECT VERSIUNE FROM ATO_VERSIUNE");
        if (st.Fetch())
            strVersion = st.GetText("VERSIUNE");
    });
}

bool IsAgentDefined(const std::string& strCIF) {
    bool found = false;
    bool ok = runQuery("IsAgentDefined (CString strCIF)", RO, NOWAIT, [&](Statement& st) {
        st.Execute("SELECT COUNT(*) AS NR FROM ATN_AGENTI WHERE CIF = ?", {strCIF});
        found = st.Fetch() && st.GetInt("NR") > 0;
    });
    return ok && found;
}

bool IsLunaFinala(int iAnul, int iLuna, const std::string& strCIF) {
    bool final = false;
    bool ok = runQuery(args3("IsLunaFinala"), RO, NOWAIT, [&](Statement& st) {
        st.Execute("SELECT STARE FROM ATO_RAPORTARE WHERE AN = ? AND LN = ? AND CIF = ?",
                   {std::int64_t(iAnul), std::int64_t(iLuna), strCIF});
        final = st.Fetch() && st.GetInt("STARE") > 0;
    });
    return ok && final;
}

bool ExistaDecont(int iAnul, int iLuna, const std::string& strCIF) {
    bool found = false;
    bool ok = runQuery(args3("ExistaDecont"), RO, NOWAIT, [&](Statement& st) {
        st.Execute("SELECT COUNT(*) AS NR FROM ATO_RAPORTARE WHERE AN = ? AND LN = ? AND CIF = ?",
                   {std::int64_t(iAnul), std::int64_t(iLuna), strCIF});
        found = st.Fetch() && st.GetInt("NR") > 0;
    });
    return ok && found;
}

bool DeschideLuna(int iAnul, int iLuna, const std::string& strCIF) {
    return runQuery(args3("DeschideLuna"), RW, WAIT, [&](Statement& st) {
        st.Execute("UPDATE ATO_RAPORTARE SET STARE = 0, DATA_STARE = CURRENT_TIMESTAMP WHERE AN "
                   "= ? AND LN = ? AND CIF = ?",
                   {std::int64_t(iAnul), std::int64_t(iLuna), strCIF});
    });
}

bool SetAgentImplicit(const std::string& strCIF) {
    return runQuery("SetAgentImplicit (CString strCIF)", RW, WAIT, [&](Statement& st) {
        st.Execute("UPDATE ATN_AGENTI SET CURENT = 0");
        st.Execute("UPDATE ATN_AGENTI SET CURENT = 1 WHERE CIF = ?", {strCIF});
    });
}

bool GetAgentImplicit(std::string& strCIF) {
    return runQuery("GetAgentImplicit(CString& strCIF)", RO, WAIT, [&](Statement& st) {
        st.Execute("SELECT CIF FROM ATN_AGENTI WHERE CURENT = 1 ");
        if (st.Fetch())
            strCIF = st.GetText("CIF");
    });
}

bool GetDateAgentImplicit(std::string& strCIF, std::string& strDEN, std::string& strCodJudet) {
    return runQuery("GetDateAgentImplicit(CString& strCIF, CString& strDEN, CString& strCodJudet)",
                    RO, WAIT, [&](Statement& st) {
                        st.Execute(
                            "SELECT CIF,DENUMIRE,COD_JUDET FROM ATN_AGENTI WHERE CURENT = 1 ");
                        if (st.Fetch()) {
                            strCIF = st.GetText("CIF");
                            strDEN = st.GetText("DENUMIRE");
                            strCodJudet = st.GetText("COD_JUDET");
                        }
                    });
}

bool GetDetaliuAgentImplicit(const std::string& strProp, std::string& strVal) {
    return runQuery("GetDetaliuAgentImplicit(CString strProp, CString& strVal)", RO, WAIT,
                    [&](Statement& st) {
                        st.Execute("SELECT D.PROPRIETATE, D.VALOARE  FROM ATN_AGENTI A, "
                                   "ATN_AGENTI_DETALII D  WHERE  A.CIF = D.CIF AND A.CURENT = 1 "
                                   "AND D.PROPRIETATE = ? ",
                                   {strProp});
                        if (st.Fetch())
                            strVal = st.GetText("VALOARE");
                    });
}

bool GetModCalculAgent(std::string& strCIF, int& bFaraRotunjire) {
    return runQuery("GetModCalculAgent (CString& strCIF, bool bFaraRotunjire)", RO, WAIT,
                    [&](Statement& st) {
                        st.Execute("SELECT CIF,TIP_CALCUL FROM ATN_AGENTI WHERE CIF = ?", {strCIF});
                        if (st.Fetch()) {
                            strCIF = st.GetText("CIF");
                            bFaraRotunjire = st.GetInt("TIP_CALCUL");
                        }
                    });
}

bool GetCSAsString(const std::string& strCS, int iAnul, int iLuna, std::string& strVal) {
    bool found = false;
    bool ok = runQuery(
        "GetCSAsString(CString strCS, int iAnul, int iLuna, CString& strVal)", RO, WAIT,
        [&](Statement& st) {
            st.Execute("SELECT A.VALOARE, B.PINTREAGA, B.ZECIMALE FROM ATN_CS AS A, "
                       "ATN_PROPRIETATI_CS AS B WHERE A.CS = B.CS AND A.AN*100 + A.LN = ? AND "
                       "A.CS = ? AND B.VALID = 1",
                       {std::int64_t(iAnul * 100 + iLuna), strCS});
            if (!st.Fetch())
                return;
            found = true;
            const double v = st.GetDouble("VALOARE");
            const int dec = st.GetInt("ZECIMALE");
            if (dec < 0 || dec > 4)
                return; // the text stays as it was
            char buf[64];
            std::snprintf(buf, sizeof buf, "%.*f", dec, v);
            strVal = buf;
        });
    return ok && found;
}

bool ExistaCS(int iAn, int iLn) {
    long long nMonth = -1, nValid = -2;
    bool ok = runQuery("bool ExistaCS( int iAn, int iLn)", RO, NOWAIT, [&](Statement& st) {
        st.Execute("SELECT COUNT(*) AS NR FROM ATN_CS WHERE AN = ? AND LN = ? ",
                   {std::int64_t(iAn), std::int64_t(iLn)});
        if (st.Fetch())
            nMonth = st.GetInt64("NR");
        st.Execute("SELECT COUNT(*) AS NR FROM ATN_PROPRIETATI_CS WHERE VALID <> 0 ");
        if (st.Fetch())
            nValid = st.GetInt64("NR");
    });
    return ok && nMonth == nValid;
}

bool GetNewMA(const std::string& strCIF, int iAnul, int iLuna, int& iNewMA) {
    return runQuery(
        "GetNewMA(CString strCIF, int iAnul, int iLuna, int& iNewMA)", RO, WAIT,
        [&](Statement& st) {
            st.Execute(std::string(" select case when min(data_start) >='2013-10-22' then 1 else "
                                   "0 end as NEW_MA from  (") +
                           "  SELECT DATA_START " +
                           " FROM ATO_INFO_CONVENTII A, ATN_STARI_MA_PERSOANE B, atn_stari_ma D " +
                           " WHERE A.CIF = ? AND A.stare_pers = B.stare_pers AND A.stare_ma = "
                           "D.stare_ma " +
                           " AND A.STARE_MA > 0 AND (A.STARE_PERS = 0 OR A.STARE_PERS > 0) AND "
                           "A.DATA_SFARSIT >= ? " +
                           " ORDER BY TIP_MA, ID_MA, CNP )as a group by data_start ",
                       {strCIF, Date{iAnul, iLuna, 1}});
            if (st.Fetch())
                iNewMA = st.GetInt("NEW_MA");
        });
}
