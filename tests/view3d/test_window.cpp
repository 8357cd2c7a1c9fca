// The 3D window's life and keys, with or without a GL context: opening through the main
// window, the message when no surface can be had, the key table, the spin loop and its
// yields, and closing in the middle of a spin.
#include "View3DFixture.h"

#include "view3d/Surface3D.h"

#include <QPointer>

// GL surfaces need a real window system: on xcb when a display is set.
const bool usesDisplay = UseDisplayPlatform();

TEST_F(Window3D, WithoutAContextItSaysSoStaysOpenAndEveryKeyWorks)
{
    WithoutContext();
    frm3D& w = Open();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "ChoosePixelFormat failed");
    EXPECT_EQ(messages[0].flags, 0);
    EXPECT_EQ(messages[0].title, platform::AppTitle); // no title of its own
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.windowTitle(), "3D");
    EXPECT_EQ(w.parentWidget(), nullptr);
    EXPECT_FALSE(w.isModal());
    EXPECT_FALSE(w.HasContext());
    EXPECT_EQ(w.Surface(), nullptr);

    for (int code : {88, 96, 97, 98, 99, 100, 101, 102, 103, 104, 105, 107, 109, 117, 13, 0})
        w.Form_KeyDown(code);
    Every([&] { return w.RotY <= -5 ? (w.Form_KeyDown(117), true) : false; });
    w.Form_KeyDown(116);
    EXPECT_EQ(w.RotY, -5);
    EXPECT_EQ(w.FramesDrawn(), 0);
    QTest::keyClick(&w, Qt::Key_Escape);
    Settle();
    EXPECT_EQ(holder->Window(), nullptr);
}

TEST_F(Window3D, KeysTurnZoomAndToggleTheAxes)
{
    frm3D& w = Open();
    const auto pad = Qt::KeypadModifier;
    struct Case
    {
        const char* what;
        std::vector<std::pair<int, Qt::KeyboardModifiers>> keys;
        double rx, ry, rz, fov;
        bool axes;
    } cases[] = {
        {"numpad 1 three times, then 7", {{Qt::Key_1, pad}, {Qt::Key_1, pad}, {Qt::Key_1, pad}, {Qt::Key_2, pad}, {Qt::Key_7, pad}}, 0, 3, 0, 30, false},
        {"each axis both ways", {{Qt::Key_1, pad}, {Qt::Key_2, pad}, {Qt::Key_3, pad}, {Qt::Key_6, pad}, {Qt::Key_6, pad}, {Qt::Key_5, pad}}, 3, 0, -3, 30, false},
        {"numlock off: 1, 2, 3, 8", {{Qt::Key_End, pad}, {Qt::Key_Down, pad}, {Qt::Key_PageDown, pad}, {Qt::Key_Up, pad}}, 3, 0, 3, 30, false},
        {"8 and 9 reset one angle each", {{Qt::Key_2, pad}, {Qt::Key_3, pad}, {Qt::Key_1, pad}, {Qt::Key_8, pad}, {Qt::Key_9, pad}}, 3, 0, 0, 30, false},
        {"0 resets all", {{Qt::Key_1, pad}, {Qt::Key_2, pad}, {Qt::Key_3, pad}, {Qt::Key_0, pad}}, 0, 0, 0, 30, false},
        {"zoom in twice, out once", {{Qt::Key_Plus, pad}, {Qt::Key_Plus, pad}, {Qt::Key_Minus, pad}}, 0, 0, 0, 29, false},
        {"keys off the numpad do nothing", {{Qt::Key_1, {}}, {Qt::Key_Up, {}}, {Qt::Key_Plus, {}}}, 0, 0, 0, 30, false},
        {"X, shifted or not, toggles the axes", {{Qt::Key_X, {}}, {Qt::Key_X, Qt::ShiftModifier}, {Qt::Key_X, {}}}, 0, 0, 0, 30, true},
    };
    for (const Case& c : cases) {
        w.RotX = w.RotY = w.RotZ = 0;
        w.FieldOfView = 30;
        holder->kept.ShowAxes = false;
        for (const auto& [key, mods] : c.keys)
            QTest::keyClick(&w, Qt::Key(key), mods);
        EXPECT_EQ(w.RotX, c.rx) << c.what;
        EXPECT_EQ(w.RotY, c.ry) << c.what;
        EXPECT_EQ(w.RotZ, c.rz) << c.what;
        EXPECT_EQ(w.FieldOfView, c.fov) << c.what;
        EXPECT_EQ(holder->kept.ShowAxes, c.axes) << c.what;
        // The scene follows the angles and the axes.
        EXPECT_EQ(w.Scene().size(), c.axes ? 22u : 12u) << c.what;
    }
}

TEST_F(Window3D, HeightZeroKeepsTheAspectOfWidthOverOne)
{
    frm3D& w = Open();
    w.OnSize(300, 0);
    EXPECT_EQ(w.AspectRatio, 300.0);
    w.OnSize(300, 200);
    EXPECT_EQ(w.AspectRatio, 1.5);
}

TEST_F(Window3D, ReopeningResetsAnglesZoomAndColourButKeepsTheAxes)
{
    frm3D* w = &Open();
    w->Form_KeyDown(88);
    w->Form_KeyDown(97);
    w->Form_KeyDown(107);
    w->Form_KeyDown(27);
    Settle();
    EXPECT_EQ(holder->Window(), nullptr);
    settings.WorkPieceColor = platform::WinRgb(255, 0, 0);
    w = &Open();
    EXPECT_EQ(w->RotX, 0);
    EXPECT_EQ(w->FieldOfView, 30);
    EXPECT_EQ(w->PartRed, 1.0);
    EXPECT_EQ(w->PartBlue, 0.0);
    EXPECT_TRUE(holder->kept.ShowAxes);
    w->Form_KeyDown(96); // without a context the scene is built by the first key
    EXPECT_EQ(w->Scene().size(), 22u);
    EXPECT_FALSE(holder->kept.AutoRotate);
}

// Opening before any run: an empty scene, and every key works.
TEST_F(Window3D, OpensBeforeAnyRun)
{
    state.WorkPieceProfile.clear();
    frm3D& w = Open();
    for (int code : {88, 96, 97, 98, 99, 100, 101, 102, 103, 104, 105, 107, 109})
        w.Form_KeyDown(code);
    Every([&] { return w.RotY <= -3 ? (w.Form_KeyDown(117), true) : false; });
    w.Form_KeyDown(116);
    EXPECT_EQ(w.Scene().size(), 13u); // the axes and the rotations
    w.Form_KeyDown(27);
}

TEST_F(Window3D, SecondF5NestsASpinAndOneF6EndsBoth)
{
    frm3D& w = Open();
    int deepest = 0;
    Every([&] {
        deepest = std::max(deepest, w.SpinDepth());
        if (w.SpinDepth() == 1 && w.RotY > -10)
            return false;
        if (w.SpinDepth() == 1) {
            QTest::keyClick(&w, Qt::Key_F5); // the nested loop runs inside this handler
            return true;
        }
        return false;
    });
    Every([&] {
        deepest = std::max(deepest, w.SpinDepth());
        if (w.RotY > -20)
            return false;
        QTest::keyClick(&w, Qt::Key_F6);
        return true;
    });
    QTest::keyClick(&w, Qt::Key_F5);
    EXPECT_EQ(deepest, 2);
    EXPECT_EQ(w.SpinDepth(), 0);
    EXPECT_FALSE(holder->kept.AutoRotate);
    EXPECT_LE(w.RotY, -20);
    EXPECT_GT(w.RotY, -25);
}

// F5 held down: the key repeats for as long as it is held, each press arriving inside the
// innermost spin loop's yield.
TEST_F(Window3D, HeldF5NestsNoDeeperThanTheBoundAndOneF6EndsEveryLoop)
{
    frm3D& w = Open();
    int deepest = 0;
    int presses = 0;
    // Watches every key on its way to the window; past the bound it swallows the rest of the
    // F5s, so that a fault shows as a failure rather than as a blown stack.
    KeyWatch watch([&](int key) {
        deepest = std::max(deepest, w.SpinDepth());
        return key == Qt::Key_F5 && deepest > frm3D::MaxSpinDepth;
    });
    w.installEventFilter(&watch);
    const int framesBefore = w.FramesDrawn();
    int turns = 0;
    Every([&] {
        ++turns;
        if (presses < 3000) {
            for (int k = 0; k < 20; ++k, ++presses)
                PostKey(&w, Qt::Key_F5);
            return false;
        }
        PostKey(&w, Qt::Key_F6);
        return true;
    });
    QTest::keyClick(&w, Qt::Key_F5);
    EXPECT_EQ(presses, 3000);
    EXPECT_LE(deepest, frm3D::MaxSpinDepth);
    EXPECT_EQ(deepest, frm3D::MaxSpinDepth); // below the bound F5 nests as before
    EXPECT_EQ(w.SpinDepth(), 0);
    EXPECT_FALSE(holder->kept.AutoRotate);
    // The part went on turning a degree a frame while the key was held.
    EXPECT_LE(w.RotY, -turns);
    EXPECT_GE(w.FramesDrawn() - framesBefore, -w.RotY);
    // The window answers as before once the spin has ended.
    w.Form_KeyDown(97);
    EXPECT_EQ(w.RotX, 3);
}

TEST_F(Window3D, ClosingDuringASpinEndsEveryLoopAtOnce)
{
    for (bool nested : {false, true}) {
        QPointer<frm3D> w = &Open();
        Every([&] {
            if (nested && w->SpinDepth() == 1) {
                w->Form_KeyDown(116);
                return true;
            }
            return !nested;
        });
        int framesAtClose = -1;
        double angleAtClose = 0;
        Every([&] {
            if (w->SpinDepth() < (nested ? 2 : 1) || w->RotY > -6)
                return false;
            QTest::keyClick(w.data(), Qt::Key_Escape);
            framesAtClose = w->FramesDrawn();
            angleAtClose = w->RotY;
            return true;
        });
        w->Form_KeyDown(116);
        // The outer loop has left; the window is still there until the event loop runs.
        ASSERT_TRUE(w);
        EXPECT_EQ(w->FramesDrawn(), framesAtClose) << nested;
        EXPECT_EQ(w->RotY, angleAtClose) << nested;
        EXPECT_FALSE(holder->kept.AutoRotate);
        EXPECT_EQ(holder->Window(), nullptr);
        Settle();
        EXPECT_FALSE(w) << nested;
    }
}

TEST_F(View3DWithRun, F12OpensOneWindowWithoutOwnerAndBringsItForward)
{
    Start(Turning);
    window->mnuRunStart_Click();
    ExpectIdle();
    ASSERT_TRUE(Cut());
    EXPECT_TRUE(window->mnuView3DWindow->isEnabled());
    frm3D& w = Open3D();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.parentWidget(), nullptr);
    EXPECT_FALSE(w.isModal());
    EXPECT_TRUE(window->isEnabled());
    w.Form_KeyDown(97);
    // The cut part: the billet's one cylinder and more.
    int cylinders = 0;
    for (const view3d::Primitive& p : w.Scene())
        cylinders += p.kind == view3d::Primitive::Kind::Cylinder;
    EXPECT_GT(cylinders, 1);
    window->mnuView3DWindow_Click();
    EXPECT_EQ(window->View3D.Window(), &w);
    EXPECT_EQ(w.RotX, 3); // brought forward, not loaded again
}

TEST_F(View3DWithRun, SpinStartedDuringARunHoldsTheRunUntilF6)
{
    Start(Turning);
    frm3D& w = Open3D();
    int yields = 0;
    bool spun = false;
    window->onYield = [&] {
        ++yields;
        if (spun || yields < 5)
            return;
        spun = true;
        const int heldAt = yields;
        const int line = state.CurrentLine;
        Every([&, heldAt, line] {
            if (w.RotY > -15)
                return false;
            EXPECT_EQ(yields, heldAt);
            EXPECT_EQ(state.CurrentLine, line);
            w.Form_KeyDown(117);
            return true;
        });
        w.Form_KeyDown(116);
    };
    window->mnuRunStart_Click();
    EXPECT_TRUE(spun);
    ExpectIdle();
    EXPECT_TRUE(Cut());
}

TEST_F(View3DWithRun, RunStartedDuringASpinHoldsTheSpinUntilItEnds)
{
    Start(Turning);
    frm3D& w = Open3D();
    bool ran = false;
    Every([&] {
        if (w.RotY > -3)
            return false;
        const double angle = w.RotY;
        window->mnuRunStart_Click();
        ran = true;
        EXPECT_EQ(w.RotY, angle);
        EXPECT_TRUE(Cut());
        w.Form_KeyDown(117);
        return true;
    });
    w.Form_KeyDown(116);
    EXPECT_TRUE(ran);
    ExpectIdle();
}

// Loops at the bound, then a run started inside the innermost one holds them all; an F5 pressed
// during the run, going or paused, still sets the part turning, and holds the run in turn
// until F6.
TEST_F(View3DWithRun, AtTheBoundF5StillTurnsASpinThatARunHolds)
{
    for (bool paused : {false, true}) {
        Start(Turning);
        frm3D& w = Open3D();
        // The keys go to the 3D window as the user's would, not to the main window's Start.
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
        window->realWait = true;
        bool pressed = false;
        int turnedWhileHeld = 0;
        int deepest = 0;
        const auto pressF5 = [&] {
            if (pressed)
                return;
            pressed = true;
            const double heldAt = w.RotY;
            int turns = 0;
            Every([&, heldAt, turns]() mutable {
                deepest = std::max(deepest, w.SpinDepth());
                const bool held = Enabled("Stop"); // the run has not ended
                if (held && w.RotY > heldAt - 10 && ++turns < 500)
                    return false;
                if (held)
                    turnedWhileHeld = int(heldAt - w.RotY);
                PostKey(&w, Qt::Key_F6);
                if (paused)
                    window->mnuRunStart_Click(); // resumes
                return true;
            });
            PostKey(&w, Qt::Key_F5); // arrives inside the run's own yield or pause wait
        };
        window->onYield = [&] {
            if (!paused) {
                pressF5();
                return;
            }
            window->onYield = nullptr;
            window->mnuRunPause_Click();
        };
        window->onWait = pressF5;
        bool ran = false;
        Every([&] {
            if (w.SpinDepth() < frm3D::MaxSpinDepth) {
                PostKey(&w, Qt::Key_F5);
                return false;
            }
            // A run started here holds every loop.
            window->mnuRunStart_Click();
            ran = true;
            EXPECT_TRUE(Cut()) << paused;
            return true;
        });
        QTest::keyClick(&w, Qt::Key_F5);
        EXPECT_TRUE(ran) << paused;
        EXPECT_TRUE(pressed) << paused;
        EXPECT_GE(turnedWhileHeld, 10) << paused;
        EXPECT_EQ(deepest, frm3D::MaxSpinDepth + 1) << paused;
        EXPECT_EQ(w.SpinDepth(), 0) << paused;
        EXPECT_FALSE(window->View3D.kept.AutoRotate) << paused;
        ExpectIdle();
        Finish();
        Settle();
    }
}

TEST_F(View3DWithRun, ClosingTheWindowDuringASpinLetsTheHeldRunGoOn)
{
    Start(Turning);
    QPointer<frm3D> w = &Open3D();
    bool spun = false;
    window->onYield = [&] {
        if (spun)
            return;
        spun = true;
        Every([&] {
            if (w->RotY > -5)
                return false;
            w->close();
            return true;
        });
        w->Form_KeyDown(116);
    };
    window->mnuRunStart_Click();
    EXPECT_TRUE(spun);
    ExpectIdle();
    EXPECT_TRUE(Cut());
    Settle();
    EXPECT_FALSE(w);
    EXPECT_EQ(window->View3D.Window(), nullptr);
}

TEST_F(View3DWithRun, ClosingTheMainWindowDuringASpinEndsIt)
{
    Start(Turning);
    QPointer<frm3D> w = &Open3D();
    MessageBoxRecorder answer(platform::vbNo); // unsaved changes: do not save
    Every([&] {
        if (w->RotY > -3)
            return false;
        window->close();
        return true;
    });
    w->Form_KeyDown(116);
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(window->View3D.kept.AutoRotate);
    EXPECT_EQ(window->View3D.Window(), nullptr);
    Settle();
    EXPECT_FALSE(w);
}
