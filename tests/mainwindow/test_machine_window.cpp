// Machine functions through the real window: the splash at start-up and as the About box,
// notices, the spindle and coolant panels, the end of a run at M30, and the tool change.
#include "test_run_window.h"

#include "interpreter/ModCNC.h"
#include "mainwindow/PanelStatusBar.h"
#include "splash/frmInfo.h"
#include "splash/frmSplash.h"

#include <QAccessible>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QtGui/qpa/qwindowsysteminterface.h>
#include <QTimer>
#include <QWindow>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace {

class Machine : public RunWindow
{
protected:
    // A program folder of our own: the shipped default tool, a green grooving tool and a
    // tool list, so that M06 has something to load.
    void MakeToolsFolder(const QByteArray& toolList)
    {
        const QString real = platform::AppPath();
        QDir(folder.path()).mkpath("tools");
        for (const char* name : {"tool.bmp", "tool.ini"})
            ASSERT_TRUE(QFile::copy(real + "/tools/" + name, folder.path() + "/tools/" + name));
        QImage groove(20, 60, QImage::Format_RGB32);
        groove.fill(QColor(255, 0, 255));
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 8; ++x)
                groove.setPixelColor(x, y, Green);
        ASSERT_TRUE(groove.save(folder.path() + "/tools/Groove.bmp", "BMP"));
        WriteFile("tools/Groove.ini", "TOOLNAME=Grooving tool\r\nTOOLWIDTH=20\r\nTOOLHEIGHT=60\r\n");
        WriteFile("tools/ToolList.ini", toolList);
        appPath_.emplace(platform::SetAppPathForTesting, folder.path());
    }
    void WriteFile(const QString& name, const QByteArray& bytes) { WriteFileBytes(folder.path() + '/' + name, bytes); }
    void TearDown() override
    {
        RunWindow::TearDown();
        appPath_.reset();
    }
    int GreenPixels()
    {
        const QImage& p = window->graphics().SimDC();
        int n = 0;
        for (int y = 0; y < p.height(); ++y)
            for (int x = 0; x < p.width(); ++x)
                n += QColor(p.pixel(x, y)) == Green;
        return n;
    }

    static inline const QColor Green{0, 180, 0};
    QTemporaryDir folder;
    std::optional<platform::ScopedHook<QString>> appPath_;
};

const QString Lathe = "[BILLET X40 Z60\r\n"
                      "G21\r\n"
                      "M03 S1200\r\n"
                      "M08\r\n"
                      "G00 X44 Z2\r\n"
                      "G01 X36 Z-20 F0.2\r\n"
                      "G00 X44 Z2\r\n"
                      "T2 M06\r\n"
                      "M10\r\n"
                      "G01 X30 Z-10 F0.1\r\n"
                      "G00 X44 Z-5\r\n"
                      "M05\r\n"
                      "M09\r\n"
                      "M30\r\n"
                      "G00 X20 Z-50";

} // namespace

TEST_F(Machine, ALatheProgramRunsItsMachineFunctionsAndEndsAtM30)
{
    MakeToolsFolder("0=tool.bmp\r\n1=tool.bmp\r\n2=groove.bmp\r\n");
    Start(Lathe);
    ModalRecorder modal;
    QStringList coolantSeen;
    int greenBeforeChange = -1;
    int lastRow = -1;
    window->onYield = [&] {
        coolantSeen << window->PanelText("Coolant");
        lastRow = std::max(lastRow, window->state().CurrentLine);
        if (lastRow == 6 && greenBeforeChange < 0)
            greenBeforeChange = GreenPixels();
    };
    MessageBoxRecorder boxes;
    window->mnuRunStart_Click();

    EXPECT_TRUE(boxes.shown.empty()) << boxes.shown.front().text.toStdString();
    EXPECT_TRUE(coolantSeen.contains("Coolant: ON"));
    EXPECT_EQ(window->PanelText("SpindleSpeed"), "S 0");
    EXPECT_EQ(window->PanelText("SpindleDirection"), "");
    EXPECT_EQ(window->PanelText("Coolant"), "Coolant: OFF");
    EXPECT_EQ(window->PanelText("Dim"), "mm");
    EXPECT_EQ(modal.shown, QStringList{"frmInfo"}) << "M10 holds the block in a modal notice";

    // The grooving tool cut after its M06, and the row after M30 never ran.
    EXPECT_EQ(greenBeforeChange, 0);
    EXPECT_GT(GreenPixels(), 0);
    EXPECT_EQ(state.ToolWidth, 20);
    EXPECT_EQ(state.ToolHeight, 60);
    EXPECT_EQ(lastRow, 13);
    ExpectIdle();

    ASSERT_NE(window->Notice(), nullptr);
    EXPECT_EQ(window->Notice()->lblInfo->text(), "Program end and reset");
    EXPECT_TRUE(window->Notice()->isVisible());
}

TEST_F(Machine, ABadToolListIsReportedOncePerRun)
{
    MakeToolsFolder("0=tool.bmp\r\nfive=groove.bmp\r\n2=groove.bmp\r\n99=tool.bmp\r\n");
    Start("[BILLET X40 Z60\r\nT2 M06\r\nT2 M06\r\nT0 M06");
    MessageBoxRecorder boxes;
    window->mnuRunStart_Click();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(boxes.shown[0].text.contains("ToolList.ini")) << boxes.shown[0].text.toStdString();
    EXPECT_TRUE(boxes.shown[0].text.contains("line 2: \"five=groove.bmp\"")) << boxes.shown[0].text.toStdString();
    EXPECT_EQ(state.ToolWidth, 67) << "the good lines still count: tool 0 is the default picture";
    window->mnuRunStart_Click();
    EXPECT_EQ(boxes.shown.size(), 2u);
}

TEST_F(Machine, AToolPictureCutShortIsRefusedAtTheToolChangeAndAsTheDefaultTool)
{
    MakeToolsFolder("0=tool.bmp\r\n2=groove.bmp\r\n");
    const auto firstBytes = [this](const char* name) {
        QFile f(folder.path() + "/tools/" + name);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.read(200);
    };
    WriteFile("tools/Groove.bmp", firstBytes("Groove.bmp"));
    Start("[BILLET X40 Z60\r\nG00 X44 Z2\r\nT2 M06\r\nG01 X30 Z-10 F0.1");
    MessageBoxRecorder boxes;
    window->mnuRunStart_Click();
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_TRUE(boxes.shown[0].text.endsWith("Groove.bmp is missing or is not a readable bitmap. The current tool stays."))
        << boxes.shown[0].text.toStdString();
    EXPECT_EQ(state.ToolWidth, 67);
    EXPECT_EQ(GreenPixels(), 0);
    ExpectIdle();

    WriteFile("tools/tool.bmp", firstBytes("tool.bmp"));
    boxes.shown.clear();
    window->mnuRunStart_Click();
    ASSERT_FALSE(boxes.shown.empty());
    EXPECT_EQ(boxes.shown[0].text, "Invalid picture");
    ExpectIdle();
}

TEST_F(Machine, NoticesShareOneWindowThatKeepsItsPlaceAndTheKeyboard)
{
    Start();
    window->SetNoticeText("Spindle Start CW");
    window->ShowNotice(0, 2000);
    QPointer<frmInfo> first = window->Notice();
    ASSERT_TRUE(first);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(first));
    const QPoint placed = first->pos();
    const QRect screen = window->screen()->geometry();
    EXPECT_EQ(placed.x(), screen.left() + (screen.width() * 15 - 6120 - 100) / 15);
    // Whether the keyboard stays is a question for a display (tests/windowfocus).

    window->SetNoticeText("Coolant: ON");
    window->ShowNotice(0, 2000);
    EXPECT_EQ(window->Notice(), first.data());
    EXPECT_EQ(first->lblInfo->text(), "Coolant: ON");
    EXPECT_EQ(first->pos(), placed);

    // A modal notice cannot take over a visible window: the earlier one ends first.
    ModalRecorder modal;
    bool firstGoneWhenShown = false;
    modal.answer = [&](QDialog& d) { firstGoneWhenShown = &d != first.data() && (!first || first->IsUnloaded()); };
    window->SetNoticeText("Chuck OPEN");
    window->ShowNotice(1, 500);
    EXPECT_EQ(modal.shown, QStringList{"frmInfo"});
    EXPECT_TRUE(firstGoneWhenShown);
}

TEST_F(Machine, AModalNoticeHoldsTheBlockUntilItHasFadedOut)
{
    Start();
    ModalRecorder modal;
    modal.answer = [](QDialog& d) { platform::ShowModalForReal(d); };
    QElapsedTimer clock;
    clock.start();
    window->cnc().ExecuteBlock("M38");
    EXPECT_GE(clock.elapsed(), 500);
    EXPECT_EQ(window->Notice(), nullptr) << "the block goes on only once the window has closed";
}

// Every notice the window shows, with how long after its showing its hold ended.
struct HoldTimes : QObject
{
    HoldTimes() { qApp->installEventFilter(this); }
    ~HoldTimes() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* info = qobject_cast<frmInfo*>(watched);
        if (info && event->type() == QEvent::Show) {
            // Before the window's own show handler, which starts the hold.
            auto shown = std::make_shared<QElapsedTimer>();
            shown->start();
            const int hold = info->Timer4->interval();
            QObject::connect(
                info->Timer4, &QTimer::timeout, info,
                [this, shown, hold] { held.push_back({hold, int(shown->elapsed())}); }, Qt::SingleShotConnection);
        }
        return false;
    }
    std::vector<std::pair<int, int>> held; // {hold time, ms from showing to its end}
};

TEST_F(Machine, NoNoticeEndsItsHoldEarly)
{
    Start();
    ModalRecorder modal;
    modal.answer = [](QDialog& d) { platform::ShowModalForReal(d); };
    HoldTimes times;
    for (const char* block : {"M10", "M11", "M38", "M39"})
        window->cnc().ExecuteBlock(block);
    window->cnc().ExecuteBlock("M03");
    QPointer<frmInfo> modeless = window->Notice();
    ASSERT_TRUE(modeless);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !modeless; }, 5000));

    ASSERT_EQ(times.held.size(), 5u);
    for (const auto& [hold, elapsed] : times.held)
        EXPECT_GE(elapsed, hold) << "a notice of " << hold << " ms held for " << elapsed << " ms";
}

TEST_F(Machine, TheSplashShowsBeforeTheWindowAtStartUpAndAsTheAboutBox)
{
    ModalRecorder modal;
    bool windowHidden = false;
    std::vector<int> alphas;
    modal.answer = [&](QDialog& d) {
        windowHidden = !window || !window->isVisible();
        alphas.push_back(static_cast<frmSplash&>(d).Alpha);
    };
    {
        MessageBoxRecorder boxes;
        window = std::make_unique<RunTestWindow>(state, settings, store);
        window->Form_Load(); // the first start: SplashScreen is on by default
    }
    EXPECT_EQ(modal.shown, QStringList{"frmSplash"});
    EXPECT_TRUE(windowHidden);
    window->show();
    window->mnuHelpAbout_Click();
    window->mnuHelpAbout_Click();
    EXPECT_EQ(modal.shown, (QStringList{"frmSplash", "frmSplash", "frmSplash"}));
    EXPECT_EQ(alphas, (std::vector<int>{0, 0, 0})) << "each showing fades in from transparent";
    Finish();

    // Switched off, start-up shows nothing.
    GlobalVariables::SaveDefaultSettings(store);
    store.Put("General", "SplashScreen", "0");
    modal.shown.clear();
    MessageBoxRecorder boxes;
    window = std::make_unique<RunTestWindow>(state, settings, store);
    window->Form_Load();
    EXPECT_TRUE(modal.shown.isEmpty());
}

TEST_F(Machine, TheStatusBarIsReadAsAStatusBarWithItsPanels)
{
    Start();
    QAccessibleInterface* bar = QAccessible::queryAccessibleInterface(window->StatusBar);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->role(), QAccessible::StatusBar);
    ASSERT_EQ(bar->childCount(), 9);
    window->SetPanelText("Coolant", "Coolant: ON");
    QStringList names;
    for (int i = 0; i < bar->childCount(); ++i)
        names << bar->child(i)->text(QAccessible::Name);
    EXPECT_TRUE(names.contains("Coolant: ON"));
    EXPECT_TRUE(names.contains("Untitled"));
    EXPECT_EQ(bar->indexOfChild(bar->child(3)), 3);
}

namespace {

// A program whose modal notices come one after another, then a move.
const QString ModalCodes = "[BILLET X40 Z60\r\n"
                           "M10\r\n"
                           "M11\r\n"
                           "M38\r\n"
                           "M39\r\n"
                           "G01 X30 Z-10 F0.1";

class ModalNotices : public Machine
{
protected:
    // Every modal notice is shown for real; `duringFirst` runs inside the first one, a little
    // after it has shown, through the window system as a user's key or close would come.
    void ShowForReal(std::function<void(QDialog&)> duringFirst)
    {
        modal.answer = [this, duringFirst](QDialog& d) {
            if (!qobject_cast<frmInfo*>(&d))
                return;
            if (held.empty())
                QTimer::singleShot(100, &d, [&d, duringFirst] { duringFirst(d); });
            QElapsedTimer clock;
            clock.start();
            platform::ShowModalForReal(d);
            held.push_back(int(clock.elapsed()));
        };
    }
    void ExpectEveryNoticeHeld()
    {
        for (const int ms : held)
            EXPECT_GE(ms, 500) << "a notice keeps holding its block";
    }

    ModalRecorder modal;
    std::vector<int> held; // ms each modal notice held its block, in the order shown
};

void Press(QDialog& notice, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(notice.windowHandle(), key, modifiers);
}

} // namespace

TEST_F(ModalNotices, TheRunKeysPressedDuringANoticeAreCarriedOutOnceItHasClosed)
{
    struct Case
    {
        const char* what;
        QString program;
        bool stepMode;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        // What the run looks like once it has ended.
        std::function<void(RunTestWindow&, int waits, size_t notices)> expect;
    };
    const QString moves = "G01 X30 Z-10 F0.1\r\nG01 X20 Z-20\r\n";
    const std::vector<Case> cases{
        {"F7 stops the run: no later notice shows", ModalCodes, false, Qt::Key_F7, Qt::NoModifier,
         [](RunTestWindow&, int, size_t notices) { EXPECT_EQ(notices, 1u); }},
        {"F6 pauses the run: it waits at the next move", "[BILLET X40 Z60\r\nM10\r\n" + moves, false, Qt::Key_F6,
         Qt::NoModifier,
         [](RunTestWindow&, int waits, size_t) { EXPECT_GT(waits, 0); }},
        {"F5 resumes a paused run: it does not wait at the next move", "[BILLET X40 Z60\r\nM00 M10\r\n" + moves,
         false, Qt::Key_F5, Qt::NoModifier, [](RunTestWindow&, int waits, size_t) { EXPECT_EQ(waits, 0); }},
        {"F8 ends step mode while paused after a step", "[BILLET X40 Z60\r\nM10\r\n" + moves, true, Qt::Key_F8,
         Qt::NoModifier,
         [](RunTestWindow& w, int, size_t) {
             EXPECT_FALSE(w.mnuRunStepInto->isChecked());
             EXPECT_FALSE(w.ToolbarButton("Step")->isChecked());
         }},
        {"Ctrl+F5 starts the run again in fast mode", "[BILLET X40 Z60\r\nM10\r\n" + moves, false, Qt::Key_F5,
         Qt::ControlModifier,
         [this](RunTestWindow&, int, size_t notices) {
             EXPECT_TRUE(state.RunToBreakpoint);
             EXPECT_EQ(notices, 2u) << "the run started again from its first row";
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Start(c.program);
        held.clear();
        if (c.stepMode)
            window->mnuRunStepInto_Click();
        ShowForReal([&c](QDialog& notice) { Press(notice, c.key, c.modifiers); });
        // A pause that nothing ends would hold the test: the run is stopped after a while.
        window->onWait = [this] {
            if (window->waits > 50)
                window->mnuRunStop_Click();
        };
        window->mnuRunStart_Click();

        c.expect(*window, window->waits, held.size());
        ExpectEveryNoticeHeld();
        ExpectIdle();
        Finish();
    }
}

TEST_F(ModalNotices, ACloseRequestDuringANoticeIsCarriedOutOnceItHasClosed)
{
    for (const int answer : {platform::vbNo, platform::vbCancel}) {
        SCOPED_TRACE(answer == platform::vbNo ? "No" : "Cancel");
        Start(ModalCodes);
        held.clear();
        ShowForReal([this](QDialog&) { QWindowSystemInterface::handleCloseEvent(window->windowHandle()); });
        MessageBoxRecorder boxes(answer);
        window->mnuRunStart_Click();

        ASSERT_EQ(boxes.shown.size(), 1u) << "the program has unsaved changes";
        EXPECT_EQ(boxes.shown[0].text, "Save changes to Untitled?");
        EXPECT_EQ(boxes.shown[0].title, "Save Changes?");
        ExpectEveryNoticeHeld();
        if (answer == platform::vbNo) {
            EXPECT_FALSE(window->isVisible()) << "closed";
            EXPECT_EQ(held.size(), 1u) << "the run was abandoned";
        } else {
            EXPECT_TRUE(window->isVisible()) << "Cancel keeps the window";
            EXPECT_EQ(held.size(), 4u) << "and the run goes on";
            ExpectIdle();
        }
        Finish();
    }
}
