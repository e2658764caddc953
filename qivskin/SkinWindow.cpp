// A skinned window: taking it over and giving it back, its painted frame, its caption buttons,
// and moving and resizing it by the frame.
#include "qivskin/SkinWindow.h"
#include "qivskin/SkinLib.h"
#include "qivskin/SkinTooltip.h"

#include <QApplication>
#include <QFontDatabase>
#include <QMainWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWindow>

namespace qivskin {

namespace {
constexpr int kButtonTop = 7;
constexpr int kTitleTop = 5;
constexpr int kCloseOffset = 10, kMaximizeOffset = 24, kMinimizeOffset = 38;

QFont titleFont() {
    QFont f = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    f.setBold(true);
    return f;
}

} // namespace

WindowStyle StyleOf(const QWidget* window) {
    const Qt::WindowFlags f = window->windowFlags();
    if (f & Qt::FramelessWindowHint)
        return {};
    if (!(f & Qt::CustomizeWindowHint)) {
        // the decorations the platform gives each kind of window by default
        switch (window->windowType()) {
        case Qt::Window:
            return {true, true, true, true};
        case Qt::Dialog:
        case Qt::Sheet:
        case Qt::Tool:
            return {true, true, false, false};
        default:
            return {};
        }
    }
    return {bool(f & Qt::WindowTitleHint), bool(f & Qt::WindowSystemMenuHint),
            bool(f & Qt::WindowMinimizeButtonHint), bool(f & Qt::WindowMaximizeButtonHint)};
}

SkinWindow::SkinWindow(QWidget* window) : m_key(window), m_window(window) {
    // The window may be destroyed without being released: it then leaves the list at once and
    // nothing of it is touched again.
    connect(window, &QObject::destroyed, this, [this] {
        m_dead = true;
        lib().windows.removeOne(this);
        release();
        delete this;
    });
}

SkinWindow::~SkinWindow() = default;

QMargins SkinWindow::margins() const {
    return m_hasFrame ? lib().margins() : QMargins();
}

QRect SkinWindow::clientRect() const {
    if (m_dead || !m_window)
        return {};
    return m_window->rect().marginsRemoved(margins());
}

void SkinWindow::attach(const WindowStyle& style) {
    SkinLib& l = lib();
    QWidget* w = m_window;
    m_flags = w->windowFlags();
    m_hasFrame = style.caption;

    if (auto* main = qobject_cast<QMainWindow*>(w))
        m_menu = main->menuWidget();
    if (!m_menu)
        m_menu = w->findChild<QMenuBar*>(QString(), Qt::FindDirectChildrenOnly);
    if (m_menu) {
        m_menuVisible = !m_menu->isHidden();
        m_menu->hide();
    }

    if (style.caption && style.sysMenu) {
        m_buttons.push_back({bmp::Close, kCloseOffset, true, QStringLiteral("Închide"), {}, 0});
        if (style.minBox || style.maxBox) {
            m_buttons.push_back({bmp::Maximize,
                                 kMaximizeOffset,
                                 style.maxBox,
                                 QStringLiteral("Maximizeaza dialog"),
                                 {},
                                 0});
            m_buttons.push_back({bmp::Minimize,
                                 kMinimizeOffset,
                                 style.minBox,
                                 QStringLiteral("Minimizeaza dialog"),
                                 {},
                                 0});
        }
        for (CaptionButton& b : m_buttons)
            b.image = b.enabled ? 0 : 3;
    }

    const bool visible = w->isVisible();
    // the platform keeps a title bar while any decoration hint is set, so only the window's
    // kind and its other hints stay
    const Qt::WindowFlags decorations = Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                        Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                                        Qt::WindowCloseButtonHint | Qt::WindowContextHelpButtonHint;
    w->setWindowFlags((m_flags & ~decorations) | Qt::FramelessWindowHint);
    w->setProperty(kPropSkin, QVariant::fromValue(static_cast<void*>(this)));
    w->installEventFilter(this);
    m_mouseTracking = w->hasMouseTracking();
    w->setMouseTracking(true);
    m_ownPalette = w->testAttribute(Qt::WA_SetPalette);
    m_palette = w->palette();
    QPalette palette = w->palette();
    palette.setColor(QPalette::Window, ToQColor(l.colors.clWnd)); // in every colour group
    w->setPalette(palette);
    m_contentsMargins = w->contentsMargins();
    m_minimumSize = w->minimumSize();
    if (m_hasFrame) {
        w->setContentsMargins(m_contentsMargins + margins());
        const int minWidth = l.bitmap(bmp::CaptionLeft).width() +
                             l.bitmap(bmp::CaptionRightA).width() +
                             l.bitmap(bmp::CaptionRightB).width() + 15;
        const int minHeight =
            l.bitmap(bmp::TopBand).height() + l.bitmap(bmp::BottomBorder).height();
        w->setMinimumSize(qMax(m_minimumSize.width(), minWidth),
                          qMax(m_minimumSize.height(), minHeight));
    }
    for (QObject* o : w->children()) {
        auto* child = qobject_cast<QWidget*>(o);
        if (child && !child->isWindow() && child != m_menu)
            attachChild(child);
    }
    placeButtons();
    if (visible)
        w->show();
    w->update();
}

void SkinWindow::release() {
    SkinLib& l = lib();
    l.hideTooltip();
    for (Child& c : m_children)
        releaseChild(c);
    m_children.clear();
    QWidget* w = m_dead ? nullptr : m_window.data();
    if (!w)
        return;
    w->removeEventFilter(this);
    w->setProperty(kPropSkin, QVariant());
    w->setMouseTracking(m_mouseTracking);
    w->setContentsMargins(m_contentsMargins);
    w->setMinimumSize(m_minimumSize);
    w->setPalette(m_ownPalette ? m_palette : QPalette());
    if (m_menu && m_menuVisible)
        m_menu->show();
    w->setWindowFlags(m_flags);
    w->move(-1000, -1000);
    w->resize(0, 0);
    w->hide();
}

// --- frame ------------------------------------------------------------------------------------

void SkinWindow::placeButtons() {
    const SkinLib& l = lib();
    for (CaptionButton& b : m_buttons) {
        const QPixmap& strip = l.bitmap(b.bitmap);
        const int width = (strip.width() - 3) / 4;
        b.rect = QRect(m_window->width() - b.offset - width, kButtonTop, width, strip.height());
    }
}

void SkinWindow::redrawFrame() {
    if (!m_hasFrame || !m_window)
        return;
    QRegion frame(m_window->rect());
    frame -= QRegion(clientRect());
    m_window->update(frame);
}

void SkinWindow::paintFrame(QPainter& p, const QRegion& region) {
    const SkinLib& l = lib();
    const QMargins m = margins();
    const int W = m_window->width(), H = m_window->height();
    const QRect top(0, 0, W, m.top());
    const QRect bottom(0, H - m.bottom(), W, m.bottom());
    const QRect left(0, m.top(), m.left(), H - m.top() - m.bottom());
    const QRect right(W - m.right(), m.top(), m.right(), H - m.top() - m.bottom());

    if (region.intersects(top)) {
        QPixmap band(top.size());
        band.fill(Qt::transparent);
        QPainter bp(&band);
        bp.drawTiledPixmap(top, l.bitmap(bmp::TopBand));
        const QPixmap& lead =
            l.bitmap(l.workspace == m_window ? bmp::WorkspaceCaption : bmp::CaptionLeft);
        bp.drawPixmap(0, 0, lead);
        const QPixmap& tail = l.bitmap(bmp::CaptionRightA);
        const QPixmap& end = l.bitmap(bmp::CaptionRightB);
        int limit = W - end.width();
        for (const CaptionButton& b : m_buttons)
            limit = qMin(limit, b.rect.left());
        const QString title = m_window->windowTitle();
        bp.setFont(titleFont());
        const QFontMetrics fm(bp.font());
        const int x0 = lead.width();
        const int room = qMax(0, limit - tail.width() - x0);
        const int titleWidth = qMin(fm.horizontalAdvance(title) + 10, room);
        bp.drawTiledPixmap(x0, 0, titleWidth, top.height(), l.bitmap(bmp::TitleBackground));
        bp.drawPixmap(x0 + titleWidth, 0, tail);
        bp.drawPixmap(W - end.width(), 0, end);
        bp.setPen(ToQColor(m_active ? l.colors.clWndText : l.colors.clWndTextDisabled));
        bp.drawText(QRect(x0, kTitleTop, titleWidth, top.height() - kTitleTop),
                    Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                    fm.elidedText(title, Qt::ElideRight, qMax(0, titleWidth - 4)));
        for (const CaptionButton& b : m_buttons) {
            const int image = b.enabled ? b.image : 3;
            bp.drawPixmap(b.rect.topLeft(), l.bitmap(b.bitmap),
                          QRect(image * (b.rect.width() + 1), 0, b.rect.width(), b.rect.height()));
        }
        bp.end();
        p.drawPixmap(top.topLeft(), band);
    }
    if (region.intersects(left))
        p.drawTiledPixmap(left, l.bitmap(bmp::LeftBorder));
    if (region.intersects(right))
        p.drawTiledPixmap(right, l.bitmap(bmp::RightBorder));
    if (region.intersects(bottom)) {
        QPixmap band(bottom.size());
        band.fill(Qt::transparent);
        QPainter bp(&band);
        const QPixmap& bl = l.bitmap(bmp::BottomLeft);
        const QPixmap& br = l.bitmap(bmp::BottomRight);
        bp.drawTiledPixmap(QRect(0, 0, W, bottom.height()), l.bitmap(bmp::BottomBorder));
        bp.drawPixmap(0, 0, bl);
        bp.drawPixmap(W - br.width(), 0, br);
        bp.end();
        p.drawPixmap(bottom.topLeft(), band);
    }
}

// --- caption buttons --------------------------------------------------------------------------

int SkinWindow::buttonAt(const QPoint& pos) const {
    for (size_t i = 0; i < m_buttons.size(); ++i)
        if (m_buttons[i].rect.contains(pos))
            return int(i);
    return -1;
}

void SkinWindow::setButtonImage(int index, int image) {
    CaptionButton& b = m_buttons[size_t(index)];
    if (b.image == image)
        return;
    b.image = image;
    m_window->update(b.rect);
}

void SkinWindow::startTooltip(int index) {
    SkinLib& l = lib();
    l.hideTooltip();
    l.tooltip = new SkinTooltip(m_buttons[size_t(index)].tip, QCursor::pos());
}

void SkinWindow::buttonAction(int index) {
    QWidget* w = m_window;
    switch (m_buttons[size_t(index)].bitmap) {
    case bmp::Close:
        QMetaObject::invokeMethod(w, "close", Qt::QueuedConnection);
        break;
    case bmp::Maximize:
        maximizeAction();
        break;
    case bmp::Minimize:
        minimizeAction();
        break;
    }
}

void SkinWindow::maximizeAction() {
    QPointer<QWidget> w = m_window;
    const SkinLib& l = lib();
    if (m_maximizedByUs) {
        m_maximizedByUs = false;
        w->setGeometry(m_normalGeometry);
    } else if (w->isMaximized()) {
        w->showNormal();
    } else if (l.workspace && l.workspace != w) {
        // inside the workspace: the window fills the workspace's client area
        const QRect client = l.clientRectOf(l.workspace);
        m_normalGeometry = w->geometry();
        m_maximizedByUs = true;
        w->setGeometry(QRect(l.workspace->mapToGlobal(client.topLeft()), client.size()));
    } else {
        w->showMaximized();
    }
    if (w)
        w->update();
}

void SkinWindow::minimizeAction() {
    QWidget* w = m_window;
    const SkinLib& l = lib();
    if (l.workspace && l.workspace != w) {
        SendZOrderMessage(w, l.workspace, 2, QivMsgShowWindow, 0, 0);
        for (QObject* o : w->children()) {
            auto* popup = qobject_cast<QWidget*>(o);
            if (popup && popup->isWindow() && popup->isVisible())
                popup->hide();
        }
        w->hide();
    } else {
        w->showMinimized();
    }
}

// The caption buttons take the mouse first; the rest of the frame moves or resizes the window.
bool SkinWindow::mouseOnFrame(QEvent* event) {
    auto* me = static_cast<QMouseEvent*>(event);
    const QPoint pos = me->position().toPoint();
    const int over = buttonAt(pos);
    switch (event->type()) {
    case QEvent::MouseMove:
        if (m_drag.active) {
            dragTo(me->globalPosition().toPoint());
            return true;
        }
        if (m_hot >= 0) {
            if (over == m_hot) {
                setButtonImage(m_hot, m_pressed ? 2 : 1);
            } else {
                setButtonImage(m_hot, 0);
                lib().hideTooltip();
                if (!m_pressed)
                    m_hot = -1;
            }
            return true;
        }
        if (over >= 0 && !(me->buttons() & Qt::LeftButton)) {
            m_hot = over;
            setButtonImage(over, 1);
            startTooltip(over);
            return true;
        }
        return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (me->button() != Qt::LeftButton)
            return over >= 0;
        if (m_hot < 0 && over >= 0)
            m_hot = over; // a press without a move before it
        if (m_hot >= 0 && over == m_hot) {
            m_pressed = true;
            setButtonImage(m_hot, 2);
            lib().hideTooltip();
            return true;
        }
        if (clientRect().contains(pos))
            return false;
        {
            const Qt::Edges edges = edgesAt(pos);
            QWindow* handle = m_window->windowHandle();
            const bool system =
                handle && (edges ? handle->startSystemResize(edges) : handle->startSystemMove());
            if (!system)
                m_drag = {true, edges, me->globalPosition().toPoint(), m_window->geometry()};
        }
        return true;
    case QEvent::MouseButtonRelease:
        if (me->button() == Qt::RightButton)
            return m_hot >= 0 || over >= 0;
        if (me->button() != Qt::LeftButton)
            return false;
        if (m_drag.active) {
            m_drag.active = false;
            redrawFrame();
            return true;
        }
        if (m_hot >= 0 && m_pressed) {
            const int index = m_hot;
            m_pressed = false;
            if (over == index) {
                setButtonImage(index, 1);
                if (m_buttons[size_t(index)].enabled)
                    buttonAction(index);
            } else {
                setButtonImage(index, 0);
                m_hot = -1;
            }
            return true;
        }
        return false;
    default:
        return false;
    }
}

Qt::Edges SkinWindow::edgesAt(const QPoint& pos) const {
    const QWidget* w = m_window;
    if (w->minimumSize() == w->maximumSize())
        return {};
    const QMargins m = margins();
    Qt::Edges edges;
    if (pos.x() < m.left())
        edges |= Qt::LeftEdge;
    if (pos.x() >= w->width() - m.right())
        edges |= Qt::RightEdge;
    if (pos.y() < m.left())
        edges |= Qt::TopEdge;
    if (pos.y() >= w->height() - m.bottom())
        edges |= Qt::BottomEdge;
    return edges;
}

void SkinWindow::dragTo(const QPoint& global) {
    QWidget* w = m_window;
    const QPoint d = global - m_drag.start;
    QRect g = m_drag.geometry;
    if (!m_drag.edges) {
        w->move(g.topLeft() + d);
        return;
    }
    const QSize min = w->minimumSize(), max = w->maximumSize();
    if (m_drag.edges & Qt::LeftEdge)
        g.setLeft(
            qBound(g.right() + 1 - max.width(), g.left() + d.x(), g.right() + 1 - min.width()));
    if (m_drag.edges & Qt::RightEdge)
        g.setWidth(qBound(min.width(), g.width() + d.x(), max.width()));
    if (m_drag.edges & Qt::TopEdge)
        g.setTop(
            qBound(g.bottom() + 1 - max.height(), g.top() + d.y(), g.bottom() + 1 - min.height()));
    if (m_drag.edges & Qt::BottomEdge)
        g.setHeight(qBound(min.height(), g.height() + d.y(), max.height()));
    w->setGeometry(g);
}

// --- the window's events ----------------------------------------------------------------------

bool SkinWindow::windowEvent(QEvent* event) {
    QWidget* w = m_window;
    switch (event->type()) {
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate: {
        m_active = event->type() == QEvent::WindowActivate && w->isEnabled();
        redrawFrame();
        if (m_active) {
            // a message for the host, which the library leaves to the window itself
            QivSkinMessageEvent buttons(RegisterQivSkinMessage("WM_SETFBUTTONS"), 0, 0);
            QCoreApplication::sendEvent(w, &buttons);
        }
        return false;
    }
    case QEvent::Close:
    case QEvent::Hide:
        lib().hideTooltip();
        return false;
    case QEvent::Resize:
    case QEvent::Show:
        placeButtons();
        w->update();
        return false;
    case QEvent::EnabledChange:
        m_active = w->isEnabled() && w->isActiveWindow();
        redrawFrame();
        return false;
    case QEvent::WindowTitleChange:
        redrawFrame();
        return false;
    case QEvent::Paint: {
        if (!m_hasFrame)
            return false;
        // the window paints its client area first, the frame goes over its margins
        const QRegion region = static_cast<QPaintEvent*>(event)->region();
        static_cast<QObject*>(w)->event(event);
        QPainter p(w);
        paintFrame(p, region);
        return true;
    }
    case QEvent::Leave:
        if (m_hot >= 0 && !m_pressed) {
            setButtonImage(m_hot, 0);
            m_hot = -1;
            lib().hideTooltip();
        }
        return false;
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
        return mouseOnFrame(event);
    case QEvent::ChildRemoved: {
        // a child taken out of the window no longer belongs to the skin
        QObject* gone = static_cast<QChildEvent*>(event)->child();
        for (auto it = m_children.begin(); it != m_children.end(); ++it)
            if (it->key == gone) {
                releaseChild(*it);
                m_children.erase(it);
                break;
            }
        return false;
    }
    default:
        return false;
    }
}

bool SkinWindow::eventFilter(QObject* watched, QEvent* event) {
    if (m_dead)
        return false;
    if (watched == m_window)
        return windowEvent(event);
    if (Child* c = childOf(watched))
        return childEvent(*c, event);
    return false;
}

} // namespace qivskin
