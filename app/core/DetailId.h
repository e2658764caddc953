#pragma once
// Keys of the settlement's detail rows. Each detail table is keyed by an ID timestamp; the
// engine's CURRENT_TIMESTAMP has a resolution of 1 ms and repeats inside one transaction, so
// the program assigns the keys itself: one millisecond apart, after every key already stored
// in the table and every key handed out before in this process.

#include "core/Database.h"

#include <string>

namespace core {

// The next free ID of strTable (read through tr on first use of the table in the process).
Timestamp NextDetailId(Transaction& tr, const std::string& strTable);

// Forgets what was read, so the next call reads the table again (tests that swap databases).
void ResetDetailIds();

} // namespace core
