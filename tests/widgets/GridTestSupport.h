#pragma once
// A shown grid with rows and columns of known texts, keys sent the way a keyboard sends them
// (to the open editor when there is one), and a recorder of the grid's two signals in order.

#include "widgets/XSimGrid.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <string>
#include <vector>

// "R2C3" style texts make every moved cell recognisable.
inline QString cellName(int row, int col) {
    return QStringLiteral("R%1C%2").arg(row).arg(col);
}

inline void fill(CXSimGrid& grid, int rows, int cols) {
    grid.InsertCols(1, cols);
    for (int c = 1; c <= cols; ++c)
        grid.SetCellText(0, c, QStringLiteral("Titlu %1").arg(c));
    for (int r = 1; r <= rows; ++r) {
        grid.InsertRows(grid.GetRowCount() + 1, 1);
        for (int c = 1; c <= cols; ++c)
            grid.SetCellText(r, c, cellName(r, c));
    }
}

// One key press and release, with the text a keyboard layout would give it.
inline void press(CXSimGrid& grid, Qt::Key key, const QString& text = {},
                  Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QWidget* target = grid.activeEditor() ? grid.activeEditor() : &grid;
    QTest::sendKeyEvent(QTest::Press, target, key, text, mods);
    QTest::sendKeyEvent(QTest::Release, target, key, text, mods); // an editor closed by the
                                                                  // press is deleted only later
    QCoreApplication::processEvents();
}

inline Qt::Key keyFor(QChar ch) {
    if (ch >= u'0' && ch <= u'9')
        return Qt::Key(Qt::Key_0 + (ch.unicode() - u'0'));
    if (ch.toUpper() >= u'A' && ch.toUpper() <= u'Z')
        return Qt::Key(Qt::Key_A + (ch.toUpper().unicode() - u'A'));
    if (ch == u'.')
        return Qt::Key_Period;
    if (ch == u',')
        return Qt::Key_Comma;
    if (ch == u' ')
        return Qt::Key_Space;
    return Qt::Key_unknown; // diacritics: the text carries the character
}

// Types text one character at a time; works for any Unicode text (QTest::keyClicks does not).
inline void typeText(CXSimGrid& grid, const QString& text) {
    for (QChar ch : text)
        press(grid, keyFor(ch), QString(ch));
}

struct SignalLog {
    explicit SignalLog(CXSimGrid& grid) {
        QObject::connect(&grid, &CXSimGrid::CellChanged, [this](int pr, int pc, int nr, int nc) {
            events.push_back(QStringLiteral("changed %1,%2>%3,%4")
                                 .arg(pr)
                                 .arg(pc)
                                 .arg(nr)
                                 .arg(nc)
                                 .toStdString());
        });
        QObject::connect(&grid, &CXSimGrid::CellEdited, [this](int r, int c) {
            events.push_back(QStringLiteral("edited %1,%2").arg(r).arg(c).toStdString());
        });
    }
    std::vector<std::string> events;
};

class ShownGrid : public ::testing::Test {
protected:
    void SetUp() override {
        grid.resize(640, 360);
        grid.show();
        grid.activateWindow();
        grid.setFocus();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    }
    CXSimGrid grid;
};
