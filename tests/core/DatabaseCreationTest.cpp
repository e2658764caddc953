// New database files: any folder name, nothing but the file itself, and what an interrupted
// creation leaves behind cleared at the next start.
#include "WorkFolder.h"
#include "core/Database.h"
#include "core/Schema.h"
#include "core/VORTAPLApp.h"
#include "platform/MessageBox.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using testsupport::WorkFolder;

namespace {
std::string scalar(core::Database& db, const std::string& sql) {
    core::Transaction tr(db, core::TransactionMode::ReadOnly);
    core::Statement st(tr);
    st.Execute(sql);
    EXPECT_TRUE(st.Fetch()) << sql;
    return st.GetText("V");
}

std::set<std::string> names(const fs::path& dir) {
    std::set<std::string> out;
    for (const auto& e : fs::directory_iterator(dir))
        out.insert(e.path().filename().string());
    return out;
}

// The process id of a child that has already ended: no process of that id runs.
pid_t goneProcess() {
    pid_t pid = fork();
    if (pid == 0)
        _exit(0);
    waitpid(pid, nullptr, 0);
    return pid;
}
} // namespace

TEST(DatabaseCreation, AnyFolderNameGivesExactlyThatFileWithTheShippedSettings) {
    WorkFolder f(false);
    // Folder names that SQL text would have broken or obeyed: each must give a database at
    // exactly that path, UTF8 with 8 KB pages, and no other file.
    const char* folders[] = {
        "D'Arcy",
        "O''Brien '",
        "Ana \"Mica\"",
        "dosar cu  spatii ",
        "Ştefănescu ăîâșț",
        "x' PAGE_SIZE 4096 DEFAULT CHARACTER SET WIN1250 --",
        "y' USER 'BOB' PASSWORD 'z",
        "z'; CREATE DATABASE 'injected.fdb",
    };
    for (const char* name : folders) {
        const fs::path dir = f.Path() / name;
        fs::create_directory(dir);
        const fs::path file = dir / "VORTAPL.DAT";
        ASSERT_NO_THROW(core::CreateInitialDatabase(file.string())) << name;
        EXPECT_EQ(names(dir), (std::set<std::string>{"VORTAPL.DAT"})) << name;
        core::Database db;
        db.Connect(file.string(), core::kDbUser, core::kDbPassword);
        EXPECT_EQ(scalar(db, "SELECT TRIM(RDB$CHARACTER_SET_NAME) AS V FROM RDB$DATABASE"), "UTF8")
            << name;
        EXPECT_EQ(scalar(db, "SELECT MON$PAGE_SIZE AS V FROM MON$DATABASE"), "8192") << name;
        EXPECT_EQ(scalar(db, "SELECT MON$FORCED_WRITES AS V FROM MON$DATABASE"), "1") << name;
        EXPECT_EQ(scalar(db, "SELECT COUNT(*) AS V FROM JUDETE"), "42") << name;
    }
    EXPECT_EQ(names(f.Path()).size(), std::size(folders)); // nothing else in the working folder
}

TEST(DatabaseCreation, StartInAFolderWithAnApostropheCreatesAndOpensItsDatabase) {
    WorkFolder f(false);
    const fs::path dir = f.Path() / "D'Arcy";
    fs::create_directory(dir);
    fs::current_path(dir);
    platform::ScopedMessageRecorder boxes;
    {
        CVORTAPLApp app;
        EXPECT_TRUE(app.Startup());
        EXPECT_EQ(app.m_strDirector, dir.string());
        EXPECT_EQ(app.m_judete.GetCount(), 42);
    }
    ASSERT_EQ(boxes.messages().size(), 1u) << boxes.lastText();
    EXPECT_NE(boxes.lastText().find((dir / "VORTAPL.DAT").string()), std::string::npos);
    EXPECT_TRUE(fs::exists(dir / "VORTAPL.DAT"));
    fs::current_path(f.Path());
}

TEST(DatabaseCreation, LeftoversOfAnInterruptedCreationAreRemovedAtTheNextStart) {
    WorkFolder f(false);
    const pid_t gone = goneProcess();
    const std::string leftover = "VORTAPL.DAT." + std::to_string(gone) + ".tmp";
    const std::string running = "VORTAPL.DAT." + std::to_string(getppid()) + ".tmp";
    for (const std::string& n : {leftover, running, std::string("VORTAPL.DAT.x.tmp")}) {
        std::ofstream out(f.File(n), std::ios::binary);
        out << std::string(1000, 'z'); // not a database at all
    }
    platform::ScopedMessageRecorder boxes;
    {
        CVORTAPLApp app;
        ASSERT_TRUE(app.Startup()) << boxes.lastText();
    }
    // The file of a creator that still runs is being built and stays; names of another form
    // are not ours to remove.
    EXPECT_EQ(names(f.Path()),
              (std::set<std::string>{"VORTAPL.DAT", "VORTAPL.DAT.x.tmp", running, "vortapl.log"}));
    EXPECT_NE(f.ReadFile("vortapl.log").find("sterse: 1"), std::string::npos);
}

TEST(DatabaseCreation, AnExistingFileIsNeverReplaced) {
    WorkFolder f(false);
    {
        std::ofstream out(f.File("VORTAPL.DAT"), std::ios::binary);
        out << "keep";
    }
    EXPECT_THROW(core::CreateInitialDatabase(f.File("VORTAPL.DAT").string()), core::DbError);
    EXPECT_EQ(f.ReadFile("VORTAPL.DAT"), "keep");
    EXPECT_EQ(names(f.Path()), (std::set<std::string>{"VORTAPL.DAT"}));
}

TEST(DatabaseCreation, ProgressIsReportedAndTheFileAppearsOnlyWhenComplete) {
    WorkFolder f(false);
    const fs::path file = f.File("VORTAPL.DAT");
    std::vector<std::pair<int, int>> steps;
    std::vector<bool> existed;
    core::CreateInitialDatabase(file.string(), [&](int done, int total) {
        steps.push_back({done, total});
        existed.push_back(fs::exists(file));
    });
    ASSERT_GT(steps.size(), 10u);
    for (size_t i = 0; i < steps.size(); ++i) {
        EXPECT_EQ(steps[i].first, int(i) + 1);
        EXPECT_EQ(steps[i].second, int(steps.size()));
        EXPECT_EQ(existed[i], i + 1 == steps.size()) << "step " << i + 1;
    }
}
