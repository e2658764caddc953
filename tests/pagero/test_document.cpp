// The pagero document: writing lines, the working files, page metrics and paging.
#include "PageroTestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QtEndian>

#include <cmath>

namespace {

uint16_t u16(const QByteArray& b, int at) {
    return qFromLittleEndian<quint16>(b.constData() + at);
}
int32_t i32(const QByteArray& b, int at) {
    return qFromLittleEndian<qint32>(b.constData() + at);
}

// The document of the byte fixture doc1.ipd.
void writeDoc1(MorPrint& doc, const QString& dir) {
    ASSERT_EQ(doc.Init(dir, 120, 14, 100), 1);
    doc.SetUserMargins(QMargins(5, 10, 15, 20));
    ASSERT_EQ(doc.QWriteLn(QStringLiteral("Antet pagina %d"), 1), 1);
    ASSERT_EQ(doc.QWriteLn(QStringLiteral("Subsol@@R:sfarsit"), 2), 1);
    ASSERT_EQ(doc.QWriteLn(QStringLiteral("Linie cu diacritice: ĂÂÎŞŢ ăâîşţ ȘșȚț"), 3), 1);
    ASSERT_EQ(doc.QWriteLn(QStringLiteral("ascuns"), 4), 1);
}

} // namespace

TEST_F(PageroTest, InitCreatesWorkingFilesAndUninitRemovesThemOnce) {
    QString ipd, dpd;
    {
        TestDoc doc;
        ASSERT_EQ(doc.Init(folder() + QStringLiteral("/LISTE"), 10, 14, 95), 1);
        ipd = doc.GetIPDFileName();
        dpd = doc.GetDPDFileName();
        EXPECT_TRUE(QFileInfo(ipd).fileName().startsWith(QStringLiteral("ipd")));
        EXPECT_TRUE(QFileInfo(dpd).fileName().startsWith(QStringLiteral("dpd")));
        EXPECT_EQ(QFileInfo(ipd).absolutePath(),
                  QDir(folder() + QStringLiteral("/LISTE")).absolutePath());
        EXPECT_TRUE(QFile::exists(ipd));
        EXPECT_TRUE(QFile::exists(dpd));
        // The requested size is raised to 5 points and kept in the IPD header.
        EXPECT_EQ(u16(readFile(ipd), 10), 50);
        doc.Uninit();
        EXPECT_FALSE(QFile::exists(ipd));
        EXPECT_FALSE(QFile::exists(dpd));
        EXPECT_TRUE(doc.GetIPDFileName().isEmpty());
    } // the destructor's Uninit finds nothing left
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(PageroTest, DefaultPrinterWithoutSystemPrinterIsA4PdfAt600Dpi) {
    TestDoc doc;
    ASSERT_EQ(doc.Init(folder(), 100, 14, 100), 1);
    QPrinter* printer = doc.GetPrinter();
    ASSERT_NE(printer, nullptr);
    EXPECT_EQ(printer->outputFormat(), QPrinter::PdfFormat);
    EXPECT_EQ(printer->resolution(), 600);
    EXPECT_EQ(printer->pageLayout().pageSize().id(), QPageSize::A4);
    EXPECT_EQ(doc.GetPageWidth(), 826);   // trunc(210 mm * 3.937)
    EXPECT_EQ(doc.GetPageHeight(), 1169); // trunc(297 mm * 3.937)
}

TEST_F(PageroTest, InitFailsWithoutAUsablePrinter) {
    MorPrint::SetDefaultPrinterFactory([] { return std::unique_ptr<QPrinter>(); });
    TestDoc none;
    EXPECT_EQ(none.Init(folder(), 100, 14, 100), 0);

    // A printer that exists but whose page leaves nothing printable cannot be used either.
    MorPrint::SetDefaultPrinterFactory([] {
        auto p = MorPrint::MakePdfPrinter();
        p->setPageLayout(QPageLayout(QPageSize(QSizeF(20, 20), QPageSize::Millimeter),
                                     QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                                     QPageLayout::Millimeter, QMarginsF(10, 10, 10, 10)));
        return p;
    });
    TestDoc broken;
    EXPECT_EQ(broken.Init(folder(), 100, 14, 100), 0);
}

TEST_F(PageroTest, IpdFileMatchesFixtureByteForByte) {
    TestDoc doc;
    writeDoc1(doc, folder());
    ASSERT_EQ(doc.SaveToIPDFile(path("out.ipd")), 1);
    EXPECT_EQ(readFile(path("out.ipd")), readFile(fixture("doc1.ipd")));
    // The working file is the same document and stays writable after the save.
    EXPECT_EQ(readFile(doc.GetIPDFileName()), readFile(fixture("doc1.ipd")));
    EXPECT_EQ(doc.QWriteLn(QStringLiteral("dupa"), 3), 1);
    const QByteArray after = readFile(doc.GetIPDFileName());
    EXPECT_EQ(after.toHex().toStdString(),
              (readFile(fixture("doc1.ipd")) + QByteArray("Bdupa\0", 6)).toHex().toStdString());
}

TEST_F(PageroTest, MarginsAreStoredAsTruncatedHundredthsOfAnInch) {
    TestDoc doc;
    ASSERT_EQ(doc.Init(folder(), 100, 14, 100), 1);
    doc.SetUserMargins(QMargins(5, 1, 25, 0));
    EXPECT_EQ(doc.GetUserMargins(), QMargins(19, 3, 98, 0)); // 19.685, 3.937, 98.425, 0
    const QByteArray head = readFile(doc.GetIPDFileName());
    EXPECT_EQ(i32(head, 12), 19);
    EXPECT_EQ(i32(head, 16), 3);
    EXPECT_EQ(i32(head, 20), 98);
    EXPECT_EQ(i32(head, 24), 0);
    doc.SetFlags(6);
    EXPECT_EQ(doc.GetFlags(), 6);
    EXPECT_EQ(u16(readFile(doc.GetIPDFileName()), 28), 6);
}

TEST_F(PageroTest, DpdFileHoldsHeaderAndPagesOfExactlyLLinesOfWCharacters) {
    TestDoc doc;
    ASSERT_EQ(doc.Init(folder(), 100, 14, 60), 1);
    doc.SetUserMargins(QMargins(5, 5, 5, 5));
    doc.QWriteLn(QStringLiteral("Antet"), 1);
    doc.QWriteLn(QStringLiteral("Subsol"), 2);
    const int L = doc.GetLinesOnPage();
    for (int i = 0; i < 2 * L; ++i)
        doc.QWriteLn(QStringLiteral("linia %1").arg(i), 3);
    const int pages = doc.GetPageCount();
    ASSERT_GE(pages, 2);
    const int W = doc.GetCharsPerLine();
    EXPECT_EQ(W, 60);
    const QByteArray dpd = readFile(doc.GetDPDFileName());
    ASSERT_EQ(dpd.size(), 36 + pages * L * W);
    EXPECT_EQ(u16(dpd, 0), 0x4D56);
    EXPECT_EQ(u16(dpd, 2), 1);
    EXPECT_EQ(u16(dpd, 4), 2);
    EXPECT_EQ(u16(dpd, 6), 1);
    EXPECT_EQ(u16(dpd, 8), 36);
    EXPECT_EQ(u16(dpd, 10), doc.GetFont());
    EXPECT_EQ(i32(dpd, 12), 19);
    EXPECT_EQ(i32(dpd, 16), 19);
    EXPECT_EQ(i32(dpd, 20), 19);
    EXPECT_EQ(i32(dpd, 24), 19);
    EXPECT_EQ(u16(dpd, 28), W);
    EXPECT_EQ(u16(dpd, 30), L);
    EXPECT_EQ(u16(dpd, 32), 1);         // the blank line below the one header line
    EXPECT_EQ(u16(dpd, 34), L - 1 - 1); // the blank line above the one footer line
    // Page 1: header, blank, body lines, blank, footer; no separators between lines.
    const QByteArray page1 = dpd.mid(36, L * W);
    EXPECT_EQ(page1.mid(0, W), padded("Antet", W).c_str());
    EXPECT_EQ(page1.mid(W, W), QByteArray(W, ' '));
    EXPECT_EQ(page1.mid(2 * W, W), padded("linia 0", W).c_str());
    EXPECT_EQ(page1.mid((L - 2) * W, W), QByteArray(W, ' '));
    EXPECT_EQ(page1.mid((L - 1) * W, W), padded("Subsol", W).c_str());
    // Page 2 goes on where page 1 stopped.
    const int perPage = L - 4;
    EXPECT_EQ(dpd.mid(36 + L * W + 2 * W, W),
              padded("linia " + std::to_string(perPage), W).c_str());
}

TEST_F(PageroTest, HeaderAndFooterLinesAreRefusedAfterTheFirstBodyLine) {
    TestDoc doc;
    ASSERT_EQ(doc.Init(folder(), 100, 14, 40), 1);
    EXPECT_EQ(doc.QWriteLn(QStringLiteral("Antet"), 1), 1);
    EXPECT_EQ(doc.QWriteLn(QStringLiteral("corp"), 3), 1);
    const QByteArray before = readFile(doc.GetIPDFileName());
    EXPECT_EQ(doc.QWriteLn(QStringLiteral("Antet tarziu"), 1), 0);
    EXPECT_EQ(doc.QWriteLn(QStringLiteral("Subsol tarziu"), 2), 0);
    EXPECT_EQ(doc.QWriteLn(QStringLiteral("tip necunoscut"), 7), 0);
    EXPECT_EQ(readFile(doc.GetIPDFileName()), before);
    const auto page = doc.page(1);
    EXPECT_EQ(page[0], padded("Antet", 40));
    EXPECT_EQ(page[2], padded("corp", 40));
}

TEST_F(PageroTest, ConvPlacesLeftCentreAndRightParts) {
    EXPECT_EQ(TestDoc::Conv(20, "ABC@@C:Title@@R:Page %d", 3), QByteArray("ABC    Title  Page 3"));
    // Centre wider than the line: the surplus is cut evenly from its start; right: leading surplus.
    EXPECT_EQ(TestDoc::Conv(6, "@@C:0123456789", 1), QByteArray("234567"));
    EXPECT_EQ(TestDoc::Conv(6, "@@R:0123456789", 1), QByteArray("456789"));
    EXPECT_EQ(TestDoc::Conv(6, "0123456789", 1), QByteArray("012345"));
    // "@@R:" before "@@C:": the right part ends at the following "@@C:".
    EXPECT_EQ(TestDoc::Conv(11, "L@@R:dr@@C:mij", 1), QByteArray("L   mij  dr"));
    // Page numbers: width forms and "%%"; other conversions stay as written.
    EXPECT_EQ(TestDoc::Conv(16, "p%03d %% %s %x", 7), QByteArray("p007 % %s %x    "));
    EXPECT_EQ(TestDoc::Conv(12, "%-4ld|%.3i|", 9), QByteArray("9   |009|   "));
    // A barcode line is not formatted.
    EXPECT_EQ(TestDoc::Conv(12, "@@BC:12%d", 7), QByteArray("@@BC:12%d   "));
    EXPECT_EQ(TestDoc::Conv(4, "", 1), QByteArray("    "));
}

TEST_F(PageroTest, TabsTakeTheirColumnsAlikeInPagesTextAndWrapping) {
    struct Case {
        const char* text;
        const char* line;
    };
    const Case cases[] = {
        {"a\tb", "a       b           "},
        {"\tx", "        x           "},
        {"12345678\tx", "12345678        x   "},
        {"@@R:x\ty", "           x       y"}, // the right part keeps its own tab stops
        {"a\rb\x01"
         "c",
         "a b c               "}, // other control characters: one blank each
        {"%d\t|", "4       |           "},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TestDoc::Conv(20, c.text, 4), QByteArray(c.line)) << c.text;

    TestDoc doc;
    ASSERT_EQ(doc.Init(folder(), 100, 0, 20), 1);
    doc.QWriteLn(QStringLiteral("Nume\tSuma"), 3);
    doc.QWriteMultiLine(QStringLiteral("\tcuvant\tcuvant\tcuvant"), 0);
    ASSERT_EQ(doc.GetPageCount(), 1);
    EXPECT_EQ(doc.page(1)[0], "Nume    Suma        ");
    EXPECT_EQ(doc.page(1)[1], "        cuvant      ");
    EXPECT_EQ(doc.page(1)[2], "cuvant  cuvant      ");
    ASSERT_EQ(doc.SaveToTextFile(path("tab.txt")), 1);
    const QList<QByteArray> lines = readFile(path("tab.txt")).split('\n');
    EXPECT_EQ(lines.at(0), QByteArray("Nume    Suma        \r"));
    for (const QByteArray& line : lines.mid(0, doc.GetLinesOnPage())) {
        EXPECT_EQ(line.size(), 21);
        EXPECT_FALSE(line.contains('\t'));
    }
}

TEST_F(PageroTest, PageCountFollowsTheBodyCapacity) {
    for (uint16_t flags : {uint16_t(0), uint16_t(2), uint16_t(4), uint16_t(8), uint16_t(14)}) {
        TestDoc doc;
        ASSERT_EQ(doc.Init(folder(), 100, flags, 50), 1);
        doc.SetUserMargins(QMargins(5, 5, 5, 5));
        doc.QWriteLn(QStringLiteral("A1"), 1);
        doc.QWriteLn(QStringLiteral("A2"), 1);
        doc.QWriteLn(QStringLiteral("S1"), 2);
        const int L = doc.GetLinesOnPage();
        const int k = L - ((flags & 8) ? 2 : 0) - ((flags & 4) ? 3 : 0);
        ASSERT_GT(k, 0);
        EXPECT_EQ(doc.GetPageCount(), 1) << "flags " << flags; // no body line: one page
        int written = 0;
        for (int n : {1, k - 1, k, k + 1, 3 * k, 3 * k + 2}) {
            for (; written < n; ++written)
                doc.QWriteLn(QStringLiteral("r%1").arg(written), 3);
            EXPECT_EQ(doc.GetPageCount(), std::max(1, (n + k - 1) / k))
                << "flags " << flags << " n " << n;
            EXPECT_EQ(readFile(doc.GetDPDFileName()).size(), 36 + doc.GetPageCount() * L * 50);
        }
        // The last page is padded with blank lines (the footer stays in place).
        const auto last = doc.page(doc.GetPageCount());
        const int lastBody = ((flags & 4) ? 3 : 0) + 2 - 1; // two lines on the last page
        EXPECT_EQ(last[size_t(lastBody + 1)], std::string(50, ' '));
        if (flags & 8) {
            EXPECT_EQ(last[size_t(L - 1)], padded("S1", 50));
        }
    }
}

TEST_F(PageroTest, PageBreakLinesHonouredOnlyWithFlag2) {
    TestDoc doc;
    ASSERT_EQ(doc.Init(folder(), 100, 14, 40), 1);
    doc.QWriteLn(QStringLiteral("Antet"), 1);
    doc.QWriteLn(QStringLiteral("Subsol"), 2);
    doc.QWriteLn(QStringLiteral("unu"), 3);
    doc.TurnPage();
    doc.QWriteLn(QStringLiteral("doi"), 3);
    const int L = doc.GetLinesOnPage();
    ASSERT_EQ(doc.GetPageCount(), 2);
    auto p1 = doc.page(1);
    EXPECT_EQ(p1[2], padded("unu", 40));
    for (int i = 3; i < L - 2; ++i)
        EXPECT_EQ(p1[size_t(i)], std::string(40, ' '));
    EXPECT_EQ(p1[size_t(L - 1)], padded("Subsol", 40));
    EXPECT_EQ(doc.page(2)[2], padded("doi", 40));

    doc.SetFlags(12); // without page breaks "@@FF" is an ordinary line
    ASSERT_EQ(doc.GetPageCount(), 1);
    p1 = doc.page(1);
    EXPECT_EQ(p1[2], padded("unu", 40));
    EXPECT_EQ(p1[3], padded("@@FF", 40));
    EXPECT_EQ(p1[4], padded("doi", 40));
}

TEST_F(PageroTest, PageBreakAsFirstBodyLineOfAPageGivesAnEmptyPage) {
    TestDoc doc;
    ASSERT_EQ(doc.Init(folder(), 100, 14, 40), 1);
    doc.QWriteLn(QStringLiteral("Antet"), 1);
    doc.QWriteLn(QStringLiteral("Subsol"), 2);
    const int L = doc.GetLinesOnPage();
    const int k = L - 4;
    for (int i = 0; i < k; ++i)
        doc.QWriteLn(QStringLiteral("x%1").arg(i), 3);
    doc.TurnPage();
    doc.QWriteLn(QStringLiteral("dupa"), 3);
    ASSERT_EQ(doc.GetPageCount(), 3);
    const auto p2 = doc.page(2);
    EXPECT_EQ(p2[0], padded("Antet", 40));
    for (int i = 1; i < L - 1; ++i)
        EXPECT_EQ(p2[size_t(i)], std::string(40, ' ')) << i;
    EXPECT_EQ(p2[size_t(L - 1)], padded("Subsol", 40));
    EXPECT_EQ(doc.page(3)[2], padded("dupa", 40));
}

TEST_F(PageroTest, RunningTableHeaderRepeatsBelowTheHeaderBlock) {
    TestDoc doc;
    ASSERT_EQ(doc.Init(folder(), 100, 14, 40), 1);
    doc.QWriteLn(QStringLiteral("Antet"), 1);
    doc.QWriteLn(QStringLiteral("Subsol"), 2);
    doc.QWriteLn(QStringLiteral("inainte"), 3);
    doc.QWriteLn(QStringLiteral("@@TAB:| Nr | Nume @@R:| Suma |"), 3);
    const int L = doc.GetLinesOnPage();
    const int k = L - 4;
    for (int i = 0; i < 2 * k; ++i)
        doc.QWriteLn(QStringLiteral("rand %1").arg(i), 3);
    doc.QWriteLn(QStringLiteral("@@TAB."), 3);
    for (int i = 0; i < k; ++i)
        doc.QWriteLn(QStringLiteral("final %1").arg(i), 3);
    const std::string tab = padded("| Nr | Nume", 32) + "| Suma |";
    const int pages = doc.GetPageCount();
    ASSERT_GE(pages, 4);
    const auto p1 = doc.page(1);
    EXPECT_EQ(p1[2], padded("inainte", 40));
    EXPECT_EQ(p1[3], tab);
    EXPECT_EQ(p1[4], padded("rand 0", 40));
    // Pages 2 and 3: the table header right below the header block, then the rows go on.
    const auto p2 = doc.page(2);
    EXPECT_EQ(p2[0], padded("Antet", 40));
    EXPECT_EQ(p2[2], tab);
    EXPECT_EQ(p2[3], padded("rand " + std::to_string(k - 2), 40));
    EXPECT_EQ(doc.page(3)[2], tab);
    // After "@@TAB." (which takes no line) the header is no longer repeated.
    bool sawFinal = false;
    for (int p = 3; p <= pages; ++p) {
        const auto lines = doc.page(p);
        if (sawFinal) {
            EXPECT_NE(lines[2], tab) << "page " << p;
        }
        for (const auto& line : lines)
            sawFinal = sawFinal || line.rfind("final", 0) == 0;
    }
    EXPECT_TRUE(sawFinal);
    for (int p = 1; p <= pages; ++p)
        for (const auto& line : doc.page(p))
            EXPECT_EQ(line.find("@@TAB"), std::string::npos);
}

TEST_F(PageroTest, PageNumberInAHeaderOnThreePages) {
    TestDoc doc;
    ASSERT_EQ(doc.Init(folder(), 100, 14, 40), 1);
    doc.QWriteLn(QStringLiteral("Pagina: %d "), 1);
    doc.QWriteLn(QStringLiteral("unu"), 3);
    doc.TurnPage();
    doc.QWriteLn(QStringLiteral("doi"), 3);
    doc.TurnPage();
    doc.QWriteLn(QStringLiteral("trei"), 3);
    ASSERT_EQ(doc.GetPageCount(), 3);
    for (int p = 1; p <= 3; ++p)
        EXPECT_EQ(doc.page(p)[0], padded("Pagina: " + std::to_string(p), 40));
    EXPECT_EQ(doc.headerRule(), 1);

    doc.SetFlags(2); // without flag 4 the header block is never shown
    ASSERT_EQ(doc.GetPageCount(), 3);
    EXPECT_EQ(doc.headerRule(), 0);
    for (int p = 1; p <= 3; ++p)
        for (const auto& line : doc.page(p))
            EXPECT_EQ(line.find("Pagina"), std::string::npos);
    EXPECT_EQ(doc.page(1)[0], padded("unu", 40));
}

TEST_F(PageroTest, MultiLineWrapsJustifiesAndHonoursLineFeeds) {
    TestDoc doc;
    ASSERT_EQ(doc.Init(folder(), 100, 0, 20), 1);
    doc.QWriteMultiLine(
        QStringLiteral("Aceasta este o propozitie destul de lunga pentru doua randuri"), 1);
    doc.QWriteMultiLine(QStringLiteral("scurt\ncu linie noua si text care continua"), 1);
    doc.QWriteMultiLine(QStringLiteral("cuvantfoartelungfarapauze si rest"), 0);
    doc.QWriteMultiLine(QStringLiteral("nu se aliniaza deloc aici ci ramane"), 0);
    const auto p = doc.page(1);
    // Justified lines: the missing blanks spread over the gaps, the first gaps getting one more.
    EXPECT_EQ(p[0], "Aceasta    este    o");
    EXPECT_EQ(p[1], "propozitie destul de");
    EXPECT_EQ(p[2], "lunga   pentru  doua");
    EXPECT_EQ(p[3], padded("randuri", 20)); // the paragraph's last line is not justified
    // The part before a line feed is one unjustified line.
    EXPECT_EQ(p[4], padded("scurt", 20));
    EXPECT_EQ(p[5], "cu   linie  noua  si");
    EXPECT_EQ(p[6], padded("text care continua", 20));
    // A word longer than the line is cut at the width.
    EXPECT_EQ(p[7], "cuvantfoartelungfara");
    EXPECT_EQ(p[8], padded("pauze si rest", 20));
    EXPECT_EQ(p[9], padded("nu se aliniaza deloc", 20));
    EXPECT_EQ(p[10], padded("aici ci ramane", 20));
}

TEST_F(PageroTest, SavedDocumentLoadsIntoAnotherObjectWithTheSamePages) {
    TestDoc doc;
    ASSERT_EQ(doc.Init(folder(), 120, 14, 80), 1);
    doc.SetUserMargins(QMargins(5, 5, 5, 5));
    doc.QWriteLn(QStringLiteral("Pagina %d@@C:TITLU"), 1);
    doc.QWriteLn(QStringLiteral("@@R:subsol"), 2);
    for (int i = 0; i < 300; ++i)
        doc.QWriteLn(QStringLiteral("rand %1 ăîşţ").arg(i), 3);
    ASSERT_EQ(doc.SaveToIPDFile(path("doc.ipd")), 1);
    ASSERT_TRUE(MorPrint::ValidIPDHead(path("doc.ipd")));

    TestDoc other;
    ASSERT_EQ(other.Init(folder(), 100, 0, 0), 1); // the loaded header brings its own settings
    ASSERT_EQ(other.LoadFromIPDFile(path("doc.ipd")), 1);
    EXPECT_FALSE(other.needsPaging());
    EXPECT_EQ(other.GetFlags(), 14);
    EXPECT_EQ(other.GetUserMargins(), QMargins(19, 19, 19, 19));
    ASSERT_EQ(other.GetPageCount(), doc.GetPageCount());
    EXPECT_EQ(readFile(other.GetDPDFileName()), readFile(doc.GetDPDFileName()));
    // The loaded document has its body: header lines are refused from now on.
    EXPECT_EQ(other.QWriteLn(QStringLiteral("antet"), 1), 0);
}

TEST_F(PageroTest, IpdWithAnotherHeaderSizeIsRefused) {
    TestDoc doc;
    ASSERT_EQ(doc.Init(folder(), 100, 14, 40), 1);
    doc.QWriteLn(QStringLiteral("pastrat"), 3);
    const QByteArray before = readFile(doc.GetIPDFileName());
    EXPECT_FALSE(MorPrint::ValidIPDHead(fixture("badhead.ipd")));
    EXPECT_EQ(doc.LoadFromIPDFile(fixture("badhead.ipd")), 0);
    EXPECT_EQ(doc.LoadFromIPDFile(path("missing.ipd")), 0);
    // Too short to hold a header.
    ASSERT_TRUE(writeFile(path("short.ipd"), readFile(fixture("doc1.ipd")).left(20)));
    EXPECT_EQ(doc.LoadFromIPDFile(path("short.ipd")), 0);
    EXPECT_EQ(readFile(doc.GetIPDFileName()), before);
    EXPECT_EQ(doc.page(1)[1], padded("pastrat", 40)); // below the (empty) header block
}

TEST_F(PageroTest, IpdWithARecordCutShortIsRefused) {
    QByteArray data = readFile(fixture("doc1.ipd"));
    data.chop(1); // the last record loses its terminating zero
    data.append("Bfara terminator");
    ASSERT_TRUE(writeFile(path("cut.ipd"), data));
    TestDoc doc;
    ASSERT_EQ(doc.Init(folder(), 100, 0, 0), 1);
    doc.QWriteLn(QStringLiteral("pastrat"), 3);
    const QByteArray before = readFile(doc.GetIPDFileName());
    // A file cut short is not loaded as a shorter document.
    EXPECT_EQ(doc.LoadFromIPDFile(path("cut.ipd")), 0);
    EXPECT_EQ(readFile(doc.GetIPDFileName()), before);
    data.append('\0');
    ASSERT_TRUE(writeFile(path("cut.ipd"), data));
    ASSERT_EQ(doc.LoadFromIPDFile(path("cut.ipd")), 1);
    const auto p = doc.page(1);
    EXPECT_EQ(p[2].find("Linie cu diacritice"), 0u);
    EXPECT_EQ(p[3].find("fara terminator"), std::string::npos); // part of the hidden record
}

TEST_F(PageroTest, RomanianLettersSurviveWriteAndRead) {
    TestDoc doc;
    writeDoc1(doc, folder());
    const auto p = doc.page(1);
    // Comma-below letters come back as their cedilla forms; all other letters unchanged.
    EXPECT_EQ(QString::fromStdString(p[2]).trimmed(),
              QStringLiteral("Linie cu diacritice: ĂÂÎŞŢ ăâîşţ ŞşŢţ"));
    EXPECT_EQ(MorPrint::FromAnsi(MorPrint::ToAnsi(QStringLiteral("ĂÂÎŞŢăâîşţ"))),
              QStringLiteral("ĂÂÎŞŢăâîşţ"));
    EXPECT_EQ(MorPrint::ToAnsi(QStringLiteral("ȘșȚț")), QByteArray("\xAA\xBA\xDE\xFE"));
    EXPECT_EQ(MorPrint::ToAnsi(QStringLiteral("€ – ω 😀")), QByteArray("\x80 \x96 ? ?"));
}

TEST_F(PageroTest, MultipleDocumentFileHoldsNamedEntries) {
    TestDoc doc;
    writeDoc1(doc, folder());
    const QString mpd = path("docs.mpd");
    ASSERT_EQ(doc.SaveToMPDFile(mpd, QStringLiteral("Primul")), 1);
    ASSERT_EQ(doc.SaveToMPDFile(mpd, QStringLiteral("Al doilea")), 1);
    ASSERT_EQ(doc.SaveToMPDFile(mpd, QStringLiteral("Documentul cu un nume foarte lung 123456")),
              1);
    EXPECT_EQ(readFile(mpd), readFile(fixture("doc1.mpd")));
    // The working document is untouched by the saves.
    EXPECT_EQ(readFile(doc.GetIPDFileName()), readFile(fixture("doc1.ipd")));

    TestDoc other;
    ASSERT_EQ(other.Init(folder(), 100, 0, 0), 1);
    QStringList names;
    ASSERT_EQ(other.LoadFromMPDFile(mpd, 2, &names), 1);
    EXPECT_EQ(names, (QStringList{QStringLiteral("Primul"), QStringLiteral("Al doilea"),
                                  QStringLiteral("Documentul cu un nume foarte lu")}));
    EXPECT_EQ(names.at(2).size(), 31);
    EXPECT_EQ(readFile(other.GetIPDFileName()), readFile(fixture("doc1.ipd")));
    EXPECT_EQ(other.GetPageCount(), doc.GetPageCount());

    const QByteArray loaded = readFile(other.GetIPDFileName());
    names.clear();
    EXPECT_EQ(other.LoadFromMPDFile(mpd, 3, &names), 0);
    EXPECT_EQ(names.size(), 3);
    EXPECT_EQ(other.LoadFromMPDFile(path("none.mpd"), 0, &names), 0);
    EXPECT_EQ(readFile(other.GetIPDFileName()), loaded);
}

TEST_F(PageroTest, MalformedMultipleDocumentFileIsRefused) {
    QByteArray data = readFile(fixture("doc1.mpd"));
    // The second entry claims more bytes than the file holds.
    QByteArray cut = data.left(4 + 32 + 115 + 4 + 32 + 50);
    ASSERT_TRUE(writeFile(path("cut.mpd"), cut));
    // An entry whose data is no IPD document.
    QByteArray junk = data.left(4 + 32);
    junk.append(QByteArray(115, 'x'));
    ASSERT_TRUE(writeFile(path("junk.mpd"), junk));

    TestDoc doc;
    ASSERT_EQ(doc.Init(folder(), 100, 14, 40), 1);
    doc.QWriteLn(QStringLiteral("pastrat"), 3);
    const QByteArray before = readFile(doc.GetIPDFileName());
    EXPECT_EQ(doc.LoadFromMPDFile(path("cut.mpd"), 1), 0);
    EXPECT_EQ(doc.LoadFromMPDFile(path("junk.mpd"), 0), 0);
    EXPECT_EQ(readFile(doc.GetIPDFileName()), before);
    EXPECT_EQ(doc.LoadFromMPDFile(path("cut.mpd"), 0), 1); // the first entry is whole
}

TEST_F(PageroTest, TextExportHoldsEveryLineOfEveryPage) {
    TestDoc doc;
    ASSERT_EQ(doc.Init(folder(), 100, 14, 70), 1);
    doc.QWriteLn(QStringLiteral("Antet @@R:Pagina %d"), 1);
    doc.QWriteLn(QStringLiteral("Subsol"), 2);
    for (int i = 0; i < 150; ++i)
        doc.QWriteLn(QStringLiteral("rand %1 ăşţ").arg(i), 3);
    const int pages = doc.GetPageCount();
    const int L = doc.GetLinesOnPage();
    ASSERT_GE(pages, 2);
    ASSERT_EQ(doc.SaveToTextFile(path("out.txt")), 1);
    const QString text = QString::fromUtf8(readFile(path("out.txt")));
    ASSERT_TRUE(text.endsWith(QStringLiteral("\r\n")));
    const QStringList lines = text.left(text.size() - 2).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), pages * L);
    for (const QString& line : lines)
        EXPECT_EQ(line.size(), 70);
    EXPECT_EQ(lines.at(0), QStringLiteral("Antet").leftJustified(62) + QStringLiteral("Pagina 1"));
    EXPECT_EQ(lines.at(L), QStringLiteral("Antet").leftJustified(62) + QStringLiteral("Pagina 2"));
    EXPECT_EQ(lines.at(2), QStringLiteral("rand 0 ăşţ").leftJustified(70));
    EXPECT_EQ(doc.SaveToTextFile(path("no/such/folder/out.txt")), 0);
}

TEST_F(PageroTest, FontIsTheLargestWholePointSizeThatFitsTheLine) {
    TestDoc doc;
    ASSERT_EQ(doc.Init(folder(), 120, 14, 138), 1);
    doc.SetUserMargins(QMargins(5, 5, 5, 5));
    ASSERT_EQ(doc.GetPageCount(), 1);
    // Printable width 826 - 2 * 19 = 788 hundredths of an inch. A monospaced "B" is 0.6 em:
    // 138 at 6 points take 690, at 7 points 805.
    EXPECT_EQ(doc.GetFont(), 60);
    QPrinter* printer = doc.GetPrinter();
    auto widthAt = [&](double pt) {
        QFont f(QStringLiteral("Liberation Mono"));
        f.setPointSizeF(pt);
        f.setHintingPreference(QFont::PreferNoHinting);
        return QFontMetricsF(f, printer).horizontalAdvance(QString(138, QLatin1Char('B'))) * 100 /
               printer->logicalDpiX();
    };
    EXPECT_LE(widthAt(6), 788);
    EXPECT_GT(widthAt(7), 788);
    // The line height follows the font; the page holds as many lines as fit between the margins.
    EXPECT_EQ(doc.GetLinesOnPage(), (1169 - 38) / doc.GetLineHeight());

    // Even 5 points too wide: 5 points anyway.
    TestDoc wide;
    ASSERT_EQ(wide.Init(folder(), 120, 14, 400), 1);
    wide.SetUserMargins(QMargins(5, 5, 5, 5));
    wide.GetPageCount();
    EXPECT_EQ(wide.GetFont(), 50);
    EXPECT_EQ(wide.GetCharsPerLine(), 400);
}

TEST_F(PageroTest, FontFallsBackToLiberationMono) {
    TestDoc doc;
    ASSERT_EQ(doc.Init(folder(), 100, 14, 100), 1);
    QFont f(QStringLiteral("Courier New"));
    f.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono")});
    const QString resolved = QFontInfo(f).family();
    EXPECT_TRUE(resolved == QStringLiteral("Courier New") ||
                resolved == QStringLiteral("Liberation Mono"))
        << resolved.toStdString();
}

TEST_F(PageroTest, OrientationTurnsThePaper) {
    TestDoc doc;
    ASSERT_EQ(doc.Init(folder(), 100, 14, 100), 1);
    const int portraitLines = doc.GetLinesOnPage();
    doc.SetOrientation(1);
    EXPECT_EQ(doc.GetFlags() & 1, 1);
    EXPECT_EQ(doc.GetPageWidth(), 1169);
    EXPECT_EQ(doc.GetPageHeight(), 826);
    EXPECT_LT(doc.GetLinesOnPage(), portraitLines);
    EXPECT_FALSE(doc.needsPaging());
    doc.SetOrientation(0);
    EXPECT_EQ(doc.GetFlags() & 1, 0);
    EXPECT_EQ(doc.GetPageWidth(), 826);

    TestDoc landscape;
    ASSERT_EQ(landscape.Init(folder(), 120, 15, 136), 1);
    EXPECT_EQ(landscape.GetPageWidth(), 1169);
}

TEST_F(PageroTest, BlocksThatLeaveNoBodyLineGiveNoPages) {
    TestDoc doc;
    ASSERT_EQ(doc.Init(folder(), 100, 14, 40), 1);
    doc.SetUserMargins(QMargins(5, 5, 5, 5));
    const int L = doc.GetLinesOnPage();
    for (int i = 0; i < L / 2; ++i)
        doc.QWriteLn(QStringLiteral("antet %1").arg(i), 1);
    for (int i = 0; i < L / 2; ++i)
        doc.QWriteLn(QStringLiteral("subsol %1").arg(i), 2);
    doc.QWriteLn(QStringLiteral("corp"), 3);
    EXPECT_EQ(doc.Paging(), 0);
    EXPECT_EQ(doc.GetPageCount(), 0);
    EXPECT_EQ(readFile(doc.GetDPDFileName()).size(), 36);
}

TEST_F(PageroTest, TableHeaderThatFillsThePageIsNotRepeatedForever) {
    TestDoc doc;
    ASSERT_EQ(doc.Init(folder(), 100, 14, 40), 1);
    const int L = doc.GetLinesOnPage();
    // Header block and footer block leave exactly one body line per page.
    for (int i = 0; i < L - 4; ++i)
        doc.QWriteLn(QStringLiteral("a%1").arg(i), 1);
    doc.QWriteLn(QStringLiteral("s"), 2);
    doc.QWriteLn(QStringLiteral("@@TAB:cap de tabel"), 3);
    for (int i = 0; i < 3; ++i)
        doc.QWriteLn(QStringLiteral("rand %1").arg(i), 3);
    ASSERT_EQ(doc.GetPageCount(), 4);
    for (int p = 1; p <= 4; ++p)
        EXPECT_EQ(doc.page(p).size(), size_t(L));
    EXPECT_EQ(doc.page(2)[size_t(L - 4 + 1)], padded("rand 0", 40));
}

TEST_F(PageroTest, ZeroCharactersPerLineFillsThePrintableWidth) {
    TestDoc doc;
    ASSERT_EQ(doc.Init(folder(), 100, 14, 0), 1);
    doc.SetUserMargins(QMargins(5, 5, 5, 5));
    doc.GetPageCount();
    EXPECT_EQ(doc.GetFont(), 100);
    // 10 points: 0.6 * 10 / 72 inch = 8.33 hundredths a character, 788 / 8.33 = 94.
    EXPECT_EQ(doc.GetCharsPerLine(), 94);
}

TEST_F(PageroTest, StringTableLines) {
    MorPrint::SetStringTable(
        [](unsigned id) { return id == 7 ? QStringLiteral("din tabel") : QString(); });
    TestDoc doc;
    ASSERT_EQ(doc.Init(folder(), 100, 0, 20), 1);
    EXPECT_EQ(doc.QWriteLn(7u, 3), 1);
    EXPECT_EQ(doc.QWriteBarCode(QStringLiteral("  12^34  "), 3), 1);
    MorPrint::SetStringTable(nullptr);
    EXPECT_EQ(doc.page(1)[0], padded("din tabel", 20));
    EXPECT_EQ(doc.page(1)[1], padded("@@BC:12^34", 20));
}
