#include "exchange/ImportConventiiKrenoDlg.h"

#include "core/Queries.h"
#include "core/VORTAPLApp.h"
#include "exchange/ConventiiKreno.h"
#include "exchange/DescarcareFisier.h"
#include "exchange/FisiereKreno.h"
#include "exchange/Md5Digest.h"
#include "exchange/VerificaPINDlg.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBox.h"
#include "platform/ModalDialog.h"
#include "widgets/XSimGrid.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>
#include <limits>
#include <utility>
#include <vector>

namespace {

const char* const MSG_SELECTATI = "Va rugam sa selecati fisierul pentru import!";
const char* const MSG_INCARCATI = "Va rugam incarcati fisierul inainte de salvare!";
const char* const MSG_CIF_DIFERIT = "Fisierul care urmeaza sa fie importat este eronat!\nToate "
                                    "persoanele trebuie sa aiba acelasi CIF.";
const char* const MSG_CIF_NEDEFINIT =
    "CIF-ul pt care doriti sa faceti importul nu este definit!\nVa rugam sa definiti CIF-ul.";

// Between two chances for the window to paint; and how long work runs before its bar shows.
constexpr std::int64_t kPumpMs = 40;
constexpr std::int64_t kShowBarMs = 250;
// Columns are fitted to the captions and the first persons: the texts of a column are alike,
// and measuring every cell of a very large file would hold the window for seconds.
constexpr int kFitRows = 1000;
// No column grows wider than this, whatever a value holds.
constexpr int kMaxColWidth = 400;

} // namespace

// Disables the controls while work runs (restoring each control's own state afterwards), so
// that the events the window handles meanwhile cannot start another operation.
class CImportConventiiKrenoDlg::Busy {
public:
    explicit Busy(CImportConventiiKrenoDlg& dlg) : m_dlg(dlg) {
        for (QWidget* w : std::initializer_list<QWidget*>{
                 dlg.m_pLocal, dlg.m_pWeb, dlg.m_pPath, dlg.m_pSelect, dlg.m_pLoad, dlg.m_pDownload,
                 dlg.m_pGrid, dlg.m_pSave, dlg.m_pClose}) {
            m_state.emplace_back(w, w->isEnabled());
            w->setEnabled(false);
        }
        dlg.m_bBusy = true;
        dlg.m_busyClock.start();
        dlg.m_iLastPumpMs = 0;
    }
    ~Busy() {
        for (auto& [w, enabled] : m_state)
            w->setEnabled(enabled);
        m_dlg.m_bBusy = false;
        m_dlg.m_pProgress->hide();
        m_dlg.m_pProgress->setValue(0);
    }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;

private:
    CImportConventiiKrenoDlg& m_dlg;
    std::vector<std::pair<QWidget*, bool>> m_state;
};

CImportConventiiKrenoDlg::CImportConventiiKrenoDlg(QWidget* pParent) : QDialog(pParent) {
    setWindowTitle("Import Conventii KRENO");
    m_pLocal = new QRadioButton("Fisierul este salvat local", this);
    m_pPath = new QLineEdit(this);
    m_pPath->setReadOnly(true);
    auto* label = new QLabel("Fisier import:", this);
    label->setBuddy(m_pPath);
    m_pSelect = new QPushButton("S&electeaza fisier", this);
    m_pLoad = new QPushButton("&Incarca", this);
    m_pWeb = new QRadioButton("Descarca fisierul de pe site-ul VORT", this);
    m_pDownload = new QPushButton("&Descarca", this);
    m_pGrid = new CXSimGrid(this);
    m_pProgress = new QProgressBar(this);
    m_pSave = new QPushButton("&Salveaza", this);
    m_pClose = new QPushButton("&Renunt", this);

    m_pLocal->setObjectName("local");
    m_pWeb->setObjectName("web");
    m_pPath->setObjectName("path");
    m_pSelect->setObjectName("select");
    m_pLoad->setObjectName("load");
    m_pDownload->setObjectName("download");
    m_pSave->setObjectName("save");
    m_pClose->setObjectName("close");
    for (QPushButton* b : {m_pSelect, m_pLoad, m_pDownload, m_pSave})
        b->setAutoDefault(false);
    m_pClose->setDefault(true);

    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(label);
    fileRow->addWidget(m_pPath, 1);
    fileRow->addWidget(m_pSelect);
    fileRow->addWidget(m_pLoad);
    auto* webRow = new QHBoxLayout;
    webRow->addWidget(m_pWeb);
    webRow->addStretch();
    webRow->addWidget(m_pDownload);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_pSave);
    buttons->addWidget(m_pClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pLocal);
    layout->addLayout(fileRow);
    layout->addWidget(m_pWeb);
    layout->addLayout(webRow);
    layout->addWidget(m_pGrid, 1);
    layout->addWidget(m_pProgress);
    layout->addLayout(buttons);
    resize(900, 560);

    connect(m_pLocal, &QRadioButton::toggled, this, [this] { OnSursa(); });
    connect(m_pSelect, &QPushButton::clicked, this, &CImportConventiiKrenoDlg::OnSelecteazaFisier);
    connect(m_pLoad, &QPushButton::clicked, this, &CImportConventiiKrenoDlg::OnIncarca);
    connect(m_pDownload, &QPushButton::clicked, this, &CImportConventiiKrenoDlg::OnDescarca);
    connect(m_pSave, &QPushButton::clicked, this, &CImportConventiiKrenoDlg::OnSalveaza);
    connect(m_pClose, &QPushButton::clicked, this, &CImportConventiiKrenoDlg::reject);

    // Enter in the path field belongs to the field: it must not press the default button,
    // which closes the window.
    m_pPath->installEventFilter(this);

    m_pGrid->InitGrid(0);
    GolesteTabel();
    m_pProgress->hide();
    m_pLocal->setChecked(true);
    OnSursa();
}

void CImportConventiiKrenoDlg::OnSursa() {
    const bool bLocal = m_pLocal->isChecked();
    m_pSelect->setEnabled(bLocal);
    m_pLoad->setEnabled(bLocal);
    m_pDownload->setEnabled(!bLocal);
}

void CImportConventiiKrenoDlg::ShowError(const std::string& strText) {
    platform::ShowMessage(strText, "VORTAPL", platform::Icon::Error);
}

void CImportConventiiKrenoDlg::GolesteTabel() {
    m_strDigest.clear();
    m_pGrid->SetRedraw(false);
    m_pGrid->Clear(3);
    m_pGrid->InsertCols(1, kConventiiColCount);
    for (int c = 1; c <= kConventiiColCount; ++c)
        m_pGrid->SetCellText(0, c, kConventiiAtribute[static_cast<std::size_t>(c - 1)]);
    m_pGrid->SetRedraw(true);
    AjusteazaTabel();
}

void CImportConventiiKrenoDlg::AjusteazaTabel() {
    const int iRows = m_pGrid->GetRowCount();
    const int iCols = m_pGrid->GetColCount();
    m_pGrid->AutoFitColumns(0, 1, std::min(iRows, kFitRows), iCols);
    for (int c = 1; c <= iCols; ++c)
        if (m_pGrid->GetColWidth(c) > kMaxColWidth)
            m_pGrid->SetColWidth(c, kMaxColWidth);
    m_pGrid->SetLocked(3, 1, 1, true);
}

void CImportConventiiKrenoDlg::Advance(std::int64_t iDone, std::int64_t iTotal, bool bShowNow) {
    // The bar's range is an int: very large totals are shown in thousandths.
    int iMax = static_cast<int>(iTotal), iValue = static_cast<int>(iDone);
    if (iTotal > std::numeric_limits<int>::max()) {
        iMax = 1000;
        iValue = static_cast<int>(iDone * 1000 / iTotal);
    }
    if (m_pProgress->maximum() != iMax || m_pProgress->minimum() != 0)
        m_pProgress->setRange(0, iMax);
    m_pProgress->setValue(iValue);
    const std::int64_t iNow = m_busyClock.isValid() ? m_busyClock.elapsed() : 0;
    if (m_pProgress->isHidden() && (bShowNow || iNow >= kShowBarMs))
        m_pProgress->show();
    if (!bShowNow && iNow - m_iLastPumpMs < kPumpMs)
        return;
    m_iLastPumpMs = iNow;
    QCoreApplication::processEvents();
}

void CImportConventiiKrenoDlg::OnSelecteazaFisier() {
    std::optional<std::string> chosen = platform::GetOpenFileName(
        "Selecteaza fisier", theApp().m_strDirector, "CRYPT Files (*.crypt)");
    if (chosen) {
        // A name typed without its extension means the ".crypt" file of that name.
        std::error_code ec;
        const std::filesystem::path p(*chosen);
        if (!std::filesystem::exists(p, ec) && !p.has_extension() &&
            std::filesystem::exists(p.string() + ".crypt", ec))
            chosen = p.string() + ".crypt";
        m_pPath->setText(QString::fromStdString(*chosen));
    }
    GolesteTabel();
}

void CImportConventiiKrenoDlg::OnIncarca() {
    if (m_bBusy)
        return;
    const std::string strPath = m_pPath->text().toStdString();
    if (strPath.empty()) {
        ShowError(MSG_SELECTATI);
        return;
    }
    // The table never shows persons of another file than the one in the path, even when this
    // file turns out unreadable.
    GolesteTabel();

    Busy busy(*this);
    const auto progress = [this](std::int64_t d, std::int64_t t) { Advance(d, t); };
    std::string strPlain, strDigest, strError;
    if (!ReadTransferFile(strPath, strPlain, strDigest, strError, progress)) {
        ShowError(strError);
        return;
    }
    std::vector<ConventieRow> rows;
    const ParseResult result = ParseConventii(strPlain, rows, strError, progress);
    strPlain.clear();
    strPlain.shrink_to_fit();
    switch (result) {
    case ParseResult::ReaderError:
        platform::ShowMessage(strError, "VORTAPL", platform::Icon::None);
        return;
    case ParseResult::NoChildren:
        ShowError("Fisierul XML nu are fii!");
        return;
    case ParseResult::WrongRoot:
        ShowError("Fisierul XML nu contine tagul 'exportKRENO'!");
        return;
    case ParseResult::NoPersons:
        ShowError("Fisierul XML nu contine nicio persoana (tagul 'asigurat')!");
        return;
    case ParseResult::Ok:
        break;
    }

    const int iRows = static_cast<int>(rows.size());
    m_pGrid->SetRedraw(false);
    m_pGrid->InsertRows(1, iRows);
    for (int r = 1; r <= iRows; ++r) {
        const ConventieRow& row = rows[static_cast<std::size_t>(r - 1)];
        for (int c = 1; c <= kConventiiColCount; ++c)
            m_pGrid->SetCellText(r, c, row[static_cast<std::size_t>(c - 1)]);
        Advance(r, iRows);
    }
    m_pGrid->SetRedraw(true);
    AjusteazaTabel();
    m_strDigest = strDigest;
}

void CImportConventiiKrenoDlg::OnDescarca() {
    if (m_bBusy)
        return;
    std::string strCIF, strDEN, strCodJudet;
    {
        Busy busy(*this);
        if (!VerifyEmployerPin(this))
            return;
        GetDateAgentImplicit(strCIF, strDEN, strCodJudet);
        const std::string strNume = NumeFisierConventii(strCodJudet, theApp().m_strCIF);
        const std::string strLocal = CaleInDirectorLucru(strNume);
        CDescarcareFisier download(this);
        if (!download.DownloadToFile(AdresaWebKreno(strNume), strLocal)) {
            if (!download.GetLocalError().empty())
                ShowError(download.GetLocalError());
            else if (!download.WasCancelled())
                ShowError("A aparut o eroare la descarcarea datelor de pe internet!\nVa rugam sa "
                          "contactati KRENO pe raza caruia apartine agentul economic\npentru care "
                          "doriti actualizarea datelor(" +
                          strDEN + ").");
            return;
        }
        m_pPath->setText(QString::fromStdString(strLocal));
    }
    OnIncarca();
}

void CImportConventiiKrenoDlg::OnSalveaza() {
    if (m_bBusy)
        return;
    const std::string strPath = m_pPath->text().toStdString();
    if (strPath.empty()) {
        ShowError(MSG_SELECTATI);
        return;
    }
    const int iRows = m_pGrid->GetRowCount();
    if (iRows == 0) {
        ShowError(MSG_INCARCATI);
        return;
    }

    Busy busy(*this);
    const auto progress = [this](std::int64_t d, std::int64_t t) { Advance(d, t); };
    std::vector<ConventieRow> rows(static_cast<std::size_t>(iRows));
    for (int r = 1; r <= iRows; ++r) {
        for (int c = 1; c <= kConventiiColCount; ++c)
            rows[static_cast<std::size_t>(r - 1)][static_cast<std::size_t>(c - 1)] =
                GetCellText(*m_pGrid, r, c);
        Advance(r, iRows);
    }

    if (!AuAcelasiCIF(rows)) {
        ShowError(MSG_CIF_DIFERIT);
        return;
    }
    const std::string strCIF = rows.front()[0];
    if (!IsAgentDefined(strCIF)) {
        ShowError(MSG_CIF_NEDEFINIT);
        return;
    }
    std::string strError;
    if (!VerificaConventii(rows, strError, progress)) {
        ShowError(strError);
        return;
    }
    // The same person's convention listed twice would be saved twice: the first one counts.
    const std::vector<std::size_t> repetate = ConventiiRepetate(rows);
    if (!repetate.empty()) {
        platform::ShowMessage(MesajConventiiRepetate(rows, repetate), "VORTAPL",
                              platform::Icon::Warning);
        std::vector<bool> drop(rows.size(), false);
        for (std::size_t r : repetate)
            drop[r] = true;
        std::size_t kept = 0;
        for (std::size_t r = 0; r < rows.size(); ++r) {
            if (drop[r])
                continue;
            if (kept != r)
                rows[kept] = std::move(rows[r]);
            ++kept;
        }
        rows.resize(kept);
    }
    std::string strDigest = m_strDigest;
    if (strDigest.empty() && !Md5Digest(strPath, strDigest)) {
        ShowError("Fisierul " + strPath + " nu a putut fi deschis pentru citire!");
        return;
    }

    Advance(0, iRows, true);
    try {
        SaveConventii(theApp().m_db, strCIF, strDigest, rows, progress);
    } catch (const core::DbError& e) {
        theApp().WriteLog(std::string("[ERR][CImportConventiiKrenoDlg::OnOK ()] oo-->> ") +
                          e.what());
        m_pProgress->hide();
        ShowError(e.what());
        return;
    }
    m_pPath->clear();
    GolesteTabel();
    m_pProgress->setValue(0);
    m_pProgress->hide();
    platform::ShowMessage("Import efectuat cu succes!", "VORTAPL", platform::Icon::Information);
}

bool CImportConventiiKrenoDlg::eventFilter(QObject* pObject, QEvent* pEvent) {
    if (pObject == m_pPath && pEvent->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(pEvent)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            return true;
    }
    return QDialog::eventFilter(pObject, pEvent);
}

void CImportConventiiKrenoDlg::reject() {
    if (m_bBusy)
        return;
    QDialog::reject();
}

void CImportConventiiKrenoDlg::closeEvent(QCloseEvent* e) {
    if (m_bBusy) {
        e->ignore();
        return;
    }
    QDialog::closeEvent(e);
}

void RunImportConventii(QWidget* pParent) {
    CImportConventiiKrenoDlg dlg(pParent);
    platform::RunModal(dlg);
}
