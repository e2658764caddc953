#pragma once
// QivSkin: one common custom look for the top-level windows of a host program. The library
// paints a window's frame and caption from tinted bitmaps of its own, draws close, maximize and
// minimize buttons with tooltips, and gives the window's direct child controls (push buttons,
// edit boxes, labels, list boxes and list views) the colours of "skincolors.ini".
//
// A host calls InitQivSkinLib once, skins each top-level window it creates (SetQivSkinTo) and
// releases it (ReleaseQivSkinFrom) before destroying it; a window destroyed while still skinned
// is released at its destruction. Every operation returns 1 when done and 0 otherwise.
//
// A skinned window is frameless: the library paints the frame inside the widget, keeps the
// client area inside the skin margins (contents margins for a layout, children moved otherwise),
// moves the window by its caption and resizes it by its frame.

#include <QEvent>
#include <QList>
#include <QRgb>

#include <cstdint>

#if defined(QIVSKIN_BUILD)
#define QIVSKIN_EXPORT Q_DECL_EXPORT
#else
#define QIVSKIN_EXPORT Q_DECL_IMPORT
#endif

class QImage;
class QPainter;
class QWidget;

// A rectangle as the host's window code knows it: right and bottom are exclusive.
struct QivRect {
    int left;
    int top;
    int right;
    int bottom;
};

// Colours are R + 256 * G + 65536 * B.
using QivColor = uint32_t;

// SetQivSkinTo modes; bit 16 (or mode 1 itself) keeps the outer size of the window.
enum QivSkinMode : int {
    QivModeFull = 0,        // caption, system menu, minimize and maximize boxes
    QivModeNoCaption = 1,   // no caption (and so no skin frame)
    QivModeCloseOnly = 2,   // system menu without minimize and maximize boxes
    QivModeNoSysMenu = 9,   // no system menu (10 does the same)
    QivModeNoMinimize = 11, // system menu without the minimize box
    QivModeNoMaximize = 12, // system menu without the maximize box
    QivModeAsIs = 32,       // style unchanged (48 does the same)
    QivModeKeepOuterSize = 16,
};

// Messages carried by SendZOrderMessage; 24 shows (wparam != 0) or hides the window directly.
constexpr unsigned QivMsgShowWindow = 24;

extern "C" {
QIVSKIN_EXPORT int InitQivSkinLib(void);
QIVSKIN_EXPORT int ExitQivSkinLib(void);
QIVSKIN_EXPORT int SetQivSkinTo(QWidget* window, int mode);
QIVSKIN_EXPORT int SetMasterQivSkinTo(QWidget* window);
QIVSKIN_EXPORT QWidget* SetQivWorkSpaceHWND(QWidget* window);
QIVSKIN_EXPORT int ReleaseQivSkinFrom(QWidget* window);
QIVSKIN_EXPORT int GetSkinMargins(QivRect* margins);
QIVSKIN_EXPORT int GetSkinClientRect(QWidget* window, QivRect* rect);
QIVSKIN_EXPORT int GetWindowSkinClientRect(QWidget* window, QivRect* rect);
QIVSKIN_EXPORT QivColor GetSkinMasterColor(void);
// Draws bitmap: mode 0 at (0,0); 1 tiled from (0,0) over the rectangle's size; 2 centred in it;
// 3 at (left, top). An indexed bitmap is drawn with palette as its colour table when given.
QIVSKIN_EXPORT int PaintQivBmpToHDC(QPainter* dc, int mode, int left, int top, int right,
                                    int bottom, const QImage* bitmap, const QList<QRgb>* palette);
// Type 1: to every skinned top-level window owned by window, topmost first, until stop has been
// served; type 2: to window and its ancestors up to (not including) stop or the workspace.
// Message 24 is carried out directly, any other is posted as a QivSkinMessageEvent.
QIVSKIN_EXPORT int SendZOrderMessage(QWidget* window, QWidget* stop, int type, unsigned message,
                                     intptr_t wparam, intptr_t lparam);

// The event type of QivSkinMessageEvent, and the number of a message registered by name
// (the library sends "WM_SETFBUTTONS" to a skinned window when it is activated).
QIVSKIN_EXPORT int GetQivSkinMessageEventType(void);
QIVSKIN_EXPORT unsigned RegisterQivSkinMessage(const char* name);
// How many windows are skinned now, and whether window is one of them.
QIVSKIN_EXPORT int GetQivSkinWindowCount(void);
QIVSKIN_EXPORT int IsQivSkinned(QWidget* window);
}

// The underlying operations.
QIVSKIN_EXPORT int InitSkinLib();
QIVSKIN_EXPORT int ExitSkinLib();
QIVSKIN_EXPORT int SetSkin(QWidget* window);
QIVSKIN_EXPORT int ReleaseSkin(QWidget* window);

// A message sent or posted to a window by the library.
class QivSkinMessageEvent : public QEvent {
public:
    QivSkinMessageEvent(unsigned message, intptr_t wparam, intptr_t lparam)
        : QEvent(static_cast<QEvent::Type>(GetQivSkinMessageEventType())), m_message(message),
          m_wparam(wparam), m_lparam(lparam) {}
    unsigned message() const { return m_message; }
    intptr_t wparam() const { return m_wparam; }
    intptr_t lparam() const { return m_lparam; }

private:
    unsigned m_message;
    intptr_t m_wparam;
    intptr_t m_lparam;
};
