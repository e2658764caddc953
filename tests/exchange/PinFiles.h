#pragma once
// The agency's PIN files as the tests make them, and the user typing a PIN into its dialog.

#include "exchange/VerificaPINDlg.h"
#include "platform/ModalDialog.h"

#include <QLineEdit>
#include <QPushButton>

#include <string>

namespace pintest {

// One 250-character block of a deciphered PIN file: the four digits of the PIN sit at
// positions 189, 17, 171 and 87, every other character is fill.
inline std::string PinBlock(const std::string& pin, char fill) {
    std::string block(250, fill);
    block[189] = pin[0];
    block[17] = pin[1];
    block[171] = pin[2];
    block[87] = pin[3];
    return block;
}

// Answers the PIN dialog by typing the PIN and pressing Validez; any other dialog is
// cancelled. shown, when given, counts the PIN dialogs.
inline platform::ModalHook TypePin(const char* pin, int* shown = nullptr) {
    return [pin, shown](QDialog& d) {
        auto* dlg = dynamic_cast<CVerificaPINDlg*>(&d);
        if (!dlg)
            return int(QDialog::Rejected);
        if (shown)
            ++*shown;
        dlg->show();
        dlg->Edit()->setText(pin);
        dlg->ValidezButton()->click();
        return dlg->result();
    };
}

} // namespace pintest
