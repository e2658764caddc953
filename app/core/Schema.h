#pragma once
// The schema and reference data the program ships, and the creation of a new database file.

#include <functional>
#include <string>
#include <vector>

namespace core {

extern const char* const kArt93_4Create;
extern const char* const kArt93_4PrimaryKey;
extern const char* const kArt93_4ForeignKey;

// The statements of a shipped SQL script (one per block ending with a line holding ";").
std::vector<std::string> SchemaStatements();
std::vector<std::string> SeedStatements();
std::vector<std::string> SplitScript(const std::string& strScript);

// Creates strFile (which must not exist) with every table, key and reference row. The file
// appears only when complete; progress (when given) hears (steps done, steps in all).
// Throws DbError with the engine's text.
void CreateInitialDatabase(const std::string& strFile,
                           const std::function<void(int, int)>& progress = {});

// The name strFile is built under by this process before it is renamed into place.
std::string TemporaryDatabaseName(const std::string& strFile);
// Removes what an interrupted creation of strFile left beside it (temporary files of this
// process or of processes that no longer run); returns how many were removed.
int RemoveLeftoverDatabaseFiles(const std::string& strFile);

} // namespace core
