#include "entry/ValidareAgent.h"

#include "core/Lists.h"
#include "core/ValueFunctions.h"

#include <cstdlib>

namespace {

// Properties with a rule of their own: a length limit and, for codes, digits only. The name
// in the message is the property's own, whatever letter case the grid shows.
struct Regula {
    const char* szNume;
    std::size_t nMaxCaractere;
    bool bDoarCifre;
};

constexpr Regula kReguli[] = {
    {"CAEN", 4, true},
    {"COD_POSTAL", 10, true},
    {"TELEFON", 20, false},
    {"LOCALITATE", 60, false},
    {"EMAIL", 60, false},
    {"BANCA", 60, false},
    {"ADMINISTRATOR", 60, false},
};

} // namespace

std::size_t NumarCaractere(const std::string& strUtf8) {
    std::size_t n = 0;
    for (unsigned char c : strUtf8)
        if ((c & 0xC0) != 0x80) // continuation bytes belong to the character before them
            ++n;
    return n;
}

std::string TextObligatorie(const std::string& strStocat) {
    const std::string t = core::Trim(strStocat);
    if (core::EqualsNoCase(t, "DA"))
        return "DA";
    if (!t.empty() && IsNumeric(t) && std::strtoll(t.c_str(), nullptr, 10) != 0)
        return "DA";
    return "NU";
}

std::string VerificaProprietate(const ProprietateAgent& p) {
    const std::string& nume = p.strDenumire;
    const std::string& val = p.strValoare;
    if (core::EqualsNoCase(p.strObligatorie, "DA") && val.empty())
        return "Va rugam sa completati proprietatea: " + nume;
    // An account is checked even when it is optional: the agency pays into it.
    if (core::EqualsNoCase(nume, "IBAN"))
        return IsIBANValid(val) ? "" : "Va rugam sa completati un CONT IBAN valid!";
    for (const Regula& r : kReguli) {
        if (!core::EqualsNoCase(nume, r.szNume))
            continue;
        if (NumarCaractere(val) > r.nMaxCaractere)
            return std::string(r.szNume) + " poate sa aiba doar " +
                   std::to_string(r.nMaxCaractere) + " caractere!";
        if (r.bDoarCifre && !IsNumeric(val))
            return std::string(r.szNume) + " poate sa contina doar numere!";
        return "";
    }
    return "";
}

RezultatValidare ValideazaAgent(const DateAgent& a) {
    RezultatValidare r;
    if (a.strCIF.empty()) {
        r.camp = CampAgent::CIF;
        r.strMesaj = "Va rugam sa completati CIF-ul!";
    } else if (a.strDenumire.empty()) {
        r.camp = CampAgent::Denumire;
        r.strMesaj = "Va rugam sa completati denumirea agentului economic!";
    } else if (a.strJudet.empty()) {
        r.camp = CampAgent::Judet;
        r.strMesaj = "Va rugam sa selectati un JUDET!";
    } else {
        for (std::size_t i = 0; i < a.proprietati.size(); ++i) {
            std::string mesaj = VerificaProprietate(a.proprietati[i]);
            if (!mesaj.empty()) {
                r.camp = CampAgent::Proprietate;
                r.iProprietate = static_cast<int>(i);
                r.strMesaj = std::move(mesaj);
                break;
            }
        }
    }
    return r;
}
