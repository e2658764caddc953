// Md5Digest (RFC 1321), for the conventions import.

#include "exchange/Md5Digest.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

using testfiles::TempDir;
using testfiles::WriteFile;

namespace {
// The test suite of RFC 1321, appendix A.5.
const std::pair<const char*, const char*> kRfcSuite[] = {
    {"", "d41d8cd98f00b204e9800998ecf8427e"},
    {"a", "0cc175b9c0f1b6a831c399e269772661"},
    {"abc", "900150983cd24fb0d6963f7d28e17f72"},
    {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
    {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
    {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
     "d174ab98d277d9f5a5611c2c9f419d9f"},
    {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
     "57edf4a22be3c955ac49da2e2107b67a"},
};
} // namespace

TEST(Md5Digest, RfcSuiteInMemory) {
    for (const auto& [text, digest] : kRfcSuite)
        EXPECT_EQ(Md5DigestOfData(text), digest) << '"' << text << '"';
}

TEST(Md5Digest, RfcSuiteOfFiles) {
    TempDir dir;
    int i = 0;
    for (const auto& [text, digest] : kRfcSuite) {
        std::string name = "f";
        name.append(std::to_string(i++)).append(".crypt");
        const std::string path = dir.file(name);
        WriteFile(path, text);
        std::string result = "stale";
        ASSERT_TRUE(Md5Digest(path, result));
        EXPECT_EQ(result, digest) << '"' << text << '"';
    }
}

TEST(Md5Digest, FileLargerThanOneReadBufferAndBinaryBytes) {
    TempDir dir;
    std::string data;
    for (int i = 0; i < 300000; ++i)
        data.push_back(static_cast<char>((i * 7) & 0xFF)); // includes 0x00, 0x1A, CR, LF
    const std::string path = dir.file("big.bin");
    WriteFile(path, data);
    std::string result;
    ASSERT_TRUE(Md5Digest(path, result));
    EXPECT_EQ(result, Md5DigestOfData(data));
    EXPECT_EQ(result.size(), 32u);
    EXPECT_EQ(result.find_first_not_of("0123456789abcdef"), std::string::npos);
    // One million 'a' (a well-known value).
    WriteFile(path, std::string(1000000, 'a'));
    ASSERT_TRUE(Md5Digest(path, result));
    EXPECT_EQ(result, "7707d6ae4e027c70eea2a935c2296f21");
}

TEST(Md5Digest, UnreadableFileGivesFalse) {
    TempDir dir;
    std::string result = "stale";
    EXPECT_FALSE(Md5Digest(dir.file("missing.crypt"), result));
    EXPECT_TRUE(result.empty());
    result = "stale";
    EXPECT_FALSE(Md5Digest(dir.path().string(), result)); // a folder
    EXPECT_TRUE(result.empty());
}
