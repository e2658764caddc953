#include "core/TraceLog.h"
#include "WorkFolder.h"
#include "platform/Clock.h"

#include <gtest/gtest.h>

#include <fstream>

namespace fs = std::filesystem;
using testsupport::WorkFolder;

namespace {
void writeBytes(const fs::path& p, size_t n) {
    std::ofstream out(p, std::ios::binary);
    out << std::string(n, 'x');
}
struct FixedClock {
    FixedClock() { platform::SetFixedNow(platform::MakeDateTime(2024, 7, 3, 9, 5, 1)); }
    ~FixedClock() { platform::SetFixedNow(std::nullopt); }
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

TEST(TraceLog, SecondRotationSameDayKeepsGrowingTheLog) {
    WorkFolder folder(false);
    FixedClock clock;
    writeBytes(folder.File("vortapl2024_07_03.log"), 10);
    writeBytes(folder.File("vortapl.log"), core::kLogRotateSize + 1);
    core::WriteLog("m");
    EXPECT_EQ(fs::file_size(folder.File("vortapl2024_07_03.log")), 10u);
    EXPECT_GT(fs::file_size(folder.File("vortapl.log")), size_t(core::kLogRotateSize + 1));
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
