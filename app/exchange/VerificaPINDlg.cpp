#include "exchange/VerificaPINDlg.h"

#include "core/Queries.h"
#include "exchange/DescarcareFisier.h"
#include "exchange/FisierPIN.h"
#include "exchange/FisiereKreno.h"
#include "exchange/TransferFile.h"
#include "platform/MessageBox.h"
#include "platform/ModalDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace {
void ShowError(const std::string& strText) {
    platform::ShowMessage(strText, "VORTAPL", platform::Icon::Error);
}
} // namespace

CVerificaPINDlg::CVerificaPINDlg(std::vector<std::string> pinuri, QWidget* pParent)
    : QDialog(pParent), m_pinuri(std::move(pinuri)) {
    setWindowTitle("Verificare cod pin");
    auto* label = new QLabel("Introduceti codul PIN:", this);
    m_pEdit = new QLineEdit(this);
    m_pEdit->setObjectName("pin");
    m_pEdit->setEchoMode(QLineEdit::Password);
    m_pEdit->setMaxLength(4);
    m_pEdit->setValidator(
        new QRegularExpressionValidator(QRegularExpression("[0-9]{0,4}"), m_pEdit));
    m_pEdit->setInputMethodHints(Qt::ImhDigitsOnly | Qt::ImhHiddenText | Qt::ImhSensitiveData);
    label->setBuddy(m_pEdit);

    m_pValidez = new QPushButton("&Validez", this);
    m_pRenunt = new QPushButton("&Renunt", this);
    m_pValidez->setObjectName("validez");
    m_pRenunt->setObjectName("renunt");
    m_pValidez->setDefault(true);
    m_pRenunt->setAutoDefault(false);
    connect(m_pValidez, &QPushButton::clicked, this, &CVerificaPINDlg::OnValidez);
    connect(m_pRenunt, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_pValidez);
    buttons->addWidget(m_pRenunt);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_pEdit);
    layout->addLayout(buttons);
    m_pEdit->setFocus();
}

void CVerificaPINDlg::OnValidez() {
    const std::string strPin = m_pEdit->text().toStdString();
    if (strPin.empty()) {
        ShowError("Va rugam sa introduceti codul PIN!");
        m_pEdit->setFocus();
        return;
    }
    if (m_pinuri.empty()) {
        ShowError("Codul PIN lipsa!");
        return;
    }
    if (std::find(m_pinuri.begin(), m_pinuri.end(), strPin) != m_pinuri.end()) {
        accept();
        return;
    }
    ShowError("PIN incorect!");
    m_pEdit->clear();
    m_pEdit->setFocus();
}

bool VerifyEmployerPin(QWidget* pParent) {
    std::string strCIF, strDEN, strCodJudet;
    GetDateAgentImplicit(strCIF, strDEN, strCodJudet);
    const std::string strNume = NumeFisierPIN(strCodJudet, strCIF);
    const std::string strLocal = CaleInDirectorLucru(strNume);

    CDescarcareFisier download(pParent);
    if (!download.DownloadToFile(AdresaWebKreno(strNume), strLocal)) {
        if (!download.GetLocalError().empty())
            ShowError(download.GetLocalError());
        else if (!download.WasCancelled())
            ShowError("A aparut o eroare la verificarea codului PIN!\nVa rugam sa verificati "
                      "conexiunea la internet!");
        return false;
    }

    std::string strPlain;
    if (!DecryptTransferFile(strLocal, "txt", strPlain))
        return false;
    std::ifstream in(strPlain, std::ios::binary);
    if (!in) {
        ShowError("A aparut o eroare la verificarea codului PIN![fisier]\n");
        return false;
    }
    const std::string strText((std::istreambuf_iterator<char>(in)),
                              std::istreambuf_iterator<char>());
    in.close();
    // The PINs in clear stay on disk no longer than it takes to read them.
    std::remove(strPlain.c_str());

    CVerificaPINDlg dlg(ExtractPinuri(strText), pParent);
    return platform::RunModal(dlg) == QDialog::Accepted;
}
