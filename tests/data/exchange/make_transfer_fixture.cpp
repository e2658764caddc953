// Independent maker of the transfer-file fixture, written against OpenSSL's
// Blowfish and sharing no code with the product:
//
//   make_transfer_fixture PLAIN OUT        writes the transfer file of PLAIN to OUT
//   make_transfer_fixture --check PLAIN EXPECTED
//                                          exit 0 when the transfer file of PLAIN equals EXPECTED
//
// Each plain byte b gives the record BF_ecb_encrypt({b,0,0,0,0,0,0,0}) followed by 0x00, with
// the 8-byte key "Jovrk415" given to BF_set_key with length 8. (Do not use `openssl enc -bf-ecb`
// for this: it pads an 8-byte key to 16 bytes and gives other bytes.)
//
// plain.crypt beside this file was made with: make_transfer_fixture plain.bin plain.crypt

// OpenSSL 3.0 deprecates the low-level BF_* functions; they are what this check needs.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#include <openssl/blowfish.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

namespace {

bool ReadAll(const char* path, std::string& data) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    data.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

std::string Transfer(const std::string& plain) {
    static const unsigned char key[8] = {'J', 'o', 'v', 'r', 'k', '4', '1', '5'};
    BF_KEY schedule;
    BF_set_key(&schedule, 8, key);
    std::string out;
    for (unsigned char b : plain) {
        unsigned char in[8] = {b, 0, 0, 0, 0, 0, 0, 0};
        unsigned char rec[9] = {0};
        BF_ecb_encrypt(in, rec, &schedule, BF_ENCRYPT);
        out.append(reinterpret_cast<const char*>(rec), 9);
    }
    return out;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--check") == 0) {
        std::string plain, expected;
        if (!ReadAll(argv[2], plain) || !ReadAll(argv[3], expected)) {
            std::fprintf(stderr, "cannot read %s or %s\n", argv[2], argv[3]);
            return 1;
        }
        if (Transfer(plain) != expected) {
            std::fprintf(stderr, "%s is not the transfer file of %s\n", argv[3], argv[2]);
            return 1;
        }
        return 0;
    }
    if (argc == 3) {
        std::string plain;
        if (!ReadAll(argv[1], plain)) {
            std::fprintf(stderr, "cannot read %s\n", argv[1]);
            return 1;
        }
        std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
        const std::string data = Transfer(plain);
        out.write(data.data(), static_cast<std::streamsize>(data.size()));
        return out ? 0 : 1;
    }
    std::fprintf(stderr, "usage: %s PLAIN OUT | --check PLAIN EXPECTED\n", argv[0]);
    return 1;
}
#pragma GCC diagnostic pop
