#pragma once
// "Despre VORTAPL": the program's title, version and funding notice.

#include <QDialog>

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};
