// The PIN check: the dialog and its messages, the whole check against a local web server, and
// the download underneath it (time-out, failures that leave the local file as it was).

#include "exchange/VerificaPINDlg.h"

#include "LocalHttpServer.h"
#include "PinFiles.h"
#include "TestFiles.h"
#include "WorkFolder.h"
#include "core/VORTAPLApp.h"
#include "exchange/DescarcareFisier.h"
#include "exchange/TransferFile.h"
#include "platform/MessageBox.h"
#include "platform/ModalDialog.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <filesystem>

using testfiles::ReadFile;
using testfiles::WriteFile;
namespace fs = std::filesystem;

namespace {

QByteArray Bytes(const std::string& s) {
    return QByteArray(s.data(), qsizetype(s.size()));
}

// A deciphered PIN file holding the given PINs, one per block, plus a short remainder.
std::string PinText(const std::vector<std::string>& pins) {
    std::string text;
    for (const std::string& pin : pins) {
        text += pintest::PinBlock(pin, char('0' + text.size() % 10));
    }
    return text + std::string(120, 'r');
}

} // namespace

TEST(VerificaPINDlg, TheEntryIsMaskedDigitsOnlyAndFourLong) {
    CVerificaPINDlg dlg({"1234"});
    dlg.show();
    EXPECT_EQ(dlg.windowTitle(), "Verificare cod pin");
    EXPECT_EQ(dlg.Edit()->echoMode(), QLineEdit::Password);
    EXPECT_TRUE(dlg.ValidezButton()->isDefault());
    EXPECT_EQ(dlg.ValidezButton()->text(), "&Validez");
    EXPECT_EQ(dlg.RenuntButton()->text(), "&Renunt");
    QTest::keyClicks(dlg.Edit(), "1a2-3 456");
    EXPECT_EQ(dlg.Edit()->text(), "1234");
}

TEST(VerificaPINDlg, ValidezAnswersEachCase) {
    struct Case {
        std::vector<std::string> pins;
        std::string typed;
        std::string message; // "" when the dialog closes with OK
    };
    const Case cases[] = {
        {{"1234", "0042"}, "", "Va rugam sa introduceti codul PIN!"},
        {{}, "1234", "Codul PIN lipsa!"},
        {{"1234", "0042"}, "0042", ""},
        {{"1234", "0042"}, "1234", ""},
        {{"1234", "0042"}, "4321", "PIN incorect!"},
        {{"1234"}, "123", "PIN incorect!"},
    };
    for (const Case& c : cases) {
        platform::ScopedMessageRecorder rec;
        CVerificaPINDlg dlg(c.pins);
        dlg.show();
        dlg.activateWindow();
        dlg.Edit()->setText(QString::fromStdString(c.typed));
        dlg.ValidezButton()->setFocus(); // as a click on it would
        dlg.ValidezButton()->click();
        if (c.message.empty()) {
            EXPECT_TRUE(rec.messages().empty()) << rec.lastText();
            EXPECT_EQ(dlg.result(), QDialog::Accepted) << c.typed;
            continue;
        }
        ASSERT_EQ(rec.messages().size(), 1u) << c.typed;
        EXPECT_EQ(rec.messages()[0].text, c.message);
        EXPECT_EQ(rec.messages()[0].caption, "VORTAPL");
        EXPECT_EQ(rec.messages()[0].icon, platform::Icon::Error);
        EXPECT_TRUE(dlg.isVisible()) << c.typed; // stays open
        if (c.message == "PIN incorect!") {
            EXPECT_TRUE(dlg.Edit()->text().isEmpty());
            EXPECT_EQ(dlg.focusWidget(), dlg.Edit());
        }
    }
    CVerificaPINDlg dlg({"1234"});
    dlg.show();
    dlg.RenuntButton()->click();
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
}

class VerifyPinTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.Listening());
        s.Exec("INSERT INTO ATN_AGENTI (CIF, CURENT, COD_JUDET, DENUMIRE) VALUES ('12345678', 1, "
               "'12', 'SC Exemplu SRL')");
        theApp().m_strAdresaWeb = server.BaseUrl();
    }

    // Runs the check with a hook that types pin into the dialog; counts the dialogs shown.
    bool Verify(const std::string& pin) {
        platform::ScopedModalHook hook([&](QDialog& d) {
            auto* dlg = dynamic_cast<CVerificaPINDlg*>(&d);
            if (!dlg)
                return int(QDialog::Rejected);
            ++shown;
            dlg->show();
            dlg->Edit()->setText(QString::fromStdString(pin));
            dlg->ValidezButton()->click();
            return dlg->result();
        });
        return VerifyEmployerPin();
    }

    const std::string kPinPath = "/dump_date_angajator/12_12345678_1.crypt";
    testsupport::StartedApp s;
    testhttp::LocalHttpServer server;
    platform::ScopedMessageRecorder rec;
    int shown = 0;
};

TEST_F(VerifyPinTest, APinOfTheDownloadedFileIsAccepted) {
    const std::string crypt = EncryptTransferData(PinText({"1357", "2468", "9090"}));
    server.Serve(kPinPath, Bytes(crypt));
    EXPECT_TRUE(Verify("2468"));
    EXPECT_TRUE(rec.messages().empty()) << rec.lastText();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(server.Requests(), std::vector<std::string>{kPinPath});
    // The downloaded file stays in the working folder; its clear text does not.
    EXPECT_EQ(ReadFile(s.Folder().File("12_12345678_1.crypt").string()), crypt);
    EXPECT_FALSE(fs::exists(s.Folder().File("12_12345678_1.txt")));

    EXPECT_FALSE(Verify("9999"));
    EXPECT_EQ(rec.lastText(), "PIN incorect!");
}

TEST_F(VerifyPinTest, AShortPinFileLeavesNoValidPin) {
    server.Serve(kPinPath, Bytes(EncryptTransferData(std::string(249, '7'))));
    EXPECT_FALSE(Verify("7777"));
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(rec.lastText(), "Codul PIN lipsa!");
}

TEST_F(VerifyPinTest, AFailedDownloadGivesItsMessageAndNoDialog) {
    const char* kMessage =
        "A aparut o eroare la verificarea codului PIN!\nVa rugam sa verificati conexiunea la "
        "internet!";
    // Not on the site; then no site at all (nothing listens on the port).
    EXPECT_FALSE(Verify("1234"));
    EXPECT_EQ(rec.lastText(), kMessage);
    theApp().m_strAdresaWeb = "http://127.0.0.1:1/";
    EXPECT_FALSE(Verify("1234"));
    EXPECT_EQ(rec.lastText(), kMessage);
    theApp().m_strAdresaWeb = "";
    EXPECT_FALSE(Verify("1234"));
    EXPECT_EQ(rec.lastText(), kMessage);
    EXPECT_EQ(shown, 0);
    EXPECT_EQ(rec.messages().size(), 3u);
    EXPECT_FALSE(fs::exists(s.Folder().File("12_12345678_1.crypt")));
    EXPECT_NE(s.Folder().ReadFile("vortapl.log").find("[ERR][CDescarcareFisier::DownloadToFile]"),
              std::string::npos);
}

TEST(DescarcareFisier, WritesTheWholeBodyOrLeavesTheFileAsItWas) {
    testsupport::WorkFolder folder(false);
    testhttp::LocalHttpServer server;
    ASSERT_TRUE(server.Listening());
    std::string big;
    for (int i = 0; i < 3 * 1024 * 1024; ++i)
        big += char(i * 13);
    server.Serve("/mare.crypt", Bytes(big));
    server.Serve("/eroare.crypt", "pagina de eroare", 500);
    server.Silent("/tacut.crypt");

    const std::string target = folder.File("tinta.crypt").string();
    CDescarcareFisier d;
    ASSERT_TRUE(d.DownloadToFile(server.BaseUrl() + "mare.crypt", target)) << d.GetLastError();
    EXPECT_EQ(ReadFile(target), big);
    EXPECT_TRUE(d.GetLastError().empty());

    WriteFile(target, "bun");
    EXPECT_FALSE(d.DownloadToFile(server.BaseUrl() + "eroare.crypt", target));
    EXPECT_FALSE(d.DownloadToFile(server.BaseUrl() + "lipsa.crypt", target));
    EXPECT_NE(d.GetLastError().find("404"), std::string::npos) << d.GetLastError();
    EXPECT_FALSE(d.DownloadToFile("ftp://127.0.0.1/x.crypt", target));
    EXPECT_FALSE(d.DownloadToFile("nu este o adresa", target));
    EXPECT_EQ(ReadFile(target), "bun");

    // A server that never answers is given up after the time-out.
    CDescarcareFisier quick(nullptr, 300);
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(quick.DownloadToFile(server.BaseUrl() + "tacut.crypt", target));
    EXPECT_LT(clock.elapsed(), 20000);
    EXPECT_FALSE(quick.WasCancelled());
    EXPECT_EQ(ReadFile(target), "bun");
    // Only the target is in the folder: no partial file is left behind.
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder.Path()))
        names.push_back(e.path().filename().string());
    std::erase_if(names, [](const std::string& n) { return n == "vortapl.log"; });
    EXPECT_EQ(names, std::vector<std::string>{"tinta.crypt"});
}

TEST(DescarcareFisier, ASlowDownloadShowsItsProgressAndCanBeCancelled) {
    testsupport::WorkFolder folder(false);
    testhttp::LocalHttpServer server;
    ASSERT_TRUE(server.Listening());
    server.Silent("/tacut.crypt");
    const std::string target = folder.File("12_1_1.crypt").string();
    WriteFile(target, "anterior");

    std::string label;
    QTimer::singleShot(1000, [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* p = qobject_cast<QProgressDialog*>(w); p && p->isVisible()) {
                label = p->labelText().toStdString();
                if (auto* button = p->findChild<QPushButton*>())
                    button->click();
            }
    });
    CDescarcareFisier d(nullptr, 60000);
    EXPECT_FALSE(d.DownloadToFile(server.BaseUrl() + "tacut.crypt", target));
    EXPECT_EQ(label, "Se descarca 12_1_1.crypt ...");
    EXPECT_TRUE(d.WasCancelled());
    EXPECT_EQ(ReadFile(target), "anterior");
}
