#pragma once
// The values of a page's grid row as the detail tables of a settlement store them. Numbers are
// bound as numbers, never as free text (the driver would store a text it cannot read as 0):
// an empty number cell is stored as 0, a personal code that is not made of digits is refused.

#include "core/Database.h"

#include <cstdint>
#include <string>

namespace detaliu {

// The key CNP LUNG: the code, or 0 for a row added by hand (read back as "no key").
std::int64_t CnpLung(const std::string& strText);
// The corrected code, which every stored row must have; throws core::DbError when it is empty
// or not a number (iRow names the row in the message).
std::int64_t CnpCorect(const std::string& strText, int iRow);
// A whole number cell ("%d"); 0 when empty or not a number.
std::int64_t Intreg(const std::string& strText);
// An amount cell; 0 when empty or not a number.
double Suma(const std::string& strText);
// "%.0f" and "%d" as the cells show numbers read back from the tables.
std::string Format0(double fValue);

} // namespace detaliu
