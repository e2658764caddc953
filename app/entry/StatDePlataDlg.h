#pragma once
// "Stat de Plata": the payroll page. For each person under convention it shows the month's
// normal hours (NOL) and the hours of the convention period, both from the timesheet, takes the
// month's gross income and that of the CBFS sick leave, and computes the income of the period.
// The three amounts go into the person's conventions-cache record for the law tables (1489).
//
// Rows come only from the conventions: a row added by hand could never be given a personal
// code or a name here, so none is offered.

#include "core/TabPage.h"
#include "widgets/BareCodeCtrl.h"

class CXSimGrid;
class IndexConventii;
class QPlainTextEdit;
class QPushButton;

class CStatDePlataDlg : public CTabPage {
    Q_OBJECT
public:
    explicit CStatDePlataDlg(QWidget* parent = nullptr);

    bool LoadFromDB() override;
    bool SaveData(core::Transaction& tr) override;
    void OnNotify(int iCode, long long iParam) override;

    // Takes the timesheet's hours into every row and recomputes them all; the law tables are
    // told (1489) once, when an amount of a record changed.
    void RefreshHours();
    // Recomputes a row; 1489 when its record's amounts changed.
    void RecalcRow(int iRow);
    void OnEliminaLinie();
    void ShowColumnHelp(int iCol);

    CXSimGrid* Grid() const { return m_pGrid; }
    QPlainTextEdit* HelpPane() const { return m_pHelp; }
    C_BareCodeCtrl& BareCode() { return m_bareCode; }
    int An() const { return m_iAn; }
    int Luna() const { return m_iLuna; }

private:
    void Reset();
    void BuildHeader();
    bool FillFromConventions();
    bool Recalc(int iRow, const IndexConventii& conventii);

    CXSimGrid* m_pGrid;
    QPlainTextEdit* m_pHelp;
    QPushButton* m_pElimina;
    C_BareCodeCtrl m_bareCode;
    int m_iAn = 0;
    int m_iLuna = 0;
    bool m_bFinalizat = false;
};
