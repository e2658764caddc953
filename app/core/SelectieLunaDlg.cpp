#include "core/SelectieLunaDlg.h"

#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "widgets/DialogButtons.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdio>

int CSelectieLunaDlg::LastYear() {
    return platform::Now().year;
}

CSelectieLunaDlg::CSelectieLunaDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Selecteaza Luna si Anul");
    const platform::DateTime now = platform::Now();
    m_iAnul = now.month == 1 ? now.year - 1 : now.year;
    m_iLuna = now.month == 1 ? 12 : now.month - 1;

    m_pAn = new QLineEdit(this);
    m_pLuna = new QLineEdit(this);
    m_pAn->setObjectName("an");
    m_pLuna->setObjectName("luna");
    m_pAn->setValidator(new QIntValidator(0, 9999, m_pAn));
    m_pLuna->setValidator(new QIntValidator(0, 99, m_pLuna));
    auto* form = new QFormLayout;
    form->addRow("Anul", m_pAn);
    form->addRow("Luna", m_pLuna);

    DialogButtons buttons = MakeDialogButtons(this, "Selecteaza", "Renunt", true);
    connect(buttons.ok, &QPushButton::clicked, this, &CSelectieLunaDlg::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons.row);
}

namespace {
bool inRange(int v, int lo, int hi, QLineEdit* edit) {
    if (v >= lo && v <= hi)
        return true;
    char buf[128];
    std::snprintf(buf, sizeof buf, "Va rugam sa introduceti o valoare in intervalul [%d,%d]!", lo,
                  hi);
    platform::ShowMessage(buf, "VORTAPL", platform::Icon::Error);
    edit->setFocus();
    edit->selectAll();
    return false;
}
} // namespace

bool CSelectieLunaDlg::UpdateData(bool bSaveAndValidate) {
    if (bSaveAndValidate) {
        bool okAn = false, okLuna = false;
        int an = m_pAn->text().trimmed().toInt(&okAn);
        int luna = m_pLuna->text().trimmed().toInt(&okLuna);
        if (!inRange(okAn ? an : -1, kFirstYear, LastYear(), m_pAn))
            return false;
        if (!inRange(okLuna ? luna : -1, 1, 12, m_pLuna))
            return false;
        m_iAnul = an;
        m_iLuna = luna;
        return true;
    }
    m_pAn->setText(QString::number(m_iAnul));
    m_pLuna->setText(QString::number(m_iLuna));
    return inRange(m_iAnul, kFirstYear, LastYear(), m_pAn) && inRange(m_iLuna, 1, 12, m_pLuna);
}

void CSelectieLunaDlg::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (!m_bShownOnce) {
        m_bShownOnce = true;
        // Fill the controls once the window is up, so a range message has a window to sit on.
        QTimer::singleShot(0, this, [this] { UpdateData(false); });
    }
}

void CSelectieLunaDlg::accept() {
    if (UpdateData(true))
        QDialog::accept();
}
