#include "entry/ValoriCS.h"

#include <charconv>

int ZecimaleAfisate(int iZecimale) {
    return iZecimale >= 1 && iZecimale <= 4 ? iZecimale : 0;
}

std::string MascaCS(int iPIntreaga, int iZecimale) {
    std::string mask(static_cast<std::size_t>(iPIntreaga > 0 ? iPIntreaga : 0), '#');
    const int d = ZecimaleAfisate(iZecimale);
    if (d > 0) {
        mask.push_back('.');
        mask.append(static_cast<std::size_t>(d), '#');
    }
    return mask;
}

std::string FormatValoareCS(double fValoare, int iZecimale) {
    char buf[64];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, fValoare, std::chars_format::fixed,
                                   ZecimaleAfisate(iZecimale));
    if (ec != std::errc())
        return {};
    return std::string(buf, end);
}

bool CitesteValoareCS(const std::string& strText, double& fValoare) {
    std::size_t i = 0;
    if (!strText.empty() && strText[0] == '-')
        i = 1;
    int digits = 0, points = 0;
    for (std::size_t k = i; k < strText.size(); ++k) {
        const char c = strText[k];
        if (c >= '0' && c <= '9')
            ++digits;
        else if (c == '.')
            ++points;
        else
            return false;
    }
    if (digits == 0 || points > 1)
        return false;
    double v = 0;
    const char* first = strText.data();
    const char* last = first + strText.size();
    auto [ptr, ec] = std::from_chars(first, last, v, std::chars_format::fixed);
    if (ec != std::errc() || ptr != last)
        return false;
    fValoare = v;
    return true;
}
