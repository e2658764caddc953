#include "core/Lists.h"

#include "core/Database.h"
#include "core/DbOperation.h"
#include "core/TraceLog.h"
#include "core/ValueFunctions.h"

#include <QDate>
#include <QString>

#include <cctype>
#include <cstdio>
#include <functional>

namespace core {
bool EqualsNoCase(const std::string& a, const std::string& b) {
    bool ascii = a.size() == b.size();
    for (size_t i = 0; ascii && i < a.size(); ++i) {
        const auto ca = static_cast<unsigned char>(a[i]), cb = static_cast<unsigned char>(b[i]);
        if (ca >= 0x80 || cb >= 0x80)
            ascii = false;
        else if (std::tolower(ca) != std::tolower(cb))
            return false;
    }
    if (ascii)
        return a.size() == b.size();
    // Letters outside ASCII (ş, ă, î, ţ and their capitals) fold through Unicode's case
    // folding; a folded text may have another length in bytes than the original.
    return QString::compare(QString::fromUtf8(a.data(), static_cast<qsizetype>(a.size())),
                            QString::fromUtf8(b.data(), static_cast<qsizetype>(b.size())),
                            Qt::CaseInsensitive) == 0;
}

std::string Trim(const std::string& s) {
    size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos)
        return {};
    size_t e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}
} // namespace core

using core::EqualsNoCase;

namespace {
// Runs a list's SELECT in a transaction of its own and hands every row to fn; on a database
// error sets the list's last error to the trace line (already logged) and returns false.
bool loadRows(core::Database& db, const char* sql, const char* signature, std::string& lastError,
              const std::function<void(core::Statement&)>& fn) {
    std::string err;
    if (core::RunLogged(
            db, signature,
            [&](core::Statement& st) {
                st.Execute(sql);
                while (st.Fetch())
                    fn(st);
            },
            core::TransactionMode::ReadOnly, core::LockResolution::Wait, &err))
        return true;
    lastError = core::ErrorLine(signature, err);
    return false;
}

// Without a default database an operation fails as it would on a database error.
bool noDatabase(std::string& lastError, const char* signature) {
    lastError = core::ErrorLine(signature, "Baza de date nu este deschisa");
    core::WriteLog(lastError);
    return false;
}
} // namespace

bool _NJudete::Load() {
    if (core::Database* db = core::DefaultDatabase())
        return Load(*db);
    return noDatabase(m_strLastError, "Judete::Load()");
}

bool _NJudete::Load(core::Database& db) {
    m_strLastError.clear();
    return loadRows(db, "SELECT * FROM JUDETE", "Judete::Load()", m_strLastError,
                    [this](core::Statement& st) {
                        auto r = std::make_unique<__tagJudete>();
                        r->strCod = st.GetText("COD_JUDET");
                        r->strJudet = st.GetText("JUDET");
                        r->strSimbol = st.GetText("SIMBOL");
                        m_records.push_back(std::move(r));
                    });
}

std::string _NJudete::GetCod(int i) {
    m_strLastError.clear();
    if (auto* r = At(i))
        return r->strCod;
    m_strLastError = "Pozitie invalida";
    return {};
}
std::string _NJudete::GetJudet(int i) {
    m_strLastError.clear();
    if (auto* r = At(i))
        return r->strJudet;
    m_strLastError = "Pozitie invalida";
    return {};
}
std::string _NJudete::GetSimbol(int i) {
    m_strLastError.clear();
    if (auto* r = At(i))
        return r->strSimbol;
    m_strLastError = "Pozitie invalida";
    return {};
}
std::string _NJudete::GetCodJudet(const std::string& strJudet) const {
    for (auto& r : m_records)
        if (EqualsNoCase(r->strJudet, strJudet))
            return r->strCod;
    return {};
}
std::string _NJudete::GetNumeJudet(const std::string& strCod) const {
    for (auto& r : m_records)
        if (EqualsNoCase(r->strCod, strCod))
            return r->strJudet;
    return {};
}

// ---------------------------------------------------------------------------------------------

bool _NZileNelucratoare::Load() {
    if (core::Database* db = core::DefaultDatabase())
        return Load(*db);
    return noDatabase(m_strLastError, "_NZileNelucratoare::Load()");
}

bool _NZileNelucratoare::Load(core::Database& db) {
    Clear();
    return loadRows(db, "SELECT * FROM ATN_SARBATORI_LEGALE ", "_NZileNelucratoare::Load()",
                    m_strLastError, [this](core::Statement& st) {
                        auto r = std::make_unique<__tagSarbatori>();
                        core::Date d = st.GetDate("DATA");
                        r->iAn = d.year;
                        r->iLuna = d.month;
                        r->iZi = d.day;
                        r->strDenumire = st.GetText("SARBATOARE");
                        m_records.push_back(std::move(r));
                    });
}

namespace {
const char* const kAddSignature =
    "_NZileNelucratoare::Add(CString strAN, CString strLN, CString strZI, CString strDes)";
}

bool _NZileNelucratoare::Add(const std::string& strAN, const std::string& strLN,
                             const std::string& strZI, const std::string& strDes) {
    if (core::Database* db = core::DefaultDatabase())
        return Add(*db, strAN, strLN, strZI, strDes);
    return noDatabase(m_strLastError, kAddSignature);
}

bool _NZileNelucratoare::Add(core::Database& db, const std::string& strAN, const std::string& strLN,
                             const std::string& strZI, const std::string& strDes) {
    m_strLastError.clear();
    const char* signature = kAddSignature;
    const std::string an = core::Trim(strAN), ln = core::Trim(strLN), zi = core::Trim(strZI);
    const std::string des = core::Trim(strDes);
    std::string err;
    if (core::RunLogged(
            db, signature,
            [&](core::Statement& st) {
                // The date is bound as a date, so a part that is not a whole number ("01x") is
                // refused here rather than stored as some other day.
                int y = 0, m = 0, z = 0;
                QDate date;
                if (core::ParseInt(an, y) && core::ParseInt(ln, m) && core::ParseInt(zi, z))
                    date = QDate(y, m, z);
                if (!date.isValid())
                    throw core::DbError("Data invalida: " + an + "-" + ln + "-" + zi);
                core::Date d{date.year(), date.month(), date.day()};
                st.Execute("DELETE FROM ATN_SARBATORI_LEGALE WHERE DATA = ?", {d});
                st.Execute("INSERT INTO ATN_SARBATORI_LEGALE (DATA,SARBATOARE) VALUES (?, ?)",
                           {d, des});
            },
            core::TransactionMode::ReadWrite, core::LockResolution::Wait, &err))
        return true;
    m_strLastError = core::ErrorLine(signature, err);
    return false;
}

bool _NZileNelucratoare::IsSarbatoare(int iAn, int iLuna, int iZi) const {
    const int key = iAn * 10000 + iLuna * 100 + iZi;
    for (auto& r : m_records)
        if (r->iAn * 10000 + r->iLuna * 100 + r->iZi == key)
            return true;
    return false;
}

bool _NZileNelucratoare::IsZiNelucratoare(int iAn, int iLuna, int iZi) const {
    QDate d(iAn, iLuna, iZi);
    if (d.isValid() && d.dayOfWeek() >= 6)
        return true;
    return IsSarbatoare(iAn, iLuna, iZi);
}

int _NZileNelucratoare::GetZileLucratoare(const DataZi& start, const DataZi& end) const {
    if (start.iAn != end.iAn || start.iLuna != end.iLuna || start.iZi > end.iZi)
        return 0;
    int n = 0;
    for (int z = start.iZi; z <= end.iZi; ++z)
        if (!IsZiNelucratoare(start.iAn, start.iLuna, z))
            ++n;
    return n;
}

// ---------------------------------------------------------------------------------------------

bool _NConstanteSistem::Load() {
    if (core::Database* db = core::DefaultDatabase())
        return Load(*db);
    return noDatabase(m_strLastError, "_NConstanteSistem::Load(int iAnul, int iLuna)");
}

bool _NConstanteSistem::Load(core::Database& db) {
    Clear();
    return loadRows(db, "SELECT * FROM ATN_CS ", "_NConstanteSistem::Load(int iAnul, int iLuna)",
                    m_strLastError, [this](core::Statement& st) {
                        auto r = std::make_unique<__tagCS>();
                        r->iAn = st.GetInt("AN");
                        r->iLuna = st.GetInt("LN");
                        r->strCS = st.GetText("CS");
                        r->fValoare = st.GetDouble("VALOARE");
                        m_records.push_back(std::move(r));
                    });
}

double _NConstanteSistem::GetValoare(const std::string& strCS, int iAn, int iLuna) {
    m_strLastError.clear();
    for (auto& r : m_records)
        if (r->iAn == iAn && r->iLuna == iLuna && EqualsNoCase(r->strCS, strCS))
            return r->fValoare;
    m_strLastError = "Constanta de sistem negasita";
    return -1.0;
}

// ---------------------------------------------------------------------------------------------

bool _NOptiuniApp::Load() {
    if (core::Database* db = core::DefaultDatabase())
        return Load(*db);
    return noDatabase(m_strLastError, "_NOptiuniApp::Load()");
}

bool _NOptiuniApp::Load(core::Database& db) {
    Clear();
    return loadRows(db, "SELECT * FROM ATO_OPTIUNI ", "_NOptiuniApp::Load()", m_strLastError,
                    [this](core::Statement& st) {
                        auto r = std::make_unique<__tagOptiuniApp>();
                        r->strParametru = st.GetText("PARAMETRU");
                        r->strValoare = st.GetText("VALOARE");
                        r->strDescriere = st.GetText("DESCRIERE");
                        m_records.push_back(std::move(r));
                    });
}

int _NOptiuniApp::Find(const std::string& strParametru) const {
    for (size_t i = 0; i < m_records.size(); ++i)
        if (EqualsNoCase(m_records[i]->strParametru, strParametru))
            return static_cast<int>(i);
    return -1;
}

std::string _NOptiuniApp::GetValoare(const std::string& strParametru) const {
    int i = Find(strParametru);
    return i < 0 ? std::string() : m_records[static_cast<size_t>(i)]->strValoare;
}

namespace {
std::string badPosition(int i) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "Pozitia %d este invalida.", i);
    return buf;
}
} // namespace

std::string _NOptiuniApp::GetParametru(int i) {
    m_strLastError.clear();
    if (auto* r = At(i))
        return r->strParametru;
    m_strLastError = badPosition(i);
    return {};
}
std::string _NOptiuniApp::GetValoare(int i) {
    m_strLastError.clear();
    if (auto* r = At(i))
        return r->strValoare;
    m_strLastError = badPosition(i);
    return {};
}
std::string _NOptiuniApp::GetDescriere(int i) {
    m_strLastError.clear();
    if (auto* r = At(i))
        return r->strDescriere;
    m_strLastError = badPosition(i);
    return {};
}

bool _NOptiuniApp::Update(const std::string& strParametru, const std::string& strValoare) {
    if (core::Database* db = core::DefaultDatabase())
        return Update(*db, strParametru, strValoare);
    return noDatabase(m_strLastError,
                      "_NOptiuniApp::Update(CString strParametru, CString strValoare)");
}

bool _NOptiuniApp::Update(core::Database& db, const std::string& strParametru,
                          const std::string& strValoare) {
    m_strLastError.clear();
    core::Transaction tr(db);
    try {
        tr.Start();
        core::Statement st(tr);
        st.Execute("UPDATE ATO_OPTIUNI SET VALOARE = ? WHERE PARAMETRU = ?",
                   {strValoare, strParametru});
        int i = Find(strParametru);
        // An option missing from memory, or one whose row has gone from the table, is not
        // updated: reporting success there would leave the user believing a value was kept.
        if (i < 0 || st.RowsAffected() == 0) {
            tr.Rollback();
            if (i >= 0)
                m_strLastError = "Parametrul " + strParametru + " nu exista in baza de date.";
            return false;
        }
        tr.Commit();
        m_records[static_cast<size_t>(i)]->strValoare = strValoare;
        return true;
    } catch (const core::DbError& e) {
        try {
            tr.Rollback();
        } catch (...) {
        }
        m_strLastError =
            std::string("[ERR][_NOptiuniApp::Update(CString strParametru, CString strValoare)] "
                        "oo-->> ") +
            e.what();
        core::WriteLog(m_strLastError);
        return false;
    }
}

// ---------------------------------------------------------------------------------------------

bool CListaUnica::Add(const std::string& strText) {
    std::string t = core::Trim(strText);
    if (Contains(t))
        return false;
    m_items.push_back(t);
    return true;
}

bool CListaUnica::Contains(const std::string& strText) const {
    for (auto& s : m_items)
        if (EqualsNoCase(s, strText))
            return true;
    return false;
}

std::string CListaUnica::At(int i) const {
    return i >= 0 && i < GetCount() ? m_items[static_cast<size_t>(i)] : std::string();
}
