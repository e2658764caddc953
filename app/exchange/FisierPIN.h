#pragma once
// The agency's PIN file, once deciphered: text read in blocks of 250 characters, each complete
// block hiding one valid PIN in its characters 189, 17, 171 and 87 (counted from 0), in that
// order. The file was made for a Windows reader in text mode, where a CR LF pair is one
// character and a Ctrl+Z ends the text; the blocks are counted the same way here.

#include <string>
#include <string_view>
#include <vector>

inline constexpr std::size_t kPinBlockSize = 250;

// The PIN of every complete block, in file order; a shorter final block is ignored.
std::vector<std::string> ExtractPinuri(std::string_view fileBytes);
