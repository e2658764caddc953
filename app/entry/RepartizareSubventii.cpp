#include "entry/RepartizareSubventii.h"

#include "core/ValueFunctions.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

// Held to the ban: a total that reached the page as 299.99999999 counts as 300.
double Bani(double f) {
    return Rotunjire(f, 2) + 0.0;
}

// A subsidy row and, when the scheme has one, its exemption row: the subsidy takes what the
// room still allows, the exemption is always deducted in full.
void Imparte(Repartizare& r, int iRand, double fSubventie, double& fRest) {
    const double fDedus = fRest <= 0 ? 0 : std::min(fRest, fSubventie);
    fRest = Bani(fRest - fDedus);
    r.randuri[iRand] = {true, fDedus, Bani(fSubventie - fDedus)};
}

} // namespace

Repartizare RepartizeazaSubventii(const MonthTotals& t) {
    Repartizare r;
    if (Bani(t.FS) == 0) {
        for (SumeRand& s : r.randuri)
            s = {true, 0, 0};
        return r;
    }
    const double S80 = Bani(t.S80), S85 = Bani(t.S85), S72 = Bani(t.S72);
    const double S116 = Bani(Bani(t.S116) + Bani(t.S934));
    const double fSubventii = Bani(S80 + S85 + S116 + S72);
    const double fScutiri =
        Bani(Bani(t.E80) + Bani(t.E85) + Bani(t.E116) + Bani(t.E72) + Bani(t.E934));
    if (fSubventii == 0)
        return r; // nothing to share out
    const double fLoc = Bani(Bani(t.TCAD) - fScutiri);
    const double fCota = Rotunjire(S116 * fLoc / fSubventii, 0) + 0.0;
    double fRest = Bani(fLoc - fCota);

    if (S116 > 0) {
        double fDedus = 0;
        if (fCota <= 0)
            fDedus = 0;
        else if (fCota <= S116)
            fDedus = fCota;
        else {
            fDedus = S116;
            fRest = Bani(fLoc - S116);
        }
        r.randuri[RandS116] = {true, fDedus, Bani(S116 - fDedus)};
    }
    if (S80 > 0) {
        Imparte(r, RandS80, S80, fRest);
        r.randuri[RandE80] = {true, Bani(t.E80), 0};
    }
    if (S85 > 0) {
        Imparte(r, RandS85, S85, fRest);
        r.randuri[RandE85] = {true, Bani(t.E85), 0};
    }
    if (S72 > 0)
        Imparte(r, RandS72, S72, fRest);
    return r;
}

std::string TextSuma(double fSuma) {
    char sz[64];
    std::snprintf(sz, sizeof sz, "%.0f", Rotunjire(fSuma, 0) + 0.0);
    return sz;
}
