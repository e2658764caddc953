#pragma once
// The hours of a timesheet row, as plain rules over the day codes of one working month: which
// codes a day accepts, the maximum of the convention period, the sums by code and the cap that
// keeps the admitted hours inside the period's maximum.

#include <string>
#include <vector>

class _NZileNelucratoare;

// The working month: its number of days and which of them are not worked (Saturday, Sunday,
// legal holiday).
struct LunaLucru {
    int iAn = 0, iLuna = 0, iZile = 0;
    std::vector<bool> nelucratoare; // index 0 unused, then days 1..iZile

    bool IsNelucratoare(int iZi) const {
        return iZi >= 1 && iZi <= iZile && nelucratoare[static_cast<size_t>(iZi)];
    }
    int Data(int iZi) const { return iAn * 10000 + iLuna * 100 + iZi; } // YYYYMMDD
    int ZileLucratoare(int iDeLa, int iPanaLa) const;
};

LunaLucru MakeLunaLucru(int iAn, int iLuna, const _NZileNelucratoare* pSarbatori);

// A whole number written with "%d" (optional minus, digits, nothing else); false otherwise.
bool CitesteIntreg(const std::string& strText, int& iValue);
// The number a text starts with, read as "%d" reads it: 0 when it starts with none.
int CitesteInt(const std::string& strText);

// "X" on a non-working day; "-4".."24" on a working day, and on a non-working day any of them
// but the absences "-1", "-2", "-3" and "0".
bool IsValidDayCode(const std::string& strCode, bool bNelucratoare);

// Whether the day (YYYYMMDD) lies within the convention's dates (YYYYMMDD, both included).
inline bool IsInPeriod(int iData, int iStart, int iSfarsit) {
    return iStart <= iData && iData <= iSfarsit;
}

// Maximum hours of the convention period within the working month: its working days times the
// norm. Without a convention the period is the whole month. A start before the month counts
// from the 1st, an end after it up to the last day; a period that still does not lie inside
// the month (it starts in a later one) has no days.
int ComputeMaxHours(const LunaLucru& luna, int iNorma, bool bConventie, int iStart, int iSfarsit);

// The sums of a row by day code: hours worked, and the norm for every day of unexcused absence
// ("0"), annual leave ("-1"), sick leave from the wage fund ("-2") or from health insurance
// ("-3"). Days off in compensation ("-4") and non-working days marked "X" add nothing.
struct OrePontaj {
    int lucrate = 0, absente = 0, concediu = 0, cbfs = 0, cass = 0;
};

// coduri[d - 1] is the code of day d; inConventie, when not empty, tells for every day
// whether it lies in the convention (days outside it are skipped).
OrePontaj SumaOre(const std::vector<std::string>& coduri, const LunaLucru& luna, int iNorma,
                  const std::vector<bool>& inConventie);

// The totals of a row: hours admitted in the period (worked, capped, plus annual leave), the
// sick-leave hours of both kinds and NOL, the month's working days times the norm.
struct TotaluriPontaj {
    int lucrateInConventie = 0, cbfs = 0, cass = 0, nol = 0;
};

// The cap: when the period's maximum less the absences cannot hold everything counted, the
// hours worked are what is left of it after the absences, the leave and the sick leave.
TotaluriPontaj CalculeazaTotaluri(const OrePontaj& ore, int iMax, int iZileLucratoareLuna,
                                  int iNorma);

// A daily norm the timesheet accepts: "6", "7" or "8".
bool IsNormaValida(const std::string& strNorma);

// Under 18 in the working month: the birth month of the personal code plus 18 years is not
// before the working month (a person who turns 18 in the month is still under 18).
bool IsSub18(const std::string& strCNP, int iAn, int iLuna);
