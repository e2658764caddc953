#pragma once
// Totals of the month on screen: written by the law tables and the conventions page, read and
// split by the summary page.

struct MonthTotals {
    double fFS = 0, fTCAD = 0;
    int iCodUnic = 0;
    void Clear() { *this = MonthTotals(); }
};
