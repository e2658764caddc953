#include "widgets/XSimGridModel.h"

#include <QFont>

namespace {

Qt::Alignment alignmentFor(int value) {
    switch (value) {
    case 1:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case 2:
        return Qt::AlignRight | Qt::AlignVCenter;
    default: // 0 general and 3 left: texts read from the left edge
        return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

const QString kEmpty;

} // namespace

CXSimGridModel::CXSimGridModel(QObject* parent) : QAbstractTableModel(parent) {
    m_cols.resize(1);
    m_rows.push_back(makeRow());
}

CXSimGridModel::~CXSimGridModel() = default;

int CXSimGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int CXSimGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_cols.size());
}

QVariant CXSimGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !contains(index.row(), index.column()))
        return {};
    const int r = index.row();
    const int c = index.column();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return text(r, c);
    case Qt::BackgroundRole: {
        if (const Attrs* a = effective(r, c, AttrBack); a && a->back.isValid())
            return a->back;
        if (const Attrs* a = effective(r, c, AttrInput); a && a->input.isValid())
            return a->input;
        return {};
    }
    case Qt::ForegroundRole:
        if (const Attrs* a = effective(r, c, AttrFont); a && a->fore.isValid())
            return a->fore;
        return {};
    case Qt::FontRole:
        if (const Attrs* a = effective(r, c, AttrFont); a && a->bold) {
            QFont font; // only the weight is set, the rest comes from the grid's font
            font.setBold(true);
            return font;
        }
        return {};
    case Qt::TextAlignmentRole:
        if (const Attrs* a = effective(r, c, AttrAlign))
            return static_cast<int>(alignmentFor(a->align));
        return {};
    case AlignValueRole:
        if (const Attrs* a = effective(r, c, AttrAlign))
            return a->align;
        return {};
    case LockedRole:
        return isLocked(r, c);
    case MaskRole:
        return maskOf(r, c);
    default:
        return {};
    }
}

bool CXSimGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || !contains(index.row(), index.column()))
        return false;
    setText(index.row(), index.column(), value.toString());
    return true;
}

Qt::ItemFlags CXSimGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.row() > 0 && index.column() > 0 && !isLocked(index.row(), index.column()))
        f |= Qt::ItemIsEditable;
    return f;
}

QVariant CXSimGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::AccessibleTextRole && section >= 0 &&
        section <= lastCol() && !m_cols[section].name.isEmpty())
        return m_cols[section].name;
    if ((role == Qt::DisplayRole || role == Qt::AccessibleTextRole) && m_headerTitles) {
        const QString title = m_headerTitles(orientation, section);
        if (!title.isEmpty())
            return title;
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

void CXSimGridModel::setColumnName(int col, const QString& name) {
    if (col < 0 || col > lastCol() || m_cols[col].name == name)
        return;
    m_cols[col].name = name;
    emit headerDataChanged(Qt::Horizontal, col, col);
}

QString CXSimGridModel::columnName(int col) const {
    return col >= 0 && col <= lastCol() ? m_cols[col].name : QString();
}

CXSimGridModel::Row CXSimGridModel::makeRow() const {
    Row row;
    row.cells.resize(m_cols.size());
    return row;
}

void CXSimGridModel::insertGridRows(int at, int count) {
    if (count <= 0 || at < 1 || at > lastRow() + 1)
        return;
    beginInsertRows({}, at, at + count - 1);
    std::vector<Row> fresh;
    fresh.reserve(count);
    for (int i = 0; i < count; ++i)
        fresh.push_back(makeRow());
    m_rows.insert(m_rows.begin() + at, std::make_move_iterator(fresh.begin()),
                  std::make_move_iterator(fresh.end()));
    endInsertRows();
}

void CXSimGridModel::insertGridCols(int at, int count) {
    if (count <= 0 || at < 1 || at > lastCol() + 1)
        return;
    beginInsertColumns({}, at, at + count - 1);
    for (Row& row : m_rows) {
        std::vector<Cell> fresh(count);
        row.cells.insert(row.cells.begin() + at, std::make_move_iterator(fresh.begin()),
                         std::make_move_iterator(fresh.end()));
    }
    m_cols.insert(m_cols.begin() + at, count, Attrs{});
    endInsertColumns();
}

void CXSimGridModel::removeGridRow(int row) {
    if (row < 1 || row > lastRow())
        return;
    beginRemoveRows({}, row, row);
    m_rows.erase(m_rows.begin() + row);
    endRemoveRows();
}

void CXSimGridModel::clearAll() {
    beginResetModel();
    m_rows.clear();
    m_cols.assign(1, Attrs{});
    m_grid = Attrs{};
    m_rows.push_back(makeRow());
    m_dirty = false;
    endResetModel();
}

const QString& CXSimGridModel::text(int row, int col) const {
    if (!contains(row, col))
        return kEmpty;
    return m_rows[row].cells[col].text;
}

void CXSimGridModel::setText(int row, int col, const QString& text) {
    if (!contains(row, col))
        return;
    QString& cell = m_rows[row].cells[col].text;
    if (cell == text)
        return;
    cell = text;
    changedRange(row, col, row, col);
}

CXSimGridModel::Attrs* CXSimGridModel::levelFor(int scope, int row, int col) {
    switch (scope) {
    case ScopeCell: {
        if (!contains(row, col))
            return nullptr;
        auto& attrs = m_rows[row].cells[col].attrs;
        if (!attrs)
            attrs = std::make_unique<Attrs>();
        return attrs.get();
    }
    case ScopeColumn:
        return col >= 0 && col <= lastCol() ? &m_cols[col] : nullptr;
    case ScopeRow: {
        if (row < 0 || row > lastRow())
            return nullptr;
        auto& attrs = m_rows[row].attrs;
        if (!attrs)
            attrs = std::make_unique<Attrs>();
        return attrs.get();
    }
    case ScopeGrid:
        return &m_grid;
    default:
        return nullptr;
    }
}

const CXSimGridModel::Attrs* CXSimGridModel::effective(int row, int col, Attr attr) const {
    if (!contains(row, col))
        return nullptr;
    const Attrs* best = nullptr;
    quint64 bestSeq = 0;
    auto consider = [&](const Attrs* level) {
        if (level && level->seq[attr] > bestSeq) {
            bestSeq = level->seq[attr];
            best = level;
        }
    };
    const Row& r = m_rows[row];
    consider(r.cells[col].attrs.get());
    if (col >= 1)
        consider(r.attrs.get());
    if (row >= 1)
        consider(&m_cols[col]);
    if (row >= 1 && col >= 1)
        consider(&m_grid);
    return best;
}

bool CXSimGridModel::isLocked(int row, int col) const {
    const Attrs* a = effective(row, col, AttrLock);
    return a && a->locked;
}

QString CXSimGridModel::maskOf(int row, int col) const {
    const Attrs* a = effective(row, col, AttrMask);
    return a ? a->mask : QString();
}

void CXSimGridModel::changed(int scope, int row, int col) {
    switch (scope) {
    case ScopeCell:
        changedRange(row, col, row, col);
        break;
    case ScopeColumn:
        changedRange(0, col, lastRow(), col);
        break;
    case ScopeRow:
        changedRange(row, 0, row, lastCol());
        break;
    default:
        changedRange(0, 0, lastRow(), lastCol());
        break;
    }
}

void CXSimGridModel::changedRange(int r1, int c1, int r2, int c2) {
    if (m_quiet) {
        m_dirty = true;
        return;
    }
    emit dataChanged(index(r1, c1), index(r2, c2));
}

void CXSimGridModel::setQuiet(bool quiet) {
    if (m_quiet == quiet)
        return;
    m_quiet = quiet;
    if (!quiet && m_dirty) {
        m_dirty = false;
        emit dataChanged(index(0, 0), index(lastRow(), lastCol()));
    }
}
