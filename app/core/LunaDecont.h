#pragma once
// The settlement month of the default employer on the main window: the six commands of
// "&Subventii si Scutiri" (add, view, save, finalize, reopen, abandon), the check before a
// save and the one transaction in which every page writes its part of the settlement.

#include "core/ValidareSalvare.h"

#include <QObject>

#include <string>

class CVORTAPLDlg;

class CLunaDecont : public QObject {
    Q_OBJECT
public:
    // Registers the six commands on the window, which owns this object.
    explicit CLunaDecont(CVORTAPLDlg& dlg);

    void OnAdaugareLuna();
    void OnVizualizareLuna();
    // Save (state 0) or finalize (state 1) the month on screen.
    void OnAnexeSalveazamodificarile(bool bFinalizare);
    void OnRedeschideLuna();
    void OnRenuntare();

    void ReseteazaLuna();
    void AfiseazaLuna(int iAn, int iLuna);
    bool ValidareSalvare();

    // The month before today's (by the program's clock): December of last year in January.
    static void LunaAnterioara(int& iAn, int& iLuna);

private:
    // The save transaction; false when a page refused (its tab shown) or the database failed
    // (its text shown); the database is then as it was.
    bool SalveazaInBaza(bool bFinalizare);
    void InchideLuna();
    void ShowTab(RezultatValidare::Tab tab);

    CVORTAPLDlg& m_dlg;
};
