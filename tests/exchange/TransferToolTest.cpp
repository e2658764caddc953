// vortapl-transfer, run as a user runs it: same path rules and failures as the program,
// messages on standard error, exit status 0 or 1, no display needed.

#include "exchange/Md5Digest.h"
#include "exchange/TransferFile.h"

#include "TestFiles.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <gtest/gtest.h>

#include <filesystem>

using testfiles::DataFile;
using testfiles::ReadFailure;
using testfiles::ReadFile;
using testfiles::TempDir;
using testfiles::WriteFile;
namespace fs = std::filesystem;

namespace {

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

ToolRun RunTool(const QStringList& args, const QString& stdoutFile = {}) {
    QProcess p;
    if (!stdoutFile.isEmpty())
        p.setStandardOutputFile(stdoutFile);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* var : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(var); // the tool must never need a display
    p.setProcessEnvironment(env);
    p.start(VORTAPL_TRANSFER_TOOL, args);
    p.closeWriteChannel();
    ToolRun r;
    if (!p.waitForFinished(60000))
        return r;
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    r.out = p.readAllStandardOutput().toStdString();
    r.err = p.readAllStandardError().toStdString();
    return r;
}

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

TEST(TransferTool, EncryptWritesTheTransferFile) {
    TempDir dir;
    fs::copy_file(DataFile("plain.bin"), dir.file("decont.xml"));
    const ToolRun r = RunTool({"encrypt", Q(dir.file("decont.xml"))});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, dir.file("decont.crypt") + "\n");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(ReadFile(dir.file("decont.crypt")), ReadFile(DataFile("plain.crypt")));
}

TEST(TransferTool, DecryptWritesThePlainFile) {
    TempDir dir;
    fs::copy_file(DataFile("plain.crypt"), dir.file("12_345.crypt"));
    const ToolRun r = RunTool({"decrypt", Q(dir.file("12_345.crypt")), "xml"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, dir.file("12_345.xml") + "\n");
    EXPECT_EQ(ReadFile(dir.file("12_345.xml")), ReadFile(DataFile("plain.bin")));

    WriteFile(dir.file("pin"), EncryptTransferData("1234"));
    const ToolRun r2 = RunTool({"decrypt", Q(dir.file("pin")), "txt"});
    EXPECT_EQ(r2.status, 0) << r2.err;
    EXPECT_EQ(ReadFile(dir.file("pin.txt")), "1234");
}

TEST(TransferTool, Md5PrintsTheDigest) {
    TempDir dir;
    WriteFile(dir.file("f.crypt"), "abc");
    const ToolRun r = RunTool({"md5", Q(dir.file("f.crypt"))});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "900150983cd24fb0d6963f7d28e17f72\n");
    std::string digest;
    ASSERT_TRUE(Md5Digest(DataFile("plain.crypt"), digest));
    EXPECT_EQ(RunTool({"md5", Q(DataFile("plain.crypt"))}).out, digest + "\n");
}

TEST(TransferTool, FailuresGoToStandardErrorWithStatus1) {
    TempDir dir;
    const std::string missing = dir.file("lipsa.xml");
    ToolRun r = RunTool({"encrypt", Q(missing)});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, ReadFailure(missing) + "\n");

    r = RunTool({"decrypt", Q(dir.file("lipsa.crypt")), "xml"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, ReadFailure(dir.file("lipsa.crypt")) + "\n");

    r = RunTool({"md5", Q(missing)});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, ReadFailure(missing) + "\n");

    WriteFile(dir.file("decont.xml"), "abc");
    fs::create_directory(dir.file("decont.crypt"));
    r = RunTool({"encrypt", Q(dir.file("decont.xml"))});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Fisierul criptat nu a putut fi deschis pentru scriere!\n");

    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"decont.crypt", "decont.xml"}));
}

TEST(TransferTool, WrongArgumentsShowTheUsage) {
    for (const QStringList& args :
         {QStringList{}, QStringList{"encrypt"}, QStringList{"decrypt", "a.crypt"},
          QStringList{"md5", "a", "b"}, QStringList{"pack", "a"}}) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const ToolRun r = RunTool(args);
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find("Utilizare:"), std::string::npos);
        EXPECT_EQ(r.out, "");
    }
    const ToolRun help = RunTool({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("vortapl-transfer decrypt CALE EXT"), std::string::npos);
}

// An output that is its own source (by name, or through a link) is refused before anything is
// written, and the source stays whole.
TEST(TransferTool, OutputThatIsTheInputIsRefused) {
    TempDir dir;
    const std::string crypt = EncryptTransferData("<exportKRENO/>");
    WriteFile(dir.file("x.crypt"), crypt);
    WriteFile(dir.file("date.xml"), "abc");
    fs::create_symlink("date.xml", dir.file("date.crypt"));
    struct Case {
        QStringList args;
        const char* message;
    } cases[] = {
        {{"decrypt", Q(dir.file("x.crypt")), ".crypt"},
         "Fisierul decriptat nu poate inlocui chiar fisierul sursa!\n"},
        {{"decrypt", Q(dir.file("x.crypt")), "crypt"},
         "Fisierul decriptat nu poate inlocui chiar fisierul sursa!\n"},
        {{"encrypt", Q(dir.file("x.crypt"))},
         "Fisierul criptat nu poate inlocui chiar fisierul sursa!\n"},
        {{"encrypt", Q(dir.file("date.xml"))},
         "Fisierul criptat nu poate inlocui chiar fisierul sursa!\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const ToolRun r = RunTool(c.args);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, c.message);
        EXPECT_EQ(ReadFile(dir.file("x.crypt")), crypt);
        EXPECT_EQ(ReadFile(dir.file("date.xml")), "abc");
    }
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"date.crypt", "date.xml", "x.crypt"}));
    // A leading "." of the extension is the usual way to write it.
    const ToolRun r = RunTool({"decrypt", Q(dir.file("x.crypt")), ".xml"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadFile(dir.file("x.xml")), "<exportKRENO/>");
}

// A result that cannot reach standard output is a failure, not a success.
TEST(TransferTool, StandardOutputThatCannotBeWrittenFails) {
    if (!fs::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    TempDir dir;
    WriteFile(dir.file("f.xml"), "abc");
    for (const QStringList& args :
         {QStringList{"md5", Q(dir.file("f.xml"))}, QStringList{"encrypt", Q(dir.file("f.xml"))},
          QStringList{"--help"}}) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const ToolRun r = RunTool(args, "/dev/full");
        EXPECT_EQ(r.status, 1);
    }
}
