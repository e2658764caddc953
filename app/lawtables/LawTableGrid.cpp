// The layout of a law table's grid: headers, total rows, widths, alignment and locks.

#include "lawtables/LawTablePage.h"

#include "core/VORTAPLApp.h"
#include "widgets/XSimGrid.h"

void CLawTablePage::SetHeaders() {
    CXSimGrid& g = *m_pGrid;
    g.SetRedraw(false);
    g.Clear(3);
    m_iTotalRows = 0;
    m_motive.clear();
    m_fisaIncarcata.clear();
    g.InsertCols(1, static_cast<int>(m_def.coloane.size()));
    for (size_t c = 0; c < m_def.coloane.size(); ++c)
        g.SetCellText(0, static_cast<int>(c) + 1, QString::fromUtf8(m_def.coloane[c].szAntet));
    g.SetRedraw(true);
}

void CLawTablePage::AddTotalRows() {
    if (m_def.totaluri.empty() || m_iTotalRows > 0)
        return;
    CXSimGrid& g = *m_pGrid;
    const int C = g.GetColCount();
    const int first = g.GetRowCount() + 1;
    g.InsertRows(first, static_cast<int>(m_def.totaluri.size()));
    for (size_t i = 0; i < m_def.totaluri.size(); ++i) {
        const int r = first + static_cast<int>(i);
        g.SetCellText(r, 2, QString::fromUtf8(m_def.totaluri[i].szEticheta));
        g.MergeCells(r, 2, r, m_def.totaluri[i].iUltimaColoanaEticheta);
        g.MergeCells(r, 8, r, C);
        g.SetAlignment(CXSimGrid::ScopeRow, 0, r, 2, 0);
        g.SetLocked(CXSimGrid::ScopeRow, r, 2, true);
        g.SetRangeFont(r, 2, r, C, CXSimColor(0), true);
    }
    m_iTotalRows = static_cast<int>(m_def.totaluri.size());
}

void CLawTablePage::FormatGrid() {
    CXSimGrid& g = *m_pGrid;
    const lawtable::Format& f = m_def.format;
    const int R = g.GetRowCount();
    const int C = g.GetColCount();
    g.SetRedraw(false);
    g.SetRowHeight(0, f.iInaltimeAntet);
    g.AutoFitColumns(0, 2, R, C);
    for (const auto& [col, width] : f.latimi)
        g.SetColWidth(col, width);
    for (int col : f.centrate)
        g.SetAlignment(CXSimGrid::ScopeColumn, 0, 0, col, 1);
    if (!f.bBlocareDoarCuRanduri || R > 0)
        for (int col : f.blocate)
            g.SetLocked(CXSimGrid::ScopeColumn, 0, col, true);
    // A finalized month stays read-only whichever of its notifications came first.
    if (theApp().m_bLunaFinala)
        g.SetLocked(CXSimGrid::ScopeGrid, 0, 0, true);
    g.SetRedraw(true);
}
