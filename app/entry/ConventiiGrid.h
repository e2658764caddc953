#pragma once
// The conventions grid of the month: its 27 columns, the row of one convention as the grid and
// the conventions cache hold it, and the query of the conventions running in a month.

#include "core/ConventiiCache.h"

#include <array>
#include <functional>
#include <memory>
#include <string>

class CXSimGrid;
namespace core {
class Statement;
}

namespace conventii {

constexpr int kColCount = 27;

struct Coloana {
    const char* szTitlu;
    bool bAscunsa; // codes kept beside their descriptions, and the key columns
};
// Columns 1..27 (index 0 is column 1).
extern const std::array<Coloana, kColCount> kColoane;

// The texts of one convention: the 27 grid cells and the cache record (slots 0..17).
struct RandConventie {
    std::array<std::string, kColCount> celule;
    std::unique_ptr<__tagDATECONVENTIIANGAJATOR> pRecord;
};

// The current row of the month's query.
RandConventie CitesteRand(const core::Statement& st);

// Runs the month's query for an employer, calling fn for every row in its order. Throws
// core::DbError on a database error.
void InterogheazaConventii(core::Statement& st, const std::string& strCIF, int iAnul, int iLuna,
                           const std::function<void(const core::Statement&)>& fn);

// Empties the grid and gives it the 27 columns with their titles.
void PregatesteGrid(CXSimGrid& g);
// After a load: columns fitted, key columns hidden, every cell locked when there are rows.
void FormateazaGrid(CXSimGrid& g);

// A date as the grid and the cache show it: "%d-%02d-%02d", empty for a missing date.
std::string TextData(const core::Statement& st, const char* szColoana);

} // namespace conventii
