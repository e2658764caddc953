#pragma once
// The grid of every page and editor: a table of text cells addressed in grid coordinates.
//
// Row 0 is the header row (the column titles) and column 0 the row-header column; data rows are
// 1..GetRowCount() and data columns 1..GetColCount(). Header cells are written and read like any
// other cell but are drawn in the frozen header band and are never current or editable.
// SetHeaderFreeze widens the band to further leading rows and columns.
//
// Scopes: 0 the cell (row, col), 1 the whole column col, 2 the whole row row, 3 the whole grid.
// For every attribute the latest call whose scope covers a cell decides (CXSimGridModel.h).
//
// Keyboard: arrows and Tab move (Tab only through the cells that can be edited); typing on a cell
// replaces its text; Enter commits and moves down; Up, Down and Tab commit and move too; Escape
// gives the edit up; F2 (or a double click) edits the text in place; Backspace starts an empty
// edit; Delete empties the cell.

#include "widgets/XSimColor.h"

#include <QPersistentModelIndex>
#include <QTableView>

#include <string>
#include <vector>

class CXSimGridModel;
class CXSimGridDelegate;
class CXSimGridHeader;
class QFontMetrics;

class CXSimGrid : public QTableView {
    Q_OBJECT
public:
    enum Scope { ScopeCell = 0, ScopeColumn = 1, ScopeRow = 2, ScopeGrid = 3 };

    explicit CXSimGrid(QWidget* parent = nullptr);
    ~CXSimGrid() override;

    // Ready from construction; kept for the opening sequence of the dialogs. Never touches
    // the content, so it may come after the grid was filled.
    void InitGrid(int iMode = 0);

    // Inserts before index iAt; iAt = R + 1 (or more) appends. Index 0 is the header row, which
    // always exists, so InsertRows(0, n) adds nothing.
    void InsertRows(int iAt, int iCount);
    void InsertCols(int iAt, int iCount);
    void DeleteRow(int iRow);
    int GetRowCount() const;
    int GetColCount() const;
    // Removes every data row and column, the header texts, merges, attributes and the freeze.
    void Clear(int iWhat = 3);

    QString GetCellText(int iRow, int iCol) const;
    void SetCellText(int iRow, int iCol, const QString& strText);
    void SetCellText(int iRow, int iCol, const std::string& strText);
    void SetCellText(int iRow, int iCol, const char* szText);

    // Moves the cursor to a data cell (header cells and cells outside the grid are ignored)
    // and raises CellChanged like a move by the user.
    void SetCurrentCell(int iRow, int iCol);
    void GetCurrentRow(int& iRow, bool& bFound) const;

    // Heights and widths in pixels; 0 hides the row or column.
    void SetRowHeight(int iRow, int iHeight);
    int GetRowHeight(int iRow) const;
    void SetColWidth(int iCol, int iWidth);
    int GetColWidth(int iCol) const;
    // Fits every visible column of c1..c2 to the widest text of rows r1..r2; a hidden column
    // stays hidden, a header cell taller than one line is fitted with its words wrapped.
    void AutoFitColumns(int iRow1, int iCol1, int iRow2, int iCol2);

    void SetCellBackColor(int iScope, int iRow, int iCol, CXSimColor color);
    // The input colour marks the cells the user types into: it fills the cell's background
    // where no back colour was set.
    void SetInputColor(int iScope, int iRow, int iCol, CXSimColor color);
    void SetRangeFont(int iRow1, int iCol1, int iRow2, int iCol2, CXSimColor color, bool bBold);
    // iKind is 0 (horizontal alignment). iValue: 3 left (names, labels), 1 centred (codes,
    // hours, flags), 2 right (values), 0 general, drawn from the left like a label.
    void SetAlignment(int iScope, int iKind, int iRow, int iCol, int iValue);
    void SetLocked(int iScope, int iRow, int iCol, bool bLocked);
    bool IsLocked(int iRow, int iCol) const;
    // An edit mask such as "######" or "#####.##" (CXSimMaskValidator.h); "" lifts it.
    // Only what the user types is checked; SetCellText stores any text.
    void SetNumberFormat(int iScope, int iRow, int iCol, const QString& strMask);

    // One cell spans the range and shows the text of its top-left cell. A merge replaces the
    // merges it overlaps; a range of one cell only undoes them.
    void MergeCells(int iRow1, int iCol1, int iRow2, int iCol2);
    // Rows 0..iRows and columns 0..iCols stay in view as the header band.
    void SetHeaderFreeze(int iRows, int iCols);

    // The name assistive technology gives the column's header (its title may be only a number,
    // such as a day of the month); "" leaves the default.
    void SetColumnName(int iCol, const QString& strName);
    QString GetColumnName(int iCol) const;

    // Enter moves the cursor to the next cell of the row instead of the one below (grids typed
    // in along a row, such as a month of days).
    void SetEnterMovesRight(bool bRight) { m_enterRight = bRight; }

    // SetRedraw(false) ... SetRedraw(true) brackets bulk updates: no painting, no CellChanged
    // while off; the cursor moves made meanwhile are taken silently.
    void SetRedraw(bool bRedraw);

    // The title of a column (the texts of the header band rows above it, a merged title
    // included) or of a row (the texts of the band columns beside it), words joined by a
    // blank; what a screen reader says for the header section.
    QString HeaderTitle(Qt::Orientation orientation, int iSection) const;

    // Stores the text of an open editor into its cell (raising CellEdited when it changed) and
    // closes the editor. Commands that read the grid while the user may still be typing, such
    // as a save started from a menu shortcut, call it first; a click elsewhere commits anyway.
    void CommitEdit();
    // The in-place editor while one is open.
    QWidget* activeEditor() const;

signals:
    // The current cell moved: by the user or by SetCurrentCell, never by inserting, deleting
    // or clearing. A previous cell of (0, 0) means there was none.
    void CellChanged(int iPrevRow, int iPrevCol, int iNewRow, int iNewCol);
    // The user committed an edit that changed the cell's text (typing, Delete); raised before
    // the CellChanged of the move that may follow. SetCellText raises nothing.
    void CellEdited(int iRow, int iCol);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void keyboardSearch(const QString&) override {}
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void updateGeometries() override;

private:
    friend class CXSimGridDelegate;
    friend class CXSimGridHeader;
    friend class CXSimGridCorner;

    struct Silent;

    void editCommitted(int row, int col);
    bool stepCursor(CursorAction action);
    QModelIndex nextInputCell(const QModelIndex& from, bool bForward) const;
    void startTyping(const QString& text);
    bool isBand(int row, int col) const { return row <= m_bandRows || col <= m_bandCols; }
    void applySpans();
    void updateBand();
    void resetBand();
    int fitWidth(int row, int col, const QString& text, const QFontMetrics& normal,
                 const QFontMetrics& bold) const;

    CXSimGridModel* m_model;
    CXSimGridDelegate* m_delegate;
    CXSimGridHeader* m_top;
    CXSimGridHeader* m_left;
    QWidget* m_corner;

    int m_bandRows = 0; // rows 0..m_bandRows form the header band
    int m_bandCols = 0;
    std::vector<int> m_bandRowHeight; // heights of the band rows, which the body hides
    std::vector<int> m_bandColWidth;
    std::vector<QRect> m_merges; // x = column, y = row, inclusive
    bool m_redraw = true;
    bool m_enterRight = false;
    bool m_spansDirty = false;
    int m_silent = 0;
    QPersistentModelIndex m_lastCell;
};

// The cell's text as UTF-8, for code that works with std::string.
std::string GetCellText(CXSimGrid& grid, int iRow, int iCol);
void SetCellText(CXSimGrid& grid, int iRow, int iCol, const std::string& strText);
