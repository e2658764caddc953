// The preview dialog and the small dialogs it opens.
#include "pagero/PreviewDialog.h"
#include "pagero/MorPrint.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace pagero {

namespace {
constexpr int kPad = 12; // grey border around the page in the view
const int kZoomPercents[] = {50, 75, 100, 150, 200};
} // namespace

// The page on a grey desk, drawn by the document at the dialog's zoom.
class PageView : public QWidget {
public:
    PageView(MorPrint& doc, QWidget* parent) : QWidget(parent), m_doc(doc) {
        setObjectName("pageView");
    }
    void setPage(int page, double zoom) {
        m_page = page;
        m_zoom = zoom;
        const QSize size(int(std::lround(m_doc.PageDisplayWidthPx() * zoom)) + 2 * kPad,
                         int(std::lround(m_doc.PageDisplayHeightPx() * zoom)) + 2 * kPad);
        setFixedSize(size);
        update();
    }
    int page() const { return m_page; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), QColor(0x80, 0x80, 0x80));
        const QRect paper(kPad, kPad, width() - 2 * kPad, height() - 2 * kPad);
        p.fillRect(paper.translated(3, 3), QColor(0x50, 0x50, 0x50));
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.translate(kPad, kPad);
        p.setClipRect(QRect(QPoint(0, 0), paper.size()));
        p.fillRect(QRect(QPoint(0, 0), paper.size()), Qt::white);
        if (m_page < 1) {
            p.drawText(QRect(QPoint(0, 0), paper.size()), Qt::AlignCenter,
                       QStringLiteral("Documentul nu are pagini."));
            return;
        }
        m_doc.PrevPage(m_page, &p, m_zoom);
    }

private:
    MorPrint& m_doc;
    int m_page = 1;
    double m_zoom = 1.0;
};

PreviewDialog::PreviewDialog(MorPrint& doc, QWidget* parent) : QDialog(parent), m_doc(doc) {
    setObjectName("previewDialog");
    setWindowTitle(QStringLiteral("Previzualizare Tiparire"));
    setSizeGripEnabled(true);
    setMinimumSize(480, 140);

    auto button = [this](const QString& text, const char* name) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        return b;
    };
    m_btnPrinter = button(QStringLiteral("Imprimanta"), "btnImprimanta");
    m_btnMargins = button(QStringLiteral("Margini"), "btnMargini");
    m_btnPrint = button(QStringLiteral("Tipareste"), "btnTipareste");
    m_btnPrint->setDefault(true);
    m_cmbRange = new QComboBox(this);
    m_cmbRange->setObjectName("cmbRange");
    m_cmbRange->addItems({QStringLiteral("Documentul"), QStringLiteral("Pagina curenta"),
                          QStringLiteral("Paginile pare"), QStringLiteral("Paginile impare"),
                          QStringLiteral("Paginile ...")});
    m_editPages = new QLineEdit(this);
    m_editPages->setObjectName("editPages");
    m_editPages->setPlaceholderText(QStringLiteral("ex. 1,3-5"));
    m_editPages->setVisible(false);
    m_cmbZoom = new QComboBox(this);
    m_cmbZoom->setObjectName("cmbZoom");
    m_cmbZoom->addItems({QStringLiteral("Latimea paginii"), QStringLiteral("Pagina intreaga")});
    for (int z : kZoomPercents)
        m_cmbZoom->addItem(QStringLiteral("%1%").arg(z));
    m_cmbZoom->setCurrentIndex(4); // 100%
    m_btnPdf = button(QStringLiteral("Salveaza PDF"), "btnSalveazaPdf");
    m_btnSave = button(QStringLiteral("Salvez..."), "btnSalvez");
    m_btnLoad = button(QStringLiteral("Incarc..."), "btnIncarc");
    m_cmbDocs = new QComboBox(this);
    m_cmbDocs->setObjectName("cmbDocs");
    for (QWidget* w : {static_cast<QWidget*>(m_btnSave), static_cast<QWidget*>(m_btnLoad),
                       static_cast<QWidget*>(m_cmbDocs)})
        w->setVisible(false);

    m_btnFirst = button(QStringLiteral("Inceput"), "btnInceput");
    m_btnPrev = button(QStringLiteral("<<"), "btnPrev");
    m_btnNext = button(QStringLiteral(">>"), "btnNext");
    m_btnLast = button(QStringLiteral("Sfarsit"), "btnSfarsit");
    m_btnFirst->setFixedSize(63, 21);
    m_btnPrev->setFixedSize(26, 21);
    m_btnNext->setFixedSize(26, 21);
    m_btnLast->setFixedSize(63, 21);
    m_lblPage = new QLabel(this);
    m_lblPage->setObjectName("lblPage");
    m_lblPage->setAlignment(Qt::AlignCenter);
    m_lblPage->setFixedSize(69, 21);
    m_btnFirst->setToolTip(QStringLiteral("Prima pagina (Home)"));
    m_btnPrev->setToolTip(QStringLiteral("Pagina anterioara (Page Up)"));
    m_btnNext->setToolTip(QStringLiteral("Pagina urmatoare (Page Down)"));
    m_btnLast->setToolTip(QStringLiteral("Ultima pagina (End)"));

    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName("scrollPage");
    m_scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_view = new PageView(doc, m_scroll);
    m_scroll->setWidget(m_view);
    m_scroll->installEventFilter(this);
    m_scroll->viewport()->installEventFilter(this);
    m_view->installEventFilter(this);
    // Page Up and Page Down turn pages whatever has the focus: the combo boxes would take
    // them for their items and the edit box would swallow them.
    for (QWidget* w : findChildren<QWidget*>())
        if (w->focusPolicy() != Qt::NoFocus)
            w->installEventFilter(this);

    auto* top = new QHBoxLayout;
    top->addWidget(m_btnPrinter);
    top->addWidget(m_btnMargins);
    top->addWidget(m_btnPrint);
    top->addWidget(m_cmbRange);
    top->addWidget(m_editPages);
    top->addStretch();
    top->addWidget(new QLabel(QStringLiteral("Zoom:"), this));
    top->addWidget(m_cmbZoom);
    top->addWidget(m_btnPdf);
    top->addWidget(m_btnSave);
    top->addWidget(m_btnLoad);
    top->addWidget(m_cmbDocs);
    auto* nav = new QHBoxLayout;
    nav->setSpacing(0);
    nav->addStretch();
    nav->addWidget(m_btnFirst);
    nav->addSpacing(6);
    nav->addWidget(m_btnPrev);
    nav->addSpacing(5);
    nav->addWidget(m_lblPage);
    nav->addSpacing(5);
    nav->addWidget(m_btnNext);
    nav->addSpacing(6);
    nav->addWidget(m_btnLast);
    nav->addStretch();
    auto* main = new QVBoxLayout(this);
    main->setContentsMargins(5, 5, 5, 5);
    main->addLayout(top);
    main->addLayout(nav);
    main->addWidget(m_scroll, 1);

    connect(m_btnPrint, &QPushButton::clicked, this, &PreviewDialog::print);
    connect(m_btnPrinter, &QPushButton::clicked, this, &PreviewDialog::printerSetup);
    connect(m_btnMargins, &QPushButton::clicked, this, &PreviewDialog::margins);
    connect(m_btnPdf, &QPushButton::clicked, this, &PreviewDialog::savePdf);
    connect(m_btnSave, &QPushButton::clicked, this, &PreviewDialog::saveDocument);
    connect(m_btnLoad, &QPushButton::clicked, this, &PreviewDialog::loadDocument);
    connect(m_cmbDocs, &QComboBox::activated, this, &PreviewDialog::loadEntry);
    connect(m_btnFirst, &QPushButton::clicked, this, [this] { showPage(1); });
    connect(m_btnPrev, &QPushButton::clicked, this, [this] { showPage(m_iPage - 1); });
    connect(m_btnNext, &QPushButton::clicked, this, [this] { showPage(m_iPage + 1); });
    connect(m_btnLast, &QPushButton::clicked, this, [this] { showPage(m_doc.GetPageCount()); });
    connect(m_cmbRange, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_editPages->setVisible(index == 4); });
    connect(m_cmbZoom, &QComboBox::currentIndexChanged, this, [this] { updateZoom(); });

    // A first size that shows the page's width at 100% where the screen allows.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect avail = screen ? screen->availableGeometry() : QRect(0, 0, 1280, 1024);
    const int w = std::min(avail.width() - 40, m_doc.PageDisplayWidthPx() + 2 * kPad + 40);
    const int h = std::min(avail.height() - 60, m_doc.PageDisplayHeightPx() + 2 * kPad + 120);
    resize(std::max(w, 640), std::max(h, 400));
    m_btnPrint->setFocus();
    updateZoom();
    showPage(1);
}

void PreviewDialog::showPage(int page) {
    const int count = m_doc.GetPageCount();
    m_iPage = std::clamp(page, 1, std::max(count, 1));
    // A document without pages says so and offers nothing to print or save as PDF.
    m_lblPage->setText(count > 0 ? QStringLiteral("%1 / %2").arg(m_iPage).arg(count)
                                 : QStringLiteral("Fara pagini"));
    for (QWidget* w : {static_cast<QWidget*>(m_btnPrint), static_cast<QWidget*>(m_cmbRange),
                       static_cast<QWidget*>(m_editPages), static_cast<QWidget*>(m_btnPdf)})
        w->setEnabled(count > 0);
    m_btnFirst->setEnabled(m_iPage > 1);
    m_btnPrev->setEnabled(m_iPage > 1);
    m_btnNext->setEnabled(m_iPage < count);
    m_btnLast->setEnabled(m_iPage < count);
    m_view->setPage(count > 0 ? m_iPage : 0, m_fZoom);
    m_scroll->verticalScrollBar()->setValue(0);
}

void PreviewDialog::reportFailure(const QString& what, int icon) {
    const QString why = m_doc.GetLastError();
    MorPrint::ShowMessage(why.isEmpty() ? what : what + QLatin1Char('\n') + why,
                          QStringLiteral("Previzualizare"), icon);
}

void PreviewDialog::updateZoom() {
    const int index = m_cmbZoom->currentIndex();
    const double w = std::max(1, m_doc.PageDisplayWidthPx());
    const double h = std::max(1, m_doc.PageDisplayHeightPx());
    const QSize area = m_scroll->viewport()->size();
    const int scrollbar = m_scroll->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    if (index == FitWidth) {
        m_fZoom = (area.width() - 2 * kPad) / w;
        // A page taller than the view brings the vertical scroll bar, which takes width.
        if (m_fZoom * h + 2 * kPad > area.height() && !m_scroll->verticalScrollBar()->isVisible())
            m_fZoom = (area.width() - 2 * kPad - scrollbar) / w;
    } else if (index == FitPage) {
        m_fZoom = std::min((area.width() - 2 * kPad) / w, (area.height() - 2 * kPad) / h);
    } else {
        m_fZoom = kZoomPercents[index - 2] / 100.0;
    }
    m_fZoom = std::max(0.1, m_fZoom);
    m_view->setPage(m_iPage, m_fZoom);
}

void PreviewDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (m_cmbZoom->currentIndex() == FitWidth || m_cmbZoom->currentIndex() == FitPage)
        updateZoom();
}

bool PreviewDialog::pagingKey(int key) {
    switch (key) {
    case Qt::Key_PageDown:
        showPage(m_iPage + 1);
        return true;
    case Qt::Key_PageUp:
        showPage(m_iPage - 1);
        return true;
    case Qt::Key_Home:
        showPage(1);
        return true;
    case Qt::Key_End:
        showPage(m_doc.GetPageCount());
        return true;
    default:
        return false;
    }
}

void PreviewDialog::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() == Qt::NoModifier && pagingKey(event->key()))
        return;
    QDialog::keyPressEvent(event);
}

// The scroll area would take Page Up/Down, Home and End for scrolling; here they turn pages.
// In the page list's edit box Home and End keep moving the cursor.
bool PreviewDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool pageKey = key->key() == Qt::Key_PageUp || key->key() == Qt::Key_PageDown;
        const bool editing = qobject_cast<QLineEdit*>(watched) != nullptr;
        if (key->modifiers() == Qt::NoModifier && (pageKey || !editing) && pagingKey(key->key()))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void PreviewDialog::print() {
    int32_t printed = 0;
    int result = 1;
    switch (m_cmbRange->currentIndex()) {
    case 0:
        printed = m_doc.Print();
        result = 2;
        break;
    case 1:
        printed = m_doc.PrintPage(m_iPage);
        break;
    case 2:
        printed = m_doc.PrintPages(QStringLiteral("2,4,6,..."));
        break;
    case 3:
        printed = m_doc.PrintPages(QStringLiteral("1,3,5,..."));
        break;
    default:
        printed = m_doc.PrintPages(m_editPages->text());
        break;
    }
    if (printed)
        m_iResult = result;
    else if (!m_doc.GetLastError().isEmpty()) // empty: the user cancelled the file name
        reportFailure(QStringLiteral("Tiparirea nu a reusit."));
}

void PreviewDialog::printerSetup() {
    if (m_doc.RunPrinterSetup(this)) {
        updateZoom();
        showPage(1);
    }
}

void PreviewDialog::margins() {
    const QMargins h = m_doc.GetUserMargins();
    auto toMm = [](int hundredths) { return int(hundredths / 3.937 + 0.5); };
    MarginsDialog dlg(QMargins(toMm(h.left()), toMm(h.top()), toMm(h.right()), toMm(h.bottom())),
                      this);
    if (MorPrint::RunDialog(dlg) != QDialog::Accepted)
        return;
    if (m_doc.SetMarginsChecked(dlg.margins())) {
        m_view->update();
        showPage(1);
    }
}

void PreviewDialog::savePdf() {
    const QString name = m_doc.AskPdfFileName(this, QStringLiteral("Salveaza PDF"));
    if (name.isEmpty())
        return;
    if (!m_doc.SaveToPDFFile(name))
        reportFailure(QStringLiteral("Fisierul PDF nu poate fi scris:\n%1").arg(name));
}

void PreviewDialog::saveDocument() {
    const QString name =
        MorPrint::AskFileName(this, QStringLiteral("Salvez"),
                              QStringLiteral("Fisiere text (*.txt);;Fisiere cu documente multiple "
                                             "(*.mpd);;Fisiere cu documente simple(*.ipd)"),
                              true);
    if (name.isEmpty())
        return;
    const QString ext = QFileInfo(name).suffix().toLower();
    int32_t saved = 1;
    if (ext == QLatin1String("txt")) {
        saved = m_doc.SaveToTextFile(name);
    } else if (ext == QLatin1String("mpd")) {
        DocumentNameDialog dlg(this);
        if (MorPrint::RunDialog(dlg) == QDialog::Accepted && !dlg.name().isEmpty())
            saved = m_doc.SaveToMPDFile(name, dlg.name());
    } else {
        saved = m_doc.SaveToIPDFile(name);
    }
    if (!saved)
        reportFailure(QStringLiteral("Documentul nu a fost salvat."));
}

void PreviewDialog::loadDocument() {
    const QString name = MorPrint::AskFileName(
        this, QStringLiteral("Incarc"),
        QStringLiteral("Fisiere cu documente multiple (*.mpd);;Fisiere cu documente simple(*.ipd)"),
        false);
    if (name.isEmpty())
        return;
    if (QFileInfo(name).suffix().toLower() == QLatin1String("mpd")) {
        QStringList names;
        const bool ok = m_doc.LoadFromMPDFile(name, 0, &names);
        m_strMpdPath = name;
        m_cmbDocs->clear();
        m_cmbDocs->addItems(names);
        m_cmbDocs->setCurrentIndex(0);
        m_cmbDocs->setVisible(ok);
        afterLoad(ok);
    } else {
        m_cmbDocs->setVisible(false);
        afterLoad(m_doc.LoadFromIPDFile(name));
    }
}

void PreviewDialog::loadEntry(int index) {
    if (index >= 0 && !m_strMpdPath.isEmpty())
        afterLoad(m_doc.LoadFromMPDFile(m_strMpdPath, uint16_t(index)));
}

void PreviewDialog::afterLoad(bool ok) {
    if (!ok)
        reportFailure(QStringLiteral("Fisierul nu este intr-un format cunoscut!"),
                      QMessageBox::Warning);
    updateZoom();
    showPage(1);
}

// --- margins -----------------------------------------------------------------------------------

MarginsDialog::MarginsDialog(const QMargins& mm, QWidget* parent) : QDialog(parent) {
    setObjectName("marginsDialog");
    setWindowTitle(QStringLiteral("Margini"));
    auto* form = new QFormLayout;
    auto field = [this](int value, const char* name) {
        auto* e = new QLineEdit(QString::number(value), this);
        e->setObjectName(name);
        e->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,4}")), e));
        return e;
    };
    m_left = field(mm.left(), "editStanga");
    m_top = field(mm.top(), "editSus");
    m_right = field(mm.right(), "editDreapta");
    m_bottom = field(mm.bottom(), "editJos");
    form->addRow(QStringLiteral("Stanga"), m_left);
    form->addRow(QStringLiteral("Sus"), m_top);
    form->addRow(QStringLiteral("Dreapta"), m_right);
    form->addRow(QStringLiteral("Jos"), m_bottom);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setObjectName("btnOk");
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole)
        ->setObjectName("btnCancel");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

QMargins MarginsDialog::margins() const {
    return QMargins(m_left->text().toInt(), m_top->text().toInt(), m_right->text().toInt(),
                    m_bottom->text().toInt());
}

// --- document name -------------------------------------------------------------------------------

DocumentNameDialog::DocumentNameDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("documentNameDialog");
    setWindowTitle(QStringLiteral("Morvel Print Preview"));
    m_name = new QLineEdit(this);
    m_name->setObjectName("editNume");
    m_name->setMaxLength(32);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setEnabled(false);
    connect(m_name, &QLineEdit::textChanged, this, [this] { m_ok->setEnabled(!name().isEmpty()); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Nume document:"), this));
    layout->addWidget(m_name);
    layout->addWidget(buttons);
}

QString DocumentNameDialog::name() const {
    return m_name->text().trimmed();
}

} // namespace pagero
