// Transfer files: format against an independent fixture, round trips, path
// rules, failure messages, and the sound behaviour of issue 5 (nothing created, truncated or
// left behind by a failed call; output written through a temporary file).

#include "exchange/TransferFile.h"

#include "TestFiles.h"
#include "platform/MessageBox.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <random>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using testfiles::DataFile;
using testfiles::ReadFailure;
using testfiles::ReadFile;
using testfiles::TempDir;
using testfiles::WriteFile;
namespace fs = std::filesystem;

namespace {

using Names = std::vector<std::string>;

std::string AllByteValues() {
    std::string s;
    for (int b = 0; b < 256; ++b)
        s.push_back(static_cast<char>(b));
    return s;
}

std::string RandomBytes(std::size_t n, unsigned seed) {
    std::mt19937 rng(seed);
    std::string s(n, '\0');
    for (auto& c : s)
        c = static_cast<char>(rng());
    return s;
}

// Encrypts plain in a fresh file of dir and decrypts the result again; returns the plain bytes
// read back.
std::string RoundTrip(const TempDir& dir, const std::string& plain) {
    const std::string src = dir.file("rt.xml");
    WriteFile(src, plain);
    std::string crypt, back;
    EXPECT_TRUE(EncryptTransferFile(src, crypt));
    EXPECT_EQ(fs::file_size(crypt), 9 * plain.size());
    fs::remove(src);
    EXPECT_TRUE(DecryptTransferFile(crypt, "xml", back));
    EXPECT_EQ(back, src);
    return ReadFile(back);
}

void ExpectErrorBox(const platform::ScopedMessageRecorder& rec, const std::string& text) {
    ASSERT_EQ(rec.messages().size(), 1u);
    const platform::MessageRecord& m = rec.messages().front();
    EXPECT_EQ(m.text, text);
    EXPECT_EQ(m.caption, "VORTAPL");
    EXPECT_EQ(m.icon, platform::Icon::Error);
    EXPECT_EQ(m.buttons, platform::Buttons::Ok);
}

// Limits the size of files this process may write, for the full-disk cases; restores on exit.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN); // get EFBIG instead of the signal
        rlimit lim = m_old;
        lim.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lim);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

} // namespace

// --- Format --------------------------------------------------------------------------------

TEST(TransferFile, EncryptionEqualsTheIndependentFixtureByteForByte) {
    platform::ScopedMessageRecorder rec;
    TempDir dir;
    const std::string src = dir.file("decont.xml");
    fs::copy_file(DataFile("plain.bin"), src);
    std::string out;
    ASSERT_TRUE(EncryptTransferFile(src, out));
    EXPECT_EQ(out, dir.file("decont.crypt"));
    EXPECT_EQ(ReadFile(out), ReadFile(DataFile("plain.crypt")));
    EXPECT_TRUE(rec.messages().empty());
    EXPECT_EQ(dir.entries(), (Names{"decont.crypt", "decont.xml"})); // no temporary left
}

TEST(TransferFile, DecryptionOfTheIndependentFixtureGivesThePlainFile) {
    platform::ScopedMessageRecorder rec;
    TempDir dir;
    const std::string src = dir.file("12_345.crypt");
    fs::copy_file(DataFile("plain.crypt"), src);
    std::string out;
    ASSERT_TRUE(DecryptTransferFile(src, "xml", out));
    EXPECT_EQ(out, dir.file("12_345.xml"));
    EXPECT_EQ(ReadFile(out), ReadFile(DataFile("plain.bin")));
    EXPECT_TRUE(rec.messages().empty());
    EXPECT_EQ(dir.entries(), (Names{"12_345.crypt", "12_345.xml"}));
}

TEST(TransferFile, InMemoryFormatEqualsTheFixture) {
    const std::string plain = ReadFile(DataFile("plain.bin"));
    const std::string crypt = ReadFile(DataFile("plain.crypt"));
    EXPECT_EQ(EncryptTransferData(plain), crypt);
    EXPECT_EQ(DecryptTransferData(crypt), plain);
    EXPECT_EQ(EncryptTransferData(""), "");
    EXPECT_EQ(DecryptTransferData(""), "");
}

TEST(TransferFile, OneNineByteRecordPerPlainByteEndingInZero) {
    const std::string plain = "AAB\nA";
    const std::string crypt = EncryptTransferData(plain);
    ASSERT_EQ(crypt.size(), 9 * plain.size());
    for (std::size_t i = 0; i < plain.size(); ++i)
        EXPECT_EQ(crypt[9 * i + 8], '\0') << i;
    // Equal plain bytes give equal records wherever they stand (ECB, no chaining, no salt).
    EXPECT_EQ(crypt.substr(0, 9), crypt.substr(9, 9));
    EXPECT_EQ(crypt.substr(0, 9), crypt.substr(36, 9));
    EXPECT_NE(crypt.substr(0, 9), crypt.substr(18, 9));
    // Each record is the record of that byte alone.
    for (std::size_t i = 0; i < plain.size(); ++i)
        EXPECT_EQ(crypt.substr(9 * i, 9), EncryptTransferData(plain.substr(i, 1)));
}

TEST(TransferFile, TheNinthByteOfARecordIsNotLookedAt) {
    TempDir dir;
    std::string crypt = ReadFile(DataFile("plain.crypt"));
    for (std::size_t i = 8; i < crypt.size(); i += 9)
        crypt[i] = static_cast<char>(0xFF);
    WriteFile(dir.file("x.crypt"), crypt);
    std::string out;
    ASSERT_TRUE(DecryptTransferFile(dir.file("x.crypt"), "xml", out));
    EXPECT_EQ(ReadFile(out), ReadFile(DataFile("plain.bin")));
}

TEST(TransferFile, SamePlainContentGivesIdenticalTransferFiles) {
    TempDir dir;
    const std::string plain = RandomBytes(5000, 11);
    WriteFile(dir.file("a.xml"), plain);
    WriteFile(dir.file("b.xml"), plain);
    std::string a, b;
    ASSERT_TRUE(EncryptTransferFile(dir.file("a.xml"), a));
    ASSERT_TRUE(EncryptTransferFile(dir.file("b.xml"), b));
    EXPECT_EQ(ReadFile(a), ReadFile(b));
    // Encrypting again replaces the file with the same bytes.
    ASSERT_TRUE(EncryptTransferFile(dir.file("a.xml"), a));
    EXPECT_EQ(ReadFile(a), ReadFile(b));
}

// --- Round trips -----------------------------------------------------------------------------

TEST(TransferFile, EveryByteValueRoundTripsAlone) {
    platform::ScopedMessageRecorder rec;
    TempDir dir;
    for (int b = 0; b < 256; ++b) {
        const std::string plain(1, static_cast<char>(b));
        ASSERT_EQ(RoundTrip(dir, plain), plain) << b;
    }
    EXPECT_TRUE(rec.messages().empty());
}

TEST(TransferFile, ControlBytesAndAllValuesRoundTripTogether) {
    TempDir dir;
    // NUL, the DOS end-of-file 0x1A, CR, LF in every combination a text mode would touch.
    const std::string specials = std::string("\0\x1A\r\n\n\r\r\r\n\n\x1A\0", 12);
    const std::string plain = specials + AllByteValues() + specials + "\x1A";
    EXPECT_EQ(RoundTrip(dir, plain), plain);
    EXPECT_EQ(RoundTrip(dir, std::string("\x1A")), std::string("\x1A"));
    EXPECT_EQ(RoundTrip(dir, std::string(1000, '\0')), std::string(1000, '\0'));
    EXPECT_EQ(RoundTrip(dir, "\r\n"), "\r\n");
}

TEST(TransferFile, LargeFilesRoundTripAcrossBufferBoundaries) {
    TempDir dir;
    for (std::size_t n : {32767u, 32768u, 32769u, 100003u, 1u << 20}) {
        SCOPED_TRACE(n);
        const std::string plain = RandomBytes(n, static_cast<unsigned>(n));
        EXPECT_EQ(RoundTrip(dir, plain), plain);
    }
}

TEST(TransferFile, EmptyFileInBothDirections) {
    platform::ScopedMessageRecorder rec;
    TempDir dir;
    WriteFile(dir.file("gol.xml"), "");
    std::string crypt, plain;
    ASSERT_TRUE(EncryptTransferFile(dir.file("gol.xml"), crypt));
    ASSERT_TRUE(fs::exists(crypt));
    EXPECT_EQ(fs::file_size(crypt), 0u);
    fs::remove(dir.file("gol.xml"));
    ASSERT_TRUE(DecryptTransferFile(crypt, "xml", plain));
    ASSERT_TRUE(fs::exists(plain));
    EXPECT_EQ(fs::file_size(plain), 0u);
    EXPECT_TRUE(rec.messages().empty());
}

TEST(TransferFile, AShortRemainderAtTheEndIsDroppedWithoutError) {
    platform::ScopedMessageRecorder rec;
    TempDir dir;
    const std::string crypt = ReadFile(DataFile("plain.crypt"));
    const std::string plain = ReadFile(DataFile("plain.bin"));
    for (std::size_t extra = 1; extra <= 8; ++extra) {
        SCOPED_TRACE(extra);
        // A torn record: the first bytes of the next record.
        WriteFile(dir.file("t.crypt"), crypt + crypt.substr(0, extra));
        std::string out;
        ASSERT_TRUE(DecryptTransferFile(dir.file("t.crypt"), "txt", out));
        EXPECT_EQ(ReadFile(out), plain);
    }
    // Shorter than one record: an empty plain file.
    WriteFile(dir.file("s.crypt"), crypt.substr(0, 8));
    std::string out;
    ASSERT_TRUE(DecryptTransferFile(dir.file("s.crypt"), "txt", out));
    EXPECT_EQ(ReadFile(out), "");
    // A remainder after many buffers' worth of records.
    const std::string big = RandomBytes(70000, 5);
    WriteFile(dir.file("b.crypt"), EncryptTransferData(big) + "12345");
    ASSERT_TRUE(DecryptTransferFile(dir.file("b.crypt"), "txt", out));
    EXPECT_EQ(ReadFile(out), big);
    EXPECT_TRUE(rec.messages().empty());
}

// --- Path rules ------------------------------------------------------------------------------

TEST(TransferFile, PathRules) {
    EXPECT_EQ(TransferPathFor("C:\\dir\\decont.xml"), "C:\\dir\\decont.crypt");
    EXPECT_EQ(TransferPathFor("/home/ana/decont.xml"), "/home/ana/decont.crypt");
    EXPECT_EQ(TransferPathFor("decont"), "decont.crypt");
    EXPECT_EQ(TransferPathFor("/home/ana/decont"), "/home/ana/decont.crypt");
    EXPECT_EQ(TransferPathFor("a.b.xml"), "a.b.crypt");
    EXPECT_EQ(TransferPathFor("decont."), "decont.crypt");
    EXPECT_EQ(TransferPathFor("x.crypt"), "x.crypt");
    // Only the file name's last "." counts: a dotted folder keeps the output inside it.
    EXPECT_EQ(TransferPathFor("/home/ana/v1.2/decont"), "/home/ana/v1.2/decont.crypt");
    EXPECT_EQ(TransferPathFor("/home/u/acte.2024/decont"), "/home/u/acte.2024/decont.crypt");
    EXPECT_EQ(TransferPathFor("/home/u/acte.2024/decont.xml"), "/home/u/acte.2024/decont.crypt");
    EXPECT_EQ(TransferPathFor("C:\\acte.2024\\decont"), "C:\\acte.2024\\decont.crypt");
    EXPECT_EQ(TransferPathFor("/home/u/.profile"), "/home/u/.profile.crypt");
    EXPECT_EQ(TransferPathFor("/home/u/..."), "/home/u/...crypt");

    EXPECT_EQ(PlainPathFor("C:\\dir\\12_345.crypt", "xml"), "C:\\dir\\12_345.xml");
    EXPECT_EQ(PlainPathFor("/tmp/12_345_1.crypt", "txt"), "/tmp/12_345_1.txt");
    EXPECT_EQ(PlainPathFor("12_345", "xml"), "12_345.xml");
    EXPECT_EQ(PlainPathFor("a.b.crypt", "txt"), "a.b.txt");
    EXPECT_EQ(PlainPathFor("/home/ana/v1.2/conv", "xml"), "/home/ana/v1.2/conv.xml");
    EXPECT_EQ(PlainPathFor("/home/u/acte.2024/12_345.crypt", "xml"),
              "/home/u/acte.2024/12_345.xml");
}

TEST(TransferFile, FilesAreWrittenWhereThePathRulesSay) {
    TempDir dir;
    std::string out;
    WriteFile(dir.file("fara_extensie"), "abc");
    ASSERT_TRUE(EncryptTransferFile(dir.file("fara_extensie"), out));
    EXPECT_EQ(out, dir.file("fara_extensie.crypt"));
    EXPECT_TRUE(fs::exists(out));

    WriteFile(dir.file("transfer"), EncryptTransferData("xyz"));
    ASSERT_TRUE(DecryptTransferFile(dir.file("transfer"), "txt", out));
    EXPECT_EQ(out, dir.file("transfer.txt"));
    EXPECT_EQ(ReadFile(out), "xyz");

    WriteFile(dir.file("a.b.xml"), "abc");
    ASSERT_TRUE(EncryptTransferFile(dir.file("a.b.xml"), out));
    EXPECT_EQ(out, dir.file("a.b.crypt"));
    EXPECT_EQ(ReadFile(out), EncryptTransferData("abc"));

    // In a dotted folder the output stays beside its source.
    fs::create_directory(dir.file("acte.2024"));
    WriteFile(dir.file("acte.2024/decont"), "abc");
    ASSERT_TRUE(EncryptTransferFile(dir.file("acte.2024/decont"), out));
    EXPECT_EQ(out, dir.file("acte.2024/decont.crypt"));
    EXPECT_EQ(ReadFile(out), EncryptTransferData("abc"));
    EXPECT_FALSE(fs::exists(dir.file("acte.crypt")));
}

// --- Failures --------------------------------------------------------------------------------

TEST(TransferFile, MissingSourceForEncryption) {
    platform::ScopedMessageRecorder rec;
    TempDir dir;
    const std::string src = dir.file("decont.xml");
    std::string out;
    EXPECT_FALSE(EncryptTransferFile(src, out));
    ExpectErrorBox(rec, ReadFailure(src));
    EXPECT_EQ(out, dir.file("decont.crypt"));
    EXPECT_TRUE(dir.entries().empty()); // nothing created
}

TEST(TransferFile, MissingSourceForDecryption) {
    platform::ScopedMessageRecorder rec;
    TempDir dir;
    const std::string src = dir.file("12_345.crypt");
    std::string out;
    EXPECT_FALSE(DecryptTransferFile(src, "xml", out));
    ExpectErrorBox(rec, ReadFailure(src));
    EXPECT_EQ(out, dir.file("12_345.xml"));
    EXPECT_TRUE(dir.entries().empty());
}

TEST(TransferFile, AFailedCallNeverTruncatesAnExistingOutput) {
    platform::ScopedMessageRecorder rec;
    TempDir dir;
    WriteFile(dir.file("decont.crypt"), "earlier transfer file");
    WriteFile(dir.file("12_345.xml"), "earlier plain file");
    std::string out;
    EXPECT_FALSE(EncryptTransferFile(dir.file("decont.xml"), out));
    EXPECT_FALSE(DecryptTransferFile(dir.file("12_345.crypt"), "xml", out));
    EXPECT_EQ(rec.messages().size(), 2u);
    EXPECT_EQ(ReadFile(dir.file("decont.crypt")), "earlier transfer file");
    EXPECT_EQ(ReadFile(dir.file("12_345.xml")), "earlier plain file");
    EXPECT_EQ(dir.entries(), (Names{"12_345.xml", "decont.crypt"}));
}

TEST(TransferFile, AFolderAsSourceCannotBeRead) {
    platform::ScopedMessageRecorder rec;
    TempDir dir;
    fs::create_directory(dir.file("dosar.xml"));
    std::string out;
    EXPECT_FALSE(EncryptTransferFile(dir.file("dosar.xml"), out));
    ExpectErrorBox(rec, ReadFailure(dir.file("dosar.xml")));
    rec.clear();
    fs::create_directory(dir.file("dosar.crypt"));
    EXPECT_FALSE(DecryptTransferFile(dir.file("dosar.crypt"), "txt", out));
    ExpectErrorBox(rec, ReadFailure(dir.file("dosar.crypt")));
    EXPECT_EQ(dir.entries(), (Names{"dosar.crypt", "dosar.xml"}));
}

TEST(TransferFile, OutputThatCannotBeOpenedForWriting) {
    platform::ScopedMessageRecorder rec;
    TempDir dir;
    WriteFile(dir.file("decont.xml"), "abc");
    fs::create_directory(dir.file("decont.crypt")); // the output name is taken by a folder
    std::string out;
    EXPECT_FALSE(EncryptTransferFile(dir.file("decont.xml"), out));
    ExpectErrorBox(rec, "Fisierul criptat nu a putut fi deschis pentru scriere!");
    rec.clear();

    WriteFile(dir.file("12_345.crypt"), EncryptTransferData("abc"));
    fs::create_directory(dir.file("12_345.xml"));
    EXPECT_FALSE(DecryptTransferFile(dir.file("12_345.crypt"), "xml", out));
    ExpectErrorBox(rec, "Fisierul decriptat nu a putut fi deschis pentru scriere!");

    EXPECT_EQ(dir.entries(), (Names{"12_345.crypt", "12_345.xml", "decont.crypt", "decont.xml"}));
    EXPECT_TRUE(fs::is_empty(dir.file("decont.crypt")));
}

TEST(TransferFile, FolderWithoutWriteAccess) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root may write into any folder";
    platform::ScopedMessageRecorder rec;
    TempDir dir;
    fs::create_directory(dir.file("ro"));
    WriteFile(dir.file("ro/decont.xml"), "abc");
    fs::permissions(dir.file("ro"), fs::perms::owner_read | fs::perms::owner_exec);
    std::string out;
    EXPECT_FALSE(EncryptTransferFile(dir.file("ro/decont.xml"), out));
    fs::permissions(dir.file("ro"), fs::perms::owner_all);
    ExpectErrorBox(rec, "Fisierul criptat nu a putut fi deschis pentru scriere!");
}

TEST(TransferFile, AFullDiskLeavesNoHalfWrittenFile) {
    platform::ScopedMessageRecorder rec;
    TempDir dir;
    const std::string plain = RandomBytes(20000, 9); // 180,000 bytes of transfer file
    WriteFile(dir.file("decont.xml"), plain);
    WriteFile(dir.file("decont.crypt"), "earlier transfer file");
    const std::string crypt = EncryptTransferData(plain);
    WriteFile(dir.file("12_345.crypt"), crypt);
    WriteFile(dir.file("12_345.xml"), "earlier plain file");
    std::string out;
    {
        FileSizeLimit limit(16 * 1024);
        EXPECT_FALSE(EncryptTransferFile(dir.file("decont.xml"), out));
        EXPECT_FALSE(DecryptTransferFile(dir.file("12_345.crypt"), "xml", out));
    }
    ASSERT_EQ(rec.messages().size(), 2u);
    EXPECT_EQ(rec.messages()[0].text, "Fisierul criptat nu a putut fi scris!");
    EXPECT_EQ(rec.messages()[1].text, "Fisierul decriptat nu a putut fi scris!");
    EXPECT_EQ(rec.messages()[1].icon, platform::Icon::Error);
    EXPECT_EQ(ReadFile(dir.file("decont.crypt")), "earlier transfer file");
    EXPECT_EQ(ReadFile(dir.file("12_345.xml")), "earlier plain file");
    EXPECT_EQ(dir.entries(), (Names{"12_345.crypt", "12_345.xml", "decont.crypt", "decont.xml"}));
}

TEST(TransferFile, CipherErrorMessage) {
    TempDir dir;
    WriteFile(dir.file("decont.xml"), "abc");
    WriteFile(dir.file("12_345.crypt"), EncryptTransferData("abc"));
    std::string err;
    EXPECT_FALSE(
        transfer_detail::EncryptFile(dir.file("decont.xml"), dir.file("decont.crypt"), "", err));
    EXPECT_EQ(err, "Eroare la criptarea datelor!\nIncorrect key length");
    EXPECT_FALSE(
        transfer_detail::DecryptFile(dir.file("12_345.crypt"), dir.file("12_345.xml"), "", err));
    EXPECT_EQ(err, "Eroare la criptarea datelor!\nIncorrect key length");
    EXPECT_EQ(dir.entries(), (Names{"12_345.crypt", "decont.xml"}));
}

TEST(TransferFile, TryVariantsGiveTheTextAndShowNoBox) {
    platform::ScopedMessageRecorder rec;
    TempDir dir;
    std::string out, err = "stale";
    EXPECT_FALSE(TryEncryptTransferFile(dir.file("lipsa.xml"), out, err));
    EXPECT_EQ(err, ReadFailure(dir.file("lipsa.xml")));
    EXPECT_EQ(out, dir.file("lipsa.crypt"));
    EXPECT_FALSE(TryDecryptTransferFile(dir.file("lipsa.crypt"), "xml", out, err));
    EXPECT_EQ(err, ReadFailure(dir.file("lipsa.crypt")));
    EXPECT_TRUE(rec.messages().empty());

    WriteFile(dir.file("ok.xml"), "abc");
    EXPECT_TRUE(TryEncryptTransferFile(dir.file("ok.xml"), out, err));
    EXPECT_TRUE(err.empty());
    EXPECT_EQ(ReadFile(out), EncryptTransferData("abc"));
    EXPECT_TRUE(TryDecryptTransferFile(out, "txt", out, err));
    EXPECT_EQ(out, dir.file("ok.txt"));
    EXPECT_EQ(ReadFile(dir.file("ok.txt")), "abc");
}

TEST(TransferFile, SourceAndResultMayBeTheSameString) {
    TempDir dir;
    WriteFile(dir.file("a.xml"), "abc");
    std::string path = dir.file("a.xml");
    ASSERT_TRUE(EncryptTransferFile(path, path));
    EXPECT_EQ(path, dir.file("a.crypt"));
    ASSERT_TRUE(DecryptTransferFile(path, "txt", path));
    EXPECT_EQ(path, dir.file("a.txt"));
    EXPECT_EQ(ReadFile(path), "abc");
}

// --- Writing through a temporary file --------------------------------------------------------

TEST(TransferFile, AnExistingOutputIsReplacedWhole) {
    TempDir dir;
    WriteFile(dir.file("decont.crypt"), RandomBytes(100000, 3)); // longer than the new file
    fs::copy_file(DataFile("plain.bin"), dir.file("decont.xml"));
    std::string out;
    ASSERT_TRUE(EncryptTransferFile(dir.file("decont.xml"), out));
    EXPECT_EQ(ReadFile(out), ReadFile(DataFile("plain.crypt")));
    EXPECT_EQ(dir.entries(), (Names{"decont.crypt", "decont.xml"}));
}

TEST(TransferFile, ANewFileGetsTheUsualPermissions) {
    TempDir dir;
    const mode_t old = umask(022);
    WriteFile(dir.file("decont.xml"), "abc");
    std::string out;
    const bool ok = EncryptTransferFile(dir.file("decont.xml"), out);
    umask(old);
    ASSERT_TRUE(ok);
    struct stat st {};
    ASSERT_EQ(stat(out.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0644u);
}

TEST(TransferFile, AnOutputOntoItsOwnSourceIsRefused) {
    // "x.crypt" encrypts to "x.crypt", and decrypts to it with the extension "crypt": either
    // would replace the file being read, so the source is lost. Nothing is written.
    TempDir dir;
    const std::string plain = RandomBytes(100000, 4);
    WriteFile(dir.file("x.crypt"), plain);
    platform::ScopedMessageRecorder rec;
    std::string out;
    EXPECT_FALSE(EncryptTransferFile(dir.file("x.crypt"), out));
    EXPECT_EQ(out, dir.file("x.crypt"));
    EXPECT_EQ(rec.lastText(), "Fisierul criptat nu poate inlocui chiar fisierul sursa!");
    EXPECT_FALSE(DecryptTransferFile(dir.file("x.crypt"), "crypt", out));
    EXPECT_EQ(rec.lastText(), "Fisierul decriptat nu poate inlocui chiar fisierul sursa!");
    EXPECT_EQ(rec.messages().size(), 2u);
    EXPECT_EQ(ReadFile(dir.file("x.crypt")), plain);
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"x.crypt"}));
}

TEST(TransferFile, AFileNameOfTheLongestLengthStillWorks) {
    TempDir dir;
    const std::string base(249, 'n'); // "<base>.crypt" is 255 bytes, the longest name allowed
    WriteFile(dir.file(base + ".xml"), "abc");
    std::string out;
    ASSERT_TRUE(EncryptTransferFile(dir.file(base + ".xml"), out));
    EXPECT_EQ(ReadFile(dir.file(base + ".crypt")), EncryptTransferData("abc"));
    EXPECT_EQ(dir.entries().size(), 2u);
}

// A link or a write-protected file at the output's place stays as it is, and what it points to
// too: the call fails and says why.
TEST(TransferFile, ALinkOrAProtectedFileAtTheOutputIsNotReplaced) {
    TempDir dir;
    WriteFile(dir.file("decont.xml"), "abc");
    WriteFile(dir.file("altundeva"), "al altcuiva");
    fs::create_symlink(dir.file("altundeva"), dir.file("decont.crypt"));
    platform::ScopedMessageRecorder rec;
    std::string out;
    EXPECT_FALSE(EncryptTransferFile(dir.file("decont.xml"), out));
    EXPECT_EQ(rec.lastText(), "Fisierul criptat nu a putut fi deschis pentru scriere!\nFisierul " +
                                  dir.file("decont.crypt") +
                                  " este o legatura simbolica si nu va fi inlocuit!");
    EXPECT_TRUE(fs::is_symlink(dir.file("decont.crypt")));
    EXPECT_EQ(ReadFile(dir.file("altundeva")), "al altcuiva");

    WriteFile(dir.file("12_345.crypt"), EncryptTransferData("nou"));
    WriteFile(dir.file("12_345.xml"), "vechi");
    fs::permissions(dir.file("12_345.xml"), fs::perms::owner_read | fs::perms::group_read);
    EXPECT_FALSE(DecryptTransferFile(dir.file("12_345.crypt"), "xml", out));
    EXPECT_EQ(rec.lastText(),
              "Fisierul decriptat nu a putut fi deschis pentru scriere!\nFisierul " +
                  dir.file("12_345.xml") + " este protejat la scriere si nu va fi inlocuit!");
    EXPECT_EQ(ReadFile(dir.file("12_345.xml")), "vechi");
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"12_345.crypt", "12_345.xml", "altundeva",
                                                       "decont.crypt", "decont.xml"}));
    fs::permissions(dir.file("12_345.xml"), fs::perms::owner_all);
}
