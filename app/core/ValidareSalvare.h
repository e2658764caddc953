#pragma once
// The check that runs before a month is saved, over the conventions cache the timesheet and
// payroll pages keep up to date. Plain logic: the main window shows what it finds.
//
// Order of the outcome: a stop (a person with hours and no income for NOL, or the reverse)
// ends the check at once; then the errors, which the user must correct; then the warnings,
// which the user may accept; last the wage fund, which must cover the incomes entered.

#include "core/ConventiiCache.h"

#include <string>

struct RezultatValidare {
    // The tab that shows what the user has to correct.
    enum class Tab { Niciunul, Conventii, Pontaj, StatDePlata };

    std::string strOprire; // the first person whose hours and income for NOL disagree
    Tab tabOprire = Tab::Niciunul;
    std::string strErori;       // one line per person with CBFS hours and no CBFS income
    std::string strAvertizari;  // incomes below SMB and the further checks, one line each
    double fTotalVenituri = 0;  // incomes in the convention plus CBFS incomes
    std::string strFondSalarii; // set when the total exceeds the wage fund
};

// iAn, iLuna: the working month (for the convention periods); fSMB: the month's minimum wage
// (-1 when it is missing, which raises no warning); fFS: the wage fund entered.
RezultatValidare VerificaSalvare(const _NDateConventiiAngajator& conventii, int iAn, int iLuna,
                                 double fSMB, double fFS);

// Check digit of a 13-digit personal numeric code: the first 12 digits weighted by
// 2,7,9,1,4,6,3,5,8,2,7,9, the sum modulo 11, a remainder of 10 counting as 1.
bool IsCNPValid(const std::string& strCNP);

// Measure types for which a law table pays a subsidy (art. 80, art. 85, art. 93^4 / Law 116,
// Law 72).
bool IsTipMaCuPlata(int iTipMa);
