#include "entry/SubventiiDlg.h"

#include "core/Database.h"
#include "core/DbOperation.h"
#include "core/MesajEroareBD.h"
#include "core/Queries.h"
#include "core/VORTAPLApp.h"
#include "core/ValueFunctions.h"
#include "entry/RepartizareSubventii.h"
#include "entry/Tiparire.h"
#include "platform/MessageBox.h"
#include "widgets/XSimGrid.h"

#include <QLabel>
#include <QVBoxLayout>

#include <cerrno>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kRanduri = 7; // six amount rows and an empty one that holds the cursor at rest

// Stored columns of rows 1..6: deducted, then refunded.
const char* const kColoane[RandCount][2] = {
    {"SUB80REC", "SUB80RES"},       {"SUB80144REC", "SUB80144RES"}, {"SUB85REC", "SUB85RES"},
    {"SUB85144REC", "SUB85144RES"}, {"SUB116REC", "SUB116RES"},     {"SUB172REC", "SUB172RES"},
};

// Row labels of the county with code "21" carry the numbering of its own settlement form.
const char* const kEticheteNumerotate[5] = {
    "C5.1.Subventii conform Art.80 din Legea nr. 76/2002, cu modificarile si completarile "
    "ulterioare",
    "C5.2.Scutire de la plata contributiei datorate de angajator, conform Art.80 din Legea nr. "
    "76/2002, cu modificarile si completarile ulterioare",
    "C5.3.Subventii conform Art.85 din Legea nr. 76/2002, cu modificarile si completarile "
    "ulterioare",
    "C5.4.Scutire de la plata contributiei datorate de angajator, conform Art.85 alin.(1) din "
    "Legea nr. 76/2002, cu modificarile si completarile ulterioare",
    "C5.6.Subventii in baza Legii nr. 116/2002 sau a art. 93^4 din Legea 76/2002",
};
const char* const kEtichete[5] = {
    "Subventii conform Art.80 din Legea nr. 76/2002, cu modificarile si completarile ulterioare",
    "Scutire de la plata contributiei datorate de angajator, conform Art.80 din Legea nr. "
    "76/2002, cu modificarile si completarile ulterioare",
    "Subventii conform Art.85 din Legea nr. 76/2002, cu modificarile si completarile ulterioare",
    "Scutire de la plata contributiei datorate de angajator, conform Art.85 alin.(1) din Legea "
    "nr. 76/2002, cu modificarile si completarile ulterioare",
    "Subventii in baza Legii nr. 116/2002 si a Normelor metodologice aprobate prin HG nr. "
    "1.149/2002",
};
const char* const kEticheta72 = "C.5.10.Subventii conform art. 1 din Legea nr. 72/2007";

QFont TitleFont() {
    QFont f("Arial");
    f.setPixelSize(18);
    f.setBold(true);
    return f;
}

void ShowModuleError(const std::string& strText) {
    platform::ShowMessage(strText, "VORTAPL", platform::Icon::Error);
}

// A cell's amount for the statement; the page writes only whole numbers into its cells.
double Suma(const std::string& strText, int iRow, int iCol) {
    errno = 0;
    char* end = nullptr;
    const double f = std::strtod(strText.c_str(), &end);
    if (strText.empty() || errno != 0 || !end || *end != '\0')
        throw core::DbError(std::string("Valoare nenumerica in ") +
                            CSubventiiDlg::ColumnName(iRow, iCol) + ": " + strText);
    return f;
}

} // namespace

CSubventiiDlg::CSubventiiDlg(QWidget* parent) : CTabPage(parent) {
    auto* pTitlu = new QLabel("Centralizator Subventii ...", this);
    pTitlu->setFont(TitleFont());
    m_pGrid = new CXSimGrid(this);
    m_pGrid->setObjectName("grid");
    m_pAjutor = new QLabel(this);
    m_pAjutor->setObjectName("ajutor");
    m_pAjutor->setFont(TitleFont());
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addWidget(pTitlu);
    pLayout->addWidget(m_pGrid, 1);
    pLayout->addWidget(m_pAjutor);
    m_bareCode.SetMode(1);

    m_pGrid->InitGrid(0);
    // The long legal titles of the rows take the height of their rows.
    m_pGrid->setWordWrap(true);
    SetGrid();
    connect(m_pGrid, &CXSimGrid::CellChanged, this,
            [this](int, int, int iNewRow, int iNewCol) { ShowColumnHelp(iNewCol, iNewRow); });
    m_pGrid->SetCurrentCell(kRanduri, 1);
}

const char* CSubventiiDlg::ColumnName(int iRow, int iCol) {
    if (iRow < 1 || iRow > RandCount || iCol < 2 || iCol > 3)
        return nullptr;
    return kColoane[iRow - 1][iCol - 2];
}

void CSubventiiDlg::SetGrid() {
    std::string strCIF, strDen, strCodJudet;
    GetDateAgentImplicit(strCIF, strDen, strCodJudet);
    const char* const* pEtichete =
        tiparire::EsteJudet21(strCodJudet) ? kEticheteNumerotate : kEtichete;

    CXSimGrid& g = *m_pGrid;
    g.SetRedraw(false);
    g.Clear(3);
    g.InsertCols(1, 3);
    g.InsertRows(1, kRanduri);
    g.SetCellText(0, 1, "Subventii si scutiri");
    g.SetCellText(0, 2, "Recuperata prin deducere din contributia datorata");
    g.SetCellText(0, 3, "De restituit de la Bugetul Asigurarilor pentru Somaj");
    for (int r = 1; r <= 5; ++r)
        g.SetCellText(r, 1, pEtichete[r - 1]);
    g.SetCellText(6, 1, kEticheta72);
    for (int r = 1; r <= kRanduri; ++r) {
        g.SetCellText(r, 2, "0");
        g.SetCellText(r, 3, "0");
    }

    g.SetRowHeight(0, 70);
    for (int r = 1; r <= RandCount; ++r)
        g.SetRowHeight(r, 60);
    g.SetRowHeight(kRanduri, 0);
    g.SetColWidth(1, 250);
    g.SetColWidth(2, 100);
    g.SetColWidth(3, 100);
    g.SetAlignment(CXSimGrid::ScopeColumn, 0, 0, 2, 1);
    g.SetAlignment(CXSimGrid::ScopeColumn, 0, 0, 3, 1);
    const QColor fundaluri[RandCount] = {QColor(255, 155, 0),   QColor(255, 155, 0),
                                         QColor(255, 255, 55),  QColor(255, 255, 55),
                                         QColor(255, 255, 105), QColor(255, 255, 205)};
    for (int r = 1; r <= RandCount; ++r)
        for (int c = 1; c <= 3; ++c)
            g.SetCellBackColor(CXSimGrid::ScopeCell, r, c, fundaluri[r - 1]);
    g.SetRangeFont(1, 1, RandCount, 3, QColor(128, 0, 0), true);
    g.SetLocked(CXSimGrid::ScopeGrid, 0, 0, true);
    g.SetRedraw(true);
}

void CSubventiiDlg::Reset() {
    CXSimGrid& g = *m_pGrid;
    for (int r = 1; r <= g.GetRowCount(); ++r) {
        g.SetCellText(r, 2, "0");
        g.SetCellText(r, 3, "0");
    }
    m_pAjutor->clear();
    g.SetCurrentCell(g.GetRowCount(), 1);
}

void CSubventiiDlg::Compute() {
    auto& app = theApp();
    if (app.m_bLunaFinala)
        return; // a finalized month keeps what was loaded
    const MonthTotals& t = app.m_totaluri;
    if (Rotunjire(t.FS, 2) == 0) {
        Reset();
        return;
    }
    const Repartizare rep = RepartizeazaSubventii(t);
    for (int i = 0; i < RandCount; ++i) {
        const SumeRand& s = rep.randuri[static_cast<size_t>(i)];
        if (!s.bSchimbat)
            continue;
        SetCellText(*m_pGrid, i + 1, 2, TextSuma(s.fRecuperat));
        SetCellText(*m_pGrid, i + 1, 3, TextSuma(s.fRestituit));
    }
}

void CSubventiiDlg::ShowColumnHelp(int iCol, int iRow) {
    const char* szColoana = ColumnName(iRow, iCol);
    m_pAjutor->setText(szColoana ? QString::fromLatin1(szColoana) : QString());
}

void CSubventiiDlg::OnNotify(int iCode, long long iParam) {
    switch (iCode) {
    case notify::Clear:
        Reset();
        break;
    case notify::NewMonth:
        OnMonth(iParam);
        break;
    case notify::Totals:
        Compute();
        break;
    case notify::LoadMonth:
        OnMonth(iParam);
        LoadFromDB();
        break;
    default:
        CTabPage::OnNotify(iCode, iParam);
    }
}

void CSubventiiDlg::OnMonth(long long iParam) {
    m_iAN = static_cast<int>(iParam / 100);
    m_iLN = static_cast<int>(iParam % 100);
    std::string strCIF;
    if (GetAgentImplicit(strCIF) && !strCIF.empty())
        m_strCIF = strCIF;
}

bool CSubventiiDlg::SaveData(core::Transaction& tr) {
    try {
        std::vector<core::Value> values = {std::int64_t(m_iAN), std::int64_t(m_iLN), m_strCIF};
        for (int r = 1; r <= RandCount; ++r)
            for (int c = 2; c <= 3; ++c)
                values.emplace_back(std::in_place_type<double>,
                                    Suma(GetCellText(*m_pGrid, r, c), r, c));
        core::Statement st(tr);
        st.Execute("INSERT INTO ATO_RAPORTARE (  AN,  LN,  CIF,  SUB80REC,  SUB80RES,  "
                   "SUB80144REC,  SUB80144RES,  SUB85REC,  SUB85RES,  SUB85144REC,  SUB85144RES, "
                   " SUB116REC,  SUB116RES,  SUB172REC,  SUB172RES) VALUES( ?, ?, ?, ?, ?, ?, ?, "
                   "?, ?, ?, ?, ?, ?, ?, ? )",
                   values);
    } catch (const std::exception& e) {
        theApp().WriteLog(
            core::ErrorLine("CSubventiiDlg::SaveData(IBPP::Transaction& tr)", e.what()));
        ShowModuleError(core::MesajEroareBD(e.what()));
        return false;
    }
    return true;
}

bool CSubventiiDlg::LoadFromDB() {
    std::string strErr;
    const bool ok = core::RunLogged(
        "CSubventiiDlg::LoadFromDB()",
        [&](core::Statement& st) {
            st.Execute("SELECT SUB80REC,SUB80RES,SUB80144REC,SUB80144RES, "
                       "SUB85REC,SUB85RES,SUB85144REC,SUB85144RES,SUB116REC,SUB116RES, "
                       "SUB172REC,SUB172RES, FS,TCAD, COD_UNIC FROM ATO_RAPORTARE WHERE  AN = ? "
                       "AND LN = ? AND CIF = ? ",
                       {std::int64_t(m_iAN), std::int64_t(m_iLN), m_strCIF});
            if (!st.Fetch())
                return;
            for (int r = 1; r <= RandCount; ++r)
                for (int c = 2; c <= 3; ++c)
                    SetCellText(*m_pGrid, r, c, TextSuma(st.GetDouble(ColumnName(r, c))));
            MonthTotals& t = theApp().m_totaluri;
            t.FS = st.GetDouble("FS");
            t.TCAD = st.GetDouble("TCAD");
            t.COD_UNIC = st.GetInt("COD_UNIC");
        },
        core::TransactionMode::ReadOnly, core::LockResolution::Wait, &strErr);
    if (!ok)
        ShowModuleError(strErr);
    return ok;
}
