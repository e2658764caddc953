#include "entry/PontajCalcul.h"

#include "core/Lists.h"
#include "core/ValueFunctions.h"

#include <QDate>

#include <cstdlib>

int LunaLucru::ZileLucratoare(int iDeLa, int iPanaLa) const {
    int n = 0;
    for (int z = std::max(1, iDeLa); z <= std::min(iZile, iPanaLa); ++z)
        if (!IsNelucratoare(z))
            ++n;
    return n;
}

LunaLucru MakeLunaLucru(int iAn, int iLuna, const _NZileNelucratoare* pSarbatori) {
    LunaLucru luna;
    luna.iAn = iAn;
    luna.iLuna = iLuna;
    luna.iZile = core::DaysInMonth(iAn, iLuna);
    luna.nelucratoare.assign(static_cast<size_t>(luna.iZile) + 1, false);
    for (int z = 1; z <= luna.iZile; ++z)
        luna.nelucratoare[static_cast<size_t>(z)] =
            pSarbatori ? pSarbatori->IsZiNelucratoare(iAn, iLuna, z)
                       : QDate(iAn, iLuna, z).dayOfWeek() >= 6;
    return luna;
}

bool CitesteIntreg(const std::string& strText, int& iValue) {
    size_t i = 0;
    if (!strText.empty() && strText[0] == '-')
        i = 1;
    if (i >= strText.size() || strText.size() - i > 9)
        return false;
    for (size_t k = i; k < strText.size(); ++k)
        if (strText[k] < '0' || strText[k] > '9')
            return false;
    iValue = std::atoi(strText.c_str());
    return true;
}

int CitesteInt(const std::string& strText) {
    return std::atoi(strText.c_str());
}

bool IsValidDayCode(const std::string& strCode, bool bNelucratoare) {
    if (strCode.empty())
        return false;
    if (strCode == "X")
        return bNelucratoare;
    int n = 0;
    // The code must be written as the number itself: "08" or "+8" are not day codes.
    if (!CitesteIntreg(strCode, n) || std::to_string(n) != strCode || n < -4 || n > 24)
        return false;
    if (bNelucratoare && n >= -3 && n <= 0)
        return false;
    return true;
}

int ComputeMaxHours(const LunaLucru& luna, int iNorma, bool bConventie, int iStart, int iSfarsit) {
    const int iLuna = luna.iAn * 100 + luna.iLuna;
    int start = luna.Data(1);
    int end = luna.Data(luna.iZile);
    if (bConventie) {
        start = iStart;
        end = iSfarsit;
        if (start / 100 < iLuna)
            start = luna.Data(1);
        if (luna.Data(luna.iZile) <= end)
            end = luna.Data(luna.iZile);
    }
    if (start / 100 != iLuna || end / 100 != iLuna)
        return 0;
    return luna.ZileLucratoare(start % 100, end % 100) * iNorma;
}

OrePontaj SumaOre(const std::vector<std::string>& coduri, const LunaLucru& luna, int iNorma,
                  const std::vector<bool>& inConventie) {
    OrePontaj o;
    for (int d = 1; d <= luna.iZile && d <= static_cast<int>(coduri.size()); ++d) {
        const std::string& cod = coduri[static_cast<size_t>(d - 1)];
        if (cod == "X" && luna.IsNelucratoare(d))
            continue;
        if (!inConventie.empty() && !inConventie[static_cast<size_t>(d - 1)])
            continue;
        const int n = CitesteInt(cod);
        if (n == 0)
            o.absente += iNorma;
        else if (n > 0)
            o.lucrate += n;
        else if (n == -1)
            o.concediu += iNorma;
        else if (n == -2)
            o.cbfs += iNorma;
        else if (n == -3)
            o.cass += iNorma;
    }
    return o;
}

TotaluriPontaj CalculeazaTotaluri(const OrePontaj& ore, int iMax, int iZileLucratoareLuna,
                                  int iNorma) {
    int lucrate = ore.lucrate;
    if (iMax - ore.absente < ore.lucrate + ore.concediu + ore.cbfs + ore.cass)
        lucrate = iMax - ore.absente - ore.concediu - ore.cbfs - ore.cass;
    TotaluriPontaj t;
    t.lucrateInConventie = lucrate + ore.concediu;
    t.cbfs = ore.cbfs;
    t.cass = ore.cass;
    t.nol = iZileLucratoareLuna * iNorma;
    return t;
}

bool IsNormaValida(const std::string& strNorma) {
    return strNorma == "6" || strNorma == "7" || strNorma == "8";
}

bool IsSub18(const std::string& strCNP, int iAn, int iLuna) {
    return GetAnLunaNastere(strCNP) + 1800 >= iAn * 100 + iLuna;
}
