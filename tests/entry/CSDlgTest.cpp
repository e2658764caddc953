#include "entry/CSDlg.h"
#include "EntryTestSupport.h"
#include "WorkFolder.h"
#include "core/Queries.h"
#include "core/VORTAPLApp.h"
#include "entry/ValoriCS.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "platform/ModalDialog.h"
#include "widgets/XSimGrid.h"

#include <QDateEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include <map>

using namespace entrytest;
using testsupport::StartedApp;

namespace {

// Today is fixed, so the dialog opens on a known month.
struct FixedToday : platform::ScopedFixedNow {
    FixedToday() : ScopedFixedNow(platform::MakeDateTime(2024, 3, 15)) {}
};

void Save(CCSDlg& dlg) {
    dlg.findChild<QPushButton*>("ok")->click();
}

std::map<std::string, double> StoredValues(int an, int ln) {
    std::map<std::string, double> m;
    core::Transaction tr(theApp().m_db, core::TransactionMode::ReadOnly);
    tr.Start();
    core::Statement st(tr);
    st.Execute("SELECT CS, VALOARE FROM ATN_CS WHERE AN = ? AND LN = ?",
               {std::int64_t(an), std::int64_t(ln)});
    while (st.Fetch())
        m[st.GetText("CS")] = st.GetDouble("VALOARE");
    tr.Commit();
    return m;
}

void Store(StartedApp& s, int an, int ln, const std::string& cs, const std::string& value) {
    s.Exec("INSERT INTO ATN_CS (AN, LN, CS, VALOARE) VALUES (" + std::to_string(an) + ", " +
           std::to_string(ln) + ", '" + cs + "', " + value + ")");
}

std::string Value(CCSDlg& dlg, const std::string& cs) {
    return GetCellText(*dlg.Grid(), RowOf(*dlg.Grid(), cs), 2);
}

} // namespace

TEST(CSDlg, OpensOnTheCurrentMonthWithEveryValidConstant) {
    FixedToday today;
    StartedApp s;
    Store(s, 2024, 3, "SMB", "3700");
    Store(s, 2024, 3, "PROC_ANGAJATOR", "0.5");
    Store(s, 2024, 2, "ISR", "500"); // another month
    s.Exec("INSERT INTO ATN_PROPRIETATI_CS (CS, PINTREAGA, ZECIMALE, DESCRIERE, VALID) VALUES "
           "('VECHE', 3, 0, 'Retrasa', 0)");
    CCSDlg dlg;
    dlg.show();
    EXPECT_EQ(dlg.windowTitle(), "Constante Sistem");
    EXPECT_EQ(dlg.Luna()->date(), QDate(2024, 3, 1));
    EXPECT_EQ(dlg.Luna()->text(), "03/2024");
    CXSimGrid& g = *dlg.Grid();
    const char* titles[] = {"Proprietate", "Valoare", "Descriere", "PIntreaga", "Zecimala"};
    for (int c = 1; c <= 5; ++c)
        EXPECT_EQ(GetCellText(g, 0, c), titles[c - 1]);
    struct Row {
        const char *cs, *value, *p, *d;
    } rows[] = {{"ISR", "", "5", "0"},
                {"SMB", "3700", "5", "0"},
                {"SMN", "", "5", "0"},
                {"PROC_ANGAJATOR", "0.50", "2", "2"},
                {"ZILELUC", "", "2", "0"}};
    ASSERT_EQ(g.GetRowCount(), 5);
    for (int r = 1; r <= 5; ++r) {
        const Row& e = rows[r - 1];
        EXPECT_EQ(GetCellText(g, r, 1), e.cs);
        EXPECT_EQ(GetCellText(g, r, 2), e.value) << e.cs;
        EXPECT_EQ(GetCellText(g, r, 4), e.p);
        EXPECT_EQ(GetCellText(g, r, 5), e.d);
        EXPECT_FALSE(GetCellText(g, r, 3).empty());
        EXPECT_TRUE(g.IsLocked(r, 1));
        EXPECT_TRUE(g.IsLocked(r, 3));
        EXPECT_FALSE(g.IsLocked(r, 2));
    }
    EXPECT_EQ(g.GetColWidth(4), 0);
    EXPECT_EQ(g.GetColWidth(5), 0);
    const std::string log = s.Folder().ReadFile("vortapl.log");
    EXPECT_NE(log.find("CString CCSDlg::SetGrid() ooo--->> IN"), std::string::npos);
    EXPECT_NE(log.find("CString CCSDlg::SetGrid() ooo--->> OUT"), std::string::npos);
}

// A month without values: OK refuses while a value is empty, then saves what was typed, the
// constants list sees it at once, and a second save replaces the month's values.
TEST(CSDlg, MonthIsSavedOnlyWhenCompleteAndReplacedOnTheNextSave) {
    FixedToday today;
    StartedApp s;
    Store(s, 2024, 4, "ISR", "500"); // the neighbour month stays as it is
    platform::ScopedMessageRecorder boxes;
    {
        CCSDlg dlg;
        dlg.show();
        dlg.Luna()->setDate(QDate(2024, 5, 1));
        CXSimGrid& g = *dlg.Grid();
        for (int r = 1; r <= g.GetRowCount(); ++r)
            EXPECT_EQ(GetCellText(g, r, 2), "");
        Save(dlg);
        EXPECT_EQ(boxes.lastText(), "Va rugam sa completati proprietatea: ISR");
        EXPECT_EQ(boxes.messages().at(0).icon, platform::Icon::Error);
        EXPECT_EQ(boxes.messages().at(0).caption, "VORTAPL");
        EXPECT_EQ(dlg.focusWidget(), &g);
        EXPECT_EQ(g.currentIndex().row(), 1);
        EXPECT_EQ(g.currentIndex().column(), 2);

        TypeIntoCell(g, RowOf(g, "ISR"), 2, "500");
        TypeIntoCell(g, RowOf(g, "SMB"), 2, "3700");
        TypeIntoCell(g, RowOf(g, "PROC_ANGAJATOR"), 2, "0,5"); // a comma becomes the point
        TypeIntoCell(g, RowOf(g, "ZILELUC"), 2, "21");
        boxes.clear();
        Save(dlg);
        EXPECT_EQ(boxes.lastText(), "Va rugam sa completati proprietatea: SMN");
        EXPECT_EQ(g.currentIndex().row(), RowOf(g, "SMN"));
        EXPECT_TRUE(StoredValues(2024, 5).empty());
        EXPECT_FALSE(ExistaCS(2024, 5));

        TypeIntoCell(g, RowOf(g, "SMN"), 2, "5000");
        g.SetCurrentCell(RowOf(g, "SMB"), 2);
        Type(&g, "3750"); // still being typed when the button is pressed
        boxes.clear();
        Save(dlg);
        EXPECT_EQ(dlg.result(), QDialog::Accepted) << boxes.lastText();
    }
    const std::map<std::string, double> may = {
        {"ISR", 500}, {"SMB", 3750}, {"SMN", 5000}, {"PROC_ANGAJATOR", 0.5}, {"ZILELUC", 21}};
    EXPECT_EQ(StoredValues(2024, 5), may);
    EXPECT_TRUE(ExistaCS(2024, 5));
    EXPECT_FALSE(ExistaCS(2024, 4));
    EXPECT_EQ(StoredValues(2024, 4).size(), 1u);
    EXPECT_EQ(theApp().m_constante.GetValoare("PROC_ANGAJATOR", 2024, 5), 0.5);
    EXPECT_EQ(theApp().m_constante.GetValoare("ZILELUC", 2024, 5), 21);
    std::string text;
    EXPECT_TRUE(GetCSAsString("PROC_ANGAJATOR", 2024, 5, text));
    EXPECT_EQ(text, "0.50");

    bool saved = false;
    {
        platform::ScopedModalHook hook([&](QDialog& d) {
            auto& dlg = dynamic_cast<CCSDlg&>(d);
            dlg.show();
            dlg.Luna()->setDate(QDate(2024, 5, 1));
            EXPECT_EQ(Value(dlg, "SMB"), "3750");
            EXPECT_EQ(Value(dlg, "PROC_ANGAJATOR"), "0.50");
            TypeIntoCell(*dlg.Grid(), RowOf(*dlg.Grid(), "PROC_ANGAJATOR"), 2, "12.25");
            Save(dlg);
            return dlg.result();
        });
        saved = RunCSDlg(nullptr);
    }
    EXPECT_TRUE(saved);
    auto replaced = may;
    replaced["PROC_ANGAJATOR"] = 12.25;
    EXPECT_EQ(StoredValues(2024, 5), replaced);
    EXPECT_EQ(theApp().m_constante.GetValoare("PROC_ANGAJATOR", 2024, 5), 12.25);
    EXPECT_EQ(theApp().m_constante.GetCount(), 6);
}

// Loaded and saved unchanged, every value comes back identical whatever its decimals, and a
// code no longer defined loses its value for the month, so the month then counts as complete.
TEST(CSDlg, LoadAndSaveRoundTripKeepsEveryValue) {
    FixedToday today;
    StartedApp s;
    s.Exec("UPDATE ATN_PROPRIETATI_CS SET VALID = 0");
    const struct {
        const char *cs, *stored, *shown;
        int p, d;
    } defs[] = {{"Z0", "12345", "12345", 5, 0},         {"Z1", "99999.9", "99999.9", 5, 1},
                {"Z2", "12.5", "12.50", 4, 2},          {"Z3", "0.125", "0.125", 3, 3},
                {"Z4", "1234.5678", "1234.5678", 4, 4}, {"Z2B", "7", "7.00", 2, 2}};
    for (const auto& d : defs) {
        s.Exec("INSERT INTO ATN_PROPRIETATI_CS (CS, PINTREAGA, ZECIMALE, DESCRIERE, VALID) "
               "VALUES ('" +
               std::string(d.cs) + "', " + std::to_string(d.p) + ", " + std::to_string(d.d) +
               ", 'proba', 1)");
        Store(s, 2023, 11, d.cs, d.stored);
    }
    Store(s, 2023, 11, "ISR", "500");
    EXPECT_FALSE(ExistaCS(2023, 11)); // one row too many for the valid definitions
    const auto before = StoredValues(2023, 11);

    platform::ScopedMessageRecorder boxes;
    CCSDlg dlg;
    dlg.show();
    dlg.Luna()->setDate(QDate(2023, 11, 1));
    for (const auto& d : defs)
        EXPECT_EQ(Value(dlg, d.cs), d.shown) << d.cs;
    Save(dlg);
    EXPECT_EQ(dlg.result(), QDialog::Accepted) << boxes.lastText();
    auto expected = before;
    expected.erase("ISR");
    EXPECT_EQ(StoredValues(2023, 11), expected); // exact equality of every double
    EXPECT_TRUE(ExistaCS(2023, 11));
}

TEST(CSDlg, PickerLoadsThePickedMonth) {
    FixedToday today;
    StartedApp s;
    Store(s, 2023, 12, "SMB", "3000");
    Store(s, 2024, 1, "SMB", "3300");
    Store(s, 2024, 1, "ZILELUC", "21");
    CCSDlg dlg;
    dlg.show();
    struct Case {
        QDate month;
        const char *smb, *zileluc;
    } cases[] = {{QDate(2023, 12, 1), "3000", ""},
                 {QDate(2024, 1, 1), "3300", "21"},
                 {QDate(2024, 2, 1), "", ""},
                 {QDate(2023, 12, 1), "3000", ""}};
    for (const Case& c : cases) {
        // A value typed and left unsaved belongs to the month the user leaves.
        TypeIntoCell(*dlg.Grid(), RowOf(*dlg.Grid(), "ISR"), 2, "999");
        dlg.Luna()->setDate(c.month);
        EXPECT_EQ(Value(dlg, "SMB"), c.smb) << c.month.toString().toStdString();
        EXPECT_EQ(Value(dlg, "ZILELUC"), c.zileluc);
        EXPECT_EQ(Value(dlg, "ISR"), "");
        EXPECT_FALSE(dlg.Grid()->IsLocked(1, 2));
    }
}

// A value that is no number never reaches the database: the save stops with a message, and
// the month keeps the values it had, because the delete is undone with the inserts.
TEST(CSDlg, ValueThatIsNoNumberKeepsTheStoredMonth) {
    FixedToday today;
    StartedApp s;
    for (const char* cs : {"ISR", "SMB", "SMN", "PROC_ANGAJATOR", "ZILELUC"})
        Store(s, 2024, 3, cs, "1");
    platform::ScopedMessageRecorder boxes;
    CCSDlg dlg;
    dlg.show();
    SetCellText(*dlg.Grid(), RowOf(*dlg.Grid(), "SMN"), 2, "1.2.3");
    Save(dlg);
    ASSERT_EQ(boxes.messages().size(), 1u);
    EXPECT_NE(boxes.lastText().find("SMN"), std::string::npos) << boxes.lastText();
    EXPECT_EQ(boxes.messages()[0].icon, platform::Icon::Error);
    EXPECT_NE(s.Folder().ReadFile("vortapl.log").find("[ERR][CCSDlg::SaveCS()] oo-->> "),
              std::string::npos);
    EXPECT_NE(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(StoredValues(2024, 3).size(), 5u);
    EXPECT_EQ(StoredValues(2024, 3).at("SMN"), 1.0);
}

// A month typed into the picker and saved at once by the keyboard (the picker keeps the focus,
// so it never reported the month): the save takes that month with its own values, and the
// month the grid showed before stays as it was.
TEST(CSDlg, MonthTypedAndSavedByKeyboardIsTheMonthSaved) {
    FixedToday today;
    StartedApp s;
    const std::map<std::string, double> may = {
        {"ISR", 500}, {"SMB", 3700}, {"SMN", 5000}, {"PROC_ANGAJATOR", 0.5}, {"ZILELUC", 21}};
    for (const auto& [cs, v] : may)
        Store(s, 2024, 5, cs, std::to_string(v));
    platform::ScopedMessageRecorder boxes;
    CCSDlg dlg;
    dlg.show();
    dlg.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dlg));
    QDateEdit* luna = dlg.Luna();
    luna->setFocus();
    luna->setSelectedSection(QDateTimeEdit::MonthSection);
    QTest::keyClicks(luna, "05");
    EXPECT_EQ(luna->text(), "05/2024");
    EXPECT_EQ(Value(dlg, "SMB"), ""); // the grid still shows March
    PressShortcut(luna, Qt::Key_S);
    EXPECT_EQ(dlg.result(), QDialog::Accepted) << boxes.lastText();
    EXPECT_EQ(dlg.LunaAfisata(), 202405);
    EXPECT_EQ(Value(dlg, "SMB"), "3700");
    EXPECT_EQ(StoredValues(2024, 5), may);
    EXPECT_TRUE(StoredValues(2024, 3).empty());
}

// A stored value with more decimals than its definition is shown and saved as it is; a typed
// value that does not fit is kept whole in its cell and refused with the allowed format.
TEST(CSDlg, StoredValuesStayAndTypedValuesAreNotCut) {
    FixedToday today;
    StartedApp s;
    const std::map<std::string, double> march = {
        {"ISR", 500.4}, {"SMB", 3700}, {"SMN", 5000}, {"PROC_ANGAJATOR", 0.125}, {"ZILELUC", 21}};
    for (const auto& [cs, v] : march)
        Store(s, 2024, 3, cs, FormatValoareCS(v, 4));
    platform::ScopedMessageRecorder boxes;
    {
        CCSDlg dlg;
        dlg.show();
        EXPECT_EQ(Value(dlg, "ISR"), "500.4");
        EXPECT_EQ(Value(dlg, "PROC_ANGAJATOR"), "0.125");
        EXPECT_FALSE(dlg.Modificat());
        Save(dlg);
        EXPECT_EQ(dlg.result(), QDialog::Accepted) << boxes.lastText();
        EXPECT_TRUE(boxes.messages().empty());
    }
    EXPECT_EQ(StoredValues(2024, 3), march);

    CCSDlg dlg;
    dlg.show();
    CXSimGrid& g = *dlg.Grid();
    EXPECT_EQ(dlg.AjutorValoare(RowOf(g, "ISR")),
              "Valoare cu cel mult 5 cifre intregi, fara zecimale");
    EXPECT_EQ(dlg.AjutorValoare(RowOf(g, "PROC_ANGAJATOR")),
              "Valoare cu cel mult 2 cifre intregi si 2 zecimale");
    struct Case {
        const char *cs, *typed, *message;
    } cases[] = {
        {"SMB", "123456",
         "Valoarea 123456 a proprietatii SMB nu se incadreaza in formatul permis (cel mult 5 "
         "cifre intregi, fara zecimale)!"},
        {"PROC_ANGAJATOR", "123.456",
         "Valoarea 123.456 a proprietatii PROC_ANGAJATOR nu se incadreaza in formatul permis "
         "(cel mult 2 cifre intregi si 2 zecimale)!"},
    };
    for (const Case& c : cases) {
        boxes.clear();
        TypeIntoCell(g, RowOf(g, c.cs), 2, c.typed);
        EXPECT_EQ(Value(dlg, c.cs), c.typed);
        ASSERT_EQ(boxes.messages().size(), 1u) << c.cs;
        EXPECT_EQ(boxes.lastText(), c.message);
        EXPECT_EQ(g.currentIndex().row(), RowOf(g, c.cs));
        boxes.clear();
        Save(dlg);
        EXPECT_EQ(boxes.lastText(), c.message);
        EXPECT_NE(dlg.result(), QDialog::Accepted);
        EXPECT_EQ(StoredValues(2024, 3), march);
        TypeIntoCell(g, RowOf(g, c.cs), 2, "12");
    }
    EXPECT_TRUE(dlg.Modificat());
    boxes.clear();
    Save(dlg);
    EXPECT_EQ(dlg.result(), QDialog::Accepted) << boxes.lastText();
    auto saved = march;
    saved["SMB"] = 12;
    saved["PROC_ANGAJATOR"] = 12;
    EXPECT_EQ(StoredValues(2024, 3), saved);
}

// Escape closes at once when nothing was changed; after an edit it asks, and "Nu" keeps the
// dialog with what was typed.
TEST(CSDlg, EscapeAfterAnEditAsksFirst) {
    FixedToday today;
    StartedApp s;
    platform::ScopedMessageRecorder boxes;
    {
        CCSDlg dlg;
        dlg.show();
        QTest::keyClick(&dlg, Qt::Key_Escape);
        EXPECT_TRUE(boxes.messages().empty());
        EXPECT_FALSE(dlg.isVisible());
    }
    CCSDlg dlg;
    dlg.show();
    TypeIntoCell(*dlg.Grid(), RowOf(*dlg.Grid(), "SMB"), 2, "3700");
    boxes.queue(platform::Answer::No);
    QTest::keyClick(dlg.Grid(), Qt::Key_Escape);
    ASSERT_EQ(boxes.messages().size(), 1u);
    EXPECT_EQ(boxes.messages()[0].buttons, platform::Buttons::YesNo);
    EXPECT_EQ(boxes.lastText(), "Valorile modificate nu au fost salvate.\nDoriti sa inchideti "
                                "fereastra fara sa le salvati?");
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(Value(dlg, "SMB"), "3700");
    boxes.queue(platform::Answer::Yes);
    QTest::keyClick(dlg.Grid(), Qt::Key_Escape);
    EXPECT_EQ(boxes.messages().size(), 2u);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_TRUE(StoredValues(2024, 3).empty());
}
