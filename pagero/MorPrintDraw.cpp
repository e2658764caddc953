// Drawing pages, page ranges, printing, PDF export and the set-up operations of the preview.
#include "pagero/MorPrint.h"
#include "pagero/PreviewDialog.h"
#include "pagero/SafeFile.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QScreen>

#include <zint.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <memory>

namespace {

// Module width aimed at for a barcode: one hundredth of an inch (0.254 mm).
constexpr double kModule = 1.0;
// Blank modules a scanner needs on either side of a Code 128 symbol.
constexpr double kQuietZone = 10.0;

struct ZintDeleter {
    void operator()(zint_symbol* s) const { ZBarcode_Delete(s); }
};

// The bars of a Code 128 symbol of the text, as (start, width) runs in modules, and the
// symbol's width in modules; false when the text cannot be encoded.
bool code128Bars(const QByteArray& text, std::vector<std::pair<double, double>>* bars,
                 double* modules) {
    std::unique_ptr<zint_symbol, ZintDeleter> symbol(ZBarcode_Create());
    if (!symbol || text.isEmpty())
        return false;
    symbol->symbology = BARCODE_CODE128;
    symbol->input_mode = DATA_MODE;
    symbol->show_hrt = 0;
    symbol->whitespace_width = 0;
    symbol->border_width = 0;
    symbol->scale = 1.0f;
    if (ZBarcode_Encode(symbol.get(), reinterpret_cast<const unsigned char*>(text.constData()),
                        int(text.size())) >= ZINT_ERROR)
        return false;
    if (ZBarcode_Buffer_Vector(symbol.get(), 0) >= ZINT_ERROR || !symbol->vector ||
        symbol->width <= 0)
        return false;
    // Vector units per module: the vector's width spans the symbol's modules.
    const double unit = symbol->vector->width / symbol->width;
    bars->clear();
    for (const zint_vector_rect* r = symbol->vector->rectangles; r; r = r->next)
        bars->push_back({r->x / unit, r->width / unit});
    std::sort(bars->begin(), bars->end());
    *modules = symbol->width;
    return !bars->empty();
}

// The barcode text of a laid-out line: after "@@BC:" (found below column W - 5) up to the first
// two consecutive blanks or the end of the line. Empty when the line holds no barcode.
QByteArray barcodeText(const QByteArray& line) {
    const qsizetype at = line.indexOf("@@BC:");
    if (at < 0 || at >= line.size() - 5)
        return QByteArray();
    QByteArray text = line.mid(at + 5);
    const qsizetype stop = text.indexOf("  ");
    if (stop >= 0)
        text.truncate(stop);
    return text;
}

} // namespace

// --- drawing ------------------------------------------------------------------------------------

void MorPrint::DrawPage(QPainter& dc, int iPage, double fScale) {
    const QByteArray page = ReadPage(iPage);
    const int L = m_iLinesPerPage, W = m_iCharsPerLine;
    if (page.size() < qsizetype(L) * W || fScale <= 0)
        return;
    dc.save();
    const double dpi = dc.device() ? dc.device()->logicalDpiY() : 96.0;
    QFont font = EzCreateFont(FontFamily(), m_iFontSize);
    // Point size on this device that gives the page's font size at this scale.
    font.setPointSizeF(m_iFontSize / 10.0 * 100.0 * fScale / dpi);
    dc.setFont(font);
    const QFontMetricsF fm(font, dc.device());
    const double x0 = m_iLayoutMargins[0] * fScale;
    const double y0 = m_iLayoutMargins[1] * fScale;
    const double lh = m_iLineHeight * fScale;
    const double charWidth = fm.horizontalAdvance(QString(W, QLatin1Char('M'))) / std::max(W, 1);
    const double lineWidth = charWidth * W;
    dc.setPen(Qt::black);

    auto lineAt = [&](int i) { return page.mid(qsizetype(i) * W, W); };
    auto isRule = [&](int i) {
        return (m_iHeaderRule && i == m_iHeaderRule) || (m_iFooterRule && i == m_iFooterRule);
    };
    for (int i = 0; i < L; ++i) {
        const QByteArray line = lineAt(i);
        const QByteArray code = barcodeText(line);
        if (!code.isEmpty()) {
            std::vector<std::pair<double, double>> bars;
            double modules = 0;
            if (code128Bars(code, &bars, &modules)) {
                // Module width: a whole number of device pixels near 0.254 mm (3 dots at 300 dpi),
                // narrower only when the symbol and its quiet zones would not fit the line.
                const double span = modules + 2 * kQuietZone;
                double module = std::max(1.0, std::round(kModule * fScale));
                if (module * span > lineWidth)
                    module = lineWidth / span;
                const double quiet = kQuietZone * module;
                const double codeWidth = module * span;
                // The symbol takes its own line and grows into the lines below only where they
                // are blank under it, up to the barcode height, never over a rule line.
                const int columns =
                    std::min(W, int(std::ceil(codeWidth / std::max(charWidth, 1e-9))));
                int rows = 1;
                while (i + rows < L && !isRule(i + rows) &&
                       (rows + 1) * m_iLineHeight <= m_iCodeFontHeight &&
                       lineAt(i + rows).left(columns).trimmed().isEmpty())
                    ++rows;
                const double top = y0 + i * lh + 0.1 * lh;
                const double height = rows * lh - 0.2 * lh;
                // The quiet zone left of the bars lies inside the line: nothing else is drawn
                // there, and it never falls off the page when the margin is 0.
                for (const auto& [start, width] : bars)
                    dc.fillRect(QRectF(x0 + quiet + start * module, top, width * module, height),
                                Qt::black);
                continue;
            }
        }
        if (line.trimmed().isEmpty())
            continue;
        dc.drawText(QPointF(x0, y0 + i * lh + fm.ascent()), FromAnsi(line));
    }
    // Rule lines at the middle of their line, across a full text line.
    dc.setPen(QPen(Qt::black, std::max(1.0, 0.5 * fScale)));
    for (int r : {int(m_iHeaderRule), int(m_iFooterRule)}) {
        if (!r)
            continue;
        const double y = y0 + r * lh + lh / 2;
        dc.drawLine(QPointF(x0, y), QPointF(x0 + lineWidth, y));
    }
    dc.restore();
}

void MorPrint::PrintAPage(QPainter& dc) {
    const double dpi = dc.device() ? dc.device()->logicalDpiX() : 600.0;
    DrawPage(dc, m_iPaginaCurenta, dpi / 100.0);
}

int32_t MorPrint::PrevPage(int32_t iPage, QPainter* pDC, double fZoom) {
    if (!pDC || !m_iPageWidth)
        return 1;
    const double dpi = pDC->device() ? pDC->device()->logicalDpiX() : 96.0;
    const double scale = fZoom * dpi / 100.0 * m_iPageDisplayWidth / m_iPageWidth;
    pDC->fillRect(QRectF(0, 0, m_iPageWidth * scale, m_iPageHeight * scale), Qt::white);
    DrawPage(*pDC, iPage, scale);
    return 1;
}

namespace {
double screenDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchX() : 96.0;
}
} // namespace

int MorPrint::PageDisplayWidthPx() const {
    return int(std::lround(m_iPageDisplayWidth * screenDpi() / 100.0));
}
int MorPrint::PageDisplayHeightPx() const {
    return int(std::lround(m_iPageDisplayHeight * screenDpi() / 100.0));
}

namespace {

std::unique_ptr<QPrinter> clonePrinter(const QPrinter& src) {
    auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
    p->setOutputFormat(src.outputFormat());
    if (src.outputFormat() == QPrinter::NativeFormat)
        p->setPrinterName(src.printerName());
    p->setResolution(src.resolution());
    p->setFullPage(src.fullPage());
    p->setPageLayout(src.pageLayout());
    p->setColorMode(src.colorMode());
    p->setDuplex(src.duplex());
    p->setCopyCount(src.copyCount());
    p->setCollateCopies(src.collateCopies());
    if (!src.outputFileName().isEmpty())
        p->setOutputFileName(src.outputFileName());
    return p;
}

} // namespace

// --- page ranges and printing
// ---------------------------------------------------------------------

bool MorPrint::ParsePageRange(const QString& strRange, int iPageCount, QList<int>* pages) {
    pages->clear();
    if (iPageCount <= 0 || strRange.isEmpty())
        return false;
    if (strRange == QLatin1String("1,2,3,...") || strRange == QLatin1String("1,3,5,...") ||
        strRange == QLatin1String("2,4,6,...")) {
        const int first = strRange.at(0).digitValue();
        const int step = first == 1 && strRange.at(2) == QLatin1Char('2') ? 1 : 2;
        for (int p = first; p <= iPageCount; p += step)
            pages->append(p);
        return true;
    }
    const QString text = strRange.toUpper() + QLatin1Char(',');
    for (QChar c : text)
        if (!QStringLiteral("0123456789,-").contains(c))
            return false;
    QStringList items = text.split(QLatin1Char(','));
    items.removeLast(); // after the appended ","
    static const QRegularExpression item(QStringLiteral("^([1-9][0-9]*)(?:-([1-9][0-9]*))?$"));
    auto number = [](const QString& digits) {
        bool ok = false;
        const qlonglong v = digits.left(12).toLongLong(&ok);
        return ok ? int(std::min<qlonglong>(v, INT_MAX)) : INT_MAX;
    };
    QList<int> result;
    for (const QString& it : items) {
        const QRegularExpressionMatch m = item.match(it);
        if (!m.hasMatch()) {
            pages->clear();
            return false;
        }
        const int a = number(m.captured(1));
        if (!m.hasCaptured(2)) {
            if (a <= iPageCount)
                result.append(a);
            continue;
        }
        const int b = number(m.captured(2));
        if (a <= b) {
            for (int p = a; p <= std::min(b, iPageCount); ++p)
                result.append(p);
        } else {
            for (int p = std::min(a, iPageCount); p >= b; --p)
                result.append(p);
        }
    }
    *pages = result;
    return true;
}

int32_t MorPrint::PrintPageList(const QList<int>& pages, QPrinter& printer) {
    printer.setDocName(QStringLiteral("Morvel Doc"));
    printer.setCreator(QStringLiteral("Pagero"));
    auto printerName = [&printer] {
        return printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName()
                                                             : printer.printerName();
    };
    QPainter painter;
    if (!painter.begin(&printer)) {
        m_strLastError = QStringLiteral("Tiparirea la %1 nu poate porni.").arg(printerName());
        return 0;
    }
    bool first = true;
    for (int p : pages) {
        if (!first && !printer.newPage()) {
            painter.end();
            m_strLastError =
                QStringLiteral("Imprimanta %1 nu a primit pagina %2.").arg(printerName()).arg(p);
            return 0;
        }
        first = false;
        m_iPaginaCurenta = p;
        PrintAPage(painter);
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error) {
        m_strLastError =
            QStringLiteral("Imprimanta %1 a raportat o eroare la tiparire.").arg(printerName());
        return 0;
    }
    return 1;
}

int32_t MorPrint::Print() {
    return PrintPages(QStringLiteral("1,2,3,..."));
}

int32_t MorPrint::PrintPage(int32_t iPage) {
    return PrintPages(QString::number(iPage));
}

int32_t MorPrint::PrintPages(const QString& strRange) {
    m_strLastError.clear();
    if (!m_pPrinter) {
        m_strLastError = QStringLiteral("Nu exista o imprimanta.");
        return 0;
    }
    QList<int> pages;
    // An invalid list is refused before any job starts, so no blank sheet comes out.
    const int32_t count = GetPageCount();
    if (!ParsePageRange(strRange, count, &pages)) {
        m_strLastError =
            count <= 0 ? QStringLiteral("Documentul nu are pagini.")
                       : QStringLiteral("Lista de pagini \"%1\" nu este valida.").arg(strRange);
        return 0;
    }
    if (pages.isEmpty())
        return 1;
    if (m_pPrinter->outputFormat() == QPrinter::PdfFormat) {
        // The PDF printer writes a file the user names, every time, even when the printer
        // set-up chose one: a second print never silently replaces the first.
        const QString name =
            AskPdfFileName(QApplication::activeWindow(), QStringLiteral("Tipareste in fisier PDF"));
        if (name.isEmpty())
            return 0;
        std::unique_ptr<QPrinter> job = clonePrinter(*m_pPrinter);
        return PrintPdfFile(pages, *job, name);
    }
    return PrintPageList(pages, *m_pPrinter);
}

int32_t MorPrint::PrintPdfFile(const QList<int>& pages, QPrinter& pdf, const QString& strPath) {
    pagero::SafeFile file(strPath);
    if (!file.open()) {
        m_strLastError = file.errorString();
        return 0;
    }
    pdf.setOutputFileName(file.writePath());
    const int32_t printed = PrintPageList(pages, pdf);
    pdf.setOutputFileName(QString());
    // The PDF writer does not report a disk that filled up under it: a file without its end
    // marker is a file cut short.
    QFile written(file.writePath());
    bool whole = false;
    if (written.open(QIODevice::ReadOnly) && written.size() > 16) {
        written.seek(written.size() - 16);
        whole = written.read(16).contains("%%EOF");
    }
    written.close();
    if (!printed || !whole) {
        m_strLastError =
            QStringLiteral("Fisierul %1 nu poate fi scris: %2")
                .arg(strPath, printed
                                  ? QStringLiteral("fisierul PDF a ramas incomplet (disc plin?)")
                                  : QStringLiteral("tiparirea in PDF nu a pornit"));
        return 0;
    }
    if (!file.commit()) {
        m_strLastError = file.errorString();
        return 0;
    }
    return 1;
}

int32_t MorPrint::SaveToPDFFile(const QString& strPath) {
    m_strLastError.clear();
    if (!m_pPrinter || strPath.isEmpty())
        return 0;
    const int32_t count = GetPageCount();
    if (count <= 0) {
        m_strLastError = QStringLiteral("Documentul nu are pagini.");
        return 0;
    }
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setResolution(600);
    pdf.setFullPage(false);
    pdf.setPageLayout(m_pPrinter->pageLayout());
    QList<int> pages;
    for (int p = 1; p <= count; ++p)
        pages.append(p);
    return PrintPdfFile(pages, pdf, strPath);
}

// --- set-up from the preview -----------------------------------------------------------------

bool MorPrint::RunPrinterSetup(QWidget* parent) {
    if (!m_pPrinter)
        return false;
    std::unique_ptr<QPrinter> candidate = clonePrinter(*m_pPrinter);
    bool ok = false;
    if (!pagero::runPrinterSetupHook(*candidate, parent, &ok)) {
        QPrintDialog dlg(candidate.get(), parent);
        dlg.setWindowTitle(QStringLiteral("Imprimanta"));
        dlg.setOption(QAbstractPrintDialog::PrintPageRange, false);
        dlg.setOption(QAbstractPrintDialog::PrintSelection, false);
        dlg.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
        ok = dlg.exec() == QDialog::Accepted;
    }
    if (!ok)
        return false;
    const uint16_t oldFlags = m_iFlags;
    std::swap(m_pPrinter, candidate);
    m_strPdfFolder.clear(); // a file named in the set-up now leads the next PDF's name
    // The chosen orientation is the document's from now on.
    if (m_pPrinter->pageLayout().orientation() == QPageLayout::Landscape)
        m_iFlags |= FlagLandscape;
    else
        m_iFlags &= uint16_t(~FlagLandscape);
    WriteIPDHead();
    if (!Initializari(1)) {
        std::swap(m_pPrinter, candidate);
        m_iFlags = oldFlags;
        WriteIPDHead();
        Initializari(1);
        m_bNeedsPaging = 1;
        Paging();
        ShowMessage(QStringLiteral("Eroare la initializarea imprimantei!\n"
                                   "Va rugam sa verificati imprimanta default si sa reincercati."),
                    QStringLiteral("Previzualizare"), QMessageBox::Critical);
        return false;
    }
    m_bNeedsPaging = 1;
    Paging();
    return true;
}

int32_t MorPrint::SetMarginsChecked(const QMargins& mm) {
    Paging();
    // In floating point: any int the caller passes is compared, none is summed into overflow.
    const double lh5 = 5.0 * m_iLineHeight;
    const double across = (double(mm.left()) + mm.right()) * 3.937;
    const double down = (double(mm.top()) + mm.bottom()) * 3.937;
    if (mm.left() < 0 || mm.top() < 0 || mm.right() < 0 || mm.bottom() < 0) {
        ShowMessage(QStringLiteral("Marginile nu pot fi negative!"), QStringLiteral("Margini"),
                    QMessageBox::Warning);
        return 0;
    }
    if (m_iPageHeight - lh5 < down || m_iPageWidth - lh5 < across) {
        ShowMessage(QStringLiteral("Margini prea mari!"), QStringLiteral("Margini"),
                    QMessageBox::Warning);
        return 0;
    }
    SetUserMargins(mm);
    Paging();
    return 1;
}

int32_t MorPrint::Preview(int32_t, QWidget* parent) {
    Paging();
    pagero::PreviewDialog dlg(*this, parent);
    RunDialog(dlg);
    return dlg.printResult();
}
