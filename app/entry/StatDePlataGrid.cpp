#include "entry/StatDePlataGrid.h"

#include "widgets/XSimGrid.h"

#include <QColor>

namespace statplata {
namespace {

const char* const kAntete[ColCount] = {
    "CNP LUNG",
    "CNP",
    "Nume",
    "Nr. Ore Lucratoare (NOL)",
    "Nr. Ore in perioada de acordare a conventie",
    "Venit brut aferent NOL",
    "Venit brut val in perioada de valabilitate a conventiei (lunar)",
    "Venit Brut aferent CBFS in perioada conventiei",
    "Semnatura"};

const QColor kIntrare(55, 205, 0);

} // namespace

void BuildHeader(CXSimGrid& grid) {
    grid.InsertCols(1, ColCount);
    for (int c = 1; c <= ColCount; ++c) {
        grid.SetCellText(0, c, kAntete[c - 1]);
        grid.SetColumnName(c, QString::fromUtf8(kAntete[c - 1]));
    }
    grid.SetRowHeight(0, 90);
    grid.AutoFitColumns(0, 1, 0, 10);
}

void FormatGrid(CXSimGrid& grid) {
    grid.SetRedraw(false);
    grid.AutoFitColumns(0, 1, grid.GetRowCount(), grid.GetColCount());
    grid.SetColWidth(ColCnpLung, 0);
    for (int c : {ColCnpLung, ColCnp, ColNume, ColNol, ColOre, ColVenitConv})
        grid.SetLocked(CXSimGrid::ScopeColumn, 0, c, true);
    for (int c = ColNol; c <= ColSemnatura; ++c)
        grid.SetAlignment(CXSimGrid::ScopeColumn, 0, 0, c, 1);
    for (int c : {ColVenit, ColVenitCbfs}) {
        grid.SetInputColor(CXSimGrid::ScopeColumn, 1, c, kIntrare);
        grid.SetNumberFormat(CXSimGrid::ScopeColumn, 1, c, "######");
    }
    grid.SetRedraw(true);
}

std::string ColumnHelp(int iCol) {
    switch (iCol) {
    case ColCnp:
        return "Codul Numeric Personal";
    case ColNume:
        return "Numele persoanei";
    case ColNol:
        return "Numarul de ore total lucrate\r\nNOL";
    case ColOre:
        return "Se preia din Pontaj coloana F\r\n(Nr. ore totale lunare lucreate in perioada de "
               "acordare a conventiei si admise pentru deducere)";
    case ColVenit:
        return "Se introduce manual si va reprezenta doar valorile banesti.\r\n"
               "Validare pentru luna intreaga (NOL = NOEL) trebuie sa fie >= SMB\r\n"
               "Se face calcul si pt fractiune de luna.\r\n"
               "Reprezinta o valoare numerica fara zecimale.";
    case ColVenitConv:
        return "(Venit Brut / NOL) * Numar de ore in perioada de acordare a conventie.\r\n"
               "Coloanele: (F / D) * E";
    case ColVenitCbfs:
        return "Venit Brut aferent CBFS in perioada conventiei";
    case ColSemnatura:
        return "Observatii";
    default:
        return "";
    }
}

} // namespace statplata
