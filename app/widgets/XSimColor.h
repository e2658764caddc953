#pragma once

#include <QColor>

// A colour as the pages pass it: a QColor, or a Windows-style RGB value 0x00BBGGRR (0 is black).
class CXSimColor {
public:
    CXSimColor(const QColor& color) : m_color(color) {}
    CXSimColor(Qt::GlobalColor color) : m_color(color) {}
    CXSimColor(int rgb) : m_color(rgb & 0xff, (rgb >> 8) & 0xff, (rgb >> 16) & 0xff) {}
    const QColor& color() const { return m_color; }

private:
    QColor m_color;
};
