#pragma once
// "Import Conventii KRENO": loads the agency's conventions file of the default employer (from
// disk, or downloaded after the PIN check), shows its persons, and on "Salveaza" replaces the
// employer's conventions by them (ConventiiKreno.h does the work; this is only the window).
//
// Long work (a file of many thousand persons) runs in steps: the window keeps painting and
// shows its progress, while its controls are disabled until the work is done.

#include <QDialog>
#include <QElapsedTimer>

#include <cstdint>
#include <string>

class CXSimGrid;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QWidget;

class CImportConventiiKrenoDlg : public QDialog {
    Q_OBJECT
public:
    explicit CImportConventiiKrenoDlg(QWidget* pParent = nullptr);

    QRadioButton* LocalRadio() const { return m_pLocal; }
    QRadioButton* WebRadio() const { return m_pWeb; }
    QLineEdit* PathEdit() const { return m_pPath; }
    QPushButton* SelectButton() const { return m_pSelect; }
    QPushButton* LoadButton() const { return m_pLoad; }
    QPushButton* DownloadButton() const { return m_pDownload; }
    QPushButton* SaveButton() const { return m_pSave; }
    QPushButton* CloseButton() const { return m_pClose; }
    CXSimGrid* Grid() const { return m_pGrid; }
    QProgressBar* Progress() const { return m_pProgress; }

public slots:
    void OnSelecteazaFisier();
    void OnIncarca();
    void OnDescarca();
    void OnSalveaza();
    void reject() override; // ignored while work is under way

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* pObject, QEvent* pEvent) override;

private:
    class Busy;
    void OnSursa();
    void GolesteTabel();
    void AjusteazaTabel();
    // Moves the progress bar and, every few tens of milliseconds, lets the window paint. The
    // bar appears at once when bShowNow, else only when the work lasts more than a moment.
    void Advance(std::int64_t iDone, std::int64_t iTotal, bool bShowNow = false);
    void ShowError(const std::string& strText);

    QRadioButton* m_pLocal;
    QRadioButton* m_pWeb;
    QLineEdit* m_pPath;
    QPushButton* m_pSelect;
    QPushButton* m_pLoad;
    QPushButton* m_pDownload;
    CXSimGrid* m_pGrid;
    QProgressBar* m_pProgress;
    QPushButton* m_pSave;
    QPushButton* m_pClose;
    // MD5 of the transfer file whose persons the table shows, taken from the very bytes loaded.
    std::string m_strDigest;
    bool m_bBusy = false;
    QElapsedTimer m_busyClock;
    std::int64_t m_iLastPumpMs = 0;
};

// The menu command "Import conventii KRENO": runs the dialog modally.
void RunImportConventii(QWidget* pParent);
