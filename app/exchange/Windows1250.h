#pragma once
// Text leaving for the agency is written in Windows-1250, the agency's code page. The
// Romanian letters with a comma below (Ș ș Ț ț) have no place in it and are written as their
// cedilla forms (Ş ş Ţ ţ), as every Windows program of the agency reads them; any other
// character without a Windows-1250 form is refused, never dropped or turned into "?".

#include <string>
#include <string_view>

// False when the text holds a character Windows-1250 cannot carry (or is not valid UTF-8);
// strBad then receives that character (as UTF-8).
bool Utf8ToWindows1250(std::string_view utf8, std::string& out, std::string& strBad);
