#pragma once
// Law 72 table (pupils and students).

#include "core/TabPage.h"

class CL72Dlg : public CTabPage {
    Q_OBJECT
public:
    explicit CL72Dlg(QWidget* parent = nullptr) : CTabPage(parent) {}
};
