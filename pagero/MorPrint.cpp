// The document model, its working files, the page metrics and the paging of MorPrint.
#include "pagero/MorPrint.h"
#include "pagero/PreviewDialog.h"
#include "pagero/SafeFile.h"

#include <QApplication>
#include <QDate>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QMessageBox>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>
#include <QTemporaryFile>
#include <QtEndian>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

MorPrint::MessageHook g_messageHook;
MorPrint::DialogHook g_dialogHook;
MorPrint::PrinterSetupHook g_printerSetupHook;
MorPrint::FileNameHook g_fileNameHook;
MorPrint::QuestionHook g_questionHook;
QString g_lastPdfFolder; // where the last PDF went, offered for the next one
MorPrint::PrinterFactory g_printerFactory;
MorPrint::StringTable g_stringTable;

void put16(char* p, uint16_t v) {
    qToLittleEndian<quint16>(v, p);
}

// The first ten bytes of every document head: the magic, three format words of 1 and the
// head's own size. A head is valid when it begins with them.
QByteArray ipdSignature() {
    QByteArray sig(10, '\0');
    put16(sig.data(), MorPrint::FileMagic);
    put16(sig.data() + 2, 1);
    put16(sig.data() + 4, 1);
    put16(sig.data() + 6, 1);
    put16(sig.data() + 8, MorPrint::IpdHeadSize);
    return sig;
}
void put32(char* p, int32_t v) {
    qToLittleEndian<qint32>(v, p);
}
uint16_t get16(const char* p) {
    return qFromLittleEndian<quint16>(p);
}
int32_t get32(const char* p) {
    return qFromLittleEndian<qint32>(p);
}

// Hundredths of an inch from millimetres, truncated toward zero.
int32_t mmToHundredths(int mm) {
    return int32_t(int64_t(mm) * 3937 / 1000);
}

bool kindLetterKnown(char letter) {
    return letter == 'H' || letter == 'F' || letter == 'B' || letter == 'P';
}

char kindLetter(int32_t kind) {
    switch (kind) {
    case MorPrint::KindHeader:
        return 'H';
    case MorPrint::KindFooter:
        return 'F';
    case MorPrint::KindBody:
        return 'B';
    case MorPrint::KindHidden:
        return 'P';
    default:
        return 0;
    }
}

// Walks the line records that follow the header of an IPD image without copying them: one
// kind letter, the text, one zero byte. A record cut short by the end of the image ends there
// (only the working file can hold one; loaded files are checked whole).
class RecordCursor {
public:
    explicit RecordCursor(const QByteArray& ipd) : m_ipd(ipd) {}
    bool next(char* kind, QByteArrayView* text) {
        if (m_pos >= m_ipd.size())
            return false;
        *kind = m_ipd.at(m_pos++);
        qsizetype end = m_ipd.indexOf('\0', m_pos);
        if (end < 0)
            end = m_ipd.size();
        *text = QByteArrayView(m_ipd.constData() + m_pos, end - m_pos);
        m_pos = end + 1;
        return true;
    }

private:
    const QByteArray& m_ipd;
    qsizetype m_pos = MorPrint::IpdHeadSize;
};

// The text with "%d" (and its flag, width and precision forms) replaced by the page number and
// "%%" by "%"; any other conversion stays as written, so no text can read a missing argument.
QByteArray formatPage(const QByteArray& part, int page) {
    if (!part.contains('%'))
        return part;
    QByteArray out;
    out.reserve(part.size() + 8);
    const qsizetype n = part.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = part.at(i);
        if (c != '%') {
            out.append(c);
            continue;
        }
        if (i + 1 < n && part.at(i + 1) == '%') {
            out.append('%');
            ++i;
            continue;
        }
        qsizetype j = i + 1;
        while (j < n && strchr("-+ 0#", part.at(j)))
            ++j;
        qsizetype widthStart = j;
        while (j < n && isdigit(static_cast<unsigned char>(part.at(j))))
            ++j;
        qsizetype widthEnd = j;
        if (j < n && part.at(j) == '.') {
            ++j;
            while (j < n && isdigit(static_cast<unsigned char>(part.at(j))))
                ++j;
        }
        const qsizetype modifiers = j; // length modifiers are dropped: the page is an int
        while (j < n && strchr("hlLqjzt", part.at(j)))
            ++j;
        if (j < n && (part.at(j) == 'd' || part.at(j) == 'i' || part.at(j) == 'u') &&
            widthEnd - widthStart <= 3) {
            const QByteArray conversion = part.mid(i, modifiers - i) + 'd';
            char buf[1100];
            snprintf(buf, sizeof buf, conversion.constData(), page);
            out.append(buf);
            i = j;
        } else {
            out.append(c);
        }
    }
    return out;
}

// One character per column: a tab goes on to the next multiple of 8 columns (counted from the
// start of the part) and any other control character becomes one blank. The page, the text
// export and the drawing then all keep the grid.
QByteArray expandTabs(const QByteArray& part) {
    if (std::none_of(part.begin(), part.end(), [](char c) { return uchar(c) < 0x20; }))
        return part;
    QByteArray out;
    out.reserve(part.size() + 8);
    for (char c : part) {
        if (c == '\t')
            out.append(8 - out.size() % 8, ' ');
        else
            out.append(uchar(c) < 0x20 ? ' ' : c);
    }
    return out;
}

QString expandTabs(const QString& text) {
    if (!text.contains(QLatin1Char('\t')))
        return text;
    QString out;
    qsizetype column = 0;
    for (QChar c : text) {
        if (c == QLatin1Char('\t')) {
            const qsizetype n = 8 - column % 8;
            out.append(QString(n, QLatin1Char(' ')));
            column += n;
        } else {
            out.append(c);
            column = c == QLatin1Char('\n') ? 0 : column + 1;
        }
    }
    return out;
}

} // namespace

// --- hooks -------------------------------------------------------------------------------------

void MorPrint::SetMessageHook(MessageHook hook) {
    g_messageHook = std::move(hook);
}
void MorPrint::SetDialogHook(DialogHook hook) {
    g_dialogHook = std::move(hook);
}
void MorPrint::SetPrinterSetupHook(PrinterSetupHook hook) {
    g_printerSetupHook = std::move(hook);
}
void MorPrint::SetFileNameHook(FileNameHook hook) {
    g_fileNameHook = std::move(hook);
}
void MorPrint::SetQuestionHook(QuestionHook hook) {
    g_questionHook = std::move(hook);
}
void MorPrint::SetDefaultPrinterFactory(PrinterFactory factory) {
    g_printerFactory = std::move(factory);
}
void MorPrint::SetStringTable(StringTable table) {
    g_stringTable = std::move(table);
}

bool pagero::runPrinterSetupHook(QPrinter& printer, QWidget* parent, bool* ok) {
    if (!g_printerSetupHook)
        return false;
    *ok = g_printerSetupHook(printer, parent);
    return true;
}

void MorPrint::ShowMessage(const QString& text, const QString& caption, int icon) {
    if (g_messageHook) {
        g_messageHook(text, caption, icon);
        return;
    }
    QMessageBox box(QMessageBox::Icon(icon), caption, text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

int MorPrint::RunDialog(QDialog& dlg) {
    return g_dialogHook ? g_dialogHook(dlg) : dlg.exec();
}

QString MorPrint::AskFileName(QWidget* parent, const QString& caption, const QString& filter,
                              bool save, const QString& suggested) {
    if (g_fileNameHook)
        return g_fileNameHook(parent, caption, filter, save, suggested);
    return save ? QFileDialog::getSaveFileName(parent, caption, suggested, filter)
                : QFileDialog::getOpenFileName(parent, caption, suggested, filter);
}

bool MorPrint::AskQuestion(const QString& text, const QString& caption) {
    if (g_questionHook)
        return g_questionHook(text, caption);
    return QMessageBox::question(QApplication::activeWindow(), caption, text,
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

QString MorPrint::SuggestedPdfName() {
    // The folder of this document's last PDF, else of the file the printer set-up named, else
    // of the last PDF of any document.
    QString folder = m_strPdfFolder;
    if (folder.isEmpty() && m_pPrinter && !m_pPrinter->outputFileName().isEmpty())
        folder = QFileInfo(m_pPrinter->outputFileName()).absolutePath();
    if (folder.isEmpty())
        folder = g_lastPdfFolder;
    if (folder.isEmpty())
        folder = QDir::currentPath();
    // The document's first line, as a file name: letters and digits, the rest one "_".
    QString base;
    for (int i = 0; base.isEmpty() && i < GetLinesOnPage(); ++i)
        base = GetPageLine(1, i).simplified();
    QString name;
    for (QChar c : base) {
        const bool plain = c.isLetterOrNumber() && c.unicode() < 128;
        if (plain)
            name.append(c);
        else if (!name.endsWith(QLatin1Char('_')))
            name.append(QLatin1Char('_'));
        if (name.size() >= 40)
            break;
    }
    while (name.endsWith(QLatin1Char('_')))
        name.chop(1);
    if (name.isEmpty())
        name = QStringLiteral("Document");
    return QDir(folder).filePath(name + QLatin1Char('_') +
                                 QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")) +
                                 QStringLiteral(".pdf"));
}

QString MorPrint::AskPdfFileName(QWidget* parent, const QString& caption) {
    QString name = AskFileName(parent, caption, QStringLiteral("Fisiere PDF (*.pdf)"), true,
                               SuggestedPdfName());
    if (name.isEmpty())
        return QString();
    if (!name.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        name += QStringLiteral(".pdf");
    if (QFileInfo::exists(name) &&
        !AskQuestion(QStringLiteral("Fisierul %1 exista deja.\nIl inlocuiti?").arg(name), caption))
        return QString();
    m_strPdfFolder = g_lastPdfFolder = QFileInfo(name).absolutePath();
    return name;
}

std::unique_ptr<QPrinter> MorPrint::MakePdfPrinter() {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setResolution(600);
    printer->setFullPage(false);
    printer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    return printer;
}

// --- life cycle --------------------------------------------------------------------------------

MorPrint::MorPrint() = default;

MorPrint::~MorPrint() {
    Uninit();
}

bool MorPrint::OpenWorkingFiles(const QString& folder) {
    auto makeIn = [](const QString& dir, const char* prefix) -> QString {
        QTemporaryFile tmp(dir + QLatin1Char('/') + QLatin1String(prefix) +
                           QStringLiteral("XXXXXX.tmp"));
        tmp.setAutoRemove(false);
        if (!tmp.open())
            return QString();
        return QFileInfo(tmp.fileName()).absoluteFilePath();
    };
    QString dir = QStringLiteral(".");
    if (!folder.isEmpty() && QDir().mkpath(folder))
        dir = folder;
    m_strIPDFileName = makeIn(dir, "ipd");
    if (m_strIPDFileName.isEmpty())
        m_strIPDFileName = makeIn(QStringLiteral("."), "ipd");
    m_strDPDFileName = makeIn(dir, "dpd");
    if (m_strDPDFileName.isEmpty())
        m_strDPDFileName = makeIn(QStringLiteral("."), "dpd");
    if (m_strIPDFileName.isEmpty() || m_strDPDFileName.isEmpty())
        return false;
    m_pIPD = std::make_unique<QFile>(m_strIPDFileName);
    m_pDPD = std::make_unique<QFile>(m_strDPDFileName);
    // Unbuffered: the files on disk always hold what was written (GetIPDFileName may be read).
    const auto mode = QIODevice::ReadWrite | QIODevice::Truncate | QIODevice::Unbuffered;
    return m_pIPD->open(mode) && m_pDPD->open(mode);
}

int MorPrint::Init(const QString& szTempFolder, uint16_t iFontSize, uint16_t iFlags,
                   uint16_t iCharsPerLine) {
    Uninit();
    if (!OpenWorkingFiles(szTempFolder))
        return 0;
    m_iReqFontSize = std::max<uint16_t>(iFontSize, 50);
    m_iFlags = iFlags;
    m_iReqCharsPerLine = std::min<uint16_t>(iCharsPerLine, MaxCharsPerLine);
    std::fill(std::begin(m_iUserMargins), std::end(m_iUserMargins), 0);
    std::fill(std::begin(m_iLayoutMargins), std::end(m_iLayoutMargins), 0);
    m_iHeaderCount = m_iFooterCount = 0;
    m_aHeaders.clear();
    m_aFooters.clear();
    m_bBodyStarted = 0;
    m_iCodeFontHeight = 36;
    m_strTableHeader.clear();
    m_iPaginaCurenta = 0;
    m_bNeedsPaging = 1;
    WriteIPDHead();
    WriteDPDHead();
    return Initializari(0);
}

void MorPrint::Uninit() {
    for (auto* file : {&m_pIPD, &m_pDPD}) {
        if (*file) {
            (*file)->close();
            QFile::remove((*file)->fileName());
            file->reset();
        }
    }
    m_strIPDFileName.clear();
    m_strDPDFileName.clear();
}

// --- settings ----------------------------------------------------------------------------------

int32_t MorPrint::SetUserMargins(const QMargins& mm) {
    // Margins below zero or leaving nothing of the page are refused, the old ones stay.
    const double across = (double(mm.left()) + mm.right()) * 3.937;
    const double down = (double(mm.top()) + mm.bottom()) * 3.937;
    if (mm.left() < 0 || mm.top() < 0 || mm.right() < 0 || mm.bottom() < 0 ||
        (m_iPageWidth > 0 && across >= m_iPageWidth) ||
        (m_iPageHeight > 0 && down >= m_iPageHeight)) {
        m_strLastError = QStringLiteral("Margini incorecte: %1, %2, %3, %4 mm.")
                             .arg(mm.left())
                             .arg(mm.top())
                             .arg(mm.right())
                             .arg(mm.bottom());
        return 0;
    }
    m_iUserMargins[0] = mmToHundredths(mm.left());
    m_iUserMargins[1] = mmToHundredths(mm.top());
    m_iUserMargins[2] = mmToHundredths(mm.right());
    m_iUserMargins[3] = mmToHundredths(mm.bottom());
    WriteIPDHead();
    m_bNeedsPaging = 1;
    return 1;
}

QMargins MorPrint::GetUserMargins() const {
    return QMargins(m_iUserMargins[0], m_iUserMargins[1], m_iUserMargins[2], m_iUserMargins[3]);
}

void MorPrint::SetFlags(uint16_t iFlags) {
    m_iFlags = iFlags;
    WriteIPDHead();
    m_bNeedsPaging = 1;
}

void MorPrint::SetOrientation(int iOrientation) {
    if (iOrientation == 1)
        m_iFlags |= FlagLandscape;
    else
        m_iFlags &= uint16_t(~FlagLandscape);
    WriteIPDHead();
    m_bNeedsPaging = 1;
    Paging();
}

void MorPrint::SetEscProc(EscProc proc, int iUserData) {
    m_pEscProc = proc;
    m_iEscUserData = iUserData;
}

int MorPrint::ComputeEscProc(QPainter* dc) {
    return m_pEscProc ? m_pEscProc(dc, m_iEscUserData) : 0;
}

// --- writing -----------------------------------------------------------------------------------

int32_t MorPrint::WriteLn(const QString& strText, int32_t iKind) {
    const char letter = kindLetter(iKind);
    if (!letter || !m_pIPD)
        return 0;
    if ((iKind == KindHeader || iKind == KindFooter) && m_bBodyStarted)
        return 0;
    m_bNeedsPaging = 1;
    QByteArray rec;
    rec.reserve(strText.size() + 2);
    rec.append(letter);
    QByteArray text = ToAnsi(strText);
    text.replace('\0', "");
    rec.append(text);
    rec.append('\0');
    // A line the working file did not take is not stored: the caller learns it.
    const qint64 at = m_pIPD->size();
    if (m_pIPD->write(rec) != rec.size()) {
        m_strLastError = QStringLiteral("Fisierul de lucru %1 nu poate fi scris: %2")
                             .arg(m_strIPDFileName, m_pIPD->errorString());
        m_pIPD->resize(at);
        m_pIPD->seek(at);
        return 0;
    }
    if (iKind == KindHeader)
        ++m_iHeaderCount;
    else if (iKind == KindFooter)
        ++m_iFooterCount;
    else if (iKind == KindBody)
        m_bBodyStarted = 1;
    return 1;
}

int32_t MorPrint::QWriteLn(unsigned int iStringId, int32_t iKind) {
    return WriteLn(g_stringTable ? g_stringTable(iStringId) : QString(), iKind);
}

namespace {

// Pads a line to the width by widening the gaps between its words: each gap gets
// missing / gaps more blanks and the first missing % gaps gaps one more.
QString justifyLine(const QString& line, int width) {
    const int missing = width - int(line.size());
    if (missing <= 0)
        return line;
    std::vector<qsizetype> gapEnds; // index of the first character after each inner gap
    qsizetype first = 0;
    while (first < line.size() && line.at(first) == QLatin1Char(' '))
        ++first;
    for (qsizetype i = first + 1; i < line.size(); ++i)
        if (line.at(i) != QLatin1Char(' ') && line.at(i - 1) == QLatin1Char(' '))
            gapEnds.push_back(i);
    if (gapEnds.empty())
        return line;
    const int gaps = int(gapEnds.size());
    QString out;
    out.reserve(width);
    qsizetype from = 0;
    for (int g = 0; g < gaps; ++g) {
        out.append(line.mid(from, gapEnds[g] - from));
        out.append(QString(missing / gaps + (g < missing % gaps ? 1 : 0), QLatin1Char(' ')));
        from = gapEnds[g];
    }
    out.append(line.mid(from));
    return out;
}

} // namespace

int32_t MorPrint::QWriteMultiLine(const QString& strText, int iJustify) {
    const int width = std::max<int>(m_iCharsPerLine, 1);
    // Tabs take their columns before wrapping, so that no wrapped line grows past the width.
    QString text = expandTabs(strText) + QLatin1Char(' ');
    while (!text.isEmpty()) {
        const QString window = text.left(width + 1);
        const qsizetype lf = window.indexOf(QLatin1Char('\n'));
        if (lf >= 0) {
            QString line = window.left(lf);
            if (line.endsWith(QLatin1Char('\r')))
                line.chop(1);
            WriteLn(line, KindBody);
            text.remove(0, lf + 1);
            continue;
        }
        const qsizetype blank = window.lastIndexOf(QLatin1Char(' '));
        if (blank < 0) {
            WriteLn(text.left(width), KindBody);
            text.remove(0, width);
            continue;
        }
        QString line = window.left(blank);
        text.remove(0, blank + 1);
        if (iJustify && !text.isEmpty())
            line = justifyLine(line, width);
        WriteLn(line, KindBody);
    }
    return 1;
}

int32_t MorPrint::QWriteBarCode(const QString& strCode, int32_t iKind) {
    return WriteLn(QStringLiteral("@@BC:") + strCode.trimmed(), iKind);
}

void MorPrint::TurnPage() {
    WriteLn(QStringLiteral("@@FF"), KindBody);
}

int32_t MorPrint::Reset() {
    m_bNeedsPaging = 1;
    return 1;
}

// --- file headers ------------------------------------------------------------------------------

void MorPrint::WriteIPDHead() {
    if (!m_pIPD)
        return;
    char h[IpdHeadSize];
    const QByteArray sig = ipdSignature();
    std::memcpy(h, sig.constData(), static_cast<size_t>(sig.size()));
    put16(h + 10, m_iReqFontSize);
    for (int i = 0; i < 4; ++i)
        put32(h + 12 + 4 * i, m_iUserMargins[i]);
    put16(h + 28, m_iFlags);
    put16(h + 30, m_iReqCharsPerLine);
    m_pIPD->seek(0);
    m_pIPD->write(h, IpdHeadSize);
    m_pIPD->seek(m_pIPD->size());
}

void MorPrint::ReadIPDHead() {
    if (!m_pIPD)
        return;
    m_pIPD->seek(0);
    const QByteArray h = m_pIPD->read(IpdHeadSize);
    m_pIPD->seek(m_pIPD->size());
    if (h.size() < IpdHeadSize)
        return;
    m_iReqFontSize = std::max<uint16_t>(get16(h.constData() + 10), 50);
    for (int i = 0; i < 4; ++i)
        m_iUserMargins[i] = get32(h.constData() + 12 + 4 * i);
    m_iFlags = get16(h.constData() + 28);
    m_iReqCharsPerLine = get16(h.constData() + 30);
}

void MorPrint::WriteDPDHead() {
    if (!m_pDPD)
        return;
    char h[DpdHeadSize];
    put16(h + 0, FileMagic);
    put16(h + 2, 1);
    put16(h + 4, 2);
    put16(h + 6, 1);
    put16(h + 8, DpdHeadSize);
    put16(h + 10, m_iFontSize);
    for (int i = 0; i < 4; ++i)
        put32(h + 12 + 4 * i, m_iLayoutMargins[i]);
    put16(h + 28, m_iCharsPerLine);
    put16(h + 30, m_iLinesPerPage);
    put16(h + 32, m_iHeaderRule);
    put16(h + 34, m_iFooterRule);
    m_pDPD->seek(0);
    m_pDPD->write(h, DpdHeadSize);
    m_pDPD->flush();
}

void MorPrint::ReadDPDHead() {
    if (!m_pDPD)
        return;
    m_pDPD->seek(0);
    const QByteArray h = m_pDPD->read(DpdHeadSize);
    if (h.size() < DpdHeadSize)
        return;
    m_iFontSize = get16(h.constData() + 10);
    for (int i = 0; i < 4; ++i)
        m_iLayoutMargins[i] = get32(h.constData() + 12 + 4 * i);
    m_iCharsPerLine = get16(h.constData() + 28);
    m_iLinesPerPage = get16(h.constData() + 30);
    m_iHeaderRule = get16(h.constData() + 32);
    m_iFooterRule = get16(h.constData() + 34);
}

bool MorPrint::ValidIPDHead(const QByteArray& head) {
    return head.size() >= IpdHeadSize && head.startsWith(ipdSignature());
}

bool MorPrint::ValidIPDHead(const QString& szFileName) {
    QFile f(szFileName);
    return f.open(QIODevice::ReadOnly) && ValidIPDHead(f.read(IpdHeadSize));
}

// --- page metrics ------------------------------------------------------------------------------

QFont MorPrint::EzCreateFont(const QString& strFace, int iTenths, int iAttributes) {
    QFont f(strFace);
    f.setFamilies({strFace, QStringLiteral("Liberation Mono")});
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    f.setKerning(false);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setPointSizeF(std::max(iTenths, 1) / 10.0);
    f.setBold(iAttributes & 1);
    f.setItalic(iAttributes & 2);
    f.setUnderline(iAttributes & 4);
    f.setStrikeOut(iAttributes & 8);
    return f;
}

QString MorPrint::FontFamily() {
    static const QString family = QFontDatabase::hasFamily(QStringLiteral("Courier New"))
                                      ? QStringLiteral("Courier New")
                                      : QStringLiteral("Liberation Mono");
    return family;
}

void MorPrint::ApplyOrientation(QPrinter& printer) const {
    printer.setPageOrientation((m_iFlags & FlagLandscape) ? QPageLayout::Landscape
                                                          : QPageLayout::Portrait);
}

int MorPrint::Initializari(int iStoredPrinter) {
    if (iStoredPrinter == 0 || !m_pPrinter) {
        if (g_printerFactory) {
            m_pPrinter = g_printerFactory();
        } else {
            QPrinterInfo info = QPrinterInfo::defaultPrinter();
            if (info.isNull() && !QPrinterInfo::availablePrinters().isEmpty())
                info = QPrinterInfo::availablePrinters().constFirst();
            m_pPrinter = info.isNull() ? MakePdfPrinter()
                                       : std::make_unique<QPrinter>(info, QPrinter::HighResolution);
        }
    }
    if (!m_pPrinter)
        return 0;
    ApplyOrientation(*m_pPrinter);
    if (!m_pPrinter->isValid() || m_pPrinter->widthMM() <= 0 || m_pPrinter->heightMM() <= 0 ||
        m_pPrinter->logicalDpiX() <= 0 || m_pPrinter->logicalDpiY() <= 0)
        return 0;

    WriteIPDHead();
    ReadIPDHead();
    m_iPageHeight = mmToHundredths(m_pPrinter->heightMM());
    m_iPageWidth = mmToHundredths(m_pPrinter->widthMM());
    CalculateMargins();

    const QString family = FontFamily();
    if (m_iReqCharsPerLine) {
        CalculateFont(family);
    } else {
        m_iFontSize = m_iReqFontSize;
        m_iPageDisplayWidth = m_iPageWidth;
        m_iPageDisplayHeight = m_iPageHeight;
    }
    const QFontMetricsF fm(EzCreateFont(family, m_iFontSize), m_pPrinter.get());
    const double toHundredthsY = 100.0 / m_pPrinter->logicalDpiY();
    const double toHundredthsX = 100.0 / m_pPrinter->logicalDpiX();
    // The line pitch is the font's full height, rounded up so that lines never overlap.
    m_iLineHeight = std::max(1, int(std::ceil(fm.height() * toHundredthsY - 1e-6)));
    // In 64 bits: margins come from files and callers, and must never overflow the page.
    const int64_t usableHeight = int64_t(m_iPageHeight) - m_iLayoutMargins[1] - m_iLayoutMargins[3];
    m_iLinesPerPage = uint16_t(std::clamp<int64_t>(usableHeight / m_iLineHeight, 0, 65535));
    if (m_iReqCharsPerLine) {
        m_iCharsPerLine = m_iReqCharsPerLine;
    } else {
        const double charWidth = fm.horizontalAdvance(QLatin1Char('M')) * toHundredthsX;
        const int64_t usableWidth =
            int64_t(m_iPageWidth) - m_iLayoutMargins[0] - m_iLayoutMargins[2];
        m_iCharsPerLine = uint16_t(std::clamp<int64_t>(
            charWidth > 0 ? int64_t(usableWidth / charWidth) : 0, 0, MaxCharsPerLine));
    }
    WriteDPDHead();
    return 1;
}

void MorPrint::CalculateMargins() {
    std::copy(std::begin(m_iUserMargins), std::end(m_iUserMargins), m_iLayoutMargins);
}

int MorPrint::CalculateFont(const QString& strFamily) {
    const QString buffer(m_iReqCharsPerLine, QLatin1Char('B'));
    const double available = double(m_iPageWidth) - m_iLayoutMargins[0] - m_iLayoutMargins[2];
    const double toHundredths = 100.0 / m_pPrinter->logicalDpiX();
    auto widthAt = [&](int size) {
        return QFontMetricsF(EzCreateFont(strFamily, size), m_pPrinter.get())
                   .horizontalAdvance(buffer) *
               toHundredths;
    };
    int chosen = 50;
    double chosenWidth = widthAt(50);
    // Sizes above the largest a document may ask for are not tried: a very short line on a wide
    // page would otherwise create a font for every point up to the thousands.
    for (int size = 50; size <= MaxFontSize; size += 10) {
        const double width = size == 50 ? chosenWidth : widthAt(size);
        if (width > available)
            break;
        chosen = size;
        chosenWidth = width;
    }
    m_iFontSize = uint16_t(chosen);

    // The page on the screen: the same text measured on the screen gives its scale.
    const QFont font = EzCreateFont(strFamily, m_iFontSize);
    const QFontMetricsF screen(font);
    const QScreen* primary = QGuiApplication::primaryScreen();
    const double screenDpi = primary ? primary->logicalDotsPerInchX() : 96.0;
    const double screenWidth =
        screen.horizontalAdvance(buffer) * 100.0 / (screenDpi > 0 ? screenDpi : 96.0);
    m_iPageDisplayWidth =
        chosenWidth > 0 ? int(std::lround(screenWidth * m_iPageWidth / chosenWidth)) : m_iPageWidth;
    m_iPageDisplayHeight =
        m_iPageWidth > 0 ? int(int64_t(m_iPageDisplayWidth) * m_iPageHeight / m_iPageWidth) : 0;
    return m_iFontSize;
}

// --- paging ------------------------------------------------------------------------------------

QByteArray MorPrint::Conv(int iWidth, const QByteArray& text, int iPage) {
    const int width = std::max(iWidth, 0);
    QByteArray line(width, ' ');
    const qsizetype c = text.indexOf("@@C:");
    const qsizetype r = text.indexOf("@@R:");
    qsizetype leftEnd = text.size();
    if (c >= 0)
        leftEnd = c;
    if (r >= 0 && r < leftEnd)
        leftEnd = r;
    QByteArray left = text.left(leftEnd), centre, right;
    if (c >= 0) {
        const qsizetype end = text.indexOf("@@R:", c + 4);
        centre = text.mid(c + 4, end < 0 ? -1 : end - c - 4);
    }
    if (r >= 0) {
        const qsizetype end = text.indexOf("@@C:", r + 4);
        right = text.mid(r + 4, end < 0 ? -1 : end - r - 4);
    }
    if (!text.contains("@@BC:")) {
        left = formatPage(left, iPage);
        centre = formatPage(centre, iPage);
        right = formatPage(right, iPage);
    }
    left = expandTabs(left);
    centre = expandTabs(centre);
    right = expandTabs(right);
    char* d = line.data();
    memcpy(d, left.constData(), std::min<qsizetype>(left.size(), width));
    if (!centre.isEmpty()) {
        if (centre.size() <= width)
            memcpy(d + (width - centre.size()) / 2, centre.constData(), centre.size());
        else
            memcpy(d, centre.constData() + (centre.size() - width) / 2, width);
    }
    if (!right.isEmpty()) {
        if (right.size() <= width)
            memcpy(d + width - right.size(), right.constData(), right.size());
        else
            memcpy(d, right.constData() + right.size() - width, width);
    }
    return line;
}

int MorPrint::Paging() {
    if (!m_bNeedsPaging)
        return 1;
    m_bNeedsPaging = 0;
    if (!m_pIPD || !m_pDPD)
        return 0;
    ReadIPDHead();
    m_pIPD->flush();
    m_pIPD->seek(0);
    const QByteArray ipd = m_pIPD->readAll();
    m_pIPD->seek(m_pIPD->size());

    // The header and footer blocks: the H and F records before the first body record.
    m_aHeaders.clear();
    m_aFooters.clear();
    {
        RecordCursor cursor(ipd);
        char kind = 0;
        QByteArrayView text;
        while (cursor.next(&kind, &text) && kind != 'B') {
            if (kind == 'H' && m_aHeaders.size() < 65535)
                m_aHeaders.append(text.toByteArray());
            else if (kind == 'F' && m_aFooters.size() < 65535)
                m_aFooters.append(text.toByteArray());
        }
    }
    m_iHeaderCount = uint16_t(m_aHeaders.size());
    m_iFooterCount = uint16_t(m_aFooters.size());

    const bool headers = m_iFlags & FlagHeaders;
    const bool footers = m_iFlags & FlagFooters;
    const bool breaks = m_iFlags & FlagPageBreaks;
    m_iHeaderRule = m_iFooterRule = 0;
    if (!Initializari(1)) {
        m_pDPD->resize(DpdHeadSize);
        return 0;
    }
    const int L = m_iLinesPerPage, W = m_iCharsPerLine;
    m_iHeaderRule = headers ? m_iHeaderCount : 0;
    m_iFooterRule = footers && L > m_iFooterCount ? uint16_t(L - m_iFooterCount - 1) : 0;
    WriteDPDHead();
    m_pDPD->resize(DpdHeadSize);

    // Both blocks, each with its blank separator, must leave room for one body line.
    const int reserved = (headers ? m_iHeaderCount + 1 : 0) + (footers ? m_iFooterCount + 1 : 0);
    if (W <= 0 || L <= 0 || reserved >= L)
        return 0;
    const int bodyCapacity = L - (footers ? m_iFooterCount + 1 : 0);
    const qint64 pageBytes = qint64(L) * W;

    // The body records in order, one looked ahead so that the last page is known.
    RecordCursor cursor(ipd);
    QByteArrayView pending;
    auto nextBody = [&]() {
        char kind = 0;
        QByteArrayView text;
        while (cursor.next(&kind, &text))
            if (kind == 'B') {
                pending = text;
                return true;
            }
        return false;
    };
    const QByteArray blank(W, ' ');
    QByteArray out;
    out.reserve(pageBytes);
    bool hasTable = false;
    m_strTableHeader.clear();
    bool more = nextBody();
    int page = 0;
    qint64 written = 0;
    m_pDPD->seek(DpdHeadSize);
    do {
        // Pages go to the file one at a time, so memory stays at one page whatever the length.
        if (written + pageBytes > m_iMaxLayoutBytes) {
            m_strLastError =
                QStringLiteral("Documentul depaseste %1 MB in pagini si nu poate fi paginat.")
                    .arg(m_iMaxLayoutBytes >> 20);
            m_pDPD->resize(DpdHeadSize);
            return 0;
        }
        ++page;
        m_iPaginaCurenta = page;
        m_iLineOnPage = 0;
        out.clear();
        auto emitLine = [&](const QByteArray& line) {
            out.append(line);
            ++m_iLineOnPage;
        };
        if (headers) {
            for (const QByteArray& h : std::as_const(m_aHeaders))
                emitLine(Conv(W, h, page));
            emitLine(blank);
        }
        // The running table header is repeated only where a body line still fits below it.
        if (hasTable && m_iLineOnPage + 1 < bodyCapacity)
            emitLine(Conv(W, m_strTableHeader, page));
        while (m_iLineOnPage < bodyCapacity) {
            if (!more) {
                emitLine(blank);
                continue;
            }
            const QByteArrayView text = pending;
            more = nextBody();
            if (breaks && text.startsWith("@@FF")) {
                while (m_iLineOnPage < bodyCapacity)
                    emitLine(blank);
            } else if (text.startsWith("@@TAB.")) {
                hasTable = false;
                m_strTableHeader.clear();
            } else if (text.startsWith("@@TAB:")) {
                hasTable = true;
                m_strTableHeader = text.sliced(6).toByteArray();
                emitLine(Conv(W, m_strTableHeader, page));
            } else {
                emitLine(Conv(W, text.toByteArray(), page));
            }
        }
        if (footers) {
            emitLine(blank);
            for (const QByteArray& f : std::as_const(m_aFooters))
                emitLine(Conv(W, f, page));
        }
        if (m_pDPD->write(out) != out.size()) {
            m_strLastError = QStringLiteral("Fisierul de lucru %1 nu poate fi scris: %2")
                                 .arg(m_strDPDFileName, m_pDPD->errorString());
            m_pDPD->resize(DpdHeadSize);
            return 0;
        }
        written += out.size();
    } while (more);

    m_pDPD->flush();
    m_iPaginaCurenta = 1;
    return 1;
}

int32_t MorPrint::GetPageCount() {
    Paging();
    if (!m_pDPD || !m_iLinesPerPage || !m_iCharsPerLine)
        return 0;
    const qint64 size = m_pDPD->size() - DpdHeadSize;
    return size <= 0 ? 0 : int32_t(size / m_iLinesPerPage / m_iCharsPerLine);
}

int32_t MorPrint::GetLinesOnPage() {
    Paging();
    return m_iLinesPerPage;
}

int32_t MorPrint::GetCharsPerLine() {
    Paging();
    return m_iCharsPerLine;
}

int32_t MorPrint::GetFont() {
    Paging();
    if (!m_pDPD)
        return 0;
    m_pDPD->seek(0);
    const QByteArray h = m_pDPD->read(DpdHeadSize);
    return h.size() < DpdHeadSize ? 0 : get16(h.constData() + 10);
}

QByteArray MorPrint::ReadPage(int iPage) {
    const int32_t count = GetPageCount();
    if (iPage < 1 || iPage > count)
        return QByteArray();
    const qint64 size = qint64(m_iLinesPerPage) * m_iCharsPerLine;
    m_pDPD->seek(DpdHeadSize + (iPage - 1) * size);
    return m_pDPD->read(size);
}

QString MorPrint::GetPageLine(int iPage, int iLine) {
    const QByteArray page = ReadPage(iPage);
    if (page.isEmpty() || iLine < 0 || iLine >= m_iLinesPerPage)
        return QString();
    return FromAnsi(page.mid(qsizetype(iLine) * m_iCharsPerLine, m_iCharsPerLine));
}

// --- document files ----------------------------------------------------------------------------

namespace {

// Replaces the whole content of an open working file.
bool replaceContent(QFile& file, const QByteArray& data) {
    if (!file.resize(0) || !file.seek(0) || file.write(data) != data.size())
        return false;
    file.flush();
    return true;
}

QByteArray readAllOf(QFile& file) {
    file.flush();
    file.seek(0);
    QByteArray data = file.readAll();
    file.seek(file.size());
    return data;
}

} // namespace

int32_t MorPrint::SaveToIPDFile(const QString& szPath) {
    if (!m_pIPD)
        return 0;
    m_strLastError.clear();
    return pagero::writeWholeFile(szPath, readAllOf(*m_pIPD), &m_strLastError) ? 1 : 0;
}

int32_t MorPrint::LoadFromIPDFile(const QString& szPath) {
    if (!m_pIPD)
        return 0;
    QFile in(szPath);
    if (!in.open(QIODevice::ReadOnly)) {
        m_strLastError =
            QStringLiteral("Fisierul %1 nu poate fi citit: %2").arg(szPath, in.errorString());
        return 0;
    }
    // Never more than a document's bound is read, so a huge file or an endless device (a
    // pipe, /dev/zero) costs nothing.
    QByteArray data;
    if (!in.isSequential() && in.size() <= MaxDocumentBytes)
        data = in.readAll();
    while (in.isSequential() && data.size() <= MaxDocumentBytes) {
        const QByteArray chunk = in.read(64 * 1024);
        if (chunk.isEmpty())
            break;
        data.append(chunk);
    }
    if (data.size() > MaxDocumentBytes || (!in.isSequential() && in.size() > MaxDocumentBytes)) {
        m_strLastError =
            QStringLiteral("Fisierul %1 este prea mare pentru un document.").arg(szPath);
        return 0;
    }
    return LoadDocument(data, szPath);
}

bool MorPrint::CheckDocument(const QByteArray& ipd, const QString& szSource) {
    auto refuse = [&](const QString& why) {
        m_strLastError = QStringLiteral("Fisierul %1 %2").arg(szSource, why);
        return false;
    };
    if (!ValidIPDHead(ipd))
        return refuse(QStringLiteral("nu este un document de tiparire."));
    if (ipd.size() > MaxDocumentBytes)
        return refuse(QStringLiteral("este prea mare pentru un document."));
    const char* h = ipd.constData();
    const int fontSize = get16(h + 10);
    const int chars = get16(h + 30);
    const uint16_t flags = get16(h + 28);
    int64_t margin[4];
    for (int i = 0; i < 4; ++i)
        margin[i] = get32(h + 12 + 4 * i);
    if (chars > MaxCharsPerLine)
        return refuse(QStringLiteral("cere %1 caractere pe linie (cel mult %2).")
                          .arg(chars)
                          .arg(MaxCharsPerLine));
    if (fontSize > MaxFontSize)
        return refuse(QStringLiteral("cere un font de %1 puncte (cel mult %2).")
                          .arg(fontSize / 10)
                          .arg(MaxFontSize / 10));
    // The margins must leave part of the page of this printer, in the document's orientation.
    int64_t across = m_iPageWidth, down = m_iPageHeight;
    if (bool(flags & FlagLandscape) != bool(m_iFlags & FlagLandscape))
        std::swap(across, down);
    if (margin[0] < 0 || margin[1] < 0 || margin[2] < 0 || margin[3] < 0 ||
        margin[0] + margin[2] >= across || margin[1] + margin[3] >= down)
        return refuse(QStringLiteral("are margini in afara paginii (%1, %2, %3, %4).")
                          .arg(margin[0])
                          .arg(margin[1])
                          .arg(margin[2])
                          .arg(margin[3]));
    // Every record is whole: a known kind letter and its terminating zero. A file cut short
    // is refused rather than loaded as a shorter document.
    for (qsizetype pos = IpdHeadSize; pos < ipd.size();) {
        if (!kindLetterKnown(ipd.at(pos)))
            return refuse(QStringLiteral("are o linie de tip necunoscut la pozitia %1.").arg(pos));
        const qsizetype end = ipd.indexOf('\0', pos + 1);
        if (end < 0)
            return refuse(QStringLiteral("este trunchiat (ultima linie nu este intreaga)."));
        pos = end + 1;
    }
    return true;
}

int32_t MorPrint::LoadDocument(const QByteArray& ipd, const QString& szSource) {
    if (!CheckDocument(ipd, szSource))
        return 0;
    const QByteArray previous = readAllOf(*m_pIPD);
    if (!replaceContent(*m_pIPD, ipd)) {
        m_strLastError = QStringLiteral("Fisierul de lucru %1 nu poate fi scris: %2")
                             .arg(m_strIPDFileName, m_pIPD->errorString());
        replaceContent(*m_pIPD, previous);
        ReadIPDHead();
        return 0;
    }
    auto adopt = [this](const QByteArray& image) {
        ReadIPDHead();
        m_bBodyStarted = 0;
        RecordCursor cursor(image);
        char kind = 0;
        QByteArrayView text;
        while (!m_bBodyStarted && cursor.next(&kind, &text))
            m_bBodyStarted = kind == 'B';
        m_bNeedsPaging = 1;
        m_strLastError.clear();
        return Paging();
    };
    if (!adopt(ipd) && !m_strLastError.isEmpty()) {
        // Paging gave up on the document's size: the previous document comes back.
        const QString why = QStringLiteral("Fisierul %1: %2").arg(szSource, m_strLastError);
        replaceContent(*m_pIPD, previous);
        adopt(previous);
        m_strLastError = why;
        return 0;
    }
    return 1;
}

namespace {

// The length of the whole entries at the start of a multiple-document image, or -1 when the
// image is no such file. What follows them is a torn tail (an append cut short) when it looks
// like the start of an entry: its document header, as far as present, is an IPD header.
qsizetype wholeMpdEntries(const QByteArray& mpd) {
    constexpr qsizetype entryHead = 4 + MorPrint::MpdNameSize;
    qsizetype pos = 0;
    int whole = 0;
    while (mpd.size() - pos >= entryHead) {
        const quint32 n = quint32(get32(mpd.constData() + pos));
        if (qint64(n) > mpd.size() - pos - entryHead)
            break;
        if (!MorPrint::ValidIPDHead(mpd.mid(pos + entryHead, n)))
            return -1;
        pos += entryHead + n;
        ++whole;
    }
    if (pos == mpd.size())
        return pos;
    const QByteArray tail = mpd.mid(pos + entryHead, MorPrint::IpdHeadSize);
    const QByteArray expected = ipdSignature();
    const qsizetype seen = std::min<qsizetype>(tail.size(), expected.size());
    if (seen == 0 ? whole == 0 : tail.left(seen) != expected.left(seen))
        return -1;
    return pos;
}

} // namespace

int32_t MorPrint::SaveToMPDFile(const QString& szPath, const QString& szName) {
    if (!m_pIPD)
        return 0;
    m_strLastError.clear();
    // The file is rewritten whole (its entries, then the new one) and renamed into place, so
    // an append cut short never leaves a torn file; a torn tail left by an older cut is dropped.
    QByteArray mpd;
    QFile old(szPath);
    if (old.exists()) {
        if (!QFileInfo(szPath).isFile()) { // a device or a pipe holds no entries to keep
            m_strLastError =
                QStringLiteral("Fisierul %1 nu este un fisier cu documente multiple.").arg(szPath);
            return 0;
        }
        if (!old.open(QIODevice::ReadOnly)) {
            m_strLastError =
                QStringLiteral("Fisierul %1 nu poate fi citit: %2").arg(szPath, old.errorString());
            return 0;
        }
        mpd = old.readAll();
        old.close();
        const qsizetype whole = wholeMpdEntries(mpd);
        if (whole < 0) {
            m_strLastError =
                QStringLiteral("Fisierul %1 nu este un fisier cu documente multiple.").arg(szPath);
            return 0;
        }
        mpd.truncate(whole);
    }
    const QByteArray data = readAllOf(*m_pIPD);
    char head[4 + MpdNameSize] = {};
    put32(head, int32_t(data.size()));
    const QByteArray name = ToAnsi(szName).left(MpdNameSize - 1);
    memcpy(head + 4, name.constData(), name.size());
    mpd.append(head, sizeof head);
    mpd.append(data);
    return pagero::writeWholeFile(szPath, mpd, &m_strLastError) ? 1 : 0;
}

int32_t MorPrint::LoadFromMPDFile(const QString& szPath, uint16_t iIndex, QStringList* pNames) {
    if (!m_pIPD)
        return 0;
    QFile in(szPath);
    if (!in.open(QIODevice::ReadOnly)) {
        m_strLastError =
            QStringLiteral("Fisierul %1 nu poate fi citit: %2").arg(szPath, in.errorString());
        return 0;
    }
    QStringList names;
    QByteArray chosen;
    bool found = false, tooBig = false;
    const qint64 size = in.size();
    // Entries are read only as far as the file holds them whole: a length beyond the end is a
    // torn tail (an append cut short) and ends the list.
    for (int i = 0;; ++i) {
        const QByteArray head = in.read(4 + MpdNameSize);
        if (head.size() < 4 + MpdNameSize)
            break;
        const quint32 n = quint32(get32(head.constData()));
        if (qint64(n) > size - in.pos() || n < quint32(IpdHeadSize))
            break;
        QByteArray name = head.mid(4, MpdNameSize);
        const qsizetype zero = name.indexOf('\0');
        if (zero >= 0)
            name.truncate(zero);
        names.append(FromAnsi(name));
        if (i == iIndex) {
            if (n > MaxDocumentBytes) {
                tooBig = true;
                in.seek(in.pos() + n);
                continue;
            }
            chosen = in.read(n);
            found = chosen.size() == qsizetype(n);
        } else if (!in.seek(in.pos() + n)) {
            break;
        }
    }
    if (pNames)
        *pNames = names;
    if (tooBig) {
        m_strLastError =
            QStringLiteral("Documentul %1 din %2 este prea mare.").arg(iIndex).arg(szPath);
        return 0;
    }
    if (!found) {
        m_strLastError = QStringLiteral("Fisierul %1 nu are documentul %2 (are %3).")
                             .arg(szPath)
                             .arg(iIndex)
                             .arg(names.size());
        return 0;
    }
    // An entry that is no IPD document is refused rather than loaded as garbage.
    return LoadDocument(chosen, QStringLiteral("%1 (documentul %2)").arg(szPath).arg(iIndex));
}

int32_t MorPrint::SaveToTextFile(const QString& szPath) {
    if (!m_pDPD)
        return 0;
    m_strLastError.clear();
    const int32_t pages = GetPageCount();
    const int W = m_iCharsPerLine;
    QByteArray text;
    for (int p = 1; p <= pages; ++p) {
        const QByteArray page = ReadPage(p);
        for (int i = 0; i < m_iLinesPerPage; ++i) {
            text.append(FromAnsi(page.mid(qsizetype(i) * W, W)).toUtf8());
            text.append("\r\n");
        }
    }
    return pagero::writeWholeFile(szPath, text, &m_strLastError) ? 1 : 0;
}
