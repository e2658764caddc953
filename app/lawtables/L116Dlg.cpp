#include "lawtables/L116Dlg.h"

#include "lawtables/Definitii.h"

CL116Dlg::CL116Dlg(QWidget* parent) : CLawTablePage(lawtable::L116(), parent) {}
