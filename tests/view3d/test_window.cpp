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
    for (const Primitive& p : w.Scene())
        cylinders += p.kind == Primitive::Kind::Cylinder;
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
