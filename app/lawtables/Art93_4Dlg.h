#pragma once
// Art. 93^4 table.

#include "core/TabPage.h"

class CArt93_4Dlg : public CTabPage {
    Q_OBJECT
public:
    explicit CArt93_4Dlg(QWidget* parent = nullptr) : CTabPage(parent) {}
};
