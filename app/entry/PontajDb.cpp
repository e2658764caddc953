#include "entry/PontajDb.h"

#include "core/Database.h"
#include "core/DetailId.h"
#include "entry/IndexConventii.h"
#include "entry/PontajGrid.h"
#include "entry/ValoriDetaliu.h"
#include "widgets/XSimGrid.h"

#include <cstdio>

namespace pontaj {
namespace {

std::string NumeZi(int d) {
    char sz[16];
    std::snprintf(sz, sizeof sz, "Z%02d", d);
    return sz;
}

} // namespace

void InsertRows(core::Transaction& tr, CXSimGrid& grid, const LunaLucru& luna,
                const std::string& strCIF) {
    const int D = luna.iZile;
    std::string sql = "INSERT INTO ATO_RAPORTARE_PONTAJ (ID,AN,LN,CIF,CNP,CNP_CORECT,NUME";
    for (int d = 1; d <= D; ++d)
        sql += ", " + NumeZi(d);
    sql += ", MAX_PE_PERIOADA, NORMA, ORE_LUCRATE_IN_CONVENTIE, ORE_CBFS, ORE_CASS, NOEL)"
           " VALUES ( ?, ?, ?, ?, ?, ?, ?";
    for (int i = 0; i < D + 6; ++i)
        sql += ", ?";
    sql += ")";

    core::Statement st(tr);
    for (int r = kPrimulRand; r <= grid.GetRowCount(); ++r) {
        const std::int64_t iCnp = detaliu::CnpCorect(GetCellText(grid, r, ColCnp), r - 1);
        std::vector<core::Value> v;
        v.reserve(static_cast<size_t>(D) + 13);
        v.emplace_back(core::NextDetailId(tr, "ATO_RAPORTARE_PONTAJ"));
        v.emplace_back(std::int64_t(luna.iAn));
        v.emplace_back(std::int64_t(luna.iLuna));
        v.emplace_back(strCIF);
        v.emplace_back(detaliu::CnpLung(GetCellText(grid, r, ColCnpLung)));
        v.emplace_back(iCnp);
        v.emplace_back(GetCellText(grid, r, ColNume));
        // A day is stored as the code the next recomputation would leave in it: "X" and any
        // code the day does not accept count as 0, like an empty day.
        for (int d = 1; d <= D; ++d) {
            const std::string cod = GetCellText(grid, r, ColZi(d));
            v.emplace_back(IsValidDayCode(cod, luna.IsNelucratoare(d)) ? detaliu::Intreg(cod)
                                                                       : std::int64_t(0));
        }
        for (int c = ColMax(D); c <= ColNol(D); ++c)
            v.emplace_back(detaliu::Intreg(GetCellText(grid, r, c)));
        st.Execute(sql, v);
    }
}

void ReadRows(core::Statement& st, CXSimGrid& grid, const LunaLucru& luna,
              const std::string& strCIF, const IndexConventii& conventii) {
    const int D = luna.iZile;
    st.Execute("SELECT * FROM ATO_RAPORTARE_PONTAJ WHERE  AN = ? AND LN = ? AND CIF = ? ",
               {std::int64_t(luna.iAn), std::int64_t(luna.iLuna), strCIF});
    static const char* const kTotaluri[] = {
        "MAX_PE_PERIOADA", "NORMA", "ORE_LUCRATE_IN_CONVENTIE", "ORE_CBFS", "ORE_CASS", "NOEL"};
    while (st.Fetch()) {
        const int r = grid.GetRowCount() + 1;
        grid.InsertRows(r, 1);
        grid.SetCellText(r, 0, std::to_string(r - 1));
        const double fCnp = st.GetDouble("CNP");
        grid.SetCellText(r, ColCnpLung, fCnp > 0 ? detaliu::Format0(fCnp) : std::string());
        grid.SetCellText(r, ColCnp, detaliu::Format0(st.GetDouble("CNP_CORECT")));
        grid.SetCellText(r, ColNume, st.GetText("NUME"));
        for (int d = 1; d <= D; ++d)
            grid.SetCellText(r, ColZi(d), std::to_string(st.GetInt(NumeZi(d))));
        std::string tot[6];
        for (int i = 0; i < 6; ++i) {
            tot[i] = std::to_string(st.GetInt(kTotaluri[i]));
            grid.SetCellText(r, ColMax(D) + i, tot[i]);
        }
        if (__tagDATECONVENTIIANGAJATOR* rec = conventii.Find(grid.GetCellText(r, ColCnpLung))) {
            (*rec)[slot::MAX_PE_PERIOADA] = tot[0];
            (*rec)[slot::NORMA] = tot[1];
            (*rec)[slot::ORE_LUCRATE_IN_CONVENTIE] = tot[2];
            (*rec)[slot::ORE_CBFS] = tot[3];
            (*rec)[slot::NOL] = tot[5];
        }
    }
}

void ReadLastNorms(core::Statement& st, const LunaLucru& luna, const std::string& strCIF,
                   NormeSalvate& norme) {
    const std::int64_t iLuna = luna.iAn * 100 + luna.iLuna;
    st.Execute("SELECT CNP, CNP_CORECT, NORMA FROM ATO_RAPORTARE_PONTAJ WHERE CIF = ? AND "
               "AN * 100 + LN = (SELECT MAX(AN * 100 + LN) FROM ATO_RAPORTARE_PONTAJ "
               "WHERE CIF = ? AND AN * 100 + LN < ?)",
               {strCIF, strCIF, iLuna});
    while (st.Fetch()) {
        if (st.IsNull("NORMA"))
            continue;
        const std::string strNorma = std::to_string(st.GetInt("NORMA"));
        if (!IsNormaValida(strNorma))
            continue;
        const double fCnp = st.GetDouble("CNP");
        if (fCnp > 0)
            norme.dupaCnpLung.emplace(detaliu::Format0(fCnp), strNorma);
        norme.dupaCnp.emplace(detaliu::Format0(st.GetDouble("CNP_CORECT")), strNorma);
    }
}

} // namespace pontaj
