#include "core/VORTAPLApp.h"
#include "main/MainWindowRunner.h"
#include "platform/TerminationSignals.h"
#include "widgets/AppIcon.h"

#include <QApplication>

#include <clocale>

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    QApplication::setApplicationName("VORTAPL");
    QApplication::setWindowIcon(VortaplIcon());
    QGuiApplication::setDesktopFileName("vortapl");
    // Qt takes the C locale from the environment; numbers written for the database log, the
    // agency's files and the printouts keep the decimal point whatever the user's locale.
    std::setlocale(LC_NUMERIC, "C");
    // A logout, a kill or Ctrl+C closes the program through its main window (and the database
    // through its disconnect) instead of leaving it running.
    platform::InstallTerminationHandlers();
    CVORTAPLApp app;
    bool bShown = false;
    app.InitInstance([&] {
        bShown = true;
        RunMainWindow();
    });
    return bShown ? 0 : 1;
}
