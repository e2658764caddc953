#pragma once
// The employer's PIN check, which guards the download of its conventions and the upload of a
// settlement: the agency's PIN file is downloaded, its valid PINs extracted (FisierPIN.h), and
// the user must type one of them.

#include <QDialog>

#include <string>
#include <vector>

class QLineEdit;
class QPushButton;

class CVerificaPINDlg : public QDialog {
    Q_OBJECT
public:
    explicit CVerificaPINDlg(std::vector<std::string> pinuri, QWidget* pParent = nullptr);

    QLineEdit* Edit() const { return m_pEdit; }
    QPushButton* ValidezButton() const { return m_pValidez; }
    QPushButton* RenuntButton() const { return m_pRenunt; }

public slots:
    void OnValidez();

private:
    std::vector<std::string> m_pinuri;
    QLineEdit* m_pEdit;
    QPushButton* m_pValidez;
    QPushButton* m_pRenunt;
};

// Downloads the default employer's PIN file into the working folder and asks for the PIN.
// True only when the user typed a valid one; every failure has shown its message.
bool VerifyEmployerPin(QWidget* pParent = nullptr);
