#pragma once
// The library's own dialogs (not exported): the preview "Previzualizare Tiparire", the margins
// dialog "Margini" and the document name dialog "Morvel Print Preview". Tests reach their
// controls by object name through MorPrint::SetDialogHook.

#include <QDialog>
#include <QMargins>
#include <QMessageBox>

class MorPrint;
class QComboBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;
class QScrollArea;

namespace pagero {

// Calls the printer set-up hook when one is installed: true when it ran (*ok is its answer).
bool runPrinterSetupHook(QPrinter& printer, QWidget* parent, bool* ok);

class PageView;

class PreviewDialog : public QDialog {
    Q_OBJECT
public:
    enum Zoom { FitWidth = 0, FitPage = 1 }; // the other zoom entries are percentages
    PreviewDialog(MorPrint& doc, QWidget* parent = nullptr);

    int printResult() const { return m_iResult; }
    void showPage(int page);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool pagingKey(int key);
    void updateZoom();
    void print();
    void printerSetup();
    void margins();
    void savePdf();
    void saveDocument();
    void loadDocument();
    void loadEntry(int index);
    void afterLoad(bool ok);
    // The failure message with the document's reason below it.
    void reportFailure(const QString& what, int icon = QMessageBox::Critical);

    MorPrint& m_doc;
    int m_iPage = 1;
    int m_iResult = 0;
    double m_fZoom = 1.0;
    QString m_strMpdPath;
    QPushButton *m_btnPrinter, *m_btnMargins, *m_btnPrint, *m_btnPdf;
    QPushButton *m_btnFirst, *m_btnPrev, *m_btnNext, *m_btnLast;
    QPushButton *m_btnSave, *m_btnLoad;
    QComboBox *m_cmbRange, *m_cmbZoom, *m_cmbDocs;
    QLineEdit* m_editPages;
    QLabel* m_lblPage;
    QScrollArea* m_scroll;
    PageView* m_view;
};

class MarginsDialog : public QDialog {
    Q_OBJECT
public:
    MarginsDialog(const QMargins& mm, QWidget* parent = nullptr);
    QMargins margins() const;

private:
    QLineEdit *m_left, *m_top, *m_right, *m_bottom;
};

class DocumentNameDialog : public QDialog {
    Q_OBJECT
public:
    explicit DocumentNameDialog(QWidget* parent = nullptr);
    QString name() const;

private:
    QLineEdit* m_name;
    QPushButton* m_ok;
};

} // namespace pagero
