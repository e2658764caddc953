#include "entry/FondSalarii.h"

#include "core/ValueFunctions.h"

#include <cstdio>

bool CitesteFS(const std::string& strText, double& fFS) {
    const auto first = strText.find_first_not_of(' ');
    if (first == std::string::npos) {
        fFS = 0;
        return true;
    }
    const auto last = strText.find_last_not_of(' ');
    long long iValoare = 0;
    for (auto i = first; i <= last; ++i) {
        const char ch = strText[i];
        if (ch < '0' || ch > '9')
            return false;
        iValoare = iValoare * 10 + (ch - '0');
        if (iValoare > kFSMaxim) // stops before the number could overflow
            return false;
    }
    fFS = static_cast<double>(iValoare);
    return true;
}

double CalculeazaTCAD(double fFS, double fProcAngajator) {
    return Rotunjire(fProcAngajator * fFS / 100, 0) + 0.0;
}

bool InInterval(double fValoare, long long iMinim, long long iMaxim) {
    return fValoare >= static_cast<double>(iMinim) && fValoare <= static_cast<double>(iMaxim);
}

std::string MesajInterval(long long iMinim, long long iMaxim) {
    char sz[128];
    std::snprintf(sz, sizeof sz, "Va rugam sa introduceti o valoare in intervalul [%lld,%lld]!",
                  iMinim, iMaxim);
    return sz;
}
