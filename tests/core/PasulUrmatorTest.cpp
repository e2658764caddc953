// With no month open every page says what to do next, from the state of the database.
#include "core/PasulUrmator.h"
#include "WorkFolder.h"
#include "core/TabPage.h"
#include "core/VORTAPLDlg.h"
#include "platform/Clock.h"

#include <QLabel>
#include <gtest/gtest.h>

#include <memory>

TEST(PasulUrmator, TheHintFollowsTheState) {
    struct Case {
        StarePornire stare;
        const char* hint;
    } cases[] = {
        {{false, false, 2026, 11},
         "Nu exista un angajator implicit: adaugati-l din Nomenclatoare "
         "> Agenti > Adaugare agent nou"},
        {{true, false, 2026, 1},
         "Lipsesc constantele de sistem ale lunii 01.2026: completati-le "
         "din Nomenclatoare > Constante Sistem."},
        {{true, true, 2026, 11}, "Adaugare luna curenta [CTRL + N]"},
    };
    for (const Case& c : cases)
        EXPECT_NE(PasulUrmator(c.stare).find(c.hint), std::string::npos) << PasulUrmator(c.stare);
}

TEST(PasulUrmator, EveryPageShowsTheHintUntilAMonthIsOpen) {
    testsupport::StartedApp s;
    platform::ScopedFixedNow clock(platform::MakeDateTime(2026, 1, 15));
    std::vector<CTabPage*> pages;
    for (int i = 0; i < CVORTAPLDlg::TabCount; ++i)
        pages.push_back(new CTabPage);
    auto w = std::make_unique<CVORTAPLDlg>(pages);
    for (CTabPage* p : pages) {
        EXPECT_EQ(p->Hint().find("Nu exista un angajator implicit"), 0u) << p->Hint();
        const QLabel* label = p->findChild<QLabel*>("PasulUrmator");
        ASSERT_TRUE(label);
        EXPECT_FALSE(label->isHidden());
    }
    s.Exec("INSERT INTO ATN_AGENTI (CIF, CURENT, COD_JUDET, DENUMIRE) VALUES ('12345678', 1, "
           "'12', 'Brutăria Ţăranului')");
    w->Notify(notify::Enable, 0);
    EXPECT_EQ(pages[3]->Hint().find("Lipsesc constantele de sistem ale lunii 12.2025"), 0u)
        << pages[3]->Hint();
    for (const char* cs : {"ISR", "SMB", "SMN", "PROC_ANGAJATOR", "ZILELUC"})
        s.Exec(std::string("INSERT INTO ATN_CS (AN, LN, CS, VALOARE) VALUES (2025, 12, '") + cs +
               "', 1)");
    w->Notify(notify::Enable, 0);
    EXPECT_NE(pages[0]->Hint().find("Adaugare luna curenta [CTRL + N]"), std::string::npos);
    // An open month hides it.
    w->Notify(notify::Enable, 1);
    for (CTabPage* p : pages)
        EXPECT_EQ(p->Hint(), "");
}
