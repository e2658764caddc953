// The assembled main window: every page in its place and the commands of the other parts
// reaching their dialogs.
#include "WorkFolder.h"
#include "core/Commands.h"
#include "core/TabPage.h"
#include "core/VORTAPLDlg.h"
#include "main/MainWindowRunner.h"
#include "platform/MessageBox.h"
#include "platform/ModalDialog.h"

#include <QDialog>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using testsupport::StartedApp;

TEST(MainWindowCommands, CommandsOpenTheirDialogs) {
    StartedApp s;
    auto w = CreateMainWindow();
    std::vector<std::string> opened;
    platform::ScopedModalHook hook([&](QDialog& d) {
        opened.push_back(d.metaObject()->className());
        return int(QDialog::Rejected);
    });
    platform::ScopedMessageRecorder boxes;
    struct Case {
        int command;
        const char* dialog;
    } cases[] = {
        {cmd::ConstanteSistem, "CCSDlg"},
        {cmd::AdaugareAgent, "CAgentiDlg"},
        {cmd::OptiuniAplicatie, "COptiuniDlg"},
        {cmd::DespreAplicatie, "CAboutDlg"},
        {cmd::ModificareAgent, "CGetTextDlg"},
        {cmd::ImportConventii, "CImportConventiiKrenoDlg"},
        {cmd::ActualizeazaSarbatori, "CActualizareSarbatoriLegaleDlg"},
    };
    for (const Case& c : cases) {
        opened.clear();
        w->RunCommand(c.command);
        ASSERT_FALSE(opened.empty()) << c.dialog;
        EXPECT_EQ(opened.front(), c.dialog);
    }
    EXPECT_TRUE(boxes.messages().empty()) << boxes.lastText();
}

TEST(MainWindowCommands, PagesInTabOrder) {
    StartedApp s;
    auto w = CreateMainWindow();
    const char* classes[] = {"CSubventiiDlg", "CDateConventiiAngajatorDlg",
                             "CPontajDlg",    "CStatDePlataDlg",
                             "CArt80Dlg",     "CArt85Dlg",
                             "CL116Dlg",      "CL72Dlg",
                             "CArt93_4Dlg"};
    for (int i = 0; i < CVORTAPLDlg::TabCount; ++i)
        EXPECT_STREQ(w->Page(i)->metaObject()->className(), classes[i]);
}
