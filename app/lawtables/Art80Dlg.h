#pragma once
// Art. 80 table (graduates).

#include "core/TabPage.h"

class CArt80Dlg : public CTabPage {
    Q_OBJECT
public:
    explicit CArt80Dlg(QWidget* parent = nullptr) : CTabPage(parent) {}
};
