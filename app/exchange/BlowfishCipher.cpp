#include "exchange/BlowfishCipher.h"

#include <cryptopp/blowfish.h>
#include <cryptopp/modes.h>

#include <vector>

namespace {

void CheckBufferLength(std::size_t n) {
    if (n == 0 || n % BlowfishCipher::BLOCK_SIZE != 0)
        throw BlowfishError("Incorrect buffer length");
}

void CheckMode(int iMode) {
    if (iMode != BlowfishCipher::ECB && iMode != BlowfishCipher::CBC &&
        iMode != BlowfishCipher::CFB)
        throw BlowfishError("Incorrect mode");
}

} // namespace

struct BlowfishCipher::Impl {
    CryptoPP::Blowfish::Encryption oEnc;
    CryptoPP::Blowfish::Decryption oDec;
    BlowfishBlock oChain;
    CryptoPP::byte ucIv[BLOCK_SIZE];
};

BlowfishCipher::BlowfishCipher(const unsigned char* ucKey, std::size_t nKeyLength,
                               const BlowfishBlock& oChain)
    : m_pImpl(std::make_unique<Impl>()) {
    if (nKeyLength == 0 || ucKey == nullptr)
        throw BlowfishError("Incorrect key length");
    if (nKeyLength > MAX_KEY_LENGTH)
        nKeyLength = MAX_KEY_LENGTH;

    // The published key schedule takes the key bytes cyclically, so a key repeated a whole
    // number of times schedules exactly like the key itself. Crypto++ refuses keys shorter than
    // 4 bytes; repeating a 1-, 2- or 3-byte key up to 4 or 6 bytes keeps the cipher's established
    // behaviour.
    std::vector<CryptoPP::byte> key(ucKey, ucKey + nKeyLength);
    while (key.size() < CryptoPP::Blowfish::MIN_KEYLENGTH)
        key.insert(key.end(), ucKey, ucKey + nKeyLength);

    m_pImpl->oEnc.SetKey(key.data(), key.size());
    m_pImpl->oDec.SetKey(key.data(), key.size());
    m_pImpl->oChain = oChain;
    const std::uint32_t words[2] = {oChain.uiLeft, oChain.uiRight};
    for (int w = 0; w < 2; ++w)
        for (int b = 0; b < 4; ++b)
            m_pImpl->ucIv[w * 4 + b] = static_cast<CryptoPP::byte>(words[w] >> (24 - 8 * b));
}

BlowfishCipher::~BlowfishCipher() = default;
BlowfishCipher::BlowfishCipher(BlowfishCipher&&) noexcept = default;
BlowfishCipher& BlowfishCipher::operator=(BlowfishCipher&&) noexcept = default;

const BlowfishBlock& BlowfishCipher::Chain() const {
    return m_pImpl->oChain;
}

void BlowfishCipher::Encrypt(const unsigned char* in, unsigned char* out, std::size_t n,
                             int iMode) const {
    CheckBufferLength(n);
    CheckMode(iMode);
    Impl& d = *m_pImpl;
    switch (iMode) {
    case ECB:
        // Crypto++'s Blowfish reads and writes the block words big-endian, as the agency's side
        // does.
        d.oEnc.AdvancedProcessBlocks(in, nullptr, out, n, 0);
        break;
    case CBC: {
        CryptoPP::CBC_Mode_ExternalCipher::Encryption mode(d.oEnc, d.ucIv);
        mode.ProcessData(out, in, n);
        break;
    }
    case CFB: {
        CryptoPP::CFB_Mode_ExternalCipher::Encryption mode(d.oEnc, d.ucIv, BLOCK_SIZE);
        mode.ProcessData(out, in, n);
        break;
    }
    }
}

void BlowfishCipher::Decrypt(const unsigned char* in, unsigned char* out, std::size_t n,
                             int iMode) const {
    CheckBufferLength(n);
    CheckMode(iMode);
    Impl& d = *m_pImpl;
    switch (iMode) {
    case ECB:
        d.oDec.AdvancedProcessBlocks(in, nullptr, out, n, 0);
        break;
    case CBC: {
        CryptoPP::CBC_Mode_ExternalCipher::Decryption mode(d.oDec, d.ucIv);
        mode.ProcessData(out, in, n);
        break;
    }
    case CFB: {
        // CFB runs the forward cipher in both directions.
        CryptoPP::CFB_Mode_ExternalCipher::Decryption mode(d.oEnc, d.ucIv, BLOCK_SIZE);
        mode.ProcessData(out, in, n);
        break;
    }
    }
}
