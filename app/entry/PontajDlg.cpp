#include "entry/PontajDlg.h"

#include "core/DbOperation.h"
#include "core/MesajEroareBD.h"
#include "core/VORTAPLApp.h"
#include "core/ValueFunctions.h"
#include "entry/IndexConventii.h"
#include "entry/PontajDb.h"
#include "entry/PontajGrid.h"
#include "entry/RandPersoana.h"
#include "platform/MessageBox.h"
#include "widgets/XSimGrid.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cstdio>

using namespace pontaj;

namespace {

void LogRowCol(const char* szFormat, int iRow, int iCol) {
    char sz[160];
    std::snprintf(sz, sizeof sz, szFormat, iRow, iCol);
    theApp().WriteLog(sz);
}

QPushButton* MakeButton(const char* szText, const char* szName, QWidget* parent) {
    auto* b = new QPushButton(QString::fromUtf8(szText), parent);
    b->setObjectName(szName);
    b->setAutoDefault(false);
    return b;
}

} // namespace

CPontajDlg::CPontajDlg(QWidget* parent) : CTabPage(parent) {
    m_pTitle = new QLabel("Pontaj ...", this);
    QFont titleFont("Arial");
    titleFont.setPixelSize(18);
    titleFont.setBold(true);
    m_pTitle->setFont(titleFont);
    m_pTitle->setStyleSheet("color: blue; background: transparent;");
    m_pGrid = new CXSimGrid(this);
    m_pGrid->setObjectName("grid");
    m_pGrid->SetEnterMovesRight(true); // a month is typed day after day along the row
    m_pHelp = new QPlainTextEdit(this);
    m_pHelp->setObjectName("help");
    m_pHelp->setReadOnly(true);
    m_pHelp->setFont(titleFont);
    m_pHelp->setMaximumHeight(120);
    m_pAdauga = MakeButton("Adauga linie la tabel", "adaugaLinie", this);
    m_pElimina = MakeButton("Elimina linie din tabel", "eliminaLinie", this);
    m_pNorma8 = MakeButton("Aplica norma 8", "aplicaNorma8", this);
    m_pPrezent = MakeButton("Marcheaza prezent", "marcheazaPrezent", this);
    connect(m_pAdauga, &QPushButton::clicked, this, &CPontajDlg::OnAdaugaLinie);
    connect(m_pElimina, &QPushButton::clicked, this, &CPontajDlg::OnEliminaLinie);
    connect(m_pNorma8, &QPushButton::clicked, this, &CPontajDlg::OnAplicaNorma8);
    connect(m_pPrezent, &QPushButton::clicked, this, &CPontajDlg::OnMarcheazaPrezent);
    m_bareCode.SetMode(1);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {m_pAdauga, m_pElimina, m_pNorma8, m_pPrezent})
        buttons->addWidget(b);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pTitle);
    layout->addWidget(m_pGrid, 1);
    layout->addWidget(m_pHelp);
    layout->addLayout(buttons);

    // An edit is recomputed at once, so its row's totals show while the user types on; leaving
    // the row recomputes it again (a corrected norm counts from then), and the other pages hear
    // only of what changed.
    connect(m_pGrid, &CXSimGrid::CellEdited, this, [this](int iRow, int) { RecalcRow(iRow); });
    connect(m_pGrid, &CXSimGrid::CellChanged, this,
            [this](int iPrevRow, int, int iNewRow, int iNewCol) {
                if (iPrevRow != iNewRow)
                    RecalcRow(iPrevRow);
                ShowColumnHelp(iNewCol);
            });
}

// --- notifications -----------------------------------------------------------------------------

void CPontajDlg::OnNotify(int iCode, long long iParam) {
    switch (iCode) {
    case notify::Clear:
        Reset();
        break;
    case notify::NewMonth:
        SetMonth(iParam);
        BuildHeader();
        FillFromConventions();
        TakeOverNorms();
        MarkAndFormat();
        break;
    case notify::LoadMonth:
        SetMonth(iParam);
        LoadFromDB();
        break;
    case notify::Finalized:
        if (iParam != 0) {
            m_bFinalizat = true;
            m_pGrid->SetLocked(CXSimGrid::ScopeGrid, 0, 0, true);
            for (QPushButton* b : {m_pAdauga, m_pElimina, m_pNorma8, m_pPrezent})
                b->setEnabled(false);
        }
        break;
    default:
        CTabPage::OnNotify(iCode, iParam);
        break;
    }
}

void CPontajDlg::Reset() {
    m_pGrid->Clear(3);
    m_pHelp->clear();
    for (QPushButton* b : {m_pAdauga, m_pElimina, m_pNorma8, m_pPrezent})
        b->setEnabled(true);
    m_bFinalizat = false;
}

void CPontajDlg::SetMonth(long long iParam) {
    m_luna = MakeLunaLucru(static_cast<int>(iParam / 100), static_cast<int>(iParam % 100),
                           theApp().m_pSarbatori.get());
}

void CPontajDlg::BuildHeader() {
    Reset();
    pontaj::BuildHeader(*m_pGrid, m_luna);
}

bool CPontajDlg::FillFromConventions() {
    _NDateConventiiAngajator* pCache = theApp().m_pConventii.get();
    if (!pCache)
        return false;
    CXSimGrid& g = *m_pGrid;
    g.SetRedraw(false);
    const int n = pCache->GetCount();
    const int first = g.GetRowCount() + 1;
    g.InsertRows(first, n);
    for (int i = 0; i < n; ++i) {
        const __tagDATECONVENTIIANGAJATOR& rec = *pCache->GetAt(i);
        const int r = first + i;
        g.SetCellText(r, ColCnpLung, rec[slot::CNP]);
        g.SetCellText(r, ColCnp, rec[slot::CNP_CORECT]);
        g.SetCellText(r, ColNume, rec[slot::NUME] + " " + rec[slot::PRENUME]);
    }
    for (int r = kPrimulRand; r <= g.GetRowCount(); ++r)
        g.SetCellText(r, 0, std::to_string(r - 1));
    g.SetRedraw(true);
    FormatGrid(g, m_luna.iZile);
    return true;
}

// The norm is typed once: a new month takes each person's norm from the employer's last saved
// month, matched by the convention's key or else by the personal code.
void CPontajDlg::TakeOverNorms() {
    if (m_pGrid->GetRowCount() < kPrimulRand)
        return;
    NormeSalvate norme;
    if (!core::RunLogged(
            "CPontajDlg::TakeOverNorms()",
            [&](core::Statement& st) { ReadLastNorms(st, m_luna, theApp().m_strCIF, norme); },
            core::TransactionMode::ReadOnly))
        return;
    const int D = m_luna.iZile;
    for (int r = kPrimulRand; r <= m_pGrid->GetRowCount(); ++r) {
        auto lung = norme.dupaCnpLung.find(GetCellText(*m_pGrid, r, ColCnpLung));
        auto cnp = norme.dupaCnp.find(GetCellText(*m_pGrid, r, ColCnp));
        if (lung != norme.dupaCnpLung.end())
            m_pGrid->SetCellText(r, ColNorma(D), lung->second);
        else if (cnp != norme.dupaCnp.end())
            m_pGrid->SetCellText(r, ColNorma(D), cnp->second);
    }
}

void CPontajDlg::MarkAndFormat() {
    MarkDays(*m_pGrid, m_luna, IndexConventii(theApp().m_pConventii.get()));
    FormatGrid(*m_pGrid, m_luna.iZile);
}

// --- the row computation -----------------------------------------------------------------------

int CPontajDlg::ZileLuc() const {
    return static_cast<int>(theApp().m_constante.GetValoare("ZILELUC", m_luna.iAn, m_luna.iLuna));
}

bool CPontajDlg::Recalc(int iRow, const IndexConventii& conventii, int iZileLuc) {
    CXSimGrid& g = *m_pGrid;
    if (iRow < kPrimulRand || iRow > g.GetRowCount() || m_bFinalizat)
        return false;
    const int D = m_luna.iZile;
    __tagDATECONVENTIIANGAJATOR* rec = conventii.Find(g.GetCellText(iRow, ColCnpLung));
    const int iStart = rec ? rec->DateNumber(slot::DATA_START) : 0;
    const int iSfarsit = rec ? rec->DateNumber(slot::DATA_SFARSIT) : 0;

    const int iMax = ComputeMaxHours(m_luna, CitesteInt(GetCellText(g, iRow, ColNorma(D))),
                                     rec != nullptr, iStart, iSfarsit);
    g.SetCellText(iRow, ColMax(D), std::to_string(iMax));
    const std::string strNorma = GetCellText(g, iRow, ColNorma(D));
    const int iNorma = CitesteInt(strNorma);

    std::vector<std::string> coduri(static_cast<size_t>(D));
    std::vector<bool> inConventie;
    if (rec)
        inConventie.resize(static_cast<size_t>(D));
    for (int d = 1; d <= D; ++d) {
        std::string cod = GetCellText(g, iRow, ColZi(d));
        if (!IsValidDayCode(cod, m_luna.IsNelucratoare(d))) {
            LogRowCol("Pontaj valoarea introdusa incorecta [%d;%d]", iRow, ColZi(d));
            cod.assign(1, m_luna.IsNelucratoare(d) ? 'X' : '0');
            g.SetCellText(iRow, ColZi(d), cod);
        }
        coduri[static_cast<size_t>(d - 1)] = cod;
        if (rec)
            inConventie[static_cast<size_t>(d - 1)] = IsInPeriod(m_luna.Data(d), iStart, iSfarsit);
    }

    if (!IsNormaValida(strNorma)) {
        LogRowCol("Pontaj valoarea introdusa incorecta la norma [%d;%d]", iRow, ColNorma(D));
        g.SetCellText(iRow, ColNorma(D), "8");
        return false;
    }
    if (strNorma != "6" && IsSub18(GetCellText(g, iRow, ColCnp), m_luna.iAn, m_luna.iLuna)) {
        LogRowCol("Pontaj valoarea introdusa incorecta la norma pt persoane sub 18 ani [%d;%d]",
                  iRow, ColNorma(D));
        g.SetCellText(iRow, ColNorma(D), "6");
    }

    const TotaluriPontaj t =
        CalculeazaTotaluri(SumaOre(coduri, m_luna, iNorma, inConventie), iMax, iZileLuc, iNorma);
    g.SetCellText(iRow, ColLucrate(D), std::to_string(t.lucrateInConventie));
    g.SetCellText(iRow, ColCbfs(D), std::to_string(t.cbfs));
    g.SetCellText(iRow, ColCass(D), std::to_string(t.cass));
    g.SetCellText(iRow, ColNol(D), std::to_string(t.nol));

    if (!rec)
        return false;
    return CopiazaInConventie(g, iRow, *rec,
                              {{slot::MAX_PE_PERIOADA, ColMax(D)},
                               {slot::NORMA, ColNorma(D)},
                               {slot::ORE_LUCRATE_IN_CONVENTIE, ColLucrate(D)},
                               {slot::NOL, ColNol(D)},
                               {slot::ORE_CBFS, ColCbfs(D)}});
}

void CPontajDlg::RecalcRow(int iRow) {
    if (m_bFinalizat || iRow < kPrimulRand)
        return;
    if (Recalc(iRow, IndexConventii(theApp().m_pConventii.get()), ZileLuc()))
        SendToParent(notify::Hours);
}

// Every row at once: the other pages hear of the batch once, after it.
void CPontajDlg::RecalcAll() {
    if (m_bFinalizat)
        return;
    const IndexConventii conventii(theApp().m_pConventii.get());
    const int iZileLuc = ZileLuc();
    bool bChanged = false;
    m_pGrid->SetRedraw(false);
    for (int r = kPrimulRand; r <= m_pGrid->GetRowCount(); ++r)
        bChanged = Recalc(r, conventii, iZileLuc) || bChanged;
    m_pGrid->SetRedraw(true);
    if (bChanged)
        SendToParent(notify::Hours);
}

// --- commands ----------------------------------------------------------------------------------

void CPontajDlg::OnAplicaNorma8() {
    const int D = m_luna.iZile;
    const int iLuna = m_luna.iAn * 100 + m_luna.iLuna;
    for (int r = kPrimulRand; r <= m_pGrid->GetRowCount(); ++r)
        m_pGrid->SetCellText(
            r, ColNorma(D),
            GetAnLunaNastere(GetCellText(*m_pGrid, r, ColCnp)) + 1800 < iLuna ? "8" : "6");
    RecalcAll();
}

void CPontajDlg::OnMarcheazaPrezent() {
    if (m_bFinalizat)
        return;
    const int D = m_luna.iZile;
    const IndexConventii conventii(theApp().m_pConventii.get());
    m_pGrid->SetRedraw(false);
    for (int r = kPrimulRand; r <= m_pGrid->GetRowCount(); ++r) {
        const __tagDATECONVENTIIANGAJATOR* rec =
            conventii.Find(m_pGrid->GetCellText(r, ColCnpLung));
        if (!rec)
            continue; // a row added by hand is filled by the user
        // Present means the norm's hours: a row without a norm yet gets the one "Aplica
        // norma 8" would give it, rather than a month of empty days counted as absences.
        QString norma = m_pGrid->GetCellText(r, ColNorma(D));
        if (!IsNormaValida(norma.toStdString())) {
            norma = IsSub18(GetCellText(*m_pGrid, r, ColCnp), m_luna.iAn, m_luna.iLuna) ? "6" : "8";
            m_pGrid->SetCellText(r, ColNorma(D), norma);
        }
        const int iStart = rec->DateNumber(slot::DATA_START);
        const int iSfarsit = rec->DateNumber(slot::DATA_SFARSIT);
        for (int d = 1; d <= D; ++d)
            if (!m_luna.IsNelucratoare(d) && IsInPeriod(m_luna.Data(d), iStart, iSfarsit))
                m_pGrid->SetCellText(r, ColZi(d), norma);
    }
    m_pGrid->SetRedraw(true);
    RecalcAll();
}

void CPontajDlg::OnAdaugaLinie() {
    CXSimGrid& g = *m_pGrid;
    if (g.GetColCount() == 0)
        return; // no month on the page
    const int r = g.GetRowCount() + 1;
    g.InsertRows(r, 1);
    MarkAndFormat();
    g.SetCurrentCell(r, ColCnp);
    g.SetLocked(CXSimGrid::ScopeCell, r, ColCnp, false);
    g.SetLocked(CXSimGrid::ScopeCell, r, ColNume, false);
}

void CPontajDlg::OnEliminaLinie() {
    EliminaLinieAdaugata(*m_pGrid, kPrimulRand, ColCnpLung, ColNume);
}

void CPontajDlg::ShowColumnHelp(int iCol) {
    m_pHelp->setPlainText(QString::fromStdString(ColumnHelp(iCol, m_luna.iZile)));
}

// --- persistence -------------------------------------------------------------------------------

bool CPontajDlg::SaveData(core::Transaction& tr) {
    static const char* kSignature = "CPontajDlg::SaveData(IBPP::Transaction& tr)";
    m_pGrid->CommitEdit();
    try {
        InsertRows(tr, *m_pGrid, m_luna, theApp().m_strCIF);
        return true;
    } catch (const std::exception& e) {
        theApp().WriteLog(core::ErrorLine(kSignature, e.what()));
        platform::ShowMessage(core::MesajEroareBD(e.what()), "VORTAPL", platform::Icon::Error);
        return false;
    }
}

bool CPontajDlg::LoadFromDB() {
    BuildHeader();
    std::string strError;
    const IndexConventii conventii(theApp().m_pConventii.get());
    m_pGrid->SetRedraw(false);
    const bool bOk = core::RunLogged(
        "CPontajDlg::LoadFromDB()",
        [&](core::Statement& st) { ReadRows(st, *m_pGrid, m_luna, theApp().m_strCIF, conventii); },
        core::TransactionMode::ReadOnly, core::LockResolution::Wait, &strError);
    m_pGrid->SetRedraw(true);
    MarkAndFormat();
    if (!bOk)
        platform::ShowMessage(strError, "VORTAPL", platform::Icon::Error);
    return bOk;
}
