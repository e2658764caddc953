// The direct child controls of a skinned window: push buttons painted and driven by the library,
// edit boxes drawn as underlines, and the colours of edits, labels, check boxes and lists.
#include "qivskin/SkinLib.h"
#include "qivskin/SkinWindow.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QValidator>

namespace qivskin {

namespace {

void setEnabledGroups(QPalette& p, QPalette::ColorRole role, QivColor c) {
    p.setColor(QPalette::Active, role, ToQColor(c));
    p.setColor(QPalette::Inactive, role, ToQColor(c));
}

bool isReadOnly(const QWidget* w) {
    if (auto* e = qobject_cast<const QLineEdit*>(w))
        return e->isReadOnly();
    if (auto* e = qobject_cast<const QPlainTextEdit*>(w))
        return e->isReadOnly();
    if (auto* e = qobject_cast<const QTextEdit*>(w))
        return e->isReadOnly();
    return false;
}

int buttonState(const QWidget* b) {
    return b->property(kPropButtonState).toInt();
}

} // namespace

SkinWindow::Kind SkinWindow::kindOf(QWidget* child) const {
    if (qobject_cast<QPushButton*>(child))
        return Kind::PushButton;
    if (qobject_cast<QCheckBox*>(child) || qobject_cast<QRadioButton*>(child) ||
        qobject_cast<QGroupBox*>(child))
        return Kind::FocusRedraw;
    if (auto* edit = qobject_cast<QLineEdit*>(child)) {
        // only an edit box without a border of its own gets the underline
        if (edit->hasFrame() || qobject_cast<QComboBox*>(child->parentWidget()))
            return Kind::EditColours;
        return qobject_cast<const QIntValidator*>(edit->validator()) ? Kind::NumberEdit
                                                                     : Kind::Edit;
    }
    if (qobject_cast<QPlainTextEdit*>(child) || qobject_cast<QTextEdit*>(child))
        return Kind::EditColours;
    if (qobject_cast<QListView*>(child))
        return Kind::ListBox;
    if (qobject_cast<QAbstractItemView*>(child))
        return Kind::ListView;
    if (qobject_cast<QLabel*>(child))
        return Kind::Label;
    return Kind::Plain;
}

SkinWindow::Child* SkinWindow::childOf(QObject* object) {
    for (Child& c : m_children)
        if (c.key == object)
            return &c;
    return nullptr;
}

void SkinWindow::attachChild(QWidget* child) {
    Child c;
    c.key = child;
    c.widget = child;
    c.kind = kindOf(child);
    c.ownPalette = child->testAttribute(Qt::WA_SetPalette);
    c.palette = child->palette();
    c.autoFill = child->autoFillBackground();
    c.mouseTracking = child->hasMouseTracking();
    // without a layout the children keep their place inside the client area
    if (m_hasFrame && !m_window->layout()) {
        const QMargins m = margins();
        c.shift = QPoint(m.left(), m.top());
        child->move(child->pos() + c.shift);
    }
    switch (c.kind) {
    case Kind::PushButton:
        c.filtered = true;
        child->setProperty(kPropButtonState, bs::Normal);
        break;
    case Kind::Edit:
    case Kind::NumberEdit: {
        auto* edit = static_cast<QLineEdit*>(child);
        c.filtered = true;
        c.textMargins = edit->textMargins();
        const bool numbers = c.kind == Kind::NumberEdit;
        edit->setTextMargins(c.textMargins + QMargins(1, 0, 1, numbers ? 3 : 1));
        c.size = edit->size();
        c.resized = true;
        const int height =
            edit->fontMetrics().size(Qt::TextSingleLine, QStringLiteral("jÉ3M")).height() + 4;
        edit->resize(edit->width(), height);
        break;
    }
    case Kind::EditColours:
    case Kind::FocusRedraw:
        c.filtered = true;
        break;
    default:
        break;
    }
    if (c.kind == Kind::Label || c.kind == Kind::FocusRedraw)
        child->setAutoFillBackground(true);
    if (c.filtered) {
        child->setProperty(kPropOldProc, QVariant::fromValue(c.palette));
        child->installEventFilter(this);
    }
    m_children.push_back(c);
    applyColours(m_children.back());
    child->update();
}

void SkinWindow::releaseChild(Child& c) {
    QWidget* w = c.widget;
    if (!w)
        return;
    if (c.filtered) {
        w->removeEventFilter(this);
        w->setProperty(kPropOldProc, QVariant());
    }
    if (c.kind == Kind::PushButton) {
        w->setProperty(kPropButtonState, QVariant());
        if (QWidget::mouseGrabber() == w)
            w->releaseMouse();
    }
    if (c.kind == Kind::Edit || c.kind == Kind::NumberEdit)
        static_cast<QLineEdit*>(w)->setTextMargins(c.textMargins);
    if (c.resized)
        w->resize(c.size);
    w->setPalette(c.ownPalette ? c.palette : QPalette());
    w->setAutoFillBackground(c.autoFill);
    w->setMouseTracking(c.mouseTracking);
    if (!c.shift.isNull())
        w->move(w->pos() - c.shift);
    w->update();
    c.widget = nullptr;
}

void SkinWindow::applyColours(Child& c) {
    QWidget* w = c.widget;
    const SkinColors& k = lib().colors;
    QPalette p = w->palette();
    switch (c.kind) {
    case Kind::Edit:
    case Kind::NumberEdit:
    case Kind::EditColours:
        p.setColor(QPalette::Base, ToQColor(k.clEdit));
        p.setColor(QPalette::Window, ToQColor(k.clEdit));
        setEnabledGroups(p, QPalette::Text,
                         isReadOnly(w)   ? k.clEditTextReadOnly
                         : w->hasFocus() ? k.clEditTextFocus
                                         : k.clEditText);
        p.setColor(QPalette::Disabled, QPalette::Text, ToQColor(k.clEditTextDisabled));
        break;
    case Kind::Label:
    case Kind::FocusRedraw:
        // buttons fill their background from the Button role, labels from Window
        p.setColor(QPalette::Window, ToQColor(k.clStatic));
        p.setColor(w->backgroundRole(), ToQColor(k.clStatic));
        setEnabledGroups(p, QPalette::WindowText,
                         w->hasFocus() ? k.clStaticTextFocus : k.clStaticText);
        break;
    case Kind::ListBox:
        p.setColor(QPalette::Base, ToQColor(k.clListBox));
        setEnabledGroups(p, QPalette::Text, k.clStaticText);
        break;
    case Kind::ListView:
        p.setColor(QPalette::Base, ToQColor(k.clListView));
        p.setColor(QPalette::AlternateBase, ToQColor(k.clListView));
        break;
    default:
        return;
    }
    // set only on a change, so that applying the colours while painting ends there
    if (!(p == w->palette()) || !w->testAttribute(Qt::WA_SetPalette))
        w->setPalette(p);
}

bool SkinWindow::childEvent(Child& c, QEvent* event) {
    QWidget* w = c.widget;
    if (!w)
        return false;
    switch (c.kind) {
    case Kind::PushButton:
        return pushButtonEvent(static_cast<QPushButton*>(w), event);
    case Kind::Edit:
    case Kind::NumberEdit:
        if (event->type() == QEvent::Paint) {
            applyColours(c);
            static_cast<QObject*>(w)->event(event);
            paintEditBorder(static_cast<QLineEdit*>(w), c.kind == Kind::NumberEdit);
            return true;
        }
        [[fallthrough]];
    case Kind::EditColours:
    case Kind::FocusRedraw:
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut ||
            event->type() == QEvent::EnabledChange) {
            applyColours(c);
            w->update();
        }
        return false;
    default:
        return false;
    }
}

// --- push buttons -----------------------------------------------------------------------------

bool SkinWindow::pushButtonEvent(QPushButton* button, QEvent* event) {
    int s = buttonState(button);
    auto setState = [button, &s](int state) {
        s = state;
        button->setProperty(kPropButtonState, state);
        button->update();
    };
    // the command goes to the host as the button's clicked signal, exactly once
    auto click = [button] { button->click(); };

    switch (event->type()) {
    case QEvent::Paint:
        paintPushButton(button);
        return true;
    case QEvent::MouseButtonPress: {
        auto* me = static_cast<QMouseEvent*>(event);
        if (me->button() != Qt::LeftButton)
            return false;
        if (!(s & bs::Pressed)) {
            button->setFocus(Qt::MouseFocusReason);
            setState(bs::Pressed | bs::Held);
        }
        return true;
    }
    case QEvent::MouseButtonDblClick:
        return true;
    case QEvent::MouseMove: {
        auto* me = static_cast<QMouseEvent*>(event);
        const bool over = button->rect().contains(me->position().toPoint());
        if (me->buttons() & Qt::LeftButton)
            setState(s & bs::Held ? (over ? bs::Pressed | bs::Held : bs::Normal | bs::Held)
                                  : bs::Normal);
        else if (over)
            setState(s & bs::Pressed ? bs::Pressed | bs::Mouse : bs::Mouse);
        else
            setState(s & bs::Pressed ? bs::Pressed | bs::Held : bs::Normal);
        return true;
    }
    case QEvent::Enter:
        if (!(QGuiApplication::mouseButtons() & Qt::LeftButton))
            setState(s & bs::Pressed ? bs::Pressed | bs::Mouse : bs::Mouse);
        return false;
    case QEvent::Leave:
        if (!(QGuiApplication::mouseButtons() & Qt::LeftButton))
            setState(s & bs::Pressed ? bs::Pressed | bs::Held : bs::Normal);
        return false;
    case QEvent::MouseButtonRelease: {
        auto* me = static_cast<QMouseEvent*>(event);
        if (me->button() != Qt::LeftButton)
            return false;
        if (button->rect().contains(me->position().toPoint())) {
            const bool began = s & bs::Held;
            setState(bs::Mouse);
            if (began)
                click();
        } else {
            setState(bs::Normal);
        }
        return true;
    }
    case QEvent::KeyPress: {
        auto* ke = static_cast<QKeyEvent*>(event);
        if (ke->key() != Qt::Key_Space)
            return false;
        if (!ke->isAutoRepeat())
            setState(bs::Pressed);
        return true;
    }
    case QEvent::KeyRelease: {
        auto* ke = static_cast<QKeyEvent*>(event);
        if (ke->key() == Qt::Key_Space) {
            if (!ke->isAutoRepeat() && (s & bs::Pressed)) {
                setState(bs::Normal);
                click();
            }
            return true;
        }
        if (ke->key() == Qt::Key_Escape && (s & bs::Pressed)) {
            setState(bs::Mouse | bs::Held);
            return true;
        }
        return false;
    }
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        button->update();
        return false;
    case QEvent::EnabledChange:
        setState(button->underMouse() ? bs::Mouse : bs::Normal);
        return false;
    default:
        return false;
    }
}

void SkinWindow::paintPushButton(QPushButton* button) {
    const SkinColors& k = lib().colors;
    const int s = buttonState(button);
    const bool focus = button->hasFocus();
    QivColor face = k.clBtn, ink = k.clBtnText;
    bool pressed = false;
    if (!button->isEnabled()) {
        face = k.clBtnDisabled;
        ink = k.clBtnTextDisabled;
    } else if (s & bs::Normal) {
        face = focus ? k.clBtnFocusKeyb : k.clBtn;
        ink = focus ? k.clBtnTextFocusKeyb : k.clBtnText;
    } else if (s & bs::Pressed) {
        face = k.clBtnPressed;
        ink = k.clBtnTextPressed;
        pressed = true;
    } else if (s & bs::Mouse) {
        face = focus ? k.clBtnFocusMouseKeyb : k.clBtnFocusMouse;
        ink = focus ? k.clBtnTextFocusMouseKeyb : k.clBtnTextFocusMouse;
    }
    const qreal dpr = button->devicePixelRatioF();
    QPixmap off(button->size() * dpr);
    off.setDevicePixelRatio(dpr);
    QPainter p(&off);
    const int w = button->width(), h = button->height();
    p.fillRect(0, 0, w, h, ToQColor(face));
    QColor light = ToQColor(k.clBtnBorderLight), dark = ToQColor(k.clBtnBorderShadow);
    if (pressed)
        std::swap(light, dark);
    p.setPen(light);
    p.drawLine(0, 0, w - 1, 0);
    p.drawLine(0, 0, 0, h - 1);
    p.setPen(dark);
    p.drawLine(0, h - 1, w - 1, h - 1);
    p.drawLine(w - 1, 0, w - 1, h - 1);
    QFont font = button->font();
    if (button->isDefault())
        font.setWeight(QFont::DemiBold);
    p.setFont(font);
    p.setPen(ToQColor(ink));
    QRect r = button->rect().adjusted(2, 1, -2, -1);
    if (pressed)
        r.translate(1, 1);
    const QString text = button->text();
    if (text.contains(u'\n'))
        p.drawText(r, Qt::AlignCenter | Qt::TextShowMnemonic, text);
    else
        p.drawText(r, Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic,
                   p.fontMetrics().elidedText(text, Qt::ElideRight, r.width()));
    p.end();
    QPainter wp(button);
    wp.drawPixmap(0, 0, off);
}

// --- edit boxes -------------------------------------------------------------------------------

void SkinWindow::paintEditBorder(QLineEdit* edit, bool numbers) {
    const SkinColors& k = lib().colors;
    const QColor border = ToQColor(!edit->isEnabled()   ? k.clEditBorderDisabled
                                   : edit->isReadOnly() ? k.clEditBorderReadOnly
                                   : edit->hasFocus()   ? k.clEditBorderFocus
                                                        : k.clEditBorder);
    const QColor window = ToQColor(k.clWnd);
    const int w = edit->width(), h = edit->height(), upturn = h * 3 / 4;
    QPainter p(edit);
    p.setPen(window);
    p.drawLine(0, 0, 0, upturn - 1);
    p.drawLine(w - 1, 0, w - 1, upturn - 1);
    p.setPen(border);
    p.drawLine(0, upturn, 0, h - 1);
    p.drawLine(0, h - 1, w - 1, h - 1);
    p.drawLine(w - 1, h - 1, w - 1, upturn);
    if (!numbers)
        return;
    // a row of dots one digit apart, like the boxes of a printed form
    p.fillRect(1, h - 3, w - 2, 2, window);
    const Qt::Alignment align = edit->alignment();
    const int step = edit->fontMetrics().horizontalAdvance(u'0');
    if ((align & Qt::AlignHCenter) || step <= 0)
        return;
    if (align & Qt::AlignRight)
        for (int x = w - 1 - step; x > 0; x -= step)
            p.fillRect(x, h - 3, 1, 2, border);
    else
        for (int x = step; x < w - 1; x += step)
            p.fillRect(x, h - 3, 1, 2, border);
}

} // namespace qivskin
