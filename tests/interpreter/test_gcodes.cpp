#include "interpreter/GCodes.h"
#include "interpreter/ModCNC.h"

#include "FakeInterpreterHost.h"
#include "TestSupport.h"
#include "shared/SharedState.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>

namespace {

using Path = std::vector<ToolPathPoint>;

testing::AssertionResult SamePath(const Path& actual, const Path& expected)
{
    if (actual.size() != expected.size())
        return testing::AssertionFailure() << "size " << actual.size() << ", expected " << expected.size();
    for (std::size_t i = 0; i < actual.size(); ++i)
        if (actual[i].Z != expected[i].Z || actual[i].X != expected[i].X)
            return testing::AssertionFailure() << "point " << i << " is (" << actual[i].Z << ", " << actual[i].X
                                               << "), expected (" << expected[i].Z << ", " << expected[i].X << ")";
    return testing::AssertionSuccess();
}

struct Moves : ::testing::Test
{
    SharedState state;
    FakeInterpreterHost host{state};
    ModCNC cnc{state, host};
    MessageBoxRecorder boxes;
    InterpreterState& s = state.Cnc;

    void At(qint16 z, qint16 x)
    {
        s.CurrentZ = z;
        s.CurrentX = x;
    }
    const Path& Last() const { return host.paths.back(); }
};

} // namespace

TEST_F(Moves, RapidStepsDiagonallyThenAlongTheLongerAxis)
{
    At(0, 0);
    cnc.ExecuteBlock("G00 X2 Z-3");
    ASSERT_EQ(host.paths.size(), 1u);
    Path expected;
    for (int i = 0; i <= 30; ++i)
        expected.push_back({double(-i), double(std::min(i, 10))});
    EXPECT_TRUE(SamePath(Last(), expected));
    EXPECT_TRUE(host.rapid[0]);
    EXPECT_FALSE(state.IsRapid);
    EXPECT_EQ(s.CurrentZ, -30);
    EXPECT_EQ(s.CurrentX, 10);
}

TEST_F(Moves, RapidToTheCurrentPointDrawsTheToolOnce)
{
    At(-30, 10);
    s.TargetZ = -30;
    s.TargetX = 10;
    state.TaperMove = 1;
    cnc.ExecuteBlock("G00");
    ASSERT_EQ(host.paths.size(), 1u);
    EXPECT_TRUE(SamePath(Last(), {{-30, 10}}));
    EXPECT_TRUE(host.rapid[0]);
    EXPECT_FALSE(state.IsRapid);
    EXPECT_EQ(state.TaperMove, 1); // only feed moves decide the taper mark
}

TEST_F(Moves, FeedAlongZ)
{
    At(0, 100);
    state.TaperMove = 1;
    cnc.ExecuteBlock("G01 X20 Z-40");
    ASSERT_EQ(host.paths.size(), 1u);
    Path expected;
    for (int i = 0; i <= 400; ++i)
        expected.push_back({double(-i), 100});
    EXPECT_TRUE(SamePath(Last(), expected));
    EXPECT_FALSE(host.rapid[0]);
    EXPECT_EQ(state.TaperMove, 0);
}

TEST_F(Moves, FeedStepsAreRepeatedSums)
{
    At(0, 0);
    cnc.ExecuteBlock("G01 X0.2 Z-0.3");
    const double third = 1.0 / 3;
    EXPECT_TRUE(SamePath(Last(), {{0, 0}, {-1, third}, {-2, third + third}, {-3, third + third + third}}));
    EXPECT_EQ(state.TaperMove, 1);

    // Ten steps of 0.1 fall short of 1; the move still ends exactly on its target.
    At(0, 0);
    cnc.ExecuteBlock("X0.2 Z-1");
    ASSERT_EQ(Last().size(), 11u);
    double x = 0;
    for (int i = 0; i < 10; ++i)
        x = x + 0.1;
    EXPECT_EQ(Last().back().X, x);
    EXPECT_NE(Last().back().X, 1.0);
    EXPECT_EQ(s.CurrentX, 1);
    EXPECT_EQ(s.CurrentZ, -10);
}

TEST_F(Moves, FeedToTheCurrentPointDoesNothing)
{
    At(-40, 100);
    s.TargetZ = -40;
    s.TargetX = 100;
    state.TaperMove = 1;
    cnc.ExecuteBlock("G01");
    EXPECT_TRUE(host.paths.empty());
    EXPECT_EQ(state.TaperMove, 1);
}

TEST_F(Moves, HomePositionFollowsPictureAndTool)
{
    struct Case { qint16 simHeight; qint16 homeX; };
    // 400 / 2 - 101 - 5 = 94; the odd heights give halves that round to even.
    const Case cases[] = {{400, 94}, {401, 94}, {403, 96}};
    for (const Case& c : cases) {
        state = SharedState{};
        host.paths.clear();
        state.SimWidth = 600;
        state.SimHeight = c.simHeight;
        state.BilletLength = 300;
        state.ToolWidth = 67;
        state.ToolHeight = 101;
        cnc.ExecuteBlock("G28");
        ASSERT_EQ(host.paths.size(), 1u) << c.simHeight;
        EXPECT_TRUE(host.rapid[0]);
        EXPECT_EQ(Last().back().Z, 223);
        EXPECT_EQ(Last().back().X, c.homeX) << c.simHeight;
        EXPECT_EQ(s.CurrentZ, 223);
        EXPECT_EQ(s.CurrentX, c.homeX);
        EXPECT_EQ(s.TargetX, c.homeX);
    }
}

TEST_F(Moves, ReturnHomeFeedsToTheBlockPointFirst)
{
    state.SimWidth = 600;
    state.SimHeight = 400;
    state.BilletLength = 300;
    state.ToolWidth = 67;
    state.ToolHeight = 101;
    At(20, 250);
    cnc.ExecuteBlock("G28"); // no X or Z yet: the target is still (0, 0)
    ASSERT_EQ(host.paths.size(), 2u);
    EXPECT_FALSE(host.rapid[0]);
    EXPECT_EQ(host.paths[0].front().Z, 20);
    EXPECT_NEAR(host.paths[0].back().X, 0, 1e-9);
    EXPECT_NEAR(host.paths[0].back().Z, 0, 1e-9);
    EXPECT_TRUE(host.rapid[1]);
    EXPECT_EQ(host.paths[1].front().Z, 0);
    EXPECT_EQ(host.paths[1].back().Z, 223);

    // G28 stays modal: a block without coordinates finds the tool at home.
    cnc.ExecuteBlock("F50");
    ASSERT_EQ(host.paths.size(), 3u);
    EXPECT_TRUE(SamePath(Last(), {{223, 94}}));

    cnc.ExecuteBlock("X10 Z-5");
    ASSERT_EQ(host.paths.size(), 5u);
    EXPECT_NEAR(host.paths[3].back().Z, -50, 1e-9);
    EXPECT_NEAR(host.paths[3].back().X, 50, 1e-9);
    EXPECT_EQ(host.paths[4].back().Z, 223);
}

TEST(ReadToolSize, ReadsTheDescriptionBesideThePicture)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    struct Case { const char* name; const char* text; qint16 height; qint16 width; };
    const Case cases[] = {
        {"plain", "TOOLWIDTH=67\r\nTOOLHEIGHT=101\r\n", 101, 67},
        {"blankBeforeEquals", "TOOLWIDTH =50\ntoolheight= 45 \n", 45, 1},
        {"lastWins", "TOOLWIDTH=10\n\nNAME=x\nTOOLWIDTH=20\n", 2, 20},
        {"notANumber", "TOOLWIDTH=wide\nTOOLHEIGHT\nTOOLHEIGHT=\n", 2, 1},
        {"furtherEquals", "TOOLWIDTH=12=5\nToolHeight=7.5\n", 8, 12},
    };
    for (const Case& c : cases) {
        const QString picture = dir.filePath(QString::fromLatin1(c.name) + ".bmp");
        QFile ini(dir.filePath(QString::fromLatin1(c.name) + ".ini"));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write(c.text);
        ini.close();
        qint16 height = 2;
        qint16 width = 1;
        GCodes::ReadToolSize(picture, height, width);
        EXPECT_EQ(height, c.height) << c.name;
        EXPECT_EQ(width, c.width) << c.name;
    }

    qint16 height = 2;
    qint16 width = 1;
    GCodes::ReadToolSize(dir.filePath("missing.bmp"), height, width);
    EXPECT_EQ(height, 2);
    EXPECT_EQ(width, 1);
}

// ---- Arcs ----

namespace {

struct ArcCase
{
    const char* name;
    qint16 startZ, startX;
    const char* block;
    ToolPathPoint point0; // as adjusted by the lowering of X and the raising of Z
    double centreZ, centreX, radius;
    double startAngle, endAngle; // of the first and near the last appended point
    std::size_t appended;
};

double AngleOf(const ToolPathPoint& p, double cz, double cx)
{
    double a = std::atan2(p.X - cx, p.Z - cz);
    return a < 0 ? a + 2 * M_PI : a;
}

// Angles compared on the circle, so 6.28318 and 0 are neighbours.
double AngleGap(double a, double b)
{
    const double d = std::fmod(std::abs(a - b), 2 * M_PI);
    return std::min(d, 2 * M_PI - d);
}

} // namespace

TEST_F(Moves, ArcWorkedFigures)
{
    const ArcCase cases[] = {
        {"cw quarter", 0, 0, "G02 X20 Z-10 R10", {0.1, 0}, 0, 100, 100, 4.71338, 3.14159, 786},
        {"ccw quarter", 0, 0, "G03 X20 Z-10 R10", {0, 0}, -100, 0, 100, 0, 1.56980, 785},
        {"cw negative radius", 0, 0, "G02 X20 Z-10 R-10", {0, 0}, -100, 0, 100, 6.28318, 1.56980, 2357},
        {"cw half circle", 0, 50, "G02 X10 Z-10 R5", {0, 49.99}, -50, 49.995, 50, 6.28308, 3.14149, 1571},
        {"cw from the -Z side", -100, 0, "G02 X20 Z0 R10", {-100, 0}, 0, 0, 100, 3.14159, 1.56980, 786},
    };
    for (const ArcCase& c : cases) {
        host.paths.clear();
        At(c.startZ, c.startX);
        cnc.ExecuteBlock(c.block);
        ASSERT_EQ(host.paths.size(), 1u) << c.name;
        const Path& p = Last();
        EXPECT_EQ(p.size() - 1, c.appended) << c.name;
        EXPECT_NEAR(p[0].Z, c.point0.Z, 1e-12) << c.name;
        EXPECT_NEAR(p[0].X, c.point0.X, 1e-12) << c.name;
        for (std::size_t i = 1; i < p.size(); ++i)
            ASSERT_NEAR(std::hypot(p[i].Z - c.centreZ, p[i].X - c.centreX), c.radius, 1e-6) << c.name << " " << i;
        EXPECT_LT(AngleGap(AngleOf(p[1], c.centreZ, c.centreX), c.startAngle), 1e-5) << c.name;
        EXPECT_LT(AngleGap(AngleOf(p.back(), c.centreZ, c.centreX), c.endAngle), 0.002 + 1e-5) << c.name;
        EXPECT_FALSE(host.rapid[0]);
        EXPECT_FALSE(s.RadiusGiven);
        EXPECT_EQ(s.CurrentZ, s.TargetZ) << c.name;
        EXPECT_EQ(s.CurrentX, s.TargetX) << c.name;
    }
}

TEST_F(Moves, ArcDirectionFollowsTheCode)
{
    // Clockwise in the Z-right, X-up drawing: the angle falls from point to point.
    At(0, 0);
    cnc.ExecuteBlock("G02 X20 Z-10 R10");
    EXPECT_NEAR(Last()[1].Z, 0.1, 1e-3); // next to the raised start point
    EXPECT_NEAR(Last()[1].X, 0, 1e-3);
    EXPECT_LT(Last()[2].Z, Last()[1].Z);
    EXPECT_NEAR(Last().back().Z, -100, 0.01);

    // The half circle passes below its chord, towards the spindle axis.
    At(0, 50);
    cnc.ExecuteBlock("G02 X10 Z-10 R5");
    double lowest = 1e9;
    for (const ToolPathPoint& p : Last())
        lowest = std::min(lowest, p.X);
    EXPECT_NEAR(lowest, -0.005, 1e-4);
}

TEST_F(Moves, RadiusTooSmallIsReportedAndTheArcSkipped)
{
    cnc.ExecuteBlock("G04 I3 K4"); // a radius of 50 once no R word is pending
    At(0, 50);
    cnc.ExecuteBlock("G02 X10 Z-10 R4.9"); // one pixel short of the half chord
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Value of Radius is too small to draw");
    EXPECT_EQ(boxes.shown[0].flags, 64);
    EXPECT_EQ(boxes.shown[0].title, "Error!");
    EXPECT_TRUE(host.paths.empty());
    EXPECT_EQ(s.CurrentZ, 0);
    EXPECT_EQ(s.CurrentX, 50);
    EXPECT_EQ(s.TargetZ, -100);
    EXPECT_FALSE(s.RadiusGiven);
    EXPECT_TRUE(host.calls.isEmpty()); // the run goes on

    // The R word is used up: the same arc again takes its radius from I and K.
    cnc.ExecuteBlock("");
    ASSERT_EQ(host.paths.size(), 1u);
    EXPECT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(Last().size() - 1, 1571u);

    s.ArcI = s.ArcK = 0;
    At(0, 50);
    cnc.ExecuteBlock("G03");
    EXPECT_EQ(boxes.shown.size(), 2u);
}

TEST_F(Moves, ChordParallelToXAndArcsOntoThemselves)
{
    At(0, 0);
    cnc.ExecuteBlock("G02 X20 Z0 R10");
    ASSERT_EQ(host.paths.size(), 1u);
    const double cz = std::sqrt(100.0 * 100 - 50.0 * 50); // right of the upward travel
    for (std::size_t i = 1; i < Last().size(); ++i)
        ASSERT_NEAR(std::hypot(Last()[i].Z - cz, Last()[i].X - 50), 100, 1e-6);
    EXPECT_NEAR(Last().back().X, 100, 0.5);
    EXPECT_EQ(s.CurrentX, 100);

    // Re-run with no new end point, with no radius at all or with one: the tool is drawn
    // once where it stands instead of sweeping a circle of no size.
    for (const char* block : {"", "G03", "G02 R5", "G03 R-5"}) {
        host.paths.clear();
        cnc.ExecuteBlock(block);
        ASSERT_EQ(host.paths.size(), 1u) << block;
        EXPECT_TRUE(SamePath(Last(), {{0, 100}})) << block;
        EXPECT_FALSE(s.RadiusGiven);
        EXPECT_EQ(s.CurrentX, 100);
        EXPECT_EQ(s.CurrentZ, 0);
    }
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(Moves, StopDuringAnArcLeavesTheResetPoint)
{
    At(0, 0);
    host.onAnimate = [&] { host.mnuRunStop_Click(); };
    cnc.ExecuteBlock("G02 X20 Z-10 R10");
    EXPECT_EQ(s.CurrentX, 0);
    EXPECT_EQ(s.CurrentZ, 0);
}

// ---- Box cycles ----

namespace {

struct LegEnds
{
    double fromZ, fromX, toZ, toX;
    bool rapid;
};

testing::AssertionResult SameLegs(const FakeInterpreterHost& host, std::size_t first, const std::vector<LegEnds>& legs)
{
    if (host.paths.size() != first + legs.size())
        return testing::AssertionFailure() << host.paths.size() - first << " legs, expected " << legs.size();
    for (std::size_t i = 0; i < legs.size(); ++i) {
        const Path& p = host.paths[first + i];
        const LegEnds& l = legs[i];
        // Feed legs end within the rounding of their repeated sums.
        auto off = [](double a, double b) { return std::abs(a - b) > 1e-9; };
        if (off(p.front().Z, l.fromZ) || off(p.front().X, l.fromX) || off(p.back().Z, l.toZ) || off(p.back().X, l.toX)
            || host.rapid[first + i] != l.rapid)
            return testing::AssertionFailure()
                   << "leg " << i + 1 << " runs (" << p.front().Z << ", " << p.front().X << ") to (" << p.back().Z
                   << ", " << p.back().X << ")" << (host.rapid[first + i] ? " rapid" : " feed");
    }
    return testing::AssertionSuccess();
}

} // namespace

TEST_F(Moves, TurningCycleAndItsModalRepetition)
{
    At(20, 250); // X50 Z2
    cnc.ExecuteBlock("G90 X40 Z-30");
    EXPECT_TRUE(SameLegs(host, 0,
                         {{20, 250, 20, 200, true},
                          {20, 200, -300, 200, false},
                          {-300, 200, -300, 250, false},
                          {-300, 250, 20, 250, true}}));
    EXPECT_EQ(host.paths[1].size(), 321u);
    EXPECT_EQ(state.TaperMove, 0);
    EXPECT_EQ(s.CurrentX, 250);
    EXPECT_EQ(s.CurrentZ, 20);
    EXPECT_EQ(s.TargetX, 200);
    EXPECT_EQ(s.TargetZ, -300);

    cnc.ExecuteBlock("X35");
    EXPECT_TRUE(SameLegs(host, 4,
                         {{20, 250, 20, 175, true},
                          {20, 175, -300, 175, false},
                          {-300, 175, -300, 250, false},
                          {-300, 250, 20, 250, true}}));

    cnc.ExecuteBlock("F80"); // no position word: the same box once more
    EXPECT_TRUE(SameLegs(host, 8,
                         {{20, 250, 20, 175, true},
                          {20, 175, -300, 175, false},
                          {-300, 175, -300, 250, false},
                          {-300, 250, 20, 250, true}}));
}

TEST_F(Moves, TaperAppliesToTheBlockThatCarriesIt)
{
    At(20, 250);
    cnc.ExecuteBlock("G90 X40 Z-30 R-2");
    EXPECT_TRUE(SameLegs(host, 0,
                         {{20, 250, 20, 180, true},
                          {20, 180, -300, 200, false},
                          {-300, 200, -300, 250, false},
                          {-300, 250, 20, 250, true}}));
    EXPECT_FALSE(s.RadiusGiven);
    EXPECT_EQ(state.TaperMove, 0); // the straight third leg came last

    cnc.ExecuteBlock("X35");
    EXPECT_TRUE(SameLegs(host, 4,
                         {{20, 250, 20, 175, true},
                          {20, 175, -300, 175, false},
                          {-300, 175, -300, 250, false},
                          {-300, 250, 20, 250, true}}));
}

TEST_F(Moves, TaperedLegMarksTheTaper)
{
    At(20, 250);
    host.onAnimate = [&] {
        if (host.paths.size() == 2) {
            EXPECT_EQ(state.TaperMove, 1);
        }
    };
    cnc.ExecuteBlock("G90 X40 Z-30 R-2");
}

TEST_F(Moves, FacingCycleAndTheNextDepth)
{
    At(20, 250);
    cnc.ExecuteBlock("G94 X20 Z-2");
    EXPECT_TRUE(SameLegs(host, 0,
                         {{20, 250, -20, 250, true},
                          {-20, 250, -20, 100, false},
                          {-20, 100, 20, 100, false},
                          {20, 100, 20, 250, true}}));
    cnc.ExecuteBlock("Z-5");
    EXPECT_TRUE(SameLegs(host, 4,
                         {{20, 250, -50, 250, true},
                          {-50, 250, -50, 100, false},
                          {-50, 100, 20, 100, false},
                          {20, 100, 20, 250, true}}));

    cnc.ExecuteBlock("Z-8 R-1"); // the taper runs from Z = z1 + t at the start X
    EXPECT_TRUE(SameLegs(host, 8,
                         {{20, 250, -90, 250, true},
                          {-90, 250, -80, 100, false},
                          {-80, 100, 20, 100, false},
                          {20, 100, 20, 250, true}}));
    EXPECT_EQ(s.CurrentZ, 20);
    EXPECT_EQ(s.TargetZ, -80);
}

TEST_F(Moves, CycleWithTargetAtTheStartRunsZeroLengthLegs)
{
    At(20, 250);
    s.TargetZ = 20;
    s.TargetX = 250;
    cnc.ExecuteBlock("G90");
    ASSERT_EQ(host.paths.size(), 2u); // the two rapids draw the tool once each, the feeds nothing
    EXPECT_TRUE(SamePath(host.paths[0], {{20, 250}}));
    EXPECT_TRUE(SamePath(host.paths[1], {{20, 250}}));
}

TEST_F(Moves, StopDuringALegKeepsTheCycleOwnPoints)
{
    At(20, 250);
    host.onAnimate = [&] {
        if (host.paths.size() == 2)
            host.mnuRunStop_Click();
    };
    cnc.ExecuteBlock("G90 X40 Z-30");
    // The legs after the stop start from the reset point but still aim at the cycle's corners.
    ASSERT_EQ(host.paths.size(), 4u);
    EXPECT_EQ(host.paths[2].front().Z, 0);
    EXPECT_EQ(host.paths[2].front().X, 0);
    EXPECT_NEAR(host.paths[2].back().Z, -300, 1e-9);
    EXPECT_NEAR(host.paths[2].back().X, 250, 1e-9);
    EXPECT_EQ(host.paths[3].back().Z, 20);
    EXPECT_EQ(host.paths[3].back().X, 250);
    EXPECT_EQ(s.CurrentX, 250);
    EXPECT_EQ(s.CurrentZ, 20);
    EXPECT_EQ(s.TargetX, 200);
    EXPECT_EQ(s.TargetZ, -300);
}

TEST_F(Moves, CycleCornerOutsideTheRangeRefusesTheBlock)
{
    struct Case { const char* block; };
    const Case cases[] = {{"G90 X6553.4 Z-30 R1"}, {"G94 X20 Z-3276.8 R-1"}};
    for (const Case& c : cases) {
        boxes.shown.clear();
        host.calls.clear();
        host.paths.clear();
        state.StopRequested = false;
        At(20, 250);
        cnc.ExecuteBlock(c.block);
        ASSERT_EQ(boxes.shown.size(), 1u) << c.block;
        EXPECT_TRUE(boxes.shown[0].text.contains(c.block)) << boxes.shown[0].text.toStdString();
        EXPECT_EQ(boxes.shown[0].flags, 16);
        EXPECT_EQ(boxes.shown[0].title, "Error!");
        EXPECT_EQ(host.calls, QStringList{"Stop"}) << c.block;
        EXPECT_TRUE(host.paths.empty()) << c.block;
        EXPECT_FALSE(s.RadiusGiven);
    }
}
