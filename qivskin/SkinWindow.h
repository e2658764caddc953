#pragma once
// One skinned top-level window: its former look, its caption buttons and the direct child
// controls the library paints or colours. The record is the event filter of the window and of
// those children, and lives in the library's list, not in the window, so that the window's
// destruction can release it.

#include "qivskin/SkinColors.h"

#include <QMargins>
#include <QObject>
#include <QPalette>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include <list>
#include <vector>

class QPainter;
class QPushButton;
class QLineEdit;

namespace qivskin {

// The window properties kept while a window is skinned.
inline constexpr char kPropSkin[] = "!SkinSD";
inline constexpr char kPropOldProc[] = "!oldp";
inline constexpr char kPropButtonState[] = "!bsstatus";

// Push-button state bits.
namespace bs {
constexpr int Normal = 1, Pressed = 2, Mouse = 4, Held = 8;
}

// The caption and box bits of a window, read from (and written to) its window flags.
struct WindowStyle {
    bool caption = false;
    bool sysMenu = false;
    bool minBox = false;
    bool maxBox = false;
};
WindowStyle StyleOf(const QWidget* window);

class SkinWindow : public QObject {
public:
    explicit SkinWindow(QWidget* window);
    ~SkinWindow() override;

    const QObject* key() const { return m_key; }
    QWidget* widget() const { return m_window.data(); }
    QMargins margins() const;
    QRect clientRect() const;

    // Takes the window over with the given caption and boxes; its look before is kept for
    // release.
    void attach(const WindowStyle& style);
    // Gives the window and its children their former look and behaviour, moves the window
    // away and hides it. Only what is still alive is touched.
    void release();

    // The caption-button actions, also used by the tests through the mouse.
    void maximizeAction();
    void minimizeAction();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Kind {
        Plain,
        PushButton,
        Edit,
        NumberEdit,
        EditColours,
        FocusRedraw,
        Label,
        ListBox,
        ListView
    };
    struct Child {
        QObject* key = nullptr;
        QPointer<QWidget> widget;
        Kind kind = Kind::Plain;
        QPalette palette;
        bool ownPalette = false;
        bool autoFill = false;
        bool mouseTracking = false;
        bool filtered = false;
        QPoint shift;
        bool resized = false;
        QSize size;
        QMargins textMargins;
    };
    struct CaptionButton {
        int bitmap = 0;
        int offset = 0;
        bool enabled = true;
        QString tip;
        QRect rect;
        int image = 0;
    };
    struct Drag {
        bool active = false;
        Qt::Edges edges;
        QPoint start;
        QRect geometry;
    };

    // window
    bool windowEvent(QEvent* event);
    void paintFrame(QPainter& p, const QRegion& region);
    void placeButtons();
    void redrawFrame();
    int buttonAt(const QPoint& pos) const;
    bool mouseOnFrame(QEvent* event);
    void setButtonImage(int index, int image);
    void startTooltip(int index);
    void buttonAction(int index);
    Qt::Edges edgesAt(const QPoint& pos) const;
    void dragTo(const QPoint& global);

    // children (SkinControls.cpp)
    Kind kindOf(QWidget* child) const;
    void attachChild(QWidget* child);
    void releaseChild(Child& c);
    Child* childOf(QObject* object);
    bool childEvent(Child& c, QEvent* event);
    bool pushButtonEvent(QPushButton* button, QEvent* event);
    void paintPushButton(QPushButton* button);
    void paintEditBorder(QLineEdit* edit, bool numbers);
    void applyColours(Child& c);

    QObject* m_key;
    QPointer<QWidget> m_window;
    bool m_dead = false;
    bool m_hasFrame = false;
    bool m_active = false;
    // former look
    Qt::WindowFlags m_flags;
    QPalette m_palette;
    bool m_ownPalette = false;
    QMargins m_contentsMargins;
    QSize m_minimumSize;
    bool m_mouseTracking = false;
    QPointer<QWidget> m_menu;
    bool m_menuVisible = false;
    // caption and frame
    std::vector<CaptionButton> m_buttons;
    int m_hot = -1;
    bool m_pressed = false;
    Drag m_drag;
    bool m_maximizedByUs = false;
    QRect m_normalGeometry;
    std::list<Child> m_children; // stable while a child's event is handled
};

} // namespace qivskin
