// What the user reads on the program's standard boxes and file dialogs: Qt's own English texts
// never reach the screen.
#include "platform/FileDialogs.h"
#include "platform/MessageBox.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QMessageBox>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {
std::vector<std::string> ShownButtons(QMessageBox& box) {
    std::vector<std::string> texts;
    for (QAbstractButton* b : box.buttons())
        texts.push_back(b->text().toStdString());
    std::sort(texts.begin(), texts.end());
    return texts;
}
} // namespace

TEST(PlatformTexts, MessageBoxesHaveRomanianButtons) {
    struct Case {
        platform::Buttons buttons;
        std::vector<std::string> texts; // sorted
    } cases[] = {
        {platform::Buttons::Ok, {"OK"}},
        {platform::Buttons::OkCancel, {"Anuleaza", "OK"}},
        {platform::Buttons::YesNo, {"Da", "Nu"}},
        {platform::Buttons::YesNoCancel, {"Anuleaza", "Da", "Nu"}},
    };
    for (const Case& c : cases) {
        auto box = platform::BuildMessageBox(
            {"Salvati luna?", platform::kCaption, platform::Icon::Question, c.buttons});
        EXPECT_EQ(box->windowTitle().toStdString(), "VORTAPL");
        EXPECT_EQ(box->text().toStdString(), "Salvati luna?");
        EXPECT_EQ(ShownButtons(*box), c.texts);
    }
}

TEST(PlatformTexts, TheAuditSeesBoxesAnsweredByAHook) {
    std::vector<std::string> seen;
    auto previous = platform::SetMessageAudit(
        [&](const platform::MessageRecord& r) { seen.push_back(r.text); });
    {
        platform::ScopedMessageRecorder rec;
        rec.queue(platform::Answer::No);
        EXPECT_EQ(platform::ShowMessage("Continuati?", "VORTAPL", platform::Icon::Question,
                                        platform::Buttons::YesNo),
                  platform::Answer::No);
    }
    platform::SetMessageAudit(std::move(previous)); // the suite's own check on every box
    EXPECT_EQ(seen, std::vector<std::string>{"Continuati?"});
}

TEST(PlatformTexts, FileDialogsHaveRomanianLabels) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path();
    struct Case {
        platform::FileDialogKind kind;
        std::string start;
        const char* accept;
        QFileDialog::FileMode mode;
    } cases[] = {
        {platform::FileDialogKind::Open, dir.string(), "Deschide", QFileDialog::ExistingFile},
        {platform::FileDialogKind::Save, (dir / "decont.crypt").string(), "Salveaza",
         QFileDialog::AnyFile},
        {platform::FileDialogKind::Folder, dir.string(), "Alege", QFileDialog::Directory},
    };
    for (const Case& c : cases) {
        auto dlg = platform::BuildFileDialog(
            {c.kind, "Alegeti fisierul", c.start, "Fisiere crypt (*.crypt);;Toate (*)"});
        EXPECT_EQ(dlg->windowTitle().toStdString(), "Alegeti fisierul");
        EXPECT_TRUE(dlg->testOption(QFileDialog::DontUseNativeDialog));
        EXPECT_EQ(dlg->fileMode(), c.mode);
        EXPECT_EQ(dlg->labelText(QFileDialog::Accept).toStdString(), c.accept);
        EXPECT_EQ(dlg->labelText(QFileDialog::Reject).toStdString(), "Anuleaza");
        EXPECT_EQ(dlg->labelText(QFileDialog::LookIn).toStdString(), "Cauta in:");
        EXPECT_EQ(dlg->labelText(QFileDialog::FileType).toStdString(), "Tip fisier:");
        EXPECT_EQ(std::filesystem::path(dlg->directory().absolutePath().toStdString()),
                  std::filesystem::canonical(dir));
        if (c.kind != platform::FileDialogKind::Folder) {
            EXPECT_EQ(dlg->nameFilters().size(), 2);
        }
        if (c.kind == platform::FileDialogKind::Save) {
            EXPECT_EQ(dlg->selectedFiles().value(0).toStdString(),
                      (std::filesystem::canonical(dir) / "decont.crypt").string());
        }
    }
}
