#pragma once
// What the editor tests share: typing the way a keyboard does (diacritics included, which
// QTest::keyClicks cannot), and reading the database back directly.

#include "core/Database.h"
#include "core/VORTAPLApp.h"
#include "widgets/XSimGrid.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTest>

#include <cstdint>
#include <string>
#include <vector>

namespace entrytest {

inline Qt::Key KeyFor(QChar ch) {
    if (ch >= u'0' && ch <= u'9')
        return Qt::Key(Qt::Key_0 + (ch.unicode() - u'0'));
    if (ch.toUpper() >= u'A' && ch.toUpper() <= u'Z')
        return Qt::Key(Qt::Key_A + (ch.toUpper().unicode() - u'A'));
    if (ch == u'.')
        return Qt::Key_Period;
    if (ch == u' ')
        return Qt::Key_Space;
    return Qt::Key_unknown; // the text of the event carries the character
}

// Sends one key press and release with its text to w.
inline void Press(QWidget* w, Qt::Key key, const QString& text = {}) {
    QTest::sendKeyEvent(QTest::Press, w, key, text, Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Release, w, key, text, Qt::NoModifier);
    QCoreApplication::processEvents();
}

// Types text into a line edit or the grid (into the grid's editor once typing opened it).
inline void Type(QWidget* w, const QString& text) {
    auto* grid = qobject_cast<CXSimGrid*>(w);
    for (QChar ch : text) {
        QWidget* target = grid && grid->activeEditor() ? grid->activeEditor() : w;
        Press(target, KeyFor(ch), QString(ch));
    }
}

// Moves to a grid cell and types its new text, then Enter stores it.
inline void TypeIntoCell(CXSimGrid& grid, int row, int col, const QString& text) {
    grid.SetCurrentCell(row, col);
    Type(&grid, text);
    QWidget* target = grid.activeEditor() ? grid.activeEditor() : &grid;
    Press(target, Qt::Key_Return);
}

// Alt + key on w, as the user presses a button's shortcut; the button clicks itself a moment
// later (it shows itself pressed first), so wait until it has let go.
inline void PressShortcut(QWidget* w, Qt::Key key) {
    QTest::keyClick(w, key, Qt::AltModifier);
    // A button still down after 10 s leaves the test's own checks to fail.
    (void)QTest::qWaitFor(
        [w] {
            for (QAbstractButton* b : w->window()->findChildren<QAbstractButton*>())
                if (b->isDown())
                    return false;
            return true;
        },
        10000);
    QCoreApplication::processEvents();
}

inline int RowOf(CXSimGrid& grid, const std::string& firstColumn) {
    for (int row = 1; row <= grid.GetRowCount(); ++row)
        if (GetCellText(grid, row, 1) == firstColumn)
            return row;
    return 0;
}

// The rows of a query as texts of the named columns.
inline std::vector<std::vector<std::string>> Rows(const std::string& sql,
                                                  const std::vector<std::string>& columns,
                                                  const std::vector<core::Value>& values = {}) {
    core::Transaction tr(theApp().m_db, core::TransactionMode::ReadOnly);
    tr.Start();
    core::Statement st(tr);
    st.Execute(sql, values);
    std::vector<std::vector<std::string>> rows;
    while (st.Fetch()) {
        rows.emplace_back();
        for (const std::string& c : columns)
            rows.back().push_back(st.IsNull(c) ? "<null>" : st.GetText(c));
    }
    tr.Commit();
    return rows;
}

// A statement with bound values, committed.
inline void Exec(const std::string& sql, const std::vector<core::Value>& values = {}) {
    core::Transaction tr(theApp().m_db);
    tr.Start();
    core::Statement st(tr);
    st.Execute(sql, values);
    tr.Commit();
}

// A system constant of a month, seen by the constants list at once.
inline void SetConstant(int iAn, int iLuna, const std::string& strCS, double fValoare) {
    Exec("INSERT INTO ATN_CS (AN, LN, CS, VALOARE) VALUES (?, ?, ?, ?)",
         {std::int64_t(iAn), std::int64_t(iLuna), strCS, fValoare});
    theApp().m_constante.Load();
}

inline long long Count(const std::string& sql, const std::vector<core::Value>& values = {}) {
    core::Transaction tr(theApp().m_db, core::TransactionMode::ReadOnly);
    tr.Start();
    core::Statement st(tr);
    st.Execute(sql, values);
    const long long n = st.Fetch() ? st.GetInt64("NR") : -1;
    tr.Commit();
    return n;
}

} // namespace entrytest
