// Run control through the real window: fresh start and resume, pause, stop, step mode,
// Run To Breakpoint, the billet line, and whole programs cut to the end.
#include "test_run_window.h"

#include "mainwindow/SimPicture.h"
#include "platform/gui/WinColour.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QProgressBar>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <map>

namespace {

// A billet of diameter 20 and length 40, and feed moves that cut it.
const QString Turning = "[BILLET X20 Z40\r\n"
                        "G00 X22 Z2\r\n"
                        "G01 X16 Z0 F100\r\n"
                        "G01 X16 Z-10\r\n"
                        "G01 X20 Z-20\r\n"
                        "G01 X26 Z5";

QString G73Program(const QString& pq)
{
    return "[BILLET X40 Z60\r\n"
           "G00 X44 Z2\r\n"
           "G73 U3 W1 R3\r\n"
           "G73 " + pq + " U0.4 W0.1\r\n"
           "N30 G01 X20 Z0 F100\r\n"
           "N40 G01 X20 Z-20\r\n"
           "N50 G01 X30 Z-30\r\n"
           "N60 G01 X40 Z-40\r\n"
           "G01 X50 Z10";
}

struct Result
{
    QImage picture;
    std::vector<qint16> radii;
};

class Run : public RunWindow
{
protected:
    Result Outcome()
    {
        Result r{window->graphics().SimDC().copy(), {}};
        for (const ProfileEntry& e : state.WorkPieceProfile)
            r.radii.push_back(e.Radius);
        return r;
    }

    // The rows that got the execution highlight, in the order the yields saw them.
    void TrackRows()
    {
        window->onYield = [this] {
            const int row = ExecutingRow();
            if (row >= 0 && (seenRows.empty() || seenRows.back() != row))
                seenRows.push_back(row);
        };
    }

    std::vector<int> seenRows;
};

TEST_F(Run, BreakpointOnTheFirstRowPausesBeforeTheFirstMove)
{
    Start(Turning);
    ShowGrid();
    ClickCell(0, 1);
    window->graphics().LoadTool(platform::ResolvePath(platform::AppPath() + "\\tools\\tool.bmp"), 30, 40); // a tool the last run changed to
    ASSERT_EQ(state.ToolWidth, 30);
    struct Held
    {
        int line = -1;
        qint16 x = 0, z = 0;
        bool locked = false, startEnabled = false;
        int stopSounds = -1;
        QImage picture;
    } first, later;
    window->onWait = [&] {
        Held h{state.CurrentLine, state.Cnc.CurrentX, state.Cnc.CurrentZ, window->TextEditor->Locked(),
               Enabled("Start"), StopSounds(), window->graphics().SimDC().copy()};
        if (window->waits == 1)
            first = h;
        if (window->waits == 5) {
            later = h;
            window->mnuRunStart_Click();
        }
    };
    window->mnuRunStart_Click();

    EXPECT_EQ(first.line, 1); // the billet row passed, the first move held at its first point
    EXPECT_EQ(first.x, state.BilletDiameter);
    EXPECT_TRUE(first.locked); // a breakpoint pause neither unlocks nor sounds
    EXPECT_TRUE(first.startEnabled);
    EXPECT_EQ(first.stopSounds, 0);
    EXPECT_EQ(first.picture, later.picture);
    EXPECT_EQ(later.line, 1);
    EXPECT_EQ(state.ToolWidth, 67);
    EXPECT_EQ(state.ToolHeight, 101);
    ExpectIdle();
    EXPECT_EQ(Grid().TextMatrix(0, 3), QStringLiteral("BP"));
    EXPECT_EQ(ExecutingRow(), -1);
}

TEST_F(Run, RunToBreakpointWithoutBreakpointsRunsWithoutDelaysAndStaysSet)
{
    Start(Turning);
    window->Slider->setValue(-10);
    window->mnuRunRunToBreakpoint_Click();
    EXPECT_TRUE(window->sleeps.empty());
    EXPECT_TRUE(state.RunToBreakpoint);
    ExpectIdle();
    const Result fast = Outcome();

    window->mnuRunStart_Click();
    EXPECT_TRUE(window->sleeps.empty());
    EXPECT_TRUE(state.RunToBreakpoint);
    EXPECT_EQ(Outcome().radii, fast.radii);

    // A breakpoint ends the fast mode, and the picture shows what the fast run cut, edges coloured.
    ClickCell(3, 1);
    bool shown = false, edges = false;
    window->onWait = [&] {
        if (window->waits == 1) {
            const QImage& buffer = window->graphics().SimDC();
            shown = window->picSim->Image() == buffer;
            const QRgb effect = platform::FromWinRgb(settings.EffectColor).rgb();
            for (int y = 0; y < buffer.height() && !edges; ++y)
                for (int x = 0; x < buffer.width() && !edges; ++x)
                    edges = buffer.pixel(x, y) == effect;
        }
        window->mnuRunStart_Click();
    };
    window->mnuRunStart_Click();
    EXPECT_TRUE(shown);
    EXPECT_TRUE(edges);
    EXPECT_FALSE(state.RunToBreakpoint);
    EXPECT_FALSE(window->sleeps.empty());
}

TEST_F(Run, RunAndRunToBreakpointCutTheSamePart)
{
    for (const QString& program : {Turning, G73Program("P30 Q60")}) {
        Start(program);
        window->mnuRunStart_Click();
        const Result normal = Outcome();
        window->mnuRunRunToBreakpoint_Click();
        const Result fast = Outcome();
        EXPECT_EQ(fast.radii, normal.radii) << program.toStdString();
        EXPECT_TRUE(fast.picture == normal.picture) << program.toStdString();
        Finish();
    }
}

TEST_F(Run, StepModePausesAfterEveryRow)
{
    Start("[BILLET X20 Z40\r\nG01 X18 Z0 F100\r\n[comment\r\nG01 X18 Z-5\r\nG01 X20 Z-10");
    window->mnuRunStepInto_Click();
    ASSERT_TRUE(window->ToolbarButton("Step")->isChecked());
    std::vector<int> heldAt;
    bool stepEnabled = true, menuFollows = true;
    window->onWait = [&] {
        heldAt.push_back(state.CurrentLine);
        stepEnabled = stepEnabled && Enabled("Step") && window->mnuRunStepInto->isEnabled();
        window->mnuRunStart_Click();
        menuFollows = menuFollows && !window->mnuRunStart->isEnabled() && window->mnuRunPause->isEnabled();
    };
    window->mnuRunStart_Click();
    // Every row paused (the comments too); the holds came at the moves that followed.
    EXPECT_EQ(heldAt, (std::vector<int>{1, 3, 4}));
    EXPECT_EQ(StopSounds(), 5 + 1);
    EXPECT_TRUE(stepEnabled);
    EXPECT_TRUE(menuFollows);
    ExpectIdle();
    EXPECT_TRUE(window->mnuRunStepInto->isChecked()); // Stop leaves step mode alone
}

TEST_F(Run, StartWhilePausedResumesFromTheHeldPoint)
{
    Start(Turning);
    window->mnuRunStart_Click();
    const Result straight = Outcome();

    bool paused = false;
    window->onYield = [&] {
        if (!paused && state.CurrentLine == 3) {
            paused = true;
            window->mnuRunPause_Click();
        }
    };
    int held = 0;
    bool unlocked = false;
    window->onWait = [&] {
        ++held;
        unlocked = !window->TextEditor->Locked() && Enabled("Start") && !Enabled("Pause");
        window->mnuRunStart_Click();
    };
    sounds.clear();
    window->mnuRunStart_Click();
    EXPECT_EQ(held, 1);
    EXPECT_TRUE(unlocked);
    EXPECT_EQ(StopSounds(), 1 + 1);
    EXPECT_EQ(Outcome().radii, straight.radii);
    EXPECT_TRUE(Outcome().picture == straight.picture);
}

TEST_F(Run, ThePausedStateTheAnimationReadsFollowsEveryCommand)
{
    Start(Turning);
    const std::vector<std::pair<const char*, std::function<void()>>> steps = {
        {"after start-up", [] {}},
        {"Pause while idle", [&] { window->mnuRunPause_Click(); }},
        {"Stop", [&] { window->mnuRunStop_Click(); }},
        {"empty editor", [&] { window->TextEditor->SetText(QString()); }},
        {"typed text", [&] { window->TextEditor->SetText(QStringLiteral("G00 X1")); }},
        {"New", [&] { window->mnuFileNew_Click(); }},
        {"a whole run", [&] { Edit(Turning); window->mnuRunStart_Click(); }},
        {"Run To Breakpoint", [&] { window->mnuRunRunToBreakpoint_Click(); }},
    };
    for (const auto& [name, step] : steps) {
        step();
        EXPECT_EQ(window->IsRunPaused(), Enabled("Stop") && !Enabled("Pause")) << name;
        EXPECT_EQ(window->IsRunPaused(), Paused()) << name;
    }
}

TEST_F(Run, TheLoopYieldsTwicePerRowAndTheGridShowsTheExecutingRowInTheMiddleOfTheRun)
{
    Start(Turning + "\r\n[END\r\nG00 X30");
    ShowGrid();
    std::map<int, int> yields;
    QImage shot;
    bool paintedLater = false;
    window->onYield = [&] {
        ++yields[state.CurrentLine];
        if (state.CurrentLine == 3 && shot.isNull()) {
            // Past the paint interval the grid has painted the state it was left in.
            QTest::qWait(50);
            paintedLater = window->DebugWindow->updatesEnabled();
            shot = Grid().viewport()->grab().toImage();
        }
    };
    // Running to a breakpoint, moves do not yield: every yield seen is the loop's.
    window->mnuRunRunToBreakpoint_Click();
    const std::map<int, int> expected{{0, 1}, {1, 2}, {2, 2}, {3, 2}, {4, 2}, {5, 2}, {6, 1}, {7, 2}};
    EXPECT_EQ(yields, expected); // a row that begins with "[" skips the second yield
    EXPECT_TRUE(paintedLater);
    ASSERT_FALSE(shot.isNull());
    const QRect executing = CellRect(3, 2), before = CellRect(2, 2);
    EXPECT_EQ(platform::ToWinRgb(QColor(shot.pixel(executing.left() + 1, executing.center().y()))),
              settings.ExecutionPointColor);
    EXPECT_EQ(platform::ToWinRgb(QColor(shot.pixel(before.left() + 1, before.center().y()))), settings.NormalBackColor);
}

TEST_F(Run, StopWhilePausedEndsTheRun)
{
    Start(Turning);
    window->onYield = [&] {
        if (state.CurrentLine == 2 && Enabled("Pause"))
            window->mnuRunPause_Click();
        seenRows.push_back(state.CurrentLine);
    };
    window->onWait = [&] { window->mnuRunStop_Click(); };
    window->mnuRunStart_Click();
    EXPECT_EQ(window->waits, 1);
    EXPECT_EQ(*std::max_element(seenRows.begin(), seenRows.end()), 2);
    EXPECT_TRUE(state.StopRequested);
    EXPECT_EQ(StopSounds(), 3); // pause, Stop, and the Stop every run ends with
    ExpectIdle();
    EXPECT_EQ(ExecutingRow(), -1);
    EXPECT_EQ(state.CurrentLine, 0);
    EXPECT_EQ(state.Cnc.CurrentX, 0);
    EXPECT_EQ(state.Cnc.TargetZ, 0);
}

TEST_F(Run, SaveShowsTheStateRecordedAtTheStart)
{
    for (const bool unsaved : {true, false}) {
        Start(Turning);
        window->EnableCommands("Save", unsaved);
        window->mnuRunStart_Click();
        EXPECT_EQ(Enabled("Save"), unsaved);
        EXPECT_EQ(window->mnuFileSave->isEnabled(), unsaved);
        EXPECT_TRUE(window->mnuFileNew->isEnabled());
        Finish();
    }
}

TEST_F(Run, ASyntaxErrorStartChangesNothing)
{
    Start("[BILLET X20 Z40\r\nG01 X10 Y5");
    const QString before = CommandStates();
    const QImage picture = window->graphics().SimDC().copy();
    MessageBoxRecorder box;
    window->mnuRunStart_Click();
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].title, QStringLiteral("Syntax Error!"));
    EXPECT_EQ(CommandStates(), before);
    EXPECT_TRUE(sounds.isEmpty());
    EXPECT_TRUE(window->graphics().SimDC() == picture);
    EXPECT_TRUE(window->mnuViewTextEditor->isChecked());
}

TEST_F(Run, AMissingBilletLineEndsTheRunAtOnce)
{
    Start("G00 X22 Z2\r\nG01 X16 Z0 F100");
    TrackRows();
    MessageBoxRecorder box;
    window->mnuRunStart_Click();
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].text, QStringLiteral("Billet Size Not Found"));
    EXPECT_EQ(box.shown[0].flags, 16);
    EXPECT_EQ(box.shown[0].title, platform::AppTitle); // no title of its own
    EXPECT_TRUE(seenRows.empty());
    EXPECT_EQ(StopSounds(), 1);
    ExpectIdle();
}

TEST_F(Run, AnUnreadableBilletLineIsReportedAndTheRunDoesNotStart)
{
    struct Case
    {
        QString line, named, rule;
    };
    const Case cases[] = {
        {"[BILLET X20  Z40", "length (Z)", "greater than 0"}, // no length, and no earlier run gave one
        {"[BILLET X20 Z-40", "length \"Z-40\"", "greater than 0"},
        {"[BILLET X-20 Z40", "diameter \"X-20\"", "greater than 0"},
        {"[BILLET X0 Z40", "diameter \"X0\"", "greater than 0"},
        {"[BILLET X20 Z0.04", "length \"Z0.04\"", "greater than 0"}, // less than a pixel
        {"[BILLET X20", "[BILLET X20"},
        {"[BILLET XAB Z40", "XAB"},
        {"[BILLET X20 Z", "Z"},
        {"[BILLET X4000 Z40", "X4000"},
        {"[billet x20 z40", "[BILLET"},
    };
    Start(Turning);
    TrackRows();
    for (const Case& c : cases) {
        Edit(c.line + "\r\nG01 X16 Z0 F100");
        seenRows.clear();
        sounds.clear();
        MessageBoxRecorder box;
        window->mnuRunStart_Click();
        ASSERT_EQ(box.shown.size(), 1u) << c.line.toStdString();
        EXPECT_EQ(box.shown[0].flags, 16);
        EXPECT_TRUE(box.shown[0].text.contains(c.named)) << box.shown[0].text.toStdString();
        EXPECT_TRUE(box.shown[0].text.contains(c.rule)) << box.shown[0].text.toStdString();
        EXPECT_TRUE(seenRows.empty()) << c.line.toStdString();
        EXPECT_EQ(StopSounds(), 1);
        ExpectIdle();
    }
}

TEST_F(Run, MessagesQuoteALongLineOrWordOnlyByItsBeginning)
{
    // Long, yet read as a short number: leading zeros.
    const QString zeros(3000, u'0');
    const auto cut = [](const QString& s) { return s.left(100) + QChar(0x2026); };
    struct Case
    {
        QString program, title, message;
    };
    const Case cases[] = {
        {"[BILLET X" + zeros + "99999 Z40", platform::AppTitle,
         "Line 1: The billet size \"" + cut("X" + zeros + "99999") + "\" in \"" + cut("[BILLET X" + zeros + "99999 Z40") +
             "\" is too large."},
        {"[BILLET X" + zeros + "20  Z40", platform::AppTitle,
         "Line 1: the billet line \"" + cut("[BILLET X" + zeros + "20  Z40") +
             "\" gives no length (Z) greater than 0, and no earlier run left one."},
        {"[BILLET X20 Z40\r\nG01 X" + zeros + "99999", "Error!",
         "The block \"" + cut("G01 X" + zeros + "99999") + "\" cannot be run: the value of \"" + cut("X" + zeros + "99999") +
             "\" lies outside the machine's range."},
        {"[BILLET X20 Z40\r\nG" + zeros + "99", "Syntax Error!", cut("G" + zeros + "99") + " is not a valid G Code"},
    };
    for (const Case& c : cases) {
        Start(c.program + "\r\nG01 X16 Z0 F100");
        MessageBoxRecorder box;
        window->mnuRunStart_Click();
        ASSERT_EQ(box.shown.size(), 1u) << c.message.toStdString();
        EXPECT_EQ(box.shown[0].text.toStdString(), c.message.toStdString());
        EXPECT_EQ(box.shown[0].title, c.title);
        ExpectIdle();
        Finish();
    }
}

TEST_F(Run, ARowWithACommentIsHighlightedButNotExecuted)
{
    Start("[BILLET X20 Z40\r\nG01 X10 Z-5 [finish");
    TrackRows();
    window->mnuRunStart_Click();
    EXPECT_EQ(seenRows, (std::vector<int>{0, 1}));
    ASSERT_FALSE(state.WorkPieceProfile.empty());
    for (const ProfileEntry& e : state.WorkPieceProfile)
        ASSERT_EQ(e.Radius, 100);

    Edit("[BILLET X20 Z40\r\nG01 X10 Z-5");
    window->mnuRunStart_Click();
    EXPECT_NE(state.WorkPieceProfile[0].Radius, 100); // the same move without the comment cuts
}

TEST_F(Run, PatternCycleCutsInShrinkingPassesThenTheContourOnceMore)
{
    for (const QString pq : {"P30 Q60", "P3 Q6"}) { // P3 finds the row numbered N30
        Start(G73Program(pq));
        struct Seen
        {
            int row;
            double x, z;
            bool operator==(const Seen&) const = default;
        };
        std::vector<Seen> seen;
        window->onYield = [&] {
            const Seen s{ExecutingRow(), state.PassOffsetX, state.PassOffsetZ};
            if (seen.empty() || !(seen.back() == s))
                seen.push_back(s);
        };
        window->mnuRunStart_Click();

        std::vector<std::pair<double, double>> offsets;
        for (const Seen& s : seen)
            if (offsets.empty() || offsets.back() != std::pair(s.x, s.z))
                offsets.emplace_back(s.x, s.z);
        EXPECT_EQ(offsets, (std::vector<std::pair<double, double>>{{0, 0}, {30, 10}, {17, 6}, {4, 2}, {0, 0}}))
            << pq.toStdString();
        std::vector<int> afterCycle;
        for (size_t i = seen.size(); i-- > 0 && seen[i].x == 0;)
            afterCycle.insert(afterCycle.begin(), seen[i].row);
        afterCycle.erase(std::unique(afterCycle.begin(), afterCycle.end()), afterCycle.end());
        // The contour rows run once more in the ordinary way after the cycle's own row.
        const std::vector<int> contour{4, 5, 6, 7, 8};
        ASSERT_GE(afterCycle.size(), contour.size());
        EXPECT_TRUE(std::equal(contour.begin(), contour.end(), afterCycle.end() - 5)) << pq.toStdString();
        EXPECT_EQ(state.PassOffsetX, 0.0);
        ExpectIdle();

        Finish();
    }
}

TEST_F(Run, BreakpointsAndInPlaceEditsMadeDuringARunTakeEffectWhenTheRowIsReached)
{
    const QString edited = "[BILLET X20 Z40\r\nG00 X22 Z2\r\nG01 X16 Z0 F100\r\nG01 X16 Z-10\r\nG01 X12 Z-20\r\nG01 X26 Z5";
    Start(edited);
    window->mnuRunStart_Click();
    const Result expected = Outcome();

    Edit(Turning);
    ShowGrid();
    window->EnableCommands("Save", false); // as after saving
    bool done = false;
    bool commandsKept = false;
    int heldAt = -1;
    window->onYield = [&] {
        if (!done && state.CurrentLine == 2) {
            done = true;
            ClickCell(5, 1);
            const QString before = CommandStates();
            DoubleClickCell(4, 2);
            window->txtDebug->setText(QStringLiteral("G01 X12 Z-20"));
            QTest::keyClick(window->txtDebug, Qt::Key_Return);
            // The rebuilt text leaves the run its commands.
            commandsKept = CommandStates() == before;
        }
    };
    window->onWait = [&] {
        heldAt = state.CurrentLine;
        window->mnuRunStart_Click();
    };
    window->mnuRunStart_Click();
    EXPECT_TRUE(done);
    EXPECT_TRUE(commandsKept);
    // The breakpoint set during the run held it at its row.
    EXPECT_EQ(heldAt, 5);
    EXPECT_EQ(Outcome().radii, expected.radii);
    EXPECT_EQ(window->TextEditor->Text(), edited);
    EXPECT_TRUE(Enabled("Save")); // the edit is not taken for saved when the run ends
    EXPECT_EQ(window->ProgressBar->maximum(), 6);
    EXPECT_EQ(window->ProgressBar->value(), 6);
}

// The grid shows the row as typed; Start reformats the editor's copy, and the run must
// execute that, not the raw row, whose lower-case words the interpreter ignores.
TEST_F(Run, AnUntidyInPlaceEditRunsAsReformattedAndKeepsTheBreakpoints)
{
    const QString edited = "[BILLET X20 Z40\r\nG00 X22 Z2\r\nG01 X16 Z0 F100\r\nG01 X16 Z-10\r\nG01 X12 Z-20\r\nG01 X26 Z5";
    Start(edited);
    window->mnuRunStart_Click();
    const Result expected = Outcome();
    Finish();

    for (const QString typed : {"g01 x12 z-20", "G01X12Z-20", "  g01X12 z-20 "}) {
        Start(Turning);
        ShowGrid();
        ClickCell(5, 1);
        DoubleClickCell(4, 2);
        ASSERT_TRUE(window->txtDebug && window->txtDebug->isVisible());
        window->txtDebug->setText(typed);
        QTest::keyClick(window->txtDebug, Qt::Key_Return);
        int heldAt = -1;
        window->onWait = [&] {
            heldAt = state.CurrentLine;
            window->mnuRunStart_Click();
        };
        window->mnuRunStart_Click();
        const std::string name = typed.toStdString();
        EXPECT_EQ(heldAt, 5) << name; // the breakpoint set before the edit still holds
        EXPECT_EQ(Grid().TextMatrix(4, 2), QStringLiteral("G01 X12 Z-20")) << name;
        EXPECT_EQ(Grid().TextMatrix(5, 3), QStringLiteral("BP")) << name;
        EXPECT_EQ(Outcome().radii, expected.radii) << name;
        EXPECT_EQ(Outcome().picture, expected.picture) << name;
        ExpectIdle();
        Finish();
    }
}

// A file with lower-case and run-together words opened while the grid shows: the grid holds
// its raw lines until Start, which runs the reformatted text, row by row when the line count
// stays (breakpoints kept) and refilled when reformatting dropped lines.
TEST_F(Run, AnUntidyFileOpenedWhileTheGridShowsRunsAsReformatted)
{
    Start(Turning);
    window->mnuRunStart_Click();
    const Result expected = Outcome();
    const QStringList tidy = Turning.split("\r\n");
    Finish();

    struct Case
    {
        const char* name;
        QByteArray file;
        bool breakpointKept;
        QStringList rows;
    };
    const Case cases[] = {
        {"same lines", "[BILLET X20 Z40\ng00x22z2\ng01 x16 z0 f100\nG01X16Z-10\ng01 x20  z-20\ng01 x26 z5", true, tidy},
        {"blank lines", "[BILLET X20 Z40\r\n\r\ng00x22z2\r\ng01 x16 z0 f100\r\n  \t \r\nG01X16Z-10\r\ng01 x20 z-20\r\ng01 x26 z5\r\n\r\n", false, tidy + QStringList{""}},
    };
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const Case& c : cases) {
        const QString path = dir.filePath("untidy.cnc");
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(c.file);
        f.close();

        Start();
        ShowGrid();
        {
            const platform::ScopedHook answered(platform::SetFileDialogHandler, [&](const platform::FileDialogRequest&) {
                return std::optional<QString>(path);
            });
            window->mnuFileOpen_Click();
        }
        ASSERT_FALSE(Grid().isHidden()) << c.name;
        bool raw = false; // the grid shows the file's lines as they stand
        for (int r = 0; r < Grid().Rows(); ++r)
            raw = raw || Grid().TextMatrix(r, 2) == QStringLiteral("g00x22z2");
        ASSERT_TRUE(raw) << c.name;
        ClickCell(5, 1);
        window->onWait = [&] { window->mnuRunStart_Click(); };
        window->mnuRunStart_Click();

        ASSERT_EQ(Grid().Rows(), c.rows.size()) << c.name;
        for (int r = 0; r < Grid().Rows(); ++r)
            EXPECT_EQ(Grid().TextMatrix(r, 2), c.rows[r]) << c.name << " row " << r;
        EXPECT_EQ(Grid().TextMatrix(5, 3), c.breakpointKept ? QStringLiteral("BP") : QString()) << c.name;
        EXPECT_EQ(Outcome().radii, expected.radii) << c.name;
        EXPECT_EQ(Outcome().picture, expected.picture) << c.name;
        ExpectIdle();
        Finish();
    }
}

TEST_F(Run, ABreakpointSetDuringARunPausesAtItsRow)
{
    Start(Turning);
    ShowGrid();
    window->onYield = [&] {
        if (state.CurrentLine == 1 && Grid().TextMatrix(4, 3).isEmpty())
            ClickCell(4, 1);
    };
    std::vector<int> heldAt;
    window->onWait = [&] {
        heldAt.push_back(state.CurrentLine);
        window->mnuRunStart_Click();
    };
    window->mnuRunStart_Click();
    EXPECT_EQ(heldAt, std::vector<int>{4});
    EXPECT_EQ(Grid().TextMatrix(4, 3), QStringLiteral("BP"));
}

TEST_F(Run, RunToBreakpointDuringARunStartsAfreshFromTheFirstRow)
{
    Start(Turning);
    window->mnuRunStart_Click();
    const Result straight = Outcome();

    bool restarted = false;
    std::vector<int> lines;
    window->onYield = [&] {
        if (lines.empty() || lines.back() != state.CurrentLine)
            lines.push_back(state.CurrentLine);
        if (!restarted && state.CurrentLine == 3) {
            restarted = true;
            window->mnuRunRunToBreakpoint_Click();
        }
    };
    window->mnuRunStart_Click();
    // The interrupted loop leaves first; the new run starts from the first row.
    EXPECT_EQ(lines, (std::vector<int>{0, 1, 2, 3, 0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(Outcome().radii, straight.radii);
    EXPECT_TRUE(state.RunToBreakpoint);
    ExpectIdle();
}

TEST_F(Run, StopInTheMiddleOfThePassesLeavesTheOffsetsAtZero)
{
    Start(G73Program("P30 Q60"));
    int lastLine = 0;
    window->onYield = [&] {
        if (state.PassOffsetX == 17.0 && Enabled("Stop"))
            window->mnuRunStop_Click();
        lastLine = std::max(lastLine, state.CurrentLine);
    };
    window->mnuRunStart_Click();
    EXPECT_EQ(state.PassOffsetX, 0.0);
    EXPECT_EQ(state.PassOffsetZ, 0.0);
    EXPECT_EQ(lastLine, 3);
    ExpectIdle();
}

TEST_F(Run, RunToBreakpointWithAnEmptyEditorEndsThroughStop)
{
    Start();
    ASSERT_FALSE(Enabled("Start"));
    MessageBoxRecorder box;
    window->mnuRunRunToBreakpoint_Click();
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].text, QStringLiteral("Billet Size Not Found"));
    EXPECT_EQ(Grid().Rows(), 0);
    EXPECT_TRUE(state.RunToBreakpoint);
    EXPECT_EQ(StopSounds(), 1);
    ExpectIdle();
}

TEST_F(Run, ClosingTheWindowDuringARunEndsTheRunLoop)
{
    for (const bool whilePaused : {false, true}) {
        Start(Turning);
        int lastLine = 0;
        bool closed = false;
        window->realWait = true; // the real wait must end on the close
        MessageBoxRecorder answer(platform::vbNo); // the edited program is not saved
        window->onYield = [&] {
            if (!closed && state.CurrentLine == 2) {
                closed = true;
                if (whilePaused) {
                    window->mnuRunPause_Click();
                    QTimer::singleShot(30, window.get(), [this] { window->close(); });
                } else {
                    window->close();
                }
            }
            lastLine = std::max(lastLine, state.CurrentLine);
        };
        window->mnuRunStart_Click();
        EXPECT_TRUE(closed);
        EXPECT_TRUE(state.StopRequested);
        EXPECT_FALSE(window->isVisible());
        EXPECT_LE(lastLine, 3) << whilePaused;
        Finish();
    }
}

TEST_F(Run, MenuShortcutsOfTheDisabledMenusDoNotFireDuringARun)
{
    Start(Turning);
    ShowGrid();
    ASSERT_TRUE(Grid().isVisible());
    const QString text = window->TextEditor->Text();
    bool sent = false;
    bool gridStayed = false;
    window->onYield = [&] {
        if (sent || state.CurrentLine != 2)
            return;
        sent = true;
        for (const QKeyCombination key : {Qt::CTRL | Qt::Key_T, Qt::CTRL | Qt::Key_N, Qt::CTRL | Qt::Key_O,
                                          Qt::CTRL | Qt::Key_S, Qt::CTRL | Qt::Key_D})
            QTest::keyClick(window.get(), key.key(), key.keyboardModifiers());
        gridStayed = Grid().isVisible() && !window->TextEditor->isVisible();
        QTest::keyClick(window.get(), Qt::Key_F6); // the Run menu's own keys stay live
    };
    window->onWait = [&] { window->mnuRunStart_Click(); };
    window->mnuRunStart_Click();
    EXPECT_TRUE(sent);
    EXPECT_GT(window->waits, 0);
    EXPECT_TRUE(gridStayed);
    EXPECT_EQ(fileDialogs, 0);
    EXPECT_EQ(window->TextEditor->Text(), text);

    // After the run the shortcuts work again.
    QTest::keyClick(window.get(), Qt::Key_T, Qt::ControlModifier);
    EXPECT_TRUE(window->TextEditor->isVisible());
}

} // namespace

TEST_F(Run, AFreshStartInsideARunKeepsTheDocumentUnsaved)
{
    struct Case
    {
        const char* name;
        bool firstFast; // Run To Breakpoint rather than Start
    } cases[] = {{"F5 then Ctrl+F5", false}, {"Ctrl+F5 twice", true}};
    for (const Case& c : cases) {
        Start(Turning); // typed, not saved
        ASSERT_TRUE(Enabled("Save"));
        bool pressed = false;
        window->onYield = [&] {
            if (!pressed && state.CurrentLine == 2) {
                pressed = true;
                window->mnuRunRunToBreakpoint_Click();
            }
        };
        c.firstFast ? window->mnuRunRunToBreakpoint_Click() : window->mnuRunStart_Click();
        EXPECT_TRUE(pressed) << c.name;
        EXPECT_TRUE(Enabled("Save")) << c.name;
        // Closing still asks.
        MessageBoxRecorder answer(platform::vbCancel);
        window->close();
        ASSERT_EQ(answer.shown.size(), 1u) << c.name;
        EXPECT_EQ(answer.shown[0].title, QStringLiteral("Save Changes?"));
        EXPECT_TRUE(window->isVisible());
        Finish();
    }
}

TEST_F(Run, ClosingDuringARunAsksAboutUnsavedChanges)
{
    QTemporaryDir scratch;
    const QString saved = QDir(scratch.path()).filePath("closed.cnc");
    struct Case
    {
        int answer;
        bool closes;
        bool written;
    } cases[] = {{platform::vbCancel, false, false}, {platform::vbNo, true, false}, {platform::vbYes, true, true}};
    for (const Case& c : cases) {
        QFile::remove(saved);
        Start(Turning);
        platform::SetFileDialogHandler([&](const platform::FileDialogRequest&) { return std::optional<QString>(saved); });
        std::vector<ShownMessage> asked;
        int lastLine = 0;
        window->onYield = [&] {
            if (asked.empty() && state.CurrentLine == 2) {
                MessageBoxRecorder answer(c.answer);
                window->close();
                asked = answer.shown;
            }
            lastLine = std::max(lastLine, state.CurrentLine);
        };
        window->mnuRunStart_Click();
        ASSERT_EQ(asked.size(), 1u) << c.answer;
        EXPECT_EQ(asked[0].text, QStringLiteral("Save changes to Untitled?"));
        EXPECT_EQ(window->isVisible(), !c.closes) << c.answer;
        // Cancel keeps the run going to its end; the others end it.
        EXPECT_EQ(lastLine, c.closes ? 2 : 5) << c.answer;
        EXPECT_EQ(QFile::exists(saved), c.written) << c.answer;
        if (c.written) {
            QFile f(saved);
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            EXPECT_EQ(QString::fromUtf8(f.readAll()), window->TextEditor->Text());
        }
        if (!c.closes)
            ExpectIdle();
        Finish();
    }
}

// What the user sends while the fresh start shows the grid, which yields.
TEST_F(Run, WhatComesDuringTheFreshStartsOwnYieldIsNotUndone)
{
    enum Action { Close, StopKey, FastKey, FastKeyThenStop };
    for (const Action action : {Close, StopKey, FastKey, FastKeyThenStop}) {
        Start(Turning);
        ASSERT_TRUE(window->mnuViewTextEditor->isChecked());
        int yields = 0, rowsRun = 0;
        bool runningStateSeen = false, halfState = false;
        window->onYield = [&] {
            if (++yields == 1) { // showing the grid
                MessageBoxRecorder answer(platform::vbNo);
                if (action == Close)
                    window->close();
                else if (action == StopKey)
                    window->mnuRunStop_Click();
                else
                    window->mnuRunRunToBreakpoint_Click();
                if (action == FastKeyThenStop)
                    window->mnuRunStop_Click();
                return;
            }
            rowsRun = std::max(rowsRun, state.CurrentLine + 1);
            runningStateSeen = Enabled("Pause") && Enabled("Stop") && !window->mnuFile->menuAction()->isEnabled() &&
                               !window->mnuView->menuAction()->isEnabled() && !Enabled("New") && !Enabled("Open");
            halfState = halfState || !runningStateSeen;
        };
        window->mnuRunStart_Click();
        switch (action) {
        case Close:
            EXPECT_FALSE(window->isVisible());
            EXPECT_EQ(rowsRun, 0) << "the program ran on after the close";
            break;
        case StopKey:
        case FastKeyThenStop:
            EXPECT_EQ(rowsRun, 0) << action;
            ExpectIdle();
            break;
        case FastKey:
            EXPECT_EQ(rowsRun, 6);
            EXPECT_TRUE(runningStateSeen);
            EXPECT_FALSE(halfState);
            ExpectIdle();
            break;
        }
        Finish();
    }
}

TEST_F(Run, ARestartWhoseTextFailsTheCheckStopsTheRunCleanly)
{
    Start(Turning);
    ShowGrid();
    bool pressed = false, halfState = false;
    int yieldsAfter = 0;
    window->onYield = [&] {
        if (pressed) {
            ++yieldsAfter;
            // Running (Pause and Stop on, Start off) or stopped, never a mixture.
            halfState = halfState || (Enabled("Stop") && (Enabled("Start") || Enabled("Print")));
            return;
        }
        if (state.CurrentLine == 2) {
            pressed = true;
            DoubleClickCell(4, 2);
            window->txtDebug->setText(QStringLiteral("G01 X10 Y5")); // no Y on a lathe
            QTest::keyClick(window->txtDebug, Qt::Key_Return);
            MessageBoxRecorder box;
            window->mnuRunRunToBreakpoint_Click();
            EXPECT_EQ(box.shown.size(), 0u); // the check comes once the run has unwound
        }
    };
    MessageBoxRecorder box;
    window->mnuRunStart_Click();
    ASSERT_TRUE(pressed);
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].title, QStringLiteral("Syntax Error!"));
    EXPECT_FALSE(halfState);
    ExpectIdle();
    EXPECT_TRUE(Enabled("Save")); // the edit stays unsaved
}

TEST_F(Run, AnInPlaceEditLeavesAPausedRunPaused)
{
    Start(Turning);
    ShowGrid();
    bool edited = false, stillPaused = false;
    QString before, after;
    window->onYield = [&] {
        if (!edited && state.CurrentLine == 2)
            window->mnuRunPause_Click();
    };
    window->onWait = [&] {
        if (!edited) {
            edited = true;
            before = CommandStates();
            DoubleClickCell(4, 2);
            window->txtDebug->setText(QStringLiteral("G01 X12 Z-20"));
            QTest::keyClick(window->txtDebug, Qt::Key_Return);
            after = CommandStates();
            stillPaused = Paused();
            return;
        }
        if (window->waits > 5)
            window->mnuRunStart_Click();
    };
    window->mnuRunStart_Click();
    ASSERT_TRUE(edited);
    EXPECT_EQ(after, before);
    EXPECT_TRUE(stillPaused);
    EXPECT_GT(window->waits, 5); // it waited for the user's Start
    EXPECT_EQ(Grid().TextMatrix(4, 2), QStringLiteral("G01 X12 Z-20"));
    EXPECT_TRUE(window->TextEditor->Text().contains(QStringLiteral("G01 X12 Z-20")));
    ExpectIdle();
    EXPECT_TRUE(Enabled("Save"));
}

TEST_F(Run, RunToBreakpointInsideThePassesRestartsWithoutTheInterruptedCycle)
{
    Start(G73Program("P30 Q60"));
    MessageBoxRecorder box;
    window->mnuRunStart_Click();
    const Result straight = Outcome();
    ASSERT_TRUE(box.shown.empty());

    bool pressed = false;
    int litAtRestart = -1; // rows lit when the new run highlights its first row
    window->onYield = [&] {
        if (!pressed && state.PassOffsetX == 17.0) {
            pressed = true;
            window->mnuRunRunToBreakpoint_Click();
            return;
        }
        if (pressed && litAtRestart < 0 && state.CurrentLine == 0) {
            litAtRestart = 0;
            for (int r = 0; r < Grid().Rows(); ++r)
                litAtRestart += Grid().CellPicture(r, 1).isNull() ? 0 : 1;
        }
    };
    window->mnuRunStart_Click();
    ASSERT_TRUE(pressed);
    EXPECT_TRUE(box.shown.empty()) << box.shown.front().text.toStdString();
    EXPECT_EQ(litAtRestart, 1);
    EXPECT_EQ(Outcome().radii, straight.radii);
    EXPECT_TRUE(Outcome().picture == straight.picture);
    ExpectIdle();
}

TEST_F(Run, HoldingRunToBreakpointDoesNotNestStarts)
{
    Start(Turning);
    MessageBoxRecorder box;
    window->mnuRunStart_Click();
    const Result straight = Outcome();

    int presses = 0;
    const char* deepest = nullptr;
    const char* shallowest = nullptr;
    window->onYield = [&] {
        const char here = 0;
        if (!deepest || &here < deepest)
            deepest = &here;
        if (!shallowest || &here > shallowest)
            shallowest = &here;
        if (presses < 3000) {
            ++presses;
            window->mnuRunRunToBreakpoint_Click();
        }
    };
    window->mnuRunStart_Click();
    EXPECT_EQ(presses, 3000);
    // Every yield happens at about the same depth: the restarts do not pile up.
    EXPECT_LT(shallowest - deepest, 64 * 1024);
    EXPECT_EQ(Outcome().radii, straight.radii);
    ExpectIdle();
}

TEST_F(Run, AStartWithNeitherPaneShownRunsTheTextTheUserHas)
{
    Start(Turning);
    window->mnuRunStart_Click();
    ASSERT_EQ(state.BilletDiameter, 200);
    ASSERT_FALSE(Grid().isHidden());
    const QString wider = "[BILLET X30 Z50\r\nG00 X32 Z2\r\nG01 X26 Z0 F100\r\nG01 X26 Z-10";
    Edit(wider);
    window->mnuViewTextEditor_Click(); // hides the editor: neither pane shows
    ASSERT_TRUE(window->TextEditor->isHidden());
    ASSERT_TRUE(Grid().isHidden());
    MessageBoxRecorder box;
    window->mnuRunStart_Click();
    EXPECT_TRUE(box.shown.empty());
    EXPECT_EQ(state.BilletDiameter, 300);
    EXPECT_EQ(state.BilletLength, 500);
    ASSERT_EQ(Grid().Rows(), 4);
    EXPECT_EQ(Grid().TextMatrix(3, 2), QStringLiteral("G01 X26 Z-10"));
    EXPECT_TRUE(Grid().isHidden());
    ExpectIdle();
}
