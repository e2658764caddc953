// A whole month on the assembled main window with its real pages and a real database: the
// conventions imported from a transfer file, the month's constants typed into their editor,
// the month added, the timesheet and payroll filled, saved, viewed, finalized, reopened and
// abandoned.
#include "EntryTestSupport.h"
#include "WorkFolder.h"
#include "core/Commands.h"
#include "core/LunaDecont.h"
#include "core/SelectieLunaDlg.h"
#include "core/VORTAPLApp.h"
#include "core/VORTAPLDlg.h"
#include "entry/CSDlg.h"
#include "entry/DateConventiiAngajatorDlg.h"
#include "entry/PontajDlg.h"
#include "entry/StatDePlataDlg.h"
#include "exchange/ImportConventiiKrenoDlg.h"
#include "exchange/TransferFile.h"
#include "lawtables/LawTablePage.h"
#include "main/MainWindowRunner.h"
#include "platform/Clock.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBox.h"
#include "platform/ModalDialog.h"
#include "widgets/TabStrip.h"
#include "widgets/XSimGrid.h"

#include <QAction>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include <fstream>

using platform::Answer;

namespace {
const char* const kConventii =
    R"(<?xml version="1.0" encoding="UTF-8"?>
<exportKRENO>
  <antet data="2025-12-20" judet="12"/>
  <asigurat CIF="12345678" CNP="1850212123410" CNP_CORECT="1850212123410" NUME="POPESCU" PRENUME="ION" ID_PERS="700001" STARE_PERS="0" DATA_STARE="2025-12-20" INFO_STARE="activ" DATA_PENS="" DATA_ANG="2026-01-01" CATEGORIE_PERS="ABS" ID_MA="900001" TIP_MA="13" DATA_START="2026-01-01" DATA_SFARSIT="2028-12-31" DOC_NR="1/2025" DOC_DATA="2025-12-20" STARE_MA="1" DOC_NUME_PERS="Ion Pop" DOC_NUME_FUNCTIE="Sef" TIPCM="0" BAZA_CALCUL_L116="0"/>
  <asigurat CIF="12345678" CNP="2990101000011" CNP_CORECT="2990101000011" NUME="IONESCU" PRENUME="MARIA" ID_PERS="700002" STARE_PERS="0" DATA_STARE="2025-12-20" INFO_STARE="activ" DATA_PENS="" DATA_ANG="2026-01-01" CATEGORIE_PERS="A45" ID_MA="900002" TIP_MA="14" DATA_START="2026-01-01" DATA_SFARSIT="2028-12-31" DOC_NR="2/2025" DOC_DATA="2025-12-20" STARE_MA="1" DOC_NUME_PERS="Ion Pop" DOC_NUME_FUNCTIE="Sef" TIPCM="0" BAZA_CALCUL_L116="0"/>
</exportKRENO>
)";

struct Walk {
    testsupport::StartedApp s;
    std::unique_ptr<CVORTAPLDlg> w;

    Walk() {
        platform::SetFixedNow(platform::MakeDateTime(2027, 1, 3, 10));
        s.Exec("INSERT INTO ATN_AGENTI (CIF, CURENT, COD_JUDET, DENUMIRE, TIP_CALCUL) VALUES "
               "('12345678', 1, '12', 'FIRMA SRL', 0)");
        w = CreateMainWindow();
        w->show();
    }
    ~Walk() { platform::SetFixedNow(std::nullopt); }

    template <class T> T* Page(int i) { return dynamic_cast<T*>(w->Page(i)); }
    std::string Header() {
        return w->HeaderLabel(2)->text().toStdString() + " | " +
               w->HeaderLabel(3)->text().toStdString();
    }
    long long Count(const std::string& sql) { return entrytest::Count(sql); }
};
} // namespace

TEST(MonthWalk, AWholeMonthFromImportToAbandon) {
    Walk m;
    platform::ScopedMessageRecorder boxes;

    // Import the employer's conventions transfer file.
    const std::string xml = m.s.Folder().File("conventii.xml").string();
    std::ofstream(xml) << kConventii;
    std::string crypt;
    ASSERT_TRUE(EncryptTransferFile(xml, crypt));
    {
        platform::ScopedFileAnswer file(crypt);
        platform::ScopedModalHook hook([](QDialog& d) {
            auto* dlg = dynamic_cast<CImportConventiiKrenoDlg*>(&d);
            if (!dlg)
                return int(QDialog::Rejected);
            dlg->SelectButton()->click();
            dlg->LoadButton()->click();
            dlg->SaveButton()->click();
            return int(QDialog::Accepted);
        });
        m.w->RunCommand(cmd::ImportConventii);
    }
    EXPECT_EQ(boxes.lastText(), "Import efectuat cu succes!");

    // The constants of December 2026, typed into their editor.
    {
        platform::ScopedModalHook hook([](QDialog& d) {
            auto* dlg = dynamic_cast<CCSDlg*>(&d);
            if (!dlg)
                return int(QDialog::Rejected);
            dlg->show();
            dlg->Luna()->setDate(QDate(2026, 12, 1));
            CXSimGrid& g = *dlg->Grid();
            const std::map<std::string, QString> values = {{"ISR", "500"},
                                                           {"SMB", "3700"},
                                                           {"SMN", "3000"},
                                                           {"PROC_ANGAJATOR", "0.50"},
                                                           {"ZILELUC", "21"}};
            for (int r = 1; r <= g.GetRowCount(); ++r)
                entrytest::TypeIntoCell(g, r, CCSDlg::ColValoare,
                                        values.at(GetCellText(g, r, CCSDlg::ColCS)));
            dlg->findChild<QPushButton*>("ok")->click();
            return dlg->result();
        });
        m.w->RunCommand(cmd::ConstanteSistem);
    }

    // On 3 January the month added is December of the year before.
    boxes.clear();
    m.w->RunCommand(cmd::AdaugareLuna);
    ASSERT_TRUE(boxes.messages().empty()) << boxes.lastText();
    EXPECT_EQ(m.Header(), "LUNA LUCRU: 12.2026 | IN CONSTRUCTIE");

    // Wage fund, timesheet, payroll.
    auto* conv = m.Page<CDateConventiiAngajatorDlg>(CVORTAPLDlg::TabConventii);
    conv->FS()->selectAll();
    entrytest::Type(conv->FS(), "20000");
    auto* pontaj = m.Page<CPontajDlg>(CVORTAPLDlg::TabPontaj);
    ASSERT_EQ(pontaj->Grid()->GetRowCount(), 3); // two header rows and two persons
    pontaj->OnAplicaNorma8();
    pontaj->OnMarcheazaPrezent();
    auto* stat = m.Page<CStatDePlataDlg>(CVORTAPLDlg::TabStatPlata);
    CXSimGrid& sg = *stat->Grid();
    ASSERT_EQ(sg.GetRowCount(), 2);
    const int pop = GetCellText(sg, 1, 3).starts_with("POPESCU") ? 1 : 2;
    entrytest::TypeIntoCell(sg, pop, 6, "4000");
    sg.SetCurrentCell(pop, 9); // leaving the cell recomputes the row
    EXPECT_NE(GetCellText(sg, pop, 7), "");
    // The other income is still in its cell editor when the save is asked for.
    sg.SetCurrentCell(3 - pop, 6);
    entrytest::Type(&sg, "3500");
    ASSERT_NE(sg.activeEditor(), nullptr);
    auto* art80 = m.Page<CLawTablePage>(CVORTAPLDlg::TabArt80);
    auto* art85 = m.Page<CLawTablePage>(CVORTAPLDlg::TabArt85);
    EXPECT_EQ(art80->PersonCount(), 1);
    EXPECT_EQ(art85->PersonCount(), 1);

    // Save: every table written in one go, the month closed.
    boxes.clear();
    boxes.queue(Answer::Yes); // 3500 is below SMB: the warning accepted
    m.w->RunCommand(cmd::SalvareLuna);
    EXPECT_NE(boxes.lastText().find("Persoana IONESCU MARIA are venitul brut aferent NOL[3500] < "
                                    "SMB[3700]"),
              std::string::npos)
        << boxes.lastText();
    EXPECT_EQ(m.Header(), "LUNA LUCRU: NEDEFINITA | -") << boxes.lastText();
    EXPECT_EQ(m.Count("SELECT COUNT(*) AS NR FROM ATO_RAPORTARE WHERE STARE = 0 AND FS = 20000 "
                      "AND COD_UNIC IS NOT NULL"),
              1);
    EXPECT_EQ(m.Count("SELECT COUNT(*) AS NR FROM ATO_RAPORTARE_STATDEPLATA WHERE "
                      "VENIT_BRUT_NOEL IN (3500, 4000) AND VENIT_BRUT_IN_CONVENTIE > 0"),
              2);
    for (const char* t : {"ATO_RAPORTARE_PONTAJ", "ATO_RAPORTARE_ART80", "ATO_RAPORTARE_ART85"})
        EXPECT_EQ(m.Count(std::string("SELECT COUNT(*) AS NR FROM ") + t), t[14] == 'P' ? 2 : 1)
            << t;

    // View: the saved figures come back.
    auto view = [&] {
        platform::ScopedModalHook hook([](QDialog& d) {
            auto* dlg = dynamic_cast<CSelectieLunaDlg*>(&d);
            if (!dlg)
                return int(QDialog::Rejected);
            dlg->show();
            dlg->YearEdit()->setText("2026");
            dlg->MonthEdit()->setText("12");
            dlg->findChild<QPushButton*>("ok")->click();
            return dlg->result();
        });
        m.w->RunCommand(cmd::VizualizareLuna);
    };
    view();
    EXPECT_EQ(m.Header(), "LUNA LUCRU: 12.2026 | IN CONSTRUCTIE");
    EXPECT_EQ(sg.GetRowCount(), 2);
    EXPECT_TRUE(GetCellText(sg, 1, 6) == "4000" || GetCellText(sg, 1, 6) == "3500");
    EXPECT_EQ(conv->FS()->text(), "20000");

    // Finalize: read-only, prints, export and upload enabled.
    boxes.queue(Answer::Yes);
    m.w->RunCommand(cmd::FinalizareLuna);
    EXPECT_EQ(m.Header(), "LUNA LUCRU: NEDEFINITA | -");
    view();
    EXPECT_EQ(m.Header(), "LUNA LUCRU: 12.2026 | FINALIZATA");
    EXPECT_FALSE(m.w->Action(cmd::SalvareLuna)->isEnabled());
    for (int id : {cmd::ExportAnexe, cmd::SalveazaPeServer, cmd::PrintArt80, cmd::PrintStatPlata})
        EXPECT_TRUE(m.w->Action(id)->isEnabled()) << id;
    EXPECT_TRUE(sg.IsLocked(1, 6));
    m.w->RunCommand(cmd::Renuntare);

    // Reopen: refused on the 26th, done on the 25th.
    platform::SetFixedNow(platform::MakeDateTime(2027, 1, 26, 10));
    boxes.clear();
    m.w->RunCommand(cmd::RedeschideLuna);
    EXPECT_EQ(boxes.lastText(),
              "O luna finalizata se poate redeschide pana la data de 25 a lunii curente!");
    platform::SetFixedNow(platform::MakeDateTime(2027, 1, 25, 10));
    boxes.queue(Answer::Yes);
    m.w->RunCommand(cmd::RedeschideLuna);
    EXPECT_EQ(m.Header(), "LUNA LUCRU: 12.2026 | IN CONSTRUCTIE");
    EXPECT_EQ(m.Count("SELECT STARE AS NR FROM ATO_RAPORTARE"), 0);
    EXPECT_FALSE(sg.IsLocked(1, 6));

    // Abandon: nothing written.
    boxes.queue(Answer::Yes);
    m.w->RunCommand(cmd::Renuntare);
    EXPECT_EQ(m.Header(), "LUNA LUCRU: NEDEFINITA | -");
    EXPECT_EQ(m.Count("SELECT STARE AS NR FROM ATO_RAPORTARE"), 0);
}
