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
    QWidget* parent = QApplication::activeWindow();
    const QString cap = QString::fromStdString(r.caption);
    const QString start = QString::fromStdString(r.startPath);
    const QString filter = QString::fromStdString(r.filter);
    QString chosen;
    switch (r.kind) {
    case FileDialogKind::Open:
        chosen = QFileDialog::getOpenFileName(parent, cap, start, filter);
        break;
    case FileDialogKind::Save:
        chosen = QFileDialog::getSaveFileName(parent, cap, start, filter);
        break;
    case FileDialogKind::Folder:
        chosen = QFileDialog::getExistingDirectory(parent, cap, start);
        break;
    }
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen.toStdString();
}
} // namespace

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
