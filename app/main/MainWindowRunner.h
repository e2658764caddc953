#pragma once
// Creates the main window with its pages and runs it modally.
void RunMainWindow();
