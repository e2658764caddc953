#include "core/ValueFunctions.h"

#include "platform/Clock.h"

#include <cctype>
#include <charconv>
#include <cmath>

double Rotunjire(double fValue, int iDecimals) {
    double p = iDecimals > 0 ? std::pow(10.0, iDecimals) : 1.0;
    double s = fValue < 0 ? -1.0 : 1.0;
    return std::floor(std::fabs(fValue) * p + 0.50000001) * s / p;
}

std::string IBANCompact(const std::string& strIBAN) {
    std::string s;
    for (char c : strIBAN)
        if (c != ' ' && c != '\t')
            s += c;
    return s;
}

bool IsIBANValid(const std::string& strIBAN) {
    const std::string compact = IBANCompact(strIBAN);
    if (compact.size() != 24)
        return false;
    std::string s;
    for (char c : compact) {
        const bool alnum =
            (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        if (!alnum)
            return false;
        s += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    s = s.substr(4) + s.substr(0, 4);
    std::string digits;
    for (char c : s) {
        if (c >= '0' && c <= '9')
            digits += c;
        else
            digits += std::to_string(c - 'A' + 10);
    }
    int rest = 0;
    for (char c : digits) {
        rest = rest * 10 + (c - '0');
        if (rest > 96)
            rest %= 97;
    }
    return rest == 1;
}

namespace {
int partOf(const std::string& s, size_t pos, size_t len) {
    if (s.size() < pos + len)
        return 0;
    int v = 0;
    for (size_t i = pos; i < pos + len; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(s[i])))
            return 0;
        v = v * 10 + (s[i] - '0');
    }
    return v;
}
} // namespace

int GetAnLunaNastere(const std::string& strCNP) {
    int sex = partOf(strCNP, 0, 1);
    int yy = partOf(strCNP, 1, 2);
    int mm = partOf(strCNP, 3, 2);
    int base = 1900;
    if (sex == 3 || sex == 4)
        base = 1800;
    else if (sex == 5 || sex == 6)
        base = 2000;
    return (base + yy) * 100 + mm;
}

bool IsNumeric(const std::string& strText) {
    for (char c : strText)
        if (c < '0' || c > '9')
            return false;
    return true;
}

int GenerateCodUnic() {
    // The classic C library generator (seed * 214013 + 2531011, bits 16..30): the same
    // range 0..32767 on every platform, whatever the local rand() gives.
    unsigned int state = static_cast<unsigned int>(platform::Now().epochSeconds);
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7fff);
}

namespace core {
namespace {
std::string_view trimmed(const std::string& s) {
    const size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos)
        return {};
    const size_t e = s.find_last_not_of(" \t\r\n");
    return std::string_view(s).substr(b, e - b + 1);
}

template <class T> bool parseWhole(const std::string& strText, T& out) {
    std::string_view t = trimmed(strText);
    if (!t.empty() && t.front() == '+') {
        t.remove_prefix(1);
        if (t.empty() || t.front() == '-')
            return false;
    }
    if (t.empty())
        return false;
    T v{};
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
    if (ec != std::errc() || end != t.data() + t.size())
        return false;
    out = v;
    return true;
}
} // namespace

bool ParseInt(const std::string& strText, int& iValue) {
    return parseWhole(strText, iValue);
}

bool ParseInt64(const std::string& strText, long long& iValue) {
    return parseWhole(strText, iValue);
}

bool ParseDouble(const std::string& strText, double& fValue) {
    double v = 0;
    if (!parseWhole(strText, v) || !std::isfinite(v))
        return false;
    fValue = v;
    return true;
}

int DaysInMonth(int iAn, int iLuna) {
    static const int kZile[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (iLuna < 1 || iLuna > 12)
        return 0;
    const bool bBisect = (iAn % 4 == 0 && iAn % 100 != 0) || iAn % 400 == 0;
    return iLuna == 2 && bBisect ? 29 : kZile[iLuna - 1];
}
} // namespace core
