#include "entry/ValidareAgent.h"

#include <gtest/gtest.h>

namespace {
const char* kIban = "RO49AAAA1B31007593840000"; // a valid account number

DateAgent ValidAgent() {
    DateAgent a;
    a.strCIF = "12345678";
    a.strDenumire = "ALFA SRL";
    a.strJudet = "CLUJ";
    a.proprietati = {{"ADRESA", "STR. LUNGA 1", "DA"},
                     {"CAEN", "6201", "DA"},
                     {"IBAN", kIban, "DA"},
                     {"TELEFON", "", "NU"}};
    return a;
}
} // namespace

TEST(ValidareAgent, PropertyRules) {
    const std::string s60(60, 'x'), s61(61, 'x');
    // 60 characters with diacritics: 90 bytes, still within the 60 characters of the column.
    std::string dia60;
    for (int i = 0; i < 30; ++i)
        dia60 += "ăș";
    struct Case {
        const char *nume, *flag;
        std::string valoare;
        const char* mesaj;
    } cases[] = {
        {"ADRESA", "DA", "", "Va rugam sa completati proprietatea: ADRESA"},
        {"Adresa", "da", "", "Va rugam sa completati proprietatea: Adresa"},
        {"ADRESA", "NU", "", ""},
        {"ADRESA", "DA", std::string(200, 'a'), ""}, // no rule of its own
        {"IBAN", "DA", kIban, ""},
        {"iban", "NU", "ro49aaaa1b31007593840000", ""},                   // any letter case
        {"IBAN", "NU", "", "Va rugam sa completati un CONT IBAN valid!"}, // optional, still checked
        {"IBAN", "DA", "", "Va rugam sa completati proprietatea: IBAN"},
        {"IBAN", "DA", "RO49AAAA1B31007593840001", "Va rugam sa completati un CONT IBAN valid!"},
        {"IBAN", "DA", "RO49AAAA1B3100759384000", "Va rugam sa completati un CONT IBAN valid!"},
        {"CAEN", "DA", "6201", ""},
        {"CAEN", "NU", "", ""},
        {"CAEN", "DA", "62011", "CAEN poate sa aiba doar 4 caractere!"},
        {"CAEN", "DA", "ABCDE", "CAEN poate sa aiba doar 4 caractere!"}, // length comes first
        {"CAEN", "DA", "12A4", "CAEN poate sa contina doar numere!"},
        {"caen", "DA", "12 4", "CAEN poate sa contina doar numere!"},
        {"COD_POSTAL", "NU", "", ""},
        {"COD_POSTAL", "NU", "4000011234", ""},
        {"COD_POSTAL", "NU", "40000112345", "COD_POSTAL poate sa aiba doar 10 caractere!"},
        {"COD_POSTAL", "NU", "40A001", "COD_POSTAL poate sa contina doar numere!"},
        {"TELEFON", "NU", std::string(20, '1'), ""},
        {"TELEFON", "NU", std::string(21, '1'), "TELEFON poate sa aiba doar 20 caractere!"},
        {"TELEFON", "NU", "+40 (264) 123-456", ""}, // not a code: any characters
        {"LOCALITATE", "DA", dia60, ""},
        {"LOCALITATE", "DA", dia60 + "a", "LOCALITATE poate sa aiba doar 60 caractere!"},
        {"EMAIL", "NU", s61, "EMAIL poate sa aiba doar 60 caractere!"},
        {"BANCA", "DA", s60, ""},
        {"BANCA", "DA", s61, "BANCA poate sa aiba doar 60 caractere!"},
        {"ADMINISTRATOR", "DA", s61, "ADMINISTRATOR poate sa aiba doar 60 caractere!"},
        {"administrator", "DA", s61, "ADMINISTRATOR poate sa aiba doar 60 caractere!"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(VerificaProprietate({c.nume, c.valoare, c.flag}), c.mesaj)
            << c.nume << " / " << c.flag << " / " << c.valoare;
}

TEST(ValidareAgent, FirstFailingCheckWinsInTheUsersOrder) {
    EXPECT_TRUE(ValideazaAgent(ValidAgent()).Valid());
    struct Case {
        void (*change)(DateAgent&);
        CampAgent camp;
        int iProprietate;
        const char* mesaj;
    } cases[] = {
        {[](DateAgent& a) {
             a.strCIF.clear();
             a.strDenumire.clear();
             a.strJudet.clear();
         },
         CampAgent::CIF, -1, "Va rugam sa completati CIF-ul!"},
        {[](DateAgent& a) {
             a.strDenumire.clear();
             a.strJudet.clear();
             a.proprietati[0].strValoare.clear();
         },
         CampAgent::Denumire, -1, "Va rugam sa completati denumirea agentului economic!"},
        {[](DateAgent& a) {
             a.strJudet.clear();
             a.proprietati[0].strValoare.clear();
         },
         CampAgent::Judet, -1, "Va rugam sa selectati un JUDET!"},
        {[](DateAgent& a) {
             a.proprietati[1].strValoare = "12A4";
             a.proprietati[2].strValoare = "";
         },
         CampAgent::Proprietate, 1, "CAEN poate sa contina doar numere!"},
        {[](DateAgent& a) { a.proprietati[3].strValoare = std::string(21, '0'); },
         CampAgent::Proprietate, 3, "TELEFON poate sa aiba doar 20 caractere!"},
    };
    for (const Case& c : cases) {
        DateAgent a = ValidAgent();
        c.change(a);
        const RezultatValidare r = ValideazaAgent(a);
        EXPECT_FALSE(r.Valid()) << c.mesaj;
        EXPECT_EQ(r.camp, c.camp) << c.mesaj;
        EXPECT_EQ(r.iProprietate, c.iProprietate) << c.mesaj;
        EXPECT_EQ(r.strMesaj, c.mesaj);
    }
}

TEST(ValidareAgent, ObligatoryFlagFromTheStoredText) {
    struct Case {
        const char *stocat, *flag;
    } cases[] = {{"DA", "DA"}, {"da", "DA"}, {" DA ", "DA"}, {"NU", "NU"}, {"", "NU"},
                 {"1", "DA"},  {"2", "DA"},  {"0", "NU"},    {"00", "NU"}, {"X", "NU"}};
    for (const Case& c : cases)
        EXPECT_EQ(TextObligatorie(c.stocat), c.flag) << "'" << c.stocat << "'";
    EXPECT_EQ(NumarCaractere("ăâîșț"), 5u);
    EXPECT_EQ(NumarCaractere(""), 0u);
}
