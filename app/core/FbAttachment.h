#pragma once
// A direct attachment through Firebird's C API, for the work Qt's driver cannot do: creating a
// database file (the file name travels as an argument, never inside SQL text) and setting the
// write mode of a file. Every statement is plain DSQL text without parameters.

#include <cstdint>
#include <string>
#include <vector>

namespace core {

class FbAttachment {
public:
    FbAttachment() = default;
    ~FbAttachment(); // detaches
    FbAttachment(const FbAttachment&) = delete;
    FbAttachment& operator=(const FbAttachment&) = delete;

    // Creates strFile (page size 8192, default character set UTF8, dialect 3) and stays attached.
    // bForcedWrites false lets the engine leave syncing to the operating system.
    void Create(const std::string& strFile, const std::string& strUser,
                const std::string& strPassword, bool bForcedWrites);
    // Attaches to an existing file; a bForcedWrites of 0 or 1 also sets the file's write mode.
    void Attach(const std::string& strFile, const std::string& strUser,
                const std::string& strPassword, int iForcedWrites = -1);
    void Detach();

    // Runs the statements in order in one transaction and commits it.
    void Execute(const std::vector<std::string>& statements);

private:
    std::uint64_t m_db = 0; // the isc_db_handle, 0 when detached
};

} // namespace core
