#pragma once
// The application object: brings the program up in a fixed order (components, database,
// schema upgrade, reference lists), runs the main window and holds the state every page
// reads: the database, the lists, the default employer, the month on screen, the web options.

#include "core/ConventiiCache.h"
#include "core/Database.h"
#include "core/Lists.h"
#include "core/MonthTotals.h"

#include <functional>
#include <memory>
#include <string>

class CVORTAPLApp {
public:
    CVORTAPLApp();
    ~CVORTAPLApp();
    CVORTAPLApp(const CVORTAPLApp&) = delete;
    CVORTAPLApp& operator=(const CVORTAPLApp&) = delete;

    // Steps of the start-up up to the main window; false when one of them failed (the
    // user has seen its message and the trace log holds the reason).
    bool Startup();
    // The whole start-up: Startup, then the main window run modally by runMainWindow.
    // Always false once the window has closed, so the program ends.
    bool InitInstance(const std::function<void()>& runMainWindow);

    void WriteLog(const std::string& strMessage);
    // A folder that holds other files but no database is not taken for a working folder
    // without asking: a mistyped folder would otherwise silently give an empty database.
    // Writes nothing into the folder.
    bool ConfirmaDosarLucru();
    bool ConnectToDB();
    void DetectVersion();
    void ReadWebOptions();
    bool CreareTabelaArt93_4();
    bool MakeRegFile();
    bool ActiveXIsRegistered(const std::string& strFile, const std::string& strGuid);
    bool RegisterActiveX(const std::string& strFile);

    core::Database m_db;
    _NJudete m_judete;
    std::unique_ptr<_NDateConventiiAngajator> m_pConventii;
    std::unique_ptr<_NZileNelucratoare> m_pSarbatori;
    _NConstanteSistem m_constante;
    _NOptiuniApp m_optiuni;
    std::string m_strCIF;
    int m_bFaraRotunjire = 0;
    bool m_bLunaFinala = false;
    MonthTotals m_totaluri;
    std::string m_strVersiune;
    std::string m_strDirector;
    std::string m_strAdresaWeb;
    std::string m_strHostName;
    std::string m_strVersiuneBD;
};

// The one application object of the process (the most recently constructed one).
CVORTAPLApp& theApp();
