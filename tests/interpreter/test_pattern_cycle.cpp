#include "interpreter/GCodes.h"
#include "interpreter/ModCNC.h"

#include "FakeInterpreterHost.h"
#include "TestSupport.h"
#include "shared/SharedState.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using Offsets = std::vector<std::pair<double, double>>;

Offsets Repeat(std::pair<double, double> offset, int times)
{
    return Offsets(std::size_t(times), offset);
}

Offsets operator+(Offsets a, const Offsets& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct Pattern : ::testing::Test
{
    SharedState state;
    FakeInterpreterHost host{state};
    ModCNC cnc{state, host};
    MessageBoxRecorder boxes;
    InterpreterState& s = state.Cnc;
    std::vector<int> lineAfterRow; // CurrentLine as each row's block returns

    Pattern()
    {
        s.CurrentX = 300;
        s.CurrentZ = 100;
    }

    void Program(const QString& secondBlock, const QString& firstBlock = "N20 G73 U3 W1 R3")
    {
        host.rows = QStringList{
            "N10 G00 X50 Z2",     firstBlock, "N25 " + secondBlock, "N30 G01 X40 Z0",
            "N40 Z-20",           "N50 X60 Z-30 [taper", "N60 X70", "N70 G00 X100 Z50",
        };
    }

    // The run loop's part in the cycle: it sets CurrentLine per row, lights the row and
    // passes rows without a comment.
    void Run()
    {
        for (int i = 0; i < host.rows.size(); ++i) {
            state.CurrentLine = i;
            if (state.StopRequested)
                return;
            host.RemoveHighLighting(i - 1);
            host.HighLightExecutingLine(i);
            if (!host.rows[i].contains(u'['))
                cnc.ExecuteBlock(host.rows[i]);
            lineAfterRow.push_back(state.CurrentLine);
        }
    }
};

} // namespace

TEST_F(Pattern, PassesShrinkTheOffsetsThenTheContourRunsPlain)
{
    // P3 is found as text in N30 and Q6 in N60, so both spellings run the same rows.
    for (const char* second : {"G73 P30 Q60 U0.4 W0.1", "G73 P3 Q6 U0.4 W0.1"}) {
        SCOPED_TRACE(second);
        state = SharedState{};
        s.CurrentX = 300;
        s.CurrentZ = 100;
        host.paths.clear();
        host.offsets.clear();
        host.calls.clear();
        lineAfterRow.clear();
        Program(second);
        Run();

        EXPECT_EQ(host.offsets, (Offsets{{0, 0}} + Repeat({30, 10}, 5) + Repeat({17, 6}, 5) + Repeat({4, 2}, 5)
                                    + Repeat({0, 0}, 4)));
        EXPECT_TRUE(boxes.shown.empty());
        EXPECT_EQ(state.PassOffsetX, 0);
        EXPECT_EQ(state.PassOffsetZ, 0);
        EXPECT_EQ(s.CycleP, QString(second).contains("P30") ? 30 : 3);
        ASSERT_EQ(lineAfterRow.size(), 8u);
        EXPECT_EQ(lineAfterRow[2], 6); // the cycle leaves the run loop's row at its last row

        // The move after each pass: the current point steps by offset / (passes - 1),
        // the target is the start point plus offset and allowance.
        struct Move { std::size_t path; double fromZ, fromX, toZ, toX; };
        const Move moves[] = {{5, -295, 365, 31, 282}, {10, -297, 358, 27, 269}, {15, -299, 352, 23, 256}};
        for (const Move& m : moves) {
            const auto& p = host.paths[m.path];
            EXPECT_EQ(p.front().Z, m.fromZ) << m.path;
            EXPECT_EQ(p.front().X, m.fromX) << m.path;
            EXPECT_NEAR(p.back().Z, m.toZ, 1e-9) << m.path;
            EXPECT_NEAR(p.back().X, m.toX, 1e-9) << m.path;
            EXPECT_FALSE(host.rapid[m.path]);
        }
        // The next pass starts from there; the trailing comment is cut off, not the line.
        EXPECT_EQ(host.paths[6].front().Z, 31);
        EXPECT_EQ(host.paths[6].front().X, 282);
        EXPECT_EQ(host.paths[3].back().Z, -300);
        EXPECT_EQ(host.paths[3].back().X, 300);
    }
}

TEST_F(Pattern, RowsAreLitInTurn)
{
    Program("G73 P30 Q60 U0.4 W0.1");
    host.rows[4] = "[ N40 roughing";
    Run();
    const QStringList pass = {"Remove 2", "High 3", "Remove 3", "High 4", "Remove 4", "High 5", "Remove 5", "High 6"};
    QStringList expected = {"Remove -1", "High 0", "Remove 0", "High 1", "Remove 1", "High 2"};
    expected << pass << pass << pass;
    EXPECT_EQ(host.calls.mid(0, expected.size()), expected);
    // A comment row is lit but not run: three contour moves and one move back per pass.
    EXPECT_EQ(host.offsets, (Offsets{{0, 0}} + Repeat({30, 10}, 4) + Repeat({17, 6}, 4) + Repeat({4, 2}, 4)
                                + Repeat({0, 0}, 3)));
}

TEST_F(Pattern, StopInThePassesLeavesNoOffsets)
{
    Program("G73 P30 Q60 U0.4 W0.1");
    host.onAnimate = [&] {
        if (host.paths.size() == 8) // second contour move of the second pass
            host.mnuRunStop_Click();
    };
    Run();
    EXPECT_EQ(host.paths.size(), 8u);
    EXPECT_EQ(state.PassOffsetX, 0);
    EXPECT_EQ(state.PassOffsetZ, 0);
    EXPECT_FALSE(cnc.gcodes().G73FirstBlockDone);
    // Stop cleared the run loop's row; the cycle clears the contour rows it had lit, the
    // last row of the first pass among them.
    const qsizetype stop = host.calls.lastIndexOf("Stop");
    ASSERT_GE(stop, 0);
    EXPECT_EQ(host.calls.mid(stop + 1), (QStringList{"Remove 3", "Remove 4", "Remove 5", "Remove 6"}));
    EXPECT_EQ(lineAfterRow.size(), 3u); // the run loop ends at its next row
}

TEST_F(Pattern, OnePassRunsOnceAndMovesBack)
{
    Program("G73 P30 Q60 U0.4 W0.1", "N20 G73 U3 W1 R1");
    Run();
    EXPECT_EQ(host.offsets, (Offsets{{0, 0}} + Repeat({30, 10}, 5) + Repeat({0, 0}, 4)));
    const auto& back = host.paths[5];
    EXPECT_EQ(back.front().Z, -300); // no step towards a further pass
    EXPECT_EQ(back.front().X, 350);
    EXPECT_NEAR(back.back().Z, 31, 1e-9);
    EXPECT_NEAR(back.back().X, 282, 1e-9);
    for (const auto& p : host.paths)
        for (const ToolPathPoint& q : p)
            ASSERT_TRUE(std::isfinite(q.Z) && std::isfinite(q.X));
    EXPECT_EQ(state.PassOffsetX, 0);
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(Pattern, NoPassesOnlyEndsTheCycle)
{
    Program("G73 P30 Q60 U0.4 W0.1", "N20 G73 U3 W1 R0");
    Run();
    EXPECT_EQ(host.offsets, (Offsets{{0, 0}} + Repeat({0, 0}, 4)));
    EXPECT_EQ(lineAfterRow[2], 6);
}

TEST_F(Pattern, FirstBlockMovesNothingAndIsHeldAcrossRuns)
{
    s.CurrentX = 250;
    s.CurrentZ = 20;
    s.TargetX = 250;
    s.TargetZ = 20;
    cnc.ExecuteBlock("G73 U3 W1 R3");
    EXPECT_TRUE(host.paths.empty());
    EXPECT_EQ(s.TargetX, 250);
    EXPECT_EQ(s.TargetZ, 20);
    EXPECT_FALSE(s.RadiusGiven);
    GCodes& g = cnc.gcodes();
    EXPECT_TRUE(g.G73FirstBlockDone);
    EXPECT_EQ(g.G73ReliefU, 30);
    EXPECT_EQ(g.G73ReliefW, 10);
    EXPECT_EQ(g.G73Passes, 3);
}

TEST_F(Pattern, CyclesThatCannotRunAreSkippedWithAMessage)
{
    struct Case { const char* second; const char* names; };
    const Case cases[] = {
        {"G73 P35 Q60", "N35"},      // no such line
        {"G73 P30 Q65", "N65"},      // no end line after the first
        {"G73 P10 Q60", "G73"},      // the range holds both G73 blocks
        {"G73 P25 Q60", "G73"},      // the range starts at this very block
        {"G73 P20 Q30", "G73"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.second);
        state = SharedState{};
        host.paths.clear();
        host.offsets.clear();
        host.calls.clear();
        boxes.shown.clear();
        lineAfterRow.clear();
        Program(c.second);
        Run();
        ASSERT_EQ(boxes.shown.size(), 1u);
        EXPECT_TRUE(boxes.shown[0].text.contains(c.names)) << boxes.shown[0].text.toStdString();
        EXPECT_EQ(boxes.shown[0].flags, 64);
        EXPECT_EQ(boxes.shown[0].title, "Error!");
        EXPECT_FALSE(host.calls.contains("Stop"));
        // The run goes on: the contour is cut once, plainly.
        EXPECT_EQ(host.offsets, Repeat({0, 0}, 5));
        EXPECT_EQ(lineAfterRow.size(), 8u);
        EXPECT_EQ(lineAfterRow[2], 2);
        EXPECT_FALSE(cnc.gcodes().G73FirstBlockDone);
    }
}

TEST_F(Pattern, ACycleInsideTheContourIsRefusedNotRecursed)
{
    host.rows = QStringList{
        "N10 G00 X50 Z2", "N20 G73 U3 W1 R2", "N25 G73 P30 Q50", "N30 G01 X40 Z0",
        "N35 G73 U1 W1 R2", "N40 G73 P30 Q50", "N50 G01 X60 Z-30",
    };
    Run();
    // Every inner second block is refused, each pass goes on.
    EXPECT_FALSE(boxes.shown.empty());
    for (const ShownMessage& m : boxes.shown)
        EXPECT_TRUE(m.text.contains("G73")) << m.text.toStdString();
    EXPECT_FALSE(host.calls.contains("Stop"));
    EXPECT_EQ(state.PassOffsetX, 0);
    EXPECT_EQ(lineAfterRow.size(), 7u);
}
