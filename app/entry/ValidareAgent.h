#pragma once
// The checks the employer editor runs before it saves, in the order the user meets them. The
// first check that fails names the field at fault and the message; the editor moves the focus
// there. No widgets here: the editor copies its fields into DateAgent.

#include <cstddef>
#include <string>
#include <vector>

struct ProprietateAgent {
    std::string strDenumire;    // as the grid shows it (ATN_PROPRIETATI_AGENTI.DENUMIRE)
    std::string strValoare;     // as typed
    std::string strObligatorie; // "DA" or "NU"
};

struct DateAgent {
    std::string strCIF;
    std::string strDenumire;
    std::string strJudet; // the county name chosen, "" when none is
    bool bCurent = false;
    bool bFaraRotunjire = false;
    std::vector<ProprietateAgent> proprietati;
};

enum class CampAgent { Niciunul, CIF, Denumire, Judet, Proprietate };

struct RezultatValidare {
    CampAgent camp = CampAgent::Niciunul;
    int iProprietate = -1; // index into proprietati when camp is Proprietate
    std::string strMesaj;
    bool Valid() const { return camp == CampAgent::Niciunul; }
};

RezultatValidare ValideazaAgent(const DateAgent& agent);

// The message one property row gets, "" when the row passes.
std::string VerificaProprietate(const ProprietateAgent& proprietate);

// "DA" or "NU" for a stored OBLIGATORIE: the text DA, or a number other than 0, is obligatory.
std::string TextObligatorie(const std::string& strStocat);

// Characters (code points) of a UTF-8 text. The limits are those of the database columns,
// which count characters, so a locality written with diacritics is not refused early.
std::size_t NumarCaractere(const std::string& strUtf8);
