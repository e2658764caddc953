#include "core/GetTextDlg.h"

#include "platform/MessageBox.h"
#include "widgets/DialogButtons.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CGetTextDlg::CGetTextDlg(const std::string& strLabel, const std::string& strCaption,
                         QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QString::fromStdString(strCaption));
    auto* label = new QLabel(QString::fromStdString(strLabel), this);
    m_pEdit = new QLineEdit(this);
    label->setBuddy(m_pEdit);
    DialogButtons buttons = MakeDialogButtons(this, "&Accept", "&Renunt", true);
    connect(buttons.ok, &QPushButton::clicked, this, &CGetTextDlg::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_pEdit);
    layout->addLayout(buttons.row);
    m_pEdit->setFocus();
}

void CGetTextDlg::accept() {
    m_strText = m_pEdit->text().toStdString();
    if (m_strText.empty()) {
        platform::ShowMessage("Va rugam sa completati o valoare!", "VORTAPL",
                              platform::Icon::Error);
        m_pEdit->setFocus();
        return;
    }
    QDialog::accept();
}
