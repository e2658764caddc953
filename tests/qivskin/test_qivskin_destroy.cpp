// Skinned windows destroyed without being released. This executable and the library it uses
// are built with AddressSanitizer, so anything of a destroyed window that the library still
// held (its record, a filter, a child) would be reported as a read after free.
#include "QivSkinTestSupport.h"

#include <QSignalSpy>
#include <QTest>

TEST_F(SkinTest, WindowDestroyedWhileSkinnedLeavesNothingBehind) {
    ASSERT_EQ(InitQivSkinLib(), 1);
    auto* kept = new Host;
    ASSERT_EQ(SetQivSkinTo(kept->window.get(), 0), 1);
    {
        Host host;
        host.window->show();
        ASSERT_EQ(SetQivSkinTo(host.window.get(), 0), 1);
        ASSERT_EQ(GetQivSkinWindowCount(), 2);
        // the mouse over a caption button starts a tooltip that outlives nothing
        sendMouse(host.window.get(), QEvent::MouseMove, QPoint(host.window->width() - 17, 13),
                  Qt::NoButton, Qt::NoButton);
    }
    EXPECT_EQ(GetQivSkinWindowCount(), 1);
    QTest::qWait(400); // the tooltip's timer, had it survived, would fire now
    // the other window is still skinned and works
    QSignalSpy clicked(kept->button, &QPushButton::clicked);
    sendMouse(kept->button, QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton, Qt::LeftButton);
    sendMouse(kept->button, QEvent::MouseButtonRelease, QPoint(5, 5), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(clicked.count(), 1);
    delete kept;
    EXPECT_EQ(GetQivSkinWindowCount(), 0);
    // the end of the library walks its list: only what is alive may be in it
    EXPECT_EQ(ExitQivSkinLib(), 1);
}

TEST_F(SkinTest, ChildTakenOutOfASkinnedWindowGetsItsOwnBehaviourBack) {
    ASSERT_EQ(InitQivSkinLib(), 1);
    QWidget elsewhere;
    QPushButton* button = nullptr;
    {
        Host host;
        button = host.button;
        ASSERT_EQ(SetQivSkinTo(host.window.get(), 0), 1);
        button->setParent(&elsewhere);
        EXPECT_FALSE(button->property("!oldp").isValid());
        EXPECT_FALSE(button->property("!bsstatus").isValid());
    }
    EXPECT_EQ(GetQivSkinWindowCount(), 0);
    QSignalSpy clicked(button, &QPushButton::clicked);
    QTest::mousePress(button, Qt::LeftButton);
    EXPECT_TRUE(button->isDown()); // its own code, no filter of the library in between
    QTest::mouseRelease(button, Qt::LeftButton);
    EXPECT_EQ(clicked.count(), 1);
}

TEST_F(SkinTest, WindowDestroyedFromItsOwnButtonClick) {
    ASSERT_EQ(InitQivSkinLib(), 1);
    auto* host = new Host;
    ASSERT_EQ(SetQivSkinTo(host->window.get(), 0), 1);
    QObject::connect(host->button, &QPushButton::clicked, [&host] {
        delete host;
        host = nullptr;
    });
    QPushButton* button = host->button;
    sendMouse(button, QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton, Qt::LeftButton);
    sendMouse(button, QEvent::MouseButtonRelease, QPoint(5, 5), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(host, nullptr);
    EXPECT_EQ(GetQivSkinWindowCount(), 0);
}
