#pragma once
// Common file and folder dialogs. Tests install a hook that supplies the answer.

#include <functional>
#include <memory>
#include <optional>
#include <string>

class QFileDialog;

namespace platform {

enum class FileDialogKind { Open, Save, Folder };

struct FileDialogRequest {
    FileDialogKind kind = FileDialogKind::Open;
    std::string caption;
    std::string startPath; // folder or suggested file
    std::string filter;    // Qt filter text, e.g. "Fisiere crypt (*.crypt);;Toate (*)"
};

// Returns the chosen path, or nothing when the user cancels.
using FileDialogHook = std::function<std::optional<std::string>(const FileDialogRequest&)>;

std::optional<std::string> GetOpenFileName(const std::string& caption, const std::string& startPath,
                                           const std::string& filter);
std::optional<std::string> GetSaveFileName(const std::string& caption, const std::string& startPath,
                                           const std::string& filter);
std::optional<std::string> GetExistingDirectory(const std::string& caption,
                                                const std::string& startPath);

void SetFileDialogHook(FileDialogHook hook);

// A hook that answers every file dialog with the same path (nothing: the user cancels) while
// it lives; seen, when given, receives each request.
class ScopedFileAnswer {
public:
    explicit ScopedFileAnswer(std::optional<std::string> answer,
                              FileDialogRequest* seen = nullptr) {
        SetFileDialogHook([answer, seen](const FileDialogRequest& r) {
            if (seen)
                *seen = r;
            return answer;
        });
    }
    ~ScopedFileAnswer() { SetFileDialogHook({}); }
    ScopedFileAnswer(const ScopedFileAnswer&) = delete;
    ScopedFileAnswer& operator=(const ScopedFileAnswer&) = delete;
};

// The dialog a request opens, with its Romanian labels, not yet run. Qt's own dialog is used
// (not the desktop's) because only its labels can be set.
std::unique_ptr<QFileDialog> BuildFileDialog(const FileDialogRequest& request);

} // namespace platform
