#pragma once
// "Export anexe pentru depunere KRENO" and "Salveaza decont pe serverul KRENO": the settlement
// of the working month, as the tabs of the main window show it, written as the agency's
// document and enciphered as a transfer file.
//
// The plain document never reaches the disk: it holds names and personal codes, and a failed
// or interrupted export must leave neither a half file nor that text behind. It is built and
// enciphered in memory, and the transfer file is written through a temporary file renamed
// into place.

#include "exchange/DocumentDecont.h"

#include <string>

class CVORTAPLDlg;
class CXSimGrid;

GridTexts SnapshotGrid(const CXSimGrid* pGrid);

// Gathers what the document carries from the main window, the database and the lists. False
// (after showing the database's error) when the employer's properties cannot be read.
bool GatherDateDecont(CVORTAPLDlg& dlg, DateDecont& d, std::string& strCodJudet);

// Writes the transfer file of the working month into the chosen folder (bAskFolder) or the
// working folder; strTransferPath receives its path. False when the user cancels or on an
// error, which has been shown.
bool ExportSettlementDocument(CVORTAPLDlg& dlg, bool bAskFolder, std::string& strTransferPath);

void RunExportAnexe(CVORTAPLDlg& dlg);
void RunSalveazaPeServer(CVORTAPLDlg& dlg);
