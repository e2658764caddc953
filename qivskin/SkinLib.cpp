// Start and end of the library: the settings, the bitmaps and the list of skinned windows.
#include "qivskin/SkinLib.h"
#include "qivskin/SkinTooltip.h"
#include "qivskin/SkinWindow.h"

#include <QApplication>

namespace qivskin {

SkinLib& lib() {
    static SkinLib state;
    return state;
}

const QPixmap& SkinLib::bitmap(int number) const {
    static const QPixmap none;
    const auto it = bitmaps.constFind(number);
    return it == bitmaps.constEnd() ? none : *it;
}

QMargins SkinLib::margins() const {
    return QMargins(bitmap(bmp::LeftBorder).width(), bitmap(bmp::TopBand).height(),
                    bitmap(bmp::RightBorder).width(), bitmap(bmp::BottomBorder).height());
}

SkinWindow* SkinLib::find(const QObject* window) const {
    for (SkinWindow* w : windows)
        if (w->key() == window)
            return w;
    return nullptr;
}

QRect SkinLib::clientRectOf(const QWidget* window) const {
    if (const SkinWindow* w = find(window))
        return w->clientRect();
    return window->rect();
}

void SkinLib::hideTooltip() {
    delete tooltip.data();
}

QImage TintImage(const QImage& image, QivColor toward, int gamma) {
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    if (gamma == 0)
        return out;
    const int tr = toward & 0xFF, tg = (toward >> 8) & 0xFF, tb = (toward >> 16) & 0xFF;
    auto mix = [gamma](int c, int t) { return c + (t - c) * gamma / 255; };
    for (int y = 0; y < out.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QRgb p = line[x];
            line[x] = qRgba(mix(qRed(p), tr), mix(qGreen(p), tg), mix(qBlue(p), tb), qAlpha(p));
        }
    }
    return out;
}

QImage MagentaToAlpha(const QImage& image) {
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((line[x] & 0xFFFFFF) == 0xFF00FF)
                line[x] = 0;
    }
    return out;
}

} // namespace qivskin

using namespace qivskin;

int InitSkinLib() {
    SkinLib& l = lib();
    if (l.refs > 0) {
        ++l.refs;
        return 1;
    }
    // Pixmaps and windows need the host's application object.
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return 0;
    l.colors = LoadSkinColors(QStringLiteral("skincolors.ini"));
    const int frame[] = {bmp::RightBorder,      bmp::BottomRight,    bmp::CaptionRightA,
                         bmp::BottomBorder,     bmp::LeftBorder,     bmp::BottomLeft,
                         bmp::WorkspaceCaption, bmp::CaptionLeft,    bmp::CaptionRightB,
                         bmp::TopBand,          bmp::TitleBackground};
    for (int n : frame) {
        const QImage image(QStringLiteral(":/qivskin/%1.png").arg(n));
        l.bitmaps.insert(
            n, QPixmap::fromImage(TintImage(image, l.colors.clWndBorder, l.colors.gammaEffect)));
    }
    for (int n : {bmp::Close, bmp::Maximize, bmp::Minimize}) {
        const QImage image(QStringLiteral(":/qivskin/%1.png").arg(n));
        l.bitmaps.insert(n, QPixmap::fromImage(MagentaToAlpha(image)));
    }
    l.refs = 1;
    return 1;
}

int ExitSkinLib() {
    SkinLib& l = lib();
    if (l.refs <= 0)
        return 0;
    if (--l.refs > 0)
        return 1;
    l.hideTooltip();
    while (!l.windows.isEmpty()) {
        SkinWindow* w = l.windows.takeLast();
        QWidget* widget = w->widget();
        w->release();
        delete w;
        if (widget)
            widget->update();
    }
    l.workspace = nullptr;
    l.bitmaps.clear();
    return 1;
}
