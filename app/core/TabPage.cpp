#include "core/TabPage.h"

CTabPage::CTabPage(QWidget* parent) : QWidget(parent) {}

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
