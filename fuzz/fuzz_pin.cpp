// The agency's PIN file: the downloaded transfer file deciphered, then read as text in blocks.
// Whatever it holds, every PIN found has four characters and there is one per whole block.

#include "exchange/FisierPIN.h"
#include "exchange/TransferFile.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {
void Check(std::string_view text) {
    for (const std::string& pin : ExtractPinuri(text))
        if (pin.size() != 4)
            std::abort();
    if (ExtractPinuri(text).size() > text.size() / kPinBlockSize)
        std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Check(bytes);
    Check(DecryptTransferData(bytes));
    return 0;
}
