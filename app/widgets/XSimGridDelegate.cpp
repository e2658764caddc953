#include "widgets/XSimGridDelegate.h"

#include "widgets/XSimGrid.h"
#include "widgets/XSimGridModel.h"
#include "widgets/XSimMaskValidator.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>

CXSimGridDelegate::CXSimGridDelegate(CXSimGrid* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

void CXSimGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    // The current cell gets a frame instead of the selection fill, so its own colours stay
    // visible; the grid never selects more than the current cell.
    QStyleOptionViewItem opt(option);
    opt.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
    QStyledItemDelegate::paint(painter, opt, index);
    if (index == m_grid->currentIndex()) {
        painter->save();
        QPen pen(option.palette.color(QPalette::Highlight));
        pen.setWidth(2);
        painter->setPen(pen);
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(QRectF(option.rect).adjusted(1, 1, -1, -1));
        painter->restore();
    }
}

QWidget* CXSimGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                         const QModelIndex& index) const {
    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    editor->setFont(opt.font);
    editor->setAlignment(opt.displayAlignment);
    const QString mask = index.data(CXSimGridModel::MaskRole).toString();
    if (CXSimMaskValidator::isMask(mask))
        editor->setValidator(new CXSimMaskValidator(mask, editor));
    m_editor = editor;
    return editor;
}

void CXSimGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    if (auto* line = qobject_cast<QLineEdit*>(editor))
        line->setText(index.data(Qt::EditRole).toString());
}

void CXSimGridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                     const QModelIndex& index) const {
    auto* line = qobject_cast<QLineEdit*>(editor);
    if (!line)
        return;
    QString text = line->text();
    if (line->validator())
        text = CXSimMaskValidator::finished(text);
    if (text == index.data(Qt::EditRole).toString())
        return;
    model->setData(index, text, Qt::EditRole);
    m_grid->editCommitted(index.row(), index.column());
}

bool CXSimGridDelegate::eventFilter(QObject* object, QEvent* event) {
    auto* editor = qobject_cast<QLineEdit*>(object);
    if (!editor || event->type() != QEvent::KeyPress)
        return QStyledItemDelegate::eventFilter(object, event);

    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    CXSimGrid::CursorAction step;
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (mods != Qt::NoModifier)
            return QStyledItemDelegate::eventFilter(object, event);
        step = m_grid->m_enterRight ? CXSimGrid::MoveRight : CXSimGrid::MoveDown;
        break;
    case Qt::Key_Up:
        step = CXSimGrid::MoveUp;
        break;
    case Qt::Key_Down:
        step = CXSimGrid::MoveDown;
        break;
    case Qt::Key_Tab:
        step = CXSimGrid::MoveNext;
        break;
    case Qt::Key_Backtab:
        step = CXSimGrid::MovePrevious;
        break;
    case Qt::Key_Escape:
        emit closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
        return true;
    default:
        return QStyledItemDelegate::eventFilter(object, event);
    }
    emit commitData(editor);
    emit closeEditor(editor, QAbstractItemDelegate::NoHint);
    m_grid->stepCursor(step);
    return true;
}
