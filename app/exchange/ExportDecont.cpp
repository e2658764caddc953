#include "exchange/ExportDecont.h"

#include "core/DbOperation.h"
#include "core/Queries.h"
#include "core/TabPage.h"
#include "core/VORTAPLApp.h"
#include "core/VORTAPLDlg.h"
#include "exchange/IncarcareDecont.h"
#include "exchange/TransferFile.h"
#include "exchange/VerificaPINDlg.h"
#include "platform/Clock.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBox.h"
#include "widgets/XSimGrid.h"

#include <QFileInfo>
#include <QSaveFile>

#include <filesystem>

namespace {

const char* kSignature = "CVORTAPLDlg::OnExportExportanexe()";

GridTexts PageGrid(CVORTAPLDlg& dlg, int iTab) {
    CTabPage* page = dlg.Page(iTab);
    return SnapshotGrid(page ? page->findChild<CXSimGrid*>() : nullptr);
}

bool WriteWhole(const std::string& strPath, const std::string& bytes) {
    QSaveFile f(QString::fromStdString(strPath));
    if (!f.open(QIODevice::WriteOnly))
        return false;
    if (f.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
        static_cast<qint64>(bytes.size())) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}

} // namespace

GridTexts SnapshotGrid(const CXSimGrid* pGrid) {
    GridTexts g;
    if (!pGrid)
        return g;
    g.R = pGrid->GetRowCount();
    g.C = pGrid->GetColCount();
    g.cells.assign(static_cast<std::size_t>(g.R + 1), {});
    for (int r = 0; r <= g.R; ++r) {
        auto& row = g.cells[static_cast<std::size_t>(r)];
        row.resize(static_cast<std::size_t>(g.C + 1));
        for (int c = 0; c <= g.C; ++c)
            row[static_cast<std::size_t>(c)] = pGrid->GetCellText(r, c).toStdString();
    }
    return g;
}

bool GatherDateDecont(CVORTAPLDlg& dlg, DateDecont& d, std::string& strCodJudet) {
    CVORTAPLApp& app = theApp();
    std::string strCIF;
    GetDateAgentImplicit(strCIF, d.strDEN, strCodJudet);
    d.strCIF = app.m_strCIF;
    d.iAn = dlg.m_iAN;
    d.iLuna = dlg.m_iLN;
    d.fFS = app.m_totaluri.FS;
    d.fTCAD = app.m_totaluri.TCAD;
    d.iCodUnic = app.m_totaluri.COD_UNIC;

    std::string strError;
    d.proprietati.clear();
    const bool ok = core::RunLogged(
        kSignature,
        [&](core::Statement& st) {
            st.Execute("SELECT PROPRIETATE, VALOARE FROM ATN_AGENTI_DETALII WHERE CIF = ? AND "
                       "PROPRIETATE IN (SELECT DENUMIRE FROM ATN_PROPRIETATI_AGENTI WHERE VALID "
                       "= 1)",
                       {d.strCIF});
            while (st.Fetch())
                d.proprietati.emplace_back(st.GetText("PROPRIETATE"), st.GetText("VALOARE"));
        },
        core::TransactionMode::ReadOnly, core::LockResolution::Wait, &strError);
    if (!ok) {
        platform::ShowMessage(strError, "VORTAPL", platform::Icon::Error);
        return false;
    }

    d.sumar = PageGrid(dlg, CVORTAPLDlg::TabSubventii);
    d.pontaj = PageGrid(dlg, CVORTAPLDlg::TabPontaj);
    d.stat = PageGrid(dlg, CVORTAPLDlg::TabStatPlata);
    d.art80 = PageGrid(dlg, CVORTAPLDlg::TabArt80);
    d.art85 = PageGrid(dlg, CVORTAPLDlg::TabArt85);
    d.l116 = PageGrid(dlg, CVORTAPLDlg::TabL116);
    d.l72 = PageGrid(dlg, CVORTAPLDlg::TabL72);
    d.art934 = PageGrid(dlg, CVORTAPLDlg::TabArt93_4);

    _NConstanteSistem& cs = app.m_constante;
    d.fSMB = cs.GetValoare("SMB", d.iAn, d.iLuna);
    d.fSMN = cs.GetValoare("SMN", d.iAn, d.iLuna);
    d.fISR = cs.GetValoare("ISR", d.iAn, d.iLuna);
    d.fProcAngajator = cs.GetValoare("PROC_ANGAJATOR", d.iAn, d.iLuna);
    d.fZileLuc = cs.GetValoare("ZILELUC", d.iAn, d.iLuna);

    d.findPerson = [&app](const std::string& strCNP, std::string& strIdMa, std::string& strIdPers) {
        if (!app.m_pConventii)
            return false;
        const __tagDATECONVENTIIANGAJATOR* p = app.m_pConventii->Find(strCNP);
        if (!p)
            return false;
        strIdMa = (*p)[slot::ID_MA];
        strIdPers = (*p)[slot::ID_PERS];
        return true;
    };
    return true;
}

bool ExportSettlementDocument(CVORTAPLDlg& dlg, bool bAskFolder, std::string& strTransferPath) {
    CVORTAPLApp& app = theApp();
    std::string strFolder = app.m_strDirector;
    if (bAskFolder) {
        const auto chosen = platform::GetExistingDirectory(
            "Va rugam sa selectati locatia unde doriti sa fie salvat decontul:", app.m_strDirector);
        if (!chosen || chosen->empty() || !QFileInfo(QString::fromStdString(*chosen)).isDir())
            return false;
        strFolder = *chosen;
    }
    DateDecont d;
    std::string strCodJudet;
    if (!GatherDateDecont(dlg, d, strCodJudet))
        return false;
    const platform::DateTime now = platform::Now();
    const std::string strNume =
        NumeDocumentDecont(d.iAn, d.iLuna, d.strCIF, strCodJudet, now.year, now.month, now.day,
                           now.hour, now.minute, now.second);
    const std::string strDocPath = (std::filesystem::path(strFolder) / strNume).string();

    std::string strDocument, strError;
    if (!BuildDocumentDecont(d, strDocument, strError)) {
        app.WriteLog(std::string("[ERR][") + kSignature + "] oo-->> " + strError);
        platform::ShowMessage(strError, "VORTAPL", platform::Icon::Error);
        return false;
    }
    strTransferPath = TransferPathFor(strDocPath);
    if (!WriteWhole(strTransferPath, EncryptTransferData(strDocument))) {
        app.WriteLog(std::string("[ERR][") + kSignature + "] oo-->> " + strTransferPath);
        platform::ShowMessage("Fisierul criptat nu a putut fi scris!\n" + strTransferPath,
                              "VORTAPL", platform::Icon::Error);
        return false;
    }
    return true;
}

void RunExportAnexe(CVORTAPLDlg& dlg) {
    std::string strTransferPath;
    if (!ExportSettlementDocument(dlg, true, strTransferPath))
        return;
    platform::ShowMessage(
        "Datele necesare pentru a fi transferate la KRENO au fost exportate in fisierul: " +
            strTransferPath + "\n\n\nVa rugam sa copiati fisierul\n\n" + strTransferPath +
            "\n\npe suport extern si sa-l depuneti la infochiosc-urile din KRENO\nimpreuna cu "
            "anexele listate si stampilate.",
        "VORTAPL", platform::Icon::Information);
}

void RunSalveazaPeServer(CVORTAPLDlg& dlg) {
    if (!VerifyEmployerPin(&dlg))
        return;
    std::string strTransferPath;
    if (!ExportSettlementDocument(dlg, false, strTransferPath))
        return;
    if (UploadSettlementFile(strTransferPath, &dlg))
        platform::ShowMessage(
            "Decontul a fost salvat cu succes pe serverul KRENO!\nDecontul va fi validat doar "
            "dupa depunerea declaratiei D112 la anaf\nprecum si a hartiilor de decont semnate si "
            "stampilate depuse la KRENO.",
            "VORTAPL", platform::Icon::Information);
}
