#pragma once
// The schema and reference data the program ships, and the creation of a new database file.

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

// Creates strFile (which must not exist) with every table, key and reference row.
// Throws DbError with the engine's text.
void CreateInitialDatabase(const std::string& strFile);

} // namespace core
