// The exported operations of the library.
#include "qivskin/QivSkin.h"
#include "qivskin/SkinLib.h"
#include "qivskin/SkinWindow.h"

#include <QApplication>
#include <QByteArray>
#include <QHash>
#include <QPainter>

using namespace qivskin;

namespace {

bool usable(const QWidget* window) {
    return window && window->isWindow();
}

void toRect(const QRect& r, QivRect* out) {
    out->left = r.left();
    out->top = r.top();
    out->right = r.left() + r.width();
    out->bottom = r.top() + r.height();
}

int skinWithStyle(QWidget* window, const WindowStyle& style) {
    SkinLib& l = lib();
    if (l.refs <= 0 || !usable(window) || l.find(window))
        return 0;
    if (!l.workspace) {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->windowTitle() == QLatin1String("QivWorkSpace")) {
                l.workspace = top;
                break;
            }
    }
    auto* record = new SkinWindow(window);
    record->attach(style);
    l.windows.append(record);
    return 1;
}

} // namespace

int SetSkin(QWidget* window) {
    return usable(window) ? skinWithStyle(window, StyleOf(window)) : 0;
}

int ReleaseSkin(QWidget* window) {
    SkinLib& l = lib();
    SkinWindow* record = window ? l.find(window) : nullptr;
    if (!record)
        return 0;
    l.windows.removeOne(record);
    record->release();
    delete record;
    return 1;
}

extern "C" {

int InitQivSkinLib(void) {
    return InitSkinLib();
}
int ExitQivSkinLib(void) {
    return ExitSkinLib();
}

int SetQivSkinTo(QWidget* window, int mode) {
    SkinLib& l = lib();
    if (l.refs <= 0 || !usable(window) || l.find(window))
        return 0;
    const int change = mode & ~QivModeKeepOuterSize;
    const bool keepOuter = (mode & QivModeKeepOuterSize) || mode == QivModeNoCaption;
    WindowStyle style = StyleOf(window);
    switch (change) {
    case 0:
        style = {true, true, true, true};
        break;
    case 1:
        style.caption = false;
        break;
    case 2:
        style.minBox = style.maxBox = false;
        style.sysMenu = true;
        break;
    case 9:
    case 10:
        style.sysMenu = false;
        break;
    case 11:
        style.minBox = false;
        style.sysMenu = true;
        break;
    case 12:
        style.maxBox = false;
        style.sysMenu = true;
        break;
    default:
        break;
    }
    const QSize client = window->size();
    if (!skinWithStyle(window, style))
        return 0;
    if (!keepOuter) {
        const QMargins m = l.find(window)->margins();
        window->resize(client.grownBy(m));
    }
    return 1;
}

int SetMasterQivSkinTo(QWidget* window) {
    if (lib().refs <= 0 || !usable(window))
        return 0;
    SetQivWorkSpaceHWND(window);
    return SetSkin(window);
}

QWidget* SetQivWorkSpaceHWND(QWidget* window) {
    lib().workspace = window;
    return window;
}

int ReleaseQivSkinFrom(QWidget* window) {
    return ReleaseSkin(window);
}

int GetSkinMargins(QivRect* margins) {
    if (!margins)
        return 0;
    const SkinLib& l = lib();
    const QMargins m = l.refs > 0 ? l.margins() : QMargins();
    *margins = {m.left(), m.top(), m.right(), m.bottom()};
    return l.refs > 0 ? 1 : 0;
}

int GetSkinClientRect(QWidget* window, QivRect* rect) {
    if (!window || !rect)
        return 0;
    toRect(QRect(QPoint(0, 0), lib().clientRectOf(window).size()), rect);
    return 1;
}

int GetWindowSkinClientRect(QWidget* window, QivRect* rect) {
    return GetSkinClientRect(window, rect);
}

QivColor GetSkinMasterColor(void) {
    return lib().colors.clWnd;
}

int PaintQivBmpToHDC(QPainter* dc, int mode, int left, int top, int right, int bottom,
                     const QImage* bitmap, const QList<QRgb>* palette) {
    if (!dc || !bitmap || bitmap->isNull())
        return 0;
    QImage image = *bitmap;
    if (palette && image.colorCount() > 0)
        image.setColorTable(*palette);
    const int w = image.width(), h = image.height();
    switch (mode) {
    case 0:
        dc->drawImage(0, 0, image);
        return 1;
    case 1: {
        const int columns = (right - left) / w + 1, rows = (bottom - top) / h + 1;
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < columns; ++c)
                dc->drawImage(c * w, r * h, image);
        return 1;
    }
    case 2:
        dc->drawImage((right - left) / 2 - w / 2, (bottom - top) / 2 - h / 2, image);
        return 1;
    case 3:
        dc->drawImage(left, top, image);
        return 1;
    default:
        return 0;
    }
}

int SendZOrderMessage(QWidget* window, QWidget* stop, int type, unsigned message, intptr_t wparam,
                      intptr_t lparam) {
    if (!window)
        return 0;
    const SkinLib& l = lib();
    auto deliver = [&](QWidget* target) {
        if (message == QivMsgShowWindow)
            target->setVisible(wparam != 0);
        else
            QCoreApplication::postEvent(target, new QivSkinMessageEvent(message, wparam, lparam));
    };
    if (type == 1) {
        // children are kept bottom first, so the topmost owned window comes last
        const QObjectList owned = window->children();
        for (auto it = owned.crbegin(); it != owned.crend(); ++it) {
            auto* target = qobject_cast<QWidget*>(*it);
            if (!target || !target->isWindow() || !l.find(target))
                continue;
            deliver(target);
            if (target == stop)
                break;
        }
        return 1;
    }
    if (type == 2) {
        for (QWidget* target = window; target && target != stop && target != l.workspace;) {
            QWidget* next = target->parentWidget();
            deliver(target);
            target = next;
        }
        return 1;
    }
    return 0;
}

int GetQivSkinMessageEventType(void) {
    static const int type = QEvent::registerEventType();
    return type;
}

unsigned RegisterQivSkinMessage(const char* name) {
    // numbers of registered messages start where the host's own end
    static QHash<QByteArray, unsigned> numbers;
    if (!name || !*name)
        return 0;
    const QByteArray key(name);
    auto it = numbers.constFind(key);
    if (it == numbers.constEnd())
        it = numbers.insert(key, 0xC000u + unsigned(numbers.size()));
    return *it;
}

int GetQivSkinWindowCount(void) {
    return int(lib().windows.size());
}

int IsQivSkinned(QWidget* window) {
    return window && lib().find(window) ? 1 : 0;
}

} // extern "C"
