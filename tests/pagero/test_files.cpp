// The pagero document files read as an attacker would hand them over and written onto disks
// that fail: crafted and truncated files are refused, saves report failures honestly.
#include "PageroTestSupport.h"

#include <QDir>
#include <QFileInfo>

#include <csignal>
#include <fstream>
#include <string>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Address space of this process in bytes, from /proc/self/status.
rlim_t addressSpace() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmSize:") {
            rlim_t kb = 0;
            status >> kb;
            return kb * 1024;
        }
        status.ignore(1 << 20, '\n');
    }
    return 0;
}

// Runs the check in a child process that may take at most extraBytes more address space than
// the test process has now; true when it ended normally with status 0. An allocation beyond
// the limit ends the child with std::bad_alloc (an abort), failing the check.
bool runBounded(rlim_t extraBytes, const std::function<bool()>& check) {
    fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        const rlim_t limit = addressSpace() + extraBytes;
        const struct rlimit rl = {limit, limit};
        if (setrlimit(RLIMIT_AS, &rl) != 0)
            _exit(3);
        // Nothing may leave the child but its status: an exception would run the remaining
        // tests in it.
        bool ok = false;
        try {
            ok = check();
        } catch (...) {
            _exit(2);
        }
        _exit(ok ? 0 : 1);
    }
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid)
        return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// A folder whose disk is full. Root mounts a small tmpfs there and fills it; otherwise the
// process gets a file-size limit while a save runs, so that writes fail as on a full disk.
class FullDisk {
public:
    explicit FullDisk(const QString& dir) : m_dir(dir) {
        QDir().mkpath(dir);
        m_mounted = geteuid() == 0 && mount("tmpfs", QFile::encodeName(dir).constData(), "tmpfs", 0,
                                            "size=256k") == 0;
    }
    ~FullDisk() {
        if (m_mounted)
            umount(QFile::encodeName(m_dir).constData());
    }
    bool mounted() const { return m_mounted; }
    // Fills what is left of the tmpfs (after the files already there).
    void fill() {
        if (!m_mounted)
            return;
        QFile filler(m_dir + QStringLiteral("/filler"));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return;
        const QByteArray block(4096, 'f');
        while (filler.write(block) == block.size()) {
        }
    }
    // Runs a save as the full disk sees it.
    template <class F> auto save(F f) {
        if (m_mounted)
            return f();
        signal(SIGXFSZ, SIG_IGN);
        struct rlimit old = {};
        getrlimit(RLIMIT_FSIZE, &old);
        const struct rlimit small = {4096, old.rlim_max};
        setrlimit(RLIMIT_FSIZE, &small);
        auto result = f();
        setrlimit(RLIMIT_FSIZE, &old);
        return result;
    }

private:
    QString m_dir;
    bool m_mounted = false;
};

} // namespace

TEST_F(PageroTest, SavesOntoAFullDiskReportTheFailureAndKeepTheOldFile) {
    TestDoc doc;
    ASSERT_EQ(doc.Init(folder(), 100, 14, 80), 1);
    for (int i = 0; i < 3000; ++i)
        doc.QWriteLn(
            QStringLiteral("Linie %1 a documentului, destul de lunga pentru un disc mic").arg(i),
            3);
    ASSERT_GT(doc.GetPageCount(), 10);

    struct Case {
        const char* file;
        std::function<int32_t(MorPrint&, const QString&)> save;
    };
    const Case cases[] = {
        {"doc.ipd", [](MorPrint& d, const QString& p) { return d.SaveToIPDFile(p); }},
        {"doc.mpd",
         [](MorPrint& d, const QString& p) { return d.SaveToMPDFile(p, QStringLiteral("nou")); }},
        {"doc.txt", [](MorPrint& d, const QString& p) { return d.SaveToTextFile(p); }},
        {"doc.pdf", [](MorPrint& d, const QString& p) { return d.SaveToPDFFile(p); }},
    };
    const QByteArray old = readFile(fixture("doc1.mpd"));
    const QString full = path("full");
    FullDisk disk(full);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const QString target = full + QLatin1Char('/') + QLatin1String(c.file);
        ASSERT_TRUE(writeFile(target, old));
        disk.fill();
        EXPECT_EQ(disk.save([&] { return c.save(doc, target); }), 0);
        EXPECT_NE(doc.GetLastError().indexOf(target), -1) << doc.GetLastError().toStdString();
        EXPECT_EQ(readFile(target), old);
        QFile::remove(full + QStringLiteral("/filler"));
        // Nothing is left behind but the old file.
        EXPECT_EQ(QDir(full).entryList(QDir::Files | QDir::Hidden),
                  QStringList{QLatin1String(c.file)});
        QFile::remove(target);
    }

    // /dev/full through a symbolic link: written in place, the failure reported.
    const QString link = path("devfull.ipd");
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/full"), link));
    EXPECT_EQ(doc.SaveToIPDFile(link), 0);
    EXPECT_NE(doc.GetLastError().indexOf(link), -1);
    EXPECT_EQ(doc.SaveToTextFile(link), 0);
    EXPECT_EQ(doc.SaveToMPDFile(link, QStringLiteral("nou")), 0); // never read as endless entries
    EXPECT_NE(doc.GetLastError().indexOf(link), -1);
    // Nor is an endless device loaded as a document.
    EXPECT_EQ(doc.LoadFromIPDFile(QStringLiteral("/dev/zero")), 0);
    // A link to a regular file: the file is replaced, the link stays.
    const QString real = path("real.ipd"), alias = path("alias.ipd");
    QFile(real).open(QIODevice::WriteOnly);
    ASSERT_TRUE(QFile::link(real, alias));
    ASSERT_EQ(doc.SaveToIPDFile(alias), 1);
    EXPECT_TRUE(QFileInfo(alias).isSymLink());
    EXPECT_EQ(readFile(real), readFile(doc.GetIPDFileName()));
}

TEST_F(PageroTest, CraftedFilesAreRefusedWithinBoundedMemory) {
    struct Case {
        const char* file;
        int mpdIndex; // -1: loaded as an IPD file
        const char* reason;
    };
    const Case cases[] = {
        {"crafted_width.ipd", -1, "caractere pe linie"},
        {"crafted_intmin.ipd", -1, "margini in afara paginii"},
        {"crafted_intmax.ipd", -1, "margini in afara paginii"},
        {"crafted_font.ipd", -1, "font de 6553 puncte"},
        {"crafted_kind.ipd", -1, "tip necunoscut"},
        {"truncated.ipd", -1, "trunchiat"},
        {"badhead.ipd", -1, "nu este un document"},
        {"crafted_count.mpd", 0, "nu are documentul 0"},
        {"crafted_short.mpd", 0, "nu are documentul 0"},
    };
    TestDoc doc;
    ASSERT_EQ(doc.Init(folder(), 100, 14, 40), 1);
    doc.QWriteLn(QStringLiteral("pastrat"), 3);
    ASSERT_EQ(doc.GetPageCount(), 1);
    const QByteArray ipdBefore = readFile(doc.GetIPDFileName());
    const QByteArray dpdBefore = readFile(doc.GetDPDFileName());

    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const QString file = fixture(c.file);
        auto load = [&] {
            return c.mpdIndex < 0 ? doc.LoadFromIPDFile(file)
                                  : doc.LoadFromMPDFile(file, uint16_t(c.mpdIndex));
        };
        // In a child limited to 50 MB more than this process: refused, nothing grown.
        EXPECT_TRUE(runBounded(50u << 20, [&] {
            return load() == 0 && readFile(doc.GetIPDFileName()) == ipdBefore &&
                   readFile(doc.GetDPDFileName()) == dpdBefore;
        }));
        // And here, for the reason given.
        EXPECT_EQ(load(), 0);
        EXPECT_NE(doc.GetLastError().indexOf(QString::fromLatin1(c.reason)), -1)
            << doc.GetLastError().toStdString();
        EXPECT_NE(doc.GetLastError().indexOf(file), -1);
        EXPECT_EQ(readFile(doc.GetIPDFileName()), ipdBefore);
        EXPECT_EQ(readFile(doc.GetDPDFileName()), dpdBefore);
        EXPECT_EQ(doc.page(1)[1], padded("pastrat", 40));
    }
    // The same header with sane values loads.
    ASSERT_EQ(doc.LoadFromIPDFile(fixture("doc1.ipd")), 1);
    EXPECT_TRUE(doc.GetLastError().isEmpty());
}

TEST_F(PageroTest, DocumentTooLargeToPageIsRefusedAndTheOldOneStays) {
    class SmallDoc : public TestDoc {
    public:
        void limitLayout(qint64 bytes) { m_iMaxLayoutBytes = bytes; }
    };
    // A few bytes of page breaks would lay out a page each.
    QByteArray data = readFile(fixture("doc1.ipd")).left(MorPrint::IpdHeadSize);
    for (int i = 0; i < 200; ++i)
        data.append(QByteArray("B@@FF", 6));
    ASSERT_TRUE(writeFile(path("breaks.ipd"), data));

    SmallDoc doc;
    ASSERT_EQ(doc.Init(folder(), 100, 14, 40), 1);
    doc.QWriteLn(QStringLiteral("pastrat"), 3);
    const qint64 pageBytes = qint64(doc.GetLinesOnPage()) * doc.GetCharsPerLine();
    doc.limitLayout(50 * pageBytes);
    EXPECT_EQ(doc.LoadFromIPDFile(path("breaks.ipd")), 0);
    EXPECT_NE(doc.GetLastError().indexOf(QStringLiteral("nu poate fi paginat")), -1);
    EXPECT_EQ(doc.GetPageCount(), 1);
    EXPECT_EQ(doc.page(1)[1], padded("pastrat", 40));
    EXPECT_LE(readFile(doc.GetDPDFileName()).size(), MorPrint::DpdHeadSize + pageBytes);
    // Within the limit the same file loads.
    doc.limitLayout(100000 * pageBytes);
    EXPECT_EQ(doc.LoadFromIPDFile(path("breaks.ipd")), 1) << doc.GetLastError().toStdString();
    EXPECT_GE(doc.GetPageCount(), 100);
}

TEST_F(PageroTest, TornMultipleDocumentTailIsIgnoredAndDroppedByTheNextSave) {
    const QByteArray whole = readFile(fixture("doc1.mpd"));
    constexpr int entry = 4 + 32 + 115; // one entry of doc1.ipd
    TestDoc doc;
    ASSERT_EQ(doc.Init(folder(), 100, 14, 40), 1);
    doc.QWriteLn(QStringLiteral("adaugat"), 3);
    // The second entry cut inside its length, its name and its document.
    for (int cut : {entry + 2, entry + 20, entry + 36 + 6, entry + 36 + 60}) {
        SCOPED_TRACE(cut);
        const QString mpd = path("torn.mpd");
        ASSERT_TRUE(writeFile(mpd, whole.left(cut)));

        TestDoc reader;
        ASSERT_EQ(reader.Init(folder(), 100, 0, 0), 1);
        QStringList names;
        EXPECT_EQ(reader.LoadFromMPDFile(mpd, 1, &names), 0);
        EXPECT_EQ(names, QStringList{QStringLiteral("Primul")});
        EXPECT_EQ(reader.LoadFromMPDFile(mpd, 0), 1);

        // Saving again keeps the whole entry, drops the torn one and appends the new one.
        ASSERT_EQ(doc.SaveToMPDFile(mpd, QStringLiteral("nou")), 1);
        EXPECT_EQ(readFile(mpd).left(entry), whole.left(entry));
        EXPECT_EQ(reader.LoadFromMPDFile(mpd, 1, &names), 1);
        EXPECT_EQ(names, (QStringList{QStringLiteral("Primul"), QStringLiteral("nou")}));
        EXPECT_EQ(reader.page(1)[1], padded("adaugat", 40));
    }
    // A file that is no multiple-document file is not appended to.
    const QString foreign = path("notes.mpd");
    ASSERT_TRUE(writeFile(foreign, "Note personale, nu un document de tiparire.\n"));
    const QByteArray before = readFile(foreign);
    EXPECT_EQ(doc.SaveToMPDFile(foreign, QStringLiteral("nou")), 0);
    EXPECT_NE(doc.GetLastError().indexOf(QStringLiteral("nu este un fisier cu documente multiple")),
              -1);
    EXPECT_EQ(readFile(foreign), before);
}

TEST_F(PageroTest, WorkingFilesOnAFullDiskRefuseLinesAndPagesHonestly) {
    TestDoc doc;
    ASSERT_EQ(doc.Init(folder(), 100, 14, 80), 1);
    for (int i = 0; i < 200; ++i)
        ASSERT_EQ(doc.QWriteLn(QStringLiteral("Linie %1 a documentului").arg(i), 3), 1);
    const QByteArray ipd = readFile(doc.GetIPDFileName());
    // Every file may grow only to what the IPD file holds now: lines and pages no longer fit.
    signal(SIGXFSZ, SIG_IGN);
    struct rlimit old = {};
    getrlimit(RLIMIT_FSIZE, &old);
    const struct rlimit full = {rlim_t(ipd.size()), old.rlim_max};
    setrlimit(RLIMIT_FSIZE, &full);
    const int32_t written = doc.QWriteLn(QStringLiteral("nu mai incape"), 3);
    const QString lineError = doc.GetLastError();
    const int32_t pages = doc.GetPageCount();
    const QString pageError = doc.GetLastError();
    setrlimit(RLIMIT_FSIZE, &old);

    EXPECT_EQ(written, 0);
    EXPECT_NE(lineError.indexOf(doc.GetIPDFileName()), -1) << lineError.toStdString();
    EXPECT_EQ(readFile(doc.GetIPDFileName()), ipd); // no partial record left
    EXPECT_EQ(pages, 0);
    EXPECT_NE(pageError.indexOf(doc.GetDPDFileName()), -1) << pageError.toStdString();
    // With room again the document pages as before.
    doc.Reset();
    EXPECT_GT(doc.GetPageCount(), 1);
}
