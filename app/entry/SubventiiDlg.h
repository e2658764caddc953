#pragma once
// Subsidy summary page: splits each scheme's total into deduction and refund.

#include "core/TabPage.h"

class CSubventiiDlg : public CTabPage {
    Q_OBJECT
public:
    explicit CSubventiiDlg(QWidget* parent = nullptr) : CTabPage(parent) {}
};
