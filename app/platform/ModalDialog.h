#pragma once
// Every modal dialog of the program runs through RunModal, so GUI tests can drive the dialog
// (fill its fields, press its buttons) instead of blocking in its event loop.

#include <functional>

class QDialog;

namespace platform {

// The hook receives the dialog (already constructed, not yet shown) and returns its result
// (QDialog::Accepted or QDialog::Rejected), typically after driving its widgets.
using ModalHook = std::function<int(QDialog&)>;

int RunModal(QDialog& dlg);
void SetModalHook(ModalHook hook);

// Test helper: installs a hook for its lifetime.
class ScopedModalHook {
public:
    explicit ScopedModalHook(ModalHook hook) { SetModalHook(std::move(hook)); }
    ~ScopedModalHook() { SetModalHook({}); }
    ScopedModalHook(const ScopedModalHook&) = delete;
    ScopedModalHook& operator=(const ScopedModalHook&) = delete;
};

} // namespace platform
