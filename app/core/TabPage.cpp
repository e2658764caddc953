#include "core/TabPage.h"

#include <QLabel>
#include <QResizeEvent>

CTabPage::CTabPage(QWidget* parent) : QWidget(parent) {}

void CTabPage::SetHint(const std::string& strHint) {
    if (!m_pHint) {
        if (strHint.empty())
            return;
        m_pHint = new QLabel(this);
        m_pHint->setObjectName("PasulUrmator");
        m_pHint->setWordWrap(true);
        // The page is disabled while no month is open; the hint stays readable all the same.
        m_pHint->setStyleSheet("QLabel { color: rgb(28, 0, 255); background: rgb(255, 255, 205);"
                               " border: 1px solid rgb(28, 0, 255); padding: 4px; }");
        QFont f = m_pHint->font();
        f.setBold(true);
        m_pHint->setFont(f);
    }
    m_pHint->setText(QString::fromStdString(strHint));
    m_pHint->setAccessibleName(m_pHint->text());
    m_pHint->setVisible(!strHint.empty());
    PlaceHint();
}

std::string CTabPage::Hint() const {
    return m_pHint && !m_pHint->isHidden() ? m_pHint->text().toStdString() : std::string();
}

void CTabPage::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    PlaceHint();
}

void CTabPage::PlaceHint() {
    if (!m_pHint || m_pHint->isHidden())
        return;
    const int w = width() - 16;
    const int h = m_pHint->heightForWidth(w) > 0 ? m_pHint->heightForWidth(w) : 28;
    m_pHint->setGeometry(8, height() - h - 8, w, h);
    m_pHint->raise();
}

bool CTabPage::SaveData(core::Transaction&) {
    return true;
}

void CTabPage::OnNotify(int iCode, long long iParam) {
    if (iCode == notify::Enable)
        setEnabled(iParam != 0);
}

void CTabPage::SendToParent(int iCode, long long iParam) {
    if (m_host)
        m_host(iCode, iParam);
}
