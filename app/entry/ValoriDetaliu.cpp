#include "entry/ValoriDetaliu.h"

#include "core/ValueFunctions.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace detaliu {

std::int64_t CnpLung(const std::string& strText) {
    if (strText.empty() || strText.size() > 18 || !IsNumeric(strText))
        return 0;
    return std::strtoll(strText.c_str(), nullptr, 10);
}

std::int64_t CnpCorect(const std::string& strText, int iRow) {
    // The driver writes a NULL bound to a column that requires a value as 0, so the missing
    // code is refused here rather than stored as a person 0.
    if (strText.empty())
        throw core::DbError("CNP lipsa pe linia " + std::to_string(iRow));
    if (strText.size() > 18 || !IsNumeric(strText))
        throw core::DbError("CNP incorect pe linia " + std::to_string(iRow) + ": " + strText);
    return std::strtoll(strText.c_str(), nullptr, 10);
}

std::int64_t Intreg(const std::string& strText) {
    if (strText.empty())
        return 0;
    char* end = nullptr;
    const long long v = std::strtoll(strText.c_str(), &end, 10);
    return (end && *end == '\0') ? v : 0;
}

double Suma(const std::string& strText) {
    if (strText.empty())
        return 0;
    char* end = nullptr;
    const double v = std::strtod(strText.c_str(), &end);
    return (end && *end == '\0' && std::isfinite(v)) ? v : 0;
}

std::string Format0(double fValue) {
    char sz[64];
    std::snprintf(sz, sizeof sz, "%.0f", fValue);
    return sz;
}

} // namespace detaliu
