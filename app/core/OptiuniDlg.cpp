#include "core/OptiuniDlg.h"

#include "core/Lists.h"
#include "core/VORTAPLApp.h"
#include "platform/MessageBox.h"
#include "widgets/DialogButtons.h"
#include "widgets/XSimGrid.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

COptiuniDlg::COptiuniDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Optiuni Aplicatie");
    resize(720, 360);
    m_pGrid = new CXSimGrid(this);
    DialogButtons buttons = MakeDialogButtons(this, "&Salveaza", "&Renunt", false);
    connect(buttons.ok, &QPushButton::clicked, this, &COptiuniDlg::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pGrid);
    layout->addLayout(buttons.row);

    m_pGrid->InitGrid(0);
    SetGrid();
    // Widths follow the values as they are typed: refit whenever the cursor leaves a value.
    connect(m_pGrid, &CXSimGrid::CellChanged, this, [this](int, int prevCol, int, int) {
        if (prevCol == 2)
            m_pGrid->AutoFitColumns(0, 1, m_pGrid->GetRowCount(), 3);
    });
}

void COptiuniDlg::SetGrid() {
    theApp().WriteLog("CString COptiuniDlg::SetGrid() ooo--->> IN");
    _NOptiuniApp& opt = theApp().m_optiuni;
    m_pGrid->SetRedraw(false);
    m_pGrid->InsertCols(1, 3);
    m_pGrid->SetCellText(0, 1, "Parametru");
    m_pGrid->SetCellText(0, 2, "Valoare");
    m_pGrid->SetCellText(0, 3, "Descriere");
    for (int i = 0; i < opt.GetCount(); ++i) {
        const int row = m_pGrid->GetRowCount() + 1;
        m_pGrid->InsertRows(row, 1);
        m_pGrid->SetCellText(row, 1, opt.GetParametru(i));
        m_pGrid->SetCellText(row, 2, opt.GetValoare(i));
        m_pGrid->SetCellText(row, 3, opt.GetDescriere(i));
    }
    theApp().WriteLog("CString COptiuniDlg::SetGrid() ooo--->> OUT");
    m_pGrid->SetLocked(CXSimGrid::ScopeColumn, 0, 1, true);
    m_pGrid->SetLocked(CXSimGrid::ScopeColumn, 0, 3, true);
    m_pGrid->SetAlignment(CXSimGrid::ScopeColumn, 0, 0, 1, 3);
    m_pGrid->SetAlignment(CXSimGrid::ScopeColumn, 0, 0, 2, 3);
    m_pGrid->SetAlignment(CXSimGrid::ScopeColumn, 0, 0, 3, 3);
    m_pGrid->AutoFitColumns(0, 1, m_pGrid->GetRowCount(), 3);
    m_pGrid->SetRedraw(true);
    if (m_pGrid->GetRowCount() > 0)
        m_pGrid->SetCurrentCell(1, 2);
}

void COptiuniDlg::accept() {
    m_pGrid->CommitEdit();
    _NOptiuniApp& opt = theApp().m_optiuni;
    for (int row = 1; row <= m_pGrid->GetRowCount(); ++row) {
        const std::string name = GetCellText(*m_pGrid, row, 1);
        const std::string value = GetCellText(*m_pGrid, row, 2);
        // A change of letter case only is not a change.
        if (core::EqualsNoCase(value, opt.GetValoare(name)))
            continue;
        if (!opt.Update(name, value)) {
            platform::ShowMessage("Eroare la actualizarea parametrului: " + name, "VORTAPL",
                                  platform::Icon::Error);
            return;
        }
    }
    QDialog::accept();
}
