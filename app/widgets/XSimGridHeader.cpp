#include "widgets/XSimGridHeader.h"

#include "widgets/XSimGrid.h"

#include <QPaintEvent>
#include <QPainter>

#include <functional>
#include <numeric>

namespace {

// One direction of a block of header cells: the cells of the block, the part of them in view,
// and where each lies in the painted widget.
struct Axis {
    int first = 0;
    int last = -1;
    int visFirst = 0;
    int visLast = -1;
    std::function<int(int)> pos;
    std::function<int(int)> size;
};

Axis bandAxis(const std::vector<int>& sizes) {
    Axis axis;
    axis.first = axis.visFirst = 0;
    axis.last = axis.visLast = static_cast<int>(sizes.size()) - 1;
    axis.pos = [&sizes](int i) { return std::accumulate(sizes.begin(), sizes.begin() + i, 0); };
    axis.size = [&sizes](int i) { return sizes[i]; };
    return axis;
}

Axis sectionAxis(const QHeaderView& header, int first, int extent) {
    Axis axis;
    axis.first = first;
    axis.last = header.count() - 1;
    int from = header.logicalIndexAt(0);
    int to = header.logicalIndexAt(extent - 1);
    axis.visFirst = std::max(first, from < 0 ? first : from);
    axis.visLast = to < 0 ? axis.last : to;
    axis.pos = [&header](int i) { return header.sectionViewportPosition(i); };
    axis.size = [&header](int i) { return header.isSectionHidden(i) ? 0 : header.sectionSize(i); };
    return axis;
}

void paintCell(QPainter& p, const CXSimGrid& grid, const QRect& rect, int row, int col) {
    const QModelIndex index = grid.model()->index(row, col);
    const QVariant back = index.data(Qt::BackgroundRole);
    p.fillRect(rect,
               back.isValid() ? back.value<QColor>() : grid.palette().color(QPalette::Button));
    p.setPen(grid.palette().color(QPalette::Mid));
    p.drawLine(rect.topRight(), rect.bottomRight());
    p.drawLine(rect.bottomLeft(), rect.bottomRight());

    const QString text = index.data(Qt::DisplayRole).toString();
    if (text.isEmpty())
        return;
    QFont font = grid.font();
    if (const QVariant f = index.data(Qt::FontRole); f.isValid())
        font = f.value<QFont>().resolve(font);
    p.setFont(font);
    const QVariant fore = index.data(Qt::ForegroundRole);
    p.setPen(fore.isValid() ? fore.value<QColor>() : grid.palette().color(QPalette::ButtonText));
    const QVariant align = index.data(Qt::TextAlignmentRole);
    const int flags = (align.isValid() ? align.toInt() : int(Qt::AlignCenter)) | Qt::TextWordWrap;
    p.drawText(rect.adjusted(3, 1, -3, -1), flags, text);
}

void paintBlock(QPainter& p, const CXSimGrid& grid, const std::vector<QRect>& merges,
                const Axis& rows, const Axis& cols) {
    if (rows.last < rows.first || cols.last < cols.first)
        return;
    const QRect block(QPoint(cols.first, rows.first), QPoint(cols.last, rows.last));
    auto merged = [&](int row, int col) {
        for (const QRect& m : merges)
            if (m.contains(col, row))
                return true;
        return false;
    };
    for (int r = rows.visFirst; r <= rows.visLast; ++r) {
        const int h = rows.size(r);
        if (h <= 0)
            continue;
        for (int c = cols.visFirst; c <= cols.visLast; ++c) {
            const int w = cols.size(c);
            if (w > 0 && !merged(r, c))
                paintCell(p, grid, QRect(cols.pos(c), rows.pos(r), w, h), r, c);
        }
    }
    for (const QRect& m : merges) {
        const QRect part = m & block;
        if (part.isEmpty())
            continue;
        int w = 0;
        for (int c = part.left(); c <= part.right(); ++c)
            w += cols.size(c);
        int h = 0;
        for (int r = part.top(); r <= part.bottom(); ++r)
            h += rows.size(r);
        if (w > 0 && h > 0)
            paintCell(p, grid, QRect(cols.pos(part.left()), rows.pos(part.top()), w, h), part.top(),
                      part.left());
    }
}

} // namespace

CXSimGridHeader::CXSimGridHeader(Qt::Orientation orientation, CXSimGrid* grid)
    : QHeaderView(orientation, grid), m_grid(grid) {
    setSectionsClickable(false);
    setHighlightSections(false);
    setSectionsMovable(false);
}

QSize CXSimGridHeader::sizeHint() const {
    if (orientation() == Qt::Horizontal)
        return {length(),
                std::accumulate(m_grid->m_bandRowHeight.begin(), m_grid->m_bandRowHeight.end(), 0)};
    return {std::accumulate(m_grid->m_bandColWidth.begin(), m_grid->m_bandColWidth.end(), 0),
            length()};
}

void CXSimGridHeader::paintEvent(QPaintEvent* event) {
    QPainter p(viewport());
    p.setClipRect(event->rect());
    p.fillRect(event->rect(), palette().color(QPalette::Window));
    if (orientation() == Qt::Horizontal)
        paintBlock(p, *m_grid, m_grid->m_merges, bandAxis(m_grid->m_bandRowHeight),
                   sectionAxis(*this, m_grid->m_bandCols + 1, viewport()->width()));
    else
        paintBlock(p, *m_grid, m_grid->m_merges,
                   sectionAxis(*this, m_grid->m_bandRows + 1, viewport()->height()),
                   bandAxis(m_grid->m_bandColWidth));
}

CXSimGridCorner::CXSimGridCorner(CXSimGrid* grid) : QWidget(grid), m_grid(grid) {}

void CXSimGridCorner::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    p.setClipRect(event->rect());
    p.fillRect(rect(), palette().color(QPalette::Window));
    paintBlock(p, *m_grid, m_grid->m_merges, bandAxis(m_grid->m_bandRowHeight),
               bandAxis(m_grid->m_bandColWidth));
}
