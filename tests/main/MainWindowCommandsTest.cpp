// The assembled main window: every page in its place and the commands of the other parts
// reaching their dialogs.
#include "WorkFolder.h"
#include "core/Commands.h"
#include "core/TabPage.h"
#include "core/VORTAPLDlg.h"
#include "main/MainWindowRunner.h"
#include "platform/MessageBox.h"
#include "platform/ModalDialog.h"

#include <QAction>
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

TEST(MainWindowCommands, IconAndEachShortcutShownOnce) {
    StartedApp s;
    auto w = CreateMainWindow();
    EXPECT_FALSE(w->windowIcon().isNull());
    EXPECT_FALSE(w->windowIcon().pixmap(32, 32).isNull());
    // The menu draws an item's text up to a tab, then the key column: the key named by the
    // caption is there once, and Qt adds the shortcut only to a text without a tab.
    struct Case {
        int command;
        const char* shown;
        const char* key;
    } cases[] = {
        {cmd::AdaugareLuna, "Adaugare luna curenta\t[CTRL + N]", "Ctrl+N"},
        {cmd::SalvareLuna, "Salvare luna curenta\t[CTRL + S]", "Ctrl+S"},
        {cmd::FinalizareLuna, "Finalizare luna curenta\t[CTRL + SHIFT + S]", "Ctrl+Shift+S"},
        {cmd::Iesire, "&Iesire\t[ALT+X]", "Alt+X"},
        {cmd::VizualizareLuna, "Vizualizare luna existenta", ""},
    };
    for (const Case& c : cases) {
        QAction* a = w->Action(c.command);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->text().toStdString(), c.shown);
        EXPECT_EQ(a->shortcut(), QKeySequence(c.key)); // the key still works
    }
}
