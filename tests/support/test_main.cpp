#include <QApplication>
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

#ifdef VORTAPL_TEST_MESSAGES
#include "platform/MessageBox.h"

#include <set>
#endif

// Every test executable runs inside a QApplication so that widgets, fonts and printers work;
// the platform is offscreen unless the caller chose another.
int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C"); // as the program does

#ifdef VORTAPL_TEST_MESSAGES
    // Every box any test provokes carries the program's caption and Romanian buttons.
    platform::SetMessageAudit([](const platform::MessageRecord& r) {
        static const std::set<std::string> romanian{"Da", "Nu", "Anuleaza", "OK"};
        EXPECT_EQ(r.caption, platform::kCaption) << "box: " << r.text;
        for (const std::string& b : platform::ButtonTexts(r.buttons))
            EXPECT_TRUE(romanian.count(b)) << "button " << b << " on box: " << r.text;
    });
#endif

    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
