#pragma once
// The program's one database layer, over Qt SQL's Firebird driver (embedded: no server name).
//
// - Database: the connection (user SYSDBA, connection charset UTF8).
// - Transaction: rolls back in its destructor unless committed.
// - Statement: text with "?" placeholders and bound values; rows are read by column name.
// - DbError: the one error type; what() is the engine's own message text.
//
// Every statement is written to the trace log, with its values, before it runs.
//
// The Qt driver cannot start a transaction with a parameter block of our choosing: every
// transaction is read-write, snapshot ("concurrency") isolation and waits on lock conflicts.
// The read-only and no-wait modes asked for by reads and the existence tests are therefore
// recorded in TransactionMode but not passed to the engine.

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace core {

// The program's database file in the working folder and the credentials it is opened with.
constexpr const char* kDatabaseFile = "VORTAPL.DAT";
constexpr const char* kDbUser = "SYSDBA";
constexpr const char* kDbPassword = "quillbeam";

class DbError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct Date {
    int year = 0, month = 0, day = 0;
    bool operator==(const Date&) const = default;
};

struct Timestamp {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, msec = 0;
    bool operator==(const Timestamp&) const = default;
};

struct Null {};

// A bound value. Whole numbers (CNP, ID_MA, counts) are 64-bit, amounts are doubles: the
// driver stores free text bound to a numeric column as 0, so text is never used for numbers.
using Value = std::variant<Null, std::int64_t, double, std::string, Date, Timestamp>;

enum class TransactionMode { ReadWrite, ReadOnly };
enum class LockResolution { Wait, NoWait };

class Transaction;

class Database {
public:
    Database();
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Opens the file with the given credentials; throws DbError with the engine's text.
    void Connect(const std::string& strFile, const std::string& strUser,
                 const std::string& strPassword);
    void Disconnect();
    bool Connected() const;
    const std::string& File() const { return m_strFile; }

    // Convenience for one statement in a transaction of its own (schema work, tests).
    void ExecuteImmediate(const std::string& strSql);

private:
    friend class Transaction;
    friend class Statement;
    struct Impl;
    std::unique_ptr<Impl> d;
    std::string m_strFile;
};

// Creates a new, empty database file (throws DbError when it cannot). The name is handed to
// the engine as an argument, so any folder name works.
void CreateDatabaseFile(const std::string& strFile, const std::string& strUser,
                        const std::string& strPassword);

// Embedded Firebird needs a lock folder of the user's own. When FIREBIRD_LOCK is unset it is
// set to a folder under $XDG_RUNTIME_DIR or, without one, the temporary folder; false (and the
// reason in *pError) when that folder belongs to someone else or others may write to it.
bool EnsureFirebirdLockFolder(std::string* pError = nullptr);
// Creates strDir with mode 0700 when missing; the reason it cannot serve as the user's lock
// folder, or "" when it can (a folder of the user's readable by others is closed first).
std::string PrepareLockFolder(const std::string& strDir);

class Transaction {
public:
    explicit Transaction(Database& db, TransactionMode mode = TransactionMode::ReadWrite,
                         LockResolution lock = LockResolution::Wait);
    ~Transaction(); // rolls back unless committed
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void Start();
    void Commit();
    void Rollback();
    bool Started() const { return m_bStarted; }
    TransactionMode Mode() const { return m_mode; }
    Database& Db() { return m_db; }

private:
    friend class Statement;
    Database& m_db;
    TransactionMode m_mode;
    LockResolution m_lock;
    bool m_bStarted = false;
    int m_iConnection = -1; // index of the connection this transaction runs on
    int m_iGeneration = 0;  // counts starts: a statement prepared in one start is not reused
};

class Statement {
public:
    explicit Statement(Transaction& tr);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Runs the text with the values bound in order to its "?" placeholders.
    void Execute(const std::string& strSql, const std::vector<Value>& values = {});
    bool Fetch();
    void Close();
    int RowsAffected() const;

    bool IsNull(const std::string& strColumn) const;
    bool Has(const std::string& strColumn) const;
    int GetInt(const std::string& strColumn) const;
    std::int64_t GetInt64(const std::string& strColumn) const;
    double GetDouble(const std::string& strColumn) const;
    std::string GetText(const std::string& strColumn) const;
    Date GetDate(const std::string& strColumn) const;
    Timestamp GetTimestamp(const std::string& strColumn) const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
    Transaction& m_tr;
};

// The statement as the trace log shows it: each placeholder replaced by its value written
// as SQL (texts quoted with apostrophes doubled, dates as 'YYYY-MM-DD', NULL).
std::string FormatStatement(const std::string& strSql, const std::vector<Value>& values);

// Formats a value for SQL text (used by the log and, where a statement must be text, by callers).
std::string SqlLiteral(const Value& v);

// Sink for the statement trace; the application points it at its trace log.
void SetStatementTrace(void (*fn)(const std::string&));
void TraceStatement(const std::string& strText);

} // namespace core
