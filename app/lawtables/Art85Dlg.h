#pragma once
// Art. 85 table.

#include "lawtables/LawTablePage.h"

class CArt85Dlg : public CLawTablePage {
public:
    explicit CArt85Dlg(QWidget* parent = nullptr);
};
