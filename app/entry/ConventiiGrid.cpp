#include "entry/ConventiiGrid.h"

#include "core/Database.h"
#include "core/ValueFunctions.h"
#include "widgets/XSimGrid.h"

#include <cstdio>

namespace conventii {

const std::array<Coloana, kColCount> kColoane = {{
    {"CIF", true},
    {"CNP", true},
    {"CNP_CORECT", false},
    {"NUME", false},
    {"PRENUME", false},
    {"ID_PERS", false},
    {"STARE_PERS", true},
    {"STARE PERS", false},
    {"DATA_STARE", false},
    {"INFO_STARE", false},
    {"DATA_PENS", false},
    {"DATA_ANG", false},
    {"CATEGORIE_PERS", true},
    {"CATEGORIE PERS", false},
    {"ID_MA", false},
    {"TIP_MA", true},
    {"TIP MA", false},
    {"DATA_START", false},
    {"DATA_SFARSIT", false},
    {"DOC_NR", false},
    {"DOC_DATA", false},
    {"STARE_MA", true},
    {"STARE MA", false},
    {"DOC_NUME_PERS", false},
    {"DOC_NUME_FUNCTIE", false},
    {"TIPCM", false},
    {"SUMA_BAZA_CALCUL_L116", false},
}};

namespace {

std::string Intreg(const core::Statement& st, const char* szColoana) {
    return std::to_string(st.GetInt64(szColoana));
}

std::string Suma(const core::Statement& st, const char* szColoana) {
    char sz[64];
    std::snprintf(sz, sizeof sz, "%.0f", Rotunjire(st.GetDouble(szColoana), 0) + 0.0);
    return sz;
}

} // namespace

std::string TextData(const core::Statement& st, const char* szColoana) {
    if (st.IsNull(szColoana))
        return {};
    const core::Date d = st.GetDate(szColoana);
    char sz[32];
    std::snprintf(sz, sizeof sz, "%d-%02d-%02d", d.year, d.month, d.day);
    return sz;
}

RandConventie CitesteRand(const core::Statement& st) {
    RandConventie r;
    auto& c = r.celule;
    c[0] = st.GetText("CIF");
    c[1] = Intreg(st, "CNP");
    c[2] = Intreg(st, "CNP_CORECT");
    c[3] = st.GetText("NUME");
    c[4] = st.GetText("PRENUME");
    c[5] = Intreg(st, "ID_PERS");
    c[6] = Intreg(st, "STARE_PERS");
    c[7] = st.GetText("DESC_STARE_PERS");
    c[8] = TextData(st, "DATA_STARE");
    c[9] = st.GetText("INFO_STARE");
    c[10] = TextData(st, "DATA_PENS");
    c[11] = TextData(st, "DATA_ANG");
    c[12] = st.GetText("CATEGORIE_PERS");
    c[13] = c[12];
    c[14] = Intreg(st, "ID_MA");
    c[15] = Intreg(st, "TIP_MA");
    c[16] = st.GetText("DESC_TIP_MA");
    c[17] = TextData(st, "DATA_START");
    c[18] = TextData(st, "DATA_SFARSIT");
    c[19] = st.GetText("DOC_NR");
    c[20] = TextData(st, "DOC_DATA");
    c[21] = Intreg(st, "STARE_MA");
    c[22] = st.GetText("DESC_STARE_MA");
    c[23] = st.GetText("DOC_NUME_PERS");
    c[24] = st.GetText("DOC_NUME_FUNCTIE");
    c[25] = Intreg(st, "TIPCM");
    c[26] = Suma(st, "SUMA_BAZA_CALCUL_L116");

    r.pRecord = std::make_unique<__tagDATECONVENTIIANGAJATOR>();
    auto& s = *r.pRecord;
    s[slot::CNP] = c[1];
    s[slot::CNP_CORECT] = c[2];
    s[slot::NUME] = c[3];
    s[slot::PRENUME] = c[4];
    s[slot::ID_PERS] = c[5];
    s[slot::DATA_START] = c[17];
    s[slot::DATA_SFARSIT] = c[18];
    s[slot::DATA_PENS] = c[10];
    s[slot::DATA_ANG] = c[11];
    s[slot::CATEGORIE_PERS] = c[12];
    s[slot::ID_MA] = c[14];
    s[slot::TIP_MA] = c[15];
    s[slot::STARE_MA] = c[21];
    s[slot::STARE_PERS] = c[6];
    s[slot::TIPCM] = c[25];
    s[slot::SUMA_BAZA_CALCUL_L116] = c[26];
    s[slot::DOC_NR] = c[19];
    s[slot::DOC_DATA] = c[20];
    return r;
}

void InterogheazaConventii(core::Statement& st, const std::string& strCIF, int iAnul, int iLuna,
                           const std::function<void(const core::Statement&)>& fn) {
    st.Execute("SELECT A.*,B.stare AS DESC_STARE_PERS, C.tip_ma as DESC_TIP_MA, D.STARE AS "
               "DESC_STARE_MA \tFROM ATO_INFO_CONVENTII A, ATN_STARI_MA_PERSOANE B, ATN_TIP_MA "
               "C, atn_stari_ma D \tWHERE A.CIF = ? AND A.stare_pers = B.stare_pers AND A.tip_ma "
               "= c.id_tip_ma AND A.stare_ma = D.stare_ma  AND A.STARE_MA > 0 AND (A.STARE_PERS "
               "= 0 OR A.STARE_PERS > 0) AND A.DATA_SFARSIT >= ? ORDER BY TIP_MA, ID_MA, CNP ",
               {strCIF, core::Date{iAnul, iLuna, 1}});
    while (st.Fetch())
        fn(st);
}

void PregatesteGrid(CXSimGrid& g) {
    g.Clear(3);
    g.InsertCols(1, kColCount);
    for (int c = 1; c <= kColCount; ++c)
        g.SetCellText(0, c, kColoane[static_cast<size_t>(c - 1)].szTitlu);
}

void FormateazaGrid(CXSimGrid& g) {
    g.AutoFitColumns(0, 1, g.GetRowCount(), g.GetColCount());
    for (int c = 1; c <= kColCount; ++c)
        if (kColoane[static_cast<size_t>(c - 1)].bAscunsa)
            g.SetColWidth(c, 0);
    if (g.GetRowCount() > 0)
        g.SetLocked(CXSimGrid::ScopeGrid, 0, 0, true);
}

} // namespace conventii
