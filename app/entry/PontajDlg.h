#pragma once
// "Pontaj": the timesheet page. One row per person under convention and one column per day of
// the working month, in which the user types the hours worked or an absence code. Each row's
// maximum, admitted hours, sick-leave hours and NOL go into the person's record of the
// conventions cache, from which the payroll and the law tables take them (notification 1488).

#include "core/TabPage.h"
#include "entry/PontajCalcul.h"
#include "widgets/BareCodeCtrl.h"

#include <string>

class CXSimGrid;
class IndexConventii;
class QLabel;
class QPlainTextEdit;
class QPushButton;

class CPontajDlg : public CTabPage {
    Q_OBJECT
public:
    explicit CPontajDlg(QWidget* parent = nullptr);

    bool LoadFromDB() override;
    bool SaveData(core::Transaction& tr) override;
    void OnNotify(int iCode, long long iParam) override;

    // Recomputes a person row; when the figures of its convention record change, the other
    // pages are told (1488) once.
    void RecalcRow(int iRow);
    void OnAplicaNorma8();
    void OnMarcheazaPrezent();
    void OnAdaugaLinie();
    void OnEliminaLinie();
    void ShowColumnHelp(int iCol);

    CXSimGrid* Grid() const { return m_pGrid; }
    QPlainTextEdit* HelpPane() const { return m_pHelp; }
    const LunaLucru& Luna() const { return m_luna; }
    C_BareCodeCtrl& BareCode() { return m_bareCode; }

private:
    void Reset();
    void SetMonth(long long iParam);
    void BuildHeader();
    bool FillFromConventions();
    void TakeOverNorms();
    void MarkAndFormat();
    // The row's recomputation; true when its record's figures changed.
    bool Recalc(int iRow, const IndexConventii& conventii, int iZileLuc);
    int ZileLuc() const;
    void RecalcAll();

    CXSimGrid* m_pGrid;
    QPlainTextEdit* m_pHelp;
    QLabel* m_pTitle;
    QPushButton* m_pAdauga;
    QPushButton* m_pElimina;
    QPushButton* m_pNorma8;
    QPushButton* m_pPrezent;
    C_BareCodeCtrl m_bareCode;
    LunaLucru m_luna;
    bool m_bFinalizat = false;
};
