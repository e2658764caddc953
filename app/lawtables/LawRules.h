#pragma once
// The computation rules of the five law tables, without widgets: what each scheme pays for one
// person, the exemption of the employer's unemployment contribution and which table a
// convention belongs to. The pages feed them from the conventions cache and the constants list.

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace lawrules {

// 22 October 2013 as year*10000 + month*100 + day: conventions signed before it keep the
// exemption (TASCA 2) and, for TIP_MA 22, belong to the Law 116 table rather than Art. 93^4.
constexpr int kData20131022 = 20131022;
// 14 October 2008: Art. 85 conventions of categories D and E started before it are paid on the
// minimum gross wage (SMB) instead of the ISR.
constexpr int kData20081014 = 20081014;
// The employer's unemployment contribution rate the exemption gives back.
constexpr double kCotaScutire = 0.005;

// A date text "YYYY-MM-DD" read by position (characters 1-4, 6-7, 9-10); a part that is
// missing or not a number counts as 0.
struct DataParts {
    int iAn = 0, iLuna = 0, iZi = 0;
    int Number() const { return iAn * 10000 + iLuna * 100 + iZi; }
};
DataParts CitesteData(const std::string& strData);
// "DD.MM.YYYY" of a date text; empty when the date is empty.
std::string DataAfisata(const std::string& strData);
// A text read as a decimal integer (leading digits; empty or not a number reads 0).
int CitesteInt(const std::string& strText);
// A text read as a number (empty or not a number reads 0).
double CitesteDouble(const std::string& strText);

// The exemption flag of a convention: "2" when signed before 22 October 2013 (or undated),
// else "1".
std::string Tasca(const std::string& strDocData);

enum class Tabel { Art80, Art85, Art93_4, L116, L72, Niciunul };
// The table of a convention, by its measure type and its date.
Tabel TabelPentru(const std::string& strTipMA, const std::string& strDocData);

// A system constant of a month, as the constants list gives it: -1 when not defined.
using Constanta = std::function<double(const std::string& strCS, int iAn, int iLuna)>;

// What a table needs to know of one person.
struct Persoana {
    std::string strCategorie;
    std::string strDataStart; // convention start (Art. 85)
    std::string strDataAng;   // hiring date (Art. 93^4, Law 116)
    int iNOL = 0;             // norm hours of the month
    int iOre = 0;             // hours worked in the convention period
    int iNorma = 0;           // daily norm (Law 72)
    double fSalariuConventie = 0;
};

// The result for one person. An amount that cannot be computed (no norm hours yet, a category
// without a factor, a constant missing) is empty, and strMotiv says why when the user should
// know it.
struct Suma {
    std::optional<double> fBaza; // Art. 93^4 and Law 116: the base of the amount
    std::optional<double> fSuma;
    std::string strMotiv;
};

// Factor by category: Art. 80 A 1.0, B 1.2, C 1.5; Art. 85 A to E 1.0; none for others.
std::optional<double> FactorArt80(const std::string& strCategorie);
std::optional<double> FactorArt85(const std::string& strCategorie);

// ISR / NOL x hours x factor, rounded to units.
Suma SumaArt80(const Persoana& p, int iAn, int iLuna, const Constanta& cs);
// As Art. 80 with factor 1; categories D and E started before 14 October 2008 on the larger
// SMB of the start month and of the working month instead of ISR.
Suma SumaArt85(const Persoana& p, int iAn, int iLuna, const Constanta& cs);
// Base = min(SMN of the hiring month x 0.75 rounded, convention salary); amount = hours x
// base / NOL rounded. Art. 93^4 and Law 116 alike.
Suma SumaBazaSMN(const Persoana& p, const Constanta& cs);
// Half the ISR for a full month, in proportion to the hours.
Suma SumaL72(const Persoana& p, int iAn, int iLuna, const Constanta& cs);
// Law 72 working days: hours / daily norm truncated; none when the norm is 0.
std::optional<int> ZileL72(int iOre, int iNorma);

// The paid amount of Art. 80 and Art. 85: gross income of the convention period plus the sick
// leave paid from the wage fund, as the payroll gives them.
double SumaPlatita(const std::string& strVenit, const std::string& strVenitCBFS);

// Exemption of an exemption base: 0.5 %, rounded to units, or truncated when the employer's
// calculation mode is "fara rotunjire".
double Scutire(double fBaza, bool bFaraRotunjire);

// One person row of the Art. 80 and Art. 85 totals.
struct RandScutire {
    double fSuma = 0;   // amount of the convention (column 6)
    double fPlatit = 0; // amount paid (column 7)
    std::string strTasca;
    std::string strCategorie;
};
struct TotaluriScutire {
    double P = 0;  // all paid amounts
    double A1 = 0; // amounts of the persons paid something
    double B1 = 0; // exemption base
    double C1 = 0; // exemption
};
// bDoarAB: only categories A and B enter the exemption base (Art. 85).
TotaluriScutire CalculTotaluri(const std::vector<RandScutire>& rows, bool bDoarAB,
                               bool bFaraRotunjire);

// The months whose SMN is missing, one "anul %d, luna %d" per person hired in it, joined by
// ",\n"; empty when every month has it.
std::string LunileFaraSMN(const std::vector<std::string>& hiringDates, const Constanta& cs);
std::string MesajFaraSMN(const std::string& strLuni);

} // namespace lawrules
