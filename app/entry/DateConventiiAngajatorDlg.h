#pragma once
// "Date Conventii-Date Angajator": the conventions of the default employer running in the
// working month, read-only, and the employer's wage fund (FS) with the contribution owed on
// it (TCAD). Loading the conventions also rebuilds the application's conventions cache, which
// the timesheet, payroll and law-table pages use as their list of persons.

#include "core/TabPage.h"

#include <string>

class CXSimGrid;
class QLabel;
class QLineEdit;

class CDateConventiiAngajatorDlg : public CTabPage {
    Q_OBJECT
public:
    explicit CDateConventiiAngajatorDlg(QWidget* parent = nullptr);

    bool LoadDate(const std::string& strCIF);
    bool LoadFromDB() override;
    bool SaveData(core::Transaction& tr) override;
    void OnNotify(int iCode, long long iParam) override;

    void Reset();
    // The FS field changed: TCAD recomputed, the month totals updated, 1490 sent.
    void OnChangeFS();

    CXSimGrid* Grid() const { return m_pGrid; }
    QLineEdit* FS() const { return m_pFS; }
    QLineEdit* TCAD() const { return m_pTCAD; }
    QLabel* Rata() const { return m_pRata; }
    QLabel* Ajutor() const { return m_pAjutor; }

    int m_iAN = 0;
    int m_iLN = 0;
    double m_fFS = 0;
    double m_fTCAD = 0;
    double m_fProcAngajator = 0;

private:
    // Reads FS from its field and checks FS and TCAD against their ranges; on a value outside
    // its range the user sees the range message and the result is false.
    bool UpdateData();
    void ShowFields();
    void ShowRata();
    void OnMonth(long long iParam);

    CXSimGrid* m_pGrid;
    QLabel* m_pAjutor;
    QLineEdit* m_pFS;
    QLabel* m_pRata;
    QLineEdit* m_pTCAD;
    std::string m_strCIF;
};
