#include "widgets/DialogButtons.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

DialogButtons MakeDialogButtons(QDialog* pDlg, const QString& strOk, const QString& strCancel,
                                bool bEnterAccepts) {
    DialogButtons b;
    b.ok = new QPushButton(strOk, pDlg);
    b.cancel = new QPushButton(strCancel, pDlg);
    b.ok->setObjectName("ok");
    b.cancel->setObjectName("cancel");
    if (bEnterAccepts) {
        b.ok->setDefault(true);
    } else {
        b.ok->setAutoDefault(false);
        b.cancel->setAutoDefault(false);
    }
    QObject::connect(b.cancel, &QPushButton::clicked, pDlg, &QDialog::reject);
    b.row = new QHBoxLayout;
    b.row->addStretch();
    b.row->addWidget(b.ok);
    b.row->addWidget(b.cancel);
    return b;
}
