#pragma once
// The extracts of the data-entry tabs: the timesheet ("EXTRAS DIN PONTAJ"), the payroll
// ("EXTRAS DIN STATUL DE PLATA") and the subsidy summary ("CENTRALIZATOR SUBVENTII"). Each is
// composed from the tab's grid texts into a document, then shown in the preview.

#include "entry/Tiparire.h"

class CPontajDlg;
class CStatDePlataDlg;
class CSubventiiDlg;

namespace extrase {

// The documents as the tab shows them; the barcode payload goes through the tab's barcode
// control and is printed as read back.
tiparire::Document ComposePontaj(CPontajDlg& dlg, const tiparire::Angajator& a,
                                 const platform::DateTime& azi);
tiparire::Document ComposeStatDePlata(CStatDePlataDlg& dlg, const tiparire::Angajator& a,
                                      const platform::DateTime& azi);
// bNewMA: the employer's conventions of the month fall under art. 93^4 (the numbered label of
// row 5 names it).
tiparire::Document ComposeCentralizator(CSubventiiDlg& dlg, const tiparire::Angajator& a,
                                        const platform::DateTime& azi, bool bNewMA);

// Composed with the default employer and today's date, then previewed; false when no printer.
bool PrintPontaj(CPontajDlg& dlg);
bool PrintStatDePlata(CStatDePlataDlg& dlg);
bool PrintCentralizator(CSubventiiDlg& dlg);

} // namespace extrase
