#include "exchange/VersiuneNouaDlg.h"

#include "core/VORTAPLApp.h"
#include "exchange/DescarcareFisier.h"
#include "exchange/DocumenteWeb.h"
#include "platform/MessageBox.h"
#include "platform/ModalDialog.h"

#include <QFile>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <filesystem>

CVersiuneNouaDlg::CVersiuneNouaDlg(const std::string& strCurenta, const std::string& strUltima,
                                   const std::string& strDescriere, QWidget* pParent)
    : QDialog(pParent) {
    setWindowTitle("Modificari ale aplicatiei VORTAPL");
    m_pCurenta = new QLabel(QString::fromStdString(strCurenta), this);
    m_pUltima = new QLabel(QString::fromStdString(strUltima), this);
    m_pCurenta->setObjectName("curenta");
    m_pUltima->setObjectName("ultima");
    auto* form = new QFormLayout;
    form->addRow("Versiune curenta:", m_pCurenta);
    form->addRow("Ultima versiune:", m_pUltima);

    auto* sumarLabel = new QLabel("Sumar modificari:", this);
    m_pSumar = new QPlainTextEdit(QString::fromStdString(strDescriere), this);
    m_pSumar->setReadOnly(true);
    m_pSumar->setObjectName("sumar");
    sumarLabel->setBuddy(m_pSumar);
    m_pSumar->setAccessibleName("Sumar modificari");

    const std::string strAdresa = theApp().m_optiuni.GetValoare("ADRESA_WEB");
    m_pVizitati = new QLabel(
        QString::fromStdString("Pentru a downloada ultima versiune a aplicatie va rugam sa "
                               "vizitati site-ul: " +
                               strAdresa + " sectiunea download"),
        this);
    m_pVizitati->setWordWrap(true);
    m_pVizitati->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_pVizitati->setObjectName("vizitati");

    auto* inchide = new QPushButton("Inchide", this);
    inchide->setObjectName("inchide");
    inchide->setDefault(true);
    connect(inchide, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(sumarLabel);
    layout->addWidget(m_pSumar);
    layout->addWidget(m_pVizitati);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(inchide);
    layout->addLayout(row);
    resize(460, 320);
}

namespace {

void Eroare(const std::string& strText) {
    platform::ShowMessage(strText, "VORTAPL", platform::Icon::Error);
}

bool CitesteFisier(const std::string& strPath, std::string& strBytes) {
    QFile f(QString::fromStdString(strPath));
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray data = f.readAll();
    strBytes.assign(data.constData(), static_cast<std::size_t>(data.size()));
    return true;
}

} // namespace

void RunVerificaVersiune(QWidget* pParent, int iTimeoutMs) {
    CVORTAPLApp& app = theApp();
    const std::string strLocal =
        (std::filesystem::path(app.m_strDirector) / "versiune.xml").string();
    CDescarcareFisier download(pParent, iTimeoutMs);
    if (!download.DownloadToFile(app.m_strAdresaWeb + "versiune.xml", strLocal)) {
        app.WriteLog("[ERR][RunVerificaVersiune] oo-->> " + download.GetLastError());
        Eroare("A aparut o eroare la verificarea versiunii!\nVa rugam sa verificati conexiunea la "
               "internet!");
        return;
    }
    std::string strBytes, strError;
    VersiunePublicata versiune;
    if (!CitesteFisier(strLocal, strBytes)) {
        Eroare("Eroare la verificarea versiunii![1]");
        return;
    }
    if (!CitesteVersiune(strBytes, versiune, strError)) {
        Eroare(strError);
        return;
    }
    if (!EsteVersiuneNoua(versiune.Text(), app.m_strVersiune)) {
        platform::ShowMessage("FELICITARI!\nVersiunea " + app.m_strVersiune +
                                  " a aplicatiei VORTAPL este cea actuala.\nVa rugam sa "
                                  "verificati periodic versiunea aplicatiei.",
                              "VORTAPL", platform::Icon::Information);
        return;
    }
    CVersiuneNouaDlg dlg(app.m_strVersiune, versiune.Text(), versiune.strDescriere, pParent);
    platform::RunModal(dlg);
}
