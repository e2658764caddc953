#pragma once
// Payroll page: gross incomes per person.

#include "core/TabPage.h"

class CStatDePlataDlg : public CTabPage {
    Q_OBJECT
public:
    explicit CStatDePlataDlg(QWidget* parent = nullptr) : CTabPage(parent) {}
};
