#include "widgets/XSimGrid.h"

#include "widgets/XSimGridDelegate.h"
#include "widgets/XSimGridHeader.h"
#include "widgets/XSimGridModel.h"
#include "widgets/XSimMaskValidator.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QHash>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

namespace {

constexpr int kDefaultColWidth = 64;
constexpr int kRowHeaderWidth = 32;
constexpr int kMaxSize = 32767; // sizes are 16-bit for the pages
constexpr int kDataPadding = 10;
constexpr int kHeaderPadding = 8;

bool isTypingKey(const QKeyEvent* event) {
    const QString text = event->text();
    if (text.isEmpty() || !text.at(0).isPrint())
        return false;
    const Qt::KeyboardModifiers mods = event->modifiers();
    // Ctrl+Alt is AltGr on some keyboards and brings diacritics; Ctrl, Alt or Meta alone
    // belong to shortcuts.
    if ((mods & Qt::ControlModifier) && (mods & Qt::AltModifier))
        return true;
    return !(mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

} // namespace

// Structural changes move the cursor without it being a move of the user's.
struct CXSimGrid::Silent {
    explicit Silent(CXSimGrid& grid) : m_grid(grid) { ++m_grid.m_silent; }
    ~Silent() { --m_grid.m_silent; }
    Silent(const Silent&) = delete;
    Silent& operator=(const Silent&) = delete;
    CXSimGrid& m_grid;
};

CXSimGrid::CXSimGrid(QWidget* parent)
    : QTableView(parent), m_model(new CXSimGridModel(this)),
      m_delegate(new CXSimGridDelegate(this)), m_top(new CXSimGridHeader(Qt::Horizontal, this)),
      m_left(new CXSimGridHeader(Qt::Vertical, this)), m_corner(new CXSimGridCorner(this)) {
    setHorizontalHeader(m_top);
    setVerticalHeader(m_left);
    const int rowHeight = fontMetrics().height() + 6;
    m_top->setMinimumSectionSize(4);
    m_top->setDefaultSectionSize(kDefaultColWidth);
    m_left->setMinimumSectionSize(4);
    m_left->setDefaultSectionSize(rowHeight);
    setModel(m_model);
    setItemDelegate(m_delegate);
    setCornerButtonEnabled(false);
    // Only the current cell is marked (a frame drawn by the delegate); nothing is selected.
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    setTabKeyNavigation(true);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setWordWrap(false);

    connect(m_model, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& topLeft, const QModelIndex& bottomRight) {
                if (topLeft.row() <= m_bandRows || topLeft.column() <= m_bandCols ||
                    bottomRight.row() <= m_bandRows || bottomRight.column() <= m_bandCols) {
                    m_top->viewport()->update();
                    m_left->viewport()->update();
                    m_corner->update();
                }
            });
    m_model->setHeaderTitles(
        [this](Qt::Orientation o, int section) { return HeaderTitle(o, section); });
    resetBand();
}

CXSimGrid::~CXSimGrid() = default;

void CXSimGrid::InitGrid(int /*iMode*/) {
    updateGeometries();
    viewport()->update();
}

// --- structure ---------------------------------------------------------------------------------

void CXSimGrid::InsertRows(int iAt, int iCount) {
    if (iCount <= 0 || iAt < 1)
        return;
    const Silent silent(*this);
    iAt = std::min(iAt, GetRowCount() + 1);
    m_model->insertGridRows(iAt, iCount);
    if (iAt <= m_bandRows) { // rows put inside the band belong to it
        m_bandRowHeight.insert(m_bandRowHeight.begin() + iAt, iCount, m_left->defaultSectionSize());
        m_bandRows += iCount;
        for (int r = iAt; r < iAt + iCount; ++r)
            setRowHidden(r, true);
    }
    for (QRect& m : m_merges) {
        if (m.top() >= iAt)
            m.translate(0, iCount);
        else if (m.bottom() >= iAt)
            m.setBottom(m.bottom() + iCount);
    }
    applySpans();
}

void CXSimGrid::InsertCols(int iAt, int iCount) {
    if (iCount <= 0 || iAt < 1)
        return;
    const Silent silent(*this);
    iAt = std::min(iAt, GetColCount() + 1);
    m_model->insertGridCols(iAt, iCount);
    if (iAt <= m_bandCols) {
        m_bandColWidth.insert(m_bandColWidth.begin() + iAt, iCount, kDefaultColWidth);
        m_bandCols += iCount;
        for (int c = iAt; c < iAt + iCount; ++c)
            setColumnHidden(c, true);
    }
    for (QRect& m : m_merges) {
        if (m.left() >= iAt)
            m.translate(iCount, 0);
        else if (m.right() >= iAt)
            m.setRight(m.right() + iCount);
    }
    applySpans();
}

void CXSimGrid::DeleteRow(int iRow) {
    if (iRow < 1 || iRow > GetRowCount())
        return;
    const Silent silent(*this);
    m_model->removeGridRow(iRow);
    if (iRow <= m_bandRows) {
        m_bandRowHeight.erase(m_bandRowHeight.begin() + iRow);
        --m_bandRows;
    }
    std::vector<QRect> kept;
    for (QRect m : m_merges) {
        if (m.top() > iRow)
            m.translate(0, -1);
        else if (m.bottom() >= iRow)
            m.setBottom(m.bottom() - 1);
        if (!m.isEmpty() && (m.width() > 1 || m.height() > 1))
            kept.push_back(m);
    }
    m_merges = std::move(kept);
    applySpans();
}

int CXSimGrid::GetRowCount() const {
    return m_model->lastRow();
}

int CXSimGrid::GetColCount() const {
    return m_model->lastCol();
}

void CXSimGrid::Clear(int /*iWhat*/) {
    const Silent silent(*this);
    m_merges.clear();
    m_model->clearAll(); // also closes an open editor and forgets the current cell
    m_lastCell = QPersistentModelIndex();
    clearSpans();
    m_spansDirty = false;
    resetBand();
}

// --- cells -------------------------------------------------------------------------------------

QString CXSimGrid::GetCellText(int iRow, int iCol) const {
    return m_model->text(iRow, iCol);
}

void CXSimGrid::SetCellText(int iRow, int iCol, const QString& strText) {
    m_model->setText(iRow, iCol, strText);
}

void CXSimGrid::SetCellText(int iRow, int iCol, const std::string& strText) {
    m_model->setText(iRow, iCol, QString::fromStdString(strText));
}

void CXSimGrid::SetCellText(int iRow, int iCol, const char* szText) {
    m_model->setText(iRow, iCol, QString::fromUtf8(szText ? szText : ""));
}

void CXSimGrid::SetCurrentCell(int iRow, int iCol) {
    if (!m_model->contains(iRow, iCol) || isBand(iRow, iCol))
        return;
    setCurrentIndex(m_model->index(iRow, iCol));
}

void CXSimGrid::GetCurrentRow(int& iRow, bool& bFound) const {
    const QModelIndex current = currentIndex();
    bFound = current.isValid();
    iRow = bFound ? current.row() : 0;
}

void CXSimGrid::CommitEdit() {
    if (QWidget* editor = activeEditor()) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

QWidget* CXSimGrid::activeEditor() const {
    return state() == EditingState ? m_delegate->currentEditor() : nullptr;
}

// --- sizes -------------------------------------------------------------------------------------

void CXSimGrid::SetRowHeight(int iRow, int iHeight) {
    if (iRow < 0 || iRow > GetRowCount())
        return;
    iHeight = std::clamp(iHeight, 0, kMaxSize);
    if (iRow <= m_bandRows) {
        m_bandRowHeight[iRow] = iHeight;
        updateBand();
    } else if (iHeight == 0) {
        setRowHidden(iRow, true);
    } else {
        setRowHidden(iRow, false);
        setRowHeight(iRow, iHeight);
    }
}

int CXSimGrid::GetRowHeight(int iRow) const {
    if (iRow < 0 || iRow > GetRowCount())
        return 0;
    if (iRow <= m_bandRows)
        return m_bandRowHeight[iRow];
    return isRowHidden(iRow) ? 0 : rowHeight(iRow);
}

void CXSimGrid::SetColWidth(int iCol, int iWidth) {
    if (iCol < 0 || iCol > GetColCount())
        return;
    iWidth = std::clamp(iWidth, 0, kMaxSize);
    if (iCol <= m_bandCols) {
        m_bandColWidth[iCol] = iWidth;
        updateBand();
    } else if (iWidth == 0) {
        setColumnHidden(iCol, true);
    } else {
        setColumnHidden(iCol, false);
        setColumnWidth(iCol, iWidth);
    }
}

int CXSimGrid::GetColWidth(int iCol) const {
    if (iCol < 0 || iCol > GetColCount())
        return 0;
    if (iCol <= m_bandCols)
        return m_bandColWidth[iCol];
    return isColumnHidden(iCol) ? 0 : columnWidth(iCol);
}

int CXSimGrid::fitWidth(int row, int col, const QString& text, const QFontMetrics& normal,
                        const QFontMetrics& bold) const {
    const CXSimGridModel::Attrs* font = m_model->effective(row, col, CXSimGridModel::AttrFont);
    const QFontMetrics& fm = font && font->bold ? bold : normal;
    int full = 0;
    if (text.contains(u'\n')) {
        for (const QString& line : text.split(u'\n'))
            full = std::max(full, fm.horizontalAdvance(line));
    } else {
        full = fm.horizontalAdvance(text);
    }
    if (!isBand(row, col))
        return full + kDataPadding;

    // A header cell of several lines' height wraps its words (see the header's painting), so it
    // needs no more width than the narrowest that still fits its height.
    int height = GetRowHeight(row);
    for (const QRect& m : m_merges)
        if (m.contains(col, row)) {
            height = 0;
            for (int r = m.top(); r <= m.bottom(); ++r)
                height += GetRowHeight(r);
        }
    height -= 2;
    if (height < 2 * fm.lineSpacing())
        return full + kHeaderPadding;
    int narrow = 0;
    for (const QString& word : text.split(QRegularExpression(QStringLiteral("\\s+"))))
        narrow = std::max(narrow, fm.horizontalAdvance(word));
    auto fits = [&](int width) {
        return fm.boundingRect(QRect(0, 0, width, kMaxSize), Qt::TextWordWrap, text).height() <=
               height;
    };
    if (!fits(full))
        return full + kHeaderPadding;
    int lo = narrow, hi = full; // fits(hi) holds
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (fits(mid))
            hi = mid;
        else
            lo = mid + 1;
    }
    return hi + kHeaderPadding;
}

void CXSimGrid::AutoFitColumns(int iRow1, int iCol1, int iRow2, int iCol2) {
    const int r1 = std::max(0, std::min(iRow1, iRow2));
    const int r2 = std::min(GetRowCount(), std::max(iRow1, iRow2));
    const int c1 = std::max(0, std::min(iCol1, iCol2));
    const int c2 = std::min(GetColCount(), std::max(iCol1, iCol2));
    QFont boldFont = font();
    boldFont.setBold(true);
    const QFontMetrics normal(font()), bold(boldFont);
    // Columns repeat their texts (day codes, hours, flags); measure each text once per font.
    QHash<QString, int> measured[2];
    for (int c = c1; c <= c2; ++c) {
        if (GetColWidth(c) == 0)
            continue;
        int width = 0;
        for (int r = r1; r <= r2; ++r) {
            const QString& text = m_model->text(r, c);
            if (text.isEmpty())
                continue;
            const bool wide = std::any_of(m_merges.begin(), m_merges.end(), [&](const QRect& m) {
                return m.contains(c, r) && m.width() > 1;
            });
            if (wide) // a text spread over several columns says nothing of one of them
                continue;
            if (isBand(r, c)) {
                width = std::max(width, fitWidth(r, c, text, normal, bold));
                continue;
            }
            const auto* f = m_model->effective(r, c, CXSimGridModel::AttrFont);
            QHash<QString, int>& cache = measured[f && f->bold ? 1 : 0];
            auto it = cache.constFind(text);
            if (it == cache.constEnd())
                it = cache.insert(text, fitWidth(r, c, text, normal, bold));
            width = std::max(width, *it);
        }
        if (width > 0)
            SetColWidth(c, width);
    }
}

// --- attributes --------------------------------------------------------------------------------

void CXSimGrid::SetCellBackColor(int iScope, int iRow, int iCol, CXSimColor color) {
    m_model->setAttr(iScope, iRow, iCol, CXSimGridModel::AttrBack,
                     [&](CXSimGridModel::Attrs& a) { a.back = color.color(); });
}

void CXSimGrid::SetInputColor(int iScope, int iRow, int iCol, CXSimColor color) {
    m_model->setAttr(iScope, iRow, iCol, CXSimGridModel::AttrInput,
                     [&](CXSimGridModel::Attrs& a) { a.input = color.color(); });
}

void CXSimGrid::SetRangeFont(int iRow1, int iCol1, int iRow2, int iCol2, CXSimColor color,
                             bool bBold) {
    const int r1 = std::max(0, std::min(iRow1, iRow2));
    const int r2 = std::min(GetRowCount(), std::max(iRow1, iRow2));
    const int c1 = std::max(0, std::min(iCol1, iCol2));
    const int c2 = std::min(GetColCount(), std::max(iCol1, iCol2));
    if (r1 > r2 || c1 > c2)
        return;
    for (int r = r1; r <= r2; ++r)
        for (int c = c1; c <= c2; ++c)
            m_model->setAttr(
                ScopeCell, r, c, CXSimGridModel::AttrFont,
                [&](CXSimGridModel::Attrs& a) {
                    a.fore = color.color();
                    a.bold = bBold;
                },
                false);
    m_model->changedRange(r1, c1, r2, c2);
}

void CXSimGrid::SetAlignment(int iScope, int iKind, int iRow, int iCol, int iValue) {
    if (iKind != 0)
        return;
    m_model->setAttr(iScope, iRow, iCol, CXSimGridModel::AttrAlign,
                     [&](CXSimGridModel::Attrs& a) { a.align = std::clamp(iValue, 0, 3); });
}

void CXSimGrid::SetLocked(int iScope, int iRow, int iCol, bool bLocked) {
    m_model->setAttr(iScope, iRow, iCol, CXSimGridModel::AttrLock,
                     [&](CXSimGridModel::Attrs& a) { a.locked = bLocked; });
}

bool CXSimGrid::IsLocked(int iRow, int iCol) const {
    return !(m_model->flags(m_model->index(iRow, iCol)) & Qt::ItemIsEditable);
}

void CXSimGrid::SetNumberFormat(int iScope, int iRow, int iCol, const QString& strMask) {
    m_model->setAttr(iScope, iRow, iCol, CXSimGridModel::AttrMask,
                     [&](CXSimGridModel::Attrs& a) { a.mask = strMask; });
}

void CXSimGrid::SetColumnName(int iCol, const QString& strName) {
    m_model->setColumnName(iCol, strName);
}

QString CXSimGrid::GetColumnName(int iCol) const {
    return m_model->columnName(iCol);
}

// --- merges and the header band ----------------------------------------------------------------

void CXSimGrid::MergeCells(int iRow1, int iCol1, int iRow2, int iCol2) {
    const QRect range =
        QRect(QPoint(std::max(0, std::min(iCol1, iCol2)), std::max(0, std::min(iRow1, iRow2))),
              QPoint(std::min(GetColCount(), std::max(iCol1, iCol2)),
                     std::min(GetRowCount(), std::max(iRow1, iRow2))));
    if (range.isEmpty())
        return;
    std::erase_if(m_merges, [&](const QRect& m) { return m.intersects(range); });
    if (range.width() > 1 || range.height() > 1)
        m_merges.push_back(range);
    applySpans();
}

QString CXSimGrid::HeaderTitle(Qt::Orientation orientation, int iSection) const {
    const bool columns = orientation == Qt::Horizontal;
    QStringList words;
    const int band = columns ? m_bandRows : m_bandCols;
    for (int i = 0; i <= band; ++i) {
        int r = columns ? i : iSection, c = columns ? iSection : i;
        // A cell a merge covers shows the merge's title.
        for (const QRect& m : m_merges)
            if (m.contains(c, r)) {
                r = m.y();
                c = m.x();
                break;
            }
        if (!m_model->contains(r, c))
            continue;
        const QString text = m_model->text(r, c).simplified();
        if (!text.isEmpty() && (words.isEmpty() || words.back() != text))
            words.push_back(text);
    }
    return words.join(' ');
}

void CXSimGrid::SetHeaderFreeze(int iRows, int iCols) {
    const Silent silent(*this);
    const int rows = std::clamp(iRows, 0, GetRowCount());
    const int cols = std::clamp(iCols, 0, GetColCount());
    if (currentIndex().isValid() &&
        (currentIndex().row() <= rows || currentIndex().column() <= cols))
        setCurrentIndex(QModelIndex());
    while (m_bandRows < rows) {
        const int r = ++m_bandRows;
        m_bandRowHeight.push_back(isRowHidden(r) ? 0 : rowHeight(r));
        setRowHidden(r, true);
    }
    while (m_bandRows > rows) {
        const int r = m_bandRows--;
        const int h = m_bandRowHeight.back();
        m_bandRowHeight.pop_back();
        setRowHidden(r, h == 0);
        if (h > 0)
            setRowHeight(r, h);
    }
    while (m_bandCols < cols) {
        const int c = ++m_bandCols;
        m_bandColWidth.push_back(isColumnHidden(c) ? 0 : columnWidth(c));
        setColumnHidden(c, true);
    }
    while (m_bandCols > cols) {
        const int c = m_bandCols--;
        const int w = m_bandColWidth.back();
        m_bandColWidth.pop_back();
        setColumnHidden(c, w == 0);
        if (w > 0)
            setColumnWidth(c, w);
    }
    applySpans();
    updateBand();
}

void CXSimGrid::resetBand() {
    m_bandRows = 0;
    m_bandCols = 0;
    m_bandRowHeight.assign(1, m_left->defaultSectionSize());
    m_bandColWidth.assign(1, kRowHeaderWidth);
    setRowHidden(0, true);
    setColumnHidden(0, true);
    updateBand();
}

void CXSimGrid::updateBand() {
    if (!m_redraw)
        return;
    updateGeometries();
    m_top->viewport()->update();
    m_left->viewport()->update();
    m_corner->update();
}

void CXSimGrid::applySpans() {
    if (!m_redraw) {
        m_spansDirty = true;
        return;
    }
    m_spansDirty = false;
    clearSpans();
    // The body draws the part of a merge below and right of the band; the headers the rest.
    const QRect body(QPoint(m_bandCols + 1, m_bandRows + 1), QPoint(GetColCount(), GetRowCount()));
    for (const QRect& m : m_merges) {
        const QRect part = m & body;
        if (!part.isEmpty() && (part.width() > 1 || part.height() > 1))
            setSpan(part.top(), part.left(), part.height(), part.width());
    }
    updateBand();
}

void CXSimGrid::updateGeometries() {
    QTableView::updateGeometries();
    m_corner->setGeometry(m_left->geometry().left(), m_top->geometry().top(), m_left->width(),
                          m_top->height());
    m_corner->raise();
}

void CXSimGrid::SetRedraw(bool bRedraw) {
    if (bRedraw == m_redraw)
        return;
    if (!bRedraw) {
        m_redraw = false;
        setUpdatesEnabled(false);
        m_model->setQuiet(true);
        return;
    }
    m_model->setQuiet(false);
    m_redraw = true;
    setUpdatesEnabled(true);
    if (m_spansDirty)
        applySpans();
    else
        updateBand();
    viewport()->update();
}

// --- cursor and keyboard -----------------------------------------------------------------------

void CXSimGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous); // commits an open editor first
    const int prevRow = m_lastCell.isValid() ? m_lastCell.row() : 0;
    const int prevCol = m_lastCell.isValid() ? m_lastCell.column() : 0;
    m_lastCell = current;
    if (m_silent > 0 || !m_redraw)
        return;
    const int newRow = current.isValid() ? current.row() : 0;
    const int newCol = current.isValid() ? current.column() : 0;
    if (prevRow != newRow || prevCol != newCol)
        emit CellChanged(prevRow, prevCol, newRow, newCol);
}

void CXSimGrid::editCommitted(int row, int col) {
    emit CellEdited(row, col);
}

QModelIndex CXSimGrid::nextInputCell(const QModelIndex& from, bool bForward) const {
    // Tab runs along the rows through the cells the user types into, passing over read-only
    // (locked) ones, hidden ones, the header band and the cells a merge covers; it stops at
    // the last such cell instead of starting over at the top.
    const int rows = m_model->rowCount(), cols = m_model->columnCount();
    int r = from.row(), c = from.column();
    for (;;) {
        if (bForward && ++c >= cols) {
            c = 0;
            ++r;
        } else if (!bForward && --c < 0) {
            c = cols - 1;
            --r;
        }
        if (r < 0 || r >= rows)
            return {};
        if (isBand(r, c) || isRowHidden(r) || isColumnHidden(c))
            continue;
        const bool covered = std::any_of(m_merges.begin(), m_merges.end(), [&](const QRect& m) {
            return m.contains(c, r) && !(m.x() == c && m.y() == r);
        });
        const QModelIndex index = m_model->index(r, c);
        if (!covered && (m_model->flags(index) & Qt::ItemIsEditable))
            return index;
    }
}

bool CXSimGrid::stepCursor(CursorAction action) {
    const QModelIndex current = currentIndex();
    if (current.isValid() && (action == MoveNext || action == MovePrevious)) {
        const QModelIndex next = nextInputCell(current, action == MoveNext);
        if (!next.isValid())
            return false;
        setCurrentIndex(next);
        return true;
    }
    const QModelIndex next = moveCursor(action, Qt::NoModifier);
    if (!next.isValid() || next == current)
        return false;
    // Tab runs along the rows and stops at the last cell instead of starting over at the top.
    if (current.isValid() && action == MoveNext &&
        (next.row() < current.row() ||
         (next.row() == current.row() && next.column() < current.column())))
        return false;
    if (current.isValid() && action == MovePrevious &&
        (next.row() > current.row() ||
         (next.row() == current.row() && next.column() > current.column())))
        return false;
    setCurrentIndex(next);
    return true;
}

void CXSimGrid::startTyping(const QString& text) {
    const QModelIndex current = currentIndex();
    if (!current.isValid() || !(m_model->flags(current) & Qt::ItemIsEditable))
        return;
    QString typed = text;
    const QString mask = m_model->maskOf(current.row(), current.column());
    if (CXSimMaskValidator::isMask(mask)) {
        int pos = 0;
        if (CXSimMaskValidator(mask).validate(typed, pos) == QValidator::Invalid)
            return;
    }
    if (!edit(current, AllEditTriggers, nullptr))
        return;
    if (QLineEdit* editor = m_delegate->currentEditor())
        editor->setText(typed);
}

void CXSimGrid::keyPressEvent(QKeyEvent* event) {
    if (state() == EditingState) {
        QTableView::keyPressEvent(event);
        return;
    }
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const QModelIndex current = currentIndex();
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (mods == Qt::NoModifier) {
            stepCursor(m_enterRight ? MoveRight : MoveDown);
            event->accept();
            return;
        }
        break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        // At the last (first) cell the focus goes on to the next (previous) control.
        if (stepCursor(event->key() == Qt::Key_Tab ? MoveNext : MovePrevious))
            event->accept();
        else
            event->ignore();
        return;
    case Qt::Key_F2:
        if (current.isValid() && edit(current, AllEditTriggers, nullptr))
            if (QLineEdit* editor = m_delegate->currentEditor())
                editor->end(false);
        event->accept();
        return;
    case Qt::Key_Delete:
        if (current.isValid() && (m_model->flags(current) & Qt::ItemIsEditable) &&
            !m_model->text(current.row(), current.column()).isEmpty()) {
            m_model->setText(current.row(), current.column(), QString());
            emit CellEdited(current.row(), current.column());
        }
        event->accept();
        return;
    case Qt::Key_Backspace:
        startTyping(QString());
        event->accept();
        return;
    default:
        break;
    }
    if (isTypingKey(event)) {
        startTyping(event->text());
        event->accept(); // a refused key must not move the cursor by keyboard search either
        return;
    }
    QTableView::keyPressEvent(event);
}

void CXSimGrid::inputMethodEvent(QInputMethodEvent* event) {
    // Composed characters (dead keys, input methods) arrive here instead of as key presses.
    if (state() != EditingState) {
        if (!event->commitString().isEmpty() && event->preeditString().isEmpty()) {
            startTyping(event->commitString());
            event->accept();
            return;
        }
        if (!event->preeditString().isEmpty()) {
            startTyping(QString());
            if (QWidget* editor = activeEditor())
                QCoreApplication::sendEvent(editor, event);
            event->accept();
            return;
        }
    }
    QTableView::inputMethodEvent(event);
}

// --- free helpers ------------------------------------------------------------------------------

std::string GetCellText(CXSimGrid& grid, int iRow, int iCol) {
    return grid.GetCellText(iRow, iCol).toStdString();
}

void SetCellText(CXSimGrid& grid, int iRow, int iCol, const std::string& strText) {
    grid.SetCellText(iRow, iCol, strText);
}
