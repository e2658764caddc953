#pragma once
// Conventions of the working month and the employer's wage fund.

#include "core/TabPage.h"

class CDateConventiiAngajatorDlg : public CTabPage {
    Q_OBJECT
public:
    explicit CDateConventiiAngajatorDlg(QWidget* parent = nullptr) : CTabPage(parent) {}
};
