#pragma once
// "Constante Sistem": the values of every valid system constant for one month. The
// definitions (code, description, integer places, decimals) come from ATN_PROPRIETATI_CS;
// the values of a month are rows of ATN_CS.

#include <QDialog>

class CXSimGrid;
class QDateEdit;

class CCSDlg : public QDialog {
    Q_OBJECT
public:
    // Grid columns; the last two keep the definition of the row and are hidden.
    enum { ColCS = 1, ColValoare = 2, ColDescriere = 3, ColPIntreaga = 4, ColZecimale = 5 };

    explicit CCSDlg(QWidget* parent = nullptr);

    bool SetGrid();
    bool LoadCS(int iAnul, int iLuna);
    // Replaces every value of the month in one transaction and refreshes the constants list.
    bool SaveCS(int iAnul, int iLuna);
    // The save button: every value must be filled; closes only when the month was saved.
    void OnOK();
    void OnChangeLuna();

    QDateEdit* Luna() const { return m_pLuna; }
    CXSimGrid* Grid() const { return m_pGrid; }
    // The month whose values the grid holds (year * 100 + month), what a save writes.
    int LunaAfisata() const { return m_iAnLuna; }

public slots:
    void accept() override;

private:
    QDateEdit* m_pLuna;
    CXSimGrid* m_pGrid;
    int m_iAnLuna = 0;
};

// Runs the editor modally; true when it saved a month.
bool RunCSDlg(QWidget* parent);
