#pragma once
// "Constante Sistem": the values of every valid system constant for one month. The
// definitions (code, description, integer places, decimals) come from ATN_PROPRIETATI_CS;
// the values of a month are rows of ATN_CS.

#include <QDialog>

#include <string>
#include <vector>

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
    // Whether a value differs from what the month showed when it was loaded.
    bool Modificat() const;
    // The help a value cell shows: the format its constant's values must fit.
    std::string AjutorValoare(int iRow) const;

    // The month whose values the grid holds (year * 100 + month), what a save writes.
    int LunaAfisata() const { return m_iAnLuna; }

public slots:
    void accept() override;
    // Escape, "Renunt" and the window's close: with values changed and not saved, the user is
    // asked first.
    void reject() override;

protected:
    bool eventFilter(QObject* pObject, QEvent* pEvent) override;

private:
    // The message for a typed value that does not fit its constant, "" when it fits.
    std::string VerificaFormat(int iRow) const;
    void OnValoareEditata(int iRow, int iCol);

    QDateEdit* m_pLuna;
    CXSimGrid* m_pGrid;
    int m_iAnLuna = 0;
    // The value texts as loaded, by row (index 0 unused): what the user did not edit is saved
    // exactly as it was stored, even when it does not fit the definition of today.
    std::vector<std::string> m_incarcate;
};

// Runs the editor modally; true when it saved a month.
bool RunCSDlg(QWidget* parent);
