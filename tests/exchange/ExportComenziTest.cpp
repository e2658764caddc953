// The two commands of the main window that hand the settlement to the agency, on a real
// database and the assembled main window: the folder export and the upload after the PIN
// check, each leaving only the transfer file behind.

#include "exchange/ExportDecont.h"

#include "LocalHttpServer.h"
#include "PinFiles.h"
#include "RecordingServer.h"
#include "TestFiles.h"
#include "WorkFolder.h"
#include "core/VORTAPLApp.h"
#include "core/VORTAPLDlg.h"
#include "exchange/TransferFile.h"
#include "exchange/VerificaPINDlg.h"
#include "main/MainWindowRunner.h"
#include "platform/Clock.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBox.h"
#include "platform/ModalDialog.h"

#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

using testfiles::ReadFile;
using testfiles::TempDir;

namespace {

class ExportCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        s.Exec("INSERT INTO ATN_AGENTI (CIF, CURENT, COD_JUDET, DENUMIRE) VALUES ('12345678', 1, "
               "'21', 'Fabrica D''Arcy SRL')");
        s.Exec("INSERT INTO ATN_AGENTI_DETALII (CIF, PROPRIETATE, VALOARE) VALUES ('12345678', "
               "'ADRESA', 'Str. Mărășești 5')");
        theApp().m_strCIF = "12345678";
        theApp().m_totaluri.COD_UNIC = 1234;
        w = CreateMainWindow();
        w->m_iAN = 2026;
        w->m_iLN = 11;
        platform::SetFixedNow(platform::MakeDateTime(2026, 12, 11, 9, 5, 3));
    }
    void TearDown() override {
        platform::SetFixedNow(std::nullopt);
        platform::SetFileDialogHook({});
    }
    std::string Plain(const std::string& crypt) { return DecryptTransferData(ReadFile(crypt)); }

    testsupport::StartedApp s;
    std::unique_ptr<CVORTAPLDlg> w;
    platform::ScopedMessageRecorder rec;
};

} // namespace

TEST_F(ExportCommandsTest, ExportWritesOnlyTheTransferFileIntoTheChosenFolder) {
    TempDir dir;
    std::string caption;
    platform::SetFileDialogHook([&](const platform::FileDialogRequest& r) {
        caption = r.caption;
        return std::optional<std::string>(dir.path().string());
    });
    RunExportAnexe(*w);
    EXPECT_EQ(caption, "Va rugam sa selectati locatia unde doriti sa fie salvat decontul:");
    const std::string crypt = dir.file("2026-11-12345678-21-20261211090503.crypt");
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"2026-11-12345678-21-20261211090503.crypt"});
    ASSERT_EQ(rec.messages().size(), 1u);
    EXPECT_EQ(rec.lastText(),
              "Datele necesare pentru a fi transferate la KRENO au fost exportate in fisierul: " +
                  crypt + "\n\n\nVa rugam sa copiati fisierul\n\n" + crypt +
                  "\n\npe suport extern si sa-l depuneti la infochiosc-urile din KRENO\nimpreuna "
                  "cu anexele listate si stampilate.");
    const std::string doc = Plain(crypt);
    EXPECT_EQ(doc.rfind("<?xml version=\"1.0\"?>\r\n<exportVortApl CIF=\"12345678\" DEN=\"Fabrica "
                        "D&apos;Arcy SRL\" LUNA=\"11\" ANUL=\"2026\" FS=\"0\" TCAD=\"0\" "
                        "COD_UNIC=\"     1234\" ADRESA=\"Str. M\xE3r\xE3\xBA"
                        "e\xBAti 5\"",
                        0),
              0u)
        << doc;
    EXPECT_NE(doc.find("<constantedesistem "), std::string::npos);

    // Cancelling the folder writes nothing and says nothing.
    rec.clear();
    platform::SetFileDialogHook(
        [](const platform::FileDialogRequest&) { return std::optional<std::string>(); });
    RunExportAnexe(*w);
    EXPECT_TRUE(rec.messages().empty());
    EXPECT_EQ(dir.entries().size(), 1u);
}

TEST_F(ExportCommandsTest, UploadAfterThePinLeavesTheTransferFileInTheWorkingFolder) {
    testhttp::LocalHttpServer web;
    const std::string pin = EncryptTransferData(pintest::PinBlock("2468", 'q'));
    web.Serve("/dump_date_angajator/21_12345678_1.crypt",
              QByteArray(pin.data(), qsizetype(pin.size())));
    theApp().m_strAdresaWeb = web.BaseUrl();
    testhttp::RecordingServer agency("HTTP/1.1 200 OK\r\n\r\nFisier valid incarcat cu success");
    theApp().m_strHostName = "127.0.0.1:" + std::to_string(agency.Port());
    platform::ScopedModalHook hook(pintest::TypePin("2468"));
    RunSalveazaPeServer(*w);
    EXPECT_EQ(rec.lastText(),
              "Decontul a fost salvat cu succes pe serverul KRENO!\nDecontul va fi validat doar "
              "dupa depunerea declaratiei D112 la anaf\nprecum si a hartiilor de decont semnate "
              "si stampilate depuse la KRENO.");
    const std::string crypt = s.Folder().File("2026-11-12345678-21-20261211090503.crypt").string();
    EXPECT_TRUE(std::filesystem::exists(crypt));
    EXPECT_FALSE(
        std::filesystem::exists(s.Folder().File("2026-11-12345678-21-20261211090503.xml")));
    const std::string got = agency.Received().toStdString();
    EXPECT_NE(got.find("filename=\"" + crypt + "\""), std::string::npos);
    EXPECT_NE(got.find(ReadFile(crypt)), std::string::npos);
}
