#include "exchange/TransferFile.h"

#include "exchange/BlowfishCipher.h"
#include "exchange/FisierDestinatie.h"
#include "platform/MessageBox.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <random>
#include <vector>

#include <unistd.h>

namespace {

constexpr std::size_t RECORD_SIZE = 9;
constexpr std::size_t BLOCK_SIZE = BlowfishCipher::BLOCK_SIZE;
// Plain bytes handled per cipher call and per write; the buffers stay well under 1 MB.
constexpr std::size_t CHUNK = 32 * 1024;

const char* const MSG_ENC_OPEN_WRITE = "Fisierul criptat nu a putut fi deschis pentru scriere!";
const char* const MSG_DEC_OPEN_WRITE = "Fisierul decriptat nu a putut fi deschis pentru scriere!";
const char* const MSG_ENC_WRITE = "Fisierul criptat nu a putut fi scris!";
const char* const MSG_ENC_SAME = "Fisierul criptat nu poate inlocui chiar fisierul sursa!";
const char* const MSG_DEC_SAME = "Fisierul decriptat nu poate inlocui chiar fisierul sursa!";
const char* const MSG_DEC_WRITE = "Fisierul decriptat nu a putut fi scris!";

std::string SourceMessage(const std::string& strPath) {
    return "Fisierul " + strPath + " nu a putut fi deschis pentru citire!";
}

std::string CipherMessage(const BlowfishError& e) {
    return std::string("Eroare la criptarea datelor!\n") + e.what();
}

// The rule works on the file name only: a "." in a folder name never moves the output out of
// its folder. Both "/" and "\\" end a folder name here, so a path written the Windows way
// keeps its folders too. A name that only begins with "." (".profile") has no extension.
std::string ReplaceExtension(const std::string& strPath, const std::string& strNewSuffix) {
    const std::size_t slash = strPath.find_last_of("/\\");
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = strPath.rfind('.');
    if (dot == std::string::npos || dot <= nameStart)
        return strPath + strNewSuffix;
    return strPath.substr(0, dot) + strNewSuffix;
}

BlowfishCipher MakeCipher(std::string_view key) {
    return BlowfishCipher(reinterpret_cast<const unsigned char*>(key.data()), key.size());
}

// n plain bytes -> 9n bytes of records; blocks is scratch space of at least 8n bytes.
void EncryptRecords(const BlowfishCipher& cipher, const unsigned char* plain, std::size_t n,
                    unsigned char* records, std::vector<unsigned char>& blocks) {
    if (n == 0)
        return;
    std::memset(blocks.data(), 0, n * BLOCK_SIZE);
    for (std::size_t i = 0; i < n; ++i)
        blocks[i * BLOCK_SIZE] = plain[i];
    cipher.Encrypt(blocks.data(), blocks.data(), n * BLOCK_SIZE, BlowfishCipher::ECB);
    for (std::size_t i = 0; i < n; ++i) {
        std::memcpy(records + i * RECORD_SIZE, blocks.data() + i * BLOCK_SIZE, BLOCK_SIZE);
        records[i * RECORD_SIZE + BLOCK_SIZE] = 0x00;
    }
}

// n whole records (9n bytes) -> n plain bytes; the ninth byte of a record is not looked at.
void DecryptRecords(const BlowfishCipher& cipher, const unsigned char* records, std::size_t n,
                    unsigned char* plain, std::vector<unsigned char>& blocks) {
    if (n == 0)
        return;
    for (std::size_t i = 0; i < n; ++i)
        std::memcpy(blocks.data() + i * BLOCK_SIZE, records + i * RECORD_SIZE, BLOCK_SIZE);
    cipher.Decrypt(blocks.data(), blocks.data(), n * BLOCK_SIZE, BlowfishCipher::ECB);
    for (std::size_t i = 0; i < n; ++i)
        plain[i] = blocks[i * BLOCK_SIZE];
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Reads up to n bytes; false on a read error (a short count alone means end of file).
bool ReadChunk(std::FILE* f, unsigned char* buf, std::size_t n, std::size_t& got) {
    got = std::fread(buf, 1, n, f);
    return !std::ferror(f);
}

// The output under construction: a temporary file beside the final path, renamed onto it by
// Commit and removed in every other case.
class TempOutput {
public:
    enum class Status { Ok, OpenFailed, WriteFailed };

    ~TempOutput() { Discard(); }

    bool Create(const std::string& strFinalPath) {
        namespace fs = std::filesystem;
        m_final = strFinalPath;
        const fs::path final(strFinalPath);
        std::error_code ec;
        if (!final.has_filename() || fs::is_directory(final, ec))
            return false;
        thread_local std::mt19937_64 rng{std::random_device{}()};
        for (int attempt = 0; attempt < 100; ++attempt) {
            char suffix[32];
            std::snprintf(suffix, sizeof suffix, ".%016llx.tmp",
                          static_cast<unsigned long long>(rng()));
            // A long final name is shortened in the temporary one, which must fit NAME_MAX too.
            std::string name(1, '.');
            name.append(final.filename().string().substr(0, 200)).append(suffix);
            const fs::path tmp = final.parent_path() / name;
            // "x": exclusive creation, so an existing file is never taken over; the new file
            // gets the usual permissions (0666 less the umask), like a plain fopen would.
            std::FILE* f = std::fopen(tmp.c_str(), "wbx");
            if (f) {
                m_file.reset(f);
                m_tmp = tmp.string();
                return true;
            }
            if (errno != EEXIST)
                return false;
        }
        return false;
    }

    bool Write(const unsigned char* p, std::size_t n) {
        return n == 0 || std::fwrite(p, 1, n, m_file.get()) == n;
    }

    Status Commit() {
        std::FILE* f = m_file.release();
        bool ok = std::fflush(f) == 0 && !std::ferror(f);
        ok = ok && ::fsync(::fileno(f)) == 0;
        ok = (std::fclose(f) == 0) && ok;
        if (!ok)
            return Status::WriteFailed;
        if (std::rename(m_tmp.c_str(), m_final.c_str()) != 0)
            return Status::OpenFailed;
        m_tmp.clear();
        return Status::Ok;
    }

private:
    void Discard() {
        m_file.reset();
        if (!m_tmp.empty()) {
            std::remove(m_tmp.c_str());
            m_tmp.clear();
        }
    }

    FilePtr m_file;
    std::string m_final;
    std::string m_tmp;
};

enum class Direction { Encrypt, Decrypt };

bool ConvertFile(Direction dir, const std::string& strPath, const std::string& strOutPath,
                 std::string_view key, std::string& strError) {
    strError.clear();
    const bool enc = dir == Direction::Encrypt;
    const char* msgOpenWrite = enc ? MSG_ENC_OPEN_WRITE : MSG_DEC_OPEN_WRITE;
    const char* msgWrite = enc ? MSG_ENC_WRITE : MSG_DEC_WRITE;
    try {
        const BlowfishCipher cipher = MakeCipher(key);

        // The source is opened, and its first chunk read, before anything is created.
        FilePtr src(std::fopen(strPath.c_str(), "rb"));
        const std::size_t inChunk = enc ? CHUNK : CHUNK * RECORD_SIZE;
        const std::size_t outChunk = enc ? CHUNK * RECORD_SIZE : CHUNK;
        std::vector<unsigned char> in(inChunk), out(outChunk), blocks(CHUNK * BLOCK_SIZE);
        std::size_t got = 0;
        if (!src || !ReadChunk(src.get(), in.data(), inChunk, got)) {
            strError = SourceMessage(strPath);
            return false;
        }

        // Written over its own source, the file would be lost for good: the output replaces
        // the source only once complete, and by then the source is gone. Links count too.
        std::error_code ec;
        if (std::filesystem::equivalent(strPath, strOutPath, ec) && !ec) {
            strError = enc ? MSG_ENC_SAME : MSG_DEC_SAME;
            return false;
        }

        // A link or a protected file at the output's place is left as it is.
        if (const std::string why = MotivDestinatieRefuzata(strOutPath); !why.empty()) {
            strError = std::string(msgOpenWrite) + "\n" + why;
            return false;
        }
        TempOutput output;
        if (!output.Create(strOutPath)) {
            strError = msgOpenWrite;
            return false;
        }
        for (;;) {
            std::size_t produced = 0;
            if (enc) {
                EncryptRecords(cipher, in.data(), got, out.data(), blocks);
                produced = got * RECORD_SIZE;
            } else {
                const std::size_t records = got / RECORD_SIZE; // a short remainder is dropped
                DecryptRecords(cipher, in.data(), records, out.data(), blocks);
                produced = records;
            }
            if (!output.Write(out.data(), produced)) {
                strError = msgWrite;
                return false;
            }
            if (got < inChunk)
                break; // end of file
            if (!ReadChunk(src.get(), in.data(), inChunk, got)) {
                strError = SourceMessage(strPath);
                return false;
            }
        }
        switch (output.Commit()) {
        case TempOutput::Status::Ok:
            return true;
        case TempOutput::Status::WriteFailed:
            strError = msgWrite;
            return false;
        case TempOutput::Status::OpenFailed:
            strError = msgOpenWrite;
            return false;
        }
        return false;
    } catch (const BlowfishError& e) {
        strError = CipherMessage(e);
        return false;
    }
}

void ShowError(const std::string& strText) {
    platform::ShowMessage(strText, "VORTAPL", platform::Icon::Error, platform::Buttons::Ok);
}

} // namespace

std::string TransferPathFor(const std::string& strPath) {
    return ReplaceExtension(strPath, ".crypt");
}

std::string PlainPathFor(const std::string& strPath, const std::string& strExt) {
    return ReplaceExtension(strPath, "." + strExt);
}

std::string EncryptTransferData(std::string_view plain) {
    const BlowfishCipher cipher = MakeCipher(TRANSFER_FILE_KEY);
    std::string result(plain.size() * RECORD_SIZE, '\0');
    std::vector<unsigned char> blocks(CHUNK * BLOCK_SIZE);
    for (std::size_t pos = 0; pos < plain.size(); pos += CHUNK) {
        const std::size_t n = std::min(CHUNK, plain.size() - pos);
        EncryptRecords(cipher, reinterpret_cast<const unsigned char*>(plain.data()) + pos, n,
                       reinterpret_cast<unsigned char*>(result.data()) + pos * RECORD_SIZE, blocks);
    }
    return result;
}

std::string DecryptTransferData(std::string_view transfer) {
    const BlowfishCipher cipher = MakeCipher(TRANSFER_FILE_KEY);
    const std::size_t records = transfer.size() / RECORD_SIZE;
    std::string result(records, '\0');
    std::vector<unsigned char> blocks(CHUNK * BLOCK_SIZE);
    for (std::size_t pos = 0; pos < records; pos += CHUNK) {
        const std::size_t n = std::min(CHUNK, records - pos);
        DecryptRecords(cipher,
                       reinterpret_cast<const unsigned char*>(transfer.data()) + pos * RECORD_SIZE,
                       n, reinterpret_cast<unsigned char*>(result.data()) + pos, blocks);
    }
    return result;
}

namespace transfer_detail {

bool EncryptFile(const std::string& strPath, const std::string& strOutPath, std::string_view key,
                 std::string& strError) {
    return ConvertFile(Direction::Encrypt, strPath, strOutPath, key, strError);
}

bool DecryptFile(const std::string& strPath, const std::string& strOutPath, std::string_view key,
                 std::string& strError) {
    return ConvertFile(Direction::Decrypt, strPath, strOutPath, key, strError);
}

} // namespace transfer_detail

bool TryEncryptTransferFile(const std::string& strPath, std::string& strOutPath,
                            std::string& strError) {
    // Copies first, so that the caller may pass the same string as source and result.
    const std::string strSource = strPath;
    const std::string strTarget = TransferPathFor(strSource);
    strOutPath = strTarget;
    return transfer_detail::EncryptFile(strSource, strTarget, TRANSFER_FILE_KEY, strError);
}

bool TryDecryptTransferFile(const std::string& strPath, const std::string& strExt,
                            std::string& strOutPath, std::string& strError) {
    const std::string strSource = strPath;
    const std::string strTarget = PlainPathFor(strSource, strExt);
    strOutPath = strTarget;
    return transfer_detail::DecryptFile(strSource, strTarget, TRANSFER_FILE_KEY, strError);
}

bool EncryptTransferFile(const std::string& strPath, std::string& strOutPath) {
    std::string strError;
    if (TryEncryptTransferFile(strPath, strOutPath, strError))
        return true;
    ShowError(strError);
    return false;
}

bool DecryptTransferFile(const std::string& strPath, const std::string& strExt,
                         std::string& strOutPath) {
    std::string strError;
    if (TryDecryptTransferFile(strPath, strExt, strOutPath, strError))
        return true;
    ShowError(strError);
    return false;
}
