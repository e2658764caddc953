#pragma once
// Timesheet page: hours and absence codes per person and day.

#include "core/TabPage.h"

class CPontajDlg : public CTabPage {
    Q_OBJECT
public:
    explicit CPontajDlg(QWidget* parent = nullptr) : CTabPage(parent) {}
};
