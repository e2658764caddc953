#include "lawtables/L72Dlg.h"

#include "lawtables/Definitii.h"

CL72Dlg::CL72Dlg(QWidget* parent) : CLawTablePage(lawtable::L72(), parent) {}
