#include "core/Database.h"
#include "core/VORTAPLApp.h"
#include "main/MainWindowRunner.h"

#include <QApplication>
#include <QIcon>

#include <clocale>

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    QApplication::setApplicationName("VORTAPL");
    QApplication::setWindowIcon(QIcon(":/vortapl/vortapl.png"));
    QGuiApplication::setDesktopFileName("vortapl");
    // Qt takes the C locale from the environment; numbers written for the database log, the
    // agency's files and the printouts keep the decimal point whatever the user's locale.
    std::setlocale(LC_NUMERIC, "C");
    core::EnsureFirebirdLockFolder();
    CVORTAPLApp app;
    bool bShown = false;
    app.InitInstance([&] {
        bShown = true;
        RunMainWindow();
    });
    return bShown ? 0 : 1;
}
