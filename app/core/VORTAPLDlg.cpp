#include "core/VORTAPLDlg.h"

#include "core/AboutDlg.h"
#include "core/Commands.h"
#include "core/GetTextDlg.h"
#include "core/LunaDecont.h"
#include "core/PasulUrmator.h"
#include "core/Queries.h"
#include "core/TabPage.h"
#include "core/VORTAPLApp.h"
#include "platform/Desktop.h"
#include "platform/MessageBox.h"
#include "platform/ModalDialog.h"
#include "widgets/TabStrip.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QUrl>

#include <cstdio>
#include <filesystem>

const char* CVORTAPLDlg::TabTitle(int iTab) {
    static const char* titles[TabCount] = {"Subventii Centralizator",
                                           "Date Conventii-Date Angajator",
                                           "Pontaj",
                                           "Stat de Plata",
                                           "Tabel Articol 80",
                                           "Tabel Articol 85",
                                           "Tabel Legea 116",
                                           "Tabel Legea 72",
                                           "Tabel Art. 93^4"};
    return iTab >= 0 && iTab < TabCount ? titles[iTab] : "";
}

CVORTAPLDlg::CVORTAPLDlg(const std::vector<CTabPage*>& pages, QWidget* parent)
    : QDialog(parent), m_pages(pages) {
    setWindowTitle(QString("VORTAPL - Decont subventii si scutiri, versiunea %1")
                       .arg(QString::fromStdString(theApp().m_strVersiune)));
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    setMinimumSize(800, 500);

    QFont big("Arial");
    big.setPixelSize(18);
    big.setBold(true);
    for (int i = 0; i < 4; ++i) {
        m_labels[i] = new QLabel(this);
        m_labels[i]->setStyleSheet("color: rgb(28, 0, 255); background: transparent;");
    }
    m_labels[0]->setFont(big);
    m_labels[2]->setFont(big);
    m_labels[2]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_labels[3]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    m_pTabs = new CTabStrip(this);
    for (int i = 0; i < TabCount; ++i)
        m_pTabs->AddTab(TabTitle(i));
    for (CTabPage* p : m_pages) {
        p->setParent(this);
        p->SetHost([this](int code, long long param) { Notify(code, param); });
        p->show();
    }
    connect(m_pTabs, &CTabStrip::CurrentChanged, this, &CVORTAPLDlg::ShowTab);

    BuildMenu();
    m_pLuna = new CLunaDecont(*this);
    ShowTab(0);
    Notify(notify::Enable, 0);
    RefreshHeader();
}

void CVORTAPLDlg::Notify(int iCode, long long iParam) {
    if (iCode == notify::Enable) {
        m_bLunaDeschisa = iParam != 0;
        UpdateMenuState();
        RefreshHints();
    }
    SendToPages(iCode, iParam);
}

void CVORTAPLDlg::RefreshHints() {
    const std::string strHint =
        m_bLunaDeschisa ? std::string() : PasulUrmator(CitesteStarePornire());
    for (CTabPage* p : m_pages)
        if (p)
            p->SetHint(strHint);
}

void CVORTAPLDlg::SendToPages(int iCode, long long iParam) {
    for (CTabPage* p : m_pages)
        if (p)
            p->OnNotify(iCode, iParam);
}

void CVORTAPLDlg::RefreshHeader() {
    std::string cif, den, jud;
    GetDateAgentImplicit(cif, den, jud);
    auto& app = theApp();
    app.m_strCIF = cif;
    int fara = 0;
    std::string probe = cif;
    if (!cif.empty() && GetModCalculAgent(probe, fara))
        app.m_bFaraRotunjire = fara;
    else
        app.m_bFaraRotunjire = 0;

    m_labels[0]->setText(QString::fromStdString("CIF/CUI: " + cif));
    m_labels[1]->setText(QString::fromStdString("DENUMIRE: " + den));
    if (m_iAN == 0 || m_iLN == 0) {
        m_labels[2]->setText("LUNA LUCRU: NEDEFINITA");
    } else {
        char buf[64];
        std::snprintf(buf, sizeof buf, "LUNA LUCRU: %02d.%4d", m_iLN, m_iAN);
        m_labels[2]->setText(buf);
    }
    if (!m_bLunaDeschisa)
        m_labels[3]->setText("-");
    else
        m_labels[3]->setText(app.m_bLunaFinala ? "FINALIZATA" : "IN CONSTRUCTIE");
}

void CVORTAPLDlg::UpdateMenuState() {
    const bool o = m_bLunaDeschisa;
    const bool z = theApp().m_bLunaFinala;
    auto set = [this](int id, bool on) {
        if (QAction* a = Action(id))
            a->setEnabled(on);
    };
    for (int id : {cmd::SalvareLuna, cmd::FinalizareLuna})
        set(id, o && !z);
    set(cmd::Renuntare, o);
    for (int id :
         {cmd::AdaugareLuna, cmd::VizualizareLuna, cmd::RedeschideLuna, cmd::ImportConventii,
          cmd::ConstanteSistem, cmd::AdaugareAgent, cmd::ModificareAgent, cmd::SetareAgentImplicit,
          cmd::OptiuniAplicatie, cmd::VerificaVersiune, cmd::ActualizeazaSarbatori})
        set(id, !o);
    for (int id : {cmd::ExportAnexe, cmd::SalveazaPeServer, cmd::PrintCentralizator,
                   cmd::PrintPontaj, cmd::PrintStatPlata, cmd::PrintArt80, cmd::PrintArt85,
                   cmd::PrintL116, cmd::PrintL72, cmd::PrintArt93_4})
        set(id, o && z);
}

void CVORTAPLDlg::ShowTab(int iTab) {
    for (CTabPage* p : m_pages)
        p->hide();
    if (iTab < 0 || iTab >= static_cast<int>(m_pages.size()))
        return;
    if (m_pTabs->Current() != iTab)
        m_pTabs->SetCurrent(iTab); // comes back here through CurrentChanged
    m_pages[static_cast<size_t>(iTab)]->show();
}

void CVORTAPLDlg::SetCommandHandler(int iCommand, std::function<void()> handler) {
    m_handlers[iCommand] = std::move(handler);
}

QAction* CVORTAPLDlg::Action(int iCommand) const {
    auto it = m_actions.find(iCommand);
    return it == m_actions.end() ? nullptr : it->second;
}

void CVORTAPLDlg::RunCommand(int iCommand) {
    if (iCommand == cmd::IesireAltX)
        iCommand = cmd::Iesire;
    if (QAction* a = Action(iCommand); a && !a->isEnabled())
        return;
    auto it = m_handlers.find(iCommand);
    if (it != m_handlers.end() && it->second) {
        it->second();
        // An employer or the constants may have just been added.
        if (!m_bLunaDeschisa)
            RefreshHints();
        return;
    }
    platform::ShowMessage("Functie indisponibila in aceasta versiune.", "VORTAPL",
                          platform::Icon::Information);
}

bool CVORTAPLDlg::AskCIF(std::string& strCIF) {
    CGetTextDlg dlg("Introduceti CIF/CUI-ul agentului:", "Preluare CIF/CUI", this);
    if (platform::RunModal(dlg) != QDialog::Accepted)
        return false;
    strCIF = dlg.m_strText;
    if (!IsAgentDefined(strCIF)) {
        platform::ShowMessage("Codul fiscal introdus nu exista in baza de date!", "VORTAPL",
                              platform::Icon::Error);
        return false;
    }
    return true;
}

void CVORTAPLDlg::OnModificareAgent() {
    std::string cif;
    if (!AskCIF(cif))
        return;
    if (!m_runEmployerEditor) {
        platform::ShowMessage("Functie indisponibila in aceasta versiune.", "VORTAPL",
                              platform::Icon::Information);
        return;
    }
    if (m_runEmployerEditor(cif))
        RefreshHeader();
}

void CVORTAPLDlg::OnSetareAgentImplicit() {
    std::string cif;
    if (!AskCIF(cif))
        return;
    if (SetAgentImplicit(cif)) {
        platform::ShowMessage("Agent implicit setat cu SUCCES!", "VORTAPL",
                              platform::Icon::Information);
        RefreshHeader();
    }
}

std::string CVORTAPLDlg::HelpDocument() {
    // Beside the program in the build, under share/vortapl once installed.
    const std::filesystem::path dir = QCoreApplication::applicationDirPath().toStdString();
    for (const std::filesystem::path& p :
         {dir / kHelpFile, dir / ".." / "share" / "vortapl" / kHelpFile}) {
        std::error_code ec;
        if (std::filesystem::is_regular_file(p, ec))
            return std::filesystem::weakly_canonical(p, ec).string();
    }
    return {};
}

void CVORTAPLDlg::OnAjutor() {
    const std::string file = HelpDocument();
    if (file.empty()) {
        platform::ShowMessage(std::string("Documentul de ajutor ") + kHelpFile +
                                  " nu a fost gasit langa program. Reinstalati programul.",
                              "VORTAPL", platform::Icon::Warning);
        return;
    }
    const std::string url =
        QUrl::fromLocalFile(QString::fromStdString(file)).toString().toStdString();
    if (!platform::OpenUrl(url))
        platform::ShowMessage("Documentul de ajutor nu a putut fi deschis: nu exista un program "
                              "care sa afiseze pagini HTML. Deschideti-l direct din " +
                                  file,
                              "VORTAPL", platform::Icon::Warning);
}

void CVORTAPLDlg::accept() {}

void CVORTAPLDlg::reject() {
    if (m_bLunaDeschisa && !theApp().m_bLunaFinala &&
        platform::ShowMessage("Abandonam modificarile curente?", "VORTAPL",
                              platform::Icon::Question,
                              platform::Buttons::YesNo) != platform::Answer::Yes)
        return;
    m_bClosing = true;
    QDialog::reject();
}

void CVORTAPLDlg::CloseAbandoningMonth() {
    m_bClosing = true;
    QDialog::reject();
}

void CVORTAPLDlg::closeEvent(QCloseEvent* e) {
    if (m_bClosing) {
        e->accept();
        return;
    }
    e->ignore();
    reject();
}

void CVORTAPLDlg::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    LayoutChildren();
}

void CVORTAPLDlg::LayoutChildren() {
    const int top = m_pMenuBar ? m_pMenuBar->sizeHint().height() : 0;
    const int w = width(), h = height();
    if (m_pMenuBar)
        m_pMenuBar->setGeometry(0, 0, w, top);
    m_labels[0]->setGeometry(5, top + 5, 350, 20);
    m_labels[1]->setGeometry(5, top + 25, 500, 15);
    m_labels[2]->setGeometry(w - 255, top + 5, 250, 20);
    m_labels[3]->setGeometry(w - 255, top + 25, 250, 20);
    m_pTabs->setGeometry(0, top + 50, w, 24);
    const int pageTop = top + 50 + 24;
    for (CTabPage* p : m_pages)
        p->setGeometry(5, pageTop, std::max(0, w - 10), std::max(0, h - pageTop - 5));
    ShowTab(m_pTabs->Current());
}
