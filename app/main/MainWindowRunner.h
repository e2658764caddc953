#pragma once
// Creates the main window with its nine pages and the command handlers of every part, and
// runs it modally.

#include <memory>

class CVORTAPLDlg;

std::unique_ptr<CVORTAPLDlg> CreateMainWindow();
void RunMainWindow();

// Runs the window modally; a termination signal received meanwhile closes it (OnSignal).
void ExecMainWindow(CVORTAPLDlg& dlg);
// What a termination signal does to the open main window. SIGINT comes from a terminal where
// a person sits: it closes as the close box does, asking before an open month is abandoned.
// SIGTERM and SIGHUP come when nobody can answer (logout, kill, a lost terminal): the window
// and any dialog over it close at once and an open month is abandoned unsaved.
void OnSignal(CVORTAPLDlg& dlg, int iSignal);
