#include "core/VORTAPLApp.h"

#include "core/DbOperation.h"
#include "core/MesajEroareBD.h"
#include "core/Queries.h"
#include "core/Schema.h"
#include "core/TraceLog.h"
#include "platform/MessageBox.h"

#include <QApplication>
#include <QPalette>
#include <QProgressDialog>

#include <filesystem>

#ifndef VORTAPL_VERSION
#define VORTAPL_VERSION ""
#endif

namespace {
CVORTAPLApp* g_app = nullptr;

void traceToLog(const std::string& s) {
    if (g_app)
        g_app->WriteLog(s);
}

std::string joinPath(const std::string& dir, const std::string& name) {
    return (std::filesystem::path(dir) / name).string();
}
} // namespace

CVORTAPLApp& theApp() {
    return *g_app;
}

CVORTAPLApp::CVORTAPLApp() {
    g_app = this;
    core::SetStatementTrace(&traceToLog);
    core::SetDefaultDatabase(&m_db);
}

CVORTAPLApp::~CVORTAPLApp() {
    if (m_db.Connected())
        m_db.Disconnect();
    m_pConventii.reset();
    m_pSarbatori.reset();
    if (g_app == this) {
        g_app = nullptr;
        core::SetStatementTrace(nullptr);
    }
    if (core::DefaultDatabase() == &m_db)
        core::SetDefaultDatabase(nullptr);
}

void CVORTAPLApp::WriteLog(const std::string& strMessage) {
    core::WriteLog(strMessage);
}

bool CVORTAPLApp::MakeRegFile() {
    // The grid and barcode components are built into the program, so there is nothing to
    // register by hand; the entry stays in the log so that it tells the usual story of a start.
    WriteLog("CVORTAPLApp::MakeRegFile() oooo---->> IN");
    WriteLog("CVORTAPLApp::MakeRegFile() oooo---->> OUT");
    return true;
}

bool CVORTAPLApp::ActiveXIsRegistered(const std::string& strFile, const std::string&) {
    WriteLog("bool CVORTAPLApp::ActiveXIsRegistered() ooo--->> IN");
    WriteLog("Ocx: " + strFile + " este deja inregistrat");
    WriteLog("bool CVORTAPLApp::ActiveXIsRegistered() ooo--->> OUT");
    return true;
}

bool CVORTAPLApp::RegisterActiveX(const std::string& strFile) {
    WriteLog("bool CVORTAPLApp::RegisterActiveX() ooo--->> IN");
    WriteLog("Register OCX " + strFile + " ...");
    WriteLog("bool CVORTAPLApp::RegisterActiveX() ooo--->> OUT");
    return true;
}

void CVORTAPLApp::DetectVersion() {
    m_strVersiune = VORTAPL_VERSION;
    if (!m_strVersiune.empty())
        WriteLog("Versiune: " + m_strVersiune);
}

void CVORTAPLApp::ReadWebOptions() {
    m_strAdresaWeb = m_optiuni.GetValoare("ADRESA_WEB");
    WriteLog("URL VORT este: " + m_strAdresaWeb);
    m_strHostName = m_optiuni.GetValoare("HOSTNAME");
    WriteLog("HOSTNAME VORT este: " + m_strHostName);
}

namespace {
// A first start builds the database for several seconds: a progress window tells the user the
// program is at work. Without a widget application (tools, some tests) nothing is shown.
class CreationProgress {
public:
    CreationProgress() {
        if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
            return;
        m_dlg = std::make_unique<QProgressDialog>("Se creeaza baza de date VORTAPL.DAT...",
                                                  QString(), 0, 100);
        m_dlg->setWindowTitle("VORTAPL");
        m_dlg->setCancelButton(nullptr);
        m_dlg->setMinimumDuration(0);
        m_dlg->setWindowModality(Qt::ApplicationModal);
        m_dlg->setAutoClose(false);
        m_dlg->setAutoReset(false);
        m_dlg->setValue(0);
    }
    void Step(int iDone, int iTotal) {
        if (!m_dlg)
            return;
        m_dlg->setMaximum(iTotal);
        m_dlg->setValue(iDone);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }

private:
    std::unique_ptr<QProgressDialog> m_dlg;
};
} // namespace

namespace {
// What a working folder may hold before its database exists: the trace log of an earlier
// start, leftovers of an interrupted creation, hidden files (the engine's lock folder).
bool FisierAlProgramului(const std::string& strName) {
    return strName.empty() || strName[0] == '.' || strName.rfind("vortapl.log", 0) == 0 ||
           strName.rfind(core::kDatabaseFile, 0) == 0;
}
} // namespace

bool CVORTAPLApp::ConfirmaDosarLucru() {
    std::error_code ec;
    const std::filesystem::path dir = std::filesystem::current_path(ec);
    if (ec || std::filesystem::exists(dir / core::kDatabaseFile, ec))
        return true;
    bool bAlteFisiere = false;
    for (const auto& entry : std::filesystem::directory_iterator(dir, ec))
        if (!FisierAlProgramului(entry.path().filename().string())) {
            bAlteFisiere = true;
            break;
        }
    if (!bAlteFisiere)
        return true;
    return platform::ShowMessage("Dosarul de lucru\n" + dir.string() +
                                     "\nnu contine baza de date " + core::kDatabaseFile +
                                     ", dar contine alte fisiere.\n\nCreati aici o baza de "
                                     "date noua, goala?\n\nAlegeti \"Nu\" daca dosarul a fost "
                                     "ales gresit (de exemplu VORTAPL_HOME): programul se inchide "
                                     "fara sa scrie nimic in dosar.",
                                 "VORTAPL", platform::Icon::Question,
                                 platform::Buttons::YesNo) == platform::Answer::Yes;
}

bool CVORTAPLApp::ConnectToDB() {
    WriteLog("bool CTelmoraApp::ConnectToDB() ooo--->> IN");
    std::error_code ec;
    const std::string file =
        joinPath(std::filesystem::current_path(ec).string(), core::kDatabaseFile);
    bool bCreata = false;
    try {
        // What an interrupted first start left goes first; then a working folder without its
        // database gets a new one from the shipped schema. An existing file is never touched.
        if (int n = core::RemoveLeftoverDatabaseFiles(file); n > 0)
            WriteLog("Fisiere temporare ramase de la o creare intrerupta, sterse: " +
                     std::to_string(n));
        if (!std::filesystem::exists(file)) {
            WriteLog("Baza de date lipseste; se creeaza " + file);
            CreationProgress progress;
            core::CreateInitialDatabase(file,
                                        [&](int done, int total) { progress.Step(done, total); });
            bCreata = true;
        }
        m_db.Connect(file, core::kDbUser, core::kDbPassword);
    } catch (const core::DbError& e) {
        WriteLog(e.what());
        platform::ShowMessage(core::MesajEroareBD(e.what()), "VORTAPL", platform::Icon::Error);
        return false;
    }
    WriteLog("Conectare cu SUCCES la baza de date. ");
    if (bCreata)
        platform::ShowMessage("A fost creata o baza de date noua:\n" + file +
                                  "\n\nToate datele programului se pastreaza in acest fisier; "
                                  "faceti-i copii de siguranta cu programul inchis.",
                              "VORTAPL", platform::Icon::Information);
    WriteLog("bool CTelmoraApp::ConnectToDB() ooo--->> OUT");
    return true;
}

bool CVORTAPLApp::CreareTabelaArt93_4() {
    const std::string signature = "CVORTAPLApp::CreareTabelaArt93_4(IBPP::Transaction& tr)";
    const bool bTable = core::RunLogged(signature, [](core::Statement& st) {
        st.Execute("Select count (*) from ATO_RAPORTARE_ART93_4");
        st.Close();
    });
    // Firebird needs the table committed before keys can be added to it, so the upgrade runs
    // in two transactions. An upgrade cut short between them left the table without its keys:
    // the keys are therefore checked at every start and whatever is missing is added.
    bool ok = bTable || core::RunLogged(signature, [](core::Statement& st) {
                  st.Execute(core::kArt93_4Create);
              });
    bool bPrimary = false, bForeign = false;
    ok = ok && core::RunLogged(
                   signature,
                   [&](core::Statement& st) {
                       st.Execute("SELECT TRIM(RDB$CONSTRAINT_TYPE) AS TIP FROM "
                                  "RDB$RELATION_CONSTRAINTS WHERE RDB$RELATION_NAME = "
                                  "'ATO_RAPORTARE_ART93_4'");
                       while (st.Fetch()) {
                           const std::string type = st.GetText("TIP");
                           bPrimary = bPrimary || type == "PRIMARY KEY";
                           bForeign = bForeign || type == "FOREIGN KEY";
                       }
                   },
                   core::TransactionMode::ReadOnly);
    if (ok && !(bPrimary && bForeign))
        ok = core::RunLogged(signature, [&](core::Statement& st) {
            if (!bPrimary)
                st.Execute(core::kArt93_4PrimaryKey);
            if (!bForeign)
                st.Execute(core::kArt93_4ForeignKey);
        });
    if (ok)
        return true;
    platform::ShowMessage("Eroare la verificarea dependentelor", "VORTAPL", platform::Icon::Error);
    return false;
}

bool CVORTAPLApp::Startup() {
    if (!ConfirmaDosarLucru())
        return false;
    // 1-2: dialogs get their light yellow background and black text.
    if (qApp) {
        QPalette pal = QApplication::palette();
        pal.setColor(QPalette::Window, QColor(255, 255, 205));
        pal.setColor(QPalette::WindowText, Qt::black);
        QApplication::setPalette(pal, "QDialog");
    }
    // 3-5: the components (grid, barcode) are part of the program.
    MakeRegFile();
    for (auto [file, guid] : {std::pair{"print.ocx", "9D28E75C-76CA-47D2-ADF2-CE3F19CBF9C8"},
                              std::pair{"BCode.ocx", "A83E907B-BC52-4AA3-803D-C82B100FC35E"}}) {
        if (!ActiveXIsRegistered(file, guid) && !RegisterActiveX(file))
            return false;
    }
    // 6: the working folder, used as it is.
    std::error_code ec;
    m_strDirector = std::filesystem::current_path(ec).string();
    while (m_strDirector.size() > 1 && m_strDirector.back() == '/')
        m_strDirector.pop_back();
    WriteLog("Directorul curent este: " + m_strDirector);
    // 7-8: barcodes are drawn as vector symbols by the print library; no font file is needed.
    WriteLog("Fontul " + joinPath(m_strDirector, "pdf417.ttf") + " inregistrat cu succes.");
    WriteLog("Fontul " + joinPath(m_strDirector, "code128.ttf") + " inregistrat cu succes.");
    // 9-11
    DetectVersion();
    if (!ConnectToDB())
        return false;
    if (!GetDBVersion(m_strVersiuneBD))
        return false;
    WriteLog("Versiunea bazei de date este: " + m_strVersiuneBD);
    // 12
    if (!m_optiuni.Load()) {
        platform::ShowMessage("Eroare la preluarea optiunilor aplicatiei.", "VORTAPL",
                              platform::Icon::Error);
        WriteLog(m_optiuni.GetLastError());
        return false;
    }
    // 13-14
    if (!CreareTabelaArt93_4())
        return false;
    ReadWebOptions();
    // 15-17
    if (!m_judete.Load()) {
        platform::ShowMessage("Eroare la preluarea nomenclatorului de JUDETE.", "VORTAPL",
                              platform::Icon::Error);
        WriteLog(m_judete.GetLastError());
        return false;
    }
    m_pSarbatori = std::make_unique<_NZileNelucratoare>();
    if (!m_pSarbatori->Load()) {
        platform::ShowMessage("Eroare la preluarea nomenclatorului de SARBATORI.", "VORTAPL",
                              platform::Icon::Error);
        WriteLog(m_pSarbatori->GetLastError());
        return false;
    }
    if (!m_constante.Load()) {
        platform::ShowMessage("Eroare la preluarea nomenclatorului de CONSTANTE SISTEM.", "VORTAPL",
                              platform::Icon::Error);
        WriteLog(m_constante.GetLastError());
        return false;
    }
    // 18
    m_pConventii = std::make_unique<_NDateConventiiAngajator>();
    return true;
}

bool CVORTAPLApp::InitInstance(const std::function<void()>& runMainWindow) {
    if (Startup() && runMainWindow)
        runMainWindow();
    return false;
}

// Declared with the query functions; it reads the application's conventions cache, so it lives
// beside the application object and the database layer stays free of it.
bool GetDocumentConventie(const std::string& strIdMA, std::string& strDocNr,
                          std::string& strDocData) {
    const _NDateConventiiAngajator* pCache = theApp().m_pConventii.get();
    if (!pCache) {
        strDocNr.clear();
        strDocData.clear();
        return false;
    }
    return pCache->GetDocument(strIdMA, strDocNr, strDocData);
}
