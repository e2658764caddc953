#include "entry/DateConventiiAngajatorDlg.h"

#include "core/Database.h"
#include "core/DbOperation.h"
#include "core/MesajEroareBD.h"
#include "core/Queries.h"
#include "core/VORTAPLApp.h"
#include "core/ValueFunctions.h"
#include "entry/ConventiiGrid.h"
#include "entry/FondSalarii.h"
#include "entry/RepartizareSubventii.h"
#include "platform/MessageBox.h"
#include "widgets/XSimGrid.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include <array>
#include <vector>

namespace {

QFont TitleFont() {
    QFont f("Arial");
    f.setPixelSize(18);
    f.setBold(true);
    return f;
}

void ShowModuleError(const std::string& strText) {
    platform::ShowMessage(strText, "VORTAPL", platform::Icon::Error);
}

} // namespace

CDateConventiiAngajatorDlg::CDateConventiiAngajatorDlg(QWidget* parent) : CTabPage(parent) {
    auto* pTitlu = new QLabel("Date convetii si angajator ...", this);
    pTitlu->setFont(TitleFont());
    m_pGrid = new CXSimGrid(this);
    m_pGrid->setObjectName("grid");
    m_pAjutor = new QLabel(this);
    m_pAjutor->setObjectName("ajutor");
    m_pAjutor->setFont(TitleFont());
    m_pAjutor->setWordWrap(true);

    m_pFS = new QLineEdit("0", this);
    m_pFS->setObjectName("fs");
    m_pFS->setAlignment(Qt::AlignRight);
    // Letters are kept out; a comma, a point or a blank reaches the range check, so a number
    // typed the way a person writes it is refused rather than read as a smaller one.
    m_pFS->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9 .,]*"), m_pFS));
    m_pRata = new QLabel("-", this);
    m_pRata->setObjectName("rata");
    m_pTCAD = new QLineEdit("0", this);
    m_pTCAD->setObjectName("tcad");
    m_pTCAD->setAlignment(Qt::AlignRight);
    m_pTCAD->setReadOnly(true);

    auto* pFond = new QHBoxLayout;
    pFond->addWidget(new QLabel("Fondul de salarii: ", this));
    pFond->addWidget(m_pFS, 2);
    pFond->addWidget(m_pRata);
    pFond->addWidget(m_pTCAD, 1);
    pFond->addWidget(new QLabel("TCAD", this));
    pFond->addStretch(1);

    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(pTitlu);
    pLayout->addWidget(m_pGrid, 1);
    pLayout->addWidget(m_pAjutor);
    pLayout->addLayout(pFond);

    m_pGrid->InitGrid(0);
    // The help pane speaks of the cell it was written for only.
    connect(m_pGrid, &CXSimGrid::CellChanged, m_pAjutor, [this] { m_pAjutor->clear(); });
    // Changes the user makes; the texts the page writes itself notify no one.
    connect(m_pFS, &QLineEdit::textEdited, this, [this] { OnChangeFS(); });
}

void CDateConventiiAngajatorDlg::Reset() {
    m_pGrid->Clear(3);
    m_pAjutor->clear();
    // A fresh month starts from no wage fund: TCAD goes with it.
    m_fFS = 0;
    m_fTCAD = 0;
    MonthTotals& t = theApp().m_totaluri;
    t.FS = 0;
    t.TCAD = 0;
    ShowFields();
    m_pRata->setText("-");
    m_pFS->setReadOnly(false);
}

void CDateConventiiAngajatorDlg::OnNotify(int iCode, long long iParam) {
    switch (iCode) {
    case notify::Clear:
        Reset();
        break;
    case notify::NewMonth:
        OnMonth(iParam);
        break;
    case notify::LoadMonth:
        OnMonth(iParam);
        LoadFromDB();
        break;
    case notify::Finalized:
        if (iParam != 0) {
            m_pGrid->SetLocked(CXSimGrid::ScopeGrid, 0, 0, true);
            m_pFS->setReadOnly(true);
        }
        break;
    default:
        CTabPage::OnNotify(iCode, iParam);
    }
}

void CDateConventiiAngajatorDlg::OnMonth(long long iParam) {
    m_iAN = static_cast<int>(iParam / 100);
    m_iLN = static_cast<int>(iParam % 100);
    std::string strCIF;
    if (GetAgentImplicit(strCIF) && !strCIF.empty()) {
        m_strCIF = strCIF;
        LoadDate(strCIF);
    }
    ShowRata();
}

void CDateConventiiAngajatorDlg::ShowRata() {
    m_fProcAngajator = theApp().m_constante.GetValoare("PROC_ANGAJATOR", m_iAN, m_iLN);
    std::string strRata;
    GetCSAsString("PROC_ANGAJATOR", m_iAN, m_iLN, strRata);
    m_pRata->setText(QString::fromStdString("* " + strRata + "% = "));
}

bool CDateConventiiAngajatorDlg::LoadDate(const std::string& strCIF) {
    Reset();
    CXSimGrid& g = *m_pGrid;
    g.SetRedraw(false);
    conventii::PregatesteGrid(g);
    auto& app = theApp();
    if (!app.m_pConventii)
        app.m_pConventii = std::make_unique<_NDateConventiiAngajator>();
    _NDateConventiiAngajator& cache = *app.m_pConventii;
    cache.Clear();

    // The rows are gathered first and given to the grid at once: inserting one row at a time
    // makes the grid renumber its rows for every convention.
    std::vector<std::array<std::string, conventii::kColCount>> rows;
    std::string strErr;
    const bool ok = core::RunLogged(
        "LoadDate (CString strCIF)",
        [&](core::Statement& st) {
            conventii::InterogheazaConventii(
                st, strCIF, m_iAN, m_iLN, [&](const core::Statement& row) {
                    conventii::RandConventie r = conventii::CitesteRand(row);
                    rows.push_back(std::move(r.celule));
                    cache.Add(std::move(r.pRecord));
                });
        },
        core::TransactionMode::ReadOnly, core::LockResolution::Wait, &strErr);
    // What was read before an error stays on the grid, as it stays in the cache.
    if (!rows.empty()) {
        g.InsertRows(1, static_cast<int>(rows.size()));
        for (size_t i = 0; i < rows.size(); ++i)
            for (int c = 0; c < conventii::kColCount; ++c)
                g.SetCellText(static_cast<int>(i) + 1, c + 1, rows[i][static_cast<size_t>(c)]);
    }
    if (ok)
        conventii::FormateazaGrid(g);
    g.SetRedraw(true);
    if (!ok)
        platform::ShowMessage(strErr, "VORTAPL", platform::Icon::Error);
    return ok;
}

bool CDateConventiiAngajatorDlg::UpdateData() {
    double fFS = 0;
    if (!CitesteFS(m_pFS->text().toStdString(), fFS)) {
        platform::ShowMessage(MesajInterval(0, kFSMaxim), "VORTAPL", platform::Icon::Error);
        return false;
    }
    m_fFS = fFS;
    if (!InInterval(m_fTCAD, 0, kTCADMaxim)) {
        platform::ShowMessage(MesajInterval(0, kTCADMaxim), "VORTAPL", platform::Icon::Error);
        return false;
    }
    return true;
}

void CDateConventiiAngajatorDlg::OnChangeFS() {
    double fFS = 0;
    if (!CitesteFS(m_pFS->text().toStdString(), fFS)) {
        platform::ShowMessage(MesajInterval(0, kFSMaxim), "VORTAPL", platform::Icon::Error);
        return;
    }
    m_fFS = fFS;
    // TCAD follows the FS just typed before its range is checked, so a TCAD out of range is
    // corrected by the next FS rather than blocking every later change.
    m_fTCAD = CalculeazaTCAD(m_fFS, m_fProcAngajator);
    m_pTCAD->setText(QString::fromStdString(TextSuma(m_fTCAD)));
    if (!InInterval(m_fTCAD, 0, kTCADMaxim)) {
        platform::ShowMessage(MesajInterval(0, kTCADMaxim), "VORTAPL", platform::Icon::Error);
        return;
    }
    MonthTotals& t = theApp().m_totaluri;
    t.FS = m_fFS;
    t.TCAD = m_fTCAD;
    SendToParent(notify::Totals);
}

void CDateConventiiAngajatorDlg::ShowFields() {
    m_pFS->setText(QString::fromStdString(TextSuma(m_fFS)));
    m_pTCAD->setText(QString::fromStdString(TextSuma(m_fTCAD)));
}

bool CDateConventiiAngajatorDlg::LoadFromDB() {
    std::string strErr;
    bool bFound = false;
    double fFS = 0, fTCAD = 0;
    const bool ok = core::RunLogged(
        "CDateConventiiAngajatorDlg::LoadFromDB()",
        [&](core::Statement& st) {
            st.Execute("SELECT FS,TCAD FROM ATO_RAPORTARE  WHERE  AN = ? AND LN = ? AND CIF = ? ",
                       {std::int64_t(m_iAN), std::int64_t(m_iLN), m_strCIF});
            if (st.Fetch()) {
                bFound = true;
                fFS = st.GetDouble("FS");
                fTCAD = st.GetDouble("TCAD");
            }
        },
        core::TransactionMode::ReadOnly, core::LockResolution::Wait, &strErr);
    if (!ok) {
        ShowModuleError(strErr);
        return false;
    }
    if (bFound) {
        m_fFS = fFS;
        m_fTCAD = fTCAD;
        MonthTotals& t = theApp().m_totaluri;
        t.FS = fFS;
        t.TCAD = fTCAD;
        ShowFields();
    }
    return true;
}

bool CDateConventiiAngajatorDlg::SaveData(core::Transaction& tr) {
    if (!UpdateData())
        return false;
    if (m_pGrid->GetRowCount() == 0)
        return true;
    try {
        core::Statement st(tr);
        st.Execute("UPDATE ATO_RAPORTARE SET FS = ?, TCAD = ?  WHERE  AN = ? AND LN = ? AND CIF "
                   "= ? ",
                   {Rotunjire(m_fFS, 0), Rotunjire(m_fTCAD, 0), std::int64_t(m_iAN),
                    std::int64_t(m_iLN), m_strCIF});
    } catch (const std::exception& e) {
        theApp().WriteLog(core::ErrorLine(
            "CDateConventiiAngajatorDlg::SaveData(IBPP::Transaction& tr)", e.what()));
        ShowModuleError(core::MesajEroareBD(e.what()));
        return false;
    }
    return true;
}
