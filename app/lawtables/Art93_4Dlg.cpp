#include "lawtables/Art93_4Dlg.h"

#include "lawtables/Definitii.h"

CArt93_4Dlg::CArt93_4Dlg(QWidget* parent) : CLawTablePage(lawtable::Art93_4(), parent) {}
