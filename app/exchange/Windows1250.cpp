#include "exchange/Windows1250.h"

#include <cerrno>
#include <iconv.h>

namespace {

// Ș ș Ț ț (U+0218..U+021B) as Ş ş Ţ ţ (U+015E, U+015F, U+0162, U+0163).
std::string CedillaForms(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c == 0xC8 && i + 1 < s.size()) {
            const unsigned char n = static_cast<unsigned char>(s[i + 1]);
            const char* repl = n == 0x98   ? "\xC5\x9E"
                               : n == 0x99 ? "\xC5\x9F"
                               : n == 0x9A ? "\xC5\xA2"
                               : n == 0x9B ? "\xC5\xA3"
                                           : nullptr;
            if (repl) {
                out += repl;
                ++i;
                continue;
            }
        }
        out += static_cast<char>(c);
    }
    return out;
}

std::size_t Utf8SequenceLength(unsigned char c) {
    return c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 1;
}

} // namespace

bool Utf8ToWindows1250(std::string_view utf8, std::string& out, std::string& strBad) {
    out.clear();
    strBad.clear();
    const std::string text = CedillaForms(utf8);
    iconv_t cd = ::iconv_open("WINDOWS-1250", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        strBad.assign(1, '?');
        return false;
    }
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    out.resize(text.size()); // never longer than its UTF-8 form
    char* o = out.data();
    std::size_t oLeft = out.size();
    bool ok = true;
    if (::iconv(cd, &in, &inLeft, &o, &oLeft) == static_cast<std::size_t>(-1)) {
        ok = false;
        const std::size_t n = std::min(inLeft, Utf8SequenceLength(static_cast<unsigned char>(*in)));
        strBad.assign(in, n);
    }
    ::iconv_close(cd);
    out.resize(out.size() - oLeft);
    if (!ok)
        out.clear();
    return ok;
}
