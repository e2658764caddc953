#pragma once
// Art. 85 table.

#include "lawtables/LawTablePage.h"

class CArt85Dlg : public CLawTablePage {
    Q_OBJECT
public:
    explicit CArt85Dlg(QWidget* parent = nullptr);
};
