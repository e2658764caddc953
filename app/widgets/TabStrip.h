#pragma once
// The main window's tab strip: the tabs plus first / previous / next / last buttons, the
// previous and next ones wrapping around.

#include <QWidget>

class QTabBar;
class QToolButton;

class CTabStrip : public QWidget {
    Q_OBJECT
public:
    explicit CTabStrip(QWidget* parent = nullptr);

    int AddTab(const QString& title);
    int Count() const;
    int Current() const;
    void SetCurrent(int index);
    QTabBar* Bar() const { return m_pBar; }
    QToolButton* Button(int i) const { return m_buttons[i]; } // 0 first .. 3 last

    void First();
    void Previous();
    void Next();
    void Last();

signals:
    void CurrentChanged(int index);

private:
    QTabBar* m_pBar;
    QToolButton* m_buttons[4];
};
