#pragma once
// The payroll's rows in ATO_RAPORTARE_STATDEPLATA: written with the settlement, read back with
// the month (their amounts also going back into the conventions cache).

#include <string>

class CXSimGrid;
class IndexConventii;

namespace core {
class Statement;
class Transaction;
} // namespace core

namespace statplata {

// One insert per person row, on the caller's transaction; throws core::DbError.
void InsertRows(core::Transaction& tr, CXSimGrid& grid, int iAn, int iLuna,
                const std::string& strCIF);
void ReadRows(core::Statement& st, CXSimGrid& grid, int iAn, int iLuna, const std::string& strCIF,
              const IndexConventii& conventii);

} // namespace statplata
