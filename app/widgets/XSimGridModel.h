#pragma once
// The cells of a CXSimGrid: text plus the look and behaviour attributes the pages set by scope.
//
// Model coordinates are grid coordinates: model row 0 is the header row, model column 0 the
// row-header column. An attribute can be set on a cell, a whole column, a whole row or the whole
// grid; for each attribute the most recent of those settings that covers a cell wins, so a cell
// unlocked after its column was locked is editable, and a column locked after that locks the
// cell again. Column, row and grid settings cover data cells only (row >= 1 and column >= 1),
// except that a row setting on row 0 covers the column titles and a column setting on column 0
// covers the row headers; new rows take the column and grid settings in force.

#include <QAbstractTableModel>
#include <QColor>
#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class CXSimGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Scope { ScopeCell = 0, ScopeColumn = 1, ScopeRow = 2, ScopeGrid = 3 };
    enum Attr { AttrLock, AttrBack, AttrInput, AttrAlign, AttrMask, AttrFont, AttrCount };
    // Extra data roles: the effective lock flag and the effective edit mask of a cell.
    enum Role { LockedRole = Qt::UserRole + 1, MaskRole, AlignValueRole };

    struct Attrs {
        std::array<quint64, AttrCount> seq{}; // 0 = not set at this level
        bool locked = false;
        int align = 0;
        bool bold = false;
        QColor back, input, fore;
        QString mask;
        QString name; // column level only: the header's name for assistive technology
    };

    explicit CXSimGridModel(QObject* parent = nullptr);
    ~CXSimGridModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // A header section is named for screen readers by the column's name (setColumnName) or else
    // by its title ("Nume", not "2"); untitled sections keep their numbers.
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // Where the titles come from: the grid's header band (CXSimGrid::HeaderTitle).
    void setHeaderTitles(std::function<QString(Qt::Orientation, int)> titles) {
        m_headerTitles = std::move(titles);
    }

    // Data rows are 1..lastRow(), data columns 1..lastCol().
    int lastRow() const { return static_cast<int>(m_rows.size()) - 1; }
    int lastCol() const { return static_cast<int>(m_cols.size()) - 1; }
    bool contains(int row, int col) const {
        return row >= 0 && col >= 0 && row <= lastRow() && col <= lastCol();
    }

    void insertGridRows(int at, int count);
    void insertGridCols(int at, int count);
    void removeGridRow(int row);
    void clearAll();

    const QString& text(int row, int col) const;
    void setText(int row, int col, const QString& text);

    // Sets one attribute at the level the scope names; `set` writes the value into an Attrs.
    // With notify false the caller announces the change itself (changedRange).
    template <class Setter>
    void setAttr(int scope, int row, int col, Attr attr, Setter set, bool notify = true) {
        Attrs* level = levelFor(scope, row, col);
        if (!level)
            return;
        level->seq[attr] = ++m_seq;
        set(*level);
        if (notify)
            changed(scope, row, col);
    }
    void changedRange(int r1, int c1, int r2, int c2);

    void setColumnName(int col, const QString& name);
    QString columnName(int col) const;

    // The level whose setting of attr is in force for the cell, or nullptr when none is.
    const Attrs* effective(int row, int col, Attr attr) const;
    bool isLocked(int row, int col) const;
    QString maskOf(int row, int col) const;

    // While quiet, changes of text and attributes send no dataChanged; leaving quiet sends one
    // for the whole grid when anything changed. Structural changes are always announced.
    void setQuiet(bool quiet);

private:
    struct Cell {
        QString text;
        std::unique_ptr<Attrs> attrs;
    };
    struct Row {
        std::vector<Cell> cells;
        std::unique_ptr<Attrs> attrs;
    };

    Attrs* levelFor(int scope, int row, int col);
    void changed(int scope, int row, int col);
    Row makeRow() const;

    std::vector<Row> m_rows;   // m_rows[0] is the header row
    std::vector<Attrs> m_cols; // per column, m_cols[0] is the row-header column
    Attrs m_grid;
    quint64 m_seq = 0;
    bool m_quiet = false;
    bool m_dirty = false;
    std::function<QString(Qt::Orientation, int)> m_headerTitles;
};
