// vortapl-transfer: encrypts, decrypts or digests a transfer file from the command line, with
// the same path rules and failures as the program. Messages go to standard
// error; no window is ever opened. Exit status 0 on success, 1 on any failure.
//
//   vortapl-transfer encrypt PATH       writes PATH with its extension replaced by ".crypt"
//   vortapl-transfer decrypt PATH EXT   writes PATH with its extension replaced by "." + EXT
//   vortapl-transfer md5 PATH           prints the MD5 digest of PATH (32 lower-case digits)
//
// On success encrypt and decrypt print the path of the file they wrote on standard output.

#include "exchange/Md5Digest.h"
#include "exchange/TransferFile.h"
#include "platform/MessageBox.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

const char USAGE[] =
    "Utilizare:\n"
    "  vortapl-transfer encrypt CALE        cripteaza CALE in CALE.crypt\n"
    "  vortapl-transfer decrypt CALE EXT    decripteaza CALE in CALE.EXT\n"
    "  vortapl-transfer md5 CALE            afiseaza amprenta MD5 a fisierului\n"
    "Extensia fisierului produs o inlocuieste pe cea a lui CALE (ultimul \".\").\n";

int Usage(std::FILE* to, int status) {
    std::fputs(USAGE, to);
    return status;
}

} // namespace

int main(int argc, char** argv) {
    platform::SetMessageHook([](const platform::MessageRecord& r) {
        std::fprintf(stderr, "%s\n", r.text.c_str());
        return platform::Answer::Ok;
    });

    if (argc == 2 && (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h")))
        return Usage(stdout, 0);
    if (argc < 2)
        return Usage(stderr, 1);

    const std::string command = argv[1];
    std::string strOutPath;
    if (command == "encrypt" && argc == 3) {
        if (!EncryptTransferFile(argv[2], strOutPath))
            return 1;
        std::printf("%s\n", strOutPath.c_str());
        return 0;
    }
    if (command == "decrypt" && argc == 4) {
        if (!DecryptTransferFile(argv[2], argv[3], strOutPath))
            return 1;
        std::printf("%s\n", strOutPath.c_str());
        return 0;
    }
    if (command == "md5" && argc == 3) {
        std::string strDigest;
        if (!Md5Digest(argv[2], strDigest)) {
            platform::ShowMessage(std::string("Fisierul ") + argv[2] +
                                      " nu a putut fi deschis pentru citire!",
                                  "VORTAPL", platform::Icon::Error);
            return 1;
        }
        std::printf("%s\n", strDigest.c_str());
        return 0;
    }
    return Usage(stderr, 1);
}
