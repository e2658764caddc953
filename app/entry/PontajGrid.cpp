#include "entry/PontajGrid.h"

#include "entry/IndexConventii.h"
#include "widgets/XSimGrid.h"

#include <QColor>
#include <QDate>

namespace pontaj {
namespace {

const QColor kNelucratoareFond(230, 230, 0);
const QColor kNelucratoareText(183, 0, 0);
const QColor kInAfaraFond(183, 0, 0);
const QColor kInAfaraText(230, 230, 0);

const char* const kZileSaptamana[] = {"luni",   "marti",   "miercuri", "joi",
                                      "vineri", "sambata", "duminica"};

struct Antet {
    int iCol;
    const char* szText;
};

QString NumeColoana(const char* szText) {
    return QString::fromUtf8(szText).replace(u'\n', u' ');
}

} // namespace

void BuildHeader(CXSimGrid& grid, const LunaLucru& luna) {
    const int D = luna.iZile;
    grid.SetRedraw(false);
    grid.InsertCols(1, D + 9);
    grid.InsertRows(1, 1);
    grid.SetHeaderFreeze(1, 1);
    grid.SetCellText(1, 0, "");
    grid.MergeCells(0, 0, 1, 0);
    const Antet antete[] = {{ColCnpLung, "CNP LUNG"},
                            {ColCnp, "CNP"},
                            {ColNume, "Nume"},
                            {ColMax(D), "Max pe\nperioada\nconventiei"},
                            {ColNorma(D), "Nr ore\nnorma"},
                            {ColLucrate(D), "Nr ore\ntotal lucrate in\nperioada\nconventiei"},
                            {ColCbfs(D), "Nr ore cu\nconcediu\nmedical CBFS"},
                            {ColCass(D), "Nr ore cu\nconcediu\nmedical CASS"},
                            {ColNol(D), "NOL"}};
    for (const Antet& a : antete) {
        grid.SetCellText(0, a.iCol, a.szText);
        grid.MergeCells(0, a.iCol, 1, a.iCol);
        grid.SetColumnName(a.iCol, NumeColoana(a.szText));
    }
    grid.SetCellText(0, ColZi(1), "Zile in perioada conventiei");
    grid.MergeCells(0, ColZi(1), 0, ColZi(D));
    for (int d = 1; d <= D; ++d) {
        grid.SetCellText(1, ColZi(d), QString::number(d));
        // A screen reader says the day with its weekday, not a bare number.
        const int iZiSapt = QDate(luna.iAn, luna.iLuna, d).dayOfWeek();
        grid.SetColumnName(ColZi(d), QStringLiteral("Ziua %1, %2")
                                         .arg(d)
                                         .arg(QString::fromUtf8(kZileSaptamana[iZiSapt - 1])));
    }
    grid.SetRedraw(true);
}

void MarkDays(CXSimGrid& grid, const LunaLucru& luna, const IndexConventii& conventii) {
    const int D = luna.iZile;
    const int R = grid.GetRowCount();
    grid.SetRedraw(false);
    for (int d = 1; d <= D; ++d) {
        if (!luna.IsNelucratoare(d) || R < kPrimulRand)
            continue;
        const int c = ColZi(d);
        for (int r = kPrimulRand; r <= R; ++r) {
            const QString text = grid.GetCellText(r, c);
            if (text.isEmpty() || text == "0")
                grid.SetCellText(r, c, "X");
            grid.SetAlignment(CXSimGrid::ScopeCell, 0, r, c, 1);
            grid.SetCellBackColor(CXSimGrid::ScopeCell, r, c, kNelucratoareFond);
        }
        grid.SetRangeFont(kPrimulRand, c, R, c, kNelucratoareText, true);
    }
    for (int r = kPrimulRand; r <= R; ++r) {
        const QString key = grid.GetCellText(r, ColCnpLung);
        if (key.isEmpty())
            continue;
        const __tagDATECONVENTIIANGAJATOR* rec = conventii.Find(key);
        const int iStart = rec ? rec->DateNumber(slot::DATA_START) : 0;
        const int iSfarsit = rec ? rec->DateNumber(slot::DATA_SFARSIT) : 0;
        for (int d = 1; d <= D; ++d) {
            if (rec && IsInPeriod(luna.Data(d), iStart, iSfarsit))
                continue;
            const int c = ColZi(d);
            grid.SetCellText(r, c, luna.IsNelucratoare(d) ? "X" : "0");
            grid.SetCellBackColor(CXSimGrid::ScopeCell, r, c, kInAfaraFond);
            grid.SetRangeFont(r, c, r, c, kInAfaraText, true);
            grid.SetLocked(CXSimGrid::ScopeCell, r, c, true);
        }
    }
    grid.SetRedraw(true);
}

void FormatGrid(CXSimGrid& grid, int D) {
    const int R = grid.GetRowCount();
    const int C = ColNol(D);
    grid.SetRedraw(false);
    grid.AutoFitColumns(kPrimulRand, 1, R, 3);
    grid.AutoFitColumns(0, 2, R, C);
    for (int d = 1; d <= D; ++d)
        grid.SetColWidth(ColZi(d), 24);
    grid.SetRowHeight(0, 35);
    grid.SetRowHeight(1, 35);
    grid.SetColWidth(ColCnpLung, 0);
    if (R >= kPrimulRand) {
        for (int c : {ColCnpLung, ColCnp, ColNume, ColMax(D), ColLucrate(D), ColCbfs(D), ColCass(D),
                      ColNol(D)})
            grid.SetLocked(CXSimGrid::ScopeColumn, 0, c, true);
        // A row added by hand has no convention to take its person from: its code and name
        // are typed, however often the grid is formatted again.
        for (int r = kPrimulRand; r <= R; ++r)
            if (grid.GetCellText(r, ColCnpLung).isEmpty()) {
                grid.SetLocked(CXSimGrid::ScopeCell, r, ColCnp, false);
                grid.SetLocked(CXSimGrid::ScopeCell, r, ColNume, false);
            }
    }
    for (int c = ColZi(1); c <= C; ++c)
        grid.SetAlignment(CXSimGrid::ScopeColumn, 0, 0, c, 1);
    grid.SetRedraw(true);
}

std::string ColumnHelp(int iCol, int D) {
    if (iCol == ColCnp)
        return "Codul Numeric Personal";
    if (iCol == ColNume)
        return "Numele persoanei";
    if (iCol >= ColZi(1) && iCol <= ColZi(D))
        return "Ziua " + std::to_string(iCol - 3) +
               " din luna de raportare. Se completeaza doar pentru zilele aflate in perioade de "
               "conventie astfel: "
               "\r\n  1-24 : Valoare numerica numarul de ore"
               "\r\n  0  (zero): Absent nemotivat/Concediu fara plata"
               "\r\n  -1 (minus unu): Concediu de odihna\n"
               "\r\n  -2 (minus doi): Daca este in concediu medical din fond de salarii CBFS"
               "\r\n  -3 (minus trei): Daca este in concediu medical din cass CBCASS"
               "\r\n  -4 (minus patru): Zile libere in compensatie conform legii"
               "\r\n\r\nDaca celula este marcata cu X inseamna ca este o zi de sambata sau "
               "duminica sau sarbatoare legala.";
    if (iCol == ColMax(D))
        return "Numarul maxim de ore pe perioada de valabilitate a conventiei (lunare) "
               "in functie de norma de lucru. (Numarul de zile din perioada inmultit cu norma)";
    if (iCol == ColNorma(D))
        return "Numarul de ore din norma. Se introduce prima data dupa care este preluat la "
               "fiecare luna.";
    if (iCol == ColLucrate(D))
        return "Nr. ore totale lunare lucreate in perioada de acordare a conventiei si admise "
               "pentru deducere\r\n"
               "Se calculeaza astfel: \r\n- Suma totala de ore lucrate in perioada conventiei "
               "sau maximul, din care se scad nemotivatele sau CBFS sau CBCSS ( codurile: 0, "
               "-1, -2)";
    if (iCol == ColCbfs(D))
        return "Numarul total de ore pt concediu medical din fond salariu (CBFS)";
    if (iCol == ColCass(D))
        return "Numarul total de ore pt concediu medical din fond salariu (CBCASS)";
    if (iCol == ColNol(D))
        return "Numarul de zile lucratoare * norma";
    return "";
}

} // namespace pontaj
