#pragma once
// Law 116 table (conventions of TIP_MA 22 before 22 October 2013).

#include "lawtables/LawTablePage.h"

class CL116Dlg : public CLawTablePage {
    Q_OBJECT
public:
    explicit CL116Dlg(QWidget* parent = nullptr);
};
