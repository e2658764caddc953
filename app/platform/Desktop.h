#pragma once
// Handing a document to the desktop (the browser opens the help). Tests install a hook that
// records the address instead of starting a browser.

#include <functional>
#include <string>

namespace platform {

using OpenUrlHook = std::function<bool(const std::string& url)>;

// Opens the address with the desktop's program for it; false when none could be started.
bool OpenUrl(const std::string& url);

// Installs a hook that receives every address; an empty hook restores the desktop.
void SetOpenUrlHook(OpenUrlHook hook);

} // namespace platform
