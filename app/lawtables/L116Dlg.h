#pragma once
// Law 116 table.

#include "core/TabPage.h"

class CL116Dlg : public CTabPage {
    Q_OBJECT
public:
    explicit CL116Dlg(QWidget* parent = nullptr) : CTabPage(parent) {}
};
