#include "core/DbOperation.h"

#include "core/MesajEroareBD.h"
#include "core/VORTAPLApp.h"

namespace core {

std::string ErrorLine(const std::string& strSignature, const std::string& strText) {
    return "[ERR][" + strSignature + "] oo-->> " + strText;
}

bool RunLogged(const std::string& strSignature, const std::function<void(Statement&)>& fn,
               TransactionMode mode, LockResolution lock, std::string* pError) {
    Transaction tr(theApp().m_db, mode, lock);
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
        theApp().WriteLog(ErrorLine(strSignature, e.what()));
        if (pError)
            *pError = MesajEroareBD(e.what());
        return false;
    }
}

} // namespace core
