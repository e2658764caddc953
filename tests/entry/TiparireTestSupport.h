#pragma once
// What the printout tests share: the preview replaced by a capture that keeps each document's
// text export and PDF, today's date fixed, the fixture comparison (every line of a document is
// its width, and the text is the fixture's line for line), and the PDF read back with the
// poppler tools and zbarimg.

#include "entry/Tiparire.h"
#include "pagero/MorPrint.h"
#include "platform/Clock.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace printtest {

struct Capturat {
    std::string strText; // the text export, UTF-8, lines ending in CR LF
    QString strPdf;
    int iPagini = 0;
};

inline QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// While alive, every document that would be previewed is captured instead.
class Captura {
public:
    explicit Captura(bool bPdf = true) : m_bPdf(bPdf) {
        platform::SetFixedNow(platform::MakeDateTime(2024, 4, 5, 10, 30));
        tiparire::SetPreviewHook([this](MorPrint& doc) {
            const QString base = m_dir.filePath(QString::number(docs.size()));
            Capturat c;
            EXPECT_EQ(doc.SaveToTextFile(base + ".txt"), 1);
            c.strText = ReadAll(base + ".txt").toStdString();
            if (m_bPdf) {
                c.strPdf = base + ".pdf";
                EXPECT_EQ(doc.SaveToPDFFile(c.strPdf), 1);
            }
            c.iPagini = doc.GetPageCount();
            docs.push_back(c);
        });
    }
    ~Captura() {
        tiparire::SetPreviewHook({});
        platform::SetFixedNow(std::nullopt);
    }
    Captura(const Captura&) = delete;
    Captura& operator=(const Captura&) = delete;

    std::vector<Capturat> docs;

private:
    QTemporaryDir m_dir;
    bool m_bPdf;
};

inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> v;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find("\r\n", pos);
        if (end == std::string::npos)
            end = text.size();
        v.push_back(text.substr(pos, end - pos));
        pos = end + 2;
    }
    return v;
}

// Every line is the document's width in characters, and the text is the fixture's line for line.
// VORTAPL_WRITE_FIXTURES=1 writes the fixture instead (to be read by eye before committing).
inline void ExpectFixture(const std::string& text, const std::string& name, int width) {
    const std::vector<std::string> lines = Lines(text);
    ASSERT_FALSE(lines.empty());
    for (size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(QString::fromStdString(lines[i]).size(), width) << name << " line " << i + 1;
    const QString path = QStringLiteral(VORTAPL_TEST_DATA "/") + QString::fromStdString(name);
    if (std::getenv("VORTAPL_WRITE_FIXTURES")) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(QByteArray::fromStdString(text));
        return;
    }
    const std::vector<std::string> expected = Lines(ReadAll(path).toStdString());
    ASSERT_FALSE(expected.empty()) << "missing fixture " << name;
    for (size_t i = 0; i < std::max(lines.size(), expected.size()); ++i)
        ASSERT_EQ(i < lines.size() ? lines[i] : "<none>",
                  i < expected.size() ? expected[i] : "<none>")
            << name << " line " << i + 1;
}

inline std::string Run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000))
        return {};
    return p.readAllStandardOutput().toStdString();
}

// The words of a text in order, blanks and page breaks aside; a barcode line of the text export
// ("@@BC:" and its payload) is drawn as a symbol, not as text, so it is left out.
inline std::string Words(const std::string& text) {
    QString s = QString::fromStdString(text);
    s.remove(QRegularExpression(QStringLiteral("@@BC:\\S*")));
    return s.simplified().toStdString();
}

// The PDF's text as pdftotext reads it back.
inline std::string PdfText(const QString& pdf) {
    return Run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
}

// The barcodes of the PDF's first page, one payload a line, as zbarimg decodes them.
inline std::string Barcodes(const QString& pdf) {
    const QString png = pdf + QStringLiteral("-1");
    Run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-r"), QStringLiteral("200"), QStringLiteral("-f"), QStringLiteral("1"),
         QStringLiteral("-l"), QStringLiteral("1"), QStringLiteral("-png"),
         QStringLiteral("-singlefile"), pdf, png});
    return Run(QStringLiteral("zbarimg"),
               {QStringLiteral("-q"), QStringLiteral("--raw"), png + QStringLiteral(".png")});
}

} // namespace printtest
