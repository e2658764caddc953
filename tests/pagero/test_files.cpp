// The pagero document files read as an attacker would hand them over and written onto disks
// that fail: crafted and truncated files are refused, saves report failures honestly.
#include "PageroTestSupport.h"

#include <QDir>
#include <QFileInfo>

#include <fstream>
#include <string>
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
        _exit(check() ? 0 : 1);
    }
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid)
        return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

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
    QFile f(path("breaks.ipd"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
    f.close();

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
