// Engine errors reach the user as a Romanian sentence, with the engine's text kept under it.
#include "core/MesajEroareBD.h"
#include "WorkFolder.h"
#include "core/DbOperation.h"
#include "core/VORTAPLApp.h"

#include <gtest/gtest.h>

TEST(MesajEroareBD, CommonEngineErrorsAreExplained) {
    struct Case {
        const char* engine;
        const char* explanation; // a part of the sentence; empty: not a known error
    } cases[] = {
        {"violation of PRIMARY or UNIQUE KEY constraint \"PK_ATN_AGENTI\" on table \"ATN_AGENTI\"",
         "exista deja"},
        {"I/O error during \"lock\" operation for file \"/home/u/VORTAPL.DAT\"\n-Database already "
         "opened with engine instance, incompatible with current",
         "alt program VORTAPL"},
        {"I/O error during \"write\" operation for file \"VORTAPL.DAT\"\n-Error while trying to "
         "write to file\n-No space left on device",
         "Discul"},
        {"attempt to write a readonly database", "doar pentru citire"},
        {"I/O error during \"open\" operation for file \"VORTAPL.DAT\"\n-Permission denied",
         "doar pentru citire"},
        {"Column unknown CNPX", ""},
    };
    for (const Case& c : cases) {
        const std::string text = core::MesajEroareBD(c.engine);
        if (*c.explanation == '\0') {
            EXPECT_EQ(text, c.engine);
            continue;
        }
        EXPECT_NE(text.find(c.explanation), std::string::npos) << text;
        // The engine text stays, below the sentence, for support.
        EXPECT_GT(text.find(c.engine), text.find(c.explanation)) << text;
    }
}

TEST(MesajEroareBD, ADuplicateEmployerIsExplainedToTheCaller) {
    testsupport::StartedApp s;
    auto insert = [](core::Statement& st) {
        st.Execute("INSERT INTO ATN_AGENTI (CIF, CURENT, DENUMIRE) VALUES (?, 0, ?)",
                   {std::string("12345678"), std::string("Brutaria Lună")});
    };
    std::string err;
    ASSERT_TRUE(core::RunLogged("Test()", insert, core::TransactionMode::ReadWrite,
                                core::LockResolution::Wait, &err));
    EXPECT_FALSE(core::RunLogged("Test()", insert, core::TransactionMode::ReadWrite,
                                 core::LockResolution::Wait, &err));
    EXPECT_EQ(err.find("Inregistrarea exista deja"), 0u) << err;
    EXPECT_NE(err.find("PK_ATN_AGENTI"), std::string::npos) << err;
    // The trace log keeps the engine's text alone.
    const std::string log = s.Folder().ReadFile("vortapl.log");
    EXPECT_NE(log.find("[ERR][Test()] oo-->> "), std::string::npos);
    EXPECT_EQ(log.find("Inregistrarea exista deja"), std::string::npos);
}
