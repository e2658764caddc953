#pragma once
// The header band of a CXSimGrid. The body of the grid hides the band's rows and columns; the
// top header draws the band rows over the body columns, the left header the band columns beside
// the body rows, and the corner the band rows and columns together, merges included. The top
// header's sections are the body's columns, so dragging a boundary there resizes a column.

#include <QHeaderView>

class CXSimGrid;

class CXSimGridHeader : public QHeaderView {
    Q_OBJECT
public:
    CXSimGridHeader(Qt::Orientation orientation, CXSimGrid* grid);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CXSimGrid* m_grid;
};

class CXSimGridCorner : public QWidget {
    Q_OBJECT
public:
    explicit CXSimGridCorner(CXSimGrid* grid);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CXSimGrid* m_grid;
};
