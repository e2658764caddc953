#pragma once
// The deduct-or-refund split of the month's subsidies, without any widget. The employer first
// deducts its exemptions from the contribution it owes (TCAD); what is left (the room) pays
// the subsidies: Law 116 and Art. 93^4 take a share of it in proportion to their part of all
// subsidies, then Art. 80, Art. 85 and Law 72 use up what remains, in that order. Whatever
// cannot be deducted is refunded from the unemployment-insurance budget.

#include "core/MonthTotals.h"

#include <array>
#include <string>

// The rows of the summary, in grid order (grid row = index + 1).
enum RandSubventii : int {
    RandS80 = 0,
    RandE80 = 1,
    RandS85 = 2,
    RandE85 = 3,
    RandS116 = 4, // Law 116 and Art. 93^4 together
    RandS72 = 5,
    RandCount = 6
};

struct SumeRand {
    bool bSchimbat = false; // false: the row keeps what it showed before
    double fRecuperat = 0;  // deducted from the contribution owed
    double fRestituit = 0;  // to be refunded
};

struct Repartizare {
    std::array<SumeRand, RandCount> randuri;
};

// The split of the totals. With FS 0 every row becomes 0 / 0. When the subsidies add up to 0
// nothing can be shared and no row changes. A row whose scheme total is 0 keeps its texts;
// an exemption row changes only together with its subsidy row. Amounts are the totals held to
// the ban, so sums of many rows do not drift; the page shows them rounded to whole lei.
Repartizare RepartizeazaSubventii(const MonthTotals& t);

// An amount as the summary shows and stores it: rounded to whole lei ("%.0f" after
// Rotunjire), never "-0".
std::string TextSuma(double fSuma);
