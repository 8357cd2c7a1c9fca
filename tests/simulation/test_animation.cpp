#include "GraphicsFixture.h"

#include "platform/AppPaths.h"
#include "platform/gui/Sound.h"

namespace {

// Feed or rapid points Z = -k, X = 0: point k, once drawn, leaves radius 0 at profile index k.
std::vector<ToolPathPoint> pointsAlongTheBillet(int count)
{
    std::vector<ToolPathPoint> path;
    for (int k = 0; k < count; ++k)
        path.push_back({-double(k), 0.0});
    return path;
}

class SoundRecorder
{
public:
    QStringList played;

private:
    const platform::ScopedHook<platform::SoundHook> hook_{platform::SetSoundHook, [this](const QString& f) { played << f; }};
};

} // namespace

class AnimationTest : public GraphicsTest
{
protected:
    AnimationTest()
    {
        picture(60, 31);
        g.LoadTool(smallTool(), 4, 3);
        g.DrawBillet(40, 10);
        host.log.clear();
    }

    std::vector<int> drawnIndices() const
    {
        std::vector<int> drawn;
        for (size_t k = 0; k < state.WorkPieceProfile.size(); ++k)
            if (state.WorkPieceProfile[k].Radius == 0)
                drawn.push_back(int(k));
        return drawn;
    }

    void animate(std::vector<ToolPathPoint> path, bool rapid)
    {
        state.ToolPath = std::move(path);
        state.IsRapid = rapid;
        g.AnimateToolPath();
    }
};

TEST_F(AnimationTest, RapidMovesDrawEverySixthPointUnlessRunningToABreakpoint)
{
    struct Case { int points; bool rapid; bool toBreakpoint; std::vector<int> drawn; };
    const Case cases[] = {
        {13, true, false, {0, 6, 12}},
        {12, true, false, {0, 6}},
        {12, true, true, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}},
        {8, false, false, {0, 1, 2, 3, 4, 5, 6, 7}},
    };
    for (const Case& c : cases) {
        g.DrawBillet(40, 10);
        state.RunToBreakpoint = c.toBreakpoint;
        host.log.clear();
        animate(pointsAlongTheBillet(c.points), c.rapid);
        EXPECT_EQ(drawnIndices(), c.drawn) << c.points << (c.rapid ? " rapid" : " feed");
        if (c.toBreakpoint) {
            EXPECT_TRUE(host.log.isEmpty()) << "no sleep, refresh or yield: " << host.log.join(",").toStdString();
        }
    }
}

TEST_F(AnimationTest, SliderPacesSleepsRefreshesAndYields)
{
    struct Case { int slider; int points; bool rapid; QStringList log; std::vector<int> refreshedAt; };
    const QStringList paced = {"sleep 50", "show", "events"};
    const Case cases[] = {
        {-10, 2, false, paced + paced, {0, 1}},
        {-10, 13, true, paced + paced + paced, {0, 6, 12}},
        {0, 2, false, {"sleep 0", "show", "events", "sleep 0", "show", "events"}, {0, 1}},
        {3, 8, false, {"show", "events", "show", "events", "show", "events"}, {0, 3, 6}},
        {1, 3, false, {"show", "events", "show", "events", "show", "events"}, {0, 1, 2}},
    };
    for (const Case& c : cases) {
        host.slider = c.slider;
        host.log.clear();
        std::vector<int> refreshedAt;
        host.onDoEvents = [&] { refreshedAt.push_back(40 - g.ToolPrevX); }; // left = 40 + Z
        animate(pointsAlongTheBillet(c.points), c.rapid);
        EXPECT_EQ(host.log, c.log) << "slider " << c.slider;
        EXPECT_EQ(refreshedAt, c.refreshedAt) << "slider " << c.slider;
    }
}

TEST_F(AnimationTest, PausedRunWaitsByYieldingAndAStopEndsTheMoveUndrawn)
{
    host.buttons["Pause"] = false; // paused: Stop enabled, Pause disabled
    int waits = 0;
    host.onDoEvents = [&] {
        if (++waits == 3) {
            state.StopRequested = true;
            host.buttons["Stop"] = false;
        }
    };
    animate(pointsAlongTheBillet(5), false);
    EXPECT_EQ(host.log, QStringList({"events", "events", "events"}));
    EXPECT_TRUE(drawnIndices().empty());
    EXPECT_EQ(g.ToolPrevX, -500);
}

TEST_F(AnimationTest, ResumingEndsTheWaitAndTheMoveGoesOn)
{
    host.buttons["Pause"] = false;
    host.slider = 10;
    int waits = 0;
    host.onDoEvents = [&] {
        if (++waits == 2)
            host.buttons["Pause"] = true;
    };
    animate(pointsAlongTheBillet(4), false);
    EXPECT_EQ(drawnIndices(), std::vector<int>({0, 1, 2, 3}));
    EXPECT_EQ(host.log, QStringList({"events", "events", "show", "events"}));
}

TEST_F(AnimationTest, StopDuringAYieldEndsTheMoveAtTheNextPoint)
{
    host.slider = 1;
    host.onDoEvents = [&] { state.StopRequested = true; };
    animate(pointsAlongTheBillet(5), false);
    EXPECT_EQ(drawnIndices(), std::vector<int>({0}));
}

TEST_F(AnimationTest, PassOffsetsAreAddedAndRoundedHalfToEven)
{
    struct Case { double offX, offZ, z, x; int index; qint16 radius; };
    const Case cases[] = {
        {0.5, -0.5, -3, 2, 4, 2},   // Z -3.5 -> -4, X 2.5 -> 2
        {0.5, 0.5, -4, 1, 4, 2},    // Z -3.5 -> -4, X 1.5 -> 2
        {0.0, 0.0, -2.5, 3.5, 2, 4},
    };
    for (const Case& c : cases) {
        g.DrawBillet(40, 10);
        state.PassOffsetX = c.offX;
        state.PassOffsetZ = c.offZ;
        animate({{c.z, c.x}}, false);
        for (size_t k = 0; k < state.WorkPieceProfile.size(); ++k)
            EXPECT_EQ(state.WorkPieceProfile[k].Radius, int(k) == c.index ? c.radius : 5) << c.z << "," << c.x << " at " << k;
    }
}

TEST_F(AnimationTest, PointsOnTheSamePixelAreEachStamped)
{
    host.slider = 1;
    animate({{-5, 4}, {-5, 4}, {-5, 4}}, false);
    ASSERT_EQ(host.dirtyRects.size(), 3u);
    for (const QRect& r : host.dirtyRects)
        EXPECT_FALSE(r.isEmpty());
}

TEST_F(AnimationTest, PathsPastTheSixteenBitCounterRunToTheirEnd)
{
    std::vector<ToolPathPoint> path(40000, ToolPathPoint{-5, 8});
    path.back() = {-7, 8};
    host.slider = 10;
    animate(path, false);
    EXPECT_EQ(host.log.count("show"), 4000);
    EXPECT_EQ(g.ToolPrevX, 33); // the last point was drawn

    path[39996] = {-9, 8}; // 6666 x 6: the last rapid point that is drawn
    host.slider = 1;
    host.log.clear();
    animate(path, true);
    EXPECT_EQ(host.log.count("show"), 6667);
    EXPECT_EQ(g.ToolPrevX, 31);
}

TEST_F(AnimationTest, SoundsSwitchOncePerChangeOfMoveKindWhilePlaySoundIsChecked)
{
    SoundRecorder sounds;
    const QString fast = platform::ResolvePath(platform::AppPath() + "\\sound\\fast.wav");
    const QString slow = platform::ResolvePath(platform::AppPath() + "\\sound\\SLOW.wav");
    host.soundChecked = true;

    animate(pointsAlongTheBillet(3), false); // a feed first: nothing new to play
    EXPECT_TRUE(sounds.played.isEmpty());
    animate(pointsAlongTheBillet(13), true);
    animate(pointsAlongTheBillet(7), true);
    EXPECT_EQ(sounds.played, QStringList{fast});
    EXPECT_TRUE(g.FastSoundOn);
    animate(pointsAlongTheBillet(3), false);
    animate(pointsAlongTheBillet(3), false);
    EXPECT_EQ(sounds.played, QStringList({fast, slow}));
    EXPECT_FALSE(g.FastSoundOn);

    // Unchecked, or running to a breakpoint: no switching, the flag stays.
    host.soundChecked = false;
    animate(pointsAlongTheBillet(7), true);
    host.soundChecked = true;
    state.RunToBreakpoint = true;
    animate(pointsAlongTheBillet(7), true);
    EXPECT_EQ(sounds.played.size(), 2);
    EXPECT_FALSE(g.FastSoundOn);

    // A stop sound during a rapid leaves the flag set: the next feed plays the feed sound.
    state.RunToBreakpoint = false;
    animate(pointsAlongTheBillet(7), true);
    g.PlaySound(platform::AppPath() + "\\sound\\stop.wav");
    animate(pointsAlongTheBillet(2), false);
    ASSERT_EQ(sounds.played.size(), 5);
    EXPECT_EQ(sounds.played[2], fast);
    EXPECT_EQ(sounds.played[4], slow);
    EXPECT_TRUE(fast.endsWith("/sound/fast.wav"));
    EXPECT_TRUE(slow.endsWith("/sound/SLOW.wav"));
}
