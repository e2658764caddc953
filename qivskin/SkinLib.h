#pragma once
// The state of the library between the first InitSkinLib and the last ExitSkinLib: the colour
// scheme, the tinted bitmaps, the skinned windows and the workspace window.

#include "qivskin/SkinColors.h"

#include <QHash>
#include <QImage>
#include <QList>
#include <QMargins>
#include <QPixmap>
#include <QPointer>
#include <QWidget>

namespace qivskin {

class SkinWindow;
class SkinTooltip;

// Resource numbers of the bitmaps.
namespace bmp {
constexpr int Close = 101, Maximize = 104, Minimize = 105;
constexpr int RightBorder = 106, BottomRight = 107, CaptionRightA = 108, BottomBorder = 109;
constexpr int LeftBorder = 110, BottomLeft = 111, WorkspaceCaption = 112, CaptionLeft = 113;
constexpr int CaptionRightB = 114, TopBand = 115, TitleBackground = 116;
} // namespace bmp

struct SkinLib {
    int refs = 0;
    SkinColors colors = DefaultSkinColors();
    QHash<int, QPixmap> bitmaps;
    QList<SkinWindow*> windows;
    QPointer<QWidget> workspace;
    QPointer<SkinTooltip> tooltip;

    const QPixmap& bitmap(int number) const;
    QMargins margins() const;
    SkinWindow* find(const QObject* window) const;
    // The client rectangle of any window in its own coordinates.
    QRect clientRectOf(const QWidget* window) const;
    void hideTooltip();
};

SkinLib& lib();

// Each channel c becomes c + (toward - c) * gamma / 255.
QImage TintImage(const QImage& image, QivColor toward, int gamma);
// Magenta (255, 0, 255) becomes transparent.
QImage MagentaToAlpha(const QImage& image);

} // namespace qivskin
