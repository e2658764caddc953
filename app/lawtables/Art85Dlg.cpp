#include "lawtables/Art85Dlg.h"

#include "lawtables/Definitii.h"

CArt85Dlg::CArt85Dlg(QWidget* parent) : CLawTablePage(lawtable::Art85(), parent) {}
