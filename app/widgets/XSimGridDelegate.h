#pragma once
// Paints the cells of a CXSimGrid and runs its in-place editor: a line edit that honours the
// cell's edit mask and the spreadsheet keys (Enter, Tab, Up and Down commit and move on, Escape
// gives the edit up).

#include <QLineEdit>
#include <QPointer>
#include <QStyledItemDelegate>

class CXSimGrid;

class CXSimGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit CXSimGridDelegate(CXSimGrid* grid);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

    // The editor opened last, while it lives.
    QLineEdit* currentEditor() const { return m_editor; }

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    CXSimGrid* m_grid;
    mutable QPointer<QLineEdit> m_editor;
};
