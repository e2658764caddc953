#pragma once
// "Modificari ale aplicatiei VORTAPL": the version published on the agency's site differs
// from the program's own; shows both and the summary of the changes. It changes nothing.

#include <QDialog>

#include <string>

class QLabel;
class QPlainTextEdit;

class CVersiuneNouaDlg : public QDialog {
    Q_OBJECT
public:
    CVersiuneNouaDlg(const std::string& strCurenta, const std::string& strUltima,
                     const std::string& strDescriere, QWidget* pParent = nullptr);

    QLabel* Curenta() const { return m_pCurenta; }
    QLabel* Ultima() const { return m_pUltima; }
    QPlainTextEdit* Sumar() const { return m_pSumar; }
    QLabel* Vizitati() const { return m_pVizitati; }

private:
    QLabel* m_pCurenta;
    QLabel* m_pUltima;
    QPlainTextEdit* m_pSumar;
    QLabel* m_pVizitati;
};

// "Verifica versiune noua": fetches "versiune.xml" from option ADRESA_WEB into the working
// folder and either congratulates or shows CVersiuneNouaDlg. iTimeoutMs bounds the wait for
// data (tests shorten it).
void RunVerificaVersiune(QWidget* pParent, int iTimeoutMs = 30000);
