#pragma once
// "Optiuni Aplicatie": the application options in a grid, where only the values can be edited.

#include <QDialog>

class CXSimGrid;

class COptiuniDlg : public QDialog {
    Q_OBJECT
public:
    explicit COptiuniDlg(QWidget* parent = nullptr);
    CXSimGrid* Grid() const { return m_pGrid; }

public slots:
    void accept() override; // "&Salveaza": writes the changed values

private:
    void SetGrid();
    CXSimGrid* m_pGrid;
};
