// BlowfishCipher: published test vectors, modes, restart rule, errors.

#include "exchange/BlowfishCipher.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

Bytes Hex(const std::string& s) {
    Bytes out;
    for (std::size_t i = 0; i + 1 < s.size(); i += 2)
        out.push_back(static_cast<unsigned char>(std::stoul(s.substr(i, 2), nullptr, 16)));
    return out;
}

std::string ToHex(const Bytes& b) {
    static const char d[] = "0123456789ABCDEF";
    std::string s;
    for (unsigned char c : b) {
        s.push_back(d[c >> 4]);
        s.push_back(d[c & 15]);
    }
    return s;
}

Bytes Random(std::size_t n, unsigned seed) {
    std::mt19937 rng(seed);
    Bytes b(n);
    for (auto& c : b)
        c = static_cast<unsigned char>(rng());
    return b;
}

BlowfishCipher Make(const Bytes& key, BlowfishBlock chain = {}) {
    return BlowfishCipher(key.data(), key.size(), chain);
}

Bytes Enc(const BlowfishCipher& c, const Bytes& in, int mode) {
    Bytes out(in.size());
    c.Encrypt(in.data(), out.data(), in.size(), mode);
    return out;
}

Bytes Dec(const BlowfishCipher& c, const Bytes& in, int mode) {
    Bytes out(in.size());
    c.Decrypt(in.data(), out.data(), in.size(), mode);
    return out;
}

// Eric Young's published Blowfish ECB vectors (8-byte keys): key, plain, cipher.
struct EcbVector {
    const char* key;
    const char* plain;
    const char* cipher;
};
const EcbVector kEcbVectors[] = {
    {"0000000000000000", "0000000000000000", "4EF997456198DD78"},
    {"FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF", "51866FD5B85ECB8A"},
    {"3000000000000000", "1000000000000001", "7D856F9A613063F2"},
    {"1111111111111111", "1111111111111111", "2466DD878B963C9D"},
    {"0123456789ABCDEF", "1111111111111111", "61F9C3802281B096"},
    {"1111111111111111", "0123456789ABCDEF", "7D0CC630AFDA1EC7"},
    {"0000000000000000", "0000000000000000", "4EF997456198DD78"},
    {"FEDCBA9876543210", "0123456789ABCDEF", "0ACEAB0FC6A0A28D"},
    {"7CA110454A1A6E57", "01A1D6D039776742", "59C68245EB05282B"},
    {"0131D9619DC1376E", "5CD54CA83DEF57DA", "B1B8CC0B250F09A0"},
    {"07A1133E4A0B2686", "0248D43806F67172", "1730E5778BEA1DA4"},
    {"3849674C2602319E", "51454B582DDF440A", "A25E7856CF2651EB"},
    {"04B915BA43FEB5B6", "42FD443059577FA2", "353882B109CE8F1A"},
    {"0113B970FD34F2CE", "059B5E0851CF143A", "48F4D0884C379918"},
    {"0170F175468FB5E6", "0756D8E0774761D2", "432193B78951FC98"},
    {"43297FAD38E373FE", "762514B829BF486A", "13F04154D69D1AE5"},
    {"07A7137045DA2A16", "3BDD119049372802", "2EEDDA93FFD39C79"},
    {"04689104C2FD3B2F", "26955F6835AF609A", "D887E0393C2DA6E3"},
    {"37D06BB516CB7546", "164D5E404F275232", "5F99D04F5B163969"},
    {"1F08260D1AC2465E", "6B056E18759F5CCA", "4A057A3B24D3977B"},
    {"584023641ABA6176", "004BD6EF09176062", "452031C1E4FADA8E"},
    {"025816164629B007", "480D39006EE762F2", "7555AE39F59B87BD"},
    {"49793EBC79B3258F", "437540C8698F3CFA", "53C55F9CB49FC019"},
    {"4FB05E1515AB73A7", "072D43A077075292", "7A8E7BFA937E89A3"},
    {"49E95D6D4CA229BF", "02FE55778117F12A", "CF9C5D7A4986ADB5"},
    {"018310DC409B26D6", "1D9D5C5018F728C2", "D1ABB290658BC778"},
    {"1C587F1C13924FEF", "305532286D6F295A", "55CB3774D13EF201"},
    {"0101010101010101", "0123456789ABCDEF", "FA34EC4847B268B2"},
    {"1F1F1F1F0E0E0E0E", "0123456789ABCDEF", "A790795108EA3CAE"},
    {"E0FEE0FEF1FEF1FE", "0123456789ABCDEF", "C39E072D9FAC631D"},
    {"0000000000000000", "FFFFFFFFFFFFFFFF", "014933E0CDAFF6E4"},
    {"FFFFFFFFFFFFFFFF", "0000000000000000", "F21E9A77B71C49BC"},
    {"0123456789ABCDEF", "0000000000000000", "245946885754369A"},
    {"FEDCBA9876543210", "FFFFFFFFFFFFFFFF", "6B5C5A9C5D9E0A5A"},
};

// Published set_key vectors: the plain block FEDCBA9876543210 under the first n bytes of
// F0E1D2C3B4A5968778695A4B3C2D1E0F0011223344556677, n = 1..24 (keys shorter than Crypto++'s own
// minimum of 4 bytes included).
const char* const kKeyTestKey = "F0E1D2C3B4A5968778695A4B3C2D1E0F0011223344556677";
const char* const kKeyTestOut[] = {
    "F9AD597C49DB005E", "E91D21C1D961A6D6", "E9C2B70A1BC65CF3", "BE1E639408640F05",
    "B39E44481BDB1E6E", "9457AA83B1928C0D", "8BB77032F960629D", "E87A244E2CC85E82",
    "15750E7A4F4EC577", "122BA70B3AB64AE0", "3A833C9AFFC537F6", "9409DA87A90F6BF2",
    "884F80625060B8B4", "1F85031C19E11968", "79D9373A714CA34F", "93142887EE3BE15C",
    "03429E838CE2D14B", "A4299E27469FF67B", "AFD5AED1C1BC96A8", "10851C0E3858DA9F",
    "E6F51ED79B9DB21F", "64A6E14AFD36B46F", "80C7D7D45A5479AD", "05044B62FA52D080",
};

// Published chaining vectors: 16-byte key, IV FEDCBA9876543210, the 29 bytes
// "7654321 Now is the time for \0" zero-padded to 32 bytes.
const char* const kChainKey = "0123456789ABCDEFF0E1D2C3B4A59687";
const BlowfishBlock kChainIv{0xFEDCBA98u, 0x76543210u};
const char* const kCbcOk = "6B77B4D63006DEE605B156E2740397935"
                           "8DEB9E7154616D959F1652BD5FF92CC";
const char* const kCfb64Ok = "E73214A2822139CAF26ECF6D2EB9E76E3DA3DE04D1517200519D57A6C3";

Bytes ChainData() {
    const char text[] = "7654321 Now is the time for "; // 28 characters and the NUL
    Bytes b(32, 0);
    std::memcpy(b.data(), text, sizeof text);
    return b;
}

} // namespace

TEST(BlowfishCipher, PublishedEcbVectors) {
    for (const EcbVector& v : kEcbVectors) {
        SCOPED_TRACE(v.key);
        const BlowfishCipher c = Make(Hex(v.key));
        EXPECT_EQ(ToHex(Enc(c, Hex(v.plain), BlowfishCipher::ECB)), v.cipher);
        EXPECT_EQ(ToHex(Dec(c, Hex(v.cipher), BlowfishCipher::ECB)), v.plain);
    }
}

TEST(BlowfishCipher, PublishedVectorsOfSchneier) {
    // Keys of 26 and 17 ASCII bytes; the first plain block is "BLOWFISH" read big-endian as
    // the words 424C4F57 46495348.
    const std::string k1 = "abcdefghijklmnopqrstuvwxyz";
    const BlowfishCipher c1(reinterpret_cast<const unsigned char*>(k1.data()), k1.size());
    const std::string plain1 = "BLOWFISH";
    EXPECT_EQ(ToHex(Enc(c1, Bytes(plain1.begin(), plain1.end()), BlowfishCipher::ECB)),
              "324ED0FEF413A203");

    const std::string k2 = "Who is John Galt?";
    const BlowfishCipher c2(reinterpret_cast<const unsigned char*>(k2.data()), k2.size());
    EXPECT_EQ(ToHex(Enc(c2, Hex("FEDCBA9876543210"), BlowfishCipher::ECB)), "CC91732B8022F684");
}

TEST(BlowfishCipher, PublishedVariableKeyLengthVectors) {
    const Bytes fullKey = Hex(kKeyTestKey);
    for (std::size_t n = 1; n <= 24; ++n) {
        SCOPED_TRACE(n);
        const BlowfishCipher c(fullKey.data(), n);
        EXPECT_EQ(ToHex(Enc(c, Hex("FEDCBA9876543210"), BlowfishCipher::ECB)), kKeyTestOut[n - 1]);
    }
}

TEST(BlowfishCipher, EcbProcessesEveryBlockAlone) {
    const BlowfishCipher c = Make(Hex("0123456789ABCDEF"));
    const Bytes in = Hex("1111111111111111"
                         "0000000000000000"
                         "1111111111111111");
    EXPECT_EQ(ToHex(Enc(c, in, BlowfishCipher::ECB)), "61F9C3802281B096"
                                                      "245946885754369A"
                                                      "61F9C3802281B096");
}

TEST(BlowfishCipher, PublishedCbcVector) {
    const BlowfishCipher c = Make(Hex(kChainKey), kChainIv);
    const Bytes cipher = Enc(c, ChainData(), BlowfishCipher::CBC);
    EXPECT_EQ(ToHex(cipher), kCbcOk);
    EXPECT_EQ(Dec(c, cipher, BlowfishCipher::CBC), ChainData());
}

TEST(BlowfishCipher, PublishedCfb64Vector) {
    const BlowfishCipher c = Make(Hex(kChainKey), kChainIv);
    const Bytes cipher = Enc(c, ChainData(), BlowfishCipher::CFB);
    // The vector covers the 29 bytes of the text; CFB output byte i depends on input bytes <= i.
    EXPECT_EQ(ToHex(cipher).substr(0, 58), kCfb64Ok);
    EXPECT_EQ(Dec(c, cipher, BlowfishCipher::CFB), ChainData());
}

TEST(BlowfishCipher, ChainingBlockDefaultsToZero) {
    const Bytes key = Hex(kChainKey);
    const BlowfishCipher implicitZero(key.data(), key.size());
    const BlowfishCipher explicitZero(key.data(), key.size(), BlowfishBlock{0, 0});
    const BlowfishCipher other(key.data(), key.size(), kChainIv);
    for (int mode : {BlowfishCipher::CBC, BlowfishCipher::CFB}) {
        EXPECT_EQ(Enc(implicitZero, ChainData(), mode), Enc(explicitZero, ChainData(), mode));
        EXPECT_NE(Enc(implicitZero, ChainData(), mode), Enc(other, ChainData(), mode));
    }
    EXPECT_EQ(implicitZero.Chain().uiLeft, 0u);
    EXPECT_EQ(other.Chain().uiLeft, 0xFEDCBA98u);
    EXPECT_EQ(other.Chain().uiRight, 0x76543210u);
}

TEST(BlowfishCipher, RoundTripsInEveryMode) {
    const Bytes key = Random(13, 1);
    const BlowfishCipher c = Make(key, BlowfishBlock{0x01234567u, 0x89ABCDEFu});
    for (int mode : {BlowfishCipher::ECB, BlowfishCipher::CBC, BlowfishCipher::CFB}) {
        for (std::size_t n : {8u, 16u, 24u, 64u, 4096u}) {
            SCOPED_TRACE(std::to_string(mode) + "/" + std::to_string(n));
            const Bytes plain = Random(n, static_cast<unsigned>(n + mode));
            const Bytes cipher = Enc(c, plain, mode);
            EXPECT_NE(cipher, plain);
            EXPECT_EQ(Dec(c, cipher, mode), plain);
        }
    }
}

TEST(BlowfishCipher, WorksInPlace) {
    const BlowfishCipher c = Make(Hex(kChainKey), kChainIv);
    for (int mode : {BlowfishCipher::ECB, BlowfishCipher::CBC, BlowfishCipher::CFB}) {
        SCOPED_TRACE(mode);
        const Bytes plain = Random(40, 7);
        const Bytes expected = Enc(c, plain, mode);
        Bytes buf = plain;
        c.Encrypt(buf.data(), buf.data(), buf.size(), mode);
        EXPECT_EQ(buf, expected);
        c.Decrypt(buf.data(), buf.data(), buf.size(), mode);
        EXPECT_EQ(buf, plain);
    }
}

TEST(BlowfishCipher, CbcAndCfbRestartFromTheChainingBlockOnEveryCall) {
    const BlowfishCipher c = Make(Hex(kChainKey), kChainIv);
    const Bytes data = ChainData();
    const Bytes first(data.begin(), data.begin() + 8);
    const Bytes second(data.begin() + 8, data.begin() + 16);
    for (int mode : {BlowfishCipher::CBC, BlowfishCipher::CFB}) {
        SCOPED_TRACE(mode);
        // The same call twice gives the same bytes: no chaining state is carried over.
        const Bytes once = Enc(c, data, mode);
        EXPECT_EQ(Enc(c, data, mode), once);
        // A call on the second block alone starts from the chaining block again, so it gives
        // what that block gives in first position, not its continuation inside one call.
        const Bytes both = Enc(c, Bytes(data.begin(), data.begin() + 16), mode);
        const Bytes alone = Enc(c, second, mode);
        EXPECT_NE(alone, Bytes(both.begin() + 8, both.end()));
        EXPECT_EQ(Enc(c, first, mode), Bytes(both.begin(), both.begin() + 8));
        // Decryption restarts the same way: the second cipher block alone does not give back
        // the second plain block, while the whole buffer does.
        EXPECT_NE(Dec(c, Bytes(both.begin() + 8, both.end()), mode), second);
        EXPECT_EQ(Dec(c, alone, mode), second);
        EXPECT_EQ(Dec(c, both, mode), Bytes(data.begin(), data.begin() + 16));
    }
}

TEST(BlowfishCipher, KeyLongerThan56BytesIsCutTo56) {
    const Bytes key72 = Random(72, 3);
    const Bytes key56(key72.begin(), key72.begin() + 56);
    const Bytes key55(key72.begin(), key72.begin() + 55);
    const Bytes block = Hex("0123456789ABCDEF");
    const Bytes expected = Enc(Make(key56), block, BlowfishCipher::ECB);
    EXPECT_EQ(Enc(Make(key72), block, BlowfishCipher::ECB), expected);
    EXPECT_EQ(Enc(BlowfishCipher(key72.data(), 57), block, BlowfishCipher::ECB), expected);
    EXPECT_NE(Enc(Make(key55), block, BlowfishCipher::ECB), expected);
}

TEST(BlowfishCipher, ZeroKeyLengthIsRefused) {
    const unsigned char key[8] = {'J', 'o', 'v', 'r', 'k', '4', '1', '5'};
    try {
        BlowfishCipher c(key, 0);
        FAIL() << "no exception";
    } catch (const BlowfishError& e) {
        EXPECT_STREQ(e.what(), "Incorrect key length");
    }
}

TEST(BlowfishCipher, BufferLengthMustBeAPositiveMultipleOf8) {
    const BlowfishCipher c = Make(Hex("0123456789ABCDEF"));
    Bytes in(32), out(32);
    for (int mode : {BlowfishCipher::ECB, BlowfishCipher::CBC, BlowfishCipher::CFB}) {
        for (std::size_t n : {0u, 1u, 7u, 9u, 15u, 31u}) {
            SCOPED_TRACE(std::to_string(mode) + "/" + std::to_string(n));
            try {
                c.Encrypt(in.data(), out.data(), n, mode);
                ADD_FAILURE() << "Encrypt: no exception";
            } catch (const BlowfishError& e) {
                EXPECT_STREQ(e.what(), "Incorrect buffer length");
            }
            try {
                c.Decrypt(in.data(), out.data(), n, mode);
                ADD_FAILURE() << "Decrypt: no exception";
            } catch (const BlowfishError& e) {
                EXPECT_STREQ(e.what(), "Incorrect buffer length");
            }
        }
    }
}

TEST(BlowfishCipher, UnknownModeIsRefused) {
    const BlowfishCipher c = Make(Hex("0123456789ABCDEF"));
    Bytes in(8), out(8);
    EXPECT_THROW(c.Encrypt(in.data(), out.data(), 8, 3), BlowfishError);
    EXPECT_THROW(c.Decrypt(in.data(), out.data(), 8, -1), BlowfishError);
}

TEST(BlowfishCipher, IsMovable) {
    BlowfishCipher a = Make(Hex("0123456789ABCDEF"));
    BlowfishCipher b = std::move(a);
    EXPECT_EQ(ToHex(Enc(b, Hex("1111111111111111"), BlowfishCipher::ECB)), "61F9C3802281B096");
}
