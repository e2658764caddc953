#include "qivskin/SkinTooltip.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>
#include <QToolTip>

namespace qivskin {

namespace {
// Half the height of a usual mouse cursor: the tooltip starts below its tip.
constexpr int kBelowCursor = 16;
} // namespace

SkinTooltip::SkinTooltip(const QString& text, const QPoint& globalPos)
    : QLabel(text, nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_pos(globalPos) {
    setObjectName(QStringLiteral("STOOLTIP"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFont(QFontDatabase::systemFont(QFontDatabase::TitleFont));
    setPalette(QToolTip::palette());
    setAutoFillBackground(true);
    setAlignment(Qt::AlignCenter);
    m_showTimer.setSingleShot(true);
    m_hideTimer.setSingleShot(true);
    connect(&m_showTimer, &QTimer::timeout, this, [this] { appear(); });
    connect(&m_hideTimer, &QTimer::timeout, this, [this] { close(); });
    m_showTimer.start(ShowDelayMs);
}

void SkinTooltip::appear() {
    const QSize text = fontMetrics().size(Qt::TextSingleLine, this->text());
    resize(text.width() + 8, text.height() + 6);
    QPoint at = m_pos + QPoint(0, kBelowCursor);
    if (const QScreen* screen = QGuiApplication::screenAt(m_pos)) {
        const QRect area = screen->geometry();
        at.setX(qBound(area.left(), at.x(), area.right() + 1 - width()));
    }
    move(at);
    show();
    m_hideTimer.start(ShowTimeMs);
}

void SkinTooltip::enterEvent(QEnterEvent*) {
    close();
}

} // namespace qivskin
