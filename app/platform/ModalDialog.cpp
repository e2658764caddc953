#include "ModalDialog.h"

#include <QDialog>

namespace platform {
namespace {
ModalHook& hook() {
    static ModalHook h;
    return h;
}
} // namespace

void SetModalHook(ModalHook h) {
    hook() = std::move(h);
}

int RunModal(QDialog& dlg) {
    if (hook())
        return hook()(dlg);
    return dlg.exec();
}

} // namespace platform
