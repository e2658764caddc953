// The engine's lock folder: the user's own, closed to others, or the database is not opened.
#include "core/Database.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
// A scratch folder and a saved environment, restored at the end (this executable opens no
// database, so the engine never sees the variables changed here).
struct Scratch {
    fs::path dir;
    std::optional<std::string> lock, xdg, tmp;
    static std::optional<std::string> get(const char* n) {
        const char* v = std::getenv(n);
        return v ? std::optional<std::string>(v) : std::nullopt;
    }
    static void put(const char* n, const std::optional<std::string>& v) {
        if (v)
            setenv(n, v->c_str(), 1);
        else
            unsetenv(n);
    }
    Scratch() : lock(get("FIREBIRD_LOCK")), xdg(get("XDG_RUNTIME_DIR")), tmp(get("TMPDIR")) {
        std::string t = (fs::temp_directory_path() / "vortapl-lock-XXXXXX").string();
        dir = mkdtemp(t.data());
    }
    ~Scratch() {
        put("FIREBIRD_LOCK", lock);
        put("XDG_RUNTIME_DIR", xdg);
        put("TMPDIR", tmp);
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
};

mode_t modeOf(const fs::path& p) {
    struct stat st {};
    lstat(p.c_str(), &st);
    return st.st_mode & 07777;
}
} // namespace

TEST(LockFolder, OnlyAFolderOfTheUsersOwnClosedToOthersServes) {
    Scratch s;
    struct Case {
        const char* name;
        std::function<void(const fs::path&)> make;
        bool accepted;
        mode_t mode; // of an accepted folder afterwards
    } cases[] = {
        {"missing", [](const fs::path&) {}, true, 0700},
        {"own 0700", [](const fs::path& p) { mkdir(p.c_str(), 0700); }, true, 0700},
        {"own 0755, closed",
         [](const fs::path& p) {
             mkdir(p.c_str(), 0755);
             chmod(p.c_str(), 0755);
         },
         true, 0700},
        {"own 0777",
         [](const fs::path& p) {
             mkdir(p.c_str(), 0777);
             chmod(p.c_str(), 0777);
         },
         false, 0},
        {"own 1777",
         [](const fs::path& p) {
             mkdir(p.c_str(), 0700);
             chmod(p.c_str(), 01777);
         },
         false, 0},
        {"another user's",
         [](const fs::path& p) {
             mkdir(p.c_str(), 0700);
             // As root the folder is given away; otherwise a folder of root's stands in.
             if (geteuid() == 0)
                 ASSERT_EQ(chown(p.c_str(), 65534, 65534), 0);
             else
                 fs::create_directory_symlink("/", p);
         },
         false, 0},
        {"a link to the user's folder",
         [&](const fs::path& p) {
             fs::create_directory(s.dir / "real");
             chmod((s.dir / "real").c_str(), 0700);
             fs::create_directory_symlink(s.dir / "real", p);
         },
         false, 0},
        {"a file", [](const fs::path& p) { std::ofstream(p) << "x"; }, false, 0},
    };
    int i = 0;
    for (const Case& c : cases) {
        const fs::path p = s.dir / ("lock" + std::to_string(i++));
        c.make(p);
        const std::string err = core::PrepareLockFolder(p.string());
        EXPECT_EQ(err.empty(), c.accepted) << c.name << ": " << err;
        if (c.accepted)
            EXPECT_EQ(modeOf(p), c.mode) << c.name;
        else
            EXPECT_NE(err.find(p.string()), std::string::npos) << c.name;
    }
}

TEST(LockFolder, ChosenUnderTheRuntimeFolderOrTheTemporaryFolder) {
    Scratch s;
    unsetenv("FIREBIRD_LOCK");
    setenv("XDG_RUNTIME_DIR", s.dir.c_str(), 1);
    ASSERT_TRUE(core::EnsureFirebirdLockFolder());
    EXPECT_EQ(std::string(std::getenv("FIREBIRD_LOCK")), (s.dir / "vortapl-fblock").string());
    EXPECT_EQ(modeOf(s.dir / "vortapl-fblock"), 0700u);

    // Without a runtime folder: the temporary folder, where another user may have been first.
    unsetenv("FIREBIRD_LOCK");
    unsetenv("XDG_RUNTIME_DIR");
    setenv("TMPDIR", s.dir.c_str(), 1);
    const fs::path planted = s.dir / ("vortapl-fblock-" + std::to_string(geteuid()));
    mkdir(planted.c_str(), 0777);
    chmod(planted.c_str(), 0777);
    std::string err;
    EXPECT_FALSE(core::EnsureFirebirdLockFolder(&err));
    EXPECT_NE(err.find(planted.string()), std::string::npos) << err;
    EXPECT_EQ(std::getenv("FIREBIRD_LOCK"), nullptr);
    // The connection is refused with that message before the engine is reached.
    core::Database db;
    try {
        db.Connect((s.dir / "VORTAPL.DAT").string(), core::kDbUser, core::kDbPassword);
        FAIL() << "connected";
    } catch (const core::DbError& e) {
        EXPECT_EQ(std::string(e.what()), err);
    }
    chmod(planted.c_str(), 0700);
    EXPECT_TRUE(core::EnsureFirebirdLockFolder());
    EXPECT_EQ(std::string(std::getenv("FIREBIRD_LOCK")), planted.string());
}
