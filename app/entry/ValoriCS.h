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

// The cell text of a stored value: fixed notation with the constant's decimals, or with as
// many as it takes when the value has more (stored before the definition changed, or by
// hand), so the text reads back as exactly the stored value and a save never alters it.
std::string FormatValoareCS(double fValoare, int iZecimale);

// The mask of the value cells: digits and one point only, and room for more digits than any
// definition allows, so that what the user types is never cut; the dialog checks the format.
std::string MascaEditareCS();

// "cel mult 5 cifre intregi si 2 zecimale" ("..., fara zecimale" when there are none): the
// format a constant's values must fit, as the editor tells the user.
std::string FormatPermisCS(int iPIntreaga, int iZecimale);

// Whether a typed cell text fits the definition: at most iPIntreaga integer digits (leading
// zeros aside) and at most the shown decimals (trailing zeros aside). Not a number: false.
bool IncapeInFormatCS(const std::string& strText, int iPIntreaga, int iZecimale);

// Reads a cell text (digits, at most one point, an optional leading minus); false when the
// text is no number, so nothing that is not a number is ever bound to the value column.
bool CitesteValoareCS(const std::string& strText, double& fValoare);
