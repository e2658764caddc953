#pragma once
// Art. 85 table.

#include "core/TabPage.h"

class CArt85Dlg : public CTabPage {
    Q_OBJECT
public:
    explicit CArt85Dlg(QWidget* parent = nullptr) : CTabPage(parent) {}
};
