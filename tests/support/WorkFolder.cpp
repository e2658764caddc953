#include "WorkFolder.h"

#include "core/Database.h"
#include "core/Schema.h"
#include "core/VORTAPLApp.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace testsupport {
namespace {
fs::path makeTemp(const char* prefix) {
    std::string templ = (fs::temp_directory_path() / (std::string(prefix) + "XXXXXX")).string();
    char* p = mkdtemp(templ.data());
    if (!p)
        throw std::runtime_error("mkdtemp failed");
    return fs::path(p);
}

struct TemplateHolder {
    fs::path dir;
    ~TemplateHolder() {
        std::error_code ec;
        if (!dir.empty())
            fs::remove_all(dir, ec);
    }
};
} // namespace

// Each test process keeps Firebird's lock files in a folder of its own: the processes never
// share a database file, and a process that hangs cannot then hold up the others.
void privateLockFolder() {
    static TemplateHolder lockDir;
    if (lockDir.dir.empty()) {
        lockDir.dir = makeTemp("vortapl-fblock-");
        setenv("FIREBIRD_LOCK", lockDir.dir.c_str(), 1);
    }
}

fs::path TemplateDatabase() {
    static TemplateHolder holder;
    privateLockFolder();
    if (holder.dir.empty()) {
        holder.dir = makeTemp("vortapl-template-");
        core::CreateInitialDatabase((holder.dir / "VORTAPL.DAT").string());
    }
    return holder.dir / "VORTAPL.DAT";
}

WorkFolder::WorkFolder(bool withDatabase) {
    privateLockFolder();
    m_previous = fs::current_path();
    fs::path db = withDatabase ? TemplateDatabase() : fs::path();
    m_path = makeTemp("vortapl-test-");
    if (withDatabase)
        fs::copy_file(db, m_path / "VORTAPL.DAT");
    fs::current_path(m_path);
}

WorkFolder::~WorkFolder() {
    std::error_code ec;
    fs::current_path(m_previous, ec);
    if (!std::getenv("VORTAPL_KEEP_TEST_FOLDERS"))
        fs::remove_all(m_path, ec);
}

std::string WorkFolder::ReadFile(const std::string& name) const {
    std::ifstream in(m_path / name, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

StartedApp::StartedApp() : m_app(std::make_unique<CVORTAPLApp>()) {
    if (!m_app->Startup())
        throw std::runtime_error("start-up failed in test folder");
}

StartedApp::~StartedApp() {
    m_app.reset();
}

void StartedApp::Exec(const std::string& sql) {
    m_app->m_db.ExecuteImmediate(sql);
}

long long CountRows(core::Database& db, const std::string& sql) {
    core::Transaction tr(db, core::TransactionMode::ReadOnly);
    core::Statement st(tr);
    st.Execute(sql);
    st.Fetch();
    return st.GetInt64("NR");
}

} // namespace testsupport
