#include "entry/StatDePlataDlg.h"

#include "core/DbOperation.h"
#include "core/MesajEroareBD.h"
#include "core/VORTAPLApp.h"
#include "entry/IndexConventii.h"
#include "entry/PontajCalcul.h"
#include "entry/RandPersoana.h"
#include "entry/StatDePlataCalcul.h"
#include "entry/StatDePlataDb.h"
#include "entry/StatDePlataGrid.h"
#include "entry/ValoriDetaliu.h"
#include "platform/MessageBox.h"
#include "widgets/XSimGrid.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace statplata;

CStatDePlataDlg::CStatDePlataDlg(QWidget* parent) : CTabPage(parent) {
    auto* title = new QLabel("Stat de plata ...", this);
    QFont font("Arial");
    font.setPixelSize(18);
    font.setBold(true);
    title->setFont(font);
    m_pGrid = new CXSimGrid(this);
    m_pGrid->setObjectName("grid");
    m_pHelp = new QPlainTextEdit(this);
    m_pHelp->setObjectName("help");
    m_pHelp->setReadOnly(true);
    m_pHelp->setFont(font);
    m_pHelp->setMaximumHeight(120);
    m_pElimina = new QPushButton("Elimina linie din tabel", this);
    m_pElimina->setObjectName("eliminaLinie");
    m_pElimina->setAutoDefault(false);
    connect(m_pElimina, &QPushButton::clicked, this, &CStatDePlataDlg::OnEliminaLinie);
    m_bareCode.SetMode(1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_pElimina);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(m_pGrid, 1);
    layout->addWidget(m_pHelp);
    layout->addLayout(buttons);

    // As on the timesheet: an edit shows its result at once, leaving a row recomputes it.
    connect(m_pGrid, &CXSimGrid::CellEdited, this, [this](int iRow, int) { RecalcRow(iRow); });
    connect(m_pGrid, &CXSimGrid::CellChanged, this,
            [this](int iPrevRow, int, int iNewRow, int iNewCol) {
                if (iPrevRow != iNewRow)
                    RecalcRow(iPrevRow);
                ShowColumnHelp(iNewCol);
            });
}

void CStatDePlataDlg::OnNotify(int iCode, long long iParam) {
    switch (iCode) {
    case notify::Clear:
        Reset();
        break;
    case notify::NewMonth:
        m_iAn = static_cast<int>(iParam / 100);
        m_iLuna = static_cast<int>(iParam % 100);
        BuildHeader();
        FillFromConventions();
        FormatGrid(*m_pGrid);
        break;
    case notify::Hours:
        RefreshHours();
        break;
    case notify::LoadMonth:
        m_iAn = static_cast<int>(iParam / 100);
        m_iLuna = static_cast<int>(iParam % 100);
        LoadFromDB();
        break;
    case notify::Finalized:
        if (iParam != 0) {
            m_bFinalizat = true;
            m_pGrid->SetLocked(CXSimGrid::ScopeGrid, 0, 0, true);
            m_pElimina->setEnabled(false);
        }
        break;
    default:
        CTabPage::OnNotify(iCode, iParam);
        break;
    }
}

void CStatDePlataDlg::Reset() {
    m_pGrid->Clear(3);
    m_pHelp->clear();
    m_pElimina->setEnabled(true);
    m_bFinalizat = false;
}

void CStatDePlataDlg::BuildHeader() {
    Reset();
    statplata::BuildHeader(*m_pGrid);
}

bool CStatDePlataDlg::FillFromConventions() {
    _NDateConventiiAngajator* pCache = theApp().m_pConventii.get();
    if (!pCache)
        return false;
    const int n = pCache->GetCount();
    m_pGrid->SetRedraw(false);
    m_pGrid->InsertRows(1, n);
    for (int i = 0; i < n; ++i) {
        const __tagDATECONVENTIIANGAJATOR& rec = *pCache->GetAt(i);
        m_pGrid->SetCellText(i + 1, ColCnpLung, rec[slot::CNP]);
        m_pGrid->SetCellText(i + 1, ColCnp, rec[slot::CNP_CORECT]);
        m_pGrid->SetCellText(i + 1, ColNume, rec[slot::NUME] + " " + rec[slot::PRENUME]);
    }
    m_pGrid->SetRedraw(true);
    return true;
}

void CStatDePlataDlg::RefreshHours() {
    const IndexConventii conventii(theApp().m_pConventii.get());
    CXSimGrid& g = *m_pGrid;
    g.SetRedraw(false);
    for (int r = 1; r <= g.GetRowCount(); ++r)
        if (const auto* rec = conventii.Find(g.GetCellText(r, ColCnpLung))) {
            g.SetCellText(r, ColNol, (*rec)[slot::NOL]);
            g.SetCellText(r, ColOre, (*rec)[slot::ORE_LUCRATE_IN_CONVENTIE]);
        }
    bool bChanged = false;
    for (int r = 1; r <= g.GetRowCount(); ++r) {
        if (g.GetCellText(r, ColVenit).isEmpty())
            g.SetCellText(r, ColVenit, "0");
        bChanged = Recalc(r, conventii) || bChanged;
    }
    g.SetRedraw(true);
    // One notification for the whole refresh: the law tables read every record anyway.
    if (bChanged)
        SendToParent(notify::Incomes);
}

bool CStatDePlataDlg::Recalc(int iRow, const IndexConventii& conventii) {
    CXSimGrid& g = *m_pGrid;
    if (m_bFinalizat || iRow < 1 || iRow > g.GetRowCount())
        return false;
    const int iNol = CitesteInt(GetCellText(g, iRow, ColNol));
    const int iOre = CitesteInt(GetCellText(g, iRow, ColOre));
    const double fVenit = static_cast<double>(CitesteInt(GetCellText(g, iRow, ColVenit)));
    if (iNol == 0)
        return false;
    g.SetCellText(iRow, ColVenitConv, detaliu::Format0(VenitInPerioada(fVenit, iNol, iOre)));
    if (g.GetCellText(iRow, ColVenitCbfs).isEmpty())
        g.SetCellText(iRow, ColVenitCbfs, "0");
    __tagDATECONVENTIIANGAJATOR* rec = conventii.Find(g.GetCellText(iRow, ColCnpLung));
    if (!rec)
        return false;
    return CopiazaInConventie(g, iRow, *rec,
                              {{slot::VENIT_BRUT_NOEL, ColVenit},
                               {slot::VENIT_BRUT_IN_CONVENTIE, ColVenitConv},
                               {slot::VENIT_BRUT_CBFS_CONV, ColVenitCbfs}});
}

void CStatDePlataDlg::RecalcRow(int iRow) {
    if (Recalc(iRow, IndexConventii(theApp().m_pConventii.get())))
        SendToParent(notify::Incomes);
}

void CStatDePlataDlg::OnEliminaLinie() {
    EliminaLinieAdaugata(*m_pGrid, 1, ColCnpLung, ColNume);
}

void CStatDePlataDlg::ShowColumnHelp(int iCol) {
    m_pHelp->setPlainText(QString::fromStdString(ColumnHelp(iCol)));
}

bool CStatDePlataDlg::SaveData(core::Transaction& tr) {
    if (m_pGrid->GetRowCount() == 0)
        return true;
    m_pGrid->CommitEdit();
    try {
        InsertRows(tr, *m_pGrid, m_iAn, m_iLuna, theApp().m_strCIF);
        return true;
    } catch (const std::exception& e) {
        theApp().WriteLog(
            core::ErrorLine("CStatDePlataDlg::SaveData(IBPP::Transaction& tr)", e.what()));
        platform::ShowMessage(core::MesajEroareBD(e.what()), "VORTAPL", platform::Icon::Error);
        return false;
    }
}

bool CStatDePlataDlg::LoadFromDB() {
    BuildHeader();
    std::string strError;
    const IndexConventii conventii(theApp().m_pConventii.get());
    m_pGrid->SetRedraw(false);
    const bool bOk = core::RunLogged(
        "CStatDePlataDlg::LoadFromDB()",
        [&](core::Statement& st) {
            ReadRows(st, *m_pGrid, m_iAn, m_iLuna, theApp().m_strCIF, conventii);
        },
        core::TransactionMode::ReadOnly, core::LockResolution::Wait, &strError);
    m_pGrid->SetRedraw(true);
    FormatGrid(*m_pGrid);
    if (!bOk)
        platform::ShowMessage(strError, "VORTAPL", platform::Icon::Error);
    return bOk;
}
