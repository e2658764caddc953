#pragma once
// The colour scheme of the skin, read once from "skincolors.ini" when the library starts.

#include "qivskin/QivSkin.h"

#include <QColor>
#include <QString>

namespace qivskin {

struct SkinColors {
    QivColor clWnd, clWndBorder, clWndBorderDisabled, clWndText, clWndTextDisabled;
    QivColor clStatic, clStaticText, clStaticTextDisabled, clStaticTextFocus;
    QivColor clEdit, clEditBorderDisabled, clEditBorder, clEditBorderReadOnly, clEditBorderFocus;
    QivColor clEditTextDisabled, clEditText, clEditTextReadOnly, clEditTextFocus;
    QivColor clBtn, clBtnText, clBtnDisabled, clBtnTextDisabled, clBtnTextFocusMouse;
    QivColor clBtnTextPressed, clBtnTextFocusKeyb, clBtnTextFocusMouseKeyb, clBtnFocusMouse;
    QivColor clBtnPressed, clBtnFocusKeyb, clBtnFocusMouseKeyb, clBtnBorderLight;
    QivColor clBtnBorderShadow;
    QivColor clListBox, clListView;
    int gammaEffect;
};

// Every colour at its default and no tint.
SkinColors DefaultSkinColors();
// The scheme of the file at path: a key that is missing, or whose value is not three numbers
// 0-255 separated by commas (GammaEffect: one number 0-255), keeps its default.
SkinColors LoadSkinColors(const QString& path);
// "r,g,b" as R + 256 * G + 65536 * B; false when the text is not such a triple.
bool ParseSkinColor(const QString& text, QivColor* color);

inline QivColor MakeColor(int r, int g, int b) {
    return static_cast<QivColor>(r) | static_cast<QivColor>(g) << 8 |
           static_cast<QivColor>(b) << 16;
}
inline QColor ToQColor(QivColor c) {
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

} // namespace qivskin
