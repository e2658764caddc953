#pragma once
// Blowfish cipher component of the transfer files, over Crypto++'s Blowfish.
//
// The contract is the program's own, not the library's: any key of 1..56 bytes (a longer key is cut
// to its first 56 bytes), blocks read and written as two big-endian 32-bit words, ECB, CBC and CFB
// (64-bit feedback), and CBC and CFB restarting from the construction's chaining block on every
// call. Errors are BlowfishError exceptions whose what() is the program's own text. No Qt in here.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>

// Raised by BlowfishCipher: "Incorrect key length", "Incorrect buffer length" (and, for a mode
// number other than 0, 1, 2, "Incorrect mode").
class BlowfishError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An 8-byte block as two 32-bit words: uiLeft holds bytes 0-3, uiRight bytes 4-7, big-endian.
struct BlowfishBlock {
    std::uint32_t uiLeft = 0;
    std::uint32_t uiRight = 0;
};

class BlowfishCipher {
public:
    enum Mode { ECB = 0, CBC = 1, CFB = 2 };
    static constexpr std::size_t MAX_KEY_LENGTH = 56;
    static constexpr std::size_t BLOCK_SIZE = 8;

    // Keys the cipher with the first min(nKeyLength, 56) bytes of ucKey; oChain is the chaining
    // block (initial vector) of CBC and CFB. Throws BlowfishError("Incorrect key length") when
    // nKeyLength is 0.
    BlowfishCipher(const unsigned char* ucKey, std::size_t nKeyLength,
                   const BlowfishBlock& oChain = BlowfishBlock());
    ~BlowfishCipher();
    BlowfishCipher(BlowfishCipher&&) noexcept;
    BlowfishCipher& operator=(BlowfishCipher&&) noexcept;
    BlowfishCipher(const BlowfishCipher&) = delete;
    BlowfishCipher& operator=(const BlowfishCipher&) = delete;

    // Process n bytes from in to out (in == out is allowed) in mode iMode (ECB, CBC or CFB).
    // n must be a positive multiple of 8, else BlowfishError("Incorrect buffer length").
    // CBC and CFB start from the construction's chaining block on every call.
    void Encrypt(const unsigned char* in, unsigned char* out, std::size_t n, int iMode = ECB) const;
    void Decrypt(const unsigned char* in, unsigned char* out, std::size_t n, int iMode = ECB) const;

    const BlowfishBlock& Chain() const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_pImpl;
};
