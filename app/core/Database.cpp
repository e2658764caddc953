#include "core/Database.h"

#include "core/FbAttachment.h"
#include "platform/TerminationSignals.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

#include <atomic>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_map>

namespace core {
namespace {

void (*g_trace)(const std::string&) = nullptr;

std::string engineText(const QSqlError& e) {
    QString t = e.databaseText().trimmed();
    if (t.isEmpty())
        t = e.driverText().trimmed();
    if (t.isEmpty())
        t = e.text().trimmed();
    return t.toStdString();
}

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

struct Connection {
    QString name;
    bool busy = false;
};

} // namespace

struct Database::Impl {
    std::vector<Connection> connections; // [0] is the main one; clones serve nested transactions
    std::string user, password;
    bool connected = false;
};

void SetStatementTrace(void (*fn)(const std::string&)) {
    g_trace = fn;
}

void TraceStatement(const std::string& strText) {
    if (g_trace)
        g_trace(strText);
}

std::string SqlLiteral(const Value& v) {
    char buf[64];
    switch (v.index()) {
    case 0:
        return "NULL";
    case 1:
        return std::to_string(std::get<std::int64_t>(v));
    case 2:
        std::snprintf(buf, sizeof buf, "%.10g", std::get<double>(v));
        return buf;
    case 3: {
        std::string out = "'";
        for (char c : std::get<std::string>(v)) {
            out += c;
            if (c == '\'')
                out += '\'';
        }
        return out + "'";
    }
    case 4: {
        const Date& d = std::get<Date>(v);
        std::snprintf(buf, sizeof buf, "'%d-%02d-%02d'", d.year, d.month, d.day);
        return buf;
    }
    default: {
        const Timestamp& t = std::get<Timestamp>(v);
        std::snprintf(buf, sizeof buf, "'%d-%02d-%02d %02d:%02d:%02d.%03d'", t.year, t.month, t.day,
                      t.hour, t.minute, t.second, t.msec);
        return buf;
    }
    }
}

std::string FormatStatement(const std::string& strSql, const std::vector<Value>& values) {
    if (values.empty())
        return strSql;
    std::string out;
    out.reserve(strSql.size() + values.size() * 8);
    size_t next = 0;
    bool inQuote = false;
    for (char c : strSql) {
        if (c == '\'')
            inQuote = !inQuote;
        if (c == '?' && !inQuote && next < values.size())
            out += SqlLiteral(values[next++]);
        else
            out += c;
    }
    return out;
}

std::string PrepareLockFolder(const std::string& strDir) {
    const std::string refused = "Dosarul de blocare al bazei de date " + strDir;
    if (mkdir(strDir.c_str(), 0700) != 0 && errno != EEXIST)
        return refused + " nu poate fi creat: " + std::strerror(errno);
    // The engine's lock files tell who has the database open and let their owner block it:
    // the folder must be the user's own and closed to everyone else. lstat, so that a link
    // planted under the expected name is not followed.
    struct stat st {};
    if (lstat(strDir.c_str(), &st) != 0)
        return refused + " nu poate fi citit: " + std::strerror(errno);
    if (!S_ISDIR(st.st_mode))
        return refused + " nu este un dosar.";
    if (st.st_uid != geteuid())
        return refused + " apartine altui utilizator. Stergeti-l sau setati FIREBIRD_LOCK.";
    if (st.st_mode & (S_IWGRP | S_IWOTH))
        return refused +
               " poate fi scris de alti utilizatori. Stergeti-l sau setati FIREBIRD_LOCK.";
    if ((st.st_mode & 077) != 0 && chmod(strDir.c_str(), 0700) != 0)
        return refused + " nu poate fi inchis altor utilizatori: " + std::strerror(errno);
    return {};
}

bool EnsureFirebirdLockFolder(std::string* pError) {
    if (const char* set = std::getenv("FIREBIRD_LOCK"); set && *set)
        return true;
    std::string dir;
    if (const char* rt = std::getenv("XDG_RUNTIME_DIR"); rt && *rt)
        dir = (std::filesystem::path(rt) / "vortapl-fblock").string();
    else {
        std::error_code ec;
        std::filesystem::path tmp = std::filesystem::temp_directory_path(ec);
        if (ec)
            tmp = "/tmp";
        dir = (tmp / ("vortapl-fblock-" + std::to_string(geteuid()))).string();
    }
    std::string err = PrepareLockFolder(dir);
    if (!err.empty()) {
        if (pError)
            *pError = err;
        return false;
    }
    setenv("FIREBIRD_LOCK", dir.c_str(), 1);
    return true;
}

void CreateDatabaseFile(const std::string& strFile, const std::string& strUser,
                        const std::string& strPassword) {
    if (std::string err; !EnsureFirebirdLockFolder(&err))
        throw DbError(err);
    FbAttachment db;
    db.Create(strFile, strUser, strPassword, true);
    db.Detach();
}

Database::Database() : d(std::make_unique<Impl>()) {}

Database::~Database() {
    Disconnect();
}

void Database::Connect(const std::string& strFile, const std::string& strUser,
                       const std::string& strPassword) {
    if (std::string err; !EnsureFirebirdLockFolder(&err))
        throw DbError(err);
    Disconnect();
    static std::atomic<int> counter{0};
    QString name = QString("vortapl-%1").arg(counter++);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QIBASE", name);
        db.setDatabaseName(qs(strFile));
        db.setUserName(qs(strUser));
        db.setPassword(qs(strPassword));
        db.setConnectOptions("ISC_DPB_LC_CTYPE=UTF8");
        const bool opened = db.open();
        // The engine installs its own signal handlers at its first attachment, which would
        // leave the program deaf to a request to end; the program's handlers come back here.
        platform::ReassertTerminationHandlers();
        if (!opened) {
            std::string err = engineText(db.lastError());
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(name);
            throw DbError(err);
        }
    }
    d->connections.push_back({name, false});
    d->user = strUser;
    d->password = strPassword;
    d->connected = true;
    m_strFile = strFile;
}

void Database::Disconnect() {
    for (auto& c : d->connections) {
        {
            QSqlDatabase db = QSqlDatabase::database(c.name, false);
            if (db.isOpen())
                db.close();
        }
        QSqlDatabase::removeDatabase(c.name);
    }
    d->connections.clear();
    d->connected = false;
}

bool Database::Connected() const {
    return d->connected;
}

void Database::ExecuteImmediate(const std::string& strSql) {
    Transaction tr(*this);
    tr.Start();
    Statement st(tr);
    st.Execute(strSql);
    st.Close();
    tr.Commit();
}

// ---------------------------------------------------------------------------------------------

Transaction::Transaction(Database& db, TransactionMode mode, LockResolution lock)
    : m_db(db), m_mode(mode), m_lock(lock) {}

Transaction::~Transaction() {
    if (m_bStarted) {
        try {
            Rollback();
        } catch (...) {
        }
    }
}

void Transaction::Start() {
    if (m_bStarted)
        return;
    auto* d = m_db.d.get();
    if (!d->connected)
        throw DbError("Database is not connected");
    // The driver keeps one transaction per connection; a transaction started while another
    // is open runs on a further connection to the same file, as separate transactions of one
    // attachment would.
    int idx = -1;
    for (size_t i = 0; i < d->connections.size(); ++i)
        if (!d->connections[i].busy) {
            idx = static_cast<int>(i);
            break;
        }
    if (idx < 0) {
        QString name = d->connections[0].name + QString("-n%1").arg(d->connections.size());
        QSqlDatabase clone = QSqlDatabase::cloneDatabase(
            QSqlDatabase::database(d->connections[0].name, false), name);
        if (!clone.open()) {
            std::string err = engineText(clone.lastError());
            clone = QSqlDatabase();
            QSqlDatabase::removeDatabase(name);
            throw DbError(err);
        }
        d->connections.push_back({name, false});
        idx = static_cast<int>(d->connections.size()) - 1;
    }
    QSqlDatabase db = QSqlDatabase::database(d->connections[idx].name, false);
    if (!db.transaction())
        throw DbError(engineText(db.lastError()));
    d->connections[idx].busy = true;
    m_iConnection = idx;
    ++m_iGeneration;
    m_bStarted = true;
}

void Transaction::Commit() {
    if (!m_bStarted)
        return;
    auto* d = m_db.d.get();
    QSqlDatabase db = QSqlDatabase::database(d->connections[m_iConnection].name, false);
    if (!db.commit())
        throw DbError(engineText(db.lastError()));
    d->connections[m_iConnection].busy = false;
    m_bStarted = false;
    m_iConnection = -1;
}

void Transaction::Rollback() {
    if (!m_bStarted)
        return;
    auto* d = m_db.d.get();
    if (m_iConnection >= 0 && m_iConnection < static_cast<int>(d->connections.size())) {
        QSqlDatabase db = QSqlDatabase::database(d->connections[m_iConnection].name, false);
        d->connections[m_iConnection].busy = false;
        m_bStarted = false;
        m_iConnection = -1;
        if (!db.rollback())
            throw DbError(engineText(db.lastError()));
        return;
    }
    m_bStarted = false;
}

// ---------------------------------------------------------------------------------------------

struct Statement::Impl {
    std::optional<QSqlQuery> query;
    QSqlRecord record;
    // Positions of the columns read so far, by the name asked for. The driver builds a fresh
    // record with a catalogue query per column each time it is asked for one, and a name
    // search compares every column ignoring case: reading a few thousand rows by name took
    // seconds before the positions were kept.
    mutable std::unordered_map<std::string, int> positions;
    bool hasRow = false;
    std::string preparedSql; // the text query holds prepared, for reuse by the next Execute
    int preparedOn = -1;     // start of the transaction the prepared query belongs to

    // The column of the current row by its name.
    QVariant value(const std::string& name) const;
};

Statement::Statement(Transaction& tr) : d(std::make_unique<Impl>()), m_tr(tr) {}

Statement::~Statement() = default;

namespace {
QVariant toVariant(const Value& v) {
    switch (v.index()) {
    case 0:
        return QVariant();
    case 1:
        return QVariant(static_cast<qlonglong>(std::get<std::int64_t>(v)));
    case 2:
        return QVariant(std::get<double>(v));
    case 3:
        return QVariant(QString::fromStdString(std::get<std::string>(v)));
    case 4: {
        const Date& dt = std::get<Date>(v);
        return QVariant(QDate(dt.year, dt.month, dt.day));
    }
    default: {
        const Timestamp& t = std::get<Timestamp>(v);
        return QVariant(
            QDateTime(QDate(t.year, t.month, t.day), QTime(t.hour, t.minute, t.second, t.msec)));
    }
    }
}
} // namespace

void Statement::Execute(const std::string& strSql, const std::vector<Value>& values) {
    TraceStatement(FormatStatement(strSql, values));
    if (!m_tr.Started())
        m_tr.Start();
    auto* dbd = m_tr.m_db.d.get();
    QSqlDatabase db = QSqlDatabase::database(dbd->connections[m_tr.m_iConnection].name, false);
    d->hasRow = false;
    bool ok;
    if (values.empty()) {
        d->query.emplace(db);
        d->query->setForwardOnly(true);
        d->preparedSql.clear();
        ok = d->query->exec(qs(strSql));
    } else {
        // The rows of a save or an import repeat one statement with new values: preparing it
        // once per statement object rather than per row makes a bulk insert several times
        // faster.
        const bool reuse =
            d->query && d->preparedOn == m_tr.m_iGeneration && d->preparedSql == strSql;
        ok = true;
        if (!reuse) {
            d->query.emplace(db);
            d->query->setForwardOnly(true);
            d->preparedSql.clear();
            ok = d->query->prepare(qs(strSql));
            if (ok) {
                d->preparedSql = strSql;
                d->preparedOn = m_tr.m_iGeneration;
            }
        } else {
            d->query->finish();
        }
        if (ok) {
            for (size_t i = 0; i < values.size(); ++i)
                d->query->bindValue(static_cast<int>(i), toVariant(values[i]));
            ok = d->query->exec();
        }
    }
    if (!ok) {
        d->preparedSql.clear();
        throw DbError(engineText(d->query->lastError()));
    }
    d->record = d->query->record();
    d->positions.clear();
}

bool Statement::Fetch() {
    if (!d->query || !d->query->isSelect())
        return d->hasRow = false;
    d->hasRow = d->query->next();
    if (!d->hasRow && d->query->lastError().isValid())
        throw DbError(engineText(d->query->lastError()));
    return d->hasRow;
}

void Statement::Close() {
    if (d->query)
        d->query->finish();
    d->hasRow = false;
}

int Statement::RowsAffected() const {
    return d->query ? d->query->numRowsAffected() : 0;
}

QVariant Statement::Impl::value(const std::string& name) const {
    if (!hasRow)
        throw DbError("No current row to read column " + name);
    auto it = positions.find(name);
    if (it == positions.end())
        it = positions.emplace(name, record.indexOf(QString::fromStdString(name))).first;
    if (it->second < 0)
        throw DbError("Column unknown: " + name);
    return query->value(it->second);
}

bool Statement::Has(const std::string& strColumn) const {
    return d->record.indexOf(qs(strColumn)) >= 0;
}

bool Statement::IsNull(const std::string& strColumn) const {
    return d->value(strColumn).isNull();
}

int Statement::GetInt(const std::string& strColumn) const {
    return static_cast<int>(GetInt64(strColumn));
}

std::int64_t Statement::GetInt64(const std::string& strColumn) const {
    QVariant v = d->value(strColumn);
    if (v.isNull())
        return 0;
    if (v.typeId() == QMetaType::Double)
        return static_cast<std::int64_t>(std::llround(v.toDouble()));
    return v.toLongLong();
}

double Statement::GetDouble(const std::string& strColumn) const {
    QVariant v = d->value(strColumn);
    return v.isNull() ? 0.0 : v.toDouble();
}

std::string Statement::GetText(const std::string& strColumn) const {
    QVariant v = d->value(strColumn);
    if (v.isNull())
        return {};
    if (v.typeId() == QMetaType::QDate)
        return v.toDate().toString("yyyy-MM-dd").toStdString();
    return v.toString().toStdString();
}

Date Statement::GetDate(const std::string& strColumn) const {
    QVariant v = d->value(strColumn);
    QDate dt = v.typeId() == QMetaType::QDateTime ? v.toDateTime().date() : v.toDate();
    if (v.isNull() || !dt.isValid())
        return {};
    return Date{dt.year(), dt.month(), dt.day()};
}

Timestamp Statement::GetTimestamp(const std::string& strColumn) const {
    QVariant v = d->value(strColumn);
    QDateTime t = v.toDateTime();
    if (v.isNull() || !t.isValid())
        return {};
    return Timestamp{t.date().year(),   t.date().month(),  t.date().day(), t.time().hour(),
                     t.time().minute(), t.time().second(), t.time().msec()};
}

} // namespace core
