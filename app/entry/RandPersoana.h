#pragma once
// What the timesheet and the payroll do alike with a person's row: remove a row the user added
// by hand, and carry a row's computed cells into the person's conventions record.

#include "core/ConventiiCache.h"

#include <initializer_list>
#include <utility>

class CXSimGrid;

// Removes the current row (from iPrimulRand on) after asking, when it is a row added by hand
// (no key in iColCnpLung); a person of the conventions is refused, named from iColNume.
void EliminaLinieAdaugata(CXSimGrid& g, int iPrimulRand, int iColCnpLung, int iColNume);

// Writes the texts of the row's cells into the record, as (slot, column) pairs; true when
// any slot changed, so the other pages are told only of a real change.
bool CopiazaInConventie(CXSimGrid& g, int iRow, __tagDATECONVENTIIANGAJATOR& rec,
                        std::initializer_list<std::pair<int, int>> sloturi);
