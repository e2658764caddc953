#pragma once
// MD5 digest (RFC 1321) as 32 lower-case hexadecimal digits, as the conventions import records
// it for the imported transfer file. No Qt in here.

#include <cstddef>
#include <string>
#include <string_view>

// Digest of the whole file at strPath, read in binary. Returns false (strDigest emptied) when
// the file cannot be opened or read.
bool Md5Digest(const std::string& strPath, std::string& strDigest);

// Digest of bytes held in memory.
std::string Md5DigestOfData(std::string_view data);
