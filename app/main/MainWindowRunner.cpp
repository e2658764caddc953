#include "main/MainWindowRunner.h"

#include <QDialog>
#include <QLabel>
#include <QVBoxLayout>

void RunMainWindow() {
    QDialog dlg;
    dlg.setWindowTitle("VORTAPL");
    auto* layout = new QVBoxLayout(&dlg);
    layout->addWidget(new QLabel("VORTAPL"));
    dlg.showMaximized();
    dlg.exec();
}
