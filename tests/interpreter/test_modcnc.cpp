#include "interpreter/ModCNC.h"

#include "FakeInterpreterHost.h"
#include "TestSupport.h"
#include "shared/SharedState.h"

#include <gtest/gtest.h>

namespace {

class RecordingMotions : public Motions
{
public:
    void RapidMove() override { calls << "Rapid"; }
    void LinearMove() override { calls << "Linear"; }
    void ArcCW() override { calls << "ArcCW"; }
    void ArcCCW() override { calls << "ArcCCW"; }
    void ReturnHome() override { calls << "Home"; }
    void PatternRepeatCycle() override { calls << "Pattern"; }
    void TurningCycle() override { calls << "Turning"; }
    void FacingCycle() override { calls << "Facing"; }
    QStringList calls;
};

struct Interp : ::testing::Test
{
    Interp() { cnc.SetMotionsForTesting(&motions); }
    SharedState state;
    FakeInterpreterHost host{state};
    ModCNC cnc{state, host};
    RecordingMotions motions;
    MessageBoxRecorder boxes;
    InterpreterState& s = state.Cnc;
};

} // namespace

TEST_F(Interp, TypicalFeedBlock)
{
    s.CurrentX = 30;
    s.CurrentZ = 7;
    cnc.ExecuteBlock("N10 G01 X20 Z-40 F100");
    EXPECT_EQ(s.GMode, 1);
    EXPECT_EQ(s.TargetX, 100);
    EXPECT_EQ(s.TargetZ, -400);
    EXPECT_EQ(s.FeedRate, 100);
    EXPECT_EQ(host.panels["FeedRate"], "Feed: 100");
    EXPECT_EQ(motions.calls, QStringList{"Linear"});
}

TEST_F(Interp, WordScalingRoundsHalfToEven)
{
    struct Case { const char* word; qint16 InterpreterState::*field; qint16 expected; };
    const Case cases[] = {
        {"Z0.25", &InterpreterState::TargetZ, 2},   {"Z0.35", &InterpreterState::TargetZ, 4},
        {"Z-40", &InterpreterState::TargetZ, -400}, {"X2.5", &InterpreterState::TargetX, 12},
        {"X7.5", &InterpreterState::TargetX, 38},   {"X20.25", &InterpreterState::TargetX, 101},
        {"X20", &InterpreterState::TargetX, 100},   {"T2.5", &InterpreterState::ToolNumber, 2},
        {"T3.5", &InterpreterState::ToolNumber, 4}, {"I1.5", &InterpreterState::ArcI, 15},
        {"K-2", &InterpreterState::ArcK, -20},      {"P3", &InterpreterState::CycleP, 30},
        {"Q.5", &InterpreterState::CycleQ, 5},      {"R5", &InterpreterState::RadiusR, 50},
        {"X+5", &InterpreterState::TargetX, 25},    {"Z5.", &InterpreterState::TargetZ, 50},
    };
    for (const Case& c : cases) {
        cnc.ExecuteBlock(c.word);
        EXPECT_EQ(s.*c.field, c.expected) << c.word;
    }
    EXPECT_TRUE(s.RadiusGiven);
}

TEST_F(Interp, IncrementsAddToTheCurrentPoint)
{
    s.CurrentX = 50;
    s.CurrentZ = 30;
    s.TargetX = 7;
    cnc.ExecuteBlock("U10 W-5");
    EXPECT_EQ(s.IncU, 50);
    EXPECT_EQ(s.TargetX, 100);
    EXPECT_EQ(s.IncW, -50);
    EXPECT_EQ(s.TargetZ, -20);
}

TEST_F(Interp, LaterWordsWin)
{
    cnc.ExecuteBlock("X20 U4");
    EXPECT_EQ(s.TargetX, 20); // from CurrentX 0
    cnc.ExecuteBlock("X10 X20");
    EXPECT_EQ(s.TargetX, 100);
}

TEST_F(Interp, LowerCaseWordsAreIgnoredAndTheModalMotionRuns)
{
    s.GMode = 1;
    cnc.ExecuteBlock("g00 x20");
    EXPECT_EQ(s.GMode, 1);
    EXPECT_EQ(s.TargetX, 0);
    EXPECT_EQ(motions.calls, QStringList{"Linear"});
}

TEST_F(Interp, PreScanTakesSAndTBeforeTheWordLoop)
{
    cnc.ExecuteBlock("T1 s500");
    EXPECT_EQ(s.SpindleSpeed, 500);
    EXPECT_EQ(s.ToolNumber, 1);
    cnc.ExecuteBlock("M03 s900"); // no upper-case S or T: no pre-scan
    EXPECT_EQ(s.SpindleSpeed, 500);
    cnc.ExecuteBlock("M06 T3");
    EXPECT_EQ(s.ToolNumber, 3);
    cnc.ExecuteBlock("S1200 M03");
    EXPECT_EQ(s.SpindleSpeed, 1200);
}

TEST_F(Interp, BlanksAndEmptyLines)
{
    cnc.ExecuteBlock("G01  X20");
    EXPECT_EQ(s.GMode, 1);
    EXPECT_EQ(s.TargetX, 100);
    motions.calls.clear();
    cnc.ExecuteBlock("");
    EXPECT_EQ(motions.calls, QStringList{"Linear"});
}

TEST_F(Interp, UnitsCodesSetThePanelAndKeepTheMode)
{
    s.GMode = 0;
    cnc.ExecuteBlock("G20");
    EXPECT_EQ(host.panels["Dim"], "In");
    EXPECT_EQ(s.GMode, 0);
    cnc.ExecuteBlock("G21");
    EXPECT_EQ(host.panels["Dim"], "mm");
    EXPECT_EQ(motions.calls, (QStringList{"Rapid", "Rapid"}));
}

TEST_F(Interp, GCodeTableAndDispatch)
{
    struct Case { const char* block; qint16 mode; const char* motion; };
    const Case cases[] = {
        {"G00", 0, "Rapid"},   {"G1", 1, "Linear"},     {"G02", 2, "ArcCW"},    {"G03", 3, "ArcCCW"},
        {"G04", 4, nullptr},   {"G28", 28, "Home"},     {"G70", 70, nullptr},   {"G73", 73, "Pattern"},
        {"G90", 90, "Turning"}, {"G94", 94, "Facing"},  {"G71", -1, nullptr},   {"G72", -1, nullptr},
        {"G97", -1, nullptr},  {"G98", -1, nullptr},    {"G99", -1, nullptr},   {"G-1", -1, nullptr},
        {"G1.5", 2, "ArcCW"},  {"G0.4", 0, "Rapid"},    {"G01 G71", -1, nullptr}, {"G71 G01", 1, "Linear"},
    };
    for (const Case& c : cases) {
        motions.calls.clear();
        cnc.ExecuteBlock(c.block);
        EXPECT_EQ(s.GMode, c.mode) << c.block;
        EXPECT_EQ(motions.calls, c.motion ? QStringList{c.motion} : QStringList{}) << c.block;
    }
}

TEST_F(Interp, RadiusStaysPending)
{
    cnc.ExecuteBlock("R5");
    EXPECT_EQ(s.RadiusR, 50);
    EXPECT_TRUE(s.RadiusGiven);
    cnc.ExecuteBlock("X10");
    EXPECT_TRUE(s.RadiusGiven);
}

TEST_F(Interp, FirstBlockOfTheFirstRunRapidsTowardTheOrigin)
{
    s.CurrentX = 250;
    s.CurrentZ = 213;
    cnc.ExecuteBlock("M08");
    EXPECT_EQ(s.GMode, 0);
    EXPECT_EQ(s.TargetX, 0);
    EXPECT_EQ(s.TargetZ, 0);
    EXPECT_EQ(motions.calls, QStringList{"Rapid"});
}

TEST_F(Interp, FeedShowsTheProgrammedValue)
{
    struct Case { const char* word; const char* panel; double value; };
    const Case cases[] = {
        {"F100", "Feed: 100", 100}, {"F0.25", "Feed: 0.25", 0.25}, {"F.2", "Feed: 0.2", 0.2},
        {"F+5", "Feed: 5", 5},      {"F-3", "Feed: -3", -3},       {"F0.1", "Feed: 0.1", 0.1},
        {"F99999", "Feed: 99999", 99999},
    };
    for (const Case& c : cases) {
        cnc.ExecuteBlock(c.word);
        EXPECT_EQ(host.panels["FeedRate"].toStdString(), c.panel);
        EXPECT_EQ(s.FeedRate, c.value);
    }
}

TEST_F(Interp, UnreadableOrOutOfRangeBlocksAreRefusedWhole)
{
    const char* blocks[] = {
        "G01 X10 Z-5 X",  "G01 X1A Z-5",   "F Z-5",        "G01 X99999",     "Z3276.8",
        "G99999 X10",     "M70000 X10",    "G",            "T99999 X10",     "T1 s7x",
        "S70000",         "U20 W99999",    "Z-5 Rfoo",     "X10 W3276.7",
    };
    for (const char* b : blocks) {
        state = SharedState();
        s.CurrentZ = 100;
        boxes.shown.clear();
        host.calls.clear();
        motions.calls.clear();
        cnc.ExecuteBlock(b);
        EXPECT_EQ(s.TargetX, 0) << b;
        EXPECT_EQ(s.GMode, 0) << b;
        EXPECT_EQ(s.ToolNumber, 0) << b;
        EXPECT_TRUE(motions.calls.isEmpty()) << b;
        EXPECT_EQ(host.calls, QStringList{"Stop"}) << b;
        ASSERT_EQ(boxes.shown.size(), 1u) << b;
        EXPECT_EQ(boxes.shown[0].flags, 16);
        EXPECT_EQ(boxes.shown[0].title, "Error!");
        EXPECT_TRUE(boxes.shown[0].text.contains(QString::fromLatin1(b))) << b;
    }
}

TEST_F(Interp, RefusalNamesTheWord)
{
    cnc.ExecuteBlock("G01 X1A Z-5");
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(boxes.shown[0].text.contains("\"X1A\"")) << boxes.shown[0].text.toStdString();
}

TEST_F(Interp, EdgesOfTheRangeAreAccepted)
{
    cnc.ExecuteBlock("Z3276.7 X-6553.5 N N10x");
    EXPECT_EQ(s.TargetZ, 32767);
    EXPECT_EQ(s.TargetX, -32768);
    EXPECT_TRUE(boxes.shown.empty());
    cnc.ExecuteBlock("s500 m3 g99999 [X"); // lower case and comments are not read
    EXPECT_TRUE(boxes.shown.empty());
}
