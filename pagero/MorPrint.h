#pragma once
// Pagero: a document of fixed-width text lines, laid out like a line printer into pages of a
// monospaced font sized to the printer, previewed, printed, saved and loaded.
//
// A document lives in two working files between Init and Uninit: the IPD file (the lines as
// written) and the DPD file (the laid-out pages, L lines of W characters each). Lengths on the
// printer are hundredths of an inch, font sizes tenths of a point. Texts are stored in
// Windows-1250; the comma-below letters (U+0218..U+021B) are stored as their cedilla forms.
//
// Line directives: "@@C:" centres and "@@R:" right-aligns the text after it; a body line
// starting with "@@FF" breaks the page (flag PageBreaks); "@@TAB:" starts a running table header
// repeated below the page header block, "@@TAB." ends it; "@@BC:" draws the rest of the line,
// up to two consecutive blanks, as a Code 128 barcode. "%d" in a line shows the page number.

#include <QMargins>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>

#if defined(PAGERO_BUILD)
#define PAGERO_EXPORT Q_DECL_EXPORT
#else
#define PAGERO_EXPORT Q_DECL_IMPORT
#endif

class QDialog;
class QFile;
class QFont;
class QPainter;
class QPrinter;
class QWidget;

class PAGERO_EXPORT MorPrint {
public:
    // Line kinds of WriteLn / QWriteLn.
    enum LineKind : int32_t { KindHeader = 1, KindFooter = 2, KindBody = 3, KindHidden = 4 };
    // Bits of the flags.
    enum Flag : uint16_t {
        FlagLandscape = 1,  // landscape paper
        FlagPageBreaks = 2, // "@@FF" lines break the page
        FlagHeaders = 4,    // header block on every page
        FlagFooters = 8,    // footer block on every page
    };
    // Sizes of the file headers.
    static constexpr int IpdHeadSize = 32;
    static constexpr int DpdHeadSize = 36;
    static constexpr int MpdNameSize = 32;
    static constexpr uint16_t FileMagic = 0x4D56;

    using EscProc = int (*)(QPainter* dc, int userData);

    MorPrint();
    virtual ~MorPrint();
    MorPrint(const MorPrint&) = delete;
    MorPrint& operator=(const MorPrint&) = delete;

    // --- document -------------------------------------------------------------------------
    // Creates the working files in szTempFolder (made when missing; "." when empty or when
    // that fails), takes the default printer and computes the page metrics. 1, or 0 when no
    // usable printer exists.
    int Init(const QString& szTempFolder = QString(), uint16_t iFontSize = 100,
             uint16_t iFlags = FlagPageBreaks | FlagHeaders | FlagFooters,
             uint16_t iCharsPerLine = 0);
    // Closes and deletes the working files (nothing happens when they are already gone).
    void Uninit();

    // Margins in millimetres (left, top, right, bottom); stored as hundredths of an inch.
    // 1, or 0 when one is negative or they leave nothing of the page (the old ones stay).
    int32_t SetUserMargins(const QMargins& mm);
    QMargins GetUserMargins() const; // hundredths of an inch
    void SetFlags(uint16_t iFlags);
    uint16_t GetFlags() const { return m_iFlags; }
    // 1: landscape, anything else: portrait. The paper of the printer follows.
    void SetOrientation(int iOrientation);
    void SetCodeSizeFont(int32_t iHeight) { m_iCodeFontHeight = iHeight; }
    void SetEscProc(EscProc proc, int iUserData = 0);

    // Appends one line of the given kind; 1 when stored, 0 when refused (a header or footer
    // line after the first body line, or an unknown kind).
    int32_t WriteLn(const QString& strText, int32_t iKind);
    int32_t QWriteLn(const QString& strText, int32_t iKind) { return WriteLn(strText, iKind); }
    // The line of a string table entry (see SetStringTable); an unknown id writes "".
    int32_t QWriteLn(unsigned int iStringId, int32_t iKind);
    // Wraps a paragraph into body lines of at most the line width; justify pads every line
    // but the last of the paragraph to the full width. 1.
    int32_t QWriteMultiLine(const QString& strText, int iJustify);
    // Writes "@@BC:" + the trimmed code as a line of the given kind.
    int32_t QWriteBarCode(const QString& strCode, int32_t iKind);
    void TurnPage(); // the body line "@@FF"
    int32_t Reset(); // marks the document as needing paging; 1

    // Lines per page and characters per line of the layout (paging first when needed).
    int32_t GetLinesOnPage();
    int32_t GetCharsPerLine();
    int32_t GetPageCount(); // pages the document when needed
    int32_t GetFont();      // font size of the layout, tenths of a point (paging first when needed)
    int32_t GetLineHeight() const { return m_iLineHeight; }
    int32_t GetPageWidth() const { return m_iPageWidth; }   // printable, hundredths of an inch
    int32_t GetPageHeight() const { return m_iPageHeight; } // printable, hundredths of an inch
    // The text of one laid-out line (page from 1, line from 0), decoded; empty when absent.
    QString GetPageLine(int iPage, int iLine);

    // --- drawing, preview, printing --------------------------------------------------------
    // Shows the modal preview dialog. 0: nothing printed from it, 2: the whole document was
    // printed, 1: a part (the last print request decides).
    int32_t Preview(int32_t iUnused = 1, QWidget* parent = nullptr);
    int32_t Print();                             // every page
    int32_t PrintPage(int32_t iPage);            // one page
    int32_t PrintPages(const QString& strRange); // "1,2,3,...", "1,3,5,...", "2,4,6,..." or a list
    // Prints every page as PDF into the file; 1, or 0 when it cannot be written.
    int32_t SaveToPDFFile(const QString& strPath);
    // Draws page iPage for the screen onto the painter, the printable area's top-left corner
    // at the painter's origin, zoom 1 being the page's natural size on the screen. 1.
    int32_t PrevPage(int32_t iPage, QPainter* pDC, double fZoom = 1.0);
    // Size of a page on the screen at zoom 1, in screen pixels.
    int PageDisplayWidthPx() const;
    int PageDisplayHeightPx() const;
    // The printer in use (valid after a successful Init).
    QPrinter* GetPrinter() const { return m_pPrinter.get(); }

    // --- files ------------------------------------------------------------------------------
    int32_t SaveToIPDFile(const QString& szPath);
    int32_t LoadFromIPDFile(const QString& szPath);
    int32_t SaveToMPDFile(const QString& szPath, const QString& szName);
    // Loads entry iIndex (from 0) of a multiple-document file; pNames receives the
    // names of all its entries (when given).
    int32_t LoadFromMPDFile(const QString& szPath, uint16_t iIndex, QStringList* pNames = nullptr);
    int32_t SaveToTextFile(const QString& szPath);
    QString GetIPDFileName() const { return m_strIPDFileName; }
    QString GetDPDFileName() const { return m_strDPDFileName; }
    static bool ValidIPDHead(const QString& szFileName);
    static bool ValidIPDHead(const QByteArray& head);
    // Why the last load, save or paging failed, naming the file; empty after a success.
    QString GetLastError() const { return m_strLastError; }

    // Bounds a document must keep to be loaded: anything beyond them is refused, so a crafted
    // file cannot make paging allocate or write without limit.
    static constexpr int MaxCharsPerLine = 1000;
    static constexpr int MaxFontSize = 1440;               // tenths of a point (144 pt)
    static constexpr qint64 MaxDocumentBytes = 32ll << 20; // one IPD document

    // --- Windows-1250 -----------------------------------------------------------------------
    static QByteArray ToAnsi(const QString& str);
    static QString FromAnsi(const QByteArray& bytes);

    // --- hooks (tests and hosts) ------------------------------------------------------------
    // Message boxes of the library: text, caption, icon (QMessageBox::Icon as int). Without a
    // hook a QMessageBox is shown.
    using MessageHook = std::function<void(const QString& text, const QString& caption, int icon)>;
    static void SetMessageHook(MessageHook hook);
    // Runs every modal dialog of the library (preview, margins, document name) instead of
    // exec(); returns the dialog's result.
    using DialogHook = std::function<int(QDialog& dlg)>;
    static void SetDialogHook(DialogHook hook);
    // The platform's printer set-up: edits the printer, true for OK.
    using PrinterSetupHook = std::function<bool(QPrinter& printer, QWidget* parent)>;
    static void SetPrinterSetupHook(PrinterSetupHook hook);
    // File names asked from the user (save: true for a save dialog; suggested: the name
    // offered, may be empty); empty for cancel.
    using FileNameHook =
        std::function<QString(QWidget* parent, const QString& caption, const QString& filter,
                              bool save, const QString& suggested)>;
    static void SetFileNameHook(FileNameHook hook);
    // Yes/no questions of the library: true for yes. Without a hook a QMessageBox asks.
    using QuestionHook = std::function<bool(const QString& text, const QString& caption)>;
    static void SetQuestionHook(QuestionHook hook);
    // The default printer; the hook may return nullptr for "no printer".
    using PrinterFactory = std::function<std::unique_ptr<QPrinter>()>;
    static void SetDefaultPrinterFactory(PrinterFactory factory);
    // Texts for QWriteLn(id, kind).
    using StringTable = std::function<QString(unsigned int id)>;
    static void SetStringTable(StringTable table);
    // The printer used when no system printer exists: PDF, A4, 600 dpi, no hardware margins.
    static std::unique_ptr<QPrinter> MakePdfPrinter();

    // Helpers of the library's dialogs (not for applications).
    static void ShowMessage(const QString& text, const QString& caption, int icon);
    static int RunDialog(QDialog& dlg);
    static QString AskFileName(QWidget* parent, const QString& caption, const QString& filter,
                               bool save, const QString& suggested = QString());
    static bool AskQuestion(const QString& text, const QString& caption);
    // The PDF file to write, asked every time: offered is the document's first line and today's
    // date in the folder of the last PDF; an existing file is replaced only when the user says
    // so. Empty when cancelled.
    QString AskPdfFileName(QWidget* parent, const QString& caption);
    QString SuggestedPdfName();
    // The printer set-up dialog on a copy of the printer; on OK the new printer is taken, its
    // orientation becomes the landscape flag and the document is paged again. False on cancel
    // or when the chosen printer cannot be used (a message says so; the old printer stays).
    bool RunPrinterSetup(QWidget* parent);
    // New margins in millimetres, refused with "Margini prea mari!" when less than five line
    // heights would remain across or down the page (and with a message when one is negative).
    // 1 accepted (and paged), 0 refused.
    int32_t SetMarginsChecked(const QMargins& mm);

protected:
    int Initializari(int iStoredPrinter);
    int CalculateFont(const QString& strFamily);
    void CalculateMargins();
    int Paging();
    // Lays out one line: exactly iWidth characters.
    static QByteArray Conv(int iWidth, const QByteArray& text, int iPage);
    // Fills with one character.
    static QByteArray FillUMemo(int iCount, char c) { return QByteArray(iCount, c); }
    // Parses a page-range text; false when invalid. pages receives the pages to print, in order.
    static bool ParsePageRange(const QString& strRange, int iPageCount, QList<int>* pages);
    // Draws the current page (m_iPaginaCurenta) on a printer, or on any paint device whose
    // logical resolution is its real one, the printable area at the painter's origin.
    virtual void PrintAPage(QPainter& dc);
    // Draws one page; fScale = device pixels per hundredth of an inch of the page.
    void DrawPage(QPainter& dc, int iPage, double fScale);
    int32_t PrintPageList(const QList<int>& pages, QPrinter& printer);
    // Prints the pages with a PDF printer into the file, replacing it only when whole.
    int32_t PrintPdfFile(const QList<int>& pages, QPrinter& pdf, const QString& strPath);
    int ComputeEscProc(QPainter* dc);
    static QString FontFamily(); // "Courier New", else "Liberation Mono"
    // The text font at a size in tenths of a point; attributes: 1 bold, 2 italic, 4 underline,
    // 8 strike-out.
    static QFont EzCreateFont(const QString& strFace, int iTenths, int iAttributes = 0);
    void WriteIPDHead();
    void ReadIPDHead();
    void WriteDPDHead();
    void ReadDPDHead();
    QByteArray ReadPage(int iPage);
    // Adopts an IPD image after checking it (see CheckDocument) and pages it; on refusal the
    // working document stays as it was. szSource names the file in the error text.
    int32_t LoadDocument(const QByteArray& ipd, const QString& szSource);
    // False (with the reason in m_strLastError) unless the image is a whole IPD document whose
    // header values lie within the bounds above and within the printer's page.
    bool CheckDocument(const QByteArray& ipd, const QString& szSource);
    bool OpenWorkingFiles(const QString& folder);
    void ApplyOrientation(QPrinter& printer) const;

    QString m_strIPDFileName, m_strDPDFileName;
    int m_bNeedsPaging = 0;
    std::unique_ptr<QFile> m_pIPD, m_pDPD;
    uint16_t m_iFlags = 0;
    uint16_t m_iReqFontSize = 100;
    uint16_t m_iFontSize = 0;
    int32_t m_iUserMargins[4] = {0, 0, 0, 0};   // left, top, right, bottom
    int32_t m_iLayoutMargins[4] = {0, 0, 0, 0}; // left, top, right, bottom
    uint16_t m_iReqCharsPerLine = 0;
    EscProc m_pEscProc = nullptr;
    int m_iEscUserData = 0;
    int32_t m_iPageHeight = 0, m_iPageWidth = 0;
    uint16_t m_iLinesPerPage = 0;
    uint16_t m_iCharsPerLine = 0;
    int32_t m_iLineHeight = 0;
    QList<QByteArray> m_aHeaders, m_aFooters;
    uint16_t m_iHeaderCount = 0, m_iFooterCount = 0;
    int m_bBodyStarted = 0;
    int32_t m_iLineOnPage = 0, m_iPaginaCurenta = 0;
    QByteArray m_strTableHeader;
    int32_t m_iPageDisplayWidth = 0, m_iPageDisplayHeight = 0; // hundredths of a screen inch
    uint16_t m_iHeaderRule = 0, m_iFooterRule = 0;
    int32_t m_iCodeFontHeight = 36;
    std::unique_ptr<QPrinter> m_pPrinter;
    QString m_strLastError;
    QString m_strPdfFolder; // where this document's last PDF went
    // Paging refuses to lay out more than this many bytes of pages.
    qint64 m_iMaxLayoutBytes = 64ll << 20;
};
