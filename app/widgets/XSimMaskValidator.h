#pragma once
// The edit mask of a grid cell. In a mask '#' (or '0' or '9') stands for one digit; a '.' parts
// the integer places from the decimal places, so "######" takes up to six digits and "#####.##"
// up to five digits, a point and two decimals. The editor refuses every keystroke that would
// leave the text outside the mask. A ',' typed where a decimal point may go becomes '.', because
// cell texts go into SQL statements as numbers.

#include <QString>
#include <QValidator>

class CXSimMaskValidator : public QValidator {
public:
    explicit CXSimMaskValidator(const QString& mask, QObject* parent = nullptr);

    State validate(QString& input, int& pos) const override;

    int integerPlaces() const { return m_integerPlaces; }
    int decimalPlaces() const { return m_decimalPlaces; }

    // Whether the mask restricts anything at all (an empty mask does not).
    static bool isMask(const QString& mask);
    // The text a committed edit leaves in the cell: a trailing point is dropped.
    static QString finished(const QString& text);

private:
    int m_integerPlaces = 0;
    int m_decimalPlaces = 0;
};
