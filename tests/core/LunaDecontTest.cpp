// The settlement month on the main window: add, view, save, finalize, reopen and abandon on a
// real database, driven through the menu commands.
#include "core/LunaDecont.h"
#include "LunaDecontSupport.h"
#include "core/Commands.h"
#include "core/SelectieLunaDlg.h"
#include "core/ValueFunctions.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "platform/ModalDialog.h"
#include "widgets/TabStrip.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using lunatest::Event;
using lunatest::Fixture;
using platform::Answer;

namespace {
// The clock fixed at a day (10 o'clock unless said), by its calendar numbers.
struct FixedClock : platform::ScopedFixedNow {
    FixedClock(int y, int m, int d, int h = 10)
        : ScopedFixedNow(platform::MakeDateTime(y, m, d, h)) {}
    void Set(int y, int m, int d, int h = 10) {
        ScopedFixedNow::Set(platform::MakeDateTime(y, m, d, h));
    }
};

std::vector<Event> toEveryPage(int code, long long param) {
    std::vector<Event> v;
    for (int i = 0; i < CVORTAPLDlg::TabCount; ++i)
        v.push_back({i, code, param});
    return v;
}

std::vector<Event> concat(std::initializer_list<std::vector<Event>> parts) {
    std::vector<Event> v;
    for (const auto& p : parts)
        v.insert(v.end(), p.begin(), p.end());
    return v;
}

// Answers the month picker with the given year and month.
platform::ModalHook pickMonth(const char* an, const char* luna) {
    return [an, luna](QDialog& d) {
        auto* dlg = dynamic_cast<CSelectieLunaDlg*>(&d);
        if (!dlg)
            return int(QDialog::Rejected);
        dlg->show();
        dlg->YearEdit()->setText(an);
        dlg->MonthEdit()->setText(luna);
        dlg->findChild<QPushButton*>("ok")->click();
        return dlg->result();
    };
}

std::string header(Fixture& f) {
    return f.dlg->HeaderLabel(2)->text().toStdString() + " | " +
           f.dlg->HeaderLabel(3)->text().toStdString();
}

bool enabled(Fixture& f, int id) {
    return f.dlg->Action(id)->isEnabled();
}

// A person of the cache as the timesheet and payroll leave it.
void person(const char* nume, const char* ore, const char* venitNoel, const char* venitConv,
            const char* venitCbfs = "0", const char* oreCbfs = "0") {
    auto r = std::make_unique<__tagDATECONVENTIIANGAJATOR>();
    auto& c = *theApp().m_pConventii;
    (*r)[slot::CNP] = std::to_string(c.GetCount() + 10) + "1850212123453";
    (*r)[slot::CNP_CORECT] = c.GetCount() == 0 ? "1850212123453" : "2990101000011";
    (*r)[slot::NUME] = nume;
    (*r)[slot::PRENUME] = "ION";
    (*r)[slot::TIP_MA] = "13";
    (*r)[slot::ORE_LUCRATE_IN_CONVENTIE] = ore;
    (*r)[slot::ORE_CBFS] = oreCbfs;
    (*r)[slot::VENIT_BRUT_NOEL] = venitNoel;
    (*r)[slot::VENIT_BRUT_IN_CONVENTIE] = venitConv;
    (*r)[slot::VENIT_BRUT_CBFS_CONV] = venitCbfs;
    c.Add(std::move(r));
}
} // namespace

TEST(LunaDecont, AddOpensThePreviousMonthOrRefuses) {
    Fixture f;
    FixedClock clock(2027, 1, 3);
    // No constants for December 2026 yet.
    {
        platform::ScopedMessageRecorder boxes;
        f.dlg->RunCommand(cmd::AdaugareLuna);
        ASSERT_EQ(boxes.messages().size(), 1u);
        EXPECT_EQ(boxes.lastText(), "Nu ati definit toate constantele de sistem pt luna de "
                                    "lucru.\nVa rugam sa setati constantele sistem!");
        EXPECT_EQ(boxes.messages()[0].icon, platform::Icon::Error);
        EXPECT_FALSE(f.dlg->m_bLunaDeschisa);
    }
    f.Constants(2026, 12);
    f.Take();
    {
        platform::ScopedMessageRecorder boxes;
        f.dlg->RunCommand(cmd::AdaugareLuna);
        EXPECT_TRUE(boxes.messages().empty()) << boxes.lastText();
    }
    // On 3 January: December of the previous year, built fresh on every page in tab order.
    EXPECT_EQ(f.Take(),
              concat({toEveryPage(notify::NewMonth, 202612), toEveryPage(notify::Enable, 1)}));
    EXPECT_EQ(header(f), "LUNA LUCRU: 12.2026 | IN CONSTRUCTIE");
    EXPECT_TRUE(enabled(f, cmd::SalvareLuna));
    EXPECT_FALSE(enabled(f, cmd::AdaugareLuna));
    EXPECT_FALSE(enabled(f, cmd::PrintArt80));
    EXPECT_TRUE(f.pages[3]->isEnabled());

    // In any other month: the month before, same year.
    Fixture g;
    clock.Set(2026, 12, 31);
    g.Constants(2026, 11);
    g.dlg->RunCommand(cmd::AdaugareLuna);
    EXPECT_EQ(header(g), "LUNA LUCRU: 11.2026 | IN CONSTRUCTIE");
}

TEST(LunaDecont, AddRefusesWithoutADefaultEmployerAndAsksBeforeReplacing) {
    FixedClock clock(2026, 12, 5);
    {
        Fixture f(false);
        f.Constants(2026, 11);
        platform::ScopedMessageRecorder boxes;
        f.dlg->RunCommand(cmd::AdaugareLuna);
        EXPECT_EQ(boxes.lastText(),
                  "Nu exista nici un CIF setat ca implicit.\nVa rugam sa setati un CIF implicit!");
        EXPECT_FALSE(f.dlg->m_bLunaDeschisa);
    }
    Fixture f;
    f.Constants(2026, 11);
    f.s.Exec("INSERT INTO ATO_RAPORTARE (AN, LN, CIF, STARE) VALUES (2026, 11, 'RO100', 0)");
    const char* ask = "Exista deja o luna pentru aceasta luna [2026-11] !\nLa o noua salvare "
                      "datele vor fi suprascrise pierzand calculele anterioare!\nDoriti sa "
                      "continuati?";
    {
        platform::ScopedMessageRecorder boxes;
        boxes.queue(Answer::No);
        f.dlg->RunCommand(cmd::AdaugareLuna);
        ASSERT_EQ(boxes.messages().size(), 1u);
        EXPECT_EQ(boxes.lastText(), ask);
        EXPECT_EQ(boxes.messages()[0].buttons, platform::Buttons::YesNo);
        EXPECT_FALSE(f.dlg->m_bLunaDeschisa);
        EXPECT_EQ(f.dlg->m_iAN, 0);
    }
    {
        platform::ScopedMessageRecorder boxes;
        boxes.queue(Answer::Yes);
        f.Take();
        f.dlg->RunCommand(cmd::AdaugareLuna);
        EXPECT_EQ(boxes.lastText(), ask);
        EXPECT_TRUE(f.dlg->m_bLunaDeschisa);
        // The pages start fresh: the saved settlement is not loaded.
        EXPECT_EQ(f.Take().front(), (Event{0, notify::NewMonth, 202611}));
    }
    platform::ScopedMessageRecorder boxes;
    boxes.queue(Answer::Yes);
    f.dlg->RunCommand(cmd::Renuntare);
    EXPECT_EQ(boxes.lastText(), "Confirmati abandonarea modificarilor?");
    f.s.Exec("UPDATE ATO_RAPORTARE SET STARE = 1");
    boxes.clear();
    f.dlg->RunCommand(cmd::AdaugareLuna);
    EXPECT_EQ(boxes.lastText(), "Exista deja o luna finalizata pentru aceasta luna [2026-11] "
                                "!\nLuna poate fi doar consultata!");
    EXPECT_FALSE(f.dlg->m_bLunaDeschisa);
}

namespace {
// Adds the month (answering yes when a settlement of it exists) and types into two pages.
void openMonth(Fixture& f, const char* text = "POP ION") {
    platform::ScopedMessageRecorder boxes;
    boxes.queue(Answer::Yes);
    f.dlg->RunCommand(cmd::AdaugareLuna);
    ASSERT_TRUE(f.dlg->m_bLunaDeschisa) << boxes.lastText();
    f.pages[CVORTAPLDlg::TabPontaj]->Edit()->setText(text);
    f.pages[CVORTAPLDlg::TabStatPlata]->Edit()->setText(text);
    theApp().m_totaluri.FS = 5000;
}
} // namespace

TEST(LunaDecont, SaveWritesEveryPageInOneTransactionAndClosesTheMonth) {
    Fixture f;
    FixedClock clock(2026, 12, 5, 9);
    f.Constants(2026, 11);
    openMonth(f);
    f.Take();
    {
        platform::ScopedMessageRecorder boxes;
        f.dlg->RunCommand(cmd::SalvareLuna);
        EXPECT_TRUE(boxes.messages().empty()) << boxes.lastText();
    }
    std::vector<Event> saved;
    for (int i = 0; i < CVORTAPLDlg::TabCount; ++i)
        saved.push_back({i, 0, 0});
    EXPECT_EQ(f.Take(),
              concat({saved, toEveryPage(notify::Clear, 0), toEveryPage(notify::Enable, 0)}));
    const int code = GenerateCodUnic();
    EXPECT_EQ(f.Count("SELECT COUNT(*) AS NR FROM ATO_RAPORTARE WHERE AN = 2026 AND LN = 11 AND "
                      "CIF = 'RO100' AND STARE = 0 AND FS = 5000 AND COD_UNIC = " +
                      std::to_string(code)),
              1);
    EXPECT_EQ(f.Count("SELECT COUNT(*) AS NR FROM ATO_RAPORTARE_STATDEPLATA WHERE NUME = 'POP "
                      "ION'"),
              1);
    EXPECT_FALSE(f.dlg->m_bLunaDeschisa);
    EXPECT_EQ(f.dlg->m_iAN, 0);
    EXPECT_EQ(theApp().m_totaluri.FS, 0);
    EXPECT_EQ(header(f), "LUNA LUCRU: NEDEFINITA | -");
    EXPECT_TRUE(f.pages[3]->Edit()->text().isEmpty());
    EXPECT_FALSE(f.pages[3]->isEnabled());

    // Again in the same second: the settlement is replaced, with the same code.
    openMonth(f, "POPESCU ION");
    {
        platform::ScopedMessageRecorder boxes;
        f.dlg->RunCommand(cmd::SalvareLuna);
        EXPECT_TRUE(boxes.messages().empty()) << boxes.lastText();
    }
    EXPECT_EQ(f.Count("SELECT COUNT(*) AS NR FROM ATO_RAPORTARE WHERE COD_UNIC = " +
                      std::to_string(code)),
              1);
    EXPECT_EQ(f.Count("SELECT COUNT(*) AS NR FROM ATO_RAPORTARE_PONTAJ"), 1);
    EXPECT_EQ(f.Count("SELECT COUNT(*) AS NR FROM ATO_RAPORTARE_STATDEPLATA WHERE NUME = "
                      "'POPESCU ION'"),
              1);
    // A second later the code is drawn afresh.
    clock.Set(2026, 12, 5, 10);
    openMonth(f);
    platform::ScopedMessageRecorder boxes;
    f.dlg->RunCommand(cmd::SalvareLuna);
    EXPECT_EQ(f.Count("SELECT COUNT(*) AS NR FROM ATO_RAPORTARE WHERE COD_UNIC = " +
                      std::to_string(GenerateCodUnic())),
              1);
    EXPECT_NE(GenerateCodUnic(), code);
}

TEST(LunaDecont, APageThatRefusesLeavesTheDatabaseAsItWas) {
    for (int failing :
         {CVORTAPLDlg::TabSubventii, CVORTAPLDlg::TabStatPlata, CVORTAPLDlg::TabArt93_4}) {
        SCOPED_TRACE(failing);
        Fixture f;
        FixedClock clock(2026, 12, 5);
        f.Constants(2026, 11);
        openMonth(f, "PRIMA");
        {
            platform::ScopedMessageRecorder boxes;
            f.dlg->RunCommand(cmd::SalvareLuna);
        }
        const std::string before = f.Dump();
        ASSERT_NE(before.find("PRIMA"), std::string::npos);
        clock.Set(2026, 12, 5, 11);
        openMonth(f, "A DOUA");
        f.pages[size_t(failing)]->m_bRefuse = true;
        f.Take();
        platform::ScopedMessageRecorder boxes;
        f.dlg->RunCommand(cmd::SalvareLuna);
        EXPECT_TRUE(boxes.messages().empty()); // the page tells the user itself
        EXPECT_EQ(f.Dump(), before);
        // The month stays open on the page that refused, with everything entered.
        EXPECT_TRUE(f.dlg->m_bLunaDeschisa);
        EXPECT_EQ(f.dlg->TabStrip()->Current(), failing);
        EXPECT_EQ(f.pages[3]->Edit()->text(), "A DOUA");
        EXPECT_EQ(theApp().m_totaluri.FS, 5000);
        EXPECT_EQ(header(f), "LUNA LUCRU: 11.2026 | IN CONSTRUCTIE");
        const std::vector<Event> events = f.Take();
        EXPECT_EQ(events.size(), size_t(failing + 1)); // the pages after it were not asked
    }
}

TEST(LunaDecont, ADatabaseErrorIsShownAndTheMonthStaysOpen) {
    Fixture f;
    FixedClock clock(2026, 12, 5);
    f.Constants(2026, 11);
    openMonth(f, "PRIMA");
    {
        platform::ScopedMessageRecorder boxes;
        f.dlg->RunCommand(cmd::SalvareLuna);
    }
    // The engine refuses the settlement code from now on.
    f.s.Exec("CREATE EXCEPTION E_COD 'codul decontului este blocat'");
    f.s.Exec("CREATE TRIGGER T_COD FOR ATO_RAPORTARE BEFORE UPDATE AS BEGIN "
             "IF (NEW.COD_UNIC IS NOT NULL) THEN EXCEPTION E_COD; END");
    const std::string before = f.Dump();
    for (int command : {cmd::SalvareLuna, cmd::FinalizareLuna}) {
        SCOPED_TRACE(command);
        openMonth(f, "A DOUA");
        platform::ScopedMessageRecorder boxes;
        boxes.queue(Answer::Yes); // finalize: confirmed
        f.dlg->RunCommand(command);
        ASSERT_FALSE(boxes.messages().empty());
        EXPECT_NE(boxes.lastText().find("codul decontului este blocat"), std::string::npos)
            << boxes.lastText();
        EXPECT_EQ(boxes.messages().back().icon, platform::Icon::Error);
        EXPECT_EQ(f.Dump(), before);
        EXPECT_TRUE(f.dlg->m_bLunaDeschisa);
        EXPECT_EQ(f.pages[2]->Edit()->text(), "A DOUA");
        EXPECT_TRUE(enabled(f, cmd::SalvareLuna));
        const std::string log = f.s.Folder().ReadFile("vortapl.log");
        EXPECT_NE(log.find("[ERR][CVORTAPLDlg::OnAnexeSalveazamodificarile()] oo-->> "),
                  std::string::npos);
        platform::ScopedMessageRecorder abandon;
        abandon.queue(Answer::Yes);
        f.dlg->RunCommand(cmd::Renuntare);
    }
    // A save in which no page wrote the settlement row is no save either: the old
    // settlement is not deleted for nothing.
    f.s.Exec("DROP TRIGGER T_COD");
    openMonth(f, "A TREIA");
    for (auto* page : f.pages)
        page->m_bNoRow = true;
    platform::ScopedMessageRecorder boxes;
    f.dlg->RunCommand(cmd::SalvareLuna);
    EXPECT_EQ(boxes.lastText(), "Decontul lunii 11.2026 nu a fost scris in baza de date.");
    EXPECT_TRUE(f.dlg->m_bLunaDeschisa);
    EXPECT_EQ(f.Dump(), before);
}

TEST(LunaDecont, ViewFinalizeReopenAndAbandon) {
    Fixture f;
    FixedClock clock(2026, 12, 5);
    f.Constants(2026, 11);
    openMonth(f);
    {
        platform::ScopedMessageRecorder boxes;
        f.dlg->RunCommand(cmd::SalvareLuna);
    }
    // View: a month without a settlement is refused; a cancelled picker does nothing.
    {
        platform::ScopedMessageRecorder boxes;
        platform::ScopedModalHook hook(pickMonth("2026", "10"));
        f.dlg->RunCommand(cmd::VizualizareLuna);
        EXPECT_EQ(boxes.lastText(),
                  "Nu exista nici o declaratie pentru CIF-ul implicit pe luna introdusa!");
        EXPECT_EQ(boxes.messages().back().icon, platform::Icon::Information);
        EXPECT_FALSE(f.dlg->m_bLunaDeschisa);
    }
    f.Take();
    {
        platform::ScopedMessageRecorder boxes;
        platform::ScopedModalHook hook(pickMonth("2026", "11"));
        f.dlg->RunCommand(cmd::VizualizareLuna);
        EXPECT_TRUE(boxes.messages().empty()) << boxes.lastText();
    }
    EXPECT_EQ(f.Take(),
              concat({toEveryPage(notify::Enable, 1), toEveryPage(notify::LoadMonth, 202611),
                      toEveryPage(notify::Finalized, 0)}));
    EXPECT_EQ(header(f), "LUNA LUCRU: 11.2026 | IN CONSTRUCTIE");

    // Finalize: asks first; "Nu" leaves the month as it is.
    {
        platform::ScopedMessageRecorder boxes;
        boxes.queue(Answer::No);
        f.dlg->RunCommand(cmd::FinalizareLuna);
        EXPECT_EQ(boxes.lastText(), "Confirmati inchiderea lunii curent selectata?");
        EXPECT_TRUE(f.dlg->m_bLunaDeschisa);
        boxes.queue(Answer::Yes);
        f.dlg->RunCommand(cmd::FinalizareLuna);
        EXPECT_FALSE(f.dlg->m_bLunaDeschisa);
    }
    EXPECT_EQ(f.Count("SELECT COUNT(*) AS NR FROM ATO_RAPORTARE WHERE STARE = 1 AND COD_UNIC = " +
                      std::to_string(GenerateCodUnic())),
              1);
    // A finalized month is read-only: prints, export and upload instead of save.
    {
        platform::ScopedModalHook hook(pickMonth("2026", "11"));
        f.Take();
        f.dlg->RunCommand(cmd::VizualizareLuna);
    }
    EXPECT_EQ(f.Take().back(), (Event{8, notify::Finalized, 1}));
    EXPECT_TRUE(f.pages[2]->Edit()->isReadOnly());
    EXPECT_EQ(header(f), "LUNA LUCRU: 11.2026 | FINALIZATA");
    EXPECT_FALSE(enabled(f, cmd::SalvareLuna));
    EXPECT_FALSE(enabled(f, cmd::FinalizareLuna));
    for (int id : {cmd::ExportAnexe, cmd::SalveazaPeServer, cmd::PrintArt80, cmd::PrintPontaj})
        EXPECT_TRUE(enabled(f, id)) << id;
    {
        platform::ScopedMessageRecorder boxes;
        f.dlg->Luna()->OnAnexeSalveazamodificarile(false); // even when called directly
        f.dlg->RunCommand(cmd::Renuntare);                 // no question for a final month
        EXPECT_TRUE(boxes.messages().empty()) << boxes.lastText();
        EXPECT_FALSE(f.dlg->m_bLunaDeschisa);
    }

    // Reopen: only up to the 25th.
    struct Case {
        int day;
        Answer answer;
        std::vector<std::string> texts;
        int stare;
        bool open;
    } cases[] = {
        {26,
         Answer::Yes,
         {"O luna finalizata se poate redeschide pana la data de 25 a lunii curente!"},
         1,
         false},
        {25, Answer::No, {"Confirmati redeschiderea lunii 11.2026?"}, 1, false},
        {25,
         Answer::Yes,
         {"Confirmati redeschiderea lunii 11.2026?",
          "Luna 11.2026 a fost redeschisa cu succes!\nClick ok pentru a intra in vizualizarea "
          "lunii!"},
         0,
         true},
        {1,
         Answer::Yes,
         {"Nu exista nici un decont finalizat pentru CIF-ul implicit pe luna 11.2026!"},
         0,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.day);
        clock.Set(2026, 12, c.day);
        platform::ScopedMessageRecorder boxes;
        boxes.queue(c.answer);
        f.dlg->RunCommand(cmd::RedeschideLuna);
        std::vector<std::string> texts;
        for (const auto& m : boxes.messages())
            texts.push_back(m.text);
        EXPECT_EQ(texts, c.texts);
        EXPECT_EQ(f.Count("SELECT STARE AS NR FROM ATO_RAPORTARE"), c.stare);
        EXPECT_EQ(f.dlg->m_bLunaDeschisa, c.open);
        if (c.open) {
            EXPECT_EQ(header(f), "LUNA LUCRU: 11.2026 | IN CONSTRUCTIE");
            EXPECT_TRUE(enabled(f, cmd::SalvareLuna));
            // Abandon asks; "Nu" keeps the month, yes closes it without writing.
            const std::string before = f.Dump();
            boxes.clear();
            boxes.queue(Answer::No);
            f.dlg->RunCommand(cmd::Renuntare);
            EXPECT_EQ(boxes.lastText(), "Confirmati abandonarea modificarilor?");
            EXPECT_TRUE(f.dlg->m_bLunaDeschisa);
            boxes.queue(Answer::Yes);
            f.Take();
            f.dlg->RunCommand(cmd::Renuntare);
            EXPECT_EQ(f.Take(),
                      concat({toEveryPage(notify::Clear, 0), toEveryPage(notify::Enable, 0)}));
            EXPECT_EQ(header(f), "LUNA LUCRU: NEDEFINITA | -");
            EXPECT_EQ(f.Dump(), before);
        }
    }
    // In January the month reopened is December of the year before.
    clock.Set(2027, 1, 10);
    platform::ScopedMessageRecorder boxes;
    f.dlg->RunCommand(cmd::RedeschideLuna);
    EXPECT_EQ(boxes.lastText(), "Nu exista nici un decont pentru CIF-ul implicit pe luna 12.2026!");
}

TEST(LunaDecont, TheCrossTabCheckShowsTheTabToCorrect) {
    Fixture f;
    FixedClock clock(2026, 12, 5);
    f.Constants(2026, 11, 2000);
    struct Case {
        const char* name;
        std::vector<std::vector<const char*>> persons; // nume, ore, noel, conv, cbfs, ore cbfs
        double fs;
        std::vector<Answer> answers;
        int tab; // shown after the check; -1: saved
        int boxes;
    } cases[] = {
        {"hours without payroll",
         {{"POP", "160", "0", "0"}},
         5000,
         {},
         CVORTAPLDlg::TabStatPlata,
         1},
        {"payroll without hours", {{"POP", "0", "3000", "0"}}, 5000, {}, CVORTAPLDlg::TabPontaj, 1},
        {"CBFS hours without CBFS income",
         {{"POP", "160", "3000", "3000", "0", "8"}},
         5000,
         {},
         CVORTAPLDlg::TabStatPlata,
         1},
        {"incomes over the wage fund",
         {{"POP", "160", "3000", "3000"}},
         2999,
         {},
         CVORTAPLDlg::TabConventii,
         1},
        {"a warning declined",
         {{"POP", "160", "1500", "1500"}},
         5000,
         {Answer::No},
         CVORTAPLDlg::TabStatPlata,
         1},
        {"a warning accepted", {{"POP", "160", "1500", "1500"}}, 5000, {Answer::Yes}, -1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        openMonth(f);
        f.dlg->ShowTab(CVORTAPLDlg::TabArt80);
        theApp().m_pConventii->Clear();
        for (const auto& p : c.persons)
            person(p[0], p[1], p[2], p[3], p.size() > 4 ? p[4] : "0", p.size() > 5 ? p[5] : "0");
        theApp().m_totaluri.FS = c.fs;
        const std::string before = f.Dump();
        platform::ScopedMessageRecorder boxes;
        for (Answer a : c.answers)
            boxes.queue(a);
        f.dlg->RunCommand(cmd::SalvareLuna);
        EXPECT_EQ(int(boxes.messages().size()), c.boxes) << boxes.lastText();
        if (c.tab >= 0) {
            EXPECT_EQ(f.dlg->TabStrip()->Current(), c.tab);
            EXPECT_TRUE(f.dlg->m_bLunaDeschisa);
            EXPECT_EQ(f.Dump(), before);
            boxes.queue(Answer::Yes);
            f.dlg->RunCommand(cmd::Renuntare);
        } else {
            EXPECT_FALSE(f.dlg->m_bLunaDeschisa);
            EXPECT_NE(f.Dump(), before);
        }
    }
}

TEST(LunaDecont, ClosingWithAnOpenMonthAsksAndNuKeepsEverything) {
    Fixture f;
    FixedClock clock(2026, 12, 5);
    f.Constants(2026, 11);
    f.dlg->show();
    openMonth(f, "SCRIS DE MANA");
    struct Case {
        const char* name;
        std::function<void()> action;
    } cases[] = {
        {"Escape", [&] { QTest::keyClick(f.dlg.get(), Qt::Key_Escape); }},
        {"close box / Alt+F4", [&] { f.dlg->close(); }},
        {"&Iesire [ALT+X]", [&] { f.dlg->Action(cmd::Iesire)->trigger(); }},
        {"Alt+X", [&] { f.dlg->RunCommand(cmd::IesireAltX); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        platform::ScopedMessageRecorder boxes;
        boxes.queue(Answer::No);
        c.action();
        ASSERT_EQ(boxes.messages().size(), 1u);
        EXPECT_EQ(boxes.lastText(), "Abandonam modificarile curente?");
        EXPECT_EQ(boxes.messages()[0].icon, platform::Icon::Question);
        EXPECT_TRUE(f.dlg->isVisible());
        EXPECT_TRUE(f.dlg->m_bLunaDeschisa);
        EXPECT_EQ(f.pages[3]->Edit()->text(), "SCRIS DE MANA");
        EXPECT_EQ(theApp().m_totaluri.FS, 5000);
        EXPECT_EQ(header(f), "LUNA LUCRU: 11.2026 | IN CONSTRUCTIE");
    }
    platform::ScopedMessageRecorder boxes;
    boxes.queue(Answer::Yes);
    f.dlg->close();
    EXPECT_FALSE(f.dlg->isVisible());
}
