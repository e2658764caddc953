#pragma once
// Law 72 table (pupils and students).

#include "lawtables/LawTablePage.h"

class CL72Dlg : public CLawTablePage {
    Q_OBJECT
public:
    explicit CL72Dlg(QWidget* parent = nullptr);
};
