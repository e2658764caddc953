#pragma once
// Art. 93^4 table (conventions of TIP_MA 22 from 22 October 2013).

#include "lawtables/LawTablePage.h"

class CArt93_4Dlg : public CLawTablePage {
    Q_OBJECT
public:
    explicit CArt93_4Dlg(QWidget* parent = nullptr);
};
