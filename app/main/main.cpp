#include "core/Database.h"
#include "core/VORTAPLApp.h"
#include "main/MainWindowRunner.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    QApplication::setApplicationName("VORTAPL");
    core::EnsureFirebirdLockFolder();
    CVORTAPLApp app;
    bool bShown = false;
    app.InitInstance([&] {
        bShown = true;
        RunMainWindow();
    });
    return bShown ? 0 : 1;
}
