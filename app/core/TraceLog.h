#pragma once
// The trace log "vortapl.log" in the current working folder. Each entry is two lines (a
// time-stamp comment and the message); the file is opened and closed for every entry so that
// another program can read it at any time, and it never ends with a line break. It names persons
// and their personal codes, so it is created readable by its owner only (0600).

#include <string>

namespace core {

// Size above which the log is moved to its dated name before the next entry is written.
constexpr long long kLogRotateSize = 1500000;

// Rotated logs kept beside the current one; older ones are removed.
constexpr int kLogKeep = 10;

// The name a log rotated on that day gets: "vortapl2024_07_03.log" for the first rotation of
// the day, "vortapl2024_07_03_2.log" for the second, and so on.
std::string RotatedLogName(int iYear, int iMonth, int iDay, int iSequence);

// Appends one entry; never fails visibly (an entry that cannot be written is dropped).
void WriteLog(const std::string& strMessage);

} // namespace core
