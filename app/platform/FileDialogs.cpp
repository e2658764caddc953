#include "FileDialogs.h"

#include <QApplication>
#include <QFileDialog>

namespace platform {
namespace {
FileDialogHook& hook() {
    static FileDialogHook h;
    return h;
}

std::optional<std::string> ask(const FileDialogRequest& r) {
    if (hook())
        return hook()(r);
    std::unique_ptr<QFileDialog> dlg = BuildFileDialog(r);
    if (dlg->exec() != QDialog::Accepted || dlg->selectedFiles().isEmpty())
        return std::nullopt;
    const QString chosen = dlg->selectedFiles().constFirst();
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen.toStdString();
}
} // namespace

std::unique_ptr<QFileDialog> BuildFileDialog(const FileDialogRequest& r) {
    auto dlg = std::make_unique<QFileDialog>(QApplication::activeWindow(),
                                             QString::fromStdString(r.caption));
    dlg->setOption(QFileDialog::DontUseNativeDialog, true);
    const QString start = QString::fromStdString(r.startPath);
    switch (r.kind) {
    case FileDialogKind::Open:
        dlg->setAcceptMode(QFileDialog::AcceptOpen);
        dlg->setFileMode(QFileDialog::ExistingFile);
        dlg->setLabelText(QFileDialog::Accept, QStringLiteral("Deschide"));
        break;
    case FileDialogKind::Save:
        dlg->setAcceptMode(QFileDialog::AcceptSave);
        dlg->setFileMode(QFileDialog::AnyFile);
        dlg->setLabelText(QFileDialog::Accept, QStringLiteral("Salveaza"));
        break;
    case FileDialogKind::Folder:
        dlg->setAcceptMode(QFileDialog::AcceptOpen);
        dlg->setFileMode(QFileDialog::Directory);
        dlg->setOption(QFileDialog::ShowDirsOnly, true);
        dlg->setLabelText(QFileDialog::Accept, QStringLiteral("Alege"));
        break;
    }
    dlg->setLabelText(QFileDialog::LookIn, QStringLiteral("Cauta in:"));
    dlg->setLabelText(QFileDialog::FileName, r.kind == FileDialogKind::Folder
                                                 ? QStringLiteral("Dosar:")
                                                 : QStringLiteral("Nume fisier:"));
    dlg->setLabelText(QFileDialog::FileType, QStringLiteral("Tip fisier:"));
    dlg->setLabelText(QFileDialog::Reject, QStringLiteral("Anuleaza"));
    if (!r.filter.empty())
        dlg->setNameFilters(QString::fromStdString(r.filter).split(QStringLiteral(";;")));
    // A suggested file name starts the dialog in its folder with the name filled in.
    const QFileInfo info(start);
    if (!start.isEmpty() && r.kind != FileDialogKind::Folder && !info.isDir()) {
        dlg->setDirectory(info.absolutePath());
        dlg->selectFile(info.fileName());
    } else if (!start.isEmpty()) {
        dlg->setDirectory(start);
    }
    return dlg;
}

void SetFileDialogHook(FileDialogHook h) {
    hook() = std::move(h);
}

std::optional<std::string> GetOpenFileName(const std::string& caption, const std::string& startPath,
                                           const std::string& filter) {
    return ask({FileDialogKind::Open, caption, startPath, filter});
}
std::optional<std::string> GetSaveFileName(const std::string& caption, const std::string& startPath,
                                           const std::string& filter) {
    return ask({FileDialogKind::Save, caption, startPath, filter});
}
std::optional<std::string> GetExistingDirectory(const std::string& caption,
                                                const std::string& startPath) {
    return ask({FileDialogKind::Folder, caption, startPath, {}});
}

} // namespace platform
