// Grids typed in along a row, and the names their columns give assistive technology.
#include "GridTestSupport.h"

#include <QAccessible>

TEST(XSimGridRowEntry, EnterMovesAlongTheRowWhenAsked) {
    CXSimGrid grid;
    fill(grid, 2, 4);
    grid.show();
    grid.SetEnterMovesRight(true);
    grid.SetCurrentCell(1, 1);
    press(grid, Qt::Key_7, "7");
    press(grid, Qt::Key_Return); // from the editor
    EXPECT_EQ(grid.GetCellText(1, 1), "7");
    EXPECT_EQ(grid.currentIndex().row(), 1);
    EXPECT_EQ(grid.currentIndex().column(), 2);
    press(grid, Qt::Key_Return); // without an editor
    EXPECT_EQ(grid.currentIndex().column(), 3);
    grid.SetEnterMovesRight(false);
    press(grid, Qt::Key_Return);
    EXPECT_EQ(grid.currentIndex().row(), 2);
    EXPECT_EQ(grid.currentIndex().column(), 3);
}

TEST(XSimGridRowEntry, ColumnNamesReachTheAccessibleHeaders) {
    CXSimGrid grid;
    fill(grid, 2, 3);
    grid.show();
    grid.SetColumnName(2, "Ziua 2, sambata");
    EXPECT_EQ(grid.GetColumnName(2), "Ziua 2, sambata");
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&grid);
    ASSERT_TRUE(table && table->tableInterface());
    auto header = [&](int col) {
        const auto cells =
            table->tableInterface()->cellAt(1, col)->tableCellInterface()->columnHeaderCells();
        return cells.isEmpty() ? QString() : cells[0]->text(QAccessible::Name);
    };
    EXPECT_EQ(header(2), "Ziua 2, sambata");
    EXPECT_NE(header(3), "Ziua 2, sambata");
    grid.InsertCols(1, 1); // the name moves with its column
    EXPECT_EQ(grid.GetColumnName(3), "Ziua 2, sambata");
    grid.Clear(3);
    EXPECT_EQ(grid.GetColumnName(1), "");
}
