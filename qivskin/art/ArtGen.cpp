// Draws the frame and caption-button bitmaps of the skin as PNG files into the folder given on
// the command line; the build turns them into resources of the library. Only shapes are drawn,
// so no display, font or application object is needed.
#include <QColor>
#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>
#include <functional>

namespace {

const QColor kBandTop(96, 112, 176);
const QColor kBandBottom(38, 46, 108);
const QColor kTabTop(252, 250, 226);
const QColor kTabBottom(226, 220, 172);
const QColor kEdgeLight(150, 164, 220);
const QColor kEdgeDark(20, 24, 60);
const QColor kMagenta(255, 0, 255);
constexpr int kCaption = 28;
constexpr int kBorder = 5;
constexpr int kButton = 13;

bool save(const QString& folder, int number, const QImage& image) {
    const QString path = folder + QStringLiteral("/%1.png").arg(number);
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

QImage canvas(int w, int h, const QColor& fill = Qt::transparent) {
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(fill);
    return image;
}

QLinearGradient vertical(int h, const QColor& top, const QColor& bottom) {
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    return g;
}

// The dark caption band with a light line at the top and a dark one at the bottom.
void band(QPainter& p, int x, int w) {
    p.fillRect(x, 0, w, kCaption, vertical(kCaption, kBandTop, kBandBottom));
    p.fillRect(x, 0, w, 1, kEdgeLight);
    p.fillRect(x, kCaption - 1, w, 1, kEdgeDark);
}

// The light title tab between y 3 and the bottom of the band.
void tab(QPainter& p, int x, int w) {
    p.fillRect(x, 3, w, kCaption - 4, vertical(kCaption, kTabTop, kTabBottom));
    p.fillRect(x, 3, w, 1, Qt::white);
}

QImage captionLeft(bool workspace) {
    QImage image = canvas(28, kCaption);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    band(p, 0, 28);
    tab(p, 22, 6);
    const QRectF emblem(4, 7, 14, 14);
    if (workspace) {
        // four panes: the window that holds the others
        p.setPen(QPen(kTabTop, 1.2));
        p.setBrush(QColor(200, 160, 60));
        p.drawRect(emblem);
        p.drawLine(emblem.center().x(), emblem.top(), emblem.center().x(), emblem.bottom());
        p.drawLine(emblem.left(), emblem.center().y(), emblem.right(), emblem.center().y());
    } else {
        QPainterPath diamond;
        diamond.moveTo(emblem.center().x(), emblem.top());
        diamond.lineTo(emblem.right(), emblem.center().y());
        diamond.lineTo(emblem.center().x(), emblem.bottom());
        diamond.lineTo(emblem.left(), emblem.center().y());
        diamond.closeSubpath();
        p.setPen(QPen(kTabTop, 1.2));
        p.setBrush(QColor(200, 160, 60));
        p.drawPath(diamond);
    }
    return image;
}

QImage titleBackground() {
    QImage image = canvas(8, kCaption);
    QPainter p(&image);
    band(p, 0, 8);
    tab(p, 0, 8);
    return image;
}

// The slanted end of the title tab.
QImage titleEnd() {
    QImage image = canvas(12, kCaption);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    band(p, 0, 12);
    QPainterPath slant;
    slant.moveTo(0, 3);
    slant.lineTo(2, 3);
    slant.lineTo(12, kCaption - 1);
    slant.lineTo(0, kCaption - 1);
    slant.closeSubpath();
    p.fillPath(slant, vertical(kCaption, kTabTop, kTabBottom));
    p.setPen(QPen(kEdgeDark, 1));
    p.drawLine(QPointF(2, 3), QPointF(12, kCaption - 1));
    return image;
}

QImage topBand() {
    QImage image = canvas(16, kCaption);
    QPainter p(&image);
    band(p, 0, 16);
    return image;
}

// The right end of the caption, a groove behind the three caption buttons.
QImage captionRight() {
    QImage image = canvas(60, kCaption);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    band(p, 0, 60);
    p.setPen(QPen(kEdgeDark, 1));
    p.setBrush(QColor(30, 36, 88));
    p.drawRoundedRect(QRectF(4.5, 4.5, 50, 18), 4, 4);
    p.fillRect(59, 0, 1, kCaption, kEdgeDark);
    return image;
}

QImage verticalBorder(bool left) {
    QImage image = canvas(kBorder, 16);
    QPainter p(&image);
    QLinearGradient g(0, 0, kBorder, 0);
    g.setColorAt(0, left ? kEdgeLight : kBandBottom);
    g.setColorAt(1, left ? kBandBottom : kEdgeDark);
    p.fillRect(image.rect(), g);
    return image;
}

QImage bottomBorder() {
    QImage image = canvas(16, kBorder);
    QPainter p(&image);
    p.fillRect(image.rect(), vertical(kBorder, kBandBottom, kEdgeDark));
    return image;
}

QImage bottomCorner(bool left) {
    QImage image = canvas(16, kBorder);
    QPainter p(&image);
    p.fillRect(image.rect(), vertical(kBorder, kBandBottom, kEdgeDark));
    p.setPen(kEdgeLight);
    if (left) {
        p.fillRect(0, 0, 1, kBorder, kEdgeLight);
    } else {
        // a grip of three dots where the window is taken to be resized
        for (int i = 0; i < 3; ++i)
            p.drawPoint(6 + 3 * i, 2);
        p.fillRect(15, 0, 1, kBorder, kEdgeDark);
    }
    return image;
}

// A strip of four state images (normal, under the mouse, pressed, disabled) with one-pixel
// gaps; magenta is the transparent colour.
QImage buttonStrip(const std::function<void(QPainter&, const QRectF&)>& glyph) {
    QImage image = canvas(4 * kButton + 3, kButton, kMagenta);
    const QColor faces[4] = {QColor(232, 234, 246), QColor(255, 226, 140), QColor(196, 160, 80),
                             QColor(150, 152, 168)};
    const QColor inks[4] = {kEdgeDark, QColor(120, 20, 20), QColor(60, 10, 10),
                            QColor(108, 108, 118)};
    for (int i = 0; i < 4; ++i) {
        QPainter p(&image);
        const int x = i * (kButton + 1);
        p.fillRect(x, 0, kButton, kButton, kMagenta);
        p.setPen(QPen(kEdgeDark, 1));
        p.setBrush(faces[i]);
        p.drawRect(x, 0, kButton - 1, kButton - 1);
        p.setPen(i == 2 ? QColor(120, 96, 40) : Qt::white);
        p.drawLine(x + 1, 1, x + kButton - 2, 1);
        p.drawLine(x + 1, 1, x + 1, kButton - 2);
        const int shift = i == 2 ? 1 : 0;
        p.setPen(QPen(inks[i], 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p.setBrush(Qt::NoBrush);
        glyph(p, QRectF(x + 4 + shift, 4 + shift, kButton - 8, kButton - 8));
    }
    return image;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: qivskin-artgen FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    const QImage close = buttonStrip([](QPainter& p, const QRectF& r) {
        p.drawLine(r.topLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomLeft());
    });
    const QImage maximize = buttonStrip([](QPainter& p, const QRectF& r) {
        p.setPen(QPen(p.pen().color(), 1));
        p.drawRect(r.adjusted(-0.5, -0.5, 0.5, 0.5));
        p.drawLine(r.topLeft() + QPointF(0, 0.5), r.topRight() + QPointF(0, 0.5));
    });
    const QImage minimize = buttonStrip(
        [](QPainter& p, const QRectF& r) { p.drawLine(r.bottomLeft(), r.bottomRight()); });
    const bool ok = save(folder, 101, close) && save(folder, 104, maximize) &&
                    save(folder, 105, minimize) && save(folder, 106, verticalBorder(false)) &&
                    save(folder, 107, bottomCorner(false)) && save(folder, 108, titleEnd()) &&
                    save(folder, 109, bottomBorder()) && save(folder, 110, verticalBorder(true)) &&
                    save(folder, 111, bottomCorner(true)) && save(folder, 112, captionLeft(true)) &&
                    save(folder, 113, captionLeft(false)) && save(folder, 114, captionRight()) &&
                    save(folder, 115, topBand()) && save(folder, 116, titleBackground());
    return ok ? 0 : 1;
}
