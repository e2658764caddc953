#pragma once
// Totals of the month on screen: the law tables and the conventions page write them, the
// summary page reads and splits them. Amounts are whole lei (the pages round before writing).

struct MonthTotals {
    double FS = 0;   // wage fund of the month
    double TCAD = 0; // contribution owed by the employer (FS x rate)
    double E80 = 0, S80 = 0;
    double E85 = 0, S85 = 0;
    double S116 = 0, E116 = 0; // E116 always 0
    double S934 = 0, E934 = 0; // E934 always 0
    double S72 = 0, E72 = 0;   // E72 always 0
    int COD_UNIC = 0;          // settlement code, as loaded with the month
    void Clear() { *this = MonthTotals(); }
};
