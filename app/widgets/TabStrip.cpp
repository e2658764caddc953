#include "widgets/TabStrip.h"

#include <QHBoxLayout>
#include <QTabBar>
#include <QToolButton>

CTabStrip::CTabStrip(QWidget* parent) : QWidget(parent) {
    m_pBar = new QTabBar(this);
    m_pBar->setExpanding(false);
    m_pBar->setUsesScrollButtons(true);
    m_pBar->setDrawBase(false);
    QFont f("Arial");
    f.setPixelSize(12); // a 14-unit character cell
    f.setBold(true);
    m_pBar->setFont(f);

    const char* texts[4] = {"|<", "<", ">", ">|"};
    const char* tips[4] = {"Primul Tab", "Tabul Anterior", "Tabul urmator", "Ultimul Tab"};
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addWidget(m_pBar, 1);
    for (int i = 0; i < 4; ++i) {
        m_buttons[i] = new QToolButton(this);
        m_buttons[i]->setText(texts[i]);
        m_buttons[i]->setToolTip(tips[i]);
        m_buttons[i]->setAutoRaise(true);
        m_buttons[i]->setFocusPolicy(Qt::NoFocus);
        layout->addWidget(m_buttons[i]);
    }
    connect(m_buttons[0], &QToolButton::clicked, this, &CTabStrip::First);
    connect(m_buttons[1], &QToolButton::clicked, this, &CTabStrip::Previous);
    connect(m_buttons[2], &QToolButton::clicked, this, &CTabStrip::Next);
    connect(m_buttons[3], &QToolButton::clicked, this, &CTabStrip::Last);
    connect(m_pBar, &QTabBar::currentChanged, this, &CTabStrip::CurrentChanged);
}

int CTabStrip::AddTab(const QString& title) {
    return m_pBar->addTab(title);
}
int CTabStrip::Count() const {
    return m_pBar->count();
}
int CTabStrip::Current() const {
    return m_pBar->currentIndex();
}
void CTabStrip::SetCurrent(int index) {
    m_pBar->setCurrentIndex(index);
}

void CTabStrip::First() {
    SetCurrent(0);
}
void CTabStrip::Last() {
    SetCurrent(Count() - 1);
}
void CTabStrip::Previous() {
    if (Count() > 0)
        SetCurrent(Current() <= 0 ? Count() - 1 : Current() - 1);
}
void CTabStrip::Next() {
    if (Count() > 0)
        SetCurrent(Current() >= Count() - 1 ? 0 : Current() + 1);
}
