#include "core/Schema.h"

#include "core/Database.h"
#include "core/FbAttachment.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <signal.h>
#include <sstream>
#include <unistd.h>

namespace core {

extern const char* const kSchemaScript;
extern const char* const kSeedScript;

const char* const kArt93_4Create =
    "CREATE TABLE ATO_RAPORTARE_ART93_4 ( ID TIMESTAMP DEFAULT CURRENT_TIMESTAMP NOT NULL,AN "
    "INTEGER NOT NULL,LN INTEGER NOT NULL,CIF VARCHAR(15) NOT NULL,CNP NUMERIC(15,0) NOT "
    "NULL,CNP_CORECT NUMERIC(13,0) NOT NULL,NUME VARCHAR(55) NOT NULL,CATEGORIE VARCHAR(10) NOT "
    "NULL,SUMA_BC NUMERIC(18,2) NOT NULL,ORE_IN_CONVENTIE  INTEGER NOT NULL,SUMA_CONVENTIE    "
    "NUMERIC(18,2) NOT NULL,OBSERVATIE        VARCHAR(50),ID_MA             BIGINT NOT "
    "NULL,ID_PERS           BIGINT NOT NULL)";
const char* const kArt93_4PrimaryKey =
    "ALTER TABLE ATO_RAPORTARE_ART93_4 ADD CONSTRAINT PK_ATO_RAPORTARE_ART93_4 PRIMARY KEY (ID)";
const char* const kArt93_4ForeignKey =
    "ALTER TABLE ATO_RAPORTARE_ART93_4 ADD CONSTRAINT FK_ATO_RAPORTARE_ART93_4 FOREIGN KEY (AN, "
    "LN, CIF) REFERENCES ATO_RAPORTARE (AN, LN, CIF) ON DELETE CASCADE ON UPDATE CASCADE";

std::vector<std::string> SplitScript(const std::string& strScript) {
    std::vector<std::string> out;
    std::istringstream in(strScript);
    std::string line, current;
    while (std::getline(in, line)) {
        std::string trimmed = line;
        while (!trimmed.empty() && (trimmed.back() == '\r' || trimmed.back() == ' '))
            trimmed.pop_back();
        if (trimmed == ";") {
            if (current.find_first_not_of(" \n\t") != std::string::npos)
                out.push_back(current);
            current.clear();
            continue;
        }
        if (trimmed.rfind("--", 0) == 0)
            continue;
        current += line + "\n";
    }
    return out;
}

std::vector<std::string> SchemaStatements() {
    return SplitScript(kSchemaScript);
}
std::vector<std::string> SeedStatements() {
    return SplitScript(kSeedScript);
}

std::string TemporaryDatabaseName(const std::string& strFile) {
    return strFile + "." + std::to_string(getpid()) + ".tmp";
}

namespace {
// The process id in a temporary name made by TemporaryDatabaseName for strFile, or 0.
pid_t creatorOf(const std::string& strFile, const std::string& strCandidate) {
    const std::string prefix = std::filesystem::path(strFile).filename().string() + ".";
    const std::string suffix = ".tmp";
    if (strCandidate.size() <= prefix.size() + suffix.size() ||
        strCandidate.compare(0, prefix.size(), prefix) != 0 ||
        strCandidate.compare(strCandidate.size() - suffix.size(), suffix.size(), suffix) != 0)
        return 0;
    const std::string digits =
        strCandidate.substr(prefix.size(), strCandidate.size() - prefix.size() - suffix.size());
    if (digits.empty() || digits.size() > 9 ||
        digits.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    return static_cast<pid_t>(std::stol(digits));
}

void syncPath(const std::string& strPath) {
    int fd = open(strPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return;
    fsync(fd);
    close(fd);
}
} // namespace

int RemoveLeftoverDatabaseFiles(const std::string& strFile) {
    std::filesystem::path dir = std::filesystem::path(strFile).parent_path();
    if (dir.empty())
        dir = ".";
    int removed = 0;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
        const pid_t pid = creatorOf(strFile, entry.path().filename().string());
        if (pid <= 0)
            continue;
        // A file whose creator still runs is being built right now; one of ours, or of a
        // process that has gone, is what a crash or a kill left behind.
        if (pid != getpid() && (kill(pid, 0) == 0 || errno != ESRCH))
            continue;
        std::error_code rec;
        if (std::filesystem::remove(entry.path(), rec))
            ++removed;
    }
    return removed;
}

void CreateInitialDatabase(const std::string& strFile,
                           const std::function<void(int, int)>& progress) {
    RemoveLeftoverDatabaseFiles(strFile);
    if (std::filesystem::exists(strFile))
        throw DbError("Fisierul exista deja: " + strFile);
    if (std::string err; !EnsureFirebirdLockFolder(&err))
        throw DbError(err);
    // The database is built under a temporary name beside its place and renamed into place
    // once complete, so a kill, a crash or a full disk leaves either no database or a whole
    // one, never a file that later starts refuse as already existing.
    const std::string tmp = TemporaryDatabaseName(strFile);
    const std::vector<std::string> schema = SchemaStatements();
    const int total = static_cast<int>(schema.size()) + 3 + 2;
    int done = 0;
    auto step = [&] {
        ++done;
        if (progress)
            progress(done, total);
    };
    try {
        std::error_code ec;
        std::filesystem::remove(tmp, ec);
        {
            FbAttachment db;
            // Without forced writes while building: the whole file is synced before it is
            // renamed into place, which is what makes it safe, and the build takes a fraction
            // of the time.
            db.Create(tmp, kDbUser, kDbPassword, false);
            // Each table is committed on its own (a table must exist before keys refer to it);
            // then the reference rows in one transaction.
            for (const std::string& sql : schema) {
                db.Execute({sql});
                step();
            }
            for (const char* sql : {kArt93_4Create, kArt93_4PrimaryKey, kArt93_4ForeignKey}) {
                db.Execute({sql});
                step();
            }
            db.Execute(SeedStatements());
            step();
            db.Detach();
            db.Attach(tmp, kDbUser, kDbPassword, 1); // the finished file syncs every write
            db.Detach();
        }
        syncPath(tmp);
        // link() refuses an existing name, so a database that appeared meanwhile is kept.
        if (link(tmp.c_str(), strFile.c_str()) != 0) {
            const int err = errno;
            if (err == EEXIST)
                throw DbError("Fisierul exista deja: " + strFile);
            // A file system without hard links: rename, having checked the name is free.
            if (std::filesystem::exists(strFile))
                throw DbError("Fisierul exista deja: " + strFile);
            if (std::rename(tmp.c_str(), strFile.c_str()) != 0)
                throw DbError("Baza de date nu poate fi pusa in locul ei: " + strFile + ": " +
                              std::strerror(errno));
        }
        std::filesystem::remove(tmp, ec);
        std::filesystem::path dir = std::filesystem::path(strFile).parent_path();
        syncPath(dir.empty() ? "." : dir.string());
        step();
    } catch (...) {
        std::error_code ec;
        std::filesystem::remove(tmp, ec);
        throw;
    }
}

} // namespace core
