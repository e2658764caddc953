// The skin library on real widgets: settings, skinning and releasing, the painted frame and its
// caption buttons, push buttons, edit boxes and the workspace window.
#include "QivSkinTestSupport.h"

#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include <vector>

namespace {

constexpr QivColor rgb(int r, int g, int b) {
    return QivColor(r + 256 * g + 65536 * b);
}

// Where the caption buttons of a skinned window of width w are: 13 pixels square, 7 from the
// top, their right sides 10, 24 and 38 pixels from the right edge.
QPoint closeButton(const QWidget* w) {
    return QPoint(w->width() - 10 - 7, 13);
}
QPoint maximizeButton(const QWidget* w) {
    return QPoint(w->width() - 24 - 7, 13);
}
QRect closeRect(const QWidget* w) {
    return QRect(w->width() - 23, 7, 13, 13);
}

void clickAt(QWidget* w, QPoint pos) {
    sendMouse(w, QEvent::MouseMove, pos, Qt::NoButton, Qt::NoButton);
    sendMouse(w, QEvent::MouseButtonPress, pos, Qt::LeftButton, Qt::LeftButton);
    sendMouse(w, QEvent::MouseButtonRelease, pos, Qt::LeftButton, Qt::NoButton);
}

int state(const QPushButton* b) {
    return b->property("!bsstatus").toInt();
}

} // namespace

// --- settings ---------------------------------------------------------------------------------

TEST_F(SkinTest, MasterColourFromTheSettingsFile) {
    struct Case {
        const char* file; // nullptr: no settings file at all
        QivColor expected;
    };
    const QivColor byDefault = rgb(255, 255, 203);
    const std::vector<Case> cases = {
        {nullptr, byDefault},
        {"[WINDOW]\nclWnd=200,100,50\n", 200 + 256 * 100 + 65536 * 50},
        {"[window]\r\nCLWND = 1, 2, 3\r\n", rgb(1, 2, 3)},
        {"[WINDOW]\nclWnd=abc\n", byDefault},
        {"[WINDOW]\nclWnd=1,2\n", byDefault},
        {"[WINDOW]\nclWnd=1,2,3,4\n", byDefault},
        {"[WINDOW]\nclWnd=300,0,0\n", byDefault},
        {"[WINDOW]\nclWnd=-1,0,0\n", byDefault},
        {"[WINDOW]\nclWnd=\n", byDefault},
        {"[EDIT]\nclWnd=1,2,3\n", byDefault},
        {"[WINDOW]\nclWndText=1,2,3\n", byDefault},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file ? c.file : "(no file)");
        QFile::remove(QStringLiteral("skincolors.ini"));
        if (c.file)
            writeSettings(c.file);
        ASSERT_EQ(InitQivSkinLib(), 1);
        EXPECT_EQ(GetSkinMasterColor(), c.expected);
        ASSERT_EQ(ExitQivSkinLib(), 1);
    }
}

TEST_F(SkinTest, ControlsTakeTheirColoursFromTheSettingsReadOnceAtStart) {
    writeSettings("[EDIT]\nclEdit=1,2,3\nclEditText=4,5,6\nclEditTextReadOnly=bad\n"
                  "[STATIC]\nclStaticText=10,11,12\nclStatic=13,14,15\n"
                  "[CONTROLS]\nclListBox=7,8,9\n");
    ASSERT_EQ(InitQivSkinLib(), 1);
    Host host;
    host.framed->setReadOnly(true);
    ASSERT_EQ(SetQivSkinTo(host.window.get(), 0), 1);
    EXPECT_EQ(host.edit->palette().color(QPalette::Base), QColor(1, 2, 3));
    EXPECT_EQ(host.edit->palette().color(QPalette::Text), QColor(4, 5, 6));
    EXPECT_EQ(host.framed->palette().color(QPalette::Base), QColor(1, 2, 3));
    EXPECT_EQ(host.framed->palette().color(QPalette::Text), QColor(140, 140, 140));
    EXPECT_EQ(host.label->palette().color(QPalette::WindowText), QColor(10, 11, 12));
    EXPECT_EQ(host.label->palette().color(QPalette::Window), QColor(13, 14, 15));
    EXPECT_EQ(host.list->palette().color(QPalette::Base), QColor(7, 8, 9));
    EXPECT_EQ(host.list->palette().color(QPalette::Text), QColor(10, 11, 12));
    EXPECT_EQ(host.tree->palette().color(QPalette::Base), QColor(255, 255, 203));
    EXPECT_EQ(host.window->palette().color(QPalette::Window), QColor(255, 255, 203));

    // the file is read when the library starts, not when a window is skinned
    writeSettings("[EDIT]\nclEdit=9,9,9\n");
    Host second;
    ASSERT_EQ(SetQivSkinTo(second.window.get(), 0), 1);
    EXPECT_EQ(second.edit->palette().color(QPalette::Base), QColor(1, 2, 3));
    ASSERT_EQ(ExitQivSkinLib(), 1);
    ASSERT_EQ(InitQivSkinLib(), 1);
    Host third;
    ASSERT_EQ(SetQivSkinTo(third.window.get(), 0), 1);
    EXPECT_EQ(third.edit->palette().color(QPalette::Base), QColor(9, 9, 9));
}

TEST_F(SkinTest, GammaEffectTintsTheFrameTowardsTheBorderColour) {
    const QImage art =
        QImage(QStringLiteral(":/qivskin/115.png")).convertToFormat(QImage::Format_ARGB32);
    ASSERT_FALSE(art.isNull());
    // a point of the top band between the title and the caption buttons
    const int x = 330, y = 14;
    const QColor own = art.pixelColor(x % art.width(), y);
    auto tinted = [&own](int g) {
        auto mix = [g](int c, int t) { return c + (t - c) * g / 255; };
        return QColor(mix(own.red(), 60), mix(own.green(), 40), mix(own.blue(), 160));
    };
    struct Case {
        const char* file;
        QColor expected;
    };
    const std::vector<Case> cases = {
        {nullptr, own},
        {"[WINDOW]\nGammaEffect=255\n", QColor(60, 40, 160)},
        {"[WINDOW]\nGammaEffect=128\n", tinted(128)},
        {"[WINDOW]\nGammaEffect=256\n", own},
        {"[WINDOW]\nGammaEffect=x\n", own},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file ? c.file : "(no file)");
        QFile::remove(QStringLiteral("skincolors.ini"));
        if (c.file)
            writeSettings(c.file);
        ASSERT_EQ(InitQivSkinLib(), 1);
        QWidget w;
        w.setWindowTitle(QStringLiteral("T"));
        w.resize(390, 100);
        ASSERT_EQ(SetQivSkinTo(&w, 0), 1);
        ASSERT_EQ(w.width(), 400);
        EXPECT_EQ(w.grab().toImage().pixelColor(x, y), c.expected);
        ReleaseQivSkinFrom(&w);
        ASSERT_EQ(ExitQivSkinLib(), 1);
    }
}

// --- skinning and releasing -------------------------------------------------------------------

TEST_F(SkinTest, SkinningIsRefusedBeforeStartTwiceAndForNonWindows) {
    Host host;
    EXPECT_EQ(SetQivSkinTo(host.window.get(), 0), 0);
    EXPECT_EQ(SetSkin(host.window.get()), 0);
    EXPECT_EQ(ExitQivSkinLib(), 0);
    ASSERT_EQ(InitQivSkinLib(), 1);
    EXPECT_EQ(SetQivSkinTo(nullptr, 0), 0);
    EXPECT_EQ(SetQivSkinTo(host.button, 0), 0);
    EXPECT_EQ(SetQivSkinTo(host.window.get(), 0), 1);
    EXPECT_EQ(SetQivSkinTo(host.window.get(), 0), 0);
    EXPECT_EQ(SetSkin(host.window.get()), 0);
    EXPECT_EQ(GetQivSkinWindowCount(), 1);
    EXPECT_EQ(ReleaseQivSkinFrom(host.window.get()), 1);
    EXPECT_EQ(ReleaseQivSkinFrom(host.window.get()), 0);
    EXPECT_EQ(GetQivSkinWindowCount(), 0);
}

TEST_F(SkinTest, TwoStartsNeedTwoEnds) {
    ASSERT_EQ(InitQivSkinLib(), 1);
    ASSERT_EQ(InitQivSkinLib(), 1);
    Host host;
    host.window->show();
    ASSERT_EQ(SetQivSkinTo(host.window.get(), 0), 1);
    EXPECT_EQ(ExitQivSkinLib(), 1);
    EXPECT_EQ(IsQivSkinned(host.window.get()), 1);
    QivRect m{};
    EXPECT_EQ(GetSkinMargins(&m), 1);
    EXPECT_EQ(m.top, 28);
    // the last end releases what is left: moved away and hidden
    EXPECT_EQ(ExitQivSkinLib(), 1);
    EXPECT_EQ(IsQivSkinned(host.window.get()), 0);
    EXPECT_FALSE(host.window->isVisible());
    EXPECT_EQ(host.window->pos(), QPoint(-1000, -1000));
    EXPECT_EQ(GetSkinMargins(&m), 0);
    EXPECT_EQ(ExitQivSkinLib(), 0);
}

TEST_F(SkinTest, ModesSetTheFrameTheSizeAndTheCaptionButtons) {
    ASSERT_EQ(InitQivSkinLib(), 1);
    struct Case {
        int mode;
        QSize outer;
        QSize client;
        bool maximizes; // the maximize button is there and enabled
    };
    const std::vector<Case> cases = {
        {0, {310, 233}, {300, 200}, true},   {16, {300, 200}, {290, 167}, true},
        {1, {300, 200}, {300, 200}, false},  {2, {310, 233}, {300, 200}, false},
        {9, {310, 233}, {300, 200}, false},  {11, {310, 233}, {300, 200}, true},
        {12, {310, 233}, {300, 200}, false}, {32, {310, 233}, {300, 200}, true},
        {48, {300, 200}, {290, 167}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        QWidget w;
        w.resize(300, 200);
        ASSERT_EQ(SetQivSkinTo(&w, c.mode), 1);
        EXPECT_EQ(w.size(), c.outer);
        QivRect r{};
        ASSERT_EQ(GetSkinClientRect(&w, &r), 1);
        EXPECT_EQ(QSize(r.right - r.left, r.bottom - r.top), c.client);
        EXPECT_TRUE(w.windowFlags() & Qt::FramelessWindowHint);
        w.show();
        clickAt(&w, maximizeButton(&w));
        EXPECT_EQ(w.isMaximized(), c.maximizes);
        ReleaseQivSkinFrom(&w);
    }
}

TEST_F(SkinTest, ReleaseGivesBackTheFormerLookAndBehaviour) {
    ASSERT_EQ(InitQivSkinLib(), 1);
    Host host;
    QWidget* w = host.window.get();
    w->setMinimumSize(50, 40);
    const Qt::WindowFlags flags = w->windowFlags();
    const QMargins contents = w->contentsMargins();
    const QPalette editPalette = host.edit->palette();
    const QSize editSize = host.edit->size();
    const QPoint buttonPos = host.button->pos();

    ASSERT_EQ(SetQivSkinTo(w, 0), 1);
    EXPECT_TRUE(w->property("!SkinSD").isValid());
    EXPECT_TRUE(host.button->property("!oldp").isValid());
    EXPECT_TRUE(host.edit->property("!oldp").isValid());
    EXPECT_EQ(state(host.button), 1);
    EXPECT_EQ(host.button->pos(), buttonPos + QPoint(5, 28)); // inside the client area
    const int textHeight =
        host.edit->fontMetrics().size(Qt::TextSingleLine, QStringLiteral("jÉ3M")).height();
    EXPECT_EQ(host.edit->size(), QSize(120, textHeight + 4));
    EXPECT_EQ(host.framed->height(), 24); // an edit with its own border keeps its size

    ASSERT_EQ(ReleaseQivSkinFrom(w), 1);
    EXPECT_EQ(w->windowFlags(), flags);
    EXPECT_EQ(w->contentsMargins(), contents);
    EXPECT_EQ(w->minimumSize(), QSize(50, 40));
    EXPECT_FALSE(w->testAttribute(Qt::WA_SetPalette));
    EXPECT_FALSE(w->property("!SkinSD").isValid());
    EXPECT_FALSE(host.button->property("!oldp").isValid());
    EXPECT_FALSE(host.button->property("!bsstatus").isValid());
    EXPECT_FALSE(host.edit->property("!oldp").isValid());
    EXPECT_FALSE(host.edit->testAttribute(Qt::WA_SetPalette));
    EXPECT_EQ(host.edit->palette(), editPalette);
    EXPECT_EQ(host.edit->size(), editSize);
    EXPECT_EQ(host.button->pos(), buttonPos);
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(w->pos(), QPoint(-1000, -1000));
    // the button is driven by its own code again
    QTest::mousePress(host.button, Qt::LeftButton);
    EXPECT_TRUE(host.button->isDown());
    QTest::mouseRelease(host.button, Qt::LeftButton);
}

TEST_F(SkinTest, ActivationSendsTheButtonsMessageToTheWindow) {
    struct Window : QWidget {
        std::vector<unsigned> messages;
        bool event(QEvent* e) override {
            if (e->type() == GetQivSkinMessageEventType())
                messages.push_back(static_cast<QivSkinMessageEvent*>(e)->message());
            return QWidget::event(e);
        }
    } w;
    ASSERT_EQ(InitQivSkinLib(), 1);
    ASSERT_EQ(SetQivSkinTo(&w, 0), 1);
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(&w, &activate);
    ASSERT_EQ(w.messages.size(), 1u);
    EXPECT_EQ(w.messages[0], RegisterQivSkinMessage("WM_SETFBUTTONS"));
    EXPECT_NE(w.messages[0], 0u);
}

// --- push buttons -----------------------------------------------------------------------------

TEST_F(SkinTest, PushButtonClicksOnceOnReleaseOverItWhereThePressBegan) {
    ASSERT_EQ(InitQivSkinLib(), 1);
    struct Step {
        QEvent::Type type;
        bool inside;
        int stateAfter;
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
        int clicks;
    };
    const auto press = QEvent::MouseButtonPress, release = QEvent::MouseButtonRelease,
               move = QEvent::MouseMove, dbl = QEvent::MouseButtonDblClick;
    const std::vector<Case> cases = {
        {"press and release on it", {{press, true, 10}, {release, true, 4}}, 1},
        {"released outside", {{press, true, 10}, {release, false, 1}}, 0},
        {"out and back",
         {{press, true, 10}, {move, false, 9}, {move, true, 10}, {release, true, 4}},
         1},
        {"moved out and released outside",
         {{press, true, 10}, {move, false, 9}, {release, false, 1}},
         0},
        {"double click",
         {{press, true, 10}, {release, true, 4}, {dbl, true, 4}, {release, true, 4}},
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Host host;
        ASSERT_EQ(SetQivSkinTo(host.window.get(), 0), 1);
        QSignalSpy clicked(host.button, &QPushButton::clicked);
        for (const Step& s : c.steps) {
            const QPoint pos = s.inside ? QPoint(5, 5) : QPoint(-20, 5);
            const bool held = s.type == press || s.type == dbl || s.type == move;
            sendMouse(host.button, s.type, pos, s.type == move ? Qt::NoButton : Qt::LeftButton,
                      held ? Qt::LeftButton : Qt::NoButton);
            EXPECT_EQ(state(host.button), s.stateAfter);
        }
        EXPECT_EQ(clicked.count(), c.clicks);
    }
}

TEST_F(SkinTest, SpaceClicksAndEscapeCancelsAFocusedButton) {
    ASSERT_EQ(InitQivSkinLib(), 1);
    Host host;
    ASSERT_EQ(SetQivSkinTo(host.window.get(), 0), 1);
    host.window->show();
    host.button->setFocus();
    QSignalSpy clicked(host.button, &QPushButton::clicked);

    QTest::keyPress(host.button, Qt::Key_Space);
    EXPECT_EQ(state(host.button), 2);
    QTest::keyRelease(host.button, Qt::Key_Space);
    EXPECT_EQ(state(host.button), 1);
    EXPECT_EQ(clicked.count(), 1);

    QTest::keyPress(host.button, Qt::Key_Space);
    QTest::keyClick(host.button, Qt::Key_Escape);
    EXPECT_EQ(state(host.button), 12);
    QTest::keyRelease(host.button, Qt::Key_Space);
    EXPECT_EQ(clicked.count(), 1);
}

TEST_F(SkinTest, DefaultButtonIsPaintedInSemiBold) {
    ASSERT_EQ(InitQivSkinLib(), 1);
    Host host;
    host.button->setText(QStringLiteral("MMMMMMMM"));
    ASSERT_EQ(SetQivSkinTo(host.window.get(), 0), 1);
    const QImage plain = host.button->grab().toImage();
    host.button->setDefault(true);
    const QImage bold = host.button->grab().toImage();
    EXPECT_NE(plain, bold);
    // the face is the button colour of the settings, the edges light and dark
    EXPECT_EQ(plain.pixelColor(plain.width() / 2, 2), QColor(255, 255, 203));
    EXPECT_EQ(plain.pixelColor(plain.width() / 2, 0), QColor(218, 218, 168));
    EXPECT_EQ(plain.pixelColor(plain.width() / 2, plain.height() - 1), QColor(0, 0, 0));
}

// --- caption buttons, moving and resizing -----------------------------------------------------

TEST_F(SkinTest, CloseButtonClosesOnlyWhenReleasedOverIt) {
    ASSERT_EQ(InitQivSkinLib(), 1);
    {
        Host host;
        QWidget* w = host.window.get();
        ASSERT_EQ(SetQivSkinTo(w, 0), 1);
        w->show();
        clickAt(w, closeButton(w));
        QCoreApplication::processEvents();
        EXPECT_FALSE(w->isVisible());
    }
    {
        Host host;
        QWidget* w = host.window.get();
        ASSERT_EQ(SetQivSkinTo(w, 0), 1);
        w->show();
        const QImage normal = w->grab(closeRect(w)).toImage();
        sendMouse(w, QEvent::MouseMove, closeButton(w), Qt::NoButton, Qt::NoButton);
        EXPECT_NE(w->grab(closeRect(w)).toImage(), normal); // under the mouse
        sendMouse(w, QEvent::MouseButtonPress, closeButton(w), Qt::LeftButton, Qt::LeftButton);
        const QPoint away(40, 100);
        sendMouse(w, QEvent::MouseMove, away, Qt::NoButton, Qt::LeftButton);
        sendMouse(w, QEvent::MouseButtonRelease, away, Qt::LeftButton, Qt::NoButton);
        QCoreApplication::processEvents();
        EXPECT_TRUE(w->isVisible());
        EXPECT_EQ(w->grab(closeRect(w)).toImage(), normal);
    }
}

TEST_F(SkinTest, CaptionButtonShowsItsTooltip) {
    ASSERT_EQ(InitQivSkinLib(), 1);
    Host host;
    QWidget* w = host.window.get();
    ASSERT_EQ(SetQivSkinTo(w, 0), 1);
    w->show();
    sendMouse(w, QEvent::MouseMove, closeButton(w), Qt::NoButton, Qt::NoButton);
    auto tooltip = [] {
        for (QWidget* t : QApplication::topLevelWidgets())
            if (t->objectName() == QLatin1String("STOOLTIP") && t->isVisible())
                return qobject_cast<QLabel*>(t);
        return static_cast<QLabel*>(nullptr);
    };
    QTRY_VERIFY_WITH_TIMEOUT(tooltip() != nullptr, 4000);
    EXPECT_EQ(tooltip()->text(), QStringLiteral("Închide"));
    // pressing the button takes the tooltip away
    sendMouse(w, QEvent::MouseButtonPress, closeButton(w), Qt::LeftButton, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(tooltip(), nullptr);
    sendMouse(w, QEvent::MouseButtonRelease, QPoint(40, 100), Qt::LeftButton, Qt::NoButton);
}

TEST_F(SkinTest, FrameMovesAndResizesTheWindow) {
    ASSERT_EQ(InitQivSkinLib(), 1);
    struct Case {
        const char* name;
        QPoint from; // from the bottom-right corner when negative
        QRect expected;
    };
    const std::vector<Case> cases = {
        {"caption", {60, 14}, {130, 120, 310, 233}},
        {"bottom-right corner", {-2, -2}, {100, 100, 340, 253}},
        {"left border", {2, 100}, {130, 100, 280, 233}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QWidget w;
        w.resize(300, 200);
        ASSERT_EQ(SetQivSkinTo(&w, 0), 1);
        w.move(100, 100);
        w.show();
        const QPoint from = c.from.x() < 0 ? QPoint(w.width(), w.height()) + c.from : c.from;
        sendMouse(&w, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
        sendMouse(&w, QEvent::MouseMove, from + QPoint(30, 20), Qt::NoButton, Qt::LeftButton);
        sendMouse(&w, QEvent::MouseButtonRelease, from + QPoint(30, 20), Qt::LeftButton,
                  Qt::NoButton);
        EXPECT_EQ(w.geometry(), c.expected);
        ReleaseQivSkinFrom(&w);
    }
}

TEST_F(SkinTest, MaximizeFillsTheWorkspaceWhenThereIsOne) {
    ASSERT_EQ(InitQivSkinLib(), 1);
    QWidget workspace;
    workspace.setWindowTitle(QStringLiteral("QivWorkSpace"));
    workspace.setGeometry(100, 80, 600, 400);
    workspace.show();
    struct Case {
        const char* name;
        bool master;
        QRect expected;
    };
    const std::vector<Case> cases = {
        // found by its title, not skinned: its whole area
        {"by title", false, {100, 80, 600, 400}},
        // skinned as the master window: its client area inside the margins
        {"master", true, {105, 108, 590, 367}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.master) {
            ASSERT_EQ(SetMasterQivSkinTo(&workspace), 1);
        }
        QWidget w;
        w.resize(300, 200);
        ASSERT_EQ(SetQivSkinTo(&w, 0), 1);
        w.move(150, 150);
        w.show();
        const QRect normal = w.geometry();
        clickAt(&w, maximizeButton(&w));
        EXPECT_EQ(w.geometry(), c.expected);
        clickAt(&w, maximizeButton(&w));
        EXPECT_EQ(w.geometry(), normal);
        ReleaseQivSkinFrom(&w);
    }
}

TEST_F(SkinTest, WithoutWorkspaceMaximizeIsLeftToTheWindow) {
    ASSERT_EQ(InitQivSkinLib(), 1);
    QWidget w;
    w.resize(300, 200);
    ASSERT_EQ(SetQivSkinTo(&w, 0), 1);
    w.show();
    clickAt(&w, maximizeButton(&w));
    EXPECT_TRUE(w.isMaximized());
    clickAt(&w, maximizeButton(&w));
    EXPECT_FALSE(w.isMaximized());
}

TEST_F(SkinTest, MinimizeInsideTheWorkspaceHidesTheWindowAndItsPopups) {
    ASSERT_EQ(InitQivSkinLib(), 1);
    QWidget workspace;
    workspace.setGeometry(0, 0, 600, 400);
    ASSERT_EQ(SetMasterQivSkinTo(&workspace), 1);
    workspace.show();
    QWidget w;
    w.resize(300, 200);
    ASSERT_EQ(SetQivSkinTo(&w, 0), 1);
    QWidget popup(&w, Qt::Tool);
    w.show();
    popup.show();
    clickAt(&w, QPoint(w.width() - 38 - 7, 13));
    EXPECT_FALSE(w.isVisible());
    EXPECT_FALSE(popup.isVisible());
    EXPECT_TRUE(workspace.isVisible());
    EXPECT_FALSE(w.isMinimized());
}

// --- exported helpers -------------------------------------------------------------------------

TEST_F(SkinTest, PaintBitmapByMode) {
    QImage bitmap(4, 3, QImage::Format_ARGB32);
    bitmap.fill(Qt::red);
    struct Case {
        int mode;
        QRect rect;          // left, top, right, bottom given to the call
        QList<QPoint> red;   // painted
        QList<QPoint> white; // left alone
    };
    const std::vector<Case> cases = {
        {0, {5, 5, 10, 10}, {{0, 0}, {3, 2}}, {{4, 0}, {5, 5}}},
        {1, {0, 0, 9, 4}, {{0, 0}, {11, 5}}, {{12, 0}, {0, 6}}}, // 3 columns, 2 rows
        {2, {0, 0, 20, 10}, {{8, 4}, {11, 6}}, {{7, 4}, {8, 3}}},
        {3, {6, 7, 10, 10}, {{6, 7}, {9, 9}}, {{5, 7}, {10, 9}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        QImage canvas(24, 16, QImage::Format_ARGB32);
        canvas.fill(Qt::white);
        QPainter p(&canvas);
        const QRect& r = c.rect;
        ASSERT_EQ(PaintQivBmpToHDC(&p, c.mode, r.left(), r.top(), r.left() + r.width(),
                                   r.top() + r.height(), &bitmap, nullptr),
                  1);
        p.end();
        for (const QPoint& at : c.red)
            EXPECT_EQ(canvas.pixelColor(at), QColor(Qt::red)) << at.x() << "," << at.y();
        for (const QPoint& at : c.white)
            EXPECT_EQ(canvas.pixelColor(at), QColor(Qt::white)) << at.x() << "," << at.y();
    }
    // an indexed bitmap is drawn through the palette it is given
    QImage indexed(2, 2, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(0, 0, 255)});
    indexed.fill(0);
    const QList<QRgb> green = {qRgb(0, 255, 0)};
    QImage canvas(4, 4, QImage::Format_ARGB32);
    QPainter p(&canvas);
    EXPECT_EQ(PaintQivBmpToHDC(&p, 0, 0, 0, 4, 4, &indexed, &green), 1);
    EXPECT_EQ(PaintQivBmpToHDC(&p, 9, 0, 0, 4, 4, &indexed, &green), 0);
    EXPECT_EQ(PaintQivBmpToHDC(&p, 0, 0, 0, 4, 4, nullptr, nullptr), 0);
    p.end();
    EXPECT_EQ(canvas.pixelColor(1, 1), QColor(0, 255, 0));
}

TEST_F(SkinTest, ZOrderMessages) {
    ASSERT_EQ(InitQivSkinLib(), 1);
    struct Window : QWidget {
        using QWidget::QWidget;
        std::vector<unsigned> messages;
        bool event(QEvent* e) override {
            if (e->type() == GetQivSkinMessageEventType())
                messages.push_back(static_cast<QivSkinMessageEvent*>(e)->message());
            return QWidget::event(e);
        }
    };
    Window owner;
    Window below(&owner, Qt::Window), plain(&owner, Qt::Window), top(&owner, Qt::Window);
    ASSERT_EQ(SetQivSkinTo(&below, 0), 1);
    ASSERT_EQ(SetQivSkinTo(&top, 0), 1);
    // type 1: the skinned owned windows, topmost first, up to the stop window
    EXPECT_EQ(SendZOrderMessage(&owner, &top, 1, 0x400, 1, 2), 1);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(top.messages, std::vector<unsigned>{0x400});
    EXPECT_TRUE(below.messages.empty());
    EXPECT_TRUE(plain.messages.empty());
    EXPECT_EQ(SendZOrderMessage(&owner, nullptr, 1, 0x401, 0, 0), 1);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(below.messages, std::vector<unsigned>{0x401});
    EXPECT_TRUE(plain.messages.empty());
    // type 2 with the show message: the window and its owners up to the stop window
    owner.show();
    top.show();
    EXPECT_EQ(SendZOrderMessage(&top, nullptr, 2, QivMsgShowWindow, 0, 0), 1);
    EXPECT_FALSE(top.isVisible());
    EXPECT_FALSE(owner.isVisible());
    EXPECT_EQ(SendZOrderMessage(&top, &owner, 2, QivMsgShowWindow, 1, 0), 1);
    EXPECT_FALSE(owner.isVisible());
    EXPECT_EQ(SendZOrderMessage(&top, nullptr, 3, 0, 0, 0), 0);
}

TEST_F(SkinTest, EditColoursFollowTheirState) {
    ASSERT_EQ(InitQivSkinLib(), 1);
    struct Case {
        const char* name;
        bool readOnly;
        bool enabled;
        QPalette::ColorGroup group;
        QColor text;
    };
    const std::vector<Case> cases = {
        {"normal", false, true, QPalette::Active, QColor(20, 20, 30)},
        {"read-only", true, true, QPalette::Active, QColor(140, 140, 140)},
        {"disabled", false, false, QPalette::Disabled, QColor(180, 180, 180)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Host host;
        host.edit->setReadOnly(c.readOnly);
        host.edit->setEnabled(c.enabled);
        ASSERT_EQ(SetQivSkinTo(host.window.get(), 0), 1);
        EXPECT_EQ(host.edit->palette().color(c.group, QPalette::Text), c.text);
        EXPECT_EQ(host.edit->palette().color(c.group, QPalette::Base), QColor(255, 255, 203));
        // the underline is drawn at the bottom, the upper sides in the window colour
        const QImage image = host.edit->grab().toImage();
        EXPECT_EQ(image.pixelColor(0, 0), QColor(255, 255, 203));
        const QColor line = image.pixelColor(image.width() / 2, image.height() - 1);
        EXPECT_EQ(line, c.enabled ? (c.readOnly ? QColor(140, 140, 140) : QColor(20, 20, 30))
                                  : QColor(180, 180, 180));
    }
}
