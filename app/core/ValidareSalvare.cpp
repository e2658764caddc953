#include "core/ValidareSalvare.h"

#include "core/ValueFunctions.h"

#include <cctype>
#include <cstdio>
#include <map>
#include <vector>

namespace {
// True when the convention period of the record covers at least one day of the month.
bool InLuna(const __tagDATECONVENTIIANGAJATOR& r, int iAn, int iLuna) {
    const int first = (iAn * 100 + iLuna) * 100 + 1;
    const int last = (iAn * 100 + iLuna) * 100 + 31;
    const int start = r.DateNumber(slot::DATA_START);
    const int end = r.DateNumber(slot::DATA_SFARSIT);
    return (start == 0 || start <= last) && (end == 0 || end >= first);
}
} // namespace

bool IsCNPValid(const std::string& strCNP) {
    static const int weights[12] = {2, 7, 9, 1, 4, 6, 3, 5, 8, 2, 7, 9};
    if (strCNP.size() != 13)
        return false;
    int sum = 0;
    for (size_t i = 0; i < 13; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(strCNP[i])))
            return false;
        if (i < 12)
            sum += (strCNP[i] - '0') * weights[i];
    }
    int check = sum % 11;
    if (check == 10)
        check = 1;
    return strCNP[12] - '0' == check;
}

bool IsTipMaCuPlata(int iTipMa) {
    return iTipMa == 13 || iTipMa == 14 || iTipMa == 22 || iTipMa == 23;
}

RezultatValidare VerificaSalvare(const _NDateConventiiAngajator& conventii, int iAn, int iLuna,
                                 double fSMB, double fFS) {
    RezultatValidare rez;
    std::string strCnp, strDublu, strOre;
    // Paying conventions per person, to find a person paid twice for the month.
    std::map<std::string, std::vector<const __tagDATECONVENTIIANGAJATOR*>> platite;
    for (int i = 0; i < conventii.GetCount(); ++i) {
        const __tagDATECONVENTIIANGAJATOR& r = *conventii.At(i);
        const char* nume = r[slot::NUME].c_str();
        const char* prenume = r[slot::PRENUME].c_str();
        const long ore = static_cast<long>(r.Number(slot::ORE_LUCRATE_IN_CONVENTIE));
        const long oreCbfs = static_cast<long>(r.Number(slot::ORE_CBFS));
        const double venitNoel = r.Number(slot::VENIT_BRUT_NOEL);
        const double venitConv = r.Number(slot::VENIT_BRUT_IN_CONVENTIE);
        const double venitCbfs = r.Number(slot::VENIT_BRUT_CBFS_CONV);

        if (ore > 0 && venitNoel == 0) {
            rez.strOprire = "Persoana " + r[slot::NUME] + " " + r[slot::PRENUME] +
                            " are completat pontaj dar nu are\ncompletat statul de plata "
                            "corespunzator.\nVa rugam sa completati statul de plata "
                            "corespunzator!";
            rez.tabOprire = RezultatValidare::Tab::StatDePlata;
            return rez;
        }
        if (ore == 0 && venitNoel > 0) {
            rez.strOprire = "Persoana " + r[slot::NUME] + " " + r[slot::PRENUME] +
                            " nu are completat pontaj dar are\ncompletat statul de plata "
                            "corespunzator.\nVa rugam sa completati pontajul corespunzator!";
            rez.tabOprire = RezultatValidare::Tab::Pontaj;
            return rez;
        }
        if (venitNoel > 0 && venitNoel < fSMB)
            rez.strAvertizari += core::Format("Persoana %s %s are venitul brut aferent NOL[%.0f] < "
                                              "SMB[%.0f]\n",
                                              nume, prenume, venitNoel, fSMB);
        if (oreCbfs > 0 && venitCbfs == 0)
            rez.strErori +=
                core::Format("Persoana %s %s are venitul brut aferent CBFS[%.0f] si ore "
                             "CBFS[%ld]\n",
                             nume, prenume, venitCbfs, oreCbfs);
        rez.fTotalVenituri += venitConv + venitCbfs;

        // Further checks, shown with the warnings.
        if (!IsCNPValid(r[slot::CNP_CORECT]))
            strCnp += core::Format("Persoana %s %s are CNP-ul [%s] cu cifra de control gresita\n",
                                   nume, prenume, r[slot::CNP_CORECT].c_str());
        if (ore > 0 && venitConv == 0)
            strOre += core::Format("Persoana %s %s are ore in perioada conventiei[%ld] dar nu are "
                                   "venit brut in perioada conventiei\n",
                                   nume, prenume, ore);
        if (oreCbfs == 0 && venitCbfs > 0)
            strOre += core::Format("Persoana %s %s are venitul brut aferent CBFS[%.0f] dar nu are "
                                   "ore CBFS\n",
                                   nume, prenume, venitCbfs);
        if (IsTipMaCuPlata(static_cast<int>(r.Number(slot::TIP_MA))) && InLuna(r, iAn, iLuna) &&
            !r[slot::CNP_CORECT].empty())
            platite[r[slot::CNP_CORECT]].push_back(&r);
    }
    for (int i = 0; i < conventii.GetCount(); ++i) {
        const __tagDATECONVENTIIANGAJATOR& r = *conventii.At(i);
        auto it = platite.find(r[slot::CNP_CORECT]);
        if (it == platite.end() || it->second.size() < 2 || it->second.front() != &r)
            continue; // one line per person, at the first of its conventions
        std::string ids;
        for (const auto* p : it->second)
            ids += (ids.empty() ? "" : ", ") + (*p)[slot::ID_MA];
        strDublu += core::Format(
            "Persoana %s %s (CNP %s) apare pe %d conventii cu subventie pentru "
            "aceeasi luna [%s]\n",
            r[slot::NUME].c_str(), r[slot::PRENUME].c_str(), r[slot::CNP_CORECT].c_str(),
            static_cast<int>(it->second.size()), ids.c_str());
    }
    rez.strAvertizari += strCnp + strDublu + strOre;
    if (rez.fTotalVenituri > fFS)
        rez.strFondSalarii =
            core::Format("Fondul de salarii introdus este mai mic decat %.0f totalul "
                         "introdus in statul de plata.\nVa rugam sa corectati fondul "
                         "de salarii.",
                         rez.fTotalVenituri);
    return rez;
}
