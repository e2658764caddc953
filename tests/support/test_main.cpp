#include <QApplication>
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

// Every test executable runs inside a QApplication so that widgets, fonts and printers work;
// the platform is offscreen unless the caller chose another.
int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C"); // as the program does

    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
