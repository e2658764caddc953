// libFuzzer target of the print document readers. Each input is loaded as a saved document
// (IPD), as a multiple-document file (entries 0 and 1) and, in place of the laid-out pages,
// read back as the DPD working file line by line and as a text export. Built by
// scripts/fuzz-pagero with clang; the crafted files in tests/data/pagero are its seeds.
#include "pagero/MorPrint.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

class FuzzDoc : public MorPrint {
public:
    // The bytes become the laid-out pages, read as the preview and the text export read them.
    void readPages(const QByteArray& dpd, const QString& textOut) {
        m_pDPD->resize(0);
        m_pDPD->seek(0);
        m_pDPD->write(dpd);
        m_pDPD->flush();
        m_bNeedsPaging = 0;
        ReadDPDHead();
        const int pages = GetPageCount();
        for (int p = 1; p <= std::min(pages, 3); ++p)
            for (int i = 0; i < std::min<int>(m_iLinesPerPage, 200); ++i)
                GetPageLine(p, i);
        if (qint64(pages) * m_iLinesPerPage * m_iCharsPerLine < (1 << 20))
            SaveToTextFile(textOut);
        m_bNeedsPaging = 1; // the next load lays its document out afresh
    }
};

QGuiApplication* g_app = nullptr;
QTemporaryDir* g_dir = nullptr;
FuzzDoc* g_doc = nullptr;

void quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    qInstallMessageHandler(quiet);
    g_app = new QGuiApplication(*argc, *argv);
    g_dir = new QTemporaryDir;
    g_doc = new FuzzDoc;
    if (!g_dir->isValid() || !g_doc->Init(g_dir->path(), 100, 14, 80))
        abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString file = g_dir->filePath(QStringLiteral("input"));
    {
        QFile f(file);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
            abort();
    }
    g_doc->LoadFromIPDFile(file);
    QStringList names;
    g_doc->LoadFromMPDFile(file, 0, &names);
    g_doc->LoadFromMPDFile(file, 1, &names);
    g_doc->GetPageCount();
    g_doc->readPages(bytes, g_dir->filePath(QStringLiteral("out.txt")));
    return 0;
}
