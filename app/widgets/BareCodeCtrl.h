#pragma once
// The barcode holder of the pages that print: it keeps the payload of the barcode line and hands
// it back as the text to print; the print library draws the symbol itself.

#include <QString>

#include <string>

class C_BareCodeCtrl {
public:
    void SetText(const QString& strText) { m_strText = strText; }
    void SetText(const std::string& strText) { m_strText = QString::fromStdString(strText); }
    void SetText(const char* szText) { m_strText = QString::fromUtf8(szText ? szText : ""); }
    // The text that goes to the barcode line of the printout.
    const QString& GetText() const { return m_strText; }

    // The pages set this to 1 when they open; the symbol does not depend on it.
    void SetMode(short iMode) { m_iMode = iMode; }
    short GetMode() const { return m_iMode; }

private:
    QString m_strText;
    short m_iMode = 0;
};
