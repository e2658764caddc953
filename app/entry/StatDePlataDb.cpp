#include "entry/StatDePlataDb.h"

#include "core/Database.h"
#include "core/DetailId.h"
#include "entry/IndexConventii.h"
#include "entry/StatDePlataGrid.h"
#include "entry/ValoriDetaliu.h"
#include "widgets/XSimGrid.h"

namespace statplata {

void InsertRows(core::Transaction& tr, CXSimGrid& grid, int iAn, int iLuna,
                const std::string& strCIF) {
    const std::string sql =
        "INSERT INTO ATO_RAPORTARE_STATDEPLATA (ID,AN,LN,CIF,CNP,CNP_CORECT,NUME"
        ", NOEL, ORE_IN_CONVENTIE, VENIT_BRUT_NOEL, VENIT_BRUT_IN_CONVENTIE"
        ", VENIT_BRUT_CBFS_CONV, SEMNATURA)"
        " VALUES ( ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ? )";
    core::Statement st(tr);
    for (int r = 1; r <= grid.GetRowCount(); ++r) {
        auto cell = [&](int c) { return GetCellText(grid, r, c); };
        st.Execute(sql, {core::NextDetailId(tr, "ATO_RAPORTARE_STATDEPLATA"), std::int64_t(iAn),
                         std::int64_t(iLuna), strCIF, detaliu::CnpLung(cell(ColCnpLung)),
                         detaliu::CnpCorect(cell(ColCnp), r), cell(ColNume),
                         detaliu::Intreg(cell(ColNol)), detaliu::Intreg(cell(ColOre)),
                         detaliu::Suma(cell(ColVenit)), detaliu::Suma(cell(ColVenitConv)),
                         detaliu::Suma(cell(ColVenitCbfs)), cell(ColSemnatura)});
    }
}

void ReadRows(core::Statement& st, CXSimGrid& grid, int iAn, int iLuna, const std::string& strCIF,
              const IndexConventii& conventii) {
    st.Execute("SELECT * FROM ATO_RAPORTARE_STATDEPLATA WHERE  AN = ? AND LN = ? AND CIF = ? ",
               {std::int64_t(iAn), std::int64_t(iLuna), strCIF});
    while (st.Fetch()) {
        const int r = grid.GetRowCount() + 1;
        grid.InsertRows(r, 1);
        const double fCnp = st.GetDouble("CNP");
        grid.SetCellText(r, ColCnpLung, fCnp > 0 ? detaliu::Format0(fCnp) : std::string());
        grid.SetCellText(r, ColCnp, detaliu::Format0(st.GetDouble("CNP_CORECT")));
        grid.SetCellText(r, ColNume, st.GetText("NUME"));
        grid.SetCellText(r, ColNol, std::to_string(st.GetInt("NOEL")));
        grid.SetCellText(r, ColOre, std::to_string(st.GetInt("ORE_IN_CONVENTIE")));
        const std::string venit = detaliu::Format0(st.GetDouble("VENIT_BRUT_NOEL"));
        const std::string venitConv = detaliu::Format0(st.GetDouble("VENIT_BRUT_IN_CONVENTIE"));
        const std::string venitCbfs = detaliu::Format0(st.GetDouble("VENIT_BRUT_CBFS_CONV"));
        grid.SetCellText(r, ColVenit, venit);
        grid.SetCellText(r, ColVenitConv, venitConv);
        grid.SetCellText(r, ColVenitCbfs, venitCbfs);
        grid.SetCellText(r, ColSemnatura, st.IsNull("SEMNATURA") ? "" : st.GetText("SEMNATURA"));
        if (__tagDATECONVENTIIANGAJATOR* rec = conventii.Find(grid.GetCellText(r, ColCnpLung))) {
            (*rec)[slot::VENIT_BRUT_NOEL] = venit;
            (*rec)[slot::VENIT_BRUT_IN_CONVENTIE] = venitConv;
            (*rec)[slot::VENIT_BRUT_CBFS_CONV] = venitCbfs;
        }
    }
}

} // namespace statplata
