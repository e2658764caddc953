#pragma once
// "Agent": the editor in which the user adds an employer or changes one: fiscal code, name,
// county, the default and no-rounding flags, and the free list of properties (address, bank
// account, CAEN code, ...) that the printouts and the export read back.

#include "entry/ValidareAgent.h"

#include <QDialog>

#include <string>

class CXSimGrid;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

class CAgentiDlg : public QDialog {
    Q_OBJECT
public:
    // Property grid columns.
    enum { ColProprietate = 1, ColValoare = 2, ColObligatorie = 3 };

    // strCIF: the employer to change; "" adds a new one.
    explicit CAgentiDlg(const std::string& strCIF, QWidget* parent = nullptr);

    bool SetGrid();
    bool LoadDateAgent(const std::string& szCIF);
    bool AddAgent();
    bool SaveAgent();
    // The save button: checks, then adds or saves; closes with OK only when that worked.
    void OnOK();

    // The dialog's fields as the checks and the statements use them.
    DateAgent UpdateData() const;

    QLineEdit* CifEdit() const { return m_pCIF; }
    QLineEdit* DenumireEdit() const { return m_pDenumire; }
    QComboBox* JudetCombo() const { return m_pJudet; }
    QCheckBox* CurentCheck() const { return m_pCurent; }
    QCheckBox* FaraRotunjireCheck() const { return m_pFaraRotunjire; }
    CXSimGrid* Grid() const { return m_pGrid; }

    // Whether a field differs from what the dialog showed when it opened.
    bool Modificat() const;

public slots:
    void accept() override;
    // Escape, "Renunta" and the window's close: with changes not saved, the user is asked first.
    void reject() override;

private:
    void FitColumns();

    std::string m_strCIF;
    DateAgent m_initial; // the fields as the dialog opened
    QLineEdit* m_pCIF;
    QLineEdit* m_pDenumire;
    QComboBox* m_pJudet;
    QCheckBox* m_pCurent;
    QCheckBox* m_pFaraRotunjire;
    CXSimGrid* m_pGrid;
};

// Runs the editor modally for strCIF ("" = a new employer); true when it saved.
bool RunAgentiDlg(const std::string& strCIF, QWidget* parent);
