#pragma once
// The timesheet's rows in ATO_RAPORTARE_PONTAJ: written with the settlement, read back with
// the month, and the norms a new month takes over from the employer's last saved month.

#include "entry/PontajCalcul.h"

#include <map>
#include <string>

class CXSimGrid;
class IndexConventii;

namespace core {
class Statement;
class Transaction;
} // namespace core

namespace pontaj {

// One insert per person row, on the caller's transaction; throws core::DbError.
void InsertRows(core::Transaction& tr, CXSimGrid& grid, const LunaLucru& luna,
                const std::string& strCIF);
// Appends the month's saved rows to the grid and gives their records the stored hours.
void ReadRows(core::Statement& st, CXSimGrid& grid, const LunaLucru& luna,
              const std::string& strCIF, const IndexConventii& conventii);

// The norms of the persons in the employer's last month saved before the working month, by
// the key CNP LUNG and by the personal code.
struct NormeSalvate {
    std::map<std::string, std::string> dupaCnpLung, dupaCnp;
};
void ReadLastNorms(core::Statement& st, const LunaLucru& luna, const std::string& strCIF,
                   NormeSalvate& norme);

} // namespace pontaj
