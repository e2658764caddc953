#include "main/MainWindowRunner.h"

#include <QDialog>
#include <QLabel>
#include <QVBoxLayout>

std::unique_ptr<QDialog> CreateMainWindow() {
    auto dlg = std::make_unique<QDialog>();
    dlg->setWindowTitle("VORTAPL");
    auto* layout = new QVBoxLayout(dlg.get());
    layout->addWidget(new QLabel("VORTAPL"));
    return dlg;
}

void RunMainWindow() {
    auto dlg = CreateMainWindow();
    dlg->showMaximized();
    dlg->exec();
}
