#pragma once
// The main window: header with the default employer and the working month, the nine tab
// pages, the menu of commands and the relay of notifications between the pages.

#include <QDialog>

#include <functional>
#include <map>
#include <string>
#include <vector>

class CLunaDecont;
class CTabPage;
class CTabStrip;
class QAction;
class QLabel;
class QMenuBar;

class CVORTAPLDlg : public QDialog {
    Q_OBJECT
public:
    // Tab indices, in tab order.
    enum Tab {
        TabSubventii,
        TabConventii,
        TabPontaj,
        TabStatPlata,
        TabArt80,
        TabArt85,
        TabL116,
        TabL72,
        TabArt93_4,
        TabCount
    };
    static const char* TabTitle(int iTab);

    // pages: the nine pages in tab order; the window takes them over as its children.
    explicit CVORTAPLDlg(const std::vector<CTabPage*>& pages, QWidget* parent = nullptr);

    // The relay: 1487 also stores the month-open flag and sets the menu state; 1485..1492
    // reach every page in tab order before this returns.
    void Notify(int iCode, long long iParam);
    void SendToPages(int iCode, long long iParam);

    void RefreshHeader();
    void UpdateMenuState();
    void ShowTab(int iTab);

    // Commands are dispatched through handlers, so the parts that own a command register it;
    // a command without a handler tells the user it is not available.
    void SetCommandHandler(int iCommand, std::function<void()> handler);
    void RunCommand(int iCommand);
    QAction* Action(int iCommand) const;

    // Runs the employer editor for a CIF ("" for a new employer); true when it saved.
    std::function<bool(const std::string& strCIF)> m_runEmployerEditor;

    CTabPage* Page(int iTab) const { return m_pages.at(static_cast<size_t>(iTab)); }
    CTabStrip* TabStrip() const { return m_pTabs; }
    QMenuBar* MenuBar() const { return m_pMenuBar; }
    QLabel* HeaderLabel(int i) const { return m_labels[i]; } // 0 CIF, 1 name, 2 month, 3 state
    // The month commands (add, view, save, finalize, reopen, abandon).
    CLunaDecont* Luna() const { return m_pLuna; }

    int m_iAN = 0;
    int m_iLN = 0;
    bool m_bLunaDeschisa = false;

public slots:
    void accept() override; // Enter does nothing
    void reject() override; // Escape, close box and exit command
    // Closes at once without asking, abandoning an open month (the session is ending).
    void CloseAbandoningMonth();

protected:
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void BuildMenu();
    void OnModificareAgent();
    void OnSetareAgentImplicit();
    void OnAjutor();
    void RefreshHints();
    // The shipped help document, or empty when it is not where the program looks for it.
    static std::string HelpDocument();
    static constexpr const char* kHelpFile = "VORTAPL.html";
    bool AskCIF(std::string& strCIF);
    void LayoutChildren();

    std::vector<CTabPage*> m_pages;
    CTabStrip* m_pTabs = nullptr;
    QLabel* m_labels[4] = {};
    QMenuBar* m_pMenuBar = nullptr;
    std::map<int, QAction*> m_actions;
    std::map<int, std::function<void()>> m_handlers;
    bool m_bClosing = false;
    CLunaDecont* m_pLuna = nullptr; // child object
};
