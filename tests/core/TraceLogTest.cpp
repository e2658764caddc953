#include "core/TraceLog.h"
#include "WorkFolder.h"
#include "platform/Clock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sys/stat.h>
#include <vector>

namespace fs = std::filesystem;
using testsupport::WorkFolder;

namespace {
void writeBytes(const fs::path& p, size_t n) {
    std::ofstream out(p, std::ios::binary);
    out << std::string(n, 'x');
}
// The log's timestamps are those of 3 July 2024, 09:05:01.
struct FixedClock : platform::ScopedFixedNow {
    FixedClock() : ScopedFixedNow(platform::MakeDateTime(2024, 7, 3, 9, 5, 1)) {}
};
} // namespace

TEST(TraceLog, EntriesAreTwoLinesWithoutTrailingBreak) {
    WorkFolder folder(false);
    FixedClock clock;
    core::WriteLog("prima");
    core::WriteLog("a doua");
    EXPECT_EQ(folder.ReadFile("vortapl.log"),
              "\n/* 2024-07-03 09:05:01 */\nprima\n/* 2024-07-03 09:05:01 */\na doua");
}

TEST(TraceLog, RotatesOnlyAboveTheLimit) {
    WorkFolder folder(false);
    FixedClock clock;
    writeBytes(folder.File("vortapl.log"), core::kLogRotateSize);
    core::WriteLog("m");
    EXPECT_FALSE(fs::exists(folder.File("vortapl2024_07_03.log")));
    EXPECT_GT(fs::file_size(folder.File("vortapl.log")), size_t(core::kLogRotateSize));

    // Now one entry over the limit: moved to the dated name, a new log starts.
    core::WriteLog("n");
    ASSERT_TRUE(fs::exists(folder.File("vortapl2024_07_03.log")));
    EXPECT_EQ(folder.ReadFile("vortapl.log"), "\n/* 2024-07-03 09:05:01 */\nn");
}

TEST(TraceLog, RotationsOfOneDayKeepDistinctFilesAndOnlyTheLatestAreKept) {
    WorkFolder folder(false);
    FixedClock clock;
    // Older logs of other days, and a name of another form that is not a rotated log.
    for (int day = 1; day <= 3; ++day)
        writeBytes(folder.File(core::RotatedLogName(2024, 6, day, 1)), 5);
    writeBytes(folder.File("vortapl_notes.log"), 5);
    const int rotations = core::kLogKeep + 2;
    for (int i = 0; i < rotations; ++i) {
        writeBytes(folder.File("vortapl.log"), core::kLogRotateSize + 1 + i);
        core::WriteLog("m");
    }
    // Each rotation has its own file, with the size the log had; the oldest beyond the
    // bound went first (the other days, then the first rotations of this one).
    std::vector<std::string> kept;
    for (const auto& e : fs::directory_iterator(folder.Path()))
        kept.push_back(e.path().filename().string());
    std::sort(kept.begin(), kept.end());
    std::vector<std::string> expected = {"vortapl.log", "vortapl_notes.log"};
    for (int seq = rotations - core::kLogKeep + 1; seq <= rotations; ++seq)
        expected.push_back(core::RotatedLogName(2024, 7, 3, seq));
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(kept, expected);
    EXPECT_EQ(fs::file_size(folder.File(core::RotatedLogName(2024, 7, 3, rotations))),
              size_t(core::kLogRotateSize + rotations));
    EXPECT_EQ(folder.ReadFile("vortapl.log"), "\n/* 2024-07-03 09:05:01 */\nm");
}

TEST(TraceLog, OnlyItsOwnerMayReadIt) {
    WorkFolder folder(false);
    const mode_t old = umask(0);
    core::WriteLog("CNP 1850212123456");
    umask(old);
    EXPECT_EQ(fs::status(folder.File("vortapl.log")).permissions(),
              fs::perms::owner_read | fs::perms::owner_write);
    // A log an older version left readable by all is closed at the next entry.
    fs::permissions(folder.File("vortapl.log"), fs::perms(0644));
    core::WriteLog("m");
    EXPECT_EQ(fs::status(folder.File("vortapl.log")).permissions(),
              fs::perms::owner_read | fs::perms::owner_write);
    // A rotated log keeps the mode.
    writeBytes(folder.File("vortapl.log"), core::kLogRotateSize + 1);
    fs::permissions(folder.File("vortapl.log"), fs::perms(0600));
    core::WriteLog("n");
    for (const auto& e : fs::directory_iterator(folder.Path()))
        EXPECT_EQ(fs::status(e.path()).permissions() & fs::perms(077), fs::perms::none) << e.path();
}

TEST(TraceLog, FollowsTheWorkingFolder) {
    WorkFolder a(false);
    core::WriteLog("in a");
    {
        WorkFolder b(false);
        core::WriteLog("in b");
        EXPECT_NE(b.ReadFile("vortapl.log").find("in b"), std::string::npos);
    }
    EXPECT_EQ(a.ReadFile("vortapl.log").find("in b"), std::string::npos);
}
