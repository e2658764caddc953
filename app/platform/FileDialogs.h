#pragma once
// Common file and folder dialogs. Tests install a hook that supplies the answer.

#include <functional>
#include <optional>
#include <string>

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

} // namespace platform
