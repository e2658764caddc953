// The pagero drawing, page ranges, printing to PDF and the preview dialog.
#include "PageroTestSupport.h"

#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QScrollArea>
#include <QStandardPaths>
#include <QTest>

#include <zint.h>

#include <climits>
#include <functional>

namespace {

// Records the pages in the order they are printed.
class RecordingDoc : public TestDoc {
public:
    using MorPrint::ParsePageRange;
    std::vector<int> printed;
    void renderPage(QImage& image, int page) {
        QPainter painter(&image);
        m_iPaginaCurenta = page;
        PrintAPage(painter);
    }
    int lineHeight() const { return m_iLineHeight; }
    int topMargin() const { return m_iLayoutMargins[1]; }
    int leftMargin() const { return m_iLayoutMargins[0]; }

protected:
    void PrintAPage(QPainter& dc) override {
        printed.push_back(m_iPaginaCurenta);
        TestDoc::PrintAPage(dc);
    }
};

QString runTool(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

int pdfPages(const QString& pdf) {
    const QString info = runTool(QStringLiteral("pdfinfo"), {pdf});
    for (const QString& line : info.split(QLatin1Char('\n')))
        if (line.startsWith(QStringLiteral("Pages:")))
            return line.mid(6).trimmed().toInt();
    return -1;
}

// A document of n pages whose first body line on page p reads "Pagina p din n".
void writePages(MorPrint& doc, int n) {
    doc.QWriteLn(QStringLiteral("RAPORT DE PROBA @@R:Pagina %d"), 1);
    doc.QWriteLn(QStringLiteral("@@C:subsol"), 2);
    for (int p = 1; p <= n; ++p) {
        if (p > 1)
            doc.TurnPage();
        doc.QWriteLn(QStringLiteral("Pagina %1 din %2").arg(p).arg(n), 3);
        for (int i = 0; i < 5; ++i)
            doc.QWriteLn(
                QStringLiteral("  rand %1.%2 | Ştefan Ţăran | %3").arg(p).arg(i).arg(p * 100 + i),
                3);
    }
}

QImage pageImage(int widthHundredths, int heightHundredths) {
    QImage image(widthHundredths * 6, heightHundredths * 6, QImage::Format_RGB32);
    image.setDotsPerMeterX(23622); // 600 dpi
    image.setDotsPerMeterY(23622);
    image.fill(Qt::white);
    return image;
}

bool dark(QRgb c) {
    return qGray(c) < 128;
}

// Widths of the alternating dark and light runs of an image row, from the first dark pixel to
// the last, divided by the module width.
std::vector<int> modulesOfRow(const QImage& image, int y, int x0, int x1, double module) {
    std::vector<int> runs;
    int x = x0;
    while (x < x1 && !dark(image.pixel(x, y)))
        ++x;
    int last = x1 - 1;
    while (last > x && !dark(image.pixel(last, y)))
        --last;
    while (x <= last) {
        const bool d = dark(image.pixel(x, y));
        int len = 0;
        while (x <= last && dark(image.pixel(x, y)) == d) {
            ++x;
            ++len;
        }
        runs.push_back(int(std::lround(len / module)));
    }
    return runs;
}

// The module pattern of the Code 128 symbol of a text, from zint's own raster output.
std::vector<int> code128Modules(const char* text) {
    zint_symbol* s = ZBarcode_Create();
    s->symbology = BARCODE_CODE128;
    s->input_mode = DATA_MODE;
    s->show_hrt = 0;
    s->scale = 1;
    std::vector<int> runs;
    if (ZBarcode_Encode(s, reinterpret_cast<const unsigned char*>(text), int(strlen(text))) <
            ZINT_ERROR &&
        ZBarcode_Buffer(s, 0) < ZINT_ERROR) {
        const double module = double(s->bitmap_width) / s->width;
        QImage row(s->bitmap_width, 1, QImage::Format_RGB32);
        const int y = s->bitmap_height / 2;
        for (int x = 0; x < s->bitmap_width; ++x) {
            const unsigned char* px = s->bitmap + 3 * (size_t(y) * s->bitmap_width + x);
            row.setPixel(x, 0, qRgb(px[0], px[1], px[2]));
        }
        runs = modulesOfRow(row, 0, 0, s->bitmap_width, module);
    }
    ZBarcode_Delete(s);
    return runs;
}

template <class T> T* child(QDialog& dlg, const char* name) {
    T* w = dlg.findChild<T*>(QLatin1String(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

} // namespace

TEST_F(PageroTest, PageRangeTexts) {
    auto pages = [](const char* text, int count) {
        QList<int> out;
        if (!RecordingDoc::ParsePageRange(QString::fromUtf8(text), count, &out))
            return std::vector<int>{-1};
        return std::vector<int>(out.begin(), out.end());
    };
    using V = std::vector<int>;
    EXPECT_EQ(pages("1,2,3,...", 4), (V{1, 2, 3, 4}));
    EXPECT_EQ(pages("1,3,5,...", 6), (V{1, 3, 5}));
    EXPECT_EQ(pages("2,4,6,...", 5), (V{2, 4}));
    EXPECT_EQ(pages("1,3-5,2", 6), (V{1, 3, 4, 5, 2}));
    EXPECT_EQ(pages("5-3", 6), (V{5, 4, 3}));
    EXPECT_EQ(pages("10", 12), (V{10}));
    EXPECT_EQ(pages("2-9,12,7-1", 5), (V{2, 3, 4, 5, 5, 4, 3, 2, 1}));
    EXPECT_EQ(pages("99999999999999", 5), V{});
    // Invalid lists.
    for (const char* bad :
         {"0", ",1", "", "1,,2", "1 ,2", "a", "1-", "-2", "1-0", "1-2-3", "01", "1,2,"})
        EXPECT_EQ(pages(bad, 5), V{-1}) << bad;
    EXPECT_EQ(pages("1", 0), V{-1}); // a document without pages
}

TEST_F(PageroTest, PrintPagesInListOrderToThePdfPrinter) {
    RecordingDoc doc;
    ASSERT_EQ(doc.Init(folder(), 100, 14, 80), 1);
    writePages(doc, 6);
    ASSERT_EQ(doc.GetPageCount(), 6);
    int asked = 0;
    MorPrint::SetFileNameHook(
        [&](QWidget*, const QString&, const QString& filter, bool save, const QString&) {
            EXPECT_TRUE(save);
            EXPECT_TRUE(filter.contains(QStringLiteral("*.pdf")));
            return path(qPrintable(QStringLiteral("job%1").arg(++asked))); // ".pdf" is added
        });
    ASSERT_EQ(doc.PrintPages(QStringLiteral("1,3-5,2")), 1);
    EXPECT_EQ(doc.printed, (std::vector<int>{1, 3, 4, 5, 2}));
    ASSERT_EQ(pdfPages(path("job1.pdf")), 5);
    EXPECT_TRUE(runTool(QStringLiteral("pdfinfo"), {path("job1.pdf")})
                    .contains(QStringLiteral("Morvel Doc"))); // job name
    // The PDF's pages are the document's pages in that order.
    const QString text =
        runTool(QStringLiteral("pdftotext"),
                {QStringLiteral("-layout"), path("job1.pdf"), QStringLiteral("-")});
    const QStringList pdfPagesText = text.split(QLatin1Char('\f'));
    const int order[] = {1, 3, 4, 5, 2};
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(pdfPagesText.value(i).contains(QStringLiteral("Pagina %1 din 6").arg(order[i])))
            << i;

    doc.printed.clear();
    ASSERT_EQ(doc.PrintPages(QStringLiteral("5-3")), 1);
    EXPECT_EQ(doc.printed, (std::vector<int>{5, 4, 3}));
    doc.printed.clear();
    ASSERT_EQ(doc.PrintPages(QStringLiteral("4,9,7-12")), 1); // beyond the count: skipped
    EXPECT_EQ(doc.printed, (std::vector<int>{4}));
    EXPECT_EQ(pdfPages(path("job3.pdf")), 1);
    doc.printed.clear();
    EXPECT_EQ(doc.PrintPages(QStringLiteral("0")), 0);
    EXPECT_EQ(doc.PrintPages(QStringLiteral(",1")), 0);
    EXPECT_EQ(doc.PrintPages(QStringLiteral("8")), 1); // nothing to print, no file asked
    EXPECT_TRUE(doc.printed.empty());
    EXPECT_EQ(asked, 3);
    ASSERT_EQ(doc.PrintPage(2), 1);
    EXPECT_EQ(doc.printed, (std::vector<int>{2}));
    doc.printed.clear();
    ASSERT_EQ(doc.Print(), 1);
    EXPECT_EQ(doc.printed, (std::vector<int>{1, 2, 3, 4, 5, 6}));

    // Cancelling the file name prints nothing.
    MorPrint::SetFileNameHook(
        [](QWidget*, const QString&, const QString&, bool, const QString&) { return QString(); });
    doc.printed.clear();
    EXPECT_EQ(doc.Print(), 0);
    EXPECT_TRUE(doc.printed.empty());
}

TEST_F(PageroTest, PdfPrinterAsksForTheFileEveryTimeAndNeverOverwritesUnasked) {
    RecordingDoc doc;
    ASSERT_EQ(doc.Init(folder(), 100, 14, 80), 1);
    writePages(doc, 2);
    // The printer set-up chose the PDF printer with a file of its own.
    const QString chosen = QDir(path("ales")).filePath(QStringLiteral("din-dialog.pdf"));
    QDir().mkpath(path("ales"));
    MorPrint::SetPrinterSetupHook([&](QPrinter& printer, QWidget*) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(chosen);
        return true;
    });
    ASSERT_TRUE(doc.RunPrinterSetup(nullptr));

    QStringList offered;
    QString answer = path("raport"); // ".pdf" is added
    MorPrint::SetFileNameHook(
        [&](QWidget*, const QString&, const QString&, bool, const QString& suggested) {
            offered << suggested;
            return answer;
        });
    int questions = 0;
    bool replace = false;
    MorPrint::SetQuestionHook([&](const QString& text, const QString&) {
        ++questions;
        EXPECT_NE(text.indexOf(path("raport.pdf")), -1);
        return replace;
    });
    const QString today = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
    ASSERT_EQ(doc.Print(), 1);
    EXPECT_EQ(questions, 0);
    EXPECT_FALSE(QFileInfo::exists(chosen)); // the set-up's file is only a suggestion
    const QByteArray first = readFile(path("raport.pdf"));
    ASSERT_FALSE(first.isEmpty());
    // Offered: the document's first line and the date, in the set-up's folder ...
    ASSERT_EQ(offered.size(), 1);
    EXPECT_TRUE(offered[0] == QDir(path("ales"))
                                  .filePath(QStringLiteral("RAPORT_DE_PROBA_Pagina_1_") + today +
                                            QStringLiteral(".pdf")))
        << offered[0].toStdString();
    // ... then in the folder of the last PDF.
    doc.printed.clear();
    EXPECT_EQ(doc.Print(), 0); // asked again; the existing file is kept on "No"
    EXPECT_EQ(offered.size(), 2);
    EXPECT_TRUE(offered[1].startsWith(folder() + QLatin1Char('/'))) << offered[1].toStdString();
    EXPECT_EQ(questions, 1);
    EXPECT_TRUE(doc.printed.empty());
    EXPECT_EQ(readFile(path("raport.pdf")), first);
    EXPECT_TRUE(doc.GetLastError().isEmpty()); // a choice, not a failure
    replace = true;
    EXPECT_EQ(doc.PrintPage(2), 1);
    EXPECT_EQ(questions, 2);
    EXPECT_EQ(pdfPages(path("raport.pdf")), 1);
}

TEST_F(PageroTest, ThreePagePdfReadsBackAsTheLaidOutLines) {
    TestDoc doc;
    ASSERT_EQ(doc.Init(folder(), 120, 14, 100), 1);
    doc.SetUserMargins(QMargins(5, 5, 5, 5));
    writePages(doc, 3);
    ASSERT_EQ(doc.GetPageCount(), 3);
    ASSERT_EQ(doc.SaveToPDFFile(path("doc.pdf")), 1);
    ASSERT_EQ(pdfPages(path("doc.pdf")), 3);
    const QString text = runTool(QStringLiteral("pdftotext"),
                                 {QStringLiteral("-layout"), path("doc.pdf"), QStringLiteral("-")});
    ASSERT_FALSE(text.isEmpty());
    const QStringList pages = text.split(QLatin1Char('\f'));
    for (int p = 1; p <= 3; ++p) {
        // Non-blank laid-out lines, in order, each read back whole (blanks inside squeezed).
        QStringList expected, got;
        for (const std::string& line : doc.page(p))
            if (!QString::fromStdString(line).trimmed().isEmpty())
                expected << QString::fromStdString(line).simplified();
        for (const QString& line : pages.value(p - 1).split(QLatin1Char('\n')))
            if (!line.trimmed().isEmpty())
                got << line.simplified();
        EXPECT_EQ(got, expected) << "page " << p;
    }
}

TEST_F(PageroTest, BarcodeIsDrawnInsideItsLineSlot) {
    const QString payload = QStringLiteral("21^12345678^2024^5^987654");
    const QString below = QString(90, QLatin1Char('X'));
    auto build = [&](RecordingDoc& doc, bool withBarcode) {
        ASSERT_EQ(doc.Init(folder(), 120, 0, 100), 1);
        doc.SetUserMargins(QMargins(5, 5, 5, 5));
        doc.QWriteLn(QStringLiteral("deasupra ") + QString(80, QLatin1Char('Y')), 3);
        if (withBarcode)
            doc.QWriteBarCode(QStringLiteral(" ") + payload + QStringLiteral(" "), 3);
        else
            doc.QWriteLn(QString(), 3);
        doc.QWriteLn(below, 3);
        ASSERT_EQ(doc.GetPageCount(), 1);
    };
    RecordingDoc with, without;
    build(with, true);
    build(without, false);
    QImage a = pageImage(with.GetPageWidth(), with.GetPageHeight());
    QImage b = a.copy();
    with.renderPage(a, 1);
    without.renderPage(b, 1);
    // Every pixel the barcode adds lies within line 1's slot, at the left margin.
    const double px = 6.0; // pixels per hundredth of an inch
    const int slotTop = int((with.topMargin() + with.lineHeight()) * px);
    const int slotBottom = int((with.topMargin() + 2 * with.lineHeight()) * px);
    int minX = a.width(), maxX = -1, minY = a.height(), maxY = -1;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) {
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
                minY = std::min(minY, y);
                maxY = std::max(maxY, y);
            }
    ASSERT_GE(maxX, 0) << "no barcode drawn";
    EXPECT_GE(minY, slotTop);
    EXPECT_LT(maxY, slotBottom);
    // The bars start after the quiet zone of 10 modules.
    EXPECT_NEAR(minX, (with.leftMargin() + 10) * px, 1.0);
    EXPECT_LT(maxX, a.width());
    // Across the slot the bars are the Code 128 symbol of the payload, 0.254 mm a module.
    const std::vector<int> expected = code128Modules(payload.toLatin1().constData());
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(modulesOfRow(a, (minY + maxY) / 2, minX, maxX + 1, px), expected);
    // The barcode line's own text is not printed.
    EXPECT_EQ(with.GetPageLine(1, 1).trimmed(), QStringLiteral("@@BC:") + payload);
}

TEST_F(PageroTest, BarcodeInTheSavedPdfDecodesAt300Dpi) {
    if (QStandardPaths::findExecutable(QStringLiteral("zbarimg")).isEmpty())
        GTEST_SKIP() << "zbarimg (zbar-tools) is not installed";
    // With no margin the quiet zone still lies on the page.
    const std::pair<const char*, int> cases[] = {{"21^RO12345678^2024^5^987654", 0},
                                                 {"VORTAPL-1", 5}};
    for (const auto& [payload, margin] : cases) {
        SCOPED_TRACE(payload);
        {
            TestDoc doc;
            ASSERT_EQ(doc.Init(folder(), 120, 14, 125), 1);
            doc.SetUserMargins(QMargins(margin, 5, margin, 5));
            doc.QWriteLn(QStringLiteral("Antet@@R:Pagina %d"), 1);
            doc.QWriteBarCode(QString::fromLatin1(payload), 3);
            doc.QWriteLn(QStringLiteral("Text sub cod: ") + QString(100, QLatin1Char('X')), 3);
            const QString pdf = path("cod.pdf");
            ASSERT_EQ(doc.SaveToPDFFile(pdf), 1);
            const QString png = path("cod");
            QFile::remove(png + QStringLiteral(".png"));
            QProcess::execute(QStringLiteral("pdftoppm"),
                              {QStringLiteral("-r"), QStringLiteral("300"), QStringLiteral("-gray"),
                               QStringLiteral("-png"), QStringLiteral("-H"), QStringLiteral("600"),
                               QStringLiteral("-singlefile"), pdf, png});
            ASSERT_TRUE(QFile::exists(png + QStringLiteral(".png")));
            const QString decoded =
                runTool(QStringLiteral("zbarimg"),
                        {QStringLiteral("--quiet"), QStringLiteral("-Sdisable"),
                         QStringLiteral("-Scode128.enable"), png + QStringLiteral(".png")});
            EXPECT_EQ(decoded.trimmed(), QStringLiteral("CODE-128:") + QString::fromLatin1(payload))
                << margin;
        }
    }
}

TEST_F(PageroTest, BarcodeGrowsOnlyIntoBlankLinesBelowIt) {
    RecordingDoc doc;
    ASSERT_EQ(doc.Init(folder(), 120, 0, 100), 1);
    doc.SetUserMargins(QMargins(5, 5, 5, 5));
    doc.QWriteBarCode(QStringLiteral("VORTAPL-123"), 3);
    for (int i = 0; i < 6; ++i)
        doc.QWriteLn(QString(), 3);
    doc.QWriteLn(QStringLiteral("@@R:text"), 3); // clear of the column scanned below
    ASSERT_EQ(doc.GetPageCount(), 1);
    QImage image = pageImage(doc.GetPageWidth(), doc.GetPageHeight());
    doc.renderPage(image, 1);
    const int x = int((doc.leftMargin() + 10) * 6) + 2; // inside the start pattern's first bar
    int top = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        if (dark(image.pixel(x, y))) {
            if (top < 0)
                top = y;
            bottom = y;
        }
    ASSERT_GE(top, 0);
    const double lh = doc.lineHeight() * 6.0;
    const double y0 = doc.topMargin() * 6.0;
    EXPECT_GE(top, y0);
    EXPECT_LE(bottom - top + 1, 36 * 6); // the barcode height: 36 hundredths of an inch
    EXPECT_GT(bottom - top + 1, lh);     // taller than one line
    EXPECT_LT(bottom, y0 + 7 * lh);      // never down to the text line
}

TEST_F(PageroTest, PreviewNavigationWithOnePage) {
    TestDoc doc;
    ASSERT_EQ(doc.Init(folder(), 100, 14, 80), 1);
    doc.QWriteLn(QStringLiteral("o singura pagina"), 3);
    bool shown = false;
    MorPrint::SetDialogHook([&](QDialog& dlg) {
        shown = true;
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Previzualizare Tiparire"));
        for (const char* name : {"btnInceput", "btnPrev", "btnNext", "btnSfarsit"})
            EXPECT_FALSE(child<QPushButton>(dlg, name)->isEnabled()) << name;
        EXPECT_EQ(child<QLabel>(dlg, "lblPage")->text(), QStringLiteral("1 / 1"));
        auto* range = child<QComboBox>(dlg, "cmbRange");
        EXPECT_EQ(range->count(), 5);
        EXPECT_EQ(range->itemText(0), QStringLiteral("Documentul"));
        EXPECT_EQ(range->itemText(4), QStringLiteral("Paginile ..."));
        EXPECT_EQ(range->currentIndex(), 0);
        EXPECT_FALSE(child<QLineEdit>(dlg, "editPages")->isVisibleTo(&dlg));
        range->setCurrentIndex(4);
        EXPECT_TRUE(child<QLineEdit>(dlg, "editPages")->isVisibleTo(&dlg));
        EXPECT_FALSE(child<QPushButton>(dlg, "btnSalvez")->isVisibleTo(&dlg));
        EXPECT_FALSE(child<QPushButton>(dlg, "btnIncarc")->isVisibleTo(&dlg));
        return 0;
    });
    EXPECT_EQ(doc.Preview(1), 0);
    EXPECT_TRUE(shown);
}

TEST_F(PageroTest, PreviewNavigationWithSeveralPages) {
    TestDoc doc;
    ASSERT_EQ(doc.Init(folder(), 100, 14, 80), 1);
    writePages(doc, 4);
    MorPrint::SetDialogHook([&](QDialog& dlg) {
        auto* first = child<QPushButton>(dlg, "btnInceput");
        auto* prev = child<QPushButton>(dlg, "btnPrev");
        auto* next = child<QPushButton>(dlg, "btnNext");
        auto* last = child<QPushButton>(dlg, "btnSfarsit");
        auto* label = child<QLabel>(dlg, "lblPage");
        auto state = [&] {
            return std::to_string(first->isEnabled()) + std::to_string(prev->isEnabled()) +
                   std::to_string(next->isEnabled()) + std::to_string(last->isEnabled()) + " " +
                   label->text().toStdString();
        };
        EXPECT_EQ(state(), "0011 1 / 4");
        QTest::mouseClick(next, Qt::LeftButton);
        EXPECT_EQ(state(), "1111 2 / 4");
        QTest::mouseClick(last, Qt::LeftButton);
        EXPECT_EQ(state(), "1100 4 / 4");
        QTest::mouseClick(prev, Qt::LeftButton);
        EXPECT_EQ(state(), "1111 3 / 4");
        QTest::mouseClick(first, Qt::LeftButton);
        EXPECT_EQ(state(), "0011 1 / 4");
        // Keyboard paging on the page view.
        QWidget* view = dlg.findChild<QScrollArea*>(QStringLiteral("scrollPage"))->viewport();
        QTest::keyClick(view, Qt::Key_PageDown);
        EXPECT_EQ(label->text(), QStringLiteral("2 / 4"));
        QTest::keyClick(view, Qt::Key_End);
        EXPECT_EQ(label->text(), QStringLiteral("4 / 4"));
        QTest::keyClick(view, Qt::Key_PageDown);
        EXPECT_EQ(label->text(), QStringLiteral("4 / 4"));
        QTest::keyClick(view, Qt::Key_PageUp);
        EXPECT_EQ(label->text(), QStringLiteral("3 / 4"));
        QTest::keyClick(view, Qt::Key_Home);
        EXPECT_EQ(label->text(), QStringLiteral("1 / 4"));
        // Zoom: fit width fills the view's width, fit page shows the whole page.
        dlg.resize(900, 700);
        dlg.show();
        QApplication::processEvents();
        auto* zoom = child<QComboBox>(dlg, "cmbZoom");
        QWidget* page = dlg.findChild<QWidget*>(QStringLiteral("pageView"));
        auto* scroll = dlg.findChild<QScrollArea*>(QStringLiteral("scrollPage"));
        zoom->setCurrentIndex(0);
        EXPECT_LE(page->width(), scroll->viewport()->width());
        EXPECT_GT(page->width(), scroll->viewport()->width() - 40);
        zoom->setCurrentIndex(1);
        EXPECT_LE(page->height(), scroll->viewport()->height());
        EXPECT_LE(page->width(), scroll->viewport()->width());
        const int fitPageWidth = page->width();
        zoom->setCurrentText(QStringLiteral("200%"));
        EXPECT_GT(page->width(), fitPageWidth);
        return 0;
    });
    EXPECT_EQ(doc.Preview(1), 0);
}

TEST_F(PageroTest, PreviewPrintsTheChosenRangeAndReportsWhat) {
    RecordingDoc doc;
    ASSERT_EQ(doc.Init(folder(), 100, 14, 80), 1);
    writePages(doc, 5);
    int files = 0;
    MorPrint::SetFileNameHook([&](QWidget*, const QString&, const QString&, bool, const QString&) {
        return path(qPrintable(QStringLiteral("preview%1.pdf").arg(++files)));
    });
    auto run = [&](std::function<void(QDialog&)> script) {
        MorPrint::SetDialogHook([&](QDialog& dlg) {
            script(dlg);
            return 0;
        });
        doc.printed.clear();
        return doc.Preview(1);
    };
    EXPECT_EQ(run([](QDialog& dlg) {
                  QTest::mouseClick(child<QPushButton>(dlg, "btnTipareste"), Qt::LeftButton);
              }),
              2);
    EXPECT_EQ(doc.printed, (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(run([](QDialog& dlg) {
                  QTest::mouseClick(child<QPushButton>(dlg, "btnNext"), Qt::LeftButton);
                  child<QComboBox>(dlg, "cmbRange")->setCurrentIndex(1);
                  QTest::mouseClick(child<QPushButton>(dlg, "btnTipareste"), Qt::LeftButton);
              }),
              1);
    EXPECT_EQ(doc.printed, (std::vector<int>{2}));
    EXPECT_EQ(run([](QDialog& dlg) {
                  child<QComboBox>(dlg, "cmbRange")->setCurrentIndex(2);
                  QTest::mouseClick(child<QPushButton>(dlg, "btnTipareste"), Qt::LeftButton);
                  child<QComboBox>(dlg, "cmbRange")->setCurrentIndex(3);
                  QTest::mouseClick(child<QPushButton>(dlg, "btnTipareste"), Qt::LeftButton);
              }),
              1);
    EXPECT_EQ(doc.printed, (std::vector<int>{2, 4, 1, 3, 5}));
    EXPECT_EQ(run([](QDialog& dlg) {
                  child<QComboBox>(dlg, "cmbRange")->setCurrentIndex(4);
                  QTest::keyClicks(child<QLineEdit>(dlg, "editPages"), QStringLiteral("5-4,1"));
                  QTest::mouseClick(child<QPushButton>(dlg, "btnTipareste"), Qt::LeftButton);
                  // The last request decides: the whole document.
                  child<QComboBox>(dlg, "cmbRange")->setCurrentIndex(0);
                  QTest::mouseClick(child<QPushButton>(dlg, "btnTipareste"), Qt::LeftButton);
              }),
              2);
    EXPECT_EQ(doc.printed, (std::vector<int>{5, 4, 1, 1, 2, 3, 4, 5}));
    // An invalid list prints nothing and changes nothing.
    EXPECT_EQ(run([](QDialog& dlg) {
                  child<QComboBox>(dlg, "cmbRange")->setCurrentIndex(4);
                  QTest::keyClicks(child<QLineEdit>(dlg, "editPages"), QStringLiteral(",1"));
                  QTest::mouseClick(child<QPushButton>(dlg, "btnTipareste"), Qt::LeftButton);
              }),
              0);
    EXPECT_TRUE(doc.printed.empty());
    // ... and says why.
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0],
              "Previzualizare: Tiparirea nu a reusit.\nLista de pagini \",1\" nu este valida.");
    m_messages.clear();

    // "Salveaza PDF" writes the whole document.
    run([](QDialog& dlg) {
        QTest::mouseClick(child<QPushButton>(dlg, "btnSalveazaPdf"), Qt::LeftButton);
    });
    EXPECT_EQ(pdfPages(path(qPrintable(QStringLiteral("preview%1.pdf").arg(files)))), 5);
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(PageroTest, PreviewRefusesMarginsThatAreTooLarge) {
    TestDoc doc;
    ASSERT_EQ(doc.Init(folder(), 100, 14, 80), 1);
    doc.SetUserMargins(QMargins(5, 5, 5, 5));
    writePages(doc, 3);
    QMargins typed;
    MorPrint::SetDialogHook([&](QDialog& dlg) {
        if (dlg.objectName() == QStringLiteral("marginsDialog")) {
            EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Margini"));
            // Opened with the current margins, back in millimetres.
            EXPECT_EQ(child<QLineEdit>(dlg, "editStanga")->text(), QStringLiteral("5"));
            EXPECT_EQ(child<QLineEdit>(dlg, "editJos")->text(), QStringLiteral("5"));
            for (auto [name, value] :
                 {std::pair{"editStanga", typed.left()}, std::pair{"editSus", typed.top()},
                  std::pair{"editDreapta", typed.right()}, std::pair{"editJos", typed.bottom()}}) {
                auto* e = child<QLineEdit>(dlg, name);
                e->clear();
                QTest::keyClicks(e, QString::number(value) +
                                        QStringLiteral("x")); // letters are refused
            }
            return int(QDialog::Accepted);
        }
        QTest::mouseClick(child<QPushButton>(dlg, "btnNext"), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>(dlg, "btnMargini"), Qt::LeftButton);
        return 0;
    });
    // A4 portrait: 1169 hundredths high; 150 + 150 mm = 1181 leave less than five lines.
    typed = QMargins(5, 150, 5, 150);
    doc.Preview(1);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0], "Margini: Margini prea mari!");
    EXPECT_EQ(doc.GetUserMargins(), QMargins(19, 19, 19, 19));
    // Too wide, too.
    typed = QMargins(100, 5, 100, 5);
    doc.Preview(1);
    EXPECT_EQ(m_messages.size(), 2u);
    EXPECT_EQ(doc.GetUserMargins(), QMargins(19, 19, 19, 19));
    // Acceptable margins are taken and the document is paged again.
    typed = QMargins(20, 30, 10, 40);
    doc.Preview(1);
    EXPECT_EQ(m_messages.size(), 2u);
    EXPECT_EQ(doc.GetUserMargins(), QMargins(78, 118, 39, 157));
    EXPECT_FALSE(doc.needsPaging());
    EXPECT_EQ(TestDoc::Conv(4, "x", 1), QByteArray("x   "));
}

TEST_F(PageroTest, NegativeAndHugeMarginsAreRefusedWithoutOverflow) {
    TestDoc doc;
    ASSERT_EQ(doc.Init(folder(), 100, 14, 80), 1);
    ASSERT_EQ(doc.SetUserMargins(QMargins(5, 5, 5, 5)), 1);
    writePages(doc, 3);
    const int pages = doc.GetPageCount();
    struct Case {
        QMargins mm;
        const char* message;
    };
    const Case cases[] = {
        {QMargins(-1, 5, 5, 5), "Margini: Marginile nu pot fi negative!"},
        {QMargins(5, INT_MIN, 5, INT_MIN), "Margini: Marginile nu pot fi negative!"},
        {QMargins(INT_MAX, 5, INT_MAX, 5),
         "Margini: Margini prea mari!"}, // the sum overflows an int
        {QMargins(5, INT_MAX, 5, 1), "Margini: Margini prea mari!"},
        {QMargins(5, 5, 300, 5), "Margini: Margini prea mari!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        m_messages.clear();
        EXPECT_EQ(doc.SetMarginsChecked(c.mm), 0);
        EXPECT_EQ(m_messages, std::vector<std::string>{c.message});
        // The library's own setter refuses them too, silently, with the reason kept.
        EXPECT_EQ(doc.SetUserMargins(c.mm), 0);
        EXPECT_NE(doc.GetLastError().indexOf(QStringLiteral("Margini incorecte")), -1);
        EXPECT_EQ(doc.GetUserMargins(), QMargins(19, 19, 19, 19));
        EXPECT_EQ(doc.GetPageCount(), pages);
    }
}

TEST_F(PageroTest, PageKeysTurnPagesWhateverHasTheFocus) {
    TestDoc doc;
    ASSERT_EQ(doc.Init(folder(), 100, 14, 80), 1);
    writePages(doc, 4);
    MorPrint::SetDialogHook([&](QDialog& dlg) {
        auto* label = child<QLabel>(dlg, "lblPage");
        auto* range = child<QComboBox>(dlg, "cmbRange");
        auto* zoom = child<QComboBox>(dlg, "cmbZoom");
        auto* edit = child<QLineEdit>(dlg, "editPages");
        range->setCurrentIndex(4); // shows the page list's edit box
        const int zoomIndex = zoom->currentIndex();
        for (QWidget* w : std::initializer_list<QWidget*>{
                 range, zoom, edit, child<QPushButton>(dlg, "btnTipareste")}) {
            SCOPED_TRACE(w->objectName().toStdString());
            QTest::keyClick(w, Qt::Key_PageDown);
            EXPECT_EQ(label->text(), QStringLiteral("2 / 4"));
            QTest::keyClick(w, Qt::Key_PageDown);
            EXPECT_EQ(label->text(), QStringLiteral("3 / 4"));
            QTest::keyClick(w, Qt::Key_PageUp);
            QTest::keyClick(w, Qt::Key_PageUp);
            EXPECT_EQ(label->text(), QStringLiteral("1 / 4"));
        }
        // The combo boxes kept their choice.
        EXPECT_EQ(range->currentIndex(), 4);
        EXPECT_EQ(zoom->currentIndex(), zoomIndex);
        // In the edit box Home and End move the cursor, not the page.
        QTest::keyClicks(edit, QStringLiteral("1-3"));
        QTest::keyClick(edit, Qt::Key_Home);
        EXPECT_EQ(edit->cursorPosition(), 0);
        QTest::keyClick(edit, Qt::Key_End);
        EXPECT_EQ(edit->cursorPosition(), 3);
        EXPECT_EQ(label->text(), QStringLiteral("1 / 4"));
        return 0;
    });
    doc.Preview(1);
}

TEST_F(PageroTest, PreviewPrinterSetupRepagesOrReportsAnError) {
    TestDoc doc;
    ASSERT_EQ(doc.Init(folder(), 100, 14, 80), 1);
    writePages(doc, 3);
    const int portraitLines = doc.GetLinesOnPage();
    MorPrint::SetPrinterSetupHook([](QPrinter& printer, QWidget*) {
        printer.setPageOrientation(QPageLayout::Landscape);
        return true;
    });
    QString labelAfter;
    MorPrint::SetDialogHook([&](QDialog& dlg) {
        QTest::mouseClick(child<QPushButton>(dlg, "btnSfarsit"), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>(dlg, "btnImprimanta"), Qt::LeftButton);
        labelAfter = child<QLabel>(dlg, "lblPage")->text();
        return 0;
    });
    doc.Preview(1);
    EXPECT_EQ(doc.GetFlags() & 1, 1); // the chosen orientation is the document's
    EXPECT_EQ(doc.GetPageWidth(), 1169);
    EXPECT_LT(doc.GetLinesOnPage(), portraitLines);
    EXPECT_TRUE(labelAfter.startsWith(QStringLiteral("1 / ")));
    EXPECT_TRUE(m_messages.empty());

    // A printer that cannot be used: the message, and the previous printer stays.
    MorPrint::SetPrinterSetupHook([](QPrinter& printer, QWidget*) {
        printer.setPageLayout(QPageLayout(QPageSize(QSizeF(20, 20), QPageSize::Millimeter),
                                          QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                                          QPageLayout::Millimeter, QMarginsF(10, 10, 10, 10)));
        return true;
    });
    doc.Preview(1);
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0], "Previzualizare: Eroare la initializarea imprimantei!\n"
                             "Va rugam sa verificati imprimanta default si sa reincercati.");
    EXPECT_EQ(doc.GetPageWidth(), 1169);
    EXPECT_EQ(doc.GetPageCount(), 3);
    // Cancel changes nothing.
    MorPrint::SetPrinterSetupHook([](QPrinter& printer, QWidget*) {
        printer.setPageOrientation(QPageLayout::Portrait);
        return false;
    });
    doc.Preview(1);
    EXPECT_EQ(doc.GetPageWidth(), 1169);
}

TEST_F(PageroTest, PreviewSavesAndLoadsDocuments) {
    TestDoc doc;
    ASSERT_EQ(doc.Init(folder(), 100, 14, 80), 1);
    writePages(doc, 2);
    QString next;
    MorPrint::SetFileNameHook(
        [&](QWidget*, const QString&, const QString&, bool, const QString&) { return next; });
    MorPrint::SetDialogHook([&](QDialog& dlg) {
        if (dlg.objectName() == QStringLiteral("documentNameDialog")) {
            EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Morvel Print Preview"));
            QTest::keyClicks(child<QLineEdit>(dlg, "editNume"), QStringLiteral("  Raport  "));
            return int(QDialog::Accepted);
        }
        for (const char* file : {"a.txt", "b.mpd", "c.ipd"}) {
            next = path(file);
            child<QPushButton>(dlg, "btnSalvez")->click();
        }
        next = path("b.mpd");
        child<QPushButton>(dlg, "btnIncarc")->click();
        EXPECT_TRUE(child<QComboBox>(dlg, "cmbDocs")->isVisibleTo(&dlg));
        EXPECT_EQ(child<QComboBox>(dlg, "cmbDocs")->itemText(0), QStringLiteral("Raport"));
        next = path("a.txt"); // not a document
        child<QPushButton>(dlg, "btnIncarc")->click();
        EXPECT_EQ(child<QLabel>(dlg, "lblPage")->text(), QStringLiteral("1 / 2"));
        return 0;
    });
    doc.Preview(1);
    EXPECT_TRUE(QFile::exists(path("a.txt")));
    EXPECT_TRUE(MorPrint::ValidIPDHead(path("c.ipd")));
    ASSERT_EQ(m_messages.size(), 1u);
    // The known message, and below it the reason with the file's name.
    EXPECT_EQ(m_messages[0].rfind("Previzualizare: Fisierul nu este intr-un format cunoscut!\n", 0),
              0u);
    EXPECT_NE(m_messages[0].find(path("a.txt").toStdString()), std::string::npos);
}

TEST_F(PageroTest, PreviewReportsFailedSavesAndPrints) {
    TestDoc doc;
    ASSERT_EQ(doc.Init(folder(), 100, 14, 80), 1);
    writePages(doc, 2);
    const QString missing = path("nu/exista");
    QString next;
    MorPrint::SetFileNameHook(
        [&](QWidget*, const QString&, const QString&, bool, const QString&) { return next; });
    struct Case {
        const char* button;
        const char* file;
        const char* message;
    };
    const Case cases[] = {
        {"btnSalvez", "doc.ipd", "Documentul nu a fost salvat."},
        {"btnSalvez", "doc.txt", "Documentul nu a fost salvat."},
        {"btnSalveazaPdf", "doc.pdf", "Fisierul PDF nu poate fi scris:"},
        {"btnTipareste", "doc.pdf", "Tiparirea nu a reusit."}, // the PDF printer writes a file
    };
    MorPrint::SetDialogHook([&](QDialog& dlg) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.file);
            m_messages.clear();
            next = missing + QLatin1Char('/') + QLatin1String(c.file);
            child<QPushButton>(dlg, c.button)->click();
            EXPECT_EQ(m_messages.size(), 1u);
            if (m_messages.empty())
                continue;
            EXPECT_EQ(m_messages[0].rfind(std::string("Previzualizare: ") + c.message, 0), 0u)
                << m_messages[0];
            EXPECT_NE(m_messages[0].find(next.toStdString()), std::string::npos) << m_messages[0];
        }
        // A cancelled file name is no failure.
        m_messages.clear();
        next.clear();
        child<QPushButton>(dlg, "btnTipareste")->click();
        EXPECT_TRUE(m_messages.empty());
        return 0;
    });
    EXPECT_EQ(doc.Preview(1), 0);
    EXPECT_FALSE(QFileInfo::exists(missing));
}

TEST_F(PageroTest, PreviewOfADocumentWithoutPagesSaysSo) {
    TestDoc doc;
    ASSERT_EQ(doc.Init(folder(), 100, 14, 40), 1);
    const int L = doc.GetLinesOnPage();
    for (int i = 0; i < L; ++i)
        doc.QWriteLn(QStringLiteral("antet %1").arg(i), 1);
    doc.QWriteLn(QStringLiteral("corp"), 3);
    ASSERT_EQ(doc.GetPageCount(), 0);
    MorPrint::SetDialogHook([&](QDialog& dlg) {
        EXPECT_EQ(child<QLabel>(dlg, "lblPage")->text(), QStringLiteral("Fara pagini"));
        for (const char* name :
             {"btnTipareste", "btnSalveazaPdf", "btnInceput", "btnPrev", "btnNext", "btnSfarsit"})
            EXPECT_FALSE(child<QPushButton>(dlg, name)->isEnabled()) << name;
        EXPECT_FALSE(child<QComboBox>(dlg, "cmbRange")->isEnabled());
        // The page view draws the notice instead of a page.
        QWidget* view = dlg.findChild<QWidget*>(QStringLiteral("pageView"));
        QImage shot(view->size(), QImage::Format_RGB32);
        view->render(&shot);
        return 0;
    });
    EXPECT_EQ(doc.Preview(1), 0);
    EXPECT_EQ(doc.Print(), 0);
    EXPECT_NE(doc.GetLastError().indexOf(QStringLiteral("nu are pagini")), -1);
}

// Draws the preview of a real document; with PAGERO_SCREENSHOT set the dialog is shown and
// saved there as PNG (run under a virtual display to look at it).
TEST_F(PageroTest, PreviewShowsThePageItsLinesAndTheBarcode) {
    TestDoc doc;
    ASSERT_EQ(doc.Init(folder(), 12, 14, 125), 1);
    doc.SetUserMargins(QMargins(5, 5, 5, 5));
    doc.QWriteBarCode(QStringLiteral("21^RO12345678^2024^5^987654"), 1);
    doc.QWriteLn(QStringLiteral(" @@R: VORTAPL: 987654"), 1);
    doc.QWriteLn(QStringLiteral("Pagina: %d @@C: EXTRAS DIN STATUL DE PLATA @@R: Data: 05-06-2024"),
                 2);
    doc.QWriteLn(QString(), 3);
    doc.QWriteLn(QStringLiteral("Judetul: Cluj"), 3);
    doc.QWriteLn(QStringLiteral("Cod Fiscal: RO12345678 @@C:EXTRAS DIN STATUL DE PLATA"), 3);
    doc.QWriteLn(QStringLiteral("Angajator: SC Ţesătoria Bârsei SRL @@C: Luna 5 Anul 2024"), 3);
    doc.QWriteLn(QStringLiteral(" ") + QString(123, QLatin1Char('-')), 3);
    doc.QWriteLn(
        QStringLiteral("@@TAB:| Nr.|  Cod Numeric  |    Numele si prenumele       | Venit brut |"),
        3);
    doc.QWriteLn(QStringLiteral(" ") + QString(123, QLatin1Char('-')), 3);
    for (int i = 1; i <= 120; ++i)
        doc.QWriteLn(QStringLiteral("|%1| 1800101%2 | %3 |%4 |")
                         .arg(i, 4)
                         .arg(123400 + i)
                         .arg(QStringLiteral("Popescu Ştefan Ionuţ %1").arg(i).leftJustified(28))
                         .arg(2500 + i * 7, 11),
                     3);
    ASSERT_EQ(doc.GetPageCount(), 2);
    QImage shot;
    MorPrint::SetDialogHook([&](QDialog& dlg) {
        dlg.resize(1000, 900);
        dlg.show();
        QTest::qWait(200);
        shot = dlg.grab().toImage();
        return 0;
    });
    doc.Preview(1);
    ASSERT_FALSE(shot.isNull());
    const QByteArray target = qgetenv("PAGERO_SCREENSHOT");
    if (!target.isEmpty())
        shot.save(QString::fromLocal8Bit(target));
    // The page is drawn: white paper with dark text on it.
    int white = 0, black = 0;
    for (int y = 100; y < shot.height(); y += 3)
        for (int x = 0; x < shot.width(); x += 3) {
            const int g = qGray(shot.pixel(x, y));
            white += g > 250;
            black += g < 60;
        }
    EXPECT_GT(white, 1000);
    EXPECT_GT(black, 100);
}
