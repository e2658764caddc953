#include "main/MainWindowRunner.h"

#include "core/VORTAPLDlg.h"

#include "core/Commands.h"
#include "core/VORTAPLApp.h"
#include "entry/AgentiDlg.h"
#include "entry/CSDlg.h"
#include "entry/DateConventiiAngajatorDlg.h"
#include "entry/PontajDlg.h"
#include "entry/StatDePlataDlg.h"
#include "entry/SubventiiDlg.h"
#include "exchange/ActualizareSarbatoriLegaleDlg.h"
#include "exchange/ExportDecont.h"
#include "exchange/ImportConventiiKrenoDlg.h"
#include "exchange/VersiuneNouaDlg.h"
#include "lawtables/Art80Dlg.h"
#include "lawtables/Art85Dlg.h"
#include "lawtables/Art93_4Dlg.h"
#include "lawtables/L116Dlg.h"
#include "lawtables/L72Dlg.h"
#include "platform/TerminationSignals.h"
#include "widgets/AppIcon.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>

#include <csignal>
#include <string>

std::unique_ptr<CVORTAPLDlg> CreateMainWindow() {
    // The pages in tab order; the conventions page comes before every page that reads the
    // conventions cache it rebuilds.
    std::vector<CTabPage*> pages = {new CSubventiiDlg, new CDateConventiiAngajatorDlg,
                                    new CPontajDlg,    new CStatDePlataDlg,
                                    new CArt80Dlg,     new CArt85Dlg,
                                    new CL116Dlg,      new CL72Dlg,
                                    new CArt93_4Dlg};
    auto dlg = std::make_unique<CVORTAPLDlg>(pages);
    CVORTAPLDlg* w = dlg.get();
    w->setWindowIcon(VortaplIcon());
    w->m_runEmployerEditor = [w](const std::string& strCIF) { return RunAgentiDlg(strCIF, w); };
    w->SetCommandHandler(cmd::ConstanteSistem, [w] { RunCSDlg(w); });
    w->SetCommandHandler(cmd::ImportConventii, [w] { RunImportConventii(w); });
    w->SetCommandHandler(cmd::ExportAnexe, [w] { RunExportAnexe(*w); });
    w->SetCommandHandler(cmd::SalveazaPeServer, [w] { RunSalveazaPeServer(*w); });
    w->SetCommandHandler(cmd::VerificaVersiune, [w] { RunVerificaVersiune(w); });
    w->SetCommandHandler(cmd::ActualizeazaSarbatori, [w] { RunActualizareSarbatori(w); });
    return dlg;
}

void OnSignal(CVORTAPLDlg& dlg, int iSignal) {
    const char* name = iSignal == SIGTERM ? "SIGTERM" : iSignal == SIGINT ? "SIGINT" : "SIGHUP";
    theApp().WriteLog(std::string("Semnalul ") + name + " a fost primit; programul se inchide.");
    if (!dlg.isVisible())
        return;
    if (iSignal == SIGINT && QApplication::activeModalWidget() == &dlg) {
        dlg.reject();
        return;
    }
    const bool bNested = QApplication::activeModalWidget() != &dlg;
    dlg.CloseAbandoningMonth();
    // A dialog or message box over the window would keep its own loop running, waiting for
    // an answer nobody gives: every loop is ended, and the window's with them.
    if (bNested)
        QCoreApplication::exit(0);
}

void ExecMainWindow(CVORTAPLDlg& dlg) {
    platform::ReassertTerminationHandlers();
    platform::SetTerminationHandler([&dlg](int sig) { OnSignal(dlg, sig); });
    dlg.exec();
    platform::SetTerminationHandler({});
}

void RunMainWindow() {
    auto dlg = CreateMainWindow();
    // Without a window manager a maximise request is ignored: take the screen's area too.
    if (QScreen* screen = QGuiApplication::primaryScreen())
        dlg->setGeometry(screen->availableGeometry());
    dlg->setWindowState(Qt::WindowMaximized);
    ExecMainWindow(*dlg);
}
