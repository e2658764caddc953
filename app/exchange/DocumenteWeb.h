#pragma once
// The two small documents the agency publishes on its web site besides the conventions files:
// the published version of the program ("versiune.xml") and the legal holidays of a year
// ("sarbatori_legale_%d.xml"). Reading them is kept apart from the windows so that every
// refusal can be checked on bytes alone.

#include <string>
#include <string_view>
#include <vector>

struct VersiunePublicata {
    std::string strV1, strV2, strV3, strV4, strDescriere;
    // V1.V2.V3.V4, each part as the element's text
    std::string Text() const { return strV1 + "." + strV2 + "." + strV3 + "." + strV4; }
};

// Reads "versiune.xml". On failure strError is the message the user sees: "[1]" for a
// document that cannot be read, "[2]" without the root VORTAPL, "[V1]".."[DESCRIERE]" for
// the first element missing (each is looked for after the previous one, so V2 before V1
// reports "[V2]").
bool CitesteVersiune(std::string_view bytes, VersiunePublicata& versiune, std::string& strError);

// The published version differs from the program's own (compared as text, ignoring case).
bool EsteVersiuneNoua(const std::string& strPublicata, const std::string& strAplicatie);

struct SarbatoareWeb {
    std::string strAn, strLuna, strZi, strDenumire;
    std::string Data() const { return strAn + "-" + strLuna + "-" + strZi; }
};

// Reads "sarbatori_legale_%d.xml": one row per `sarbatoare` in document order. On failure
// strError is "Fisierul XML este in format incorect![1]" or "Tag sarbatoriLegale negasit!".
bool CitesteSarbatori(std::string_view bytes, std::vector<SarbatoareWeb>& rows,
                      std::string& strError);

// "sarbatori_legale_<year>.xml"
std::string NumeFisierSarbatori(int iAn);
