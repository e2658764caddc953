// The grid's operations as the pages call them: structure, merges, locks by scope, look,
// sizes, the header band, clearing, the text helpers and the barcode holder.

#include "GridTestSupport.h"

#include "widgets/BareCodeCtrl.h"
#include "widgets/XSimGridModel.h"

#include <QAccessible>
#include <QFontMetrics>
#include <QHeaderView>

namespace {

QString column(const CXSimGrid& grid, int col) {
    QStringList texts;
    for (int r = 1; r <= grid.GetRowCount(); ++r)
        texts << grid.GetCellText(r, col);
    return texts.join(u' ');
}

QVariant role(const CXSimGrid& grid, int row, int col, int r) {
    return grid.model()->index(row, col).data(r);
}

} // namespace

TEST(Grid, CountsAndInsertsAsTheEditorsBuildTheirTables) {
    CXSimGrid grid;
    EXPECT_EQ(grid.GetRowCount(), 0);
    EXPECT_EQ(grid.GetColCount(), 0);

    grid.InsertCols(1, 3);
    grid.InsertRows(0, 1); // the editors' set-up: the header row exists already
    EXPECT_EQ(grid.GetRowCount(), 0);
    EXPECT_EQ(grid.GetColCount(), 3);
    grid.SetCellText(0, 1, "Proprietate");
    EXPECT_EQ(grid.GetCellText(0, 1), "Proprietate");

    for (const char* name : {"a", "b", "c"}) {
        grid.InsertRows(grid.GetRowCount() + 1, 1);
        grid.SetCellText(grid.GetRowCount(), 1, name);
    }
    grid.InsertRows(99, 1); // past the end appends
    EXPECT_EQ(column(grid, 1), "a b c ");
    grid.InsertRows(2, 2);
    EXPECT_EQ(column(grid, 1), "a   b c ");
    EXPECT_EQ(grid.GetRowCount(), 6);

    grid.SetCellText(1, 3, "x");
    grid.InsertCols(2, 1);
    EXPECT_EQ(grid.GetColCount(), 4);
    EXPECT_EQ(grid.GetCellText(1, 4), "x");
    EXPECT_EQ(grid.GetCellText(1, 2), "");
    EXPECT_EQ(grid.GetCellText(0, 1), "Proprietate");
    EXPECT_EQ(grid.GetCellText(7, 1), "") << "outside the grid reads as empty";
}

TEST(Grid, DeleteRowMovesLaterRowsUpAndKeepsTheHeader) {
    CXSimGrid grid;
    fill(grid, 4, 2);
    grid.DeleteRow(2);
    EXPECT_EQ(column(grid, 1), "R1C1 R3C1 R4C1");
    grid.DeleteRow(0);
    grid.DeleteRow(9);
    EXPECT_EQ(grid.GetRowCount(), 3);
    EXPECT_EQ(grid.GetCellText(0, 1), "Titlu 1");
    grid.DeleteRow(3);
    grid.DeleteRow(1);
    grid.DeleteRow(1);
    EXPECT_EQ(grid.GetRowCount(), 0);
    EXPECT_EQ(grid.GetColCount(), 2);
}

TEST(Grid, HeaderCellsHoldTextsButAreNeverCurrentNorEditable) {
    CXSimGrid grid;
    fill(grid, 2, 2);
    grid.SetCellText(2, 0, "1");
    EXPECT_EQ(grid.GetCellText(2, 0), "1");
    EXPECT_EQ(grid.GetCellText(0, 2), "Titlu 2");
    for (auto [r, c] : {std::pair{0, 1}, {1, 0}, {0, 0}, {3, 1}, {1, 3}}) {
        grid.SetCurrentCell(r, c);
        int row = -1;
        bool found = true;
        grid.GetCurrentRow(row, found);
        EXPECT_FALSE(found) << r << "," << c;
        EXPECT_EQ(row, 0);
    }
    EXPECT_TRUE(grid.IsLocked(0, 1));
    EXPECT_TRUE(grid.IsLocked(1, 0));
    EXPECT_FALSE(grid.IsLocked(1, 1));
}

TEST(Grid, MergesFollowInsertsAndDeletesAndReplaceOverlaps) {
    CXSimGrid grid;
    fill(grid, 4, 6);
    grid.MergeCells(2, 2, 2, 5); // a total row's label
    EXPECT_EQ(grid.columnSpan(2, 2), 4);
    EXPECT_EQ(grid.rowSpan(2, 2), 1);

    grid.InsertRows(1, 1);
    EXPECT_EQ(grid.columnSpan(2, 2), 1);
    EXPECT_EQ(grid.columnSpan(3, 2), 4);
    EXPECT_EQ(grid.GetCellText(3, 2), "R2C2");

    grid.MergeCells(3, 4, 4, 6); // overlaps the first: replaces it
    EXPECT_EQ(grid.columnSpan(3, 2), 1);
    EXPECT_EQ(grid.columnSpan(3, 4), 3);
    EXPECT_EQ(grid.rowSpan(3, 4), 2);

    grid.DeleteRow(4); // the merge loses a row
    EXPECT_EQ(grid.rowSpan(3, 4), 1);
    EXPECT_EQ(grid.columnSpan(3, 4), 3);
    grid.DeleteRow(3); // and then its last one
    EXPECT_EQ(grid.columnSpan(3, 4), 1);

    grid.MergeCells(1, 1, 2, 1);
    grid.MergeCells(1, 1, 1, 1); // one cell only: undoes the merge
    EXPECT_EQ(grid.rowSpan(1, 1), 1);
}

// --- locks -------------------------------------------------------------------------------------

struct LockCall {
    int scope, row, col, flag;
};

struct LockCase {
    const char* name;
    std::vector<LockCall> calls;
    // Locked state of (2,2), of (3,2) in the same column and of (2,3) in the same row.
    const char* expected;
};

class GridLocks : public ShownGrid, public ::testing::WithParamInterface<LockCase> {};

TEST_P(GridLocks, LatestCoveringCallDecides) {
    const LockCase& param = GetParam();
    fill(grid, 3, 3);
    for (const LockCall& call : param.calls)
        grid.SetLocked(call.scope, call.row, call.col, call.flag);
    std::string states;
    for (auto [r, c] : {std::pair{2, 2}, {3, 2}, {2, 3}})
        states += grid.IsLocked(r, c) ? 'L' : '-';
    EXPECT_EQ(states, param.expected);

    // The user sees the same: a locked cell can be reached but not typed into.
    grid.SetCurrentCell(2, 2);
    typeText(grid, "Z");
    press(grid, Qt::Key_Return);
    EXPECT_EQ(grid.GetCellText(2, 2), param.expected[0] == 'L' ? "R2C2" : "Z");
}

INSTANTIATE_TEST_SUITE_P(
    Scopes, GridLocks,
    ::testing::Values(
        LockCase{"nothing", {}, "---"}, LockCase{"column", {{1, 0, 2, 1}}, "LL-"},
        LockCase{"cell_unlocked_after_column_lock", {{1, 0, 2, 1}, {0, 2, 2, 0}}, "-L-"},
        LockCase{"column_locked_after_cell_unlock", {{0, 2, 2, 0}, {1, 0, 2, 1}}, "LL-"},
        LockCase{"cell_locked_in_open_column", {{1, 0, 2, 0}, {0, 2, 2, 1}}, "L--"},
        LockCase{"column_unlocked_after_cell_lock", {{0, 2, 2, 1}, {1, 0, 2, 0}}, "---"},
        LockCase{"row", {{2, 2, 0, 1}}, "L-L"},
        LockCase{"cell_unlocked_after_row_lock", {{2, 2, 0, 1}, {0, 2, 2, 0}}, "--L"},
        LockCase{"grid_after_cell_unlock", {{0, 2, 2, 0}, {1, 0, 3, 0}, {3, 0, 0, 1}}, "LLL"},
        LockCase{"cell_unlocked_after_grid_lock", {{3, 0, 0, 1}, {0, 2, 2, 0}}, "-LL"},
        LockCase{"unknown_scope", {{7, 2, 2, 1}}, "---"}),
    [](const ::testing::TestParamInfo<LockCase>& info) { return std::string(info.param.name); });

TEST(Grid, NewRowsTakeTheColumnLocksAndMasksInForce) {
    CXSimGrid grid;
    fill(grid, 2, 3);
    grid.SetLocked(1, 0, 2, 1);
    grid.SetNumberFormat(1, 1, 3, "######");
    grid.InsertRows(grid.GetRowCount() + 1, 1);
    EXPECT_TRUE(grid.IsLocked(3, 2));
    EXPECT_FALSE(grid.IsLocked(3, 3));
    EXPECT_EQ(role(grid, 3, 3, CXSimGridModel::MaskRole).toString(), "######");
    EXPECT_EQ(role(grid, 3, 1, CXSimGridModel::MaskRole).toString(), "");
}

// --- look --------------------------------------------------------------------------------------

TEST(Grid, AlignmentValuesAsThePagesUseThem) {
    CXSimGrid grid;
    fill(grid, 2, 4);
    const std::pair<int, Qt::Alignment> cases[] = {
        {3, Qt::AlignLeft}, {1, Qt::AlignHCenter}, {2, Qt::AlignRight}, {0, Qt::AlignLeft}};
    int col = 1;
    for (auto [value, align] : cases) {
        grid.SetAlignment(1, 0, 0, col, value);
        const int got = role(grid, 2, col, Qt::TextAlignmentRole).toInt();
        EXPECT_EQ(got & Qt::AlignHorizontal_Mask, int(align)) << "value " << value;
        EXPECT_EQ(got & Qt::AlignVertical_Mask, int(Qt::AlignVCenter));
        ++col;
    }
    grid.SetAlignment(2, 0, 2, 2, 0); // a total row's label, after its column was centred
    EXPECT_EQ(role(grid, 2, 1, Qt::TextAlignmentRole).toInt() & Qt::AlignHorizontal_Mask,
              int(Qt::AlignLeft));
    EXPECT_EQ(role(grid, 1, 2, Qt::TextAlignmentRole).toInt() & Qt::AlignHorizontal_Mask,
              int(Qt::AlignHCenter));
}

TEST(Grid, ColoursAndFontsByScope) {
    CXSimGrid grid;
    fill(grid, 3, 3);
    const QColor yellow(230, 230, 0), red(183, 0, 0), green(55, 205, 0);
    grid.SetInputColor(1, 1, 2, green);
    EXPECT_EQ(role(grid, 1, 2, Qt::BackgroundRole).value<QColor>(), green);
    grid.SetCellBackColor(0, 2, 2, yellow); // an explicit back colour wins over the input colour
    EXPECT_EQ(role(grid, 2, 2, Qt::BackgroundRole).value<QColor>(), yellow);
    EXPECT_FALSE(role(grid, 2, 1, Qt::BackgroundRole).isValid());

    grid.SetRangeFont(2, 1, 3, 2, red, true);
    EXPECT_EQ(role(grid, 3, 2, Qt::ForegroundRole).value<QColor>(), red);
    EXPECT_TRUE(role(grid, 3, 2, Qt::FontRole).value<QFont>().bold());
    EXPECT_FALSE(role(grid, 1, 2, Qt::FontRole).isValid());
    grid.SetRangeFont(3, 2, 3, 2, 0, false); // the pages pass 0 for black
    EXPECT_EQ(role(grid, 3, 2, Qt::ForegroundRole).value<QColor>(), QColor(Qt::black));
    EXPECT_FALSE(role(grid, 3, 2, Qt::FontRole).isValid());

    // A Windows RGB value keeps its byte order: 0x00BBGGRR.
    grid.SetCellBackColor(0, 1, 1, 0x0000CD37);
    EXPECT_EQ(role(grid, 1, 1, Qt::BackgroundRole).value<QColor>(), green);
}

// --- sizes -------------------------------------------------------------------------------------

TEST(Grid, WidthZeroHidesAndAutoFitKeepsHiddenColumnsHidden) {
    CXSimGrid grid;
    fill(grid, 2, 3);
    grid.SetColWidth(1, 0);
    EXPECT_EQ(grid.GetColWidth(1), 0);
    EXPECT_TRUE(grid.isColumnHidden(1));

    const QString longName = QString::fromUtf8("Popescu-Ionescu Ștefan Alexandru");
    grid.SetCellText(2, 2, longName);
    grid.SetCellText(2, 1, longName);
    grid.AutoFitColumns(0, 1, grid.GetRowCount(), 3);
    EXPECT_EQ(grid.GetColWidth(1), 0);
    EXPECT_GT(grid.GetColWidth(2), grid.fontMetrics().horizontalAdvance(longName));
    EXPECT_LT(grid.GetColWidth(2), grid.fontMetrics().horizontalAdvance(longName) + 30);

    grid.SetColWidth(1, 40);
    EXPECT_EQ(grid.GetColWidth(1), 40);
    EXPECT_FALSE(grid.isColumnHidden(1));
    grid.SetRowHeight(0, 70);
    grid.SetRowHeight(2, 35);
    EXPECT_EQ(grid.GetRowHeight(0), 70);
    EXPECT_EQ(grid.GetRowHeight(2), 35);
}

TEST(Grid, AutoFitWrapsTallHeadersAndSkipsTextsSpreadOverColumns) {
    CXSimGrid grid;
    fill(grid, 1, 3);
    const QString title = "Venit brut val in perioada de valabilitate a conventiei (lunar)";
    const int line = grid.fontMetrics().horizontalAdvance(title);
    grid.SetCellText(0, 1, title);
    grid.AutoFitColumns(0, 1, 0, 1);
    EXPECT_GT(grid.GetColWidth(1), line) << "one line high: the whole title on one line";

    grid.SetRowHeight(0, 90);
    grid.AutoFitColumns(0, 1, 0, 1);
    EXPECT_LT(grid.GetColWidth(1), line / 2);
    EXPECT_GE(grid.GetColWidth(1), grid.fontMetrics().horizontalAdvance("valabilitate"));

    grid.SetColWidth(2, 30);
    grid.SetCellText(0, 2, "Zile in perioada conventiei");
    grid.MergeCells(0, 2, 0, 3);
    grid.AutoFitColumns(0, 2, 0, 2);
    EXPECT_EQ(grid.GetColWidth(2), 30);
}

TEST(Grid, HeaderFreezeMakesTheSecondRowPartOfTheHeader) {
    CXSimGrid grid;
    grid.InsertCols(1, 5);
    grid.InsertRows(1, 1);
    grid.SetHeaderFreeze(1, 1);
    grid.MergeCells(0, 0, 1, 0);
    grid.SetCellText(1, 4, "1");
    grid.SetRowHeight(0, 35);
    grid.SetRowHeight(1, 35);
    EXPECT_EQ(grid.horizontalHeader()->sizeHint().height(), 70);
    EXPECT_EQ(grid.GetCellText(1, 4), "1");
    EXPECT_EQ(grid.GetRowCount(), 1);

    grid.InsertRows(2, 2);
    grid.SetCurrentCell(1, 4);
    int row = 0;
    bool found = true;
    grid.GetCurrentRow(row, found);
    EXPECT_FALSE(found) << "the second header row is not a data cell any more";
    grid.SetCurrentCell(2, 4);
    grid.GetCurrentRow(row, found);
    EXPECT_TRUE(found);
    EXPECT_EQ(row, 2);
    grid.SetCurrentCell(2, 1);
    grid.GetCurrentRow(row, found);
    EXPECT_EQ(grid.currentIndex().column(), 4) << "column 1 is frozen with the row headers";
}

class GridPainting : public ShownGrid {};

TEST_F(GridPainting, HeaderBandAndCellColoursReachTheScreen) {
    grid.InsertCols(1, 6);
    grid.InsertRows(1, 1);
    grid.SetHeaderFreeze(1, 1);
    grid.MergeCells(0, 0, 1, 0);
    grid.MergeCells(0, 3, 0, 6);
    grid.SetCellText(0, 3, "Zile");
    grid.SetCellBackColor(0, 1, 4, QColor(0, 0, 255)); // a band cell of the second header row
    grid.InsertRows(2, 3);
    grid.SetCellBackColor(0, 3, 4, QColor(230, 230, 0));
    grid.SetInputColor(1, 0, 5, QColor(55, 205, 0));
    QCoreApplication::processEvents();
    const QImage shot = grid.grab().toImage();

    auto at = [&](int row, int col) {
        const QRect cell = grid.visualRect(grid.model()->index(row, col));
        return shot.pixelColor(grid.viewport()->mapTo(&grid, cell.center()));
    };
    EXPECT_EQ(at(3, 4), QColor(230, 230, 0));
    EXPECT_EQ(at(4, 5), QColor(55, 205, 0));
    EXPECT_EQ(at(2, 4), grid.palette().color(QPalette::Base));

    // The second header row is drawn by the top header, above the body, in its own colour.
    const QWidget* top = grid.horizontalHeader();
    const int x = grid.columnViewportPosition(4) + grid.columnWidth(4) / 2;
    const QPoint inRow1 = top->mapTo(&grid, QPoint(x, grid.GetRowHeight(0) + 3));
    EXPECT_EQ(shot.pixelColor(inRow1), QColor(0, 0, 255));
    EXPECT_EQ(top->height(), grid.GetRowHeight(0) + grid.GetRowHeight(1));
    EXPECT_LT(top->mapTo(&grid, QPoint(0, top->height())).y(),
              grid.viewport()->mapTo(&grid, QPoint(0, 1)).y());
}

// --- clearing and helpers ----------------------------------------------------------------------

TEST(Grid, ClearRemovesEverythingAndTheGridBuildsAgain) {
    CXSimGrid grid;
    fill(grid, 3, 4);
    grid.InsertRows(1, 1);
    grid.SetHeaderFreeze(1, 0);
    grid.MergeCells(3, 1, 3, 3);
    grid.SetLocked(3, 0, 0, 1);
    grid.SetNumberFormat(1, 0, 2, "##");
    grid.SetCellBackColor(1, 0, 2, QColor(Qt::red));
    grid.SetCurrentCell(3, 2);

    grid.Clear(3);
    EXPECT_EQ(grid.GetRowCount(), 0);
    EXPECT_EQ(grid.GetColCount(), 0);
    EXPECT_EQ(grid.GetCellText(0, 1), "");
    int row = 0;
    bool found = true;
    grid.GetCurrentRow(row, found);
    EXPECT_FALSE(found);

    fill(grid, 3, 4);
    EXPECT_EQ(grid.GetCellText(0, 1), "Titlu 1");
    EXPECT_FALSE(grid.IsLocked(3, 2));
    EXPECT_EQ(grid.columnSpan(3, 1), 1);
    EXPECT_EQ(role(grid, 3, 2, CXSimGridModel::MaskRole).toString(), "");
    EXPECT_FALSE(role(grid, 3, 2, Qt::BackgroundRole).isValid());
    grid.SetCurrentCell(1, 1);
    grid.GetCurrentRow(row, found);
    EXPECT_TRUE(found) << "row 1 is a data row again";
}

TEST(Grid, TextHelpersSpeakUtf8) {
    CXSimGrid grid;
    fill(grid, 1, 2);
    const std::string name = "Șerban Țîrlea-Ăndrei";
    grid.SetCellText(1, 1, name);
    EXPECT_EQ(GetCellText(grid, 1, 1), name);
    EXPECT_EQ(grid.GetCellText(1, 1), QString::fromUtf8(name.c_str()));
    SetCellText(grid, 1, 2, std::string("Întâi"));
    grid.SetCellText(0, 2, "Câmp");
    EXPECT_EQ(GetCellText(grid, 1, 2), "Întâi");
    EXPECT_EQ(GetCellText(grid, 0, 2), "Câmp");
}

TEST(Grid, RedrawBracketHoldsBackSpansAndKeepsBulkInsertsRight) {
    CXSimGrid grid;
    grid.InsertCols(1, 12);
    grid.SetRedraw(false);
    for (int r = 1; r <= 3000; ++r) {
        grid.InsertRows(grid.GetRowCount() + 1, 1);
        for (int c = 1; c <= 12; ++c)
            grid.SetCellText(r, c, QString::number(r * 100 + c));
    }
    grid.MergeCells(3000, 2, 3000, 5);
    EXPECT_EQ(grid.columnSpan(3000, 2), 1) << "applied when the bracket closes";
    grid.SetRedraw(true);
    EXPECT_EQ(grid.columnSpan(3000, 2), 4);
    EXPECT_EQ(grid.GetRowCount(), 3000);
    EXPECT_EQ(grid.GetCellText(2999, 12), "299912");
    EXPECT_EQ(role(grid, 2999, 12, Qt::DisplayRole).toString(), "299912");
}

TEST(BareCodeCtrl, HandsBackThePayloadAsTheTextToPrint) {
    C_BareCodeCtrl code;
    EXPECT_EQ(code.GetText(), "");
    code.SetMode(1);
    code.SetText(std::string("RO12345678|2024|05|ȘĂ"));
    EXPECT_EQ(code.GetText(), QString::fromUtf8("RO12345678|2024|05|ȘĂ"));
    code.SetText(QStringLiteral("2"));
    EXPECT_EQ(code.GetText(), "2");
    EXPECT_EQ(code.GetMode(), 1);
}

TEST(Grid, ScreenReadersHearTheHeaderTitles) {
    CXSimGrid grid;
    grid.InsertCols(1, 4);
    grid.InsertRows(1, 3);
    grid.SetCellText(0, 1, "Nume");
    grid.SetCellText(0, 2, "Ore lucrate");
    grid.SetCellText(1, 2, "Normal");
    grid.SetCellText(1, 3, "Suplimentar");
    grid.MergeCells(0, 2, 0, 3); // one title over two columns
    grid.SetHeaderFreeze(1, 0);  // row 1 is part of the header
    grid.SetCellText(2, 0, "1");
    grid.SetCellText(3, 0, "Total");
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&grid);
    ASSERT_NE(iface, nullptr);
    QAccessibleTableInterface* table = iface->tableInterface();
    ASSERT_NE(table, nullptr);
    const QAbstractItemModel* m = grid.model();
    struct Case {
        Qt::Orientation o;
        int section;
        const char* title;
    } cases[] = {
        {Qt::Horizontal, 1, "Nume"},
        {Qt::Horizontal, 2, "Ore lucrate Normal"},
        {Qt::Horizontal, 3, "Ore lucrate Suplimentar"},
        {Qt::Horizontal, 4, "5"}, // untitled: its number, as before (Qt counts from 1)
        {Qt::Vertical, 3, "Total"},
    };
    EXPECT_EQ(m->headerData(2, Qt::Horizontal, Qt::AccessibleTextRole).toString(),
              "Ore lucrate Normal");
    for (const Case& c : cases) {
        EXPECT_EQ(m->headerData(c.section, c.o, Qt::DisplayRole).toString(), c.title);
        if (c.o == Qt::Horizontal) {
            EXPECT_EQ(table->columnDescription(c.section), c.title);
        }
    }
}
