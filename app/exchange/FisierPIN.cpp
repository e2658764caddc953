#include "exchange/FisierPIN.h"

#include <array>

std::vector<std::string> ExtractPinuri(std::string_view fileBytes) {
    std::string text;
    text.reserve(fileBytes.size());
    for (std::size_t i = 0; i < fileBytes.size(); ++i) {
        const char c = fileBytes[i];
        if (c == '\x1A')
            break;
        if (c == '\r' && i + 1 < fileBytes.size() && fileBytes[i + 1] == '\n')
            continue;
        text += c;
    }
    static constexpr std::array<std::size_t, 4> kPositions = {189, 17, 171, 87};
    std::vector<std::string> pins;
    for (std::size_t block = 0; block + kPinBlockSize <= text.size(); block += kPinBlockSize) {
        std::string pin;
        for (std::size_t p : kPositions)
            pin += text[block + p];
        pins.push_back(pin);
    }
    return pins;
}
