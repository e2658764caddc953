#include "WorkFolder.h"
#include "core/Commands.h"
#include "core/GetTextDlg.h"
#include "core/Lists.h"
#include "core/OptiuniDlg.h"
#include "core/SelectieLunaDlg.h"
#include "core/TabPage.h"
#include "core/VORTAPLApp.h"
#include "core/VORTAPLDlg.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "platform/ModalDialog.h"
#include "widgets/TabStrip.h"
#include "widgets/XSimGrid.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using testsupport::StartedApp;

namespace {
std::vector<std::pair<int, int>>* g_journal = nullptr; // (page index, code)

class RecordingPage : public CTabPage {
public:
    explicit RecordingPage(int index) : m_index(index) {}
    void OnNotify(int code, long long param) override {
        CTabPage::OnNotify(code, param);
        if (g_journal)
            g_journal->push_back({m_index, code});
        if (code == notify::Hours && m_index == CVORTAPLDlg::TabStatPlata)
            SendToParent(notify::Incomes); // a page reacting sends on, the relay nests
    }
    void Send(int code) { SendToParent(code); }

private:
    int m_index;
};

struct Window {
    std::vector<CTabPage*> pages;
    std::unique_ptr<CVORTAPLDlg> dlg;
    Window() {
        for (int i = 0; i < CVORTAPLDlg::TabCount; ++i)
            pages.push_back(new RecordingPage(i));
        dlg = std::make_unique<CVORTAPLDlg>(pages);
    }
    RecordingPage* page(int i) { return static_cast<RecordingPage*>(pages[size_t(i)]); }
    bool enabled(int id) { return dlg->Action(id)->isEnabled(); }
};

// Answers the CIF prompt with the given text.
platform::ModalHook typeIntoPrompt(const std::string& text) {
    return [text](QDialog& d) {
        auto* prompt = dynamic_cast<CGetTextDlg*>(&d);
        if (!prompt)
            return int(QDialog::Rejected);
        prompt->show();
        prompt->Edit()->setText(QString::fromStdString(text));
        prompt->findChild<QPushButton*>("ok")->click();
        return prompt->result();
    };
}
} // namespace

TEST(MainWindow, StartsWithNoMonthEveryPageDisabledAndMonthCommandsGreyed) {
    StartedApp s;
    Window w;
    EXPECT_TRUE(w.dlg->windowTitle().startsWith("VORTAPL"));
    EXPECT_EQ(w.dlg->HeaderLabel(0)->text(), "CIF/CUI: ");
    EXPECT_EQ(w.dlg->HeaderLabel(1)->text(), "DENUMIRE: ");
    EXPECT_EQ(w.dlg->HeaderLabel(2)->text(), "LUNA LUCRU: NEDEFINITA");
    EXPECT_EQ(w.dlg->HeaderLabel(3)->text(), "-");
    ASSERT_EQ(w.dlg->TabStrip()->Count(), 9);
    const char* titles[] = {"Subventii Centralizator",
                            "Date Conventii-Date Angajator",
                            "Pontaj",
                            "Stat de Plata",
                            "Tabel Articol 80",
                            "Tabel Articol 85",
                            "Tabel Legea 116",
                            "Tabel Legea 72",
                            "Tabel Art. 93^4"};
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(w.dlg->TabStrip()->Bar()->tabText(i), titles[i]);
        EXPECT_FALSE(w.pages[size_t(i)]->isEnabled()) << i;
    }
    for (int id : {cmd::SalvareLuna, cmd::FinalizareLuna, cmd::Renuntare, cmd::ExportAnexe,
                   cmd::SalveazaPeServer, cmd::PrintArt80, cmd::PrintCentralizator})
        EXPECT_FALSE(w.enabled(id)) << id;
    EXPECT_EQ(w.dlg->Action(cmd::SalvareLuna)->shortcut(), QKeySequence("Ctrl+S"));
    EXPECT_EQ(w.dlg->Action(cmd::FinalizareLuna)->shortcut(), QKeySequence("Ctrl+Shift+S"));
    EXPECT_EQ(w.dlg->Action(cmd::AdaugareLuna)->shortcut(), QKeySequence("Ctrl+N"));
    EXPECT_EQ(w.dlg->Action(cmd::Iesire)->shortcut(), QKeySequence("Alt+X"));
}

TEST(MainWindow, TabNavigationWrapsBothWays) {
    StartedApp s;
    Window w;
    CTabStrip* t = w.dlg->TabStrip();
    EXPECT_EQ(t->Current(), 0);
    t->Button(1)->click(); // previous from the first
    EXPECT_EQ(t->Current(), 8);
    EXPECT_TRUE(w.pages[8]->isVisibleTo(w.dlg.get()));
    EXPECT_FALSE(w.pages[0]->isVisibleTo(w.dlg.get()));
    t->Button(2)->click(); // next from the last
    EXPECT_EQ(t->Current(), 0);
    t->Button(3)->click();
    EXPECT_EQ(t->Current(), 8);
    t->Button(0)->click();
    EXPECT_EQ(t->Current(), 0);
    t->Button(2)->click();
    EXPECT_EQ(t->Current(), 1);
    EXPECT_EQ(t->Button(0)->toolTip(), "Primul Tab");
    EXPECT_EQ(t->Button(1)->toolTip(), "Tabul Anterior");
    EXPECT_EQ(t->Button(2)->toolTip(), "Tabul urmator");
    EXPECT_EQ(t->Button(3)->toolTip(), "Ultimul Tab");
}

TEST(MainWindow, MenuStateFollowsTheMonth) {
    StartedApp s;
    Window w;
    struct Case {
        bool open, final;
        bool save, abandon, add, print;
        const char* state;
    } cases[] = {
        {false, false, false, false, true, false, "-"},
        {true, false, true, true, false, false, "IN CONSTRUCTIE"},
        {true, true, false, true, false, true, "FINALIZATA"},
    };
    for (const Case& c : cases) {
        s.App().m_bLunaFinala = c.final;
        w.dlg->m_iAN = c.open ? 2024 : 0;
        w.dlg->m_iLN = c.open ? 3 : 0;
        w.dlg->Notify(notify::Enable, c.open ? 1 : 0);
        w.dlg->RefreshHeader();
        SCOPED_TRACE(c.state);
        EXPECT_EQ(w.enabled(cmd::SalvareLuna), c.save);
        EXPECT_EQ(w.enabled(cmd::FinalizareLuna), c.save);
        EXPECT_EQ(w.enabled(cmd::Renuntare), c.abandon);
        for (int id : {cmd::AdaugareLuna, cmd::VizualizareLuna, cmd::RedeschideLuna,
                       cmd::ImportConventii, cmd::ConstanteSistem, cmd::AdaugareAgent,
                       cmd::ModificareAgent, cmd::SetareAgentImplicit, cmd::OptiuniAplicatie,
                       cmd::VerificaVersiune, cmd::ActualizeazaSarbatori})
            EXPECT_EQ(w.enabled(id), c.add) << id;
        for (int id : {cmd::ExportAnexe, cmd::SalveazaPeServer, cmd::PrintCentralizator,
                       cmd::PrintPontaj, cmd::PrintStatPlata, cmd::PrintArt80, cmd::PrintArt85,
                       cmd::PrintL116, cmd::PrintL72, cmd::PrintArt93_4})
            EXPECT_EQ(w.enabled(id), c.print) << id;
        for (int id : {cmd::Ajutor, cmd::DespreAplicatie, cmd::Iesire})
            EXPECT_TRUE(w.enabled(id));
        EXPECT_EQ(w.pages[3]->isEnabled(), c.open);
        EXPECT_EQ(w.dlg->HeaderLabel(3)->text(), c.state);
        EXPECT_EQ(w.dlg->HeaderLabel(2)->text(),
                  c.open ? "LUNA LUCRU: 03.2024" : "LUNA LUCRU: NEDEFINITA");
    }
}

TEST(MainWindow, RelayedNotificationsReachThePagesInTabOrder) {
    StartedApp s;
    Window w;
    std::vector<std::pair<int, int>> journal;
    g_journal = &journal;
    w.page(CVORTAPLDlg::TabPontaj)->Send(notify::Hours);
    g_journal = nullptr;
    // 1488 to pages 0..3; page 3 sends 1489, which runs through all nine pages before the
    // first relay continues with pages 4..8.
    std::vector<std::pair<int, int>> expected;
    for (int i = 0; i <= 3; ++i)
        expected.push_back({i, notify::Hours});
    for (int i = 0; i < 9; ++i)
        expected.push_back({i, notify::Incomes});
    for (int i = 4; i < 9; ++i)
        expected.push_back({i, notify::Hours});
    EXPECT_EQ(journal, expected);
}

TEST(MainWindow, SetDefaultEmployerByCif) {
    StartedApp s;
    s.Exec("INSERT INTO ATN_AGENTI (CIF, CURENT, COD_JUDET, DENUMIRE, TIP_CALCUL) VALUES "
           "('RO100', 1, '12', 'PRIMA SRL', 0)");
    s.Exec("INSERT INTO ATN_AGENTI (CIF, CURENT, COD_JUDET, DENUMIRE, TIP_CALCUL) VALUES "
           "('RO200', 0, '40', 'A DOUA SA', 1)");
    Window w;
    EXPECT_EQ(w.dlg->HeaderLabel(0)->text(), "CIF/CUI: RO100");
    {
        platform::ScopedMessageRecorder boxes;
        platform::ScopedModalHook hook(typeIntoPrompt(" RO200")); // a leading space: not found
        w.dlg->RunCommand(cmd::SetareAgentImplicit);
        ASSERT_EQ(boxes.messages().size(), 1u);
        EXPECT_EQ(boxes.lastText(), "Codul fiscal introdus nu exista in baza de date!");
        EXPECT_EQ(boxes.messages()[0].icon, platform::Icon::Error);
        EXPECT_EQ(w.dlg->HeaderLabel(0)->text(), "CIF/CUI: RO100");
    }
    {
        platform::ScopedMessageRecorder boxes;
        platform::ScopedModalHook hook(typeIntoPrompt("RO200"));
        w.dlg->RunCommand(cmd::SetareAgentImplicit);
        ASSERT_EQ(boxes.messages().size(), 1u);
        EXPECT_EQ(boxes.lastText(), "Agent implicit setat cu SUCCES!");
        EXPECT_EQ(boxes.messages()[0].icon, platform::Icon::Information);
    }
    EXPECT_EQ(w.dlg->HeaderLabel(0)->text(), "CIF/CUI: RO200");
    EXPECT_EQ(w.dlg->HeaderLabel(1)->text(), "DENUMIRE: A DOUA SA");
    EXPECT_EQ(s.App().m_strCIF, "RO200");
    EXPECT_EQ(s.App().m_bFaraRotunjire, 1);
}

TEST(MainWindow, EmptyCifPromptAsksForAValue) {
    StartedApp s;
    CGetTextDlg dlg("Introduceti CIF/CUI-ul agentului:", "Preluare CIF/CUI");
    platform::ScopedMessageRecorder boxes;
    dlg.show();
    EXPECT_EQ(dlg.windowTitle(), "Preluare CIF/CUI");
    dlg.findChild<QPushButton*>("ok")->click();
    EXPECT_EQ(boxes.lastText(), "Va rugam sa completati o valoare!");
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), 0);
}

TEST(MainWindow, ExitWithAnOpenMonthAsksAndStaysOnNo) {
    StartedApp s;
    Window w;
    w.dlg->show();
    w.dlg->Notify(notify::Enable, 1);
    s.App().m_bLunaFinala = false;
    {
        platform::ScopedMessageRecorder boxes;
        boxes.queue(platform::Answer::No);
        boxes.queue(platform::Answer::No);
        w.dlg->RunCommand(cmd::Iesire);
        ASSERT_EQ(boxes.messages().size(), 1u);
        EXPECT_EQ(boxes.lastText(), "Abandonam modificarile curente?");
        EXPECT_EQ(boxes.messages()[0].buttons, platform::Buttons::YesNo);
        EXPECT_TRUE(w.dlg->isVisible());
        QTest::keyClick(w.dlg.get(), Qt::Key_Escape);
        EXPECT_EQ(boxes.messages().size(), 2u);
        EXPECT_TRUE(w.dlg->isVisible());
        QTest::keyClick(w.dlg.get(), Qt::Key_Return); // Enter does nothing
        EXPECT_TRUE(w.dlg->isVisible());
    }
    {
        platform::ScopedMessageRecorder boxes;
        boxes.queue(platform::Answer::Yes);
        w.dlg->RunCommand(cmd::IesireAltX);
        EXPECT_FALSE(w.dlg->isVisible());
    }
    // A finalized open month closes without asking.
    Window w2;
    w2.dlg->show();
    w2.dlg->Notify(notify::Enable, 1);
    s.App().m_bLunaFinala = true;
    platform::ScopedMessageRecorder boxes;
    w2.dlg->close();
    EXPECT_TRUE(boxes.messages().empty());
    EXPECT_FALSE(w2.dlg->isVisible());
}

TEST(MainWindow, CommandsNotYetAvailableSaySo) {
    StartedApp s;
    Window w;
    platform::ScopedMessageRecorder boxes;
    w.dlg->RunCommand(cmd::ImportConventii);
    EXPECT_EQ(boxes.lastText(), "Functie indisponibila in aceasta versiune.");
    boxes.clear();
    w.dlg->RunCommand(cmd::SalvareLuna); // disabled: nothing happens
    EXPECT_TRUE(boxes.messages().empty());
}

TEST(MonthPicker, ProposesThePreviousMonthAndChecksRanges) {
    StartedApp s;
    platform::ScopedFixedNow clock(platform::MakeDateTime(2015, 1, 20));
    {
        CSelectieLunaDlg dlg;
        EXPECT_EQ(dlg.m_iAnul, 2014);
        EXPECT_EQ(dlg.m_iLuna, 12);
    }
    clock.Set(platform::MakeDateTime(2026, 12, 10));
    struct Case {
        const char* an;
        const char* luna;
        bool accepted;
        const char* message;
    } cases[] = {
        {"2026", "12", true, ""},
        {"2011", "1", true, ""},
        {"2023", "5", true, ""}, // years after 2022 are ordinary working years
        {"2010", "5", false, "Va rugam sa introduceti o valoare in intervalul [2011,2026]!"},
        {"2027", "5", false, "Va rugam sa introduceti o valoare in intervalul [2011,2026]!"},
        {"0320", "5", false, "Va rugam sa introduceti o valoare in intervalul [2011,2026]!"},
        {"9999", "5", false, "Va rugam sa introduceti o valoare in intervalul [2011,2026]!"},
        {"2024", "13", false, "Va rugam sa introduceti o valoare in intervalul [1,12]!"},
        {"2024", "0", false, "Va rugam sa introduceti o valoare in intervalul [1,12]!"},
        {"", "3", false, "Va rugam sa introduceti o valoare in intervalul [2011,2026]!"},
    };
    for (const Case& c : cases) {
        platform::ScopedMessageRecorder boxes;
        CSelectieLunaDlg dlg;
        EXPECT_EQ(dlg.m_iLuna, 11);
        dlg.UpdateData(false);
        dlg.show();
        dlg.YearEdit()->setText(c.an);
        dlg.MonthEdit()->setText(c.luna);
        dlg.findChild<QPushButton*>("ok")->click();
        EXPECT_EQ(dlg.result() == QDialog::Accepted, c.accepted) << c.an << "/" << c.luna;
        EXPECT_EQ(boxes.lastText(), c.message) << c.an << "/" << c.luna;
        if (c.accepted) {
            EXPECT_EQ(dlg.m_iAnul, std::stoi(c.an));
            EXPECT_EQ(dlg.m_iLuna, std::stoi(c.luna));
        }
    }
}

namespace {
int optionRow(CXSimGrid& g, const std::string& name) {
    for (int r = 1; r <= g.GetRowCount(); ++r)
        if (GetCellText(g, r, 1) == name)
            return r;
    return -1;
}
} // namespace

TEST(OptionsEditor, SavesChangedValuesAndIgnoresLetterCase) {
    StartedApp s;
    s.Exec("UPDATE ATO_OPTIUNI SET VALOARE = 'abc' WHERE PARAMETRU = 'HOSTNAME'");
    ASSERT_TRUE(s.App().m_optiuni.Load());
    Window w;
    platform::ScopedMessageRecorder boxes;
    platform::ScopedModalHook hook([](QDialog& d) {
        auto* dlg = dynamic_cast<COptiuniDlg*>(&d);
        if (!dlg)
            return int(QDialog::Rejected);
        dlg->show();
        CXSimGrid& g = *dlg->Grid();
        EXPECT_EQ(g.GetColCount(), 3);
        EXPECT_EQ(GetCellText(g, 0, 2), "Valoare");
        EXPECT_TRUE(g.IsLocked(1, 1));
        EXPECT_FALSE(g.IsLocked(1, 2));
        EXPECT_TRUE(g.IsLocked(1, 3));
        // Type a new address into the value cell of ADRESA_WEB, as a user would.
        g.SetCurrentCell(optionRow(g, "ADRESA_WEB"), 2);
        QTest::keyClick(&g, 'h'); // typing replaces the cell and opens its editor
        EXPECT_NE(g.activeEditor(), nullptr);
        QTest::keyClicks(g.activeEditor(), "ttp://agentie.example/");
        QTest::keyClick(g.activeEditor(), Qt::Key_Return);
        g.SetCellText(optionRow(g, "HOSTNAME"), 2, "ABC"); // letter case only
        dlg->findChild<QPushButton*>("ok")->click();
        return dlg->result();
    });
    w.dlg->RunCommand(cmd::OptiuniAplicatie);
    EXPECT_TRUE(boxes.messages().empty());
    EXPECT_EQ(s.App().m_strAdresaWeb, "http://agentie.example/"); // web options read again
    _NOptiuniApp fresh;
    ASSERT_TRUE(fresh.Load());
    EXPECT_EQ(fresh.GetValoare("ADRESA_WEB"), "http://agentie.example/");
    EXPECT_EQ(fresh.GetValoare("HOSTNAME"), "abc");
}

TEST(OptionsEditor, AFailedUpdateNamesTheOptionAndStaysOpen) {
    StartedApp s;
    // An option that disappeared from the table after start cannot be updated.
    s.Exec("DELETE FROM ATO_OPTIUNI WHERE PARAMETRU = 'HOSTNAME'");
    s.Exec("UPDATE ATO_OPTIUNI SET PARAMETRU = 'HOSTNAME2' WHERE PARAMETRU = 'ADRESA_WEB'");
    platform::ScopedMessageRecorder boxes;
    COptiuniDlg dlg;
    dlg.show();
    CXSimGrid& g = *dlg.Grid();
    const int row = optionRow(g, "ADRESA_WEB");
    ASSERT_GT(row, 0);
    g.SetCellText(row, 2, "x");
    dlg.findChild<QPushButton*>("ok")->click();
    EXPECT_NE(dlg.result(), QDialog::Accepted);
    ASSERT_EQ(boxes.messages().size(), 1u);
    EXPECT_EQ(boxes.lastText(), "Eroare la actualizarea parametrului: ADRESA_WEB");
    EXPECT_EQ(boxes.messages()[0].caption, "VORTAPL");
}
