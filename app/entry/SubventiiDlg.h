#pragma once
// "Subventii Centralizator": for each scheme, the part of the month's subsidies and exemptions
// the employer recovers by deducting it from the contribution it owes, and the part to be
// refunded. Its save is the first write of a month: it inserts the settlement row that the
// other pages then complete.

#include "core/TabPage.h"
#include "widgets/BareCodeCtrl.h"

#include <string>

class CXSimGrid;
class QLabel;

class CSubventiiDlg : public CTabPage {
    Q_OBJECT
public:
    explicit CSubventiiDlg(QWidget* parent = nullptr);

    bool LoadFromDB() override;
    bool SaveData(core::Transaction& tr) override;
    void OnNotify(int iCode, long long iParam) override;

    void Reset();
    // The split of the month totals into deduction and refund.
    void Compute();
    // The stored column of an amount cell in the help pane; empty for any other cell.
    void ShowColumnHelp(int iCol, int iRow);

    // The column of ATO_RAPORTARE that stores an amount cell (rows 1..6, columns 2 and 3);
    // nullptr for any other cell.
    static const char* ColumnName(int iRow, int iCol);

    CXSimGrid* Grid() const { return m_pGrid; }
    QLabel* Ajutor() const { return m_pAjutor; }
    C_BareCodeCtrl& BareCode() { return m_bareCode; }

    int m_iAN = 0;
    int m_iLN = 0;

private:
    void SetGrid();
    void OnMonth(long long iParam);

    CXSimGrid* m_pGrid;
    QLabel* m_pAjutor;
    C_BareCodeCtrl m_bareCode; // read by the printout of the summary
    std::string m_strCIF;
};
