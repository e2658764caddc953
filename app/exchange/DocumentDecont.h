#pragma once
// The settlement document handed to the agency: the month's tables as the tabs show them,
// the employer's properties and the month's system constants, in the element and attribute
// order the agency's side reads. Built from plain texts, so it can be checked byte for byte
// without any window.

#include <functional>
#include <string>
#include <utility>
#include <vector>

// The texts of one table of a tab: row 0 holds the captions, column 0 the row headers; data
// cells are (1..R, 1..C).
struct GridTexts {
    int R = 0, C = 0;
    std::vector<std::vector<std::string>> cells; // (R + 1) x (C + 1)
    // "" outside the table
    std::string At(int r, int c) const;
};

struct DateDecont {
    std::string strCIF, strDEN;
    int iAn = 0, iLuna = 0;
    double fFS = 0, fTCAD = 0;
    int iCodUnic = 0;
    std::vector<std::pair<std::string, std::string>> proprietati; // PROPRIETATE, VALOARE
    GridTexts sumar, pontaj, stat, art80, art85, l116, art934, l72;
    double fSMB = -1, fSMN = -1, fISR = -1, fProcAngajator = -1, fZileLuc = -1;
    // ID_MA and ID_PERS of a long CNP, false when the conventions list has no such person.
    std::function<bool(const std::string& strCNPLung, std::string& strIdMa, std::string& strIdPers)>
        findPerson;
};

// The document in Windows-1250, starting with "<?xml version=\"1.0\"?>\r\n". False when a
// text cannot be written in that code page; strError then names the person, the field and
// the character, for the user.
bool BuildDocumentDecont(const DateDecont& d, std::string& strDocument, std::string& strError);

// "%d-%02d-%s-%s-%4d%02d%02d%02d%02d%02d.xml": AN, LN, CIF, COD_JUDET and the local date and
// time of the export.
std::string NumeDocumentDecont(int iAn, int iLuna, const std::string& strCIF,
                               const std::string& strCodJudet, int iYear, int iMonth, int iDay,
                               int iHour, int iMinute, int iSecond);
