#include "exchange/Md5Digest.h"

#define CRYPTOPP_ENABLE_NAMESPACE_WEAK 1
#include <cryptopp/md5.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

std::string ToHex(const CryptoPP::byte* p, std::size_t n) {
    static const char digits[] = "0123456789abcdef";
    std::string s;
    s.reserve(2 * n);
    for (std::size_t i = 0; i < n; ++i) {
        s.push_back(digits[p[i] >> 4]);
        s.push_back(digits[p[i] & 0x0F]);
    }
    return s;
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

} // namespace

std::string Md5DigestOfData(std::string_view data) {
    CryptoPP::Weak::MD5 md5;
    md5.Update(reinterpret_cast<const CryptoPP::byte*>(data.data()), data.size());
    CryptoPP::byte digest[CryptoPP::Weak::MD5::DIGESTSIZE];
    md5.Final(digest);
    return ToHex(digest, sizeof digest);
}

bool Md5Digest(const std::string& strPath, std::string& strDigest) {
    strDigest.clear();
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(strPath.c_str(), "rb"));
    if (!file)
        return false;
    CryptoPP::Weak::MD5 md5;
    std::vector<CryptoPP::byte> buffer(64 * 1024);
    for (;;) {
        const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), file.get());
        if (got > 0)
            md5.Update(buffer.data(), got);
        if (got < buffer.size())
            break;
    }
    // A read error (a folder given as the path, an I/O error) is a failure, not a short file.
    if (std::ferror(file.get()))
        return false;
    CryptoPP::byte digest[CryptoPP::Weak::MD5::DIGESTSIZE];
    md5.Final(digest);
    strDigest = ToHex(digest, sizeof digest);
    return true;
}
