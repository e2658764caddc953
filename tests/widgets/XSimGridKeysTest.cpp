// The grid under the keyboard: cursor moves and CellChanged, typing, committing and giving up
// edits, diacritics, locked cells and edit masks.

#include "GridTestSupport.h"

#include <QInputMethodEvent>

namespace {

std::string changed(int pr, int pc, int nr, int nc) {
    return QStringLiteral("changed %1,%2>%3,%4").arg(pr).arg(pc).arg(nr).arg(nc).toStdString();
}

std::string edited(int r, int c) {
    return QStringLiteral("edited %1,%2").arg(r).arg(c).toStdString();
}

using Events = std::vector<std::string>;

} // namespace

class GridKeys : public ShownGrid {
protected:
    void SetUp() override {
        ShownGrid::SetUp();
        fill(grid, 4, 4);
    }
};

TEST_F(GridKeys, SetCurrentCellRaisesCellChangedWithThePreviousCell) {
    SignalLog log(grid);
    grid.SetCurrentCell(2, 3);
    grid.SetCurrentCell(4, 1);
    grid.SetCurrentCell(4, 1); // not a move
    grid.SetCurrentCell(0, 1); // header and outside cells are refused
    grid.SetCurrentCell(5, 1);
    EXPECT_EQ(log.events, (Events{changed(0, 0, 2, 3), changed(2, 3, 4, 1)}));
}

struct MoveCase {
    const char* name;
    int row, col; // the start
    Qt::Key key;
    Qt::KeyboardModifiers mods;
    int newRow, newCol; // where the cursor goes; the start again for no move
};

class GridMoves : public GridKeys, public ::testing::WithParamInterface<MoveCase> {};

TEST_P(GridMoves, KeyMovesTheCursorAndReportsBothCells) {
    const MoveCase& m = GetParam();
    grid.SetCurrentCell(m.row, m.col);
    SignalLog log(grid);
    press(grid, m.key, {}, m.mods);
    EXPECT_EQ(grid.currentIndex().row(), m.newRow);
    EXPECT_EQ(grid.currentIndex().column(), m.newCol);
    const Events expected = m.newRow == m.row && m.newCol == m.col
                                ? Events{}
                                : Events{changed(m.row, m.col, m.newRow, m.newCol)};
    EXPECT_EQ(log.events, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, GridMoves,
    ::testing::Values(MoveCase{"down", 2, 2, Qt::Key_Down, {}, 3, 2},
                      MoveCase{"up", 2, 2, Qt::Key_Up, {}, 1, 2},
                      MoveCase{"up_at_first_row", 1, 2, Qt::Key_Up, {}, 1, 2},
                      MoveCase{"right", 2, 2, Qt::Key_Right, {}, 2, 3},
                      MoveCase{"left_at_first_column", 2, 1, Qt::Key_Left, {}, 2, 1},
                      MoveCase{"tab", 2, 2, Qt::Key_Tab, {}, 2, 3},
                      MoveCase{"tab_wraps_to_next_row", 2, 4, Qt::Key_Tab, {}, 3, 1},
                      MoveCase{"tab_stops_at_last_cell", 4, 4, Qt::Key_Tab, {}, 4, 4},
                      MoveCase{"backtab", 2, 1, Qt::Key_Backtab, Qt::ShiftModifier, 1, 4},
                      MoveCase{"enter_moves_down", 2, 2, Qt::Key_Return, {}, 3, 2},
                      MoveCase{"keypad_enter", 3, 3, Qt::Key_Enter, Qt::KeypadModifier, 4, 3},
                      MoveCase{"enter_at_last_row", 4, 2, Qt::Key_Return, {}, 4, 2}),
    [](const ::testing::TestParamInfo<MoveCase>& info) { return std::string(info.param.name); });

TEST_F(GridKeys, InsertingDeletingAndClearingRaiseNoCellChanged) {
    grid.SetCurrentCell(3, 2);
    SignalLog log(grid);
    grid.InsertRows(1, 1); // the current person moves to row 4
    EXPECT_EQ(grid.currentIndex().row(), 4);
    grid.DeleteRow(2);
    grid.DeleteRow(3); // the current row itself
    EXPECT_TRUE(log.events.empty());

    // The next move reports the cell the cursor was put on meanwhile.
    const QModelIndex now = grid.currentIndex();
    grid.SetCurrentCell(1, 1);
    EXPECT_EQ(log.events, (Events{changed(now.isValid() ? now.row() : 0,
                                          now.isValid() ? now.column() : 0, 1, 1)}));
    grid.Clear(3);
    EXPECT_EQ(log.events.size(), 1u);
}

TEST_F(GridKeys, PrevRowFollowsTheRowWhenRowsAreInsertedAbove) {
    grid.SetCurrentCell(2, 2);
    SignalLog log(grid);
    grid.InsertRows(1, 2);
    press(grid, Qt::Key_Down);
    EXPECT_EQ(log.events, (Events{changed(4, 2, 5, 2)}));
}

TEST_F(GridKeys, TypingReplacesAndEnterCommitsAndMovesDown) {
    grid.SetCurrentCell(2, 2);
    SignalLog log(grid);
    typeText(grid, "abc");
    ASSERT_NE(grid.activeEditor(), nullptr);
    EXPECT_EQ(grid.GetCellText(2, 2), "R2C2") << "nothing is stored before the commit";
    press(grid, Qt::Key_Return);
    EXPECT_EQ(grid.activeEditor(), nullptr);
    EXPECT_EQ(grid.GetCellText(2, 2), "abc");
    EXPECT_EQ(log.events, (Events{edited(2, 2), changed(2, 2, 3, 2)}));
}

TEST_F(GridKeys, EscapeGivesTheEditUp) {
    grid.SetCurrentCell(2, 2);
    SignalLog log(grid);
    typeText(grid, "xyz");
    press(grid, Qt::Key_Escape);
    EXPECT_EQ(grid.activeEditor(), nullptr);
    EXPECT_EQ(grid.GetCellText(2, 2), "R2C2");
    EXPECT_EQ(grid.currentIndex().row(), 2);
    EXPECT_TRUE(log.events.empty());
}

TEST_F(GridKeys, F2EditsInPlaceAndTabOrArrowsCommit) {
    grid.SetCurrentCell(2, 2);
    press(grid, Qt::Key_F2);
    typeText(grid, "9");
    press(grid, Qt::Key_Tab);
    EXPECT_EQ(grid.GetCellText(2, 2), "R2C29");
    EXPECT_EQ(grid.currentIndex().column(), 3);

    typeText(grid, "up");
    press(grid, Qt::Key_Up);
    EXPECT_EQ(grid.GetCellText(2, 3), "up");
    EXPECT_EQ(grid.currentIndex().row(), 1);

    press(grid, Qt::Key_F2);
    press(grid, Qt::Key_Left); // moves the caret inside the text, not the cursor
    typeText(grid, "-");
    press(grid, Qt::Key_Return);
    EXPECT_EQ(grid.GetCellText(1, 3), "R1C-3");
}

TEST_F(GridKeys, MovingAwayCommitsBeforeCellChanged) {
    grid.SetCurrentCell(2, 2);
    SignalLog log(grid);
    typeText(grid, "77");
    grid.SetCurrentCell(3, 3); // e.g. a page sending the user to a cell to correct
    EXPECT_EQ(grid.GetCellText(2, 2), "77");
    EXPECT_EQ(log.events, (Events{edited(2, 2), changed(2, 2, 3, 3)}));
}

TEST_F(GridKeys, CommitEditStoresWhatIsBeingTyped) {
    grid.SetCurrentCell(3, 1);
    SignalLog log(grid);
    typeText(grid, "4500");
    grid.CommitEdit(); // a save from the menu while the user is still in the cell
    EXPECT_EQ(grid.activeEditor(), nullptr);
    EXPECT_EQ(grid.GetCellText(3, 1), "4500");
    EXPECT_EQ(log.events, (Events{edited(3, 1)}));
    grid.CommitEdit(); // nothing open: nothing happens
    EXPECT_EQ(log.events.size(), 1u);
}

TEST_F(GridKeys, MouseClickMovesAndDoubleClickEdits) {
    SignalLog log(grid);
    const QModelIndex target = grid.model()->index(3, 2);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.visualRect(target).center());
    EXPECT_EQ(log.events, (Events{changed(0, 0, 3, 2)}));
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, grid.visualRect(target).center());
    ASSERT_NE(grid.activeEditor(), nullptr);
    typeText(grid, "nou"); // the whole text is selected, so typing replaces it
    press(grid, Qt::Key_Return);
    EXPECT_EQ(grid.GetCellText(3, 2), "nou");
}

TEST_F(GridKeys, HiddenColumnsAreSkipped) {
    grid.SetColWidth(1, 0); // the pages' hidden key column
    grid.SetColWidth(3, 0);
    grid.SetCurrentCell(2, 2);
    press(grid, Qt::Key_Left);
    EXPECT_EQ(grid.currentIndex().column(), 2);
    press(grid, Qt::Key_Right);
    EXPECT_EQ(grid.currentIndex().column(), 4);
    press(grid, Qt::Key_Tab);
    EXPECT_EQ(grid.currentIndex().row(), 3);
    EXPECT_EQ(grid.currentIndex().column(), 2);
}

TEST_F(GridKeys, UnchangedCommitRaisesNoCellEdited) {
    grid.SetCurrentCell(2, 2);
    typeText(grid, "R2C2");
    SignalLog log(grid);
    press(grid, Qt::Key_Return);
    EXPECT_EQ(log.events, (Events{changed(2, 2, 3, 2)}));
}

TEST_F(GridKeys, DiacriticsAreTypedAndStored) {
    const QString name = QString::fromUtf8("Ăîâșț ȘȚÎÂ");
    grid.SetCurrentCell(2, 3);
    typeText(grid, name);
    press(grid, Qt::Key_Return);
    EXPECT_EQ(grid.GetCellText(2, 3), name);
    EXPECT_EQ(GetCellText(grid, 2, 3), "Ăîâșț ȘȚÎÂ");

    // A character composed by an input method (dead keys) starts the edit as well.
    grid.SetCurrentCell(1, 1);
    QInputMethodEvent composed;
    composed.setCommitString(QString::fromUtf8("ș"));
    QCoreApplication::sendEvent(&grid, &composed);
    ASSERT_NE(grid.activeEditor(), nullptr);
    typeText(grid, "i");
    press(grid, Qt::Key_Return);
    EXPECT_EQ(grid.GetCellText(1, 1), QString::fromUtf8("și"));
}

TEST_F(GridKeys, LockedCellsAreReachedButNotChanged) {
    grid.SetLocked(1, 0, 2, 1);
    grid.SetCurrentCell(2, 1);
    SignalLog log(grid);
    press(grid, Qt::Key_Right);
    EXPECT_EQ(grid.currentIndex().column(), 2) << "a locked cell can be navigated to";
    typeText(grid, "R4"); // no edit, and no jump to a cell starting with these letters
    press(grid, Qt::Key_F2);
    press(grid, Qt::Key_Delete);
    press(grid, Qt::Key_Backspace);
    EXPECT_EQ(grid.activeEditor(), nullptr);
    EXPECT_EQ(grid.GetCellText(2, 2), "R2C2");
    EXPECT_EQ(log.events, (Events{changed(2, 1, 2, 2)}));
}

TEST_F(GridKeys, DeleteEmptiesAndBackspaceStartsAnEmptyEdit) {
    grid.SetCurrentCell(2, 2);
    SignalLog log(grid);
    press(grid, Qt::Key_Delete);
    EXPECT_EQ(grid.GetCellText(2, 2), "");
    grid.SetCurrentCell(3, 2);
    press(grid, Qt::Key_Backspace);
    typeText(grid, "5");
    press(grid, Qt::Key_Return);
    EXPECT_EQ(grid.GetCellText(3, 2), "5");
    EXPECT_EQ(log.events,
              (Events{edited(2, 2), changed(2, 2, 3, 2), edited(3, 2), changed(3, 2, 4, 2)}));
}

TEST_F(GridKeys, MergedCellsAreOneStopForTheCursor) {
    grid.MergeCells(2, 2, 2, 3);
    grid.SetCurrentCell(2, 1);
    press(grid, Qt::Key_Right);
    EXPECT_EQ(grid.currentIndex().column(), 2);
    press(grid, Qt::Key_Right);
    EXPECT_EQ(grid.currentIndex().column(), 4);
}

TEST_F(GridKeys, FrozenSecondHeaderRowIsNotReachedByKeys) {
    grid.SetHeaderFreeze(1, 0);
    grid.SetCurrentCell(2, 2);
    press(grid, Qt::Key_Up);
    EXPECT_EQ(grid.currentIndex().row(), 2);
}

struct MaskCase {
    const char* name;
    const char* mask;
    const char* typed;
    const char* stored; // the cell held "55" before
};

class GridMasks : public GridKeys, public ::testing::WithParamInterface<MaskCase> {};

TEST_P(GridMasks, EditorRefusesWhatTheMaskDoesNotTake) {
    const MaskCase& m = GetParam();
    grid.SetNumberFormat(0, 2, 2, m.mask);
    grid.SetCellText(2, 2, "55");
    grid.SetCurrentCell(2, 2);
    typeText(grid, QString::fromUtf8(m.typed));
    press(grid, Qt::Key_Return);
    EXPECT_EQ(grid.GetCellText(2, 2), QString::fromUtf8(m.stored));
}

INSTANTIATE_TEST_SUITE_P(
    Masks, GridMasks,
    ::testing::Values(MaskCase{"digits", "######", "120", "120"},
                      MaskCase{"letters_refused", "######", "12a3", "123"},
                      MaskCase{"letter_first_starts_nothing", "######", "x", "55"},
                      MaskCase{"diacritic_refused", "######", "ă9", "9"},
                      MaskCase{"too_many_digits", "######", "1234567", "123456"},
                      MaskCase{"point_refused_without_decimals", "######", "1.5", "15"},
                      MaskCase{"decimals", "#####.##", "12.34", "12.34"},
                      MaskCase{"extra_decimals_refused", "#####.##", "12.345", "12.34"},
                      MaskCase{"integer_places", "#####.##", "123456.5", "12345.5"},
                      MaskCase{"second_point_refused", "#####.##", "1.2.3", "1.23"},
                      MaskCase{"comma_becomes_point", "####.####", "0,25", "0.25"},
                      MaskCase{"trailing_point_dropped", "#####.##", "7.", "7"},
                      MaskCase{"no_mask", "", "a.b,c", "a.b,c"}),
    [](const ::testing::TestParamInfo<MaskCase>& info) { return std::string(info.param.name); });

TEST_F(GridKeys, TabPassesOverReadOnlyCells) {
    grid.SetLocked(1, 0, 2, 1); // column 2
    grid.SetLocked(0, 3, 3, 1); // one cell
    grid.SetLocked(2, 4, 0, 1); // row 4 entirely
    struct Case {
        int row, col;
        Qt::Key key;
        int newRow, newCol;
    } cases[] = {
        {1, 1, Qt::Key_Tab, 1, 3},     {1, 4, Qt::Key_Tab, 2, 1},
        {3, 1, Qt::Key_Tab, 3, 4},     {2, 3, Qt::Key_Backtab, 2, 1},
        {2, 1, Qt::Key_Backtab, 1, 4}, {3, 4, Qt::Key_Tab, 3, 4}, // nothing editable after it
    };
    for (const Case& c : cases) {
        grid.SetCurrentCell(c.row, c.col);
        press(grid, c.key, {}, c.key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
        EXPECT_EQ(grid.currentIndex().row(), c.newRow) << c.row << "," << c.col;
        EXPECT_EQ(grid.currentIndex().column(), c.newCol) << c.row << "," << c.col;
    }
    // From an open edit too.
    grid.SetCurrentCell(1, 1);
    press(grid, Qt::Key_F2);
    ASSERT_NE(grid.activeEditor(), nullptr);
    press(grid, Qt::Key_Tab);
    EXPECT_EQ(grid.currentIndex().column(), 3);
    // A grid with nothing editable lets Tab go on to the next control.
    grid.SetLocked(3, 0, 0, 1);
    grid.SetCurrentCell(1, 1);
    press(grid, Qt::Key_Tab);
    EXPECT_EQ(grid.currentIndex().column(), 1);
}
