// The two downloads of the agency's site: the version check and the legal holidays, read from
// bytes and then fetched from a loopback server into a real working folder and database.

#include "exchange/ActualizareSarbatoriLegaleDlg.h"
#include "exchange/DocumenteWeb.h"
#include "exchange/VersiuneNouaDlg.h"

#include "ExchangeDb.h"
#include "LocalHttpServer.h"
#include "WorkFolder.h"
#include "core/VORTAPLApp.h"
#include "platform/Clock.h"
#include "platform/MessageBox.h"
#include "platform/ModalDialog.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <gtest/gtest.h>

using testdb::Rows;

namespace {

std::string Versiune(const std::string& body) {
    return "<?xml version=\"1.0\"?><VORTAPL>" + body + "</VORTAPL>";
}
const std::string kV = "<V1>1</V1><V2>0</V2><V3>0</V3><V4>2</V4><DESCRIERE>Anexe noi</DESCRIERE>";

std::string Sarbatori(const std::string& body, const std::string& root = "sarbatoriLegale") {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><" + root + ">" + body + "</" + root + ">";
}
std::string Sarbatoare(int an, int luna, int zi, const std::string& nume) {
    return "<sarbatoare an=\"" + std::to_string(an) + "\" luna=\"" + std::to_string(luna) +
           "\" zi=\"" + std::to_string(zi) + "\">" + nume + "</sarbatoare>";
}

} // namespace

TEST(DocumenteWeb, VersionDocumentRefusalsNameTheirStep) {
    struct Case {
        std::string doc, error;
    } cases[] = {
        {Versiune(kV), ""},
        {"<VORTAPL><V1>1</V1>", "Eroare la verificarea versiunii![1]"},       // cut short
        {Versiune(kV) + "<VORTAPL/>", "Eroare la verificarea versiunii![1]"}, // two roots
        {Versiune(kV) + "text", "Eroare la verificarea versiunii![1]"},       // trailing text
        {"<VORTAPL>&nedefinit;</VORTAPL>", "Eroare la verificarea versiunii![1]"},
        {"<versiune>" + kV + "</versiune>", "Eroare la verificarea versiunii![2]"},
        {Versiune("<V2>0</V2><V1>1</V1><V3>0</V3><V4>2</V4><DESCRIERE/>"),
         "Eroare la verificarea versiunii![V2]"},
        {Versiune("<V1>1</V1><V2>0</V2><V3>0</V3><DESCRIERE/>"),
         "Eroare la verificarea versiunii![V4]"},
        {Versiune("<V1>1</V1><V2>0</V2><V3>0</V3><V4>2</V4>"),
         "Eroare la verificarea versiunii![DESCRIERE]"},
    };
    for (const Case& c : cases) {
        VersiunePublicata v;
        std::string err;
        EXPECT_EQ(CitesteVersiune(c.doc, v, err), c.error.empty()) << c.doc;
        EXPECT_EQ(err, c.error) << c.doc;
    }
    VersiunePublicata v;
    std::string err;
    ASSERT_TRUE(CitesteVersiune(Versiune(kV), v, err));
    EXPECT_EQ(v.Text(), "1.0.0.2");
    EXPECT_EQ(v.strDescriere, "Anexe noi");
}

TEST(DocumenteWeb, VersionsAreComparedAsText) {
    EXPECT_TRUE(EsteVersiuneNoua("1.0.0.2", "1.0.0.10"));
    EXPECT_TRUE(EsteVersiuneNoua("1.0.0.9", "1.0.0.10")); // older alike
    EXPECT_FALSE(EsteVersiuneNoua("1.0.0.10", "1.0.0.10"));
    EXPECT_FALSE(EsteVersiuneNoua("1.0.0.A", "1.0.0.a"));
    EXPECT_TRUE(EsteVersiuneNoua("1.0.0.1", ""));
}

TEST(DocumenteWeb, HolidaysDocumentRowsInOrderAndRefusals) {
    std::vector<SarbatoareWeb> rows;
    std::string err;
    ASSERT_TRUE(CitesteSarbatori(
        Sarbatori(Sarbatoare(2026, 12, 1, "Ziua Națională") + Sarbatoare(2026, 1, 24, "Unirea")),
        rows, err));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].Data(), "2026-12-1");
    EXPECT_EQ(rows[0].strDenumire, "Ziua Națională");
    EXPECT_EQ(rows[1].Data(), "2026-1-24");

    ASSERT_TRUE(CitesteSarbatori(Sarbatori(""), rows, err));
    EXPECT_TRUE(rows.empty());
    EXPECT_FALSE(CitesteSarbatori(Sarbatori("", "sarbatori"), rows, err));
    EXPECT_EQ(err, "Tag sarbatoriLegale negasit!");
    for (const std::string& bad :
         {Sarbatori(Sarbatoare(2026, 1, 1, "An nou")).substr(0, 60), Sarbatori("") + "<x/>",
          std::string("<sarbatoriLegale>&#0;"), std::string()}) {
        EXPECT_FALSE(CitesteSarbatori(bad, rows, err)) << bad;
        EXPECT_EQ(err, "Fisierul XML este in format incorect![1]");
        EXPECT_TRUE(rows.empty());
    }
}

class DownloadsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(server.Listening());
        theApp().m_strAdresaWeb = server.BaseUrl();
        theApp().m_strVersiune = "1.0.0.10";
        platform::SetFixedNow(platform::MakeDateTime(2026, 12, 11, 10));
    }
    void TearDown() override { platform::SetFixedNow(std::nullopt); }

    void Serve(const std::string& path, const std::string& body) {
        server.Serve(path, QByteArray(body.data(), qsizetype(body.size())));
    }
    std::vector<std::string> Holidays() {
        return Rows("SELECT DATA, SARBATOARE FROM ATN_SARBATORI_LEGALE WHERE DATA >= '2026-01-01'"
                    " ORDER BY DATA",
                    {"DATA", "SARBATOARE"});
    }

    testsupport::StartedApp s;
    testhttp::LocalHttpServer server;
    platform::ScopedMessageRecorder rec;
};

TEST_F(DownloadsTest, ANewerOrOlderVersionOpensTheChangesDialog) {
    Serve("/versiune.xml", Versiune(kV));
    std::string curenta, ultima, sumar, vizitati;
    platform::ScopedModalHook hook([&](QDialog& d) {
        auto& dlg = dynamic_cast<CVersiuneNouaDlg&>(d);
        curenta = dlg.Curenta()->text().toStdString();
        ultima = dlg.Ultima()->text().toStdString();
        sumar = dlg.Sumar()->toPlainText().toStdString();
        vizitati = dlg.Vizitati()->text().toStdString();
        EXPECT_EQ(dlg.windowTitle(), "Modificari ale aplicatiei VORTAPL");
        return int(QDialog::Accepted);
    });
    RunVerificaVersiune(nullptr);
    EXPECT_TRUE(rec.messages().empty()) << rec.lastText();
    EXPECT_EQ(curenta, "1.0.0.10");
    EXPECT_EQ(ultima, "1.0.0.2");
    EXPECT_EQ(sumar, "Anexe noi");
    EXPECT_EQ(vizitati, "Pentru a downloada ultima versiune a aplicatie va rugam sa vizitati "
                        "site-ul: " +
                            theApp().m_optiuni.GetValoare("ADRESA_WEB") + " sectiunea download");
    EXPECT_TRUE(std::filesystem::exists(s.Folder().File("versiune.xml")));
}

TEST_F(DownloadsTest, TheSameVersionCongratulatesAndErrorsAreShown) {
    Serve("/versiune.xml", Versiune("<V1>1</V1><V2>0</V2><V3>0</V3><V4>10</V4><DESCRIERE/>"));
    platform::ScopedModalHook hook([](QDialog&) {
        ADD_FAILURE() << "no dialog expected";
        return int(QDialog::Rejected);
    });
    RunVerificaVersiune(nullptr);
    ASSERT_EQ(rec.messages().size(), 1u);
    EXPECT_EQ(rec.lastText(), "FELICITARI!\nVersiunea 1.0.0.10 a aplicatiei VORTAPL este cea "
                              "actuala.\nVa rugam sa verificati periodic versiunea aplicatiei.");
    EXPECT_EQ(rec.messages()[0].icon, platform::Icon::Information);

    rec.clear();
    Serve("/versiune.xml", Versiune("<V2>0</V2><V1>1</V1>"));
    RunVerificaVersiune(nullptr);
    EXPECT_EQ(rec.lastText(), "Eroare la verificarea versiunii![V2]");

    rec.clear();
    server.Serve("/versiune.xml", "lipsa", 404);
    RunVerificaVersiune(nullptr);
    EXPECT_EQ(rec.lastText(), "A aparut o eroare la verificarea versiunii!\nVa rugam sa "
                              "verificati conexiunea la internet!");
    EXPECT_EQ(rec.messages()[0].icon, platform::Icon::Error);
    EXPECT_EQ(rec.messages()[0].caption, "VORTAPL");

    rec.clear();
    server.Silent("/versiune.xml");
    RunVerificaVersiune(nullptr, 300);
    EXPECT_EQ(rec.lastText(), "A aparut o eroare la verificarea versiunii!\nVa rugam sa "
                              "verificati conexiunea la internet!");
}

TEST_F(DownloadsTest, HolidaysAreListedOnceAndStoredReplacingTheSameDate) {
    s.Exec("INSERT INTO ATN_SARBATORI_LEGALE (DATA, SARBATOARE) VALUES ('2026-12-01', 'Vechi')");
    Serve("/sarbatori_legale_2026.xml", Sarbatori(Sarbatoare(2026, 12, 1, "Ziua Națională") +
                                                  Sarbatoare(2026, 12, 25, "Crăciun")));
    CActualizareSarbatoriLegaleDlg dlg(nullptr);
    dlg.DescarcaButton()->click();
    dlg.DescarcaButton()->click();
    EXPECT_TRUE(rec.messages().empty()) << rec.lastText();
    ASSERT_EQ(dlg.Lista()->rowCount(), 2);
    EXPECT_EQ(dlg.Lista()->item(0, 3)->text().toStdString(), "2026-12-1");
    EXPECT_EQ(dlg.Lista()->item(1, 4)->text().toStdString(), "Crăciun");
    for (int c = 0; c < 3; ++c)
        EXPECT_TRUE(dlg.Lista()->isColumnHidden(c));
    EXPECT_EQ(server.Requests().size(), 2u);

    dlg.ActualizeazaButton()->click();
    EXPECT_EQ(rec.lastText(), "Datele au fost salvate cu success!");
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(Holidays(),
              (std::vector<std::string>{"2026-12-01|Ziua Națională", "2026-12-25|Crăciun"}));
    EXPECT_TRUE(theApp().m_pSarbatori->IsSarbatoare(2026, 12, 25)); // the list was reloaded
}

TEST_F(DownloadsTest, HolidayFailuresLeaveTheDatabaseAndStopAtTheFirstBadRow) {
    const std::vector<std::string> before = Holidays();
    CActualizareSarbatoriLegaleDlg dlg(nullptr, 300);

    Serve("/sarbatori_legale_2026.xml", Sarbatori(""));
    dlg.DescarcaButton()->click();
    dlg.ActualizeazaButton()->click();
    EXPECT_EQ(rec.lastText(), "Nu exista nici o sarbatoare care sa fie salvata!");
    EXPECT_NE(dlg.result(), QDialog::Accepted);

    Serve("/sarbatori_legale_2026.xml", "<sarbatoriLegale><sarbatoare an=\"2026\"");
    dlg.DescarcaButton()->click();
    EXPECT_EQ(rec.lastText(), "Fisierul XML este in format incorect![1]");
    Serve("/sarbatori_legale_2026.xml", Sarbatori(Sarbatoare(2026, 5, 1, "Muncii"), "zile"));
    dlg.DescarcaButton()->click();
    EXPECT_EQ(rec.lastText(), "Tag sarbatoriLegale negasit!");
    server.Silent("/sarbatori_legale_2026.xml");
    dlg.DescarcaButton()->click();
    EXPECT_EQ(rec.lastText(), "A aparut o eroare la descarcarea sarbatorilor legale!\nVa rugam "
                              "sa verificati conexiunea la internet!");
    EXPECT_EQ(dlg.Lista()->rowCount(), 0);
    EXPECT_EQ(Holidays(), before);

    // 30 February cannot be stored: the row before it is, the row after it is not.
    Serve("/sarbatori_legale_2026.xml",
          Sarbatori(Sarbatoare(2026, 5, 1, "Ziua Muncii") + Sarbatoare(2026, 2, 30, "Gresita") +
                    Sarbatoare(2026, 6, 1, "Ziua Copilului")));
    dlg.DescarcaButton()->click();
    ASSERT_EQ(dlg.Lista()->rowCount(), 3);
    dlg.ActualizeazaButton()->click();
    EXPECT_EQ(rec.lastText(), "A existat cel putin o eroare la salvarea datelor!");
    EXPECT_EQ(rec.messages().back().icon, platform::Icon::Error);
    std::vector<std::string> expected = before;
    expected.push_back("2026-05-01|Ziua Muncii");
    EXPECT_EQ(Holidays(), expected);
    const std::string log = s.Folder().ReadFile("vortapl.log");
    EXPECT_NE(log.find("2026-2-30 Gresita"), std::string::npos);
}
