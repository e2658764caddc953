#pragma once
// Number and text rules shared by the pages: rounding, IBAN, birth month, settlement code.

#include <cstdio>
#include <string>

// floor(|x| * 10^n + 0.50000001) with the sign restored, divided back: halves go away from
// zero, and values a double keeps just below a half (2.675) round as a person expects.
double Rotunjire(double fValue, int iDecimals);

// ISO 13616 check (MOD 97-10) of a 24-character IBAN, any letter case. Blanks are allowed
// between the characters (banks print an IBAN in groups of four); any other character that is
// not a letter or a digit makes the IBAN invalid.
bool IsIBANValid(const std::string& strIBAN);

// The IBAN without its blanks: the form that is checked and stored.
std::string IBANCompact(const std::string& strIBAN);

// year * 100 + month of birth from a personal numeric code (century from its first digit).
int GetAnLunaNastere(const std::string& strCNP);

// True when every character is a decimal digit (true for an empty text).
bool IsNumeric(const std::string& strText);

namespace core {
// Whole-text number reading: blanks around the number are allowed, anything else is refused
// ("01x", "12abc", "", "1e3" for an integer, "inf"); the output is untouched when refused.
bool ParseInt(const std::string& strText, int& iValue);
bool ParseInt64(const std::string& strText, long long& iValue);
bool ParseDouble(const std::string& strText, double& fValue);

// Days of a month of the Gregorian calendar; 0 for a month outside 1..12.
int DaysInMonth(int iAn, int iLuna);

// printf formatting into a text of exactly the length it takes.
template <class... A> std::string Format(const char* szFormat, A... args) {
    const int n = std::snprintf(nullptr, 0, szFormat, args...);
    std::string s(static_cast<size_t>(n > 0 ? n : 0), '\0');
    std::snprintf(s.data(), s.size() + 1, szFormat, args...);
    return s;
}
} // namespace core

// A settlement code 0..32767, drawn from a generator seeded with the current second, so two
// codes drawn in the same second are equal.
int GenerateCodUnic();
