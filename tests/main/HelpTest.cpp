// The help command hands the shipped document to the desktop.
#include "WorkFolder.h"
#include "core/Commands.h"
#include "core/VORTAPLDlg.h"
#include "main/MainWindowRunner.h"
#include "platform/Desktop.h"
#include "platform/MessageBox.h"

#include <QCoreApplication>
#include <QUrl>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {
std::string Read(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}
} // namespace

TEST(Help, TheHelpCommandOpensTheShippedDocument) {
    testsupport::StartedApp s;
    auto w = CreateMainWindow();
    std::vector<std::string> opened;
    platform::SetOpenUrlHook([&](const std::string& url) {
        opened.push_back(url);
        return true;
    });
    platform::ScopedMessageRecorder boxes;
    w->RunCommand(cmd::Ajutor);
    platform::SetOpenUrlHook({});
    EXPECT_TRUE(boxes.messages().empty()) << boxes.lastText();
    ASSERT_EQ(opened.size(), 1u);
    const QUrl url(QString::fromStdString(opened[0]));
    ASSERT_TRUE(url.isLocalFile()) << opened[0];
    const std::filesystem::path file = url.toLocalFile().toStdString();
    EXPECT_EQ(file.parent_path(),
              std::filesystem::canonical(QCoreApplication::applicationDirPath().toStdString()));
    // The very document of the sources, in Romanian.
    const std::string text = Read(file);
    EXPECT_EQ(text, Read(std::filesystem::path(VORTAPL_SOURCE_DIR) / "doc" / "VORTAPL.html"));
    EXPECT_NE(text.find("<html lang=\"ro\">"), std::string::npos);
}

TEST(Help, AMissingDocumentIsReportedNotOpened) {
    testsupport::StartedApp s;
    const std::filesystem::path doc =
        std::filesystem::path(QCoreApplication::applicationDirPath().toStdString()) /
        "VORTAPL.html";
    const std::filesystem::path aside = doc.string() + ".aside";
    std::filesystem::rename(doc, aside);
    auto w = CreateMainWindow();
    bool opened = false;
    platform::SetOpenUrlHook([&](const std::string&) { return opened = true; });
    platform::ScopedMessageRecorder boxes;
    w->RunCommand(cmd::Ajutor);
    platform::SetOpenUrlHook({});
    std::filesystem::rename(aside, doc);
    EXPECT_FALSE(opened);
    ASSERT_EQ(boxes.messages().size(), 1u);
    EXPECT_NE(boxes.lastText().find("VORTAPL.html nu a fost gasit"), std::string::npos);
}
