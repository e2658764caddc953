#include "core/TraceLog.h"

#include "platform/Clock.h"

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>
#include <vector>

namespace core {
namespace {

namespace fs = std::filesystem;

// The log names persons and their personal codes: only its owner may read it.
FILE* openPrivate(const fs::path& log) {
    int fd = open(log.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return nullptr;
    struct stat st {};
    if (fstat(fd, &st) == 0 && (st.st_mode & 077) != 0 && st.st_uid == geteuid())
        fchmod(fd, 0600); // a log left readable by an older version is closed too
    FILE* f = fdopen(fd, "ab");
    if (!f)
        close(fd);
    return f;
}

// (year, month, day, sequence) of a rotated log's name, the first of a day being sequence 1.
bool rotatedKey(const std::string& name, std::tuple<int, int, int, int>& key) {
    int y = 0, m = 0, d = 0, n = 1, used = 0;
    if (std::sscanf(name.c_str(), "vortapl%4d_%2d_%2d.log%n", &y, &m, &d, &used) == 3 &&
        used == static_cast<int>(name.size())) {
        key = {y, m, d, 1};
        return true;
    }
    used = 0;
    if (std::sscanf(name.c_str(), "vortapl%4d_%2d_%2d_%d.log%n", &y, &m, &d, &n, &used) == 4 &&
        used == static_cast<int>(name.size()) && n >= 2) {
        key = {y, m, d, n};
        return true;
    }
    return false;
}

// Removes the oldest rotated logs beyond kLogKeep.
void pruneRotated(const fs::path& dir) {
    std::vector<std::pair<std::tuple<int, int, int, int>, fs::path>> logs;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(dir, ec)) {
        std::tuple<int, int, int, int> key;
        if (rotatedKey(e.path().filename().string(), key))
            logs.emplace_back(key, e.path());
    }
    if (logs.size() <= static_cast<size_t>(kLogKeep))
        return;
    std::sort(logs.begin(), logs.end());
    for (size_t i = 0; i + kLogKeep < logs.size(); ++i)
        fs::remove(logs[i].second, ec);
}

} // namespace

std::string RotatedLogName(int iYear, int iMonth, int iDay, int iSequence) {
    char name[64];
    if (iSequence <= 1)
        std::snprintf(name, sizeof name, "vortapl%04d_%02d_%02d.log", iYear, iMonth, iDay);
    else
        std::snprintf(name, sizeof name, "vortapl%04d_%02d_%02d_%d.log", iYear, iMonth, iDay,
                      iSequence);
    return name;
}

void WriteLog(const std::string& strMessage) {
    const platform::DateTime now = platform::Now();
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%4d-%02d-%02d %02d:%02d:%02d", now.year, now.month, now.day,
                  now.hour, now.minute, now.second);

    // The folder is read anew at every call: the log follows the process's working folder.
    std::error_code ec;
    fs::path dir = fs::current_path(ec);
    if (ec)
        return;
    const fs::path log = dir / "vortapl.log";

    FILE* f = openPrivate(log);
    if (f) {
        struct stat st {};
        if (fstat(fileno(f), &st) == 0 && st.st_size > kLogRotateSize) {
            std::fclose(f);
            // Every rotation of a day gets a name of its own, so none overwrites or grows
            // another; only the most recent kLogKeep are kept.
            // The next sequence follows the highest of the day, so the order of the names
            // stays the order of the logs even after the oldest were removed.
            int seq = 1;
            for (const auto& e : fs::directory_iterator(dir, ec)) {
                std::tuple<int, int, int, int> key;
                if (rotatedKey(e.path().filename().string(), key) && std::get<0>(key) == now.year &&
                    std::get<1>(key) == now.month && std::get<2>(key) == now.day)
                    seq = std::max(seq, std::get<3>(key) + 1);
            }
            const fs::path target = dir / RotatedLogName(now.year, now.month, now.day, seq);
            if (!fs::exists(target, ec))
                fs::rename(log, target, ec);
            pruneRotated(dir);
            f = openPrivate(log);
        }
    }
    if (!f)
        return;
    std::fprintf(f, "\n/* %s */", stamp);
    std::fputs("\n", f);
    std::fwrite(strMessage.data(), 1, strMessage.size(), f);
    std::fclose(f);
}

} // namespace core
