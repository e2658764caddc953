// The transfer-file format: any bytes decipher to one byte per whole 9-byte record, and any
// plain bytes come back unchanged through enciphering and deciphering.

#include "exchange/TransferFile.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string plain = DecryptTransferData(bytes);
    if (plain.size() != size / 9)
        std::abort();
    const std::string crypt = EncryptTransferData(bytes);
    if (crypt.size() != size * 9 || DecryptTransferData(crypt) != bytes)
        std::abort();
    return 0;
}
