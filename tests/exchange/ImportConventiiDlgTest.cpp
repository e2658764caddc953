// The conventions import window on a real database: load, save, the checks before saving, the
// failures that must leave the database as it was, and the download from the agency's site.

#include "exchange/ImportConventiiKrenoDlg.h"

#include "ExchangeDb.h"
#include "LocalHttpServer.h"
#include "PinFiles.h"
#include "TestFiles.h"
#include "WorkFolder.h"
#include "core/VORTAPLApp.h"
#include "entry/LimiteColoane.h"
#include "exchange/ConventiiKreno.h"
#include "exchange/DescarcareFisier.h"
#include "exchange/TransferFile.h"
#include "exchange/VerificaPINDlg.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBox.h"
#include "platform/ModalDialog.h"
#include "widgets/XSimGrid.h"

#include <QCryptographicHash>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>

using testdb::Count;
using testdb::Rows;
using testfiles::DataFile;
using testfiles::ReadFile;
using testfiles::WriteFile;
namespace fs = std::filesystem;

namespace {

const std::vector<std::string> kCols = {"CIF",
                                        "CNP",
                                        "CNP_CORECT",
                                        "NUME",
                                        "PRENUME",
                                        "ID_PERS",
                                        "STARE_PERS",
                                        "DATA_STARE",
                                        "INFO_STARE",
                                        "DATA_PENS",
                                        "DATA_ANG",
                                        "CATEGORIE_PERS",
                                        "ID_MA",
                                        "TIP_MA",
                                        "DATA_START",
                                        "DATA_SFARSIT",
                                        "DOC_NR",
                                        "DOC_DATA",
                                        "STARE_MA",
                                        "DOC_NUME_PERS",
                                        "DOC_NUME_FUNCTIE",
                                        "TIPCM",
                                        "SUMA_BAZA_CALCUL_L116"};

const char* const kOk = "Import efectuat cu succes!";

using platform::ScopedFileAnswer;

class ImportDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        s.Exec("INSERT INTO ATN_AGENTI (CIF, CURENT, COD_JUDET, DENUMIRE) VALUES ('12345678', 1, "
               "'12', 'SC Exemplu SRL')");
        s.Exec("INSERT INTO ATN_AGENTI (CIF, CURENT, COD_JUDET, DENUMIRE) VALUES ('87654321', 0, "
               "'40', 'SC Alta SRL')");
        // Conventions already imported: two of this employer, one of another.
        s.Exec("INSERT INTO ATO_INFO_CONVENTII (CIF, CNP, NUME, ID_MA, TIP_MA) VALUES "
               "('12345678', 1111111111111, 'Vechi Unu', 1, 13)");
        s.Exec("INSERT INTO ATO_INFO_CONVENTII (CIF, CNP, NUME, ID_MA, TIP_MA) VALUES "
               "('12345678', 2222222222222, 'Vechi Doi', 2, 14)");
        s.Exec("INSERT INTO ATO_INFO_CONVENTII (CIF, CNP, NUME, ID_MA, TIP_MA) VALUES "
               "('87654321', 3333333333333, 'Alt Angajator', 3, 13)");
        s.Exec("INSERT INTO ATO_IMPORT_CONVENTII (CIF, FILE_HASH) VALUES ('12345678', "
               "'00000000000000000000000000000000')");
        theApp().m_strCIF = "12345678";
    }

    // The plain document enciphered as the agency would send it, in the working folder.
    std::string Crypt(const std::string& name, const std::string& plain) {
        const std::string xml = s.Folder().File(name + ".xml").string();
        WriteFile(xml, plain);
        std::string crypt;
        EXPECT_TRUE(EncryptTransferFile(xml, crypt));
        fs::remove(xml);
        return crypt;
    }

    void Load(CImportConventiiKrenoDlg& dlg, const std::string& path) {
        ScopedFileAnswer answer(path);
        dlg.SelectButton()->click();
        dlg.LoadButton()->click();
    }

    std::vector<std::string> Snapshot() {
        auto rows = Rows("SELECT * FROM ATO_INFO_CONVENTII ORDER BY CIF, ID_MA", kCols);
        for (auto& r : Rows("SELECT CIF, FILE_HASH FROM ATO_IMPORT_CONVENTII ORDER BY FILE_HASH",
                            {"CIF", "FILE_HASH"}))
            rows.push_back("import " + r);
        return rows;
    }

    std::string Cell(CImportConventiiKrenoDlg& dlg, int r, int c) {
        return GetCellText(*dlg.Grid(), r, c);
    }

    testsupport::StartedApp s;
    platform::ScopedMessageRecorder rec;
};

std::string Md5Hex(const std::string& path) {
    const std::string bytes = ReadFile(path);
    return QCryptographicHash::hash(QByteArray(bytes.data(), qsizetype(bytes.size())),
                                    QCryptographicHash::Md5)
        .toHex()
        .toStdString();
}

std::string Document(const std::string& persons, const std::string& root = "exportKRENO") {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><" + root + ">" + persons + "</" + root + ">";
}

std::string Person(const std::string& cif, const std::string& idMa, const std::string& extra = "") {
    return "<asigurat CIF=\"" + cif +
           "\" CNP=\"1850101123456\" NUME=\"Pop\" PRENUME=\"Ion\" ID_MA=\"" + idMa +
           "\" TIP_MA=\"13\" STARE_MA=\"1\" DATA_START=\"2023-01-01\" " + extra + "/>";
}

} // namespace

TEST_F(ImportDlgTest, OpensWithTheLocalSourceAndOnlyTheCaptionRow) {
    CImportConventiiKrenoDlg dlg;
    dlg.show();
    EXPECT_EQ(dlg.windowTitle(), "Import Conventii KRENO");
    EXPECT_TRUE(dlg.LocalRadio()->isChecked());
    EXPECT_EQ(dlg.LocalRadio()->text(), "Fisierul este salvat local");
    EXPECT_EQ(dlg.WebRadio()->text(), "Descarca fisierul de pe site-ul VORT");
    EXPECT_TRUE(dlg.PathEdit()->isReadOnly());
    EXPECT_TRUE(dlg.CloseButton()->isDefault());
    EXPECT_EQ(dlg.SaveButton()->text(), "&Salveaza");
    EXPECT_FALSE(dlg.Progress()->isVisible());
    EXPECT_EQ(dlg.Grid()->GetRowCount(), 0);
    ASSERT_EQ(dlg.Grid()->GetColCount(), 23);
    for (int c = 1; c <= 23; ++c)
        EXPECT_EQ(Cell(dlg, 0, c), kConventiiAtribute[static_cast<std::size_t>(c - 1)]);
    EXPECT_EQ(Cell(dlg, 0, 23), "BAZA_CALCUL_L116");

    // The radio buttons choose which of the two sources can be used.
    for (bool web : {true, false, true}) {
        (web ? dlg.WebRadio() : dlg.LocalRadio())->click();
        EXPECT_EQ(dlg.SelectButton()->isEnabled(), !web);
        EXPECT_EQ(dlg.LoadButton()->isEnabled(), !web);
        EXPECT_EQ(dlg.DownloadButton()->isEnabled(), web);
    }
}

TEST_F(ImportDlgTest, RunImportConventiiRunsTheDialogModally) {
    std::string title;
    platform::ScopedModalHook hook([&](QDialog& d) {
        title = d.windowTitle().toStdString();
        return int(QDialog::Rejected);
    });
    RunImportConventii(nullptr);
    EXPECT_EQ(title, "Import Conventii KRENO");
}

TEST_F(ImportDlgTest, SelectingAFileEmptiesTheTableWhetherChosenOrCancelled) {
    const std::string path = Crypt("12_12345678", ReadFile(DataFile("conventii.xml")));
    CImportConventiiKrenoDlg dlg;
    platform::FileDialogRequest seen;
    {
        ScopedFileAnswer answer(path, &seen);
        dlg.SelectButton()->click();
    }
    EXPECT_EQ(dlg.PathEdit()->text().toStdString(), path);
    EXPECT_NE(seen.filter.find("*.crypt"), std::string::npos);
    dlg.LoadButton()->click();
    EXPECT_EQ(dlg.Grid()->GetRowCount(), 4);
    {
        ScopedFileAnswer cancel(std::nullopt);
        dlg.SelectButton()->click();
    }
    EXPECT_EQ(dlg.PathEdit()->text().toStdString(), path);
    EXPECT_EQ(dlg.Grid()->GetRowCount(), 0);
    EXPECT_EQ(dlg.Grid()->GetColCount(), 23);
    EXPECT_TRUE(rec.messages().empty()) << rec.lastText();
}

TEST_F(ImportDlgTest, LoadFillsTheTableWithTheFileAndNeverWritesItInClear) {
    const std::string path = Crypt("12_12345678", ReadFile(DataFile("conventii.xml")));
    // A file of the user's own that bears the name the plain document would have.
    const fs::path own = s.Folder().File("12_12345678.xml");
    WriteFile(own.string(), "fisierul meu");

    CImportConventiiKrenoDlg dlg;
    Load(dlg, path);
    EXPECT_TRUE(rec.messages().empty()) << rec.lastText();
    CXSimGrid& g = *dlg.Grid();
    ASSERT_EQ(g.GetRowCount(), 4);
    ASSERT_EQ(g.GetColCount(), 23);
    EXPECT_EQ(Cell(dlg, 1, 1), "12345678");
    EXPECT_EQ(Cell(dlg, 1, 4), "Ștefănescu");
    EXPECT_EQ(Cell(dlg, 1, 5), "Țurcanu Ioana-Mădălina");
    EXPECT_EQ(Cell(dlg, 1, 23), "1234.57");
    EXPECT_EQ(Cell(dlg, 2, 4), "O'Brien");
    EXPECT_EQ(Cell(dlg, 3, 6), "");
    EXPECT_EQ(Cell(dlg, 4, 4), "Marinescu");
    EXPECT_TRUE(g.IsLocked(1, 1));
    EXPECT_TRUE(g.IsLocked(4, 23));
    EXPECT_FALSE(dlg.Progress()->isVisible());
    EXPECT_EQ(ReadFile(own.string()), "fisierul meu");

    // Loading again shows the persons of the file once.
    dlg.LoadButton()->click();
    EXPECT_EQ(g.GetRowCount(), 4);
}

TEST_F(ImportDlgTest, SaveReplacesOnlyThisEmployersConventionsAndRecordsTheDigest) {
    const std::string path = Crypt("12_12345678", ReadFile(DataFile("conventii.xml")));
    const std::string digest = Md5Hex(path);
    CImportConventiiKrenoDlg dlg;
    dlg.show();
    Load(dlg, path);
    // While the rows go in, the bar is shown with one step per person and nothing can be
    // pressed.
    std::string shownSteps;
    bool bLocked = true;
    QObject::connect(dlg.Progress(), &QProgressBar::valueChanged, [&](int v) {
        if (dlg.Progress()->isVisible() && dlg.Progress()->maximum() == 4)
            shownSteps += std::to_string(v);
        bLocked = bLocked && !dlg.SaveButton()->isEnabled() && !dlg.CloseButton()->isEnabled();
    });
    dlg.SaveButton()->click();
    EXPECT_NE(shownSteps.find("1234"), std::string::npos) << shownSteps;
    EXPECT_TRUE(bLocked);
    EXPECT_TRUE(dlg.SaveButton()->isEnabled());

    ASSERT_EQ(rec.messages().size(), 1u) << rec.lastText();
    EXPECT_EQ(rec.messages()[0].text, kOk);
    EXPECT_EQ(rec.messages()[0].caption, "VORTAPL");
    EXPECT_EQ(rec.messages()[0].icon, platform::Icon::Information);
    EXPECT_TRUE(dlg.PathEdit()->text().isEmpty());
    EXPECT_EQ(dlg.Grid()->GetRowCount(), 0);
    EXPECT_EQ(dlg.Grid()->GetColCount(), 23);
    EXPECT_FALSE(dlg.Progress()->isVisible());

    const auto mine =
        Rows("SELECT * FROM ATO_INFO_CONVENTII WHERE CIF = '12345678' ORDER BY ID_MA", kCols);
    const std::vector<std::string> expected = {
        "12345678|1850101123456|1850101123456|Ștefănescu|Țurcanu Ioana-Mădălina|700001|0|"
        "2023-01-10|activ|2050-01-01|2023-01-15|A45|900001|14|2023-01-15|2025-01-14|123/2023|"
        "2023-01-12|1|Îndrăgitu Ână|Director executiv|1|1234.57",
        "12345678|2900202123457|2900202123457|O'Brien|Mary-Ann|700002|-1|2022-03-15|"
        "d'Artagnan & co|<NULL>|2022-03-15|ABS|900002|13|2022-03-15|2024-03-14|45|2022-03-10|2|"
        "Ion Pop|Sef|0|0.29",
        // Missing attributes: NULL, except TIPCM and the Law 116 base, which get 0.
        "12345678|1990303123458|<NULL>|Georgescu|Dan|<NULL>|<NULL>|<NULL>|<NULL>|<NULL>|<NULL>|"
        "<NULL>|900003|22|2023-11-01|2024-10-31|<NULL>|<NULL>|1|<NULL>|<NULL>|0|0",
        "12345678|5010404123459|5010404123459|Marinescu|Ana|700004|0|2024-01-05|<NULL>|<NULL>|"
        "2024-01-08|E72|900004|23|2024-01-08|2024-07-07|7|2024-01-05|1|Ion Pop|Sef|2|2500"};
    EXPECT_EQ(mine, expected);
    EXPECT_EQ(Rows("SELECT * FROM ATO_INFO_CONVENTII WHERE CIF <> '12345678'", {"CIF", "NUME"}),
              std::vector<std::string>{"87654321|Alt Angajator"});
    EXPECT_EQ(Rows("SELECT CIF, FILE_HASH FROM ATO_IMPORT_CONVENTII ORDER BY DATA_IMPORT",
                   {"CIF", "FILE_HASH"}),
              (std::vector<std::string>{"12345678|00000000000000000000000000000000",
                                        "12345678|" + digest}));
    // Every statement went to the trace log with its values, the apostrophe doubled.
    const std::string log = s.Folder().ReadFile("vortapl.log");
    EXPECT_NE(log.find("DELETE FROM ATO_INFO_CONVENTII WHERE CIF = '12345678'"), std::string::npos);
    EXPECT_NE(log.find("'O''Brien'"), std::string::npos);

    // The same file once more: the same replacement, and its digest recorded again.
    Load(dlg, path);
    dlg.SaveButton()->click();
    EXPECT_EQ(rec.lastText(), kOk);
    EXPECT_EQ(Count("SELECT COUNT(*) AS NR FROM ATO_INFO_CONVENTII WHERE CIF = '12345678'"), 4);
    EXPECT_EQ(
        Count("SELECT COUNT(*) AS NR FROM ATO_IMPORT_CONVENTII WHERE FILE_HASH = '" + digest + "'"),
        2);
}

TEST_F(ImportDlgTest, TheDigestRecordedIsThatOfTheFileWhosePersonsWereSaved) {
    const std::string path = Crypt("12_12345678", ReadFile(DataFile("conventii.xml")));
    const std::string digest = Md5Hex(path);
    CImportConventiiKrenoDlg dlg;
    Load(dlg, path);
    // The file is replaced on disk after it was loaded: the rows saved are still the first's.
    WriteFile(path, EncryptTransferData(Document(Person("12345678", "77"))));
    dlg.SaveButton()->click();
    EXPECT_EQ(rec.lastText(), kOk);
    EXPECT_EQ(Count("SELECT COUNT(*) AS NR FROM ATO_INFO_CONVENTII WHERE CIF = '12345678'"), 4);
    EXPECT_EQ(
        Count("SELECT COUNT(*) AS NR FROM ATO_IMPORT_CONVENTII WHERE FILE_HASH = '" + digest + "'"),
        1);
}

TEST_F(ImportDlgTest, AWindows1250FileSavesItsNamesWithTheirDiacritics) {
    const std::string path = Crypt("12_12345678", ReadFile(DataFile("conventii_cp1250.xml")));
    CImportConventiiKrenoDlg dlg;
    Load(dlg, path);
    dlg.SaveButton()->click();
    EXPECT_EQ(rec.lastText(), kOk);
    EXPECT_EQ(Rows("SELECT NUME, PRENUME FROM ATO_INFO_CONVENTII WHERE CIF = '12345678' ORDER BY "
                   "ID_MA",
                   {"NUME", "PRENUME"}),
              (std::vector<std::string>{"Şerbănescu|Ioţu Mădălina Îngeriţa",
                                        "Brâncoveanu|Ştefan Ţepeş"}));
}

TEST_F(ImportDlgTest, ADocumentThatCannotBeLoadedSaysWhyAndLeavesTheTableEmpty) {
    struct Case {
        std::string plain;
        std::string message;
        std::string caption;
        platform::Icon icon;
        int rows;
    };
    const Case cases[] = {
        {Document(Person("12345678", "1"), "exportkreno"), "", "", platform::Icon::None, 1},
        {Document(Person("12345678", "1"), "importKRENO"),
         "Fisierul XML nu contine tagul 'exportKRENO'!", "VORTAPL", platform::Icon::Error, 0},
        {Document(""), "Fisierul XML nu are fii!", "VORTAPL", platform::Icon::Error, 0},
        {"", "Fisierul XML nu are fii!", "VORTAPL", platform::Icon::Error, 0},
        {Document("<antet/>"), "Fisierul XML nu contine nicio persoana (tagul 'asigurat')!",
         "VORTAPL", platform::Icon::Error, 0},
        // The reader's own text, in a plain box.
        {"<exportKRENO><asigurat CIF=\"12345678\"", "Error parsing element attribute (pozitia 28)",
         "VORTAPL", platform::Icon::None, 0},
    };
    for (const Case& c : cases) {
        const std::string path = Crypt("12_12345678", c.plain);
        CImportConventiiKrenoDlg dlg;
        // A file loaded before must not stay on screen once another was asked for, even when
        // the path changes without a file dialog (as a download puts it there).
        Load(dlg, Crypt("anterior", ReadFile(DataFile("conventii.xml"))));
        ASSERT_EQ(dlg.Grid()->GetRowCount(), 4);
        rec.clear();
        dlg.PathEdit()->setText(QString::fromStdString(path));
        dlg.LoadButton()->click();
        if (c.message.empty()) {
            EXPECT_TRUE(rec.messages().empty()) << rec.lastText();
        } else {
            ASSERT_EQ(rec.messages().size(), 1u) << c.plain;
            EXPECT_EQ(rec.messages()[0].text, c.message);
            EXPECT_EQ(rec.messages()[0].caption, c.caption);
            EXPECT_EQ(rec.messages()[0].icon, c.icon);
        }
        EXPECT_EQ(dlg.Grid()->GetRowCount(), c.rows) << c.plain;
        EXPECT_EQ(dlg.Grid()->GetColCount(), 23);
        rec.clear();
    }

    // A path whose file has gone.
    CImportConventiiKrenoDlg dlg;
    const std::string gone = s.Folder().File("disparut.crypt").string();
    Load(dlg, gone);
    EXPECT_EQ(rec.lastText(), "Fisierul " + gone + " nu a putut fi deschis pentru citire!");
}

TEST_F(ImportDlgTest, TheChecksBeforeSavingWriteNothing) {
    struct Case {
        std::string persons;
        std::string message;
    };
    const Case cases[] = {
        {Person("12345678", "1") + Person("87654321", "2"),
         "Fisierul care urmeaza sa fie importat este eronat!\nToate persoanele trebuie sa aiba "
         "acelasi CIF."},
        {Person("99999999", "1"),
         "CIF-ul pt care doriti sa faceti importul nu este definit!\nVa rugam sa definiti CIF-ul."},
        {Person("12345678", "1") + Person("12345678", "2", "DATA_SFARSIT=\"31.02.2024\""),
         "Fisierul care urmeaza sa fie importat este eronat!\nPersoana de pe randul 2 (Pop Ion): "
         "atributul DATA_SFARSIT are valoarea \"31.02.2024\", care nu este o data calendaristica "
         "valida."},
        {Person("12345678", "1", "TIP_MA2=\"x\" STARE_PERS=\"activ\""),
         "Fisierul care urmeaza sa fie importat este eronat!\nPersoana de pe randul 1 (Pop Ion): "
         "atributul STARE_PERS are valoarea \"activ\", care nu este un numar intreg valid."},
        {Person("12345678", "1", "INFO_STARE=\"" + std::string(4000, 'w') + "\""),
         "Fisierul care urmeaza sa fie importat este eronat!\nPersoana de pe randul 1 (Pop Ion): "
         "atributul INFO_STARE are valoarea \"" +
             std::string(40, 'w') +
             "...\", care are 4000 caractere, iar cel mult 255 sunt permise."},
    };
    const auto before = Snapshot();
    for (const Case& c : cases) {
        const std::string path = Crypt("12_12345678", Document(c.persons));
        CImportConventiiKrenoDlg dlg;
        Load(dlg, path);
        ASSERT_TRUE(rec.messages().empty()) << rec.lastText();
        dlg.SaveButton()->click();
        ASSERT_EQ(rec.messages().size(), 1u);
        EXPECT_EQ(rec.messages()[0].text, c.message);
        EXPECT_EQ(rec.messages()[0].caption, "VORTAPL");
        EXPECT_EQ(rec.messages()[0].icon, platform::Icon::Error);
        EXPECT_EQ(Snapshot(), before);
        EXPECT_GT(dlg.Grid()->GetRowCount(), 0); // nothing was lost on screen either
        rec.clear();
    }

    // Nothing to save yet.
    CImportConventiiKrenoDlg dlg;
    dlg.SaveButton()->click();
    EXPECT_EQ(rec.lastText(), "Va rugam sa selecati fisierul pentru import!");
    dlg.LoadButton()->click();
    EXPECT_EQ(rec.lastText(), "Va rugam sa selecati fisierul pentru import!");
    {
        ScopedFileAnswer answer(Crypt("12_12345678", Document(Person("12345678", "1"))));
        dlg.SelectButton()->click();
    }
    dlg.SaveButton()->click();
    EXPECT_EQ(rec.lastText(), "Va rugam incarcati fisierul inainte de salvare!");
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(ImportDlgTest, RowsDifferingOnlyInLetterCaseAreKeptUnderTheEmployersCif) {
    s.Exec("INSERT INTO ATN_AGENTI (CIF, CURENT, COD_JUDET, DENUMIRE) VALUES ('RO777', 0, '12', "
           "'SC Litere SRL')");
    const std::string path =
        Crypt("12_RO777", Document(Person("RO777", "1") + Person("ro777", "2")));
    CImportConventiiKrenoDlg dlg;
    Load(dlg, path);
    dlg.SaveButton()->click();
    EXPECT_EQ(rec.lastText(), kOk);
    EXPECT_EQ(Rows("SELECT CIF, ID_MA FROM ATO_INFO_CONVENTII WHERE CIF = 'RO777' ORDER BY ID_MA",
                   {"CIF", "ID_MA"}),
              (std::vector<std::string>{"RO777|1", "RO777|2"}));
}

TEST_F(ImportDlgTest, ADatabaseErrorMidSaveRollsEverythingBackAndShowsItsText) {
    s.Exec("CREATE EXCEPTION E_RESPINS 'Persoana respinsa de baza de date'");
    s.Exec("CREATE TRIGGER T_RESPINS FOR ATO_INFO_CONVENTII BEFORE INSERT AS BEGIN IF (NEW.NUME "
           "= 'Georgescu') THEN EXCEPTION E_RESPINS; END");
    const auto before = Snapshot();
    const std::string path = Crypt("12_12345678", ReadFile(DataFile("conventii.xml")));
    CImportConventiiKrenoDlg dlg;
    Load(dlg, path);
    dlg.SaveButton()->click();

    ASSERT_EQ(rec.messages().size(), 1u);
    const std::string text = rec.messages()[0].text;
    EXPECT_NE(text.find("Persoana respinsa de baza de date"), std::string::npos) << text;
    EXPECT_EQ(rec.messages()[0].caption, "VORTAPL");
    EXPECT_EQ(rec.messages()[0].icon, platform::Icon::Error);
    EXPECT_EQ(Snapshot(), before);
    EXPECT_NE(s.Folder()
                  .ReadFile("vortapl.log")
                  .find("[ERR][CImportConventiiKrenoDlg::OnOK ()] oo-->> " + text),
              std::string::npos);
    // The user can put the cause right and save again.
    EXPECT_EQ(dlg.PathEdit()->text().toStdString(), path);
    EXPECT_EQ(dlg.Grid()->GetRowCount(), 4);
    EXPECT_FALSE(dlg.Progress()->isVisible());
    EXPECT_TRUE(dlg.SaveButton()->isEnabled());
    s.Exec("DROP TRIGGER T_RESPINS");
    rec.clear();
    dlg.SaveButton()->click();
    EXPECT_EQ(rec.lastText(), kOk);
    EXPECT_EQ(Count("SELECT COUNT(*) AS NR FROM ATO_INFO_CONVENTII WHERE CIF = '12345678'"), 4);
}

// --- download from the agency's site ----------------------------------------------------------

namespace {

// A PIN file of one block whose PIN is "2468".
QByteArray PinFile() {
    const std::string crypt = EncryptTransferData(pintest::PinBlock("2468", 'q'));
    return QByteArray(crypt.data(), qsizetype(crypt.size()));
}

using pintest::TypePin;

} // namespace

class ImportDownloadTest : public ImportDlgTest {
protected:
    void SetUp() override {
        ImportDlgTest::SetUp();
        ASSERT_TRUE(server.Listening());
        theApp().m_strAdresaWeb = server.BaseUrl();
    }
    testhttp::LocalHttpServer server;
};

TEST_F(ImportDownloadTest, DownloadChecksThePinThenLoadsTheEmployersFile) {
    server.Serve("/dump_date_angajator/12_12345678_1.crypt", PinFile());
    const std::string crypt = EncryptTransferData(ReadFile(DataFile("conventii.xml")));
    server.Serve("/dump_date_angajator/12_12345678.crypt",
                 QByteArray(crypt.data(), qsizetype(crypt.size())));
    int shown = 0;
    platform::ScopedModalHook hook(TypePin("2468", &shown));

    CImportConventiiKrenoDlg dlg;
    dlg.WebRadio()->click();
    dlg.DownloadButton()->click();
    EXPECT_TRUE(rec.messages().empty()) << rec.lastText();
    EXPECT_EQ(shown, 1);
    const fs::path local = s.Folder().File("12_12345678.crypt");
    EXPECT_EQ(dlg.PathEdit()->text().toStdString(), local.string());
    EXPECT_EQ(ReadFile(local.string()), crypt);
    EXPECT_EQ(dlg.Grid()->GetRowCount(), 4);
    EXPECT_EQ(Cell(dlg, 1, 4), "Ștefănescu");
    EXPECT_TRUE(dlg.DownloadButton()->isEnabled());
    EXPECT_FALSE(dlg.LoadButton()->isEnabled());
    EXPECT_EQ(server.Requests(),
              (std::vector<std::string>{"/dump_date_angajator/12_12345678_1.crypt",
                                        "/dump_date_angajator/12_12345678.crypt"}));
    dlg.SaveButton()->click();
    EXPECT_EQ(rec.lastText(), kOk);
}

TEST_F(ImportDownloadTest, AFailedDownloadNamesTheEmployerAndChangesNothing) {
    server.Serve("/dump_date_angajator/12_12345678_1.crypt", PinFile());
    server.Serve("/dump_date_angajator/12_12345678.crypt", "lipsa", 404);
    int shown = 0;
    platform::ScopedModalHook hook(TypePin("2468", &shown));
    const auto before = Snapshot();

    CImportConventiiKrenoDlg dlg;
    dlg.WebRadio()->click();
    dlg.DownloadButton()->click();
    ASSERT_EQ(rec.messages().size(), 1u);
    EXPECT_EQ(rec.messages()[0].text,
              "A aparut o eroare la descarcarea datelor de pe internet!\nVa rugam sa contactati "
              "KRENO pe raza caruia apartine agentul economic\npentru care doriti actualizarea "
              "datelor(SC Exemplu SRL).");
    EXPECT_EQ(rec.messages()[0].caption, "VORTAPL");
    EXPECT_TRUE(dlg.PathEdit()->text().isEmpty());
    EXPECT_EQ(dlg.Grid()->GetRowCount(), 0);
    EXPECT_FALSE(fs::exists(s.Folder().File("12_12345678.crypt")));
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(ImportDownloadTest, AWrongOrMissingPinStopsBeforeTheConventionsFile) {
    int shown = 0;
    platform::ScopedModalHook hook(TypePin("1111", &shown));
    CImportConventiiKrenoDlg dlg;
    dlg.WebRadio()->click();

    // No PIN file on the site.
    dlg.DownloadButton()->click();
    EXPECT_EQ(rec.lastText(), "A aparut o eroare la verificarea codului PIN!\nVa rugam sa "
                              "verificati conexiunea la internet!");
    EXPECT_EQ(shown, 0);

    // A PIN that is not the file's.
    server.Serve("/dump_date_angajator/12_12345678_1.crypt", PinFile());
    rec.clear();
    dlg.DownloadButton()->click();
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(rec.lastText(), "PIN incorect!");
    for (const std::string& r : server.Requests())
        EXPECT_EQ(r.find("12_12345678.crypt"), std::string::npos) << r;
    EXPECT_TRUE(dlg.PathEdit()->text().isEmpty());
}

// Documents the XML reader would read in part: each is refused, nothing reaches the table, and
// the employer's conventions stay as they were.
TEST_F(ImportDlgTest, DocumentsThatAreNotWellFormedLeaveTheDatabaseAsItWas) {
    const std::string person = Person("12345678", "9");
    const std::string cases[] = {
        Document(person) + "<exportKRENO>" + person + "</exportKRENO>",
        Document(person) + "gunoi",
        Document(Person("12345678", "9", "NUME_X=\"&nedefinit;\"")),
        Document(Person("12345678", "9", "INFO_STARE=\"&#0;\"")),
    };
    const auto before = Snapshot();
    std::vector<std::string> all(std::begin(cases), std::end(cases));
    // A file cut short: the reader's own text tells where.
    all.push_back(Document(person).substr(0, Document(person).size() - 5));
    for (const std::string& plain : all) {
        rec.clear();
        CImportConventiiKrenoDlg dlg;
        Load(dlg, Crypt("12_12345678", plain));
        ASSERT_EQ(rec.messages().size(), 1u) << plain;
        if (plain != all.back()) {
            EXPECT_EQ(rec.lastText(), "Fisierul XML este in format incorect!") << plain;
        }
        EXPECT_EQ(dlg.Grid()->GetRowCount(), 0) << plain;
        rec.clear();
        dlg.SaveButton()->click();
        EXPECT_EQ(rec.lastText(), "Va rugam incarcati fisierul inainte de salvare!");
        EXPECT_EQ(Snapshot(), before) << plain;
    }
}

// The same person's convention twice in one file: the user is told which, and it is saved once.
TEST_F(ImportDlgTest, AConventionListedTwiceIsImportedOnceWithAWarning) {
    const std::string path =
        Crypt("12_12345678",
              Document(Person("12345678", "5") + Person("12345678", "6") +
                       Person("12345678", "5", "DOC_NR=\"a doua\"") + Person("12345678", "7") +
                       Person("12345678", "06") + Person("12345678", "5")));
    CImportConventiiKrenoDlg dlg;
    Load(dlg, path);
    ASSERT_EQ(dlg.Grid()->GetRowCount(), 6);
    rec.clear();
    dlg.SaveButton()->click();
    ASSERT_EQ(rec.messages().size(), 2u) << rec.lastText();
    EXPECT_EQ(rec.messages()[0].text,
              "Fisierul contine aceeasi conventie de mai multe ori. Fiecare conventie va fi "
              "importata o singura data:\nCNP 1850101123456, ID_MA 5\nCNP 1850101123456, ID_MA 06");
    EXPECT_EQ(rec.messages()[0].icon, platform::Icon::Warning);
    EXPECT_EQ(rec.messages()[1].text, kOk);
    EXPECT_EQ(Rows("SELECT ID_MA, DOC_NR FROM ATO_INFO_CONVENTII WHERE CIF = '12345678' ORDER BY "
                   "ID_MA",
                   {"ID_MA", "DOC_NR"}),
              (std::vector<std::string>{"5|<NULL>", "6|<NULL>", "7|<NULL>"}));
}

// Enter in the path field leaves the window open (the default button would close it).
TEST_F(ImportDlgTest, EnterInThePathFieldDoesNotCloseTheWindow) {
    CImportConventiiKrenoDlg dlg;
    dlg.show();
    dlg.PathEdit()->setText("x.crypt");
    dlg.PathEdit()->setFocus();
    QTest::keyClick(dlg.PathEdit(), Qt::Key_Return);
    QTest::keyClick(dlg.PathEdit(), Qt::Key_Enter);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), 0);
    EXPECT_TRUE(rec.messages().empty()) << rec.lastText();
}

// A download never follows a link at its local path nor replaces a protected file; the user
// reads why, not a word about the network.
TEST_F(ImportDlgTest, ADownloadLeavesALinkOrAProtectedFileAsItIs) {
    const std::string target = s.Folder().File("altundeva.txt").string();
    WriteFile(target, "al altcuiva");
    const std::string link = s.Folder().File("12_12345678.crypt").string();
    fs::create_symlink(target, link);
    const std::string locked = s.Folder().File("12_12345678_1.crypt").string();
    WriteFile(locked, "vechi");
    fs::permissions(locked, fs::perms::owner_read);
    CDescarcareFisier download;
    EXPECT_FALSE(download.DownloadToFile("http://127.0.0.1:9/x.crypt", link));
    EXPECT_EQ(download.GetLocalError(),
              "Fisierul " + link + " este o legatura simbolica si nu va fi inlocuit!");
    EXPECT_FALSE(download.DownloadToFile("http://127.0.0.1:9/x.crypt", locked));
    EXPECT_EQ(download.GetLocalError(),
              "Fisierul " + locked + " este protejat la scriere si nu va fi inlocuit!");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadFile(target), "al altcuiva");
    EXPECT_EQ(ReadFile(locked), "vechi");
    fs::permissions(locked, fs::perms::owner_all);
}

// The import's own length checks hold the limits of the receiving columns as the database
// declares them: a text of the column's length passes, one character more is refused in
// Romanian, naming the attribute, before any statement runs.
TEST_F(ImportDlgTest, TextLimitsAreThoseOfTheColumns) {
    int checked = 0;
    for (std::size_t c = 0; c < kConventiiColoane.size(); ++c) {
        const int limit = LungimeColoana("ATO_INFO_CONVENTII", kConventiiColoane[c]);
        if (limit == 0)
            continue; // no text column
        ++checked;
        ConventieRow row;
        ConventieValori values;
        std::string error;
        row[c] = std::string(std::size_t(limit), 'A');
        EXPECT_TRUE(ConvertConventie(row, values, error)) << kConventiiColoane[c] << ": " << error;
        row[c] += "A";
        EXPECT_FALSE(ConvertConventie(row, values, error)) << kConventiiColoane[c];
        EXPECT_NE(error.find(std::string("atributul ") + kConventiiAtribute[c]), std::string::npos)
            << error;
        EXPECT_NE(error.find("cel mult " + std::to_string(limit)), std::string::npos) << error;
    }
    EXPECT_EQ(checked, 8);
}
