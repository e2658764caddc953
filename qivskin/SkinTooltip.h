#pragma once
// The tooltip of the caption buttons: shown 300 ms after the mouse comes to rest on a button,
// below the cursor, for 5 seconds or until the mouse moves over it.

#include <QLabel>
#include <QTimer>

namespace qivskin {

class SkinTooltip : public QLabel {
public:
    static constexpr int ShowDelayMs = 300;
    static constexpr int ShowTimeMs = 5000;

    SkinTooltip(const QString& text, const QPoint& globalPos);

protected:
    void enterEvent(QEnterEvent* event) override;

private:
    void appear();

    QPoint m_pos;
    QTimer m_showTimer;
    QTimer m_hideTimer;
};

} // namespace qivskin
