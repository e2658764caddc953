#pragma once
// One-line text prompt; the text is handed back exactly as typed (not trimmed).

#include <QDialog>
#include <string>

class QLineEdit;

class CGetTextDlg : public QDialog {
    Q_OBJECT
public:
    CGetTextDlg(const std::string& strLabel, const std::string& strCaption,
                QWidget* parent = nullptr);

    std::string m_strText;
    QLineEdit* Edit() const { return m_pEdit; }

public slots:
    void accept() override;

private:
    QLineEdit* m_pEdit;
};
