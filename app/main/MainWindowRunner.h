#pragma once
// Creates the main window with its pages, and runs it modally.

#include <memory>

class QDialog;

std::unique_ptr<QDialog> CreateMainWindow();
void RunMainWindow();
