#include "entry/CSDlg.h"

#include "core/Database.h"
#include "core/DbOperation.h"
#include "core/Lists.h"
#include "core/VORTAPLApp.h"
#include "entry/ValoriCS.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "platform/ModalDialog.h"
#include "widgets/DialogButtons.h"
#include "widgets/XSimGrid.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QPushButton>
#include <QToolTip>
#include <QVBoxLayout>

#include <cstdlib>
#include <stdexcept>

namespace {

void ShowError(const std::string& text) {
    platform::ShowMessage(text, "VORTAPL", platform::Icon::Error);
}

// One transaction around fn; an error is rolled back, logged under the operation's signature
// and shown, and the result is false.
bool RunInTransaction(const char* signature, core::TransactionMode mode,
                      const std::function<void(core::Statement&)>& fn) {
    std::string err;
    if (core::RunLogged(signature, fn, mode, core::LockResolution::Wait, &err))
        return true;
    ShowError(err);
    return false;
}

int CellInt(CXSimGrid& g, int row, int col) {
    return std::atoi(GetCellText(g, row, col).c_str());
}

} // namespace

CCSDlg::CCSDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Constante Sistem");
    resize(820, 360);
    const platform::DateTime now = platform::Now();
    m_pLuna = new QDateEdit(QDate(now.year, now.month, 1), this);
    m_pLuna->setObjectName("luna");
    m_pLuna->setDisplayFormat("MM/yyyy");
    m_pLuna->setCalendarPopup(true);
    // A month is loaded when the user has finished choosing it, not at every digit typed.
    m_pLuna->setKeyboardTracking(false);
    m_pGrid = new CXSimGrid(this);
    m_pGrid->setObjectName("grid");

    auto* form = new QFormLayout;
    form->addRow("Luna:", m_pLuna);
    DialogButtons buttons = MakeDialogButtons(this, "&Salveaza", "&Renunt", false);
    connect(buttons.ok, &QPushButton::clicked, this, &CCSDlg::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_pGrid, 1);
    layout->addLayout(buttons.row);

    m_pGrid->InitGrid(0);
    // The month on the picker is shown with what is stored for it, so values typed for it
    // replace what the user has seen, never values the user did not know about.
    LoadCS(now.year, now.month);
    connect(m_pLuna, &QDateEdit::dateChanged, this, [this] { OnChangeLuna(); });
    // A value that does not fit is told once the cell is left, after the editor has closed.
    connect(m_pGrid, &CXSimGrid::CellEdited, this, [this](int iRow, int iCol) {
        QMetaObject::invokeMethod(
            this, [this, iRow, iCol] { OnValoareEditata(iRow, iCol); }, Qt::QueuedConnection);
    });
    m_pGrid->viewport()->installEventFilter(this);
}

std::string CCSDlg::AjutorValoare(int iRow) const {
    if (iRow < 1 || iRow > m_pGrid->GetRowCount())
        return {};
    return "Valoare cu " + FormatPermisCS(CellInt(*m_pGrid, iRow, ColPIntreaga),
                                          CellInt(*m_pGrid, iRow, ColZecimale));
}

bool CCSDlg::eventFilter(QObject* pObject, QEvent* pEvent) {
    if (pObject == m_pGrid->viewport() && pEvent->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(pEvent);
        const QModelIndex index = m_pGrid->indexAt(help->pos());
        if (index.isValid() && index.column() == ColValoare && index.row() >= 1) {
            QToolTip::showText(help->globalPos(),
                               QString::fromStdString(AjutorValoare(index.row())),
                               m_pGrid->viewport());
            return true;
        }
        QToolTip::hideText();
        return true;
    }
    return QDialog::eventFilter(pObject, pEvent);
}

std::string CCSDlg::VerificaFormat(int iRow) const {
    CXSimGrid& g = *m_pGrid;
    const std::string text = GetCellText(g, iRow, ColValoare);
    if (text.empty() || (iRow < int(m_incarcate.size()) && text == m_incarcate[iRow]))
        return {};
    const int p = CellInt(g, iRow, ColPIntreaga);
    const int d = CellInt(g, iRow, ColZecimale);
    double v = 0;
    // A text that is no number at all is refused by the save itself.
    if (!CitesteValoareCS(text, v) || IncapeInFormatCS(text, p, d))
        return {};
    return "Valoarea " + text + " a proprietatii " + GetCellText(g, iRow, ColCS) +
           " nu se incadreaza in formatul permis (" + FormatPermisCS(p, d) + ")!";
}

void CCSDlg::OnValoareEditata(int iRow, int iCol) {
    if (iCol != ColValoare)
        return;
    const std::string mesaj = VerificaFormat(iRow);
    if (mesaj.empty())
        return;
    ShowError(mesaj);
    m_pGrid->setFocus();
    m_pGrid->SetCurrentCell(iRow, ColValoare);
}

bool CCSDlg::Modificat() const {
    for (int row = 1; row <= m_pGrid->GetRowCount(); ++row) {
        const std::string loaded = row < int(m_incarcate.size()) ? m_incarcate[row] : "";
        if (GetCellText(*m_pGrid, row, ColValoare) != loaded)
            return true;
    }
    return false;
}

bool CCSDlg::SetGrid() {
    theApp().WriteLog("CString CCSDlg::SetGrid() ooo--->> IN");
    CXSimGrid& g = *m_pGrid;
    g.SetRedraw(false);
    g.Clear(3);
    g.InsertCols(1, 5);
    g.InsertRows(0, 1);
    g.SetCellText(0, ColCS, "Proprietate");
    g.SetCellText(0, ColValoare, "Valoare");
    g.SetCellText(0, ColDescriere, "Descriere");
    g.SetCellText(0, ColPIntreaga, "PIntreaga");
    g.SetCellText(0, ColZecimale, "Zecimala");
    g.AutoFitColumns(0, 1, 0, 2);
    const bool ok = RunInTransaction(
        "CCSDlg::SetGrid()", core::TransactionMode::ReadOnly, [&](core::Statement& st) {
            st.Execute("    SELECT pcs.cs AS CS, PCS.PINTREAGA AS PINTREAGA, pcs.zecimale as "
                       "ZECIMALE, pcs.descriere AS DESCRIERE, 0 AS VALOARE \t\tFROM "
                       "atn_proprietati_cs pcs \t\tWHERE PCS.VALID = 1 ");
            while (st.Fetch()) {
                const int row = g.GetRowCount() + 1;
                const int p = st.GetInt("PINTREAGA");
                const int d = st.GetInt("ZECIMALE");
                g.InsertRows(row, 1);
                SetCellText(g, row, ColCS, st.GetText("CS"));
                g.SetInputColor(CXSimGrid::ScopeCell, row, ColValoare, QColor(55, 205, 0));
                g.SetNumberFormat(CXSimGrid::ScopeCell, row, ColValoare,
                                  QString::fromStdString(MascaEditareCS()));
                SetCellText(g, row, ColDescriere, st.GetText("DESCRIERE"));
                SetCellText(g, row, ColPIntreaga, std::to_string(p));
                SetCellText(g, row, ColZecimale, std::to_string(d));
            }
        });
    g.SetAlignment(CXSimGrid::ScopeColumn, 0, 0, ColCS, 3);
    g.SetAlignment(CXSimGrid::ScopeColumn, 0, 0, ColValoare, 2);
    g.AutoFitColumns(0, 1, g.GetRowCount(), 3);
    g.SetColWidth(ColValoare, g.GetColWidth(ColValoare) + 75);
    g.SetColWidth(ColPIntreaga, 0);
    g.SetColWidth(ColZecimale, 0);
    g.SetLocked(CXSimGrid::ScopeColumn, 0, ColCS, true);
    g.SetLocked(CXSimGrid::ScopeColumn, 0, ColDescriere, true);
    g.SetRedraw(true);
    if (ok)
        theApp().WriteLog("CString CCSDlg::SetGrid() ooo--->> OUT");
    return ok;
}

bool CCSDlg::LoadCS(int iAnul, int iLuna) {
    // From here on the grid belongs to this month, whatever the load brings.
    m_iAnLuna = iAnul * 100 + iLuna;
    m_incarcate.clear();
    if (!SetGrid())
        return false;
    CXSimGrid& g = *m_pGrid;
    const bool ok = RunInTransaction(
        "CCSDlg::LoadCS()", core::TransactionMode::ReadOnly, [&](core::Statement& st) {
            st.Execute("SELECT * \tFROM ATN_CS    WHERE (AN*100 + LN) = ? ",
                       {std::int64_t(iAnul * 100 + iLuna)});
            while (st.Fetch()) {
                const std::string cs = st.GetText("CS");
                const bool empty = st.IsNull("VALOARE");
                const double v = empty ? 0.0 : st.GetDouble("VALOARE");
                for (int row = 1; row <= g.GetRowCount(); ++row)
                    if (core::EqualsNoCase(GetCellText(g, row, ColCS), cs))
                        SetCellText(g, row, ColValoare,
                                    empty ? std::string()
                                          : FormatValoareCS(v, CellInt(g, row, ColZecimale)));
            }
        });
    m_incarcate.assign(std::size_t(g.GetRowCount() + 1), std::string());
    for (int row = 1; row <= g.GetRowCount(); ++row)
        m_incarcate[std::size_t(row)] = GetCellText(g, row, ColValoare);
    return ok;
}

bool CCSDlg::SaveCS(int iAnul, int iLuna) {
    CXSimGrid& g = *m_pGrid;
    const bool ok = RunInTransaction(
        "CCSDlg::SaveCS()", core::TransactionMode::ReadWrite, [&](core::Statement& st) {
            st.Execute("DELETE FROM ATN_CS    WHERE (AN*100 + LN) = ? ",
                       {std::int64_t(iAnul * 100 + iLuna)});
            for (int row = 1; row <= g.GetRowCount(); ++row) {
                const std::string cs = GetCellText(g, row, ColCS);
                const std::string text = GetCellText(g, row, ColValoare);
                double v = 0;
                if (!CitesteValoareCS(text, v))
                    throw std::runtime_error("Valoarea proprietatii " + cs +
                                             " nu este un numar: " + text);
                st.Execute("INSERT INTO ATN_CS (AN,LN,CS,VALOARE) VALUES( ?, ?, ?, ?)",
                           {std::int64_t(iAnul), std::int64_t(iLuna), cs, v});
            }
        });
    // The pages read the constants from the list: refresh it so they see the new values now.
    if (ok)
        theApp().m_constante.Load();
    return ok;
}

void CCSDlg::OnChangeLuna() {
    const QDate d = m_pLuna->date();
    // The picker reports the month it already shows again when it loses the focus after a
    // save was refused: the values typed since then stay.
    if (d.year() * 100 + d.month() == m_iAnLuna)
        return;
    LoadCS(d.year(), d.month());
    m_pGrid->SetLocked(CXSimGrid::ScopeColumn, 0, ColValoare, false);
}

void CCSDlg::OnOK() {
    // A month typed into the picker is taken only when the picker gives up the focus, which a
    // keyboard shortcut never makes it do: take it now, so the grid shows the month saved.
    m_pLuna->interpretText();
    OnChangeLuna();
    m_pGrid->CommitEdit();
    CXSimGrid& g = *m_pGrid;
    for (int row = 1; row <= g.GetRowCount(); ++row) {
        std::string mesaj;
        if (GetCellText(g, row, ColValoare).empty())
            mesaj = "Va rugam sa completati proprietatea: " + GetCellText(g, row, ColCS);
        else
            mesaj = VerificaFormat(row);
        if (!mesaj.empty()) {
            ShowError(mesaj);
            g.setFocus();
            g.SetCurrentCell(row, ColValoare);
            return;
        }
    }
    if (SaveCS(m_iAnLuna / 100, m_iAnLuna % 100))
        QDialog::accept();
}

void CCSDlg::accept() {
    OnOK();
}

void CCSDlg::reject() {
    m_pGrid->CommitEdit();
    if (Modificat() &&
        platform::ShowMessage("Valorile modificate nu au fost salvate.\nDoriti sa inchideti "
                              "fereastra fara sa le salvati?",
                              "VORTAPL", platform::Icon::Question,
                              platform::Buttons::YesNo) != platform::Answer::Yes)
        return;
    QDialog::reject();
}

bool RunCSDlg(QWidget* parent) {
    CCSDlg dlg(parent);
    return platform::RunModal(dlg) == QDialog::Accepted;
}
