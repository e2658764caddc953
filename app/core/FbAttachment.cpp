#include "core/FbAttachment.h"

#include "core/Database.h"
#include "platform/TerminationSignals.h"

#include <ibase.h>

#include <cstdint>
#include <cstring>

namespace core {
namespace {

std::string statusText(const ISC_STATUS* status, const char* fallback) {
    std::string text;
    char msg[512];
    const ISC_STATUS* pv = status;
    while (fb_interpret(msg, sizeof msg, &pv) > 0) {
        if (!text.empty())
            text += " ";
        text += msg;
    }
    return text.empty() ? fallback : text;
}

// A database parameter block: every value is an argument of its own, so no text a user chose
// (a folder name with apostrophes, a password) is ever parsed as SQL.
class Dpb {
public:
    Dpb() { m_bytes.push_back(isc_dpb_version1); }
    void text(char tag, const std::string& value) {
        if (value.size() > 255)
            throw DbError("Parametru prea lung pentru baza de date");
        m_bytes.push_back(tag);
        m_bytes.push_back(static_cast<char>(value.size()));
        m_bytes += value;
    }
    void number(char tag, std::uint32_t value) {
        m_bytes.push_back(tag);
        m_bytes.push_back(4);
        for (int i = 0; i < 4; ++i)
            m_bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
    }
    const char* data() const { return m_bytes.data(); }
    short size() const { return static_cast<short>(m_bytes.size()); }

private:
    std::string m_bytes;
};

static_assert(sizeof(isc_db_handle) <= sizeof(std::uint64_t), "the handle fits its slot");

isc_db_handle toHandle(std::uint64_t v) {
    isc_db_handle h{};
    std::memcpy(&h, &v, sizeof h);
    return h;
}
std::uint64_t fromHandle(isc_db_handle h) {
    std::uint64_t v = 0;
    std::memcpy(&v, &h, sizeof h);
    return v;
}

void checkPath(const std::string& strFile) {
    // The engine reads a name longer than this as a different file; refuse it instead.
    if (strFile.empty() || strFile.size() > 255)
        throw DbError("Numele fisierului bazei de date este invalid: " + strFile);
}

} // namespace

FbAttachment::~FbAttachment() {
    try {
        Detach();
    } catch (...) {
    }
}

void FbAttachment::Create(const std::string& strFile, const std::string& strUser,
                          const std::string& strPassword, bool bForcedWrites) {
    Detach();
    checkPath(strFile);
    Dpb dpb;
    dpb.text(isc_dpb_user_name, strUser);
    dpb.text(isc_dpb_password, strPassword);
    dpb.number(isc_dpb_page_size, 8192);
    dpb.text(isc_dpb_set_db_charset, "UTF8");
    dpb.text(isc_dpb_lc_ctype, "UTF8");
    dpb.number(isc_dpb_sql_dialect, SQL_DIALECT_V6);
    dpb.number(isc_dpb_force_write, bForcedWrites ? 1 : 0);
    ISC_STATUS_ARRAY status{};
    isc_db_handle db = 0;
    const bool failed =
        isc_create_database(status, 0, strFile.c_str(), &db, dpb.size(), dpb.data(), 0);
    platform::ReassertTerminationHandlers(); // the engine's first attachment replaced them
    if (failed)
        throw DbError(statusText(status, "CREATE DATABASE failed"));
    m_db = fromHandle(db);
}

void FbAttachment::Attach(const std::string& strFile, const std::string& strUser,
                          const std::string& strPassword, int iForcedWrites) {
    Detach();
    checkPath(strFile);
    Dpb dpb;
    dpb.text(isc_dpb_user_name, strUser);
    dpb.text(isc_dpb_password, strPassword);
    dpb.text(isc_dpb_lc_ctype, "UTF8");
    if (iForcedWrites == 0 || iForcedWrites == 1)
        dpb.number(isc_dpb_force_write, static_cast<std::uint32_t>(iForcedWrites));
    ISC_STATUS_ARRAY status{};
    isc_db_handle db = 0;
    const bool failed =
        isc_attach_database(status, 0, strFile.c_str(), &db, dpb.size(), dpb.data());
    platform::ReassertTerminationHandlers();
    if (failed)
        throw DbError(statusText(status, "attach failed"));
    m_db = fromHandle(db);
}

void FbAttachment::Detach() {
    if (!m_db)
        return;
    ISC_STATUS_ARRAY status{};
    isc_db_handle db = toHandle(m_db);
    m_db = 0;
    if (isc_detach_database(status, &db))
        throw DbError(statusText(status, "detach failed"));
}

void FbAttachment::Execute(const std::vector<std::string>& statements) {
    if (!m_db)
        throw DbError("Database is not connected");
    ISC_STATUS_ARRAY status{};
    isc_db_handle db = toHandle(m_db);
    isc_tr_handle tr = 0;
    if (isc_start_transaction(status, &tr, 1, &db, 0, nullptr))
        throw DbError(statusText(status, "start transaction failed"));
    for (const std::string& sql : statements) {
        TraceStatement(sql);
        if (isc_dsql_execute_immediate(status, &db, &tr, 0, sql.c_str(), SQL_DIALECT_V6, nullptr)) {
            std::string err = statusText(status, "statement failed");
            ISC_STATUS_ARRAY ignore{};
            isc_rollback_transaction(ignore, &tr);
            throw DbError(err);
        }
    }
    if (isc_commit_transaction(status, &tr)) {
        std::string err = statusText(status, "commit failed");
        ISC_STATUS_ARRAY ignore{};
        isc_rollback_transaction(ignore, &tr);
        throw DbError(err);
    }
}

} // namespace core
