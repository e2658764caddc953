#include "lawtables/LawRules.h"

#include "core/Lists.h"
#include "core/ValueFunctions.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace lawrules {
namespace {

int partOf(const std::string& s, size_t pos, size_t len) {
    if (s.size() < pos)
        return 0;
    return CitesteInt(s.substr(pos, len));
}

std::string lunaText(int iAn, int iLuna) {
    char sz[64];
    std::snprintf(sz, sizeof sz, "%02d/%d", iLuna, iAn);
    return sz;
}

std::string lipsaConstanta(const char* szCS, int iAn, int iLuna) {
    return std::string("Constanta de sistem ") + szCS + " nu este definita pentru luna " +
           lunaText(iAn, iLuna) + ": suma nu se poate calcula.";
}

// value / NOL x hours x factor, rounded; empty without norm hours.
std::optional<double> proRata(double fValoare, int iNOL, int iOre, double fFactor) {
    if (iNOL == 0)
        return std::nullopt;
    return Rotunjire(fValoare / iNOL * iOre * fFactor, 0);
}

Suma sumaISR(const Persoana& p, int iAn, int iLuna, const Constanta& cs,
             std::optional<double> factor) {
    Suma r;
    if (!factor) {
        r.strMotiv = "Categoria \"" + p.strCategorie + "\" nu are factor de calcul: suma nu se " +
                     "poate calcula.";
        return r;
    }
    const double fISR = cs("ISR", iAn, iLuna);
    if (fISR < 0) {
        r.strMotiv = lipsaConstanta("ISR", iAn, iLuna);
        return r;
    }
    r.fSuma = proRata(fISR, p.iNOL, p.iOre, *factor);
    return r;
}

bool isCategory(const std::string& strCategorie, const char* szList) {
    for (const char* c = szList; *c; ++c)
        if (core::EqualsNoCase(strCategorie, std::string(1, *c)))
            return true;
    return false;
}

} // namespace

int CitesteInt(const std::string& strText) {
    return std::atoi(strText.c_str());
}

double CitesteDouble(const std::string& strText) {
    if (strText.empty())
        return 0;
    char* end = nullptr;
    const double f = std::strtod(strText.c_str(), &end);
    return end == strText.c_str() ? 0 : f;
}

DataParts CitesteData(const std::string& strData) {
    return {partOf(strData, 0, 4), partOf(strData, 5, 2), partOf(strData, 8, 2)};
}

std::string DataAfisata(const std::string& strData) {
    if (strData.empty())
        return {};
    const DataParts d = CitesteData(strData);
    char sz[32];
    std::snprintf(sz, sizeof sz, "%02d.%02d.%d", d.iZi, d.iLuna, d.iAn);
    return sz;
}

std::string Tasca(const std::string& strDocData) {
    return CitesteData(strDocData).Number() < kData20131022 ? "2" : "1";
}

Tabel TabelPentru(const std::string& strTipMA, const std::string& strDocData) {
    const std::string t = core::Trim(strTipMA);
    if (t == "13")
        return Tabel::Art80;
    if (t == "14")
        return Tabel::Art85;
    if (t == "22")
        return CitesteData(strDocData).Number() < kData20131022 ? Tabel::L116 : Tabel::Art93_4;
    if (t == "23")
        return Tabel::L72;
    return Tabel::Niciunul;
}

std::optional<double> FactorArt80(const std::string& strCategorie) {
    if (core::EqualsNoCase(strCategorie, "A"))
        return 1.0;
    if (core::EqualsNoCase(strCategorie, "B"))
        return 1.2;
    if (core::EqualsNoCase(strCategorie, "C"))
        return 1.5;
    return std::nullopt;
}

std::optional<double> FactorArt85(const std::string& strCategorie) {
    if (isCategory(strCategorie, "ABCDE"))
        return 1.0;
    return std::nullopt;
}

Suma SumaArt80(const Persoana& p, int iAn, int iLuna, const Constanta& cs) {
    return sumaISR(p, iAn, iLuna, cs, FactorArt80(p.strCategorie));
}

Suma SumaArt85(const Persoana& p, int iAn, int iLuna, const Constanta& cs) {
    const DataParts start = CitesteData(p.strDataStart);
    if (isCategory(p.strCategorie, "DE") && start.Number() < kData20081014) {
        const double fSMB1 = cs("SMB", start.iAn, start.iLuna);
        const double fSMB2 = cs("SMB", iAn, iLuna);
        const double fBaza = fSMB1 > fSMB2 ? fSMB1 : fSMB2;
        Suma r;
        if (fBaza < 0)
            r.strMotiv = lipsaConstanta("SMB", iAn, iLuna);
        else
            r.fSuma = proRata(fBaza, p.iNOL, p.iOre, 1.0);
        return r;
    }
    return sumaISR(p, iAn, iLuna, cs, FactorArt85(p.strCategorie));
}

Suma SumaBazaSMN(const Persoana& p, const Constanta& cs) {
    const DataParts ang = CitesteData(p.strDataAng);
    const double fSMN = cs("SMN", ang.iAn, ang.iLuna);
    Suma r;
    if (fSMN < 0) {
        r.strMotiv = lipsaConstanta("SMN", ang.iAn, ang.iLuna);
        return r;
    }
    double fBaza = Rotunjire(fSMN * 0.75, 0);
    if (fBaza > p.fSalariuConventie)
        fBaza = p.fSalariuConventie;
    r.fBaza = fBaza;
    if (p.iNOL != 0)
        r.fSuma = Rotunjire(p.iOre * fBaza / p.iNOL, 0);
    return r;
}

Suma SumaL72(const Persoana& p, int iAn, int iLuna, const Constanta& cs) {
    return sumaISR(p, iAn, iLuna, cs, 0.5);
}

std::optional<int> ZileL72(int iOre, int iNorma) {
    if (iNorma <= 0)
        return std::nullopt;
    return iOre / iNorma;
}

double SumaPlatita(const std::string& strVenit, const std::string& strVenitCBFS) {
    // The payroll's amounts are added as single-precision numbers and shown in whole lei.
    const float fVenit = static_cast<float>(CitesteDouble(strVenit));
    const float fCBFS = static_cast<float>(CitesteDouble(strVenitCBFS));
    return static_cast<double>(fVenit + fCBFS);
}

double Scutire(double fBaza, bool bFaraRotunjire) {
    return bFaraRotunjire ? std::floor(fBaza * kCotaScutire) : Rotunjire(fBaza * kCotaScutire, 0);
}

TotaluriScutire CalculTotaluri(const std::vector<RandScutire>& rows, bool bDoarAB,
                               bool bFaraRotunjire) {
    TotaluriScutire t;
    for (const RandScutire& r : rows) {
        t.P += r.fPlatit;
        if (r.fPlatit <= 0)
            continue;
        t.A1 += r.fSuma;
        if (r.strTasca == "2" && (!bDoarAB || isCategory(r.strCategorie, "AB")))
            t.B1 += r.fPlatit;
    }
    t.C1 = Scutire(t.B1, bFaraRotunjire);
    return t;
}

std::string LunileFaraSMN(const std::vector<std::string>& hiringDates, const Constanta& cs) {
    std::string strLuni;
    for (const std::string& strData : hiringDates) {
        const DataParts d = CitesteData(strData);
        if (cs("SMN", d.iAn, d.iLuna) != -1)
            continue;
        char sz[64];
        std::snprintf(sz, sizeof sz, "anul %d, luna %d", d.iAn, d.iLuna);
        if (!strLuni.empty())
            strLuni += ",\n";
        strLuni += sz;
    }
    return strLuni;
}

std::string MesajFaraSMN(const std::string& strLuni) {
    return "Pentru a continua este necesar definirea constantelor de sistem pentru\n" + strLuni +
           ".\nDupa definirea acestora este necesara oprirea si repornirea aplicatiei!";
}

} // namespace lawrules
