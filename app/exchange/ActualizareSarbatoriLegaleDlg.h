#pragma once
// "Actualizare sarbatori legale": fetches the current year's legal holidays from the agency's
// site, lists them, and on "Actualizeaza" stores them in the holidays list. A failed download
// or an unreadable document leaves the list and the database as they were, and the dialog
// stays open so the user may try again.

#include "exchange/DocumenteWeb.h"

#include <QDialog>

#include <vector>

class QPushButton;
class QTableWidget;

class CActualizareSarbatoriLegaleDlg : public QDialog {
    Q_OBJECT
public:
    explicit CActualizareSarbatoriLegaleDlg(QWidget* pParent = nullptr, int iTimeoutMs = 30000);

    QTableWidget* Lista() const { return m_pLista; }
    QPushButton* DescarcaButton() const { return m_pDescarca; }
    QPushButton* ActualizeazaButton() const { return m_pActualizeaza; }
    QPushButton* RenuntButton() const { return m_pRenunt; }

public slots:
    void OnDescarca();
    void OnActualizeaza();

private:
    void Umple(const std::vector<SarbatoareWeb>& rows);

    QTableWidget* m_pLista;
    QPushButton* m_pDescarca;
    QPushButton* m_pActualizeaza;
    QPushButton* m_pRenunt;
    int m_iTimeoutMs;
};

void RunActualizareSarbatori(QWidget* pParent);
