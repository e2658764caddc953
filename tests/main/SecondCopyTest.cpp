// A second copy of the program started on a working folder another copy has open.
#include "WorkFolder.h"
#include "core/VORTAPLApp.h"
#include "platform/MessageBox.h"

#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>

#include <chrono>

TEST(SecondCopy, ExplainsThatTheDatabaseIsInUse) {
    testsupport::WorkFolder f;
    QProcess first;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    first.setProcessEnvironment(env);
    first.setWorkingDirectory(QString::fromStdString(f.Path().string()));
    first.start(VORTAPL_BIN_DIR "/vortapl", {});
    ASSERT_TRUE(first.waitForStarted());
    // The first copy has the database once its log says so (or it ended, which fails below).
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (f.ReadFile("vortapl.log").find("Conectare cu SUCCES") == std::string::npos &&
           first.state() == QProcess::Running && std::chrono::steady_clock::now() < deadline)
        QThread::msleep(50);
    ASSERT_EQ(first.state(), QProcess::Running) << first.readAllStandardError().toStdString();

    platform::ScopedMessageRecorder boxes;
    {
        CVORTAPLApp second;
        bool shown = false;
        second.InitInstance([&] { shown = true; });
        EXPECT_FALSE(shown);
    }
    first.kill();
    first.waitForFinished();
    ASSERT_EQ(boxes.messages().size(), 1u);
    const std::string text = boxes.lastText();
    EXPECT_EQ(text.find("Baza de date este deschisa de un alt program VORTAPL"), 0u) << text;
    EXPECT_NE(text.find("Detalii pentru asistenta tehnica:\n"), std::string::npos) << text;
}
