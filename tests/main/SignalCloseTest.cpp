// A request to end the program from outside closes the main window through its own code; the
// real program then disconnects and exits 0.
#include "WorkFolder.h"
#include "core/Database.h"
#include "core/VORTAPLApp.h"
#include "core/VORTAPLDlg.h"
#include "main/MainWindowRunner.h"
#include "platform/MessageBox.h"
#include "platform/TerminationSignals.h"

#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;
using testsupport::StartedApp;

TEST(SignalClose, TermAndHupAbandonTheMonthIntAsksAsTheCloseBoxDoes) {
    StartedApp s;
    struct Case {
        int sig;
        platform::Answer answer; // to "Abandonam modificarile curente?"
        bool asked, closed;
    } cases[] = {
        {SIGTERM, platform::Answer::No, false, true},
        {SIGHUP, platform::Answer::No, false, true},
        {SIGINT, platform::Answer::No, true, false},
        {SIGINT, platform::Answer::Yes, true, true},
    };
    for (const Case& c : cases) {
        auto w = CreateMainWindow();
        w->m_bLunaDeschisa = true; // a month open and not finalized
        s.App().m_bLunaFinala = false;
        platform::ScopedMessageRecorder boxes;
        boxes.queue(c.answer);
        w->setWindowModality(Qt::ApplicationModal); // as exec() shows it
        w->show();
        OnSignal(*w, c.sig);
        EXPECT_EQ(!boxes.messages().empty(), c.asked) << c.sig;
        if (c.asked) {
            EXPECT_EQ(boxes.messages()[0].text, "Abandonam modificarile curente?");
        }
        EXPECT_EQ(!w->isVisible(), c.closed) << c.sig;
    }
}

TEST(SignalClose, ASignalEndsTheWindowEvenUnderAnOpenBox) {
    StartedApp s;
    platform::InstallTerminationHandlers();
    auto w = CreateMainWindow();
    w->m_bLunaDeschisa = true;
    // A real message box is up over the window when the session ends.
    QTimer::singleShot(0, w.get(), [&] {
        QTimer::singleShot(50, [] { raise(SIGTERM); });
        QMessageBox box(QMessageBox::Question, "VORTAPL", "?", QMessageBox::Yes | QMessageBox::No,
                        w.get());
        box.exec();
    });
    ExecMainWindow(*w); // returns: the test would hang here otherwise
    EXPECT_FALSE(w->isVisible());
    EXPECT_NE(s.Folder().ReadFile("vortapl.log").find("Semnalul SIGTERM a fost primit"),
              std::string::npos);
}

TEST(SignalClose, TheProgramEndsOnSigtermWithExitZeroAndItsDatabaseClosed) {
    testsupport::WorkFolder f;
    const std::string program = std::string(VORTAPL_BIN_DIR) + "/vortapl";
    pid_t pid = fork();
    if (pid == 0) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        freopen("/dev/null", "w", stderr);
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    // The signal is sent once the database is open (the engine's own handlers are in place
    // by then, and the program has put its own back).
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return f.ReadFile("vortapl.log").find("Conectare cu SUCCES") != std::string::npos; },
        30000));
    kill(pid, SIGTERM);
    int status = 0;
    bool ended = false;
    for (int i = 0; i < 300 && !ended; ++i) { // at most 30 s, then the test fails
        ended = waitpid(pid, &status, WNOHANG) == pid;
        if (!ended)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    if (!ended) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    ASSERT_TRUE(ended) << "still running after SIGTERM";
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0);
    const std::string log = f.ReadFile("vortapl.log");
    EXPECT_NE(log.find("Semnalul SIGTERM a fost primit"), std::string::npos);
    // The file is free and whole: this process opens it at once.
    core::Database db;
    EXPECT_NO_THROW(db.Connect(f.File("VORTAPL.DAT").string(), core::kDbUser, core::kDbPassword));
}
