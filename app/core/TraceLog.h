#pragma once
// The trace log "vortapl.log" in the current working folder. Each entry is two lines (a
// time-stamp comment and the message); the file is opened and closed for every entry so that
// another program can read it at any time, and it never ends with a line break.

#include <string>

namespace core {

// Size above which the log is moved to its dated name before the next entry is written.
constexpr long long kLogRotateSize = 1500000;

// Appends one entry; never fails visibly (an entry that cannot be written is dropped).
void WriteLog(const std::string& strMessage);

} // namespace core
