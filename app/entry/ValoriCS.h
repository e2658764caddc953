#pragma once
// How the value of a system constant is shown in the constants editor and goes back to the
// database. A constant is defined by its integer places (PINTREAGA) and its decimals
// (ZECIMALE); its cell shows the value as a number with exactly those decimals, and what the
// cell shows is what is saved, so a month loaded and saved unchanged keeps its values.
//
// Numbers are written and read with a point whatever the process locale says: the GUI takes
// its locale from the environment, and under a Romanian one printf would write a comma.

#include <string>

// "#" for every integer place, then ".#" to ".####" for 1 to 4 decimals (none otherwise).
std::string MascaCS(int iPIntreaga, int iZecimale);

// The decimals a cell shows: 1 to 4 as defined, 0 for any other definition (as the mask).
int ZecimaleAfisate(int iZecimale);

// The cell text of a stored value: fixed notation with the constant's decimals.
std::string FormatValoareCS(double fValoare, int iZecimale);

// Reads a cell text (digits, at most one point, an optional leading minus); false when the
// text is no number, so nothing that is not a number is ever bound to the value column.
bool CitesteValoareCS(const std::string& strText, double& fValoare);
