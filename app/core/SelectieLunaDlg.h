#pragma once
// Month picker "Selecteaza Luna si Anul": proposes the previous month; accepts a year from
// 2011 to the current year and a month from 1 to 12.

#include <QDialog>

class QLineEdit;

class CSelectieLunaDlg : public QDialog {
    Q_OBJECT
public:
    explicit CSelectieLunaDlg(QWidget* parent = nullptr);

    int m_iAnul = 0;
    int m_iLuna = 0;

    static constexpr int kFirstYear = 2011;
    static int LastYear();

    // Moves the values between the fields and the controls (true: controls to fields) with
    // the range checks; false after a range message, with the focus on the field at fault.
    bool UpdateData(bool bSaveAndValidate);

    QLineEdit* YearEdit() const { return m_pAn; }
    QLineEdit* MonthEdit() const { return m_pLuna; }

public slots:
    void accept() override;

protected:
    void showEvent(QShowEvent* e) override;

private:
    QLineEdit* m_pAn;
    QLineEdit* m_pLuna;
    bool m_bShownOnce = false;
};
