#pragma once
// The payroll grid's layout: one header row, nine columns, the input colour and masks of the
// two amounts the user types, and the help texts. Persons occupy rows 1..R.

#include <string>

class CXSimGrid;

namespace statplata {

enum Col {
    ColCnpLung = 1, // key into the conventions cache, hidden
    ColCnp = 2,
    ColNume = 3,
    ColNol = 4,
    ColOre = 5,
    ColVenit = 6, // typed: gross income of the month
    ColVenitConv = 7,
    ColVenitCbfs = 8, // typed: gross income of the CBFS sick leave
    ColSemnatura = 9,
    ColCount = 9
};

void BuildHeader(CXSimGrid& grid);
void FormatGrid(CXSimGrid& grid);
std::string ColumnHelp(int iCol);

} // namespace statplata
