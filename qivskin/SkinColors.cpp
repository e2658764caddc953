// Reading the colour scheme. The file is a plain INI file; it is parsed here line by line
// rather than through QSettings, whose INI reader splits "200,100,50" into a list and treats
// backslashes and quotes its own way.
#include "qivskin/SkinColors.h"

#include <QFile>
#include <QHash>
#include <QTextStream>

namespace qivskin {
namespace {

struct Entry {
    const char* section;
    const char* key;
    QivColor SkinColors::*member;
    int r, g, b;
};

const Entry kEntries[] = {
    {"WINDOW", "clWnd", &SkinColors::clWnd, 255, 255, 203},
    {"WINDOW", "clWndBorder", &SkinColors::clWndBorder, 60, 40, 160},
    {"WINDOW", "clWndBorderDisabled", &SkinColors::clWndBorderDisabled, 0, 0, 0},
    {"WINDOW", "clWndText", &SkinColors::clWndText, 10, 10, 40},
    {"WINDOW", "clWndTextDisabled", &SkinColors::clWndTextDisabled, 120, 120, 120},
    {"STATIC", "clStatic", &SkinColors::clStatic, 255, 255, 203},
    {"STATIC", "clStaticText", &SkinColors::clStaticText, 10, 20, 70},
    {"STATIC", "clStaticTextDisabled", &SkinColors::clStaticTextDisabled, 120, 120, 120},
    {"STATIC", "clStaticTextFocus", &SkinColors::clStaticTextFocus, 10, 20, 160},
    {"EDIT", "clEdit", &SkinColors::clEdit, 255, 255, 203},
    {"EDIT", "clEditBorderDisabled", &SkinColors::clEditBorderDisabled, 180, 180, 180},
    {"EDIT", "clEditBorder", &SkinColors::clEditBorder, 20, 20, 30},
    {"EDIT", "clEditBorderReadOnly", &SkinColors::clEditBorderReadOnly, 140, 140, 140},
    {"EDIT", "clEditBorderFocus", &SkinColors::clEditBorderFocus, 50, 50, 200},
    {"EDIT", "clEditTextDisabled", &SkinColors::clEditTextDisabled, 180, 180, 180},
    {"EDIT", "clEditText", &SkinColors::clEditText, 20, 20, 30},
    {"EDIT", "clEditTextReadOnly", &SkinColors::clEditTextReadOnly, 140, 140, 140},
    {"EDIT", "clEditTextFocus", &SkinColors::clEditTextFocus, 50, 50, 200},
    {"BUTTON", "clBtn", &SkinColors::clBtn, 255, 255, 203},
    {"BUTTON", "clBtnText", &SkinColors::clBtnText, 10, 10, 40},
    {"BUTTON", "clBtnDisabled", &SkinColors::clBtnDisabled, 255, 255, 203},
    {"BUTTON", "clBtnTextDisabled", &SkinColors::clBtnTextDisabled, 120, 120, 120},
    {"BUTTON", "clBtnTextFocusMouse", &SkinColors::clBtnTextFocusMouse, 188, 98, 98},
    {"BUTTON", "clBtnTextPressed", &SkinColors::clBtnTextPressed, 188, 98, 98},
    {"BUTTON", "clBtnTextFocusKeyb", &SkinColors::clBtnTextFocusKeyb, 168, 78, 78},
    {"BUTTON", "clBtnTextFocusMouseKeyb", &SkinColors::clBtnTextFocusMouseKeyb, 188, 98, 98},
    {"BUTTON", "clBtnFocusMouse", &SkinColors::clBtnFocusMouse, 250, 250, 170},
    {"BUTTON", "clBtnPressed", &SkinColors::clBtnPressed, 250, 250, 150},
    {"BUTTON", "clBtnFocusKeyb", &SkinColors::clBtnFocusKeyb, 250, 250, 150},
    {"BUTTON", "clBtnFocusMouseKeyb", &SkinColors::clBtnFocusMouseKeyb, 250, 250, 150},
    {"BUTTON", "clBtnBorderLight", &SkinColors::clBtnBorderLight, 218, 218, 168},
    {"BUTTON", "clBtnBorderShadow", &SkinColors::clBtnBorderShadow, 0, 0, 0},
    {"CONTROLS", "clListBox", &SkinColors::clListBox, 255, 255, 203},
    {"CONTROLS", "clListView", &SkinColors::clListView, 255, 255, 203},
};

bool parseByte(const QString& text, int* value) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok, 10);
    if (!ok || v < 0 || v > 255)
        return false;
    *value = v;
    return true;
}

// section/key (case-insensitive, as INI files are) -> value
QHash<QString, QString> readIni(const QString& path) {
    QHash<QString, QString> values;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return values;
    QTextStream in(&file);
    QString section;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            section = line.mid(1, line.size() - 2).trimmed().toUpper();
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (eq <= 0)
            continue;
        values.insert(section + u'/' + line.left(eq).trimmed().toLower(),
                      line.mid(eq + 1).trimmed());
    }
    return values;
}

} // namespace

bool ParseSkinColor(const QString& text, QivColor* color) {
    const QStringList parts = text.split(u',');
    int rgb[3];
    if (parts.size() != 3)
        return false;
    for (int i = 0; i < 3; ++i)
        if (!parseByte(parts[i], &rgb[i]))
            return false;
    *color = MakeColor(rgb[0], rgb[1], rgb[2]);
    return true;
}

SkinColors DefaultSkinColors() {
    SkinColors c{};
    for (const Entry& e : kEntries)
        c.*e.member = MakeColor(e.r, e.g, e.b);
    c.gammaEffect = 0;
    return c;
}

SkinColors LoadSkinColors(const QString& path) {
    SkinColors c = DefaultSkinColors();
    const QHash<QString, QString> values = readIni(path);
    for (const Entry& e : kEntries) {
        const auto it = values.constFind(QString::fromLatin1(e.section) + u'/' +
                                         QString::fromLatin1(e.key).toLower());
        QivColor color;
        if (it != values.constEnd() && ParseSkinColor(*it, &color))
            c.*e.member = color;
    }
    const auto gamma = values.constFind(QStringLiteral("WINDOW/gammaeffect"));
    int g;
    if (gamma != values.constEnd() && parseByte(*gamma, &g))
        c.gammaEffect = g;
    return c;
}

} // namespace qivskin
