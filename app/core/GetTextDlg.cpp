#include "core/GetTextDlg.h"

#include "platform/MessageBox.h"

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
    auto* ok = new QPushButton("&Accept", this);
    auto* cancel = new QPushButton("&Renunt", this);
    ok->setObjectName("ok");
    cancel->setObjectName("cancel");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CGetTextDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_pEdit);
    layout->addLayout(buttons);
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
