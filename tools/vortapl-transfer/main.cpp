// vortapl-transfer: encrypts, decrypts or digests a transfer file from the command line, with
// the same path rules and failures as the program. Messages go to standard
// error; no window is ever opened. Exit status 0 on success, 1 on any failure, including an
// output that would replace its own source and a standard output that cannot be written.
//
//   vortapl-transfer encrypt PATH       writes PATH with its extension replaced by ".crypt"
//   vortapl-transfer decrypt PATH EXT   writes PATH with its extension replaced by "." + EXT
//                                       (EXT given with or without its leading ".")
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
    "Extensia fisierului produs o inlocuieste pe cea a numelui fisierului CALE (ultimul \".\").\n";

int Usage(std::FILE* to, int status) {
    std::fputs(USAGE, to);
    return status;
}

// The one line of a result on standard output; a full disk or a closed pipe is a failure.
int PrintResult(const std::string& strLine) {
    const bool ok = std::printf("%s\n", strLine.c_str()) >= 0 && std::fflush(stdout) == 0 &&
                    !std::ferror(stdout);
    if (ok)
        return 0;
    std::fputs("Rezultatul nu a putut fi scris la iesirea standard!\n", stderr);
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    platform::SetMessageHook([](const platform::MessageRecord& r) {
        std::fprintf(stderr, "%s\n", r.text.c_str());
        return platform::Answer::Ok;
    });

    if (argc == 2 && (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h")))
        return Usage(stdout, 0) == 0 && std::fflush(stdout) == 0 ? 0 : 1;
    if (argc < 2)
        return Usage(stderr, 1);

    const std::string command = argv[1];
    std::string strOutPath;
    if (command == "encrypt" && argc == 3) {
        if (!EncryptTransferFile(argv[2], strOutPath))
            return 1;
        return PrintResult(strOutPath);
    }
    if (command == "decrypt" && argc == 4) {
        std::string strExt = argv[3];
        if (!strExt.empty() && strExt.front() == '.')
            strExt.erase(0, 1);
        if (strExt.empty())
            return Usage(stderr, 1);
        if (!DecryptTransferFile(argv[2], strExt, strOutPath))
            return 1;
        return PrintResult(strOutPath);
    }
    if (command == "md5" && argc == 3) {
        std::string strDigest;
        if (!Md5Digest(argv[2], strDigest)) {
            platform::ShowMessage(std::string("Fisierul ") + argv[2] +
                                      " nu a putut fi deschis pentru citire!",
                                  "VORTAPL", platform::Icon::Error);
            return 1;
        }
        return PrintResult(strDigest);
    }
    return Usage(stderr, 1);
}
