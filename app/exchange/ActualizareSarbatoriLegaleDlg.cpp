#include "exchange/ActualizareSarbatoriLegaleDlg.h"

#include "core/VORTAPLApp.h"
#include "exchange/DescarcareFisier.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "platform/ModalDialog.h"

#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <filesystem>

namespace {

enum Col { An, Ln, Zi, Data, Denumire, Count };

void Mesaj(const std::string& strText, platform::Icon icon) {
    platform::ShowMessage(strText, "VORTAPL", icon);
}

// A whole number written with digits only (the date parts of a downloaded row).
bool EsteNumar(const std::string& s) {
    if (s.empty() || s.size() > 4)
        return false;
    for (char c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}

} // namespace

CActualizareSarbatoriLegaleDlg::CActualizareSarbatoriLegaleDlg(QWidget* pParent, int iTimeoutMs)
    : QDialog(pParent), m_iTimeoutMs(iTimeoutMs) {
    setWindowTitle("Actualizare sarbatori legale");
    m_pLista = new QTableWidget(0, Count, this);
    m_pLista->setObjectName("lista");
    m_pLista->setAccessibleName("Sarbatori legale");
    m_pLista->setHorizontalHeaderLabels({"An", "Ln", "Zi", "Data", "Sarbatoare"});
    m_pLista->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pLista->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pLista->setShowGrid(true);
    m_pLista->verticalHeader()->hide();
    // Year, month and day are kept for saving but not shown.
    for (int c : {An, Ln, Zi})
        m_pLista->setColumnHidden(c, true);
    m_pLista->horizontalHeader()->setStretchLastSection(true);

    m_pDescarca = new QPushButton("&Descarca", this);
    m_pActualizeaza = new QPushButton("&Actualizeaza", this);
    m_pRenunt = new QPushButton("&Renunt", this);
    m_pDescarca->setObjectName("descarca");
    m_pActualizeaza->setObjectName("actualizeaza");
    m_pRenunt->setObjectName("renunt");
    m_pRenunt->setDefault(true);
    connect(m_pDescarca, &QPushButton::clicked, this, &CActualizareSarbatoriLegaleDlg::OnDescarca);
    connect(m_pActualizeaza, &QPushButton::clicked, this,
            &CActualizareSarbatoriLegaleDlg::OnActualizeaza);
    connect(m_pRenunt, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pLista);
    auto* row = new QHBoxLayout;
    row->addWidget(m_pDescarca);
    row->addWidget(m_pActualizeaza);
    row->addStretch();
    row->addWidget(m_pRenunt);
    layout->addLayout(row);
    resize(480, 360);
}

void CActualizareSarbatoriLegaleDlg::OnDescarca() {
    m_pLista->setRowCount(0);
    CVORTAPLApp& app = theApp();
    const std::string strNume = NumeFisierSarbatori(platform::Now().year);
    const std::string strLocal = (std::filesystem::path(app.m_strDirector) / strNume).string();
    CDescarcareFisier download(this, m_iTimeoutMs);
    if (!download.DownloadToFile(app.m_strAdresaWeb + strNume, strLocal)) {
        app.WriteLog("[ERR][CActualizareSarbatoriLegaleDlg::OnDescarca()] oo-->> " +
                     download.GetLastError());
        Mesaj("A aparut o eroare la descarcarea sarbatorilor legale!\nVa rugam sa verificati "
              "conexiunea la internet!",
              platform::Icon::Error);
        return;
    }
    QFile f(QString::fromStdString(strLocal));
    std::vector<SarbatoareWeb> rows;
    std::string strError = "Fisierul XML este in format incorect![1]";
    if (!f.open(QIODevice::ReadOnly) ||
        !CitesteSarbatori(f.readAll().toStdString(), rows, strError)) {
        Mesaj(strError, platform::Icon::Error);
        return;
    }
    Umple(rows);
}

void CActualizareSarbatoriLegaleDlg::Umple(const std::vector<SarbatoareWeb>& rows) {
    m_pLista->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const SarbatoareWeb& s = rows[static_cast<std::size_t>(r)];
        const std::string texts[Count] = {s.strAn, s.strLuna, s.strZi, s.Data(), s.strDenumire};
        for (int c = 0; c < Count; ++c)
            m_pLista->setItem(r, c, new QTableWidgetItem(QString::fromStdString(texts[c])));
    }
    m_pLista->resizeColumnToContents(Data);
    m_pLista->resizeColumnToContents(Denumire);
}

void CActualizareSarbatoriLegaleDlg::OnActualizeaza() {
    const int iRows = m_pLista->rowCount();
    if (iRows == 0) {
        Mesaj("Nu exista nici o sarbatoare care sa fie salvata!", platform::Icon::Information);
        return;
    }
    CVORTAPLApp& app = theApp();
    bool bOk = true;
    for (int r = 0; r < iRows && bOk; ++r) {
        auto text = [&](int c) { return m_pLista->item(r, c)->text().toStdString(); };
        const std::string an = text(An), ln = text(Ln), zi = text(Zi), des = text(Denumire);
        std::string strMotiv;
        if (!EsteNumar(an) || !EsteNumar(ln) || !EsteNumar(zi))
            strMotiv = "data nu este formata din numere";
        else if (!app.m_pSarbatori->Add(an, ln, zi, des))
            strMotiv = app.m_pSarbatori->GetLastError();
        if (!strMotiv.empty()) {
            // The row is named so the error message can be explained from the log.
            app.WriteLog("[ERR][CActualizareSarbatoriLegaleDlg::OnActualizeaza()] oo-->> " + an +
                         "-" + ln + "-" + zi + " " + des + ": " + strMotiv);
            bOk = false;
        }
    }
    if (bOk)
        Mesaj("Datele au fost salvate cu success!", platform::Icon::Information);
    else
        Mesaj("A existat cel putin o eroare la salvarea datelor!", platform::Icon::Error);
    app.m_pSarbatori->Load();
    accept();
}

void RunActualizareSarbatori(QWidget* pParent) {
    CActualizareSarbatoriLegaleDlg dlg(pParent);
    platform::RunModal(dlg);
}
