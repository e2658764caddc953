#pragma once
// The timesheet grid's layout: two header rows, one column per day of the working month, the
// colours of non-working days and of days outside a person's convention, and the help texts.
//
// Columns: 0 running number, 1 "CNP LUNG" (the key into the conventions cache, hidden),
// 2 "CNP", 3 "Nume", 4..D+3 the days, then MAX, norm, hours in the convention, CBFS, CASS, NOL.
// Rows 0 and 1 are the header; persons occupy rows 2..R.

#include "entry/PontajCalcul.h"

#include <string>

class CXSimGrid;
class IndexConventii;

namespace pontaj {

constexpr int kPrimulRand = 2;
constexpr int ColCnpLung = 1, ColCnp = 2, ColNume = 3;
inline int ColZi(int iZi) {
    return 3 + iZi;
}
inline int ColMax(int D) {
    return D + 4;
}
inline int ColNorma(int D) {
    return D + 5;
}
inline int ColLucrate(int D) {
    return D + 6;
}
inline int ColCbfs(int D) {
    return D + 7;
}
inline int ColCass(int D) {
    return D + 8;
}
inline int ColNol(int D) {
    return D + 9;
}

// Columns and the two header rows of the month (the grid is empty before).
void BuildHeader(CXSimGrid& grid, const LunaLucru& luna);
// Non-working days become "X" where empty or "0"; days outside a person's convention are
// "X" or "0", locked and marked.
void MarkDays(CXSimGrid& grid, const LunaLucru& luna, const IndexConventii& conventii);
// Widths, heights, locks and alignment; the name cells of rows added by hand stay editable.
void FormatGrid(CXSimGrid& grid, int D);
// The help pane's text for a column.
std::string ColumnHelp(int iCol, int D);

} // namespace pontaj
