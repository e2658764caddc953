#include "core/DbOperation.h"

#include "core/MesajEroareBD.h"
#include "core/TraceLog.h"

namespace core {
namespace {
Database* g_default = nullptr;
} // namespace

void SetDefaultDatabase(Database* pDb) {
    g_default = pDb;
}

Database* DefaultDatabase() {
    return g_default;
}

std::string ErrorLine(const std::string& strSignature, const std::string& strText) {
    return "[ERR][" + strSignature + "] oo-->> " + strText;
}

bool RunLogged(Database& db, const std::string& strSignature,
               const std::function<void(Statement&)>& fn, TransactionMode mode, LockResolution lock,
               std::string* pError) {
    Transaction tr(db, mode, lock);
    try {
        tr.Start();
        Statement st(tr);
        fn(st);
        tr.Commit();
        return true;
    } catch (const std::exception& e) {
        try {
            tr.Rollback();
        } catch (...) {
        }
        WriteLog(ErrorLine(strSignature, e.what()));
        if (pError)
            *pError = MesajEroareBD(e.what());
        return false;
    }
}

bool RunLogged(const std::string& strSignature, const std::function<void(Statement&)>& fn,
               TransactionMode mode, LockResolution lock, std::string* pError) {
    if (!g_default) {
        const std::string text = "Baza de date nu este deschisa";
        WriteLog(ErrorLine(strSignature, text));
        if (pError)
            *pError = text;
        return false;
    }
    return RunLogged(*g_default, strSignature, fn, mode, lock, pError);
}

} // namespace core
