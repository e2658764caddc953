#include "entry/AgentiDlg.h"
#include "EntryTestSupport.h"
#include "WorkFolder.h"
#include "core/Commands.h"
#include "core/GetTextDlg.h"
#include "core/TabPage.h"
#include "core/VORTAPLApp.h"
#include "core/VORTAPLDlg.h"
#include "platform/MessageBox.h"
#include "platform/ModalDialog.h"
#include "widgets/XSimGrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>

using namespace entrytest;
using testsupport::StartedApp;

namespace {

const std::vector<std::string> kProprietati = {"ADRESA",  "LOCALITATE", "COD_POSTAL",
                                               "TELEFON", "EMAIL",      "CAEN",
                                               "BANCA",   "IBAN",       "ADMINISTRATOR"};

// Values that pass every check, by property.
const std::map<std::string, std::string> kValide = {
    {"ADRESA", "STR. LUNGA 1"}, {"LOCALITATE", "CLUJ-NAPOCA"},        {"COD_POSTAL", "400001"},
    {"TELEFON", "0264123456"},  {"EMAIL", "OFFICE@ALFA.RO"},          {"CAEN", "6201"},
    {"BANCA", "BCR"},           {"IBAN", "RO49AAAA1B31007593840000"}, {"ADMINISTRATOR", "ION POP"}};

void Fill(CAgentiDlg& dlg, const std::string& cif, const std::string& name = "ALFA SRL") {
    if (dlg.CifEdit()->isEnabled())
        dlg.CifEdit()->setText(QString::fromStdString(cif));
    dlg.DenumireEdit()->setText(QString::fromStdString(name));
    if (dlg.JudetCombo()->isEnabled())
        dlg.JudetCombo()->setCurrentIndex(dlg.JudetCombo()->findText("CLUJ"));
    CXSimGrid& g = *dlg.Grid();
    for (int row = 1; row <= g.GetRowCount(); ++row) {
        auto it = kValide.find(GetCellText(g, row, 1));
        SetCellText(g, row, 2, it == kValide.end() ? std::string("X") : it->second);
    }
}

void Save(CAgentiDlg& dlg) {
    dlg.findChild<QPushButton*>("ok")->click();
}

std::string Log(StartedApp& s) {
    return s.Folder().ReadFile("vortapl.log");
}

long long Employers() {
    return Count("SELECT COUNT(*) AS NR FROM ATN_AGENTI");
}
long long PropertyRows() {
    return Count("SELECT COUNT(*) AS NR FROM ATN_AGENTI_DETALII");
}

std::map<std::string, std::string> StoredProperties(const std::string& cif) {
    std::map<std::string, std::string> m;
    for (auto& r :
         Rows("SELECT * FROM ATN_AGENTI_DETALII WHERE CIF = ?", {"PROPRIETATE", "VALOARE"}, {cif}))
        m[r[0]] = r[1];
    return m;
}

std::map<std::string, std::string> DefaultFlags() {
    std::map<std::string, std::string> m;
    for (auto& r : Rows("SELECT CIF, CURENT FROM ATN_AGENTI", {"CIF", "CURENT"}))
        m[r[0]] = r[1];
    return m;
}

} // namespace

// The whole way of a new employer: typed (lower case, diacritics, apostrophes), saved through
// the function the menu calls, and shown again by the editor of an existing employer.
TEST(AgentiDlg, NewEmployerIsTypedSavedAndReadBack) {
    StartedApp s;
    platform::ScopedMessageRecorder boxes;
    const QString typedName =
        QString::fromUtf8("Întreprinderea d'artă și meșteșuguri țărănești câmpinaș");
    ASSERT_EQ(typedName.size(), 55);
    const QString name = typedName.toUpper();
    const std::map<std::string, QString> typed = {
        {"ADRESA", QString::fromUtf8("str. mărășești nr. 5, ap. 3")},
        {"LOCALITATE", QString::fromUtf8("târgu-jiu")},
        {"COD_POSTAL", "210136"},
        {"EMAIL", "office@alfa.ro"},
        {"CAEN", "6201"},
        {"BANCA", "banca transilvania"},
        {"IBAN", "ro49aaaa1b31007593840000"},
        {"ADMINISTRATOR", QString::fromUtf8("ion o'brien-țurcanu")}};

    bool saved = false;
    {
        platform::ScopedModalHook hook([&](QDialog& d) {
            auto* dlg = dynamic_cast<CAgentiDlg*>(&d);
            if (!dlg)
                return int(QDialog::Rejected);
            dlg->show();
            EXPECT_EQ(dlg->windowTitle(), "Adaugare agent economic");
            EXPECT_TRUE(dlg->CifEdit()->isEnabled());
            QComboBox* judete = dlg->JudetCombo();
            EXPECT_EQ(judete->count(), 42);
            EXPECT_EQ(judete->currentIndex(), -1);
            QStringList names;
            for (int i = 0; i < judete->count(); ++i)
                names << judete->itemText(i);
            QStringList sorted = names;
            std::sort(sorted.begin(), sorted.end());
            EXPECT_EQ(names, sorted);

            CXSimGrid& g = *dlg->Grid();
            EXPECT_EQ(GetCellText(g, 0, 1), "Proprietate");
            EXPECT_EQ(GetCellText(g, 0, 2), "Valoare");
            EXPECT_EQ(GetCellText(g, 0, 3), "Obligatorie");
            EXPECT_EQ(g.GetRowCount(), 9);
            for (int row = 1; row <= g.GetRowCount(); ++row) {
                const std::string prop = GetCellText(g, row, 1);
                EXPECT_EQ(GetCellText(g, row, 3),
                          prop == "COD_POSTAL" || prop == "TELEFON" || prop == "EMAIL" ? "NU"
                                                                                       : "DA")
                    << prop;
                EXPECT_TRUE(g.IsLocked(row, 1));
                EXPECT_TRUE(g.IsLocked(row, 3));
                EXPECT_FALSE(g.IsLocked(row, 2));
            }

            dlg->CifEdit()->setFocus();
            Type(dlg->CifEdit(), "RO12345678"); // the field takes digits only
            EXPECT_EQ(dlg->CifEdit()->text(), "12345678");
            Type(dlg->DenumireEdit(), typedName);
            EXPECT_EQ(dlg->DenumireEdit()->text(), name); // capitals as it is typed
            judete->setCurrentIndex(judete->findText("CLUJ"));
            dlg->FaraRotunjireCheck()->click();
            for (const auto& [prop, value] : typed)
                TypeIntoCell(g, RowOf(g, prop), 2, value);
            Save(*dlg);
            return dlg->result();
        });
        saved = RunAgentiDlg("", nullptr);
    }
    EXPECT_TRUE(saved);
    EXPECT_TRUE(boxes.messages().empty()) << boxes.lastText();

    const auto agent =
        Rows("SELECT * FROM ATN_AGENTI", {"CIF", "CURENT", "COD_JUDET", "DENUMIRE", "TIP_CALCUL"});
    ASSERT_EQ(agent.size(), 1u);
    EXPECT_EQ(agent[0], (std::vector<std::string>{"12345678", "0", "12", name.toStdString(), "1"}));
    const auto props = StoredProperties("12345678");
    ASSERT_EQ(props.size(), 9u); // the empty TELEFON too
    for (const auto& [prop, value] : typed)
        EXPECT_EQ(props.at(prop), value.toUpper().toStdString()) << prop;
    EXPECT_TRUE(props.at("TELEFON").empty() || props.at("TELEFON") == "<null>");

    const std::string log = Log(s);
    for (const char* line :
         {"CString CAgentiDlg::SetGrid() ooo--->> IN", "CString CAgentiDlg::SetGrid() ooo--->> OUT",
          "CString CAgentiDlg::AddAgent() ooo--->> IN",
          "CString CAgentiDlg::AddAgent() ooo--->> OUT",
          "SELECT * FROM ATN_PROPRIETATI_AGENTI WHERE VALID = 1 ",
          "ION O''BRIEN-ȚURCANU"}) // statements traced with their values
        EXPECT_NE(log.find(line), std::string::npos) << line;

    CAgentiDlg dlg("12345678");
    dlg.show();
    EXPECT_EQ(dlg.windowTitle(), "Actualizare date agent economic");
    EXPECT_EQ(dlg.CifEdit()->text(), "12345678");
    EXPECT_FALSE(dlg.CifEdit()->isEnabled());
    EXPECT_FALSE(dlg.JudetCombo()->isEnabled());
    EXPECT_EQ(dlg.JudetCombo()->currentText(), "CLUJ");
    EXPECT_EQ(dlg.DenumireEdit()->text(), name);
    EXPECT_FALSE(dlg.CurentCheck()->isChecked());
    EXPECT_TRUE(dlg.FaraRotunjireCheck()->isChecked());
    for (const auto& [prop, value] : typed)
        EXPECT_EQ(dlg.Grid()->GetCellText(RowOf(*dlg.Grid(), prop), 2), value.toUpper()) << prop;
}

TEST(AgentiDlg, EditingChangesTheEmployerAndRewritesItsPropertyRows) {
    StartedApp s;
    s.Exec("INSERT INTO ATN_AGENTI (CIF, CURENT, COD_JUDET, DENUMIRE, TIP_CALCUL) VALUES "
           "('222', 0, '40', 'BETA SA', 0)");
    s.Exec("INSERT INTO ATN_AGENTI_DETALII (CIF, PROPRIETATE, VALOARE) VALUES "
           "('222', 'adresa', 'STR. VECHE')"); // matched without regard to letter case
    s.Exec("INSERT INTO ATN_AGENTI_DETALII (CIF, PROPRIETATE, VALOARE) VALUES "
           "('222', 'TELEFON', '0264')");
    s.Exec("INSERT INTO ATN_AGENTI_DETALII (CIF, PROPRIETATE, VALOARE) VALUES "
           "('222', 'FAX', '0265')");
    s.Exec("UPDATE ATN_PROPRIETATI_AGENTI SET VALID = 0 WHERE DENUMIRE = 'TELEFON'");
    // Another employer's rows are not touched.
    s.Exec("INSERT INTO ATN_AGENTI (CIF, CURENT, COD_JUDET, DENUMIRE, TIP_CALCUL) VALUES "
           "('333', 0, '12', 'GAMA', 0)");
    s.Exec("INSERT INTO ATN_AGENTI_DETALII (CIF, PROPRIETATE, VALOARE) VALUES "
           "('333', 'TELEFON', '0266')");

    platform::ScopedMessageRecorder boxes;
    CAgentiDlg dlg("222");
    dlg.show();
    EXPECT_EQ(dlg.JudetCombo()->currentText(), "MUNICIPIUL BUCURESTI");
    EXPECT_EQ(dlg.DenumireEdit()->text(), "BETA SA");
    CXSimGrid& g = *dlg.Grid();
    EXPECT_EQ(g.GetRowCount(), 8);
    EXPECT_EQ(RowOf(g, "TELEFON"), 0);
    EXPECT_EQ(GetCellText(g, RowOf(g, "ADRESA"), 2), "STR. VECHE");
    EXPECT_EQ(GetCellText(g, RowOf(g, "CAEN"), 2), "");

    Fill(dlg, "", "BETA SA");
    dlg.DenumireEdit()->clear();
    dlg.DenumireEdit()->setFocus();
    Type(dlg.DenumireEdit(), QString::fromUtf8("beta nouă sa"));
    SetCellText(g, RowOf(g, "ADRESA"), 2, "str. nouă 7");
    dlg.FaraRotunjireCheck()->click();
    Save(dlg);
    EXPECT_EQ(dlg.result(), QDialog::Accepted) << boxes.lastText();

    const auto agent = Rows("SELECT * FROM ATN_AGENTI WHERE CIF = '222'",
                            {"CURENT", "COD_JUDET", "DENUMIRE", "TIP_CALCUL"});
    EXPECT_EQ(agent.at(0), (std::vector<std::string>{"0", "40", "BETA NOUĂ SA", "1"}));
    const auto props = StoredProperties("222");
    std::vector<std::string> names;
    for (auto& [k, v] : props)
        names.push_back(k);
    std::vector<std::string> expected = kProprietati;
    expected.erase(std::find(expected.begin(), expected.end(), "TELEFON"));
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(names, expected); // FAX, the lower-case "adresa" and the invalid TELEFON are gone
    EXPECT_EQ(props.at("ADRESA"), "STR. NOUĂ 7");
    EXPECT_EQ(props.at("CAEN"), "6201");
    EXPECT_EQ(StoredProperties("333").at("TELEFON"), "0266");
    const std::string log = Log(s);
    EXPECT_NE(log.find("CString CAgentiDlg::SaveAgent() ooo--->> IN"), std::string::npos);
    EXPECT_NE(log.find("CString CAgentiDlg::SaveAgent() ooo--->> OUT"), std::string::npos);
}

TEST(AgentiDlg, DefaultFlagIsCarriedByOneEmployerOnly) {
    StartedApp s;
    s.Exec("INSERT INTO ATN_AGENTI (CIF, CURENT, COD_JUDET, DENUMIRE, TIP_CALCUL) VALUES "
           "('1', 1, '12', 'UNU', 0)");
    s.Exec("INSERT INTO ATN_AGENTI (CIF, CURENT, COD_JUDET, DENUMIRE, TIP_CALCUL) VALUES "
           "('2', 0, '12', 'DOI', 0)");
    platform::ScopedMessageRecorder boxes;
    struct Step {
        const char* cif;
        bool nou;
        bool implicit;
        std::map<std::string, std::string> flags;
    } steps[] = {
        {"3", true, true, {{"1", "0"}, {"2", "0"}, {"3", "1"}}},
        {"2", false, false, {{"1", "0"}, {"2", "0"}, {"3", "1"}}}, // the others keep theirs
        {"2", false, true, {{"1", "0"}, {"2", "1"}, {"3", "0"}}},
        {"2", false, false, {{"1", "0"}, {"2", "0"}, {"3", "0"}}}, // no default employer left
    };
    for (const Step& st : steps) {
        CAgentiDlg dlg(st.nou ? "" : st.cif);
        dlg.show();
        Fill(dlg, st.cif);
        dlg.CurentCheck()->setChecked(st.implicit);
        Save(dlg);
        EXPECT_EQ(dlg.result(), QDialog::Accepted) << boxes.lastText();
        EXPECT_EQ(DefaultFlags(), st.flags) << st.cif << " " << st.implicit;
    }
    EXPECT_TRUE(boxes.messages().empty());
}

// Each refusal shows its message (caption "VORTAPL", error icon), keeps the dialog open with
// the focus on the field at fault and writes nothing.
TEST(AgentiDlg, EveryRefusalShowsItsMessageAndWritesNothing) {
    struct Case {
        const char* what;
        const char* setupSql;
        std::function<void(CAgentiDlg&)> change;
        const char* message;
        const char* focus;    // object name of the field at fault
        const char* property; // the grid row the cursor goes to
    } cases[] = {
        {"no CIF", "", [](CAgentiDlg& d) { d.CifEdit()->clear(); },
         "Va rugam sa completati CIF-ul!", "cif", ""},
        {"no name", "", [](CAgentiDlg& d) { d.DenumireEdit()->clear(); },
         "Va rugam sa completati denumirea agentului economic!", "denumire", ""},
        {"no county", "", [](CAgentiDlg& d) { d.JudetCombo()->setCurrentIndex(-1); },
         "Va rugam sa selectati un JUDET!", "judet", ""},
        {"obligatory property", "",
         [](CAgentiDlg& d) { SetCellText(*d.Grid(), RowOf(*d.Grid(), "BANCA"), 2, ""); },
         "Va rugam sa completati proprietatea: BANCA", "grid", "BANCA"},
        {"invalid IBAN", "",
         [](CAgentiDlg& d) {
             SetCellText(*d.Grid(), RowOf(*d.Grid(), "IBAN"), 2, "RO49AAAA1B31007593840001");
         },
         "Va rugam sa completati un CONT IBAN valid!", "grid", "IBAN"},
        {"IBAN with a comma inside", "",
         [](CAgentiDlg& d) {
             SetCellText(*d.Grid(), RowOf(*d.Grid(), "IBAN"), 2, "RO49 AAAA,1B31 0075 9384 0000");
         },
         "Va rugam sa completati un CONT IBAN valid!", "grid", "IBAN"},
        {"empty optional IBAN",
         "UPDATE ATN_PROPRIETATI_AGENTI SET OBLIGATORIE = 'NU' WHERE DENUMIRE = 'IBAN'",
         [](CAgentiDlg& d) { SetCellText(*d.Grid(), RowOf(*d.Grid(), "IBAN"), 2, ""); },
         "Va rugam sa completati un CONT IBAN valid!", "grid", "IBAN"},
        {"CAEN of five digits", "",
         [](CAgentiDlg& d) { SetCellText(*d.Grid(), RowOf(*d.Grid(), "CAEN"), 2, "62011"); },
         "CAEN poate sa aiba doar 4 caractere!", "grid", "CAEN"},
        {"CAEN with a letter", "",
         [](CAgentiDlg& d) { SetCellText(*d.Grid(), RowOf(*d.Grid(), "CAEN"), 2, "12A4"); },
         "CAEN poate sa contina doar numere!", "grid", "CAEN"},
        {"postal code with letters", "",
         [](CAgentiDlg& d) { SetCellText(*d.Grid(), RowOf(*d.Grid(), "COD_POSTAL"), 2, "RO4000"); },
         "COD_POSTAL poate sa contina doar numere!", "grid", "COD_POSTAL"},
        {"telephone too long", "",
         [](CAgentiDlg& d) {
             SetCellText(*d.Grid(), RowOf(*d.Grid(), "TELEFON"), 2, std::string(21, '7'));
         },
         "TELEFON poate sa aiba doar 20 caractere!", "grid", "TELEFON"},
        // Values longer than their columns: named in Romanian before the engine sees them.
        {"address longer than its column", "",
         [](CAgentiDlg& d) {
             SetCellText(*d.Grid(), RowOf(*d.Grid(), "ADRESA"), 2, std::string(256, 'a'));
         },
         "ADRESA poate sa aiba doar 255 caractere!", "grid", "ADRESA"},
        {"address that grows past its column in capitals", "",
         [](CAgentiDlg& d) {
             SetCellText(*d.Grid(), RowOf(*d.Grid(), "ADRESA"), 2,
                         std::string(250, 'a') + "\xc3\x9f\xc3\x9f\xc3\x9f"); // sharp s: SS
         },
         "ADRESA poate sa aiba doar 255 caractere!", "grid", "ADRESA"},
        {"name longer than its column", "",
         [](CAgentiDlg& d) {
             d.DenumireEdit()->setMaxLength(32767);
             d.DenumireEdit()->setText(QString(101, 'N'));
         },
         "DENUMIRE poate sa aiba doar 100 caractere!", "denumire", ""},
        {"locality too long", "",
         [](CAgentiDlg& d) {
             std::string v;
             for (int i = 0; i < 61; ++i)
                 v += "Ș";
             SetCellText(*d.Grid(), RowOf(*d.Grid(), "LOCALITATE"), 2, v);
         },
         "LOCALITATE poate sa aiba doar 60 caractere!", "grid", "LOCALITATE"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StartedApp s;
        if (*c.setupSql)
            s.Exec(c.setupSql);
        platform::ScopedMessageRecorder boxes;
        CAgentiDlg dlg("");
        dlg.show();
        Fill(dlg, "987");
        c.change(dlg);
        Save(dlg);
        ASSERT_EQ(boxes.messages().size(), 1u);
        EXPECT_EQ(boxes.lastText(), c.message);
        EXPECT_EQ(boxes.messages()[0].caption, "VORTAPL");
        EXPECT_EQ(boxes.messages()[0].icon, platform::Icon::Error);
        EXPECT_NE(dlg.result(), QDialog::Accepted);
        EXPECT_TRUE(dlg.isVisible());
        ASSERT_NE(dlg.focusWidget(), nullptr);
        EXPECT_EQ(dlg.focusWidget()->objectName(), c.focus);
        if (*c.property) {
            int row = 0;
            bool found = false;
            dlg.Grid()->GetCurrentRow(row, found);
            EXPECT_EQ(row, RowOf(*dlg.Grid(), c.property));
            EXPECT_EQ(dlg.Grid()->currentIndex().column(), 2);
        }
        EXPECT_EQ(Employers(), 0);
        EXPECT_EQ(PropertyRows(), 0);
    }
}

// An account typed in groups of four, as banks print it, is accepted and stored compact.
TEST(AgentiDlg, IbanTypedInGroupsIsStoredCompact) {
    StartedApp s;
    platform::ScopedMessageRecorder boxes;
    CAgentiDlg dlg("");
    dlg.show();
    Fill(dlg, "987");
    TypeIntoCell(*dlg.Grid(), RowOf(*dlg.Grid(), "IBAN"), 2, "ro49 aaaa 1b31 0075 9384 0000");
    Save(dlg);
    EXPECT_EQ(dlg.result(), QDialog::Accepted) << boxes.lastText();
    EXPECT_EQ(StoredProperties("987").at("IBAN"), "RO49AAAA1B31007593840000");
}

// A fiscal code that exists already fails on the table's key: the user reads what happened
// with the engine's text under it, the log keeps the engine's text, the default flags the failed
// save had cleared are back, the dialog stays open with what was typed, and a corrected code then
// saves.
TEST(AgentiDlg, ExistingCifFailsWithTheDatabaseMessageAndKeepsTheDialog) {
    StartedApp s;
    s.Exec("INSERT INTO ATN_AGENTI (CIF, CURENT, COD_JUDET, DENUMIRE, TIP_CALCUL) VALUES "
           "('555', 1, '40', 'EXISTENT', 0)");
    platform::ScopedMessageRecorder boxes;
    CAgentiDlg dlg("");
    dlg.show();
    Fill(dlg, "555", "NOU");
    dlg.CurentCheck()->setChecked(true);
    Save(dlg);
    ASSERT_EQ(boxes.messages().size(), 1u);
    const std::string text = boxes.lastText();
    EXPECT_EQ(text.find("Inregistrarea exista deja in baza de date (de exemplu un angajator cu "
                        "acelasi CIF)."),
              0u)
        << text;
    const std::string kDetalii = "Detalii pentru asistenta tehnica:\n";
    ASSERT_NE(text.find(kDetalii), std::string::npos) << text;
    const std::string engine = text.substr(text.find(kDetalii) + kDetalii.size());
    EXPECT_NE(engine.find("PK_ATN_AGENTI"), std::string::npos) << text;
    EXPECT_EQ(boxes.messages()[0].icon, platform::Icon::Error);
    EXPECT_NE(Log(s).find("[ERR][CAgentiDlg::AddAgent()] oo-->> " + engine), std::string::npos);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_NE(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(Rows("SELECT * FROM ATN_AGENTI", {"CIF", "CURENT", "DENUMIRE"}),
              (std::vector<std::vector<std::string>>{{"555", "1", "EXISTENT"}}));
    EXPECT_EQ(PropertyRows(), 0);
    EXPECT_EQ(dlg.DenumireEdit()->text(), "NOU");

    boxes.clear();
    dlg.CifEdit()->setText("556");
    Save(dlg);
    EXPECT_EQ(dlg.result(), QDialog::Accepted) << boxes.lastText();
    EXPECT_EQ(DefaultFlags(), (std::map<std::string, std::string>{{"555", "0"}, {"556", "1"}}));
}

// The menu commands run the editor through the function the main window is given, and the
// header shows the saved default employer.
TEST(AgentiDlg, MenuCommandsRefreshTheHeaderAfterASave) {
    StartedApp s;
    std::vector<CTabPage*> pages;
    for (int i = 0; i < CVORTAPLDlg::TabCount; ++i)
        pages.push_back(new CTabPage);
    CVORTAPLDlg w(pages);
    w.m_runEmployerEditor = [&w](const std::string& cif) { return RunAgentiDlg(cif, &w); };
    platform::ScopedMessageRecorder boxes;
    std::string newName = "PRIMUL";
    platform::ScopedModalHook hook([&](QDialog& d) {
        d.show();
        if (auto* prompt = dynamic_cast<CGetTextDlg*>(&d)) {
            prompt->Edit()->setText("777");
            prompt->findChild<QPushButton*>("ok")->click();
            return prompt->result();
        }
        auto* dlg = dynamic_cast<CAgentiDlg*>(&d);
        if (!dlg)
            return int(QDialog::Rejected);
        Fill(*dlg, "777", newName);
        dlg->CurentCheck()->setChecked(true);
        Save(*dlg);
        return dlg->result();
    });
    w.RunCommand(cmd::AdaugareAgent);
    EXPECT_EQ(w.HeaderLabel(0)->text(), "CIF/CUI: 777");
    EXPECT_EQ(w.HeaderLabel(1)->text(), "DENUMIRE: PRIMUL");
    newName = "AL DOILEA NUME";
    w.RunCommand(cmd::ModificareAgent);
    EXPECT_EQ(w.HeaderLabel(1)->text(), "DENUMIRE: AL DOILEA NUME");
    EXPECT_TRUE(boxes.messages().empty()) << boxes.lastText();
}

// Escape closes an unchanged employer at once and asks after any change.
TEST(AgentiDlg, EscapeAfterAnEditAsksFirst) {
    StartedApp s;
    s.Exec("INSERT INTO ATN_AGENTI (CIF, CURENT, COD_JUDET, DENUMIRE, TIP_CALCUL) VALUES "
           "('555', 0, '12', 'EXISTENT', 0)");
    platform::ScopedMessageRecorder boxes;
    const std::function<void(CAgentiDlg&)> changes[] = {
        [](CAgentiDlg& d) { d.DenumireEdit()->setText("ALT NUME"); },
        [](CAgentiDlg& d) { d.CurentCheck()->setChecked(true); },
        [](CAgentiDlg& d) { TypeIntoCell(*d.Grid(), RowOf(*d.Grid(), "ADRESA"), 2, "STR. NOUA"); },
    };
    {
        CAgentiDlg dlg("555");
        dlg.show();
        QTest::keyClick(&dlg, Qt::Key_Escape);
        EXPECT_TRUE(boxes.messages().empty());
        EXPECT_FALSE(dlg.isVisible());
    }
    for (const auto& change : changes) {
        boxes.clear();
        CAgentiDlg dlg("555");
        dlg.show();
        change(dlg);
        boxes.queue(platform::Answer::No);
        QTest::keyClick(&dlg, Qt::Key_Escape);
        ASSERT_EQ(boxes.messages().size(), 1u);
        EXPECT_EQ(boxes.lastText(), "Datele modificate nu au fost salvate.\nDoriti sa inchideti "
                                    "fereastra fara sa le salvati?");
        EXPECT_TRUE(dlg.isVisible());
        boxes.queue(platform::Answer::Yes);
        QTest::keyClick(&dlg, Qt::Key_Escape);
        EXPECT_FALSE(dlg.isVisible());
    }
    EXPECT_EQ(Rows("SELECT DENUMIRE, CURENT FROM ATN_AGENTI", {"DENUMIRE", "CURENT"}),
              (std::vector<std::vector<std::string>>{{"EXISTENT", "0"}}));
}
