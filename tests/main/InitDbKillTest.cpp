// vortapl-initdb killed anywhere in its work, or stopped by a full disk, leaves either no
// database or a complete one, and the next run succeeds.
#include "WorkFolder.h"
#include "core/Database.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using testsupport::WorkFolder;

namespace {
const std::string kInitDb = std::string(VORTAPL_BIN_DIR) + "/vortapl-initdb";

// Starts vortapl-initdb on path; fileLimit > 0 caps the size of any file it writes.
pid_t start(const fs::path& path, rlim_t fileLimit = 0) {
    pid_t pid = fork();
    if (pid == 0) {
        if (fileLimit > 0) {
            rlimit lim{fileLimit, fileLimit};
            setrlimit(RLIMIT_FSIZE, &lim);
            signal(SIGXFSZ, SIG_IGN); // a write past the limit fails, as on a full disk
        }
        freopen("/dev/null", "w", stdout);
        freopen("/dev/null", "w", stderr);
        execl(kInitDb.c_str(), kInitDb.c_str(), path.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

int wait(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return status;
}

// True when the file opens and holds the whole schema and its reference rows.
bool complete(const fs::path& file) {
    try {
        core::Database db;
        db.Connect(file.string(), core::kDbUser, core::kDbPassword);
        core::Transaction tr(db, core::TransactionMode::ReadOnly);
        core::Statement st(tr);
        st.Execute("SELECT (SELECT COUNT(*) FROM RDB$RELATIONS WHERE RDB$SYSTEM_FLAG = 0) AS T, "
                   "(SELECT COUNT(*) FROM JUDETE) AS J, (SELECT COUNT(*) FROM ATO_VERSIUNE) AS V, "
                   "(SELECT COUNT(*) FROM RDB$RELATION_CONSTRAINTS WHERE RDB$RELATION_NAME = "
                   "'ATO_RAPORTARE_ART93_4') AS K FROM RDB$DATABASE");
        return st.Fetch() && st.GetInt("T") == 22 && st.GetInt("J") == 42 && st.GetInt("V") == 1 &&
               st.GetInt("K") >= 2;
    } catch (const core::DbError&) {
        return false;
    }
}

int leftovers(const fs::path& dir) {
    int n = 0;
    for (const auto& e : fs::directory_iterator(dir))
        n += e.path().filename() != "VORTAPL.DAT";
    return n;
}
} // namespace

TEST(InitDbKill, KilledAnywhereLeavesNoDatabaseOrAWholeOne) {
    WorkFolder f(false);
    const fs::path file = f.File("VORTAPL.DAT");

    // One uninterrupted run measures how long a creation takes here.
    const auto t0 = Clock::now();
    ASSERT_EQ(wait(start(file)), 0);
    const auto full = Clock::now() - t0;
    ASSERT_TRUE(complete(file));
    fs::remove(file);

    // Kill points spread over that time and a little past it; every run after a kill is the
    // next start for what the kill left behind.
    const int kPoints = 24;
    int killedWithout = 0, killedWith = 0;
    for (int i = 0; i < kPoints; ++i) {
        const auto delay = full * (i + 1) / (kPoints - 2);
        pid_t pid = start(file);
        std::this_thread::sleep_for(delay);
        kill(pid, SIGKILL);
        wait(pid);
        if (fs::exists(file)) {
            ASSERT_TRUE(complete(file)) << "kill point " << i;
            ++killedWith;
            fs::remove(file);
        } else {
            ++killedWithout;
        }
    }
    EXPECT_GT(killedWithout, 0);
    ASSERT_EQ(wait(start(file)), 0);
    EXPECT_TRUE(complete(file));
    EXPECT_EQ(leftovers(f.Path()), 0);
    std::printf("kill points: %d before the file appeared, %d after\n", killedWithout, killedWith);
}

TEST(InitDbKill, AFullDiskLeavesNothingAndTheNextRunSucceeds) {
    WorkFolder f(false);
    const fs::path file = f.File("VORTAPL.DAT");
    const int status = wait(start(file, 1 << 20)); // the database needs more than 1 MB
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_NE(WEXITSTATUS(status), 0);
    EXPECT_FALSE(fs::exists(file));
    EXPECT_EQ(leftovers(f.Path()), 0);
    ASSERT_EQ(wait(start(file)), 0);
    EXPECT_TRUE(complete(file));
}
