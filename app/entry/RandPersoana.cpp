#include "entry/RandPersoana.h"

#include "platform/MessageBox.h"
#include "widgets/XSimGrid.h"

#include <string>

void EliminaLinieAdaugata(CXSimGrid& g, int iPrimulRand, int iColCnpLung, int iColNume) {
    int iRow = 0;
    bool bFound = false;
    g.GetCurrentRow(iRow, bFound);
    if (!bFound || iRow < iPrimulRand)
        return;
    if (g.GetCellText(iRow, iColCnpLung).isEmpty()) {
        if (platform::ShowMessage("Confirmati stergerea liniei curente?", "VORTAPL",
                                  platform::Icon::Error,
                                  platform::Buttons::YesNo) != platform::Answer::No)
            g.DeleteRow(iRow);
        return;
    }
    platform::ShowMessage("Persoana " + GetCellText(g, iRow, iColNume) +
                              " nu poate fi stearsa din lista\ndeoarece apare pe cel putin o "
                              "conventie!",
                          "VORTAPL", platform::Icon::Error);
}

bool CopiazaInConventie(CXSimGrid& g, int iRow, __tagDATECONVENTIIANGAJATOR& rec,
                        std::initializer_list<std::pair<int, int>> sloturi) {
    bool bChanged = false;
    for (auto [iSlot, iCol] : sloturi) {
        std::string v = GetCellText(g, iRow, iCol);
        if (rec[iSlot] != v) {
            rec[iSlot] = std::move(v);
            bChanged = true;
        }
    }
    return bChanged;
}
