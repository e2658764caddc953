// A save killed half-way leaves the previous settlement as it was: the program runs the save
// in a child process that is killed while its pages are writing.
#include "LunaDecontSupport.h"
#include "core/Commands.h"
#include "core/LunaDecont.h"
#include "platform/MessageBox.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {
const char* const kChildFolder = "VORTAPL_SAVE_CHILD_FOLDER";

void openAndType(CVORTAPLDlg& dlg, std::vector<lunatest::TestPage*>& pages, const char* text) {
    platform::ScopedMessageRecorder boxes;
    boxes.queue(platform::Answer::Yes); // replace the month's settlement
    dlg.RunCommand(cmd::AdaugareLuna);
    for (auto* p : pages)
        p->Edit()->setText(text);
    theApp().m_totaluri.FS = 5000;
}
} // namespace

// The child's part: only runs when started by the test below.
TEST(LunaDecontKill, ChildSavesUntilKilled) {
    const char* folder = std::getenv(kChildFolder);
    if (!folder)
        GTEST_SKIP() << "started by SaveKilledHalfWayLeavesThePreviousSettlement";
    std::filesystem::current_path(folder);
    CVORTAPLApp app;
    ASSERT_TRUE(app.Startup());
    app.m_pConventii = std::make_unique<_NDateConventiiAngajator>();
    std::vector<lunatest::Event> journal;
    std::vector<lunatest::TestPage*> pages;
    std::vector<CTabPage*> list;
    for (int i = 0; i < CVORTAPLDlg::TabCount; ++i)
        list.push_back(pages.emplace_back(new lunatest::TestPage(i, journal)));
    CVORTAPLDlg dlg(list);
    openAndType(dlg, pages, "A DOUA");
    pages[CVORTAPLDlg::TabStatPlata]->m_afterWrite = [&] {
        std::ofstream(std::filesystem::path(folder) / "in-save") << "1";
        for (;;)
            pause(); // the parent kills the process here, in the middle of the save
    };
    platform::ScopedMessageRecorder boxes;
    dlg.RunCommand(cmd::SalvareLuna);
    FAIL() << "the save ran to its end";
}

TEST(LunaDecontKill, SaveKilledHalfWayLeavesThePreviousSettlement) {
    lunatest::Fixture f;
    int an = 0, ln = 0; // both processes work on the month before today's
    CLunaDecont::LunaAnterioara(an, ln);
    f.Constants(an, ln);
    openAndType(*f.dlg, f.pages, "PRIMA");
    {
        platform::ScopedMessageRecorder boxes;
        f.dlg->RunCommand(cmd::SalvareLuna);
        ASSERT_TRUE(boxes.messages().empty()) << boxes.lastText();
    }
    const std::string before = f.Dump();
    ASSERT_NE(before.find("PRIMA"), std::string::npos);
    const std::string dbFile = f.s.App().m_db.File();
    f.s.App().m_db.Disconnect(); // one process at a time opens the file

    const std::string folder = f.s.Folder().Path().string();
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
        env.emplace_back(*e);
    env.push_back(std::string(kChildFolder) + "=" + folder);
    std::vector<char*> envp;
    for (auto& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    std::string filter = "--gtest_filter=LunaDecontKill.ChildSavesUntilKilled";
    char* argv[] = {self.data(), filter.data(), nullptr};
    pid_t pid = 0;
    ASSERT_EQ(posix_spawn(&pid, self.c_str(), nullptr, nullptr, argv, envp.data()), 0);

    // Wait for the child to be inside its save (a guard against a child that never gets
    // there, not a measurement).
    bool inSave = false, exited = false;
    int status = 0;
    for (int i = 0; i < 1200 && !inSave && !exited; ++i) {
        inSave = std::filesystem::exists(f.s.Folder().File("in-save"));
        exited = waitpid(pid, &status, WNOHANG) == pid;
        if (!inSave && !exited)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    if (!exited) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    ASSERT_TRUE(inSave) << "the child did not reach the save";
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);

    f.s.App().m_db.Connect(dbFile, core::kDbUser, core::kDbPassword);
    EXPECT_EQ(f.Dump(), before);
    EXPECT_EQ(f.Count("SELECT COUNT(*) AS NR FROM ATO_RAPORTARE_PONTAJ WHERE NUME = 'A DOUA'"), 0);
}
