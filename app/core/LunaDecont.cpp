#include "core/LunaDecont.h"

#include "core/Commands.h"
#include "core/Database.h"
#include "core/DbOperation.h"
#include "core/MesajEroareBD.h"
#include "core/Queries.h"
#include "core/SelectieLunaDlg.h"
#include "core/TabPage.h"
#include "core/VORTAPLApp.h"
#include "core/VORTAPLDlg.h"
#include "core/ValueFunctions.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "platform/ModalDialog.h"
#include "widgets/XSimGrid.h"

#include <cstdio>

namespace {
const char* const kSemnaturaSalvare = "CVORTAPLDlg::OnAnexeSalveazamodificarile()";
const char* const kFaraCIF =
    "Nu exista nici un CIF setat ca implicit.\nVa rugam sa setati un CIF implicit!";

bool intreaba(const std::string& text, platform::Icon icon = platform::Icon::Question) {
    return platform::ShowMessage(text, "VORTAPL", icon, platform::Buttons::YesNo) ==
           platform::Answer::Yes;
}
} // namespace

CLunaDecont::CLunaDecont(CVORTAPLDlg& dlg) : QObject(&dlg), m_dlg(dlg) {
    dlg.SetCommandHandler(cmd::AdaugareLuna, [this] { OnAdaugareLuna(); });
    dlg.SetCommandHandler(cmd::VizualizareLuna, [this] { OnVizualizareLuna(); });
    dlg.SetCommandHandler(cmd::SalvareLuna, [this] { OnAnexeSalveazamodificarile(false); });
    dlg.SetCommandHandler(cmd::FinalizareLuna, [this] { OnAnexeSalveazamodificarile(true); });
    dlg.SetCommandHandler(cmd::RedeschideLuna, [this] { OnRedeschideLuna(); });
    dlg.SetCommandHandler(cmd::Renuntare, [this] { OnRenuntare(); });
}

void CLunaDecont::LunaAnterioara(int& iAn, int& iLuna) {
    const platform::DateTime now = platform::Now();
    iAn = now.month == 1 ? now.year - 1 : now.year;
    iLuna = now.month == 1 ? 12 : now.month - 1;
}

void CLunaDecont::ReseteazaLuna() {
    auto& app = theApp();
    m_dlg.m_iAN = 0;
    m_dlg.m_iLN = 0;
    app.m_bLunaFinala = false;
    app.m_bFaraRotunjire = 0;
    app.m_totaluri.Clear();
}

void CLunaDecont::AfiseazaLuna(int iAn, int iLuna) {
    auto& app = theApp();
    ReseteazaLuna();
    m_dlg.m_iLN = iLuna;
    m_dlg.m_iAN = iAn;
    app.m_bLunaFinala = IsLunaFinala(iAn, iLuna, app.m_strCIF);
    m_dlg.Notify(notify::Enable, 1);
    m_dlg.Notify(notify::LoadMonth, iAn * 100LL + iLuna);
    m_dlg.Notify(notify::Finalized, app.m_bLunaFinala ? 1 : 0);
    m_dlg.RefreshHeader();
}

void CLunaDecont::OnAdaugareLuna() {
    auto& app = theApp();
    int y = 0, l = 0;
    LunaAnterioara(y, l);
    if (!ExistaCS(y, l)) {
        platform::ShowMessage("Nu ati definit toate constantele de sistem pt luna de lucru.\n"
                              "Va rugam sa setati constantele sistem!",
                              "VORTAPL", platform::Icon::Error);
        return;
    }
    if (app.m_strCIF.empty()) {
        platform::ShowMessage(kFaraCIF, "VORTAPL", platform::Icon::Error);
        return;
    }
    if (ExistaDecont(y, l, app.m_strCIF)) {
        const std::string t = core::Format("[%ld-%02d] !", static_cast<long>(y), l);
        if (IsLunaFinala(y, l, app.m_strCIF)) {
            platform::ShowMessage("Exista deja o luna finalizata pentru aceasta luna " + t +
                                      "\nLuna poate fi doar consultata!",
                                  "VORTAPL", platform::Icon::Error);
            return;
        }
        if (!intreaba("Exista deja o luna pentru aceasta luna " + t +
                      "\nLa o noua salvare datele vor fi suprascrise pierzand calculele "
                      "anterioare!\nDoriti sa continuati?"))
            return;
    }
    m_dlg.m_iLN = l;
    m_dlg.m_iAN = y;
    m_dlg.SendToPages(notify::NewMonth, y * 100LL + l);
    m_dlg.Notify(notify::Enable, 1);
    m_dlg.RefreshHeader();
}

void CLunaDecont::OnVizualizareLuna() {
    auto& app = theApp();
    if (app.m_strCIF.empty()) {
        platform::ShowMessage(kFaraCIF, "VORTAPL", platform::Icon::Error);
        return;
    }
    CSelectieLunaDlg dlg(&m_dlg);
    if (platform::RunModal(dlg) != QDialog::Accepted)
        return;
    if (!ExistaDecont(dlg.m_iAnul, dlg.m_iLuna, app.m_strCIF)) {
        platform::ShowMessage("Nu exista nici o declaratie pentru CIF-ul implicit pe luna "
                              "introdusa!",
                              "VORTAPL", platform::Icon::Information);
        return;
    }
    AfiseazaLuna(dlg.m_iAnul, dlg.m_iLuna);
}

void CLunaDecont::ShowTab(RezultatValidare::Tab tab) {
    switch (tab) {
    case RezultatValidare::Tab::Conventii:
        m_dlg.ShowTab(CVORTAPLDlg::TabConventii);
        break;
    case RezultatValidare::Tab::Pontaj:
        m_dlg.ShowTab(CVORTAPLDlg::TabPontaj);
        break;
    case RezultatValidare::Tab::StatDePlata:
        m_dlg.ShowTab(CVORTAPLDlg::TabStatPlata);
        break;
    case RezultatValidare::Tab::Niciunul:
        break;
    }
}

bool CLunaDecont::ValidareSalvare() {
    auto& app = theApp();
    _NDateConventiiAngajator gol;
    const _NDateConventiiAngajator& conventii = app.m_pConventii ? *app.m_pConventii : gol;
    const double smb = app.m_constante.GetValoare("SMB", m_dlg.m_iAN, m_dlg.m_iLN);
    const RezultatValidare rez =
        VerificaSalvare(conventii, m_dlg.m_iAN, m_dlg.m_iLN, smb, app.m_totaluri.FS);
    if (!rez.strOprire.empty()) {
        platform::ShowMessage(rez.strOprire, "VORTAPL", platform::Icon::Error);
        ShowTab(rez.tabOprire);
        return false;
    }
    if (!rez.strErori.empty()) {
        platform::ShowMessage(rez.strErori + "\n\n\nVa rugam sa corectati erorile inainte de "
                                             "salvare!",
                              "VORTAPL", platform::Icon::Error);
        ShowTab(RezultatValidare::Tab::StatDePlata);
        return false;
    }
    if (!rez.strAvertizari.empty() &&
        !intreaba(rez.strAvertizari + "\n\n\nDoriti sa continuati salvarea in aceste conditii?",
                  platform::Icon::Error)) {
        ShowTab(RezultatValidare::Tab::StatDePlata);
        return false;
    }
    if (!rez.strFondSalarii.empty()) {
        platform::ShowMessage(rez.strFondSalarii, "VORTAPL", platform::Icon::Error);
        ShowTab(RezultatValidare::Tab::Conventii);
        return false;
    }
    return true;
}

bool CLunaDecont::SalveazaInBaza(bool bFinalizare) {
    auto& app = theApp();
    const int an = m_dlg.m_iAN, ln = m_dlg.m_iLN;
    const std::string cif = app.m_strCIF;
    core::Transaction tr(app.m_db);
    try {
        tr.Start();
        {
            core::Statement st(tr);
            st.Execute("DELETE FROM ATO_RAPORTARE WHERE AN=? AND LN=? AND CIF=?",
                       {std::int64_t(an), std::int64_t(ln), cif});
        }
        // Tab order is the order of writing: the summary inserts the settlement row that the
        // conventions page updates and the detail rows of the other pages refer to.
        for (int i = 0; i < CVORTAPLDlg::TabCount; ++i) {
            CTabPage* page = m_dlg.Page(i);
            if (page && !page->SaveData(tr)) {
                tr.Rollback();
                m_dlg.ShowTab(i);
                return false;
            }
        }
        const int cod = GenerateCodUnic();
        core::Statement st(tr);
        if (bFinalizare)
            st.Execute("UPDATE ATO_RAPORTARE SET STARE = 1, DATA_STARE = CURRENT_TIMESTAMP, "
                       "COD_UNIC = ? WHERE AN = ? AND LN = ? AND CIF = ?",
                       {std::int64_t(cod), std::int64_t(an), std::int64_t(ln), cif});
        else
            st.Execute("UPDATE ATO_RAPORTARE SET COD_UNIC = ?, DATA_STARE = CURRENT_TIMESTAMP "
                       "WHERE AN = ? AND LN = ? AND CIF = ?",
                       {std::int64_t(cod), std::int64_t(an), std::int64_t(ln), cif});
        // Without the settlement row nothing of the month was stored: not a save.
        if (st.RowsAffected() < 1)
            throw core::DbError(
                core::Format("Decontul lunii %02d.%d nu a fost scris in baza de date.", ln, an));
        tr.Commit();
        return true;
    } catch (const std::exception& e) {
        try {
            tr.Rollback();
        } catch (...) {
        }
        app.WriteLog(core::ErrorLine(kSemnaturaSalvare, e.what()));
        // What the engine said, explained as every other database error of the program is.
        platform::ShowMessage(core::MesajEroareBD(e.what()), "VORTAPL", platform::Icon::Error);
        return false;
    }
}

void CLunaDecont::InchideLuna() {
    m_dlg.SendToPages(notify::Clear, 0);
    m_dlg.Notify(notify::Enable, 0);
    ReseteazaLuna();
    m_dlg.RefreshHeader();
}

void CLunaDecont::OnAnexeSalveazamodificarile(bool bFinalizare) {
    if (!m_dlg.m_bLunaDeschisa || theApp().m_bLunaFinala)
        return; // a finalized settlement is never written again
    // A value still in a cell editor (Ctrl+S pressed before Enter) is taken into its page
    // first, so the save writes what the user sees.
    for (CXSimGrid* pGrid : m_dlg.findChildren<CXSimGrid*>())
        pGrid->CommitEdit();
    if (bFinalizare && !intreaba("Confirmati inchiderea lunii curent selectata?"))
        return;
    if (!ValidareSalvare())
        return;
    if (SalveazaInBaza(bFinalizare))
        InchideLuna();
}

void CLunaDecont::OnRedeschideLuna() {
    auto& app = theApp();
    if (app.m_strCIF.empty()) {
        platform::ShowMessage(kFaraCIF, "VORTAPL", platform::Icon::Error);
        return;
    }
    if (platform::Now().day >= 26) {
        platform::ShowMessage("O luna finalizata se poate redeschide pana la data de 25 a lunii "
                              "curente!",
                              "VORTAPL", platform::Icon::Information);
        return;
    }
    int y = 0, l = 0;
    LunaAnterioara(y, l);
    if (!ExistaDecont(y, l, app.m_strCIF)) {
        platform::ShowMessage(
            core::Format("Nu exista nici un decont pentru CIF-ul implicit pe luna %02d.%d!", l, y),
            "VORTAPL", platform::Icon::Information);
        return;
    }
    if (!IsLunaFinala(y, l, app.m_strCIF)) {
        platform::ShowMessage(
            core::Format(
                "Nu exista nici un decont finalizat pentru CIF-ul implicit pe luna %02d.%d!", l, y),
            "VORTAPL", platform::Icon::Information);
        return;
    }
    if (!intreaba(core::Format("Confirmati redeschiderea lunii %02d.%d?", l, y)))
        return;
    if (DeschideLuna(y, l, app.m_strCIF)) {
        platform::ShowMessage(
            core::Format("Luna %02d.%d a fost redeschisa cu succes!\nClick ok pentru "
                         "a intra in vizualizarea lunii!",
                         l, y),
            "VORTAPL", platform::Icon::Information);
        AfiseazaLuna(y, l);
    } else {
        platform::ShowMessage(core::Format("Eroare la redeschiderea lunii %02d.%d!", l, y),
                              "VORTAPL", platform::Icon::Error);
    }
}

void CLunaDecont::OnRenuntare() {
    if (!m_dlg.m_bLunaDeschisa)
        return;
    if (!theApp().m_bLunaFinala && !intreaba("Confirmati abandonarea modificarilor?"))
        return;
    InchideLuna();
}
