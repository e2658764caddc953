#pragma once
// The employer's wage fund of the month (FS) and the contribution it owes on it (TCAD), as the
// conventions page reads, checks and computes them.

#include <string>

constexpr long long kFSMaxim = 999999999999999LL;
constexpr long long kTCADMaxim = 999999LL;

// FS as typed: whole lei written with digits only; blanks around the number are ignored and
// an empty field reads as 0. Any other text (a decimal comma or point, grouping blanks, a sign)
// and any value above kFSMaxim is refused, never read as a smaller number.
bool CitesteFS(const std::string& strText, double& fFS);

// TCAD = Rotunjire(PROC_ANGAJATOR x FS / 100, 0).
double CalculeazaTCAD(double fFS, double fProcAngajator);

bool InInterval(double fValoare, long long iMinim, long long iMaxim);

// "Va rugam sa introduceti o valoare in intervalul [min,max]!", the bounds as whole numbers.
std::string MesajInterval(long long iMinim, long long iMaxim);
