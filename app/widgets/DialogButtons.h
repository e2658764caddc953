#pragma once
// The right-aligned accept / cancel pair at the foot of the program's dialogs.

#include <QString>

class QDialog;
class QHBoxLayout;
class QPushButton;

struct DialogButtons {
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
    QHBoxLayout* row = nullptr;
};

// The buttons are named "ok" and "cancel" (tests find them so); cancel rejects the dialog, the
// caller connects ok. With bEnterAccepts the accept button is the default one; without it
// neither button takes Enter, which a dialog with a grid keeps for the grid.
DialogButtons MakeDialogButtons(QDialog* pDlg, const QString& strOk, const QString& strCancel,
                                bool bEnterAccepts);
