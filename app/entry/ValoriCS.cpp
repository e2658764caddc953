#include "entry/ValoriCS.h"

#include <charconv>
#include <string_view>

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
    char buf[400];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, fValoare, std::chars_format::fixed,
                                   ZecimaleAfisate(iZecimale));
    if (ec != std::errc())
        return {};
    std::string text(buf, end);
    double back = 0;
    if (CitesteValoareCS(text, back) && back == fValoare)
        return text;
    // The shortest fixed text that reads back as the very same double.
    auto [end2, ec2] = std::to_chars(buf, buf + sizeof buf, fValoare, std::chars_format::fixed);
    if (ec2 != std::errc())
        return text;
    return std::string(buf, end2);
}

std::string MascaEditareCS() {
    return std::string(30, '#') + "." + std::string(15, '#');
}

std::string FormatPermisCS(int iPIntreaga, int iZecimale) {
    const int d = ZecimaleAfisate(iZecimale);
    std::string text = "cel mult " + std::to_string(iPIntreaga > 0 ? iPIntreaga : 0) +
                       (iPIntreaga == 1 ? " cifra intreaga" : " cifre intregi");
    if (d == 0)
        return text + ", fara zecimale";
    return text + " si " + std::to_string(d) + (d == 1 ? " zecimala" : " zecimale");
}

bool IncapeInFormatCS(const std::string& strText, int iPIntreaga, int iZecimale) {
    double v = 0;
    if (!CitesteValoareCS(strText, v))
        return false;
    std::string_view t(strText);
    if (!t.empty() && t.front() == '-')
        t.remove_prefix(1);
    const std::size_t dot = t.find('.');
    std::string_view whole = t.substr(0, dot);
    std::string_view frac = dot == std::string_view::npos ? std::string_view() : t.substr(dot + 1);
    while (!whole.empty() && whole.front() == '0')
        whole.remove_prefix(1);
    while (!frac.empty() && frac.back() == '0')
        frac.remove_suffix(1);
    return whole.size() <= static_cast<std::size_t>(iPIntreaga > 0 ? iPIntreaga : 0) &&
           frac.size() <= static_cast<std::size_t>(ZecimaleAfisate(iZecimale));
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
