#include "lawtables/LawTablePage.h"

#include "core/ConventiiCache.h"
#include "core/DbOperation.h"
#include "core/MesajEroareBD.h"
#include "core/VORTAPLApp.h"
#include "entry/ValoriDetaliu.h"
#include "platform/MessageBox.h"
#include "widgets/XSimGrid.h"

#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cctype>
#include <cstdio>
#include <map>
#include <memory>
#include <set>
#include <tuple>

using lawtable::Schema;
using lawtable::Sursa;

namespace {

// The constants of the month as the constants list gives them, each looked up once per
// recomputation (a month of many persons asks for the same few constants again and again).
lawrules::Constanta ConstanteLuna() {
    auto memo = std::make_shared<std::map<std::tuple<std::string, int, int>, double>>();
    return [memo](const std::string& cs, int an, int ln) {
        auto key = std::make_tuple(cs, an, ln);
        auto it = memo->find(key);
        if (it == memo->end())
            it = memo->emplace(key, theApp().m_constante.GetValoare(cs, an, ln)).first;
        return it->second;
    };
}

} // namespace

CLawTablePage::CLawTablePage(const lawtable::Definitie& def, QWidget* parent)
    : CTabPage(parent), m_def(def) {
    QFont font("Arial");
    font.setPixelSize(18);
    font.setWeight(QFont::ExtraBold);
    m_pTitle = new QLabel(QString::fromUtf8(def.szTitlu), this);
    m_pTitle->setObjectName("titlu");
    m_pTitle->setFont(font);
    m_pTitle->setStyleSheet("color: rgb(28, 0, 255); background: transparent;");
    m_pHelp = new QPlainTextEdit(this);
    m_pHelp->setObjectName("help");
    m_pHelp->setReadOnly(true);
    m_pHelp->setFont(font);
    m_pHelp->setMaximumHeight(110);
    m_pGrid = new CXSimGrid(this);
    m_pGrid->setObjectName("grid");
    // Rows come from the conventions or the saved month, never from the user: the template's
    // two row buttons stay hidden.
    m_pAdauga = new QPushButton("Adauga la linie la tabel", this);
    m_pElimina = new QPushButton("Elimina linie din tabel", this);
    m_pAdauga->hide();
    m_pElimina->hide();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pTitle);
    layout->addWidget(m_pHelp);
    layout->addWidget(m_pGrid, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_pAdauga);
    buttons->addWidget(m_pElimina);
    layout->addLayout(buttons);

    m_pGrid->InitGrid(0);
    connect(m_pGrid, &CXSimGrid::CellChanged, this, [this](int prevRow, int, int, int newCol) {
        if (m_def.bRecalcLaMutare)
            RecalcRow(prevRow);
        ShowColumnHelp(newCol);
    });
}

void CLawTablePage::OnNotify(int iCode, long long iParam) {
    switch (iCode) {
    case notify::Clear:
        m_pGrid->Clear(3);
        m_iTotalRows = 0;
        m_motive.clear();
        m_fisaIncarcata.clear();
        m_strHelp.clear();
        UpdateHelpPane();
        break;
    case notify::NewMonth:
        SetMonth(iParam);
        SetHeaders();
        FillFromConventions();
        FormatGrid();
        break;
    case notify::Hours:
        RefreshHours();
        break;
    case notify::Incomes:
        if (m_def.bRecalcLaVenituri)
            RecalcAll();
        break;
    case notify::LoadMonth:
        SetMonth(iParam);
        LoadFromDB();
        break;
    case notify::Finalized:
        if (iParam != 0)
            m_pGrid->SetLocked(CXSimGrid::ScopeGrid, 0, 0, true);
        break;
    default:
        CTabPage::OnNotify(iCode, iParam);
    }
}

void CLawTablePage::SetMonth(long long iParam) {
    m_iLN = static_cast<int>(iParam % 100);
    m_iAN = static_cast<int>(iParam / 100);
}

int CLawTablePage::PersonCount() const {
    const int n = m_pGrid->GetRowCount() - m_iTotalRows;
    return n > 0 ? n : 0;
}

std::string CLawTablePage::Signature(const char* szOperation) const {
    return std::string(m_def.szClasa) + "::" + szOperation;
}

bool CLawTablePage::FillFromConventions() {
    _NDateConventiiAngajator* pCache = theApp().m_pConventii.get();
    if (!pCache)
        return false;
    CXSimGrid& g = *m_pGrid;
    g.SetRedraw(false);
    std::vector<std::string> hiringDates;
    for (int i = 0; i < pCache->GetCount(); ++i) {
        const __tagDATECONVENTIIANGAJATOR& rec = *pCache->At(i);
        if (lawrules::TabelPentru(rec[slot::TIP_MA], rec[slot::DOC_DATA]) != m_def.tabel)
            continue;
        const int row = g.GetRowCount() + 1;
        g.InsertRows(row, 1);
        for (size_t c = 0; c < m_def.coloane.size(); ++c) {
            const lawtable::Coloana& col = m_def.coloane[c];
            std::string text;
            switch (col.sursa) {
            case Sursa::Slot:
                text = rec[col.iSlot];
                break;
            case Sursa::Nume:
                text = rec[slot::NUME] + " " + rec[slot::PRENUME];
                break;
            case Sursa::DataDoc:
                text = lawrules::DataAfisata(rec[slot::DOC_DATA]);
                break;
            case Sursa::Tasca:
                text = lawrules::Tasca(rec[slot::DOC_DATA]);
                break;
            case Sursa::Gol:
                continue;
            }
            SetCellText(g, row, static_cast<int>(c) + 1, text);
        }
        hiringDates.push_back(rec[slot::DATA_ANG]);
    }
    g.SetRedraw(true);
    if (m_def.bVerificaSMN) {
        const std::string strLuni = lawrules::LunileFaraSMN(hiringDates, ConstanteLuna());
        if (!strLuni.empty()) {
            // The persons stay listed so the user sees whom the missing constants concern.
            platform::ShowMessage(lawrules::MesajFaraSMN(strLuni), "VORTAPL",
                                  platform::Icon::Error);
            return false;
        }
    }
    AddTotalRows();
    return true;
}

namespace {
std::string LowerKey(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}
} // namespace

CLawTablePage::Index::Index(CLawTablePage& page) : m_page(page), m_pPrevious(page.m_pIndex) {
    if (_NDateConventiiAngajator* pCache = theApp().m_pConventii.get())
        for (int i = 0; i < pCache->GetCount(); ++i) {
            __tagDATECONVENTIIANGAJATOR* r = pCache->GetAt(i);
            if (!(*r)[slot::CNP].empty())
                m_byKey.emplace(LowerKey((*r)[slot::CNP]), r);
        }
    page.m_pIndex = &m_byKey;
}

CLawTablePage::Index::~Index() {
    m_page.m_pIndex = m_pPrevious;
}

__tagDATECONVENTIIANGAJATOR* CLawTablePage::Record(int iRow) const {
    const std::string key = GetCellText(*m_pGrid, iRow, 1);
    if (key.empty())
        return nullptr;
    if (m_pIndex) {
        auto it = m_pIndex->find(LowerKey(key));
        return it == m_pIndex->end() ? nullptr : it->second;
    }
    _NDateConventiiAngajator* pCache = theApp().m_pConventii.get();
    return pCache ? pCache->Find(key) : nullptr;
}

bool CLawTablePage::Refused(int iRow) const {
    return iRow <= 0 || iRow > PersonCount() || theApp().m_bLunaFinala;
}

void CLawTablePage::ComputePerson(int iRow, const lawrules::Constanta& cs) {
    const __tagDATECONVENTIIANGAJATOR* pRec = Record(iRow);
    if (!pRec)
        return; // a person the cache does not hold keeps what the row shows
    const __tagDATECONVENTIIANGAJATOR& rec = *pRec;
    CXSimGrid& g = *m_pGrid;
    lawrules::Persoana p;
    p.strCategorie = GetCellText(g, iRow, m_def.iColCategorie);
    p.strDataStart = rec[slot::DATA_START];
    p.strDataAng = rec[slot::DATA_ANG];
    p.iNOL = lawrules::CitesteInt(rec[slot::NOL]);
    p.iOre = lawrules::CitesteInt(rec[slot::ORE_LUCRATE_IN_CONVENTIE]);
    p.iNorma = lawrules::CitesteInt(rec[slot::NORMA]);
    p.fSalariuConventie = lawrules::CitesteDouble(rec[slot::SUMA_BAZA_CALCUL_L116]);

    lawrules::Suma s;
    switch (m_def.schema) {
    case Schema::Art80:
        s = lawrules::SumaArt80(p, m_iAN, m_iLN, cs);
        break;
    case Schema::Art85:
        s = lawrules::SumaArt85(p, m_iAN, m_iLN, cs);
        break;
    case Schema::BazaSMN:
        s = lawrules::SumaBazaSMN(p, cs);
        break;
    case Schema::L72:
        s = lawrules::SumaL72(p, m_iAN, m_iLN, cs);
        break;
    }
    if (m_def.iColBaza)
        SetCellText(g, iRow, m_def.iColBaza, s.fBaza ? detaliu::Format0(*s.fBaza) : std::string());
    SetCellText(g, iRow, m_def.iColSuma, s.fSuma ? detaliu::Format0(*s.fSuma) : std::string());
    if (m_def.iColPlatit)
        SetCellText(g, iRow, m_def.iColPlatit,
                    detaliu::Format0(lawrules::SumaPlatita(rec[slot::VENIT_BRUT_IN_CONVENTIE],
                                                           rec[slot::VENIT_BRUT_CBFS_CONV])));
    if (s.strMotiv.empty())
        m_motive.erase(rec[slot::CNP]);
    else
        m_motive[rec[slot::CNP]] = s.strMotiv;
}

bool CLawTablePage::RecalcRow(int iRow) {
    if (Refused(iRow))
        return false;
    ComputePerson(iRow, ConstanteLuna());
    UpdateTotals();
    return true;
}

void CLawTablePage::RecalcAll() {
    if (theApp().m_bLunaFinala || m_pGrid->GetRowCount() == 0)
        return;
    const lawrules::Constanta cs = ConstanteLuna();
    Index index(*this);
    m_pGrid->SetRedraw(false);
    for (int row = 1; row <= PersonCount(); ++row)
        ComputePerson(row, cs);
    m_pGrid->SetRedraw(true);
    UpdateTotals();
}

void CLawTablePage::RefreshHours() {
    // A finalized month shows what was saved: neither its hours nor its amounts change.
    if (theApp().m_bLunaFinala || m_pGrid->GetRowCount() == 0)
        return;
    CXSimGrid& g = *m_pGrid;
    Index index(*this);
    g.SetRedraw(false);
    for (int row = 1; row <= PersonCount(); ++row) {
        const __tagDATECONVENTIIANGAJATOR* pRec = Record(row);
        if (!pRec)
            continue;
        const std::string& strOre = (*pRec)[slot::ORE_LUCRATE_IN_CONVENTIE];
        SetCellText(g, row, m_def.iColOre, strOre);
        if (m_def.iColZile) {
            const auto zile = lawrules::ZileL72(lawrules::CitesteInt(strOre),
                                                lawrules::CitesteInt((*pRec)[slot::NORMA]));
            if (zile)
                SetCellText(g, row, m_def.iColZile, std::to_string(*zile));
        }
    }
    g.SetRedraw(true);
    RecalcAll();
}

void CLawTablePage::UpdateTotals() {
    CXSimGrid& g = *m_pGrid;
    const int n = PersonCount();
    const int R = g.GetRowCount();
    auto cell = [&](int row, int col) { return lawrules::CitesteDouble(GetCellText(g, row, col)); };
    double fScutire = 0, fSubventie = 0;
    if (m_def.schema == Schema::Art80 || m_def.schema == Schema::Art85) {
        std::vector<lawrules::RandScutire> rows;
        rows.reserve(static_cast<size_t>(n));
        for (int row = 1; row <= n; ++row)
            rows.push_back({cell(row, m_def.iColSuma), cell(row, m_def.iColPlatit),
                            GetCellText(g, row, m_def.iColTasca),
                            GetCellText(g, row, m_def.iColCategorie)});
        const lawrules::TotaluriScutire t = lawrules::CalculTotaluri(
            rows, m_def.schema == Schema::Art85, theApp().m_bFaraRotunjire != 0);
        if (m_iTotalRows == 3)
            ShowSettlementTotals(t.A1, t.P, t.C1, t.A1 + t.C1);
        fScutire = t.C1;
        fSubventie = t.A1;
    } else {
        for (int row = 1; row <= n; ++row)
            fSubventie += cell(row, m_def.iColSuma);
        if (m_iTotalRows == 1)
            SetCellText(g, R, m_def.iColSuma, detaliu::Format0(fSubventie));
    }
    theApp().m_totaluri.*m_def.pScutire = fScutire;
    theApp().m_totaluri.*m_def.pSubventie = fSubventie;
    UpdateHelpPane();
    SendToParent(notify::Totals);
}

// The three total rows of a table with an exemption: A1 and the paid total, C1, A1 + C1.
void CLawTablePage::ShowSettlementTotals(double fA1, double fPlatit, double fC1, double fTotal) {
    CXSimGrid& g = *m_pGrid;
    const int R = g.GetRowCount();
    SetCellText(g, R - 2, m_def.iColSuma, detaliu::Format0(fA1));
    SetCellText(g, R - 2, m_def.iColPlatit, detaliu::Format0(fPlatit));
    SetCellText(g, R - 1, m_def.iColPlatit, detaliu::Format0(fC1));
    SetCellText(g, R, m_def.iColPlatit, detaliu::Format0(fTotal));
}

void CLawTablePage::ShowColumnHelp(int iCol) {
    m_strHelp = iCol >= 1 && iCol <= static_cast<int>(m_def.coloane.size())
                    ? m_def.coloane[static_cast<size_t>(iCol) - 1].strHelp
                    : std::string();
    UpdateHelpPane();
}

void CLawTablePage::UpdateHelpPane() {
    std::string text = m_strHelp;
    std::set<std::string> shown;
    for (const auto& [key, motiv] : m_motive) {
        if (!shown.insert(motiv).second)
            continue;
        if (!text.empty())
            text += "\r\n";
        text += motiv;
    }
    // The texts keep their Windows line ends; the pane breaks lines on "\n" alone.
    const QString q = QString::fromStdString(text).replace("\r\n", "\n");
    if (m_pHelp->toPlainText() != q)
        m_pHelp->setPlainText(q);
}

bool CLawTablePage::Fail(const std::string& strSignature, const std::string& strText) {
    theApp().WriteLog(core::ErrorLine(strSignature, strText));
    platform::ShowMessage(core::MesajEroareBD(strText), "VORTAPL", platform::Icon::Error);
    return false;
}
