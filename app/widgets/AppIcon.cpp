#include "widgets/AppIcon.h"

#include <QPainter>
#include <QPixmap>

QIcon VortaplIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        // The blue of the main window's header on the light yellow of its dialogs.
        const qreal m = size / 16.0;
        p.setPen(QPen(QColor(28, 0, 255), m));
        p.setBrush(QColor(255, 255, 205));
        p.drawRoundedRect(QRectF(m / 2, m / 2, size - m, size - m), 3 * m, 3 * m);
        QFont f("Arial");
        f.setBold(true);
        f.setPixelSize(qRound(size * 0.72));
        p.setFont(f);
        p.setPen(QColor(28, 0, 255));
        p.drawText(QRectF(0, 0, size, size), Qt::AlignCenter, "V");
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}
