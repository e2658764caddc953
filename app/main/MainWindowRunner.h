#pragma once
// Creates the main window with its nine pages and the command handlers of every part, and
// runs it modally.

#include <memory>

class CVORTAPLDlg;

std::unique_ptr<CVORTAPLDlg> CreateMainWindow();
void RunMainWindow();
