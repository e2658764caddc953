#pragma once
// A fresh working folder for one test: a temporary directory holding its own copy of a
// database built once per test process from the shipped schema, made the current directory
// for the test's lifetime (the program reads its database and log from there).

#include <filesystem>
#include <memory>
#include <string>

class CVORTAPLApp;
namespace core {
class Database;
}

namespace testsupport {

class WorkFolder {
public:
    // withDatabase = false leaves the folder empty (start-up then creates the database).
    explicit WorkFolder(bool withDatabase = true);
    ~WorkFolder();
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::filesystem::path File(const std::string& name) const { return m_path / name; }
    std::string ReadFile(const std::string& name) const;

private:
    std::filesystem::path m_path;
    std::filesystem::path m_previous;
};

// A working folder with an application object whose start-up has run (lists loaded).
class StartedApp {
public:
    StartedApp();
    ~StartedApp();
    CVORTAPLApp& App() { return *m_app; }
    WorkFolder& Folder() { return m_folder; }
    // Runs SQL directly on the application's connection, committed.
    void Exec(const std::string& sql);

private:
    WorkFolder m_folder;
    std::unique_ptr<CVORTAPLApp> m_app;
};

// The NR column of a query that counts (one row), read in a read-only transaction.
long long CountRows(core::Database& db, const std::string& sql);

// Path of the template database of this process (built on first use).
std::filesystem::path TemplateDatabase();

} // namespace testsupport
