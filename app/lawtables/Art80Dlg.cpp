#include "lawtables/Art80Dlg.h"

#include "lawtables/Definitii.h"

CArt80Dlg::CArt80Dlg(QWidget* parent) : CLawTablePage(lawtable::Art80(), parent) {}
