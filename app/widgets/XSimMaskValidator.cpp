#include "widgets/XSimMaskValidator.h"

namespace {

bool isDigitPlace(QChar ch) {
    return ch == u'#' || ch == u'0' || ch == u'9';
}

bool isAsciiDigit(QChar ch) {
    return ch >= u'0' && ch <= u'9';
}

} // namespace

CXSimMaskValidator::CXSimMaskValidator(const QString& mask, QObject* parent) : QValidator(parent) {
    bool afterPoint = false;
    for (QChar ch : mask) {
        if (ch == u'.')
            afterPoint = true;
        else if (isDigitPlace(ch))
            ++(afterPoint ? m_decimalPlaces : m_integerPlaces);
    }
}

bool CXSimMaskValidator::isMask(const QString& mask) {
    for (QChar ch : mask)
        if (isDigitPlace(ch))
            return true;
    return false;
}

QValidator::State CXSimMaskValidator::validate(QString& input, int& /*pos*/) const {
    if (m_decimalPlaces > 0)
        input.replace(u',', u'.');
    int integers = 0;
    int decimals = 0;
    bool afterPoint = false;
    for (QChar ch : input) {
        if (ch == u'.') {
            if (afterPoint || m_decimalPlaces == 0)
                return Invalid;
            afterPoint = true;
        } else if (!isAsciiDigit(ch)) {
            return Invalid;
        } else if (++(afterPoint ? decimals : integers) >
                   (afterPoint ? m_decimalPlaces : m_integerPlaces)) {
            return Invalid;
        }
    }
    return Acceptable;
}

QString CXSimMaskValidator::finished(const QString& text) {
    if (text.endsWith(u'.'))
        return text.chopped(1);
    return text;
}
