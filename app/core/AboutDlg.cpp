#include "core/AboutDlg.h"

#include "core/VORTAPLApp.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Despre VORTAPL");
    const QString style = "color: rgb(28, 0, 255); background: transparent;";
    auto* title = new QLabel(
        "VORTAPL - Decontul lunar al subventiilor si scutirilor acordate angajatorilor", this);
    auto* version = new QLabel(QString::fromStdString("Versiune: " + theApp().m_strVersiune), this);
    version->setObjectName("version");
    auto* notice = new QLabel("Program realizat pentru angajatorii care au incheiat conventii cu "
                              "agentia pentru ocuparea fortei de munca (Legea nr. 76/2002, Legea "
                              "nr. 116/2002, Legea nr. 72/2007).",
                              this);
    notice->setWordWrap(true);
    for (QLabel* l : {title, version, notice})
        l->setStyleSheet(style);
    title->setStyleSheet(style + "font-weight: bold;");
    auto* close = new QPushButton("Inchide [ESC]", this);
    close->setObjectName("close");
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(version);
    layout->addWidget(notice);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(close);
    layout->addLayout(row);
}
