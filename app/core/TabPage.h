#pragma once
// The contract between the main window and its nine tab pages. The main window sends the
// notifications below to every page in tab order; a page sends 1488..1490 to the main window,
// which relays them, synchronously, to every page.

#include <QWidget>

#include <functional>
#include <string>

class QLabel;

namespace core {
class Transaction;
}

namespace notify {
constexpr int Clear = 1485;     // none: clear the page
constexpr int NewMonth = 1486;  // AN*100+LN: build the rows of a new month from the cache
constexpr int Enable = 1487;    // 0 or 1: disable or enable the page
constexpr int Hours = 1488;     // none: the timesheet's hours changed
constexpr int Incomes = 1489;   // none: the payroll's amounts changed
constexpr int Totals = 1490;    // none: totals changed, the summary recomputes
constexpr int LoadMonth = 1491; // AN*100+LN: show the saved month (LoadFromDB)
constexpr int Finalized = 1492; // flag: non-zero makes the page read-only
} // namespace notify

class CTabPage : public QWidget {
    Q_OBJECT
public:
    explicit CTabPage(QWidget* parent = nullptr);

    virtual bool LoadFromDB() { return true; }
    virtual bool SaveData(core::Transaction& tr);
    // One entry point for every notification; the default enables or disables the page on
    // 1487 and ignores the rest.
    virtual void OnNotify(int iCode, long long iParam);

    // Where SendToParent delivers (the main window's relay).
    void SetHost(std::function<void(int, long long)> host) { m_host = std::move(host); }

    // One line over the bottom of the page telling what to do next; empty hides it.
    void SetHint(const std::string& strHint);
    std::string Hint() const;

protected:
    void SendToParent(int iCode, long long iParam = 0);
    void resizeEvent(QResizeEvent* e) override;

private:
    void PlaceHint();

    std::function<void(int, long long)> m_host;
    QLabel* m_pHint = nullptr;
};
