#pragma once
// The one way an operation runs its statements: a transaction of its own, every statement
// traced, commit; on an error the transaction is rolled back and the line
// "[ERR][" + signature + "] oo-->> " + the engine's text goes to the trace log.

#include "core/Database.h"

#include <functional>
#include <string>

namespace core {

// The database the shared queries and lists run on when they are given none. The application
// object sets its own at start-up; a tool or a test may set another (nullptr clears it).
void SetDefaultDatabase(Database* pDb);
Database* DefaultDatabase();

// Runs fn on db. False after an error; *pError (when given) receives the error text for the caller
// to show.
bool RunLogged(Database& db, const std::string& strSignature,
               const std::function<void(Statement&)>& fn,
               TransactionMode mode = TransactionMode::ReadWrite,
               LockResolution lock = LockResolution::Wait, std::string* pError = nullptr);
// The same on the default database; without one it fails like a database error.
bool RunLogged(const std::string& strSignature, const std::function<void(Statement&)>& fn,
               TransactionMode mode = TransactionMode::ReadWrite,
               LockResolution lock = LockResolution::Wait, std::string* pError = nullptr);

// The trace line of a failed operation.
std::string ErrorLine(const std::string& strSignature, const std::string& strText);

} // namespace core
