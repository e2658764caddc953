#include "WorkFolder.h"
#include "core/Database.h"
#include "core/Schema.h"
#include "core/VORTAPLApp.h"
#include "platform/MessageBox.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

using testsupport::WorkFolder;

namespace {
// Runs SQL on the folder's database with a connection of its own, before the program starts.
void prepare(const WorkFolder& f, const std::string& sql) {
    core::Database db;
    db.Connect(f.File("VORTAPL.DAT").string(), core::kDbUser, core::kDbPassword);
    db.ExecuteImmediate(sql);
}

} // namespace

TEST(Startup, EmptyFolderGetsDatabaseAndLogInStartupOrder) {
    WorkFolder f(false);
    platform::ScopedMessageRecorder boxes;
    {
        CVORTAPLApp app;
        bool ran = false;
        EXPECT_FALSE(app.InitInstance([&] { ran = true; }));
        EXPECT_TRUE(ran);
        EXPECT_EQ(app.m_strDirector, f.Path().string());
        EXPECT_EQ(app.m_strVersiune, "1.0.0.0");
        EXPECT_EQ(app.m_strVersiuneBD, "1.0");
        EXPECT_FALSE(app.m_strAdresaWeb.empty());
        EXPECT_EQ(app.m_judete.GetCount(), 42);
        ASSERT_TRUE(app.m_pConventii);
        EXPECT_EQ(app.m_pConventii->GetCount(), 0);
    }
    // The first start says where the new database is.
    ASSERT_EQ(boxes.messages().size(), 1u) << boxes.lastText();
    EXPECT_EQ(boxes.lastText().find("A fost creata o baza de date noua:\n" +
                                    f.File("VORTAPL.DAT").string() + "\n"),
              0u)
        << boxes.lastText();
    ASSERT_TRUE(std::filesystem::exists(f.File("VORTAPL.DAT")));
    const std::string log = f.ReadFile("vortapl.log");
    const char* order[] = {"CVORTAPLApp::MakeRegFile() oooo---->> IN",
                           "Ocx: print.ocx este deja inregistrat",
                           "Ocx: BCode.ocx este deja inregistrat",
                           "Directorul curent este: ",
                           "pdf417.ttf inregistrat cu succes.",
                           "code128.ttf inregistrat cu succes.",
                           "Versiune: 1.0.0.0",
                           "bool CTelmoraApp::ConnectToDB() ooo--->> IN",
                           "Conectare cu SUCCES la baza de date. ",
                           "SELECT VERSIUNE FROM ATO_VERSIUNE",
                           "Versiunea bazei de date este: 1.0",
                           "SELECT * FROM ATO_OPTIUNI ",
                           "Select count (*) from ATO_RAPORTARE_ART93_4",
                           "URL VORT este: ",
                           "HOSTNAME VORT este: ",
                           "SELECT * FROM JUDETE",
                           "SELECT * FROM ATN_SARBATORI_LEGALE ",
                           "SELECT * FROM ATN_CS "};
    size_t pos = 0;
    for (const char* line : order) {
        size_t at = log.find(line, pos);
        ASSERT_NE(at, std::string::npos) << "missing or out of order: " << line;
        pos = at;
    }
}

TEST(Startup, SecondStartLeavesTheDatabaseAsItWas) {
    WorkFolder f;
    prepare(
        f,
        "INSERT INTO ATN_AGENTI (CIF, CURENT, COD_JUDET, DENUMIRE) VALUES ('RO1', 1, '12', 'F')");
    for (int run = 0; run < 2; ++run) {
        CVORTAPLApp app;
        ASSERT_TRUE(app.Startup());
        EXPECT_EQ(testsupport::CountRows(app.m_db, "SELECT COUNT(*) AS NR FROM ATN_AGENTI"), 1);
        EXPECT_EQ(testsupport::CountRows(app.m_db, "SELECT COUNT(*) AS NR FROM JUDETE"), 42);
        EXPECT_EQ(testsupport::CountRows(app.m_db, "SELECT COUNT(*) AS NR FROM RDB$RELATIONS WHERE "
                                                   "RDB$SYSTEM_FLAG = 0"),
                  22);
    }
}

TEST(Startup, UnreadableDatabaseEndsWithTheEngineMessage) {
    WorkFolder f(false);
    {
        std::ofstream out(f.File("VORTAPL.DAT"), std::ios::binary);
        out << std::string(4096, 'z');
    }
    platform::ScopedMessageRecorder boxes;
    CVORTAPLApp app;
    bool ran = false;
    app.InitInstance([&] { ran = true; });
    EXPECT_FALSE(ran);
    ASSERT_EQ(boxes.messages().size(), 1u);
    EXPECT_EQ(boxes.messages()[0].caption, "VORTAPL");
    EXPECT_EQ(boxes.messages()[0].icon, platform::Icon::Error);
    EXPECT_FALSE(boxes.messages()[0].text.empty());
    EXPECT_EQ(std::filesystem::file_size(f.File("VORTAPL.DAT")), 4096u); // never overwritten
}

TEST(Startup, MissingWebOptionsAreNotAnError) {
    WorkFolder f;
    prepare(f, "DELETE FROM ATO_OPTIUNI");
    platform::ScopedMessageRecorder boxes;
    CVORTAPLApp app;
    ASSERT_TRUE(app.Startup());
    EXPECT_TRUE(app.m_strAdresaWeb.empty());
    EXPECT_TRUE(app.m_strHostName.empty());
    EXPECT_TRUE(boxes.messages().empty());
}

TEST(Startup, UpgradeAddsTheArt93_4TableWithBothKeys) {
    WorkFolder f;
    prepare(f, "DROP TABLE ATO_RAPORTARE_ART93_4");
    CVORTAPLApp app;
    ASSERT_TRUE(app.Startup());
    EXPECT_EQ(testsupport::CountRows(app.m_db,
                                     "SELECT COUNT(*) AS NR FROM RDB$RELATION_CONSTRAINTS WHERE "
                                     "RDB$RELATION_NAME = 'ATO_RAPORTARE_ART93_4' AND "
                                     "RDB$CONSTRAINT_TYPE IN ('PRIMARY KEY', 'FOREIGN KEY')"),
              2);
    EXPECT_EQ(testsupport::CountRows(app.m_db,
                                     "SELECT COUNT(*) AS NR FROM RDB$REF_CONSTRAINTS WHERE "
                                     "RDB$CONSTRAINT_NAME = 'FK_ATO_RAPORTARE_ART93_4' AND "
                                     "RDB$DELETE_RULE = 'CASCADE' AND RDB$UPDATE_RULE = 'CASCADE'"),
              1);
    EXPECT_NE(f.ReadFile("vortapl.log")
                  .find("[ERR][CVORTAPLApp::CreareTabelaArt93_4(IBPP::"
                        "Transaction& tr)] oo-->> "),
              std::string::npos);
}

TEST(Startup, AnUpgradeCutShortIsCompletedAtTheNextStart) {
    // The table was committed but a kill or an error stopped the upgrade before its keys.
    struct Case {
        const char* what;
        std::vector<std::string> sql;
    } cases[] = {
        {"table alone", {"DROP TABLE ATO_RAPORTARE_ART93_4", core::kArt93_4Create}},
        {"table with its primary key",
         {"DROP TABLE ATO_RAPORTARE_ART93_4", core::kArt93_4Create, core::kArt93_4PrimaryKey}},
    };
    for (const Case& c : cases) {
        WorkFolder f;
        for (const std::string& sql : c.sql)
            prepare(f, sql);
        platform::ScopedMessageRecorder boxes;
        for (int run = 0; run < 2; ++run) { // the second start finds nothing left to do
            CVORTAPLApp app;
            ASSERT_TRUE(app.Startup()) << c.what << ": " << boxes.lastText();
            EXPECT_EQ(testsupport::CountRows(
                          app.m_db, "SELECT COUNT(*) AS NR FROM RDB$RELATION_CONSTRAINTS "
                                    "WHERE RDB$RELATION_NAME = 'ATO_RAPORTARE_ART93_4' AND "
                                    "RDB$CONSTRAINT_TYPE IN ('PRIMARY KEY', 'FOREIGN KEY')"),
                      2)
                << c.what;
            app.m_db.ExecuteImmediate("INSERT INTO ATO_RAPORTARE (AN, LN, CIF) VALUES (2024, "
                                      "1, 'RO" +
                                      std::to_string(run) + "')");
            app.m_db.ExecuteImmediate(
                "INSERT INTO ATO_RAPORTARE_ART93_4 (AN, LN, CIF, CNP, CNP_CORECT, NUME, "
                "CATEGORIE, SUMA_BC, ORE_IN_CONVENTIE, SUMA_CONVENTIE, ID_MA, ID_PERS) VALUES "
                "(2024, 1, 'RO" +
                std::to_string(run) + "', 1, 1, 'A', 'C', 0, 0, 0, 1, 1)");
            // The cascade works: deleting the settlement takes its detail row along.
            app.m_db.ExecuteImmediate("DELETE FROM ATO_RAPORTARE");
            EXPECT_EQ(testsupport::CountRows(app.m_db,
                                             "SELECT COUNT(*) AS NR FROM ATO_RAPORTARE_ART93_4"),
                      0);
        }
        EXPECT_TRUE(boxes.messages().empty()) << c.what;
    }
}

TEST(Startup, AListThatCannotBeLoadedEndsTheStart) {
    struct Case {
        const char* drop;
        const char* message;
    } cases[] = {
        {"DROP TABLE ATO_OPTIUNI", "Eroare la preluarea optiunilor aplicatiei."},
        {"DROP TABLE JUDETE", "Eroare la preluarea nomenclatorului de JUDETE."},
        {"DROP TABLE ATN_SARBATORI_LEGALE", "Eroare la preluarea nomenclatorului de SARBATORI."},
        {"DROP TABLE ATN_CS", "Eroare la preluarea nomenclatorului de CONSTANTE SISTEM."},
    };
    for (const Case& c : cases) {
        WorkFolder f;
        prepare(f, c.drop);
        platform::ScopedMessageRecorder boxes;
        CVORTAPLApp app;
        bool ran = false;
        app.InitInstance([&] { ran = true; });
        EXPECT_FALSE(ran) << c.drop;
        ASSERT_EQ(boxes.messages().size(), 1u) << c.drop;
        EXPECT_EQ(boxes.messages()[0].text, c.message);
        EXPECT_EQ(boxes.messages()[0].caption, "VORTAPL");
        EXPECT_NE(f.ReadFile("vortapl.log").find("[ERR]["), std::string::npos);
    }
}

TEST(Startup, AFolderWithOtherFilesAndNoDatabaseAsksFirst) {
    WorkFolder f(false);
    { std::ofstream(f.File("scrisoare.odt")) << "nu e o baza de date"; }
    auto listing = [&] {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(f.Path()))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    };
    const std::vector<std::string> before = listing();
    for (platform::Answer answer : {platform::Answer::No, platform::Answer::Yes}) {
        platform::ScopedMessageRecorder boxes;
        boxes.queue(answer);
        {
            CVORTAPLApp app;
            EXPECT_EQ(app.Startup(), answer == platform::Answer::Yes);
        }
        ASSERT_GE(boxes.messages().size(), 1u);
        EXPECT_EQ(boxes.messages()[0].buttons, platform::Buttons::YesNo);
        EXPECT_NE(boxes.messages()[0].text.find(f.Path().string() +
                                                "\nnu contine baza de date VORTAPL.DAT"),
                  std::string::npos)
            << boxes.messages()[0].text;
        if (answer == platform::Answer::No) {
            // "Nu" leaves the folder as it was: no database, not even a trace log.
            EXPECT_EQ(listing(), before);
            EXPECT_EQ(boxes.messages().size(), 1u);
        } else {
            EXPECT_TRUE(std::filesystem::exists(f.File("VORTAPL.DAT")));
        }
    }
    // Once the folder holds its database nothing more is asked.
    platform::ScopedMessageRecorder boxes;
    {
        CVORTAPLApp app;
        EXPECT_TRUE(app.Startup());
    }
    EXPECT_TRUE(boxes.messages().empty()) << boxes.lastText();
}
