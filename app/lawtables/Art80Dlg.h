#pragma once
// Art. 80 table (graduates).

#include "lawtables/LawTablePage.h"

class CArt80Dlg : public CLawTablePage {
    Q_OBJECT
public:
    explicit CArt80Dlg(QWidget* parent = nullptr);
};
