// pagero-text IN OUT.txt
//
// Loads a saved print document, pages it on the default printer and writes its text export.
// IN is an IPD file, or FILE.mpd:N for entry N (from 0) of a multiple-document file. Exit
// status 0 on success, 1 with a message on standard error otherwise.
#include "pagero/MorPrint.h"

#include <QGuiApplication>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace {

// The tool reports its own errors; Qt's start-up notes (a missing runtime folder and the like)
// would only clutter them.
void quiet(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        fprintf(stderr, "%s\n", qPrintable(message));
}

int fail(const QString& message) {
    fprintf(stderr, "pagero-text: %s\n", qPrintable(message));
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr,
                "usage: pagero-text IN OUT.txt\n"
                "  IN  a saved print document: FILE.ipd, or FILE.mpd:N for entry N (from 0)\n");
        return 1;
    }
    // Fonts and printers need a GUI application, but no display.
    if (!getenv("QT_QPA_PLATFORM") && !getenv("DISPLAY") && !getenv("WAYLAND_DISPLAY"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    qInstallMessageHandler(quiet);
    QGuiApplication app(argc, argv);
    const QString in = QString::fromLocal8Bit(argv[1]);
    const QString out = QString::fromLocal8Bit(argv[2]);

    QString file = in;
    int entry = -1;
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("^(.*):(\\d+)$")).match(in);
    if (m.hasMatch() && m.captured(1).endsWith(QStringLiteral(".mpd"), Qt::CaseInsensitive)) {
        file = m.captured(1);
        bool ok = false;
        entry = m.captured(2).toInt(&ok);
        if (!ok || entry > 65535)
            return fail(QStringLiteral("%1: no such entry number").arg(in));
    }

    QTemporaryDir work;
    if (!work.isValid())
        return fail(QStringLiteral("cannot create a temporary folder"));
    MorPrint doc;
    if (!doc.Init(work.path(), 100, 0, 0))
        return fail(QStringLiteral("no usable printer to lay out the document"));
    if (entry >= 0) {
        QStringList names;
        if (!doc.LoadFromMPDFile(file, uint16_t(entry), &names)) {
            if (!doc.GetLastError().isEmpty() && !names.isEmpty() && entry < names.size())
                return fail(doc.GetLastError());
            if (names.isEmpty())
                return fail(
                    QStringLiteral("%1: not a multiple-document file, or unreadable").arg(file));
            return fail(QStringLiteral("%1: entry %2 is missing or damaged (the file holds %3)")
                            .arg(file)
                            .arg(entry)
                            .arg(names.size()));
        }
    } else if (!doc.LoadFromIPDFile(file)) {
        return fail(QStringLiteral("%1: not a print document (IPD), or unreadable (%2)")
                        .arg(file, doc.GetLastError()));
    }
    if (doc.GetPageCount() == 0)
        return fail(
            QStringLiteral("%1: the header and footer blocks leave no room on the page").arg(in));
    if (!doc.SaveToTextFile(out))
        return fail(QStringLiteral("%1: cannot be written (%2)").arg(out, doc.GetLastError()));
    return 0;
}
