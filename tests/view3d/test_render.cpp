// What the 3D window puts on the screen, rendered by the real GL stack (xcb only: a shown GL
// surface is not supported on the offscreen platform).
#include "View3DFixture.h"

#include "view3d/Surface3D.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

bool HasGL()
{
    return QGuiApplication::platformName() == u"xcb";
}

QImage Frame(frm3D& w)
{
    return w.Surface()->grabFramebuffer().convertToFormat(QImage::Format_RGB32);
}

// Pixels of each hue family: black, shades with red = green < blue (the blue part and its
// lighter end discs), mostly red, mostly green, anything else.
struct Census
{
    int black = 0, blue = 0, red = 0, green = 0, other = 0;
};

Census Count(const QImage& image)
{
    Census c;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            const int r = qRed(p), g = qGreen(p), b = qBlue(p);
            if (r == 0 && g == 0 && b == 0)
                ++c.black;
            else if (r == g && b > r)
                ++c.blue;
            else if (r > 2 * (g + b))
                ++c.red;
            else if (g > 2 * (r + b))
                ++c.green;
            else
                ++c.other;
        }
    return c;
}

} // namespace

class Render : public View3DWithRun
{
protected:
    void SetUp() override
    {
        if (!HasGL())
            GTEST_SKIP() << "needs a GL surface on xcb";
        View3DWithRun::SetUp();
        Start(Turning);
        window->mnuRunStart_Click();
        w = &Open3D();
        ASSERT_TRUE(w->HasContext());
    }

    frm3D* w = nullptr;
};

TEST_F(Render, AfterARunThePartShowsInWorkpieceShadesOnBlack)
{
    ASSERT_EQ(settings.WorkPieceColor, platform::WinRgb(0, 0, 255));
    const QImage image = Frame(*w);
    EXPECT_EQ(image.size(), w->size() * w->devicePixelRatioF());
    const Census c = Count(image);
    EXPECT_GT(c.blue, image.width() * image.height() / 50);
    EXPECT_GT(c.black, image.width() * image.height() / 2);
    EXPECT_EQ(c.red + c.green + c.other, 0);
    for (QPoint corner : {QPoint(0, 0), QPoint(image.width() - 1, image.height() - 1)})
        EXPECT_EQ(image.pixel(corner), qRgb(0, 0, 0));
    // Lit: the shades vary over the surface of the solid.
    QSet<int> shades;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qBlue(image.pixel(x, y)) > 0)
                shades.insert(qBlue(image.pixel(x, y)));
    EXPECT_GT(shades.size(), 5);
}

TEST_F(Render, RotationKeysChangeThePictureAndXAddsColouredRods)
{
    const QImage before = Frame(*w);
    QTest::keyClick(w, Qt::Key_2, Qt::KeypadModifier);
    const QImage turned = Frame(*w);
    EXPECT_NE(turned, before);
    QTest::keyClick(w, Qt::Key_0, Qt::KeypadModifier);
    EXPECT_EQ(Frame(*w), before);

    QTest::keyClick(w, Qt::Key_X);
    const Census axes = Count(Frame(*w));
    EXPECT_GT(axes.red, 20);
    EXPECT_GT(axes.green, 20);
    EXPECT_EQ(axes.other, 0);
    // Blue rod along z: more blue pixels than the part alone.
    EXPECT_GT(axes.blue, Count(before).blue);
}

TEST_F(Render, ZoomingPastZeroGoesOnWithoutFailing)
{
    const int frames = w->FramesDrawn();
    for (int k = 0; k < 30; ++k)
        QTest::keyClick(w, Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(w->FieldOfView, 0);
    EXPECT_EQ(w->FramesDrawn(), frames + 30);
    (void)Frame(*w);
    QTest::keyClick(w, Qt::Key_Plus, Qt::KeypadModifier);
    (void)Frame(*w);
    for (int k = 0; k < 31; ++k)
        QTest::keyClick(w, Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_EQ(w->FieldOfView, 30);
    EXPECT_GT(Count(Frame(*w)).blue, 100);
}

// A key's frame is on the screen when the key's handler ends, before the event loop runs.
TEST_F(Render, AFrameIsPresentedAtOnce)
{
    QTest::keyClick(w, Qt::Key_3, Qt::KeypadModifier);
    const QImage screen = QGuiApplication::primaryScreen()->grabWindow(w->winId()).toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(screen, Frame(*w));
}

// Every resize renders the surface anew; a window that only shrank also draws a frame of its
// own at once, while one that grew is shown by the toolkit's following paint.
TEST_F(Render, ShrinkingDrawsAFrameAtOnceGrowingLeavesItToThePaint)
{
    const QSize size = w->size();
    int frames = w->FramesDrawn();
    w->resize(size - QSize(40, 30));
    const int shrinking = w->FramesDrawn() - frames;
    Settle();
    frames = w->FramesDrawn();
    w->resize(size);
    const int growing = w->FramesDrawn() - frames;
    EXPECT_EQ(shrinking, growing + 1);
    Settle();
    EXPECT_DOUBLE_EQ(w->AspectRatio, double(size.width()) / size.height());
    const QImage screen = QGuiApplication::primaryScreen()->grabWindow(w->winId()).toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(screen, Frame(*w));
}

TEST_F(Render, EachTurnOfTheSpinDrawsAFrame)
{
    const int frames = w->FramesDrawn();
    Every([&] { return w->RotY <= -12 ? (w->Form_KeyDown(117), true) : false; });
    w->Form_KeyDown(116);
    EXPECT_EQ(w->RotY, -12);
    EXPECT_GE(w->FramesDrawn(), frames + 12);
}

TEST_F(Render, EscCloses)
{
    QPointer<frm3D> closing = w;
    QTest::keyClick(w, Qt::Key_Escape);
    EXPECT_FALSE(closing->isVisible());
    Settle();
    EXPECT_FALSE(closing);
    EXPECT_EQ(window->View3D.Window(), nullptr);
}
