#include "core/TraceLog.h"

#include "platform/Clock.h"

#include <cstdio>
#include <filesystem>
#include <sys/stat.h>

namespace core {

void WriteLog(const std::string& strMessage) {
    const platform::DateTime now = platform::Now();
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%4d-%02d-%02d %02d:%02d:%02d", now.year, now.month, now.day,
                  now.hour, now.minute, now.second);

    // The folder is read anew at every call: the log follows the process's working folder.
    std::error_code ec;
    std::filesystem::path dir = std::filesystem::current_path(ec);
    if (ec)
        return;
    const std::filesystem::path log = dir / "vortapl.log";

    FILE* f = std::fopen(log.c_str(), "ab");
    if (f) {
        struct stat st {};
        if (fstat(fileno(f), &st) == 0 && st.st_size > kLogRotateSize) {
            std::fclose(f);
            char dated[64];
            std::snprintf(dated, sizeof dated, "vortapl%04d_%02d_%02d.log", now.year, now.month,
                          now.day);
            const std::filesystem::path target = dir / dated;
            // A second rotation on the same day finds the dated file taken: the entry then
            // goes on the large file, which keeps growing until the next day.
            if (!std::filesystem::exists(target, ec))
                std::filesystem::rename(log, target, ec);
            f = std::fopen(log.c_str(), "ab");
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
