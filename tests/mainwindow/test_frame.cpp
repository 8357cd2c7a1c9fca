// The main window's frame through the real window: start-up, layout, status bar, menus,
// toolbar, view options, command switching and closing.
#include "TestSupport.h"

#include "mainwindow/PanelStatusBar.h"
#include "mainwindow/SimPicture.h"
#include "mainwindow/ToolbarCustomizeDialog.h"
#include "mainwindow/frmMain.h"
#include "platform/widgets/FlexGrid.h"
#include "platform/widgets/RichTextBox.h"
#include "settings/GlobalVariables.h"
#include "shared/SharedState.h"
#include "simulation/Graphics.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QToolBar>

namespace {

class Frame : public ::testing::Test
{
protected:
    void Start()
    {
        window = std::make_unique<frmMain>(state, settings, store);
        window->Form_Load();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        QTest::qWait(20);
    }

    void TearDown() override
    {
        if (window) {
            MessageBoxRecorder answer(platform::vbNo);
            window->close();
        }
    }

    std::vector<RecordingStore::Write> ViewWrites() const
    {
        std::vector<RecordingStore::Write> out;
        for (const auto& w : store.writes)
            if (w.section == "ViewOptions" || w.section == "Toolbar")
                out.push_back(w);
        return out;
    }

    // Lays the window out as if its inner area had this size.
    void SetInnerSize(int width, int height)
    {
        window->Client->resize(width, height);
        QCoreApplication::processEvents();
    }

    void Repaint()
    {
        window->Client->repaint();
        QCoreApplication::processEvents();
    }

    QWidget* ButtonWidget(const QString& key) { return window->Toolbar->widgetForAction(window->ToolbarButton(key)); }

    RecordingStore store;
    SharedState state;
    GlobalVariables settings;
    std::unique_ptr<frmMain> window;
};

using W = RecordingStore::Write;

TEST_F(Frame, FirstStartShowsToolbarStatusBarAndEditorAndWritesShowLabels)
{
    Start();
    frmMain& w = *window;
    EXPECT_FALSE(w.Toolbar->isHidden());
    EXPECT_FALSE(w.StatusBar->isHidden());
    EXPECT_FALSE(w.TextEditor->isHidden());
    EXPECT_TRUE(w.DebugWindow->isHidden());
    EXPECT_TRUE(w.TextBuffer->isHidden());
    EXPECT_TRUE(w.mnuViewToolBar->isChecked());
    EXPECT_TRUE(w.mnuViewStatusBar->isChecked());
    EXPECT_TRUE(w.mnuViewTextEditor->isChecked());
    EXPECT_FALSE(w.mnuViewDebugWindow->isChecked());
    EXPECT_TRUE(w.mnuToolBarShowLabels->isChecked());
    EXPECT_TRUE(w.mnuToolsPlaySound->isChecked());
    EXPECT_TRUE(w.PlaySoundChecked());

    // Only ShowLabels is written; the view options stay absent until toggled.
    EXPECT_EQ(ViewWrites(), (std::vector<W>{{"Toolbar", "ShowLabels", "True"}}));
    for (const QString& app : store.appNames)
        EXPECT_EQ(app, "CNC");

    for (const QString& key : frmMain::ToolbarKeys)
        EXPECT_EQ(w.ButtonCaption(key), key);
    EXPECT_EQ(w.PanelText("FileName"), "Untitled");
    for (const char* key : {"Save", "Print", "Step", "Start", "Pause", "Stop"})
        EXPECT_FALSE(w.IsButtonEnabled(key)) << key;
    for (const char* key : {"New", "Open", "Options"})
        EXPECT_TRUE(w.IsButtonEnabled(key)) << key;
    for (QAction* item : {w.mnuFileSave, w.mnuFilePrint, w.mnuRunStart, w.mnuRunPause, w.mnuRunStop, w.mnuRunStepInto})
        EXPECT_FALSE(item->isEnabled()) << item->objectName().toStdString();
    EXPECT_TRUE(w.mnuRunRunToBreakpoint->isEnabled());

    // The picture fills the rest of the window and its back buffer has its inner size.
    EXPECT_EQ(w.picSim->x(), w.TextEditor->width());
    EXPECT_EQ(w.state().SimWidth, w.picSim->contentsRect().width());
    EXPECT_EQ(w.graphics().SimDC().size(), w.picSim->contentsRect().size());
    EXPECT_EQ(w.Slider->value(), 0);
}

TEST_F(Frame, StartAppliesTheEditorAndPictureSettings)
{
    store.Put("TextEditor", "Font", "Courier New");
    store.Put("TextEditor", "Background", "255"); // red
    store.Put("SimulationWindow", "BackColor", "65280");
    Start();
    EXPECT_EQ(window->TextEditor->BackColor(), 255);
    EXPECT_EQ(window->TextEditor->font().family(), "Courier New");
    EXPECT_EQ(window->picSim->BackColor(), QColor(0, 255, 0));
}

TEST_F(Frame, BothPanesSavedHiddenLetThePictureFillTheWidth)
{
    store.Put("ViewOptions", "TextEditor", "False");
    store.Put("ViewOptions", "DebugWindow", "False");
    Start();
    EXPECT_TRUE(window->TextEditor->isHidden());
    EXPECT_TRUE(window->DebugWindow->isHidden());
    EXPECT_EQ(window->picSim->x(), 0);
    EXPECT_EQ(window->picSim->width(), window->Client->width());
}

struct ViewValueCase
{
    const char* stored;
    bool toolbarShown;
};

void PrintTo(const ViewValueCase& c, std::ostream* os)
{
    *os << '"' << c.stored << '"';
}

class SavedViewValue : public Frame, public ::testing::WithParamInterface<ViewValueCase>
{
};

// Any letter case, numbers, and a value that is no truth value (the default, shown).
TEST_P(SavedViewValue, ReadsAsTruthValueOrDefault)
{
    store.Put("ViewOptions", "Toolbar", GetParam().stored);
    Start();
    EXPECT_EQ(!window->Toolbar->isHidden(), GetParam().toolbarShown);
    EXPECT_EQ(window->mnuViewToolBar->isChecked(), GetParam().toolbarShown);
    EXPECT_FALSE(store.writes.empty());
    EXPECT_EQ(store.GetSetting("CNC", "ViewOptions", "Toolbar"), GetParam().stored); // not rewritten
}

INSTANTIATE_TEST_SUITE_P(Values, SavedViewValue,
                         ::testing::Values(ViewValueCase{"False", false}, ViewValueCase{"false", false},
                                           ViewValueCase{"0", false}, ViewValueCase{"True", true},
                                           ViewValueCase{"2", true}, ViewValueCase{"maybe", true},
                                           ViewValueCase{"", true}));

TEST_F(Frame, SavedGridShownWithEditorHiddenShowsTheGrid)
{
    store.Put("ViewOptions", "TextEditor", "false");
    store.Put("ViewOptions", "DebugWindow", "1");
    Start();
    EXPECT_TRUE(window->TextEditor->isHidden());
    EXPECT_FALSE(window->DebugWindow->isHidden());
    EXPECT_EQ(window->DebugWindow->geometry(), window->TextEditor->geometry());
    EXPECT_EQ(window->picSim->x(), window->DebugWindow->width());
}

TEST_F(Frame, BothPanesSavedShownShowOnlyTheEditor)
{
    store.Put("ViewOptions", "TextEditor", "True");
    store.Put("ViewOptions", "DebugWindow", "True");
    Start();
    EXPECT_FALSE(window->TextEditor->isHidden());
    EXPECT_TRUE(window->DebugWindow->isHidden());
    EXPECT_FALSE(window->mnuViewDebugWindow->isChecked());
}

TEST_F(Frame, LeftPaneIsTwentyThreeHundredthsOfTheInnerWidth)
{
    Start();
    struct Case { int width; int pane; };
    for (const Case c : {Case{800, 184}, Case{1000, 230}, Case{1234, 284}, Case{1280, 294}}) {
        SetInnerSize(c.width, 600);
        frmMain& w = *window;
        EXPECT_EQ(w.TextEditor->width(), c.pane) << c.width;
        EXPECT_EQ(w.picSim->x(), c.pane) << c.width;
        EXPECT_EQ(w.picSim->width(), c.width - c.pane) << c.width;
        EXPECT_EQ(w.TextEditor->y(), w.Toolbar->height());
        EXPECT_EQ(w.TextEditor->height(), 600 - w.Toolbar->height() - w.StatusBar->height());
        EXPECT_EQ(w.StatusBar->y() + w.StatusBar->height(), 600);
        EXPECT_EQ(w.DebugWindow->geometry(), w.TextEditor->geometry());
        EXPECT_EQ(w.state().SimWidth, w.picSim->contentsRect().width());
        EXPECT_EQ(w.state().SimHeight, w.picSim->contentsRect().height());
    }
}

TEST_F(Frame, HidingTheToolbarMovesThePanesToTheTop)
{
    Start();
    const int barHeight = window->Toolbar->height();
    ASSERT_GT(barHeight, 0);
    window->mnuViewToolBar_Click();
    EXPECT_TRUE(window->Toolbar->isHidden());
    EXPECT_FALSE(window->mnuViewToolBar->isChecked());
    EXPECT_EQ(window->TextEditor->y(), 0);
    EXPECT_EQ(window->picSim->y(), 0);
    window->mnuViewToolBar_Click();
    EXPECT_EQ(window->TextEditor->y(), barHeight);
    EXPECT_EQ(ViewWrites(), (std::vector<W>{{"Toolbar", "ShowLabels", "True"},
                                             {"ViewOptions", "Toolbar", "False"},
                                             {"ViewOptions", "Toolbar", "True"}}));
}

TEST_F(Frame, ProgressBarAndSliderSitInTheirPanelsAndFollowTheStatusBar)
{
    Start();
    SetInnerSize(900, 600);
    Repaint();
    frmMain& w = *window;
    ASSERT_TRUE(w.StatusControlsPlaced);
    for (auto [control, key] : {std::pair<QWidget*, QString>{w.ProgressBar, "ProgressBar"}, {w.Slider, "Slider"}}) {
        const QRect panel = w.StatusBar->PanelRect(key);
        EXPECT_EQ(control->geometry(), QRect(w.StatusBar->x() + panel.left() + 5, w.StatusBar->y() + 6,
                                             panel.width() - 10, 17))
            << key.toStdString();
        EXPECT_TRUE(control->isVisible());
    }

    w.mnuViewStatusBar_Click();
    EXPECT_TRUE(w.StatusBar->isHidden());
    EXPECT_EQ(w.TextEditor->y() + w.TextEditor->height(), 600);
    Repaint();
    EXPECT_TRUE(w.Slider->isHidden());
    EXPECT_TRUE(w.ProgressBar->isHidden());

    w.mnuViewStatusBar_Click();
    Repaint();
    EXPECT_FALSE(w.Slider->isHidden());
    EXPECT_FALSE(w.ProgressBar->isHidden());
    EXPECT_EQ(w.TextEditor->y() + w.TextEditor->height(), w.StatusBar->y());
    EXPECT_EQ(ViewWrites().back(), (W{"ViewOptions", "StatusBar", "True"}));
}

TEST_F(Frame, StatusBarHasTheNinePanels)
{
    Start();
    struct P { const char* key; const char* tip; int width; };
    const P expected[] = {{"FileName", "Current File Name", 96}, {"FeedRate", "FeedRate", 96},
                          {"Dim", "Measurment Unit", 30},        {"SpindleSpeed", "Spindle Speed", 70},
                          {"SpindleDirection", "Spindle Direction", 40}, {"Coolant", "Coolant", 106},
                          {"ProgressBar", "Program Progress", 96}, {"Slider", "Simulation Speed", 96},
                          {"ToolPosition", "Tool Position", 150}};
    ASSERT_EQ(window->StatusBar->PanelCount(), 9);
    int left = -1;
    for (int i = 0; i < 9; ++i) {
        const auto& panel = window->StatusBar->PanelAt(i);
        EXPECT_EQ(panel.key, expected[i].key);
        EXPECT_EQ(panel.toolTip, expected[i].tip);
        const QRect r = window->StatusBar->PanelRect(panel.key);
        EXPECT_EQ(r.width(), expected[i].width);
        EXPECT_GT(r.left(), left);
        left = r.right();
    }
    window->SetPanelText("FeedRate", "F0.2");
    EXPECT_EQ(window->PanelText("FeedRate"), "F0.2");
    window->SetPanelText("NoSuchPanel", "x");
    EXPECT_EQ(window->PanelText("NoSuchPanel"), "");
    EXPECT_EQ(window->Slider->minimum(), -10);
    EXPECT_EQ(window->Slider->maximum(), 10);
    EXPECT_EQ(window->Slider->singleStep(), 1);
    EXPECT_EQ(window->Slider->pageStep(), 5);
    window->Slider->setValue(-7);
    EXPECT_EQ(window->SliderValue(), -7);
}

// Records the order in which actions change.
struct ChangeLog
{
    explicit ChangeLog(frmMain& w)
    {
        QList<QAction*> all = w.Toolbar->actions();
        all << w.mnuFileSave << w.mnuFilePrint << w.mnuRunStart << w.mnuRunPause << w.mnuRunStop << w.mnuRunStepInto;
        for (QAction* a : all)
            QObject::connect(a, &QAction::changed, &context, [this, a] { names << a->objectName(); });
    }
    QObject context;
    QStringList names;
};

TEST_F(Frame, EnableCommandsSwitchesButtonsAndTheirMenuItemsInListOrder)
{
    Start();
    frmMain& w = *window;
    w.EnableCommands("New,Open,Save,Print,Start,Step,Options", false);
    w.EnableCommands("New,Open,Print,Start,Step,Options", true);
    for (const char* key : {"New", "Open", "Print", "Start", "Step", "Options"})
        EXPECT_TRUE(w.IsButtonEnabled(key)) << key;
    EXPECT_FALSE(w.IsButtonEnabled("Save"));
    EXPECT_TRUE(w.mnuFilePrint->isEnabled());
    EXPECT_TRUE(w.mnuRunStart->isEnabled());
    EXPECT_TRUE(w.mnuRunStepInto->isEnabled());
    EXPECT_FALSE(w.mnuFileSave->isEnabled());
    EXPECT_FALSE(w.mnuRunPause->isEnabled());

    w.EnableCommands("Pause,Stop", true);
    ChangeLog log(w);
    w.EnableCommands("Pause,Stop", false);
    EXPECT_EQ(log.names, (QStringList{"Toolbar_Pause", "mnuRunPause", "Toolbar_Stop", "mnuRunStop"}));
    EXPECT_FALSE(w.IsButtonEnabled("Pause"));
    EXPECT_FALSE(w.IsButtonEnabled("Stop"));
    EXPECT_FALSE(w.mnuRunPause->isEnabled());
    EXPECT_FALSE(w.mnuRunStop->isEnabled());
}

TEST_F(Frame, EnableCommandsWithAnEmptyListChangesNothing)
{
    Start();
    ChangeLog log(*window);
    window->EnableCommands("", true);
    window->EnableCommands("", false);
    EXPECT_TRUE(log.names.isEmpty());
    EXPECT_FALSE(window->IsButtonEnabled("Save"));
    EXPECT_TRUE(window->IsButtonEnabled("New"));
}

TEST_F(Frame, RightClickOnTheToolbarOpensThePopupOnlyWhileNewIsEnabled)
{
    Start();
    frmMain& w = *window;
    QTest::mouseClick(ButtonWidget("Open"), Qt::RightButton);
    EXPECT_TRUE(w.mnuToolBar->isVisible());
    w.mnuToolBar->hide();
    QTest::mouseClick(ButtonWidget("Save"), Qt::RightButton); // a disabled button
    EXPECT_TRUE(w.mnuToolBar->isVisible());
    w.mnuToolBar->hide();

    // A run disables New.
    w.EnableCommands("New,Open,Save,Print,Start,Step,Options", false);
    w.EnableCommands("Pause,Stop", true);
    QTest::mouseClick(ButtonWidget("Stop"), Qt::RightButton);
    QTest::mouseClick(w.Toolbar, Qt::RightButton, {}, QPoint(w.Toolbar->width() - 5, 5));
    QCoreApplication::processEvents();
    EXPECT_FALSE(w.mnuToolBar->isVisible());
}

TEST_F(Frame, ShowLabelsOffLowersTheToolbarAndIsSaved)
{
    Start();
    frmMain& w = *window;
    const int withLabels = w.Toolbar->height();
    w.mnuToolBarShowLabels_Click();
    EXPECT_FALSE(w.mnuToolBarShowLabels->isChecked());
    for (const QString& key : frmMain::ToolbarKeys)
        EXPECT_EQ(w.ButtonCaption(key), "");
    EXPECT_LT(w.Toolbar->height(), withLabels);
    EXPECT_EQ(w.TextEditor->y(), w.Toolbar->height());
    EXPECT_EQ(ViewWrites().back(), (W{"Toolbar", "ShowLabels", "False"}));
}

TEST_F(Frame, ShowLabelsSavedOffStartsWithoutCaptionsAndWritesFalse)
{
    store.Put("Toolbar", "ShowLabels", "False");
    Start();
    EXPECT_FALSE(window->mnuToolBarShowLabels->isChecked());
    EXPECT_EQ(window->ButtonCaption("Start"), "");
    EXPECT_EQ(ViewWrites(), (std::vector<W>{{"Toolbar", "ShowLabels", "False"}}));
}

TEST_F(Frame, EditorAndGridAreNeverShownTogether)
{
    Start();
    frmMain& w = *window;
    w.TextChanged = true;
    w.mnuViewDebugWindow_Click();
    EXPECT_FALSE(w.DebugWindow->isHidden());
    EXPECT_TRUE(w.TextEditor->isHidden());
    EXPECT_FALSE(w.mnuViewTextEditor->isChecked());
    EXPECT_FALSE(w.TextChanged); // the grid was refilled
    EXPECT_EQ(w.picSim->x(), w.DebugWindow->width());

    store.writes.clear();
    w.mnuViewTextEditor_Click();
    EXPECT_FALSE(w.TextEditor->isHidden());
    EXPECT_TRUE(w.DebugWindow->isHidden());
    EXPECT_FALSE(w.mnuViewDebugWindow->isChecked());
    EXPECT_EQ(ViewWrites(), (std::vector<W>{{"ViewOptions", "TextEditor", "True"}, {"ViewOptions", "DebugWindow", "False"}}));

    // Hiding one does not show the other.
    store.writes.clear();
    w.mnuViewTextEditor_Click();
    EXPECT_TRUE(w.TextEditor->isHidden());
    EXPECT_TRUE(w.DebugWindow->isHidden());
    EXPECT_EQ(w.picSim->x(), 0);
    EXPECT_EQ(w.picSim->width(), w.Client->width());
    EXPECT_EQ(ViewWrites(), (std::vector<W>{{"ViewOptions", "TextEditor", "False"}, {"ViewOptions", "DebugWindow", "False"}}));
    w.mnuViewDebugWindow_Click();
    EXPECT_EQ(ViewWrites().back(), (W{"ViewOptions", "TextEditor", "False"}));
    EXPECT_TRUE(w.TextEditor->isHidden());
}

TEST_F(Frame, ShowingTheEditorKeepsTheUnsavedMark)
{
    Start();
    frmMain& w = *window;
    w.TextEditor->SetText("G00 X10\r\n");
    w.EnableCommands("Save", true);
    w.mnuViewTextEditor_Click();
    w.mnuViewTextEditor_Click();
    EXPECT_TRUE(w.IsButtonEnabled("Save"));
    EXPECT_TRUE(w.mnuFileSave->isEnabled());
    w.EnableCommands("Save", false);
    w.mnuViewTextEditor_Click();
    w.mnuViewTextEditor_Click();
    EXPECT_FALSE(w.IsButtonEnabled("Save"));
}

TEST_F(Frame, ViewItemsFromTheMenuToggleOnce)
{
    Start();
    window->mnuViewStatusBar->trigger();
    EXPECT_FALSE(window->mnuViewStatusBar->isChecked());
    EXPECT_TRUE(window->StatusBar->isHidden());
    window->mnuToolsPlaySound->trigger();
    EXPECT_FALSE(window->PlaySoundChecked());
    window->mnuToolsPlaySound->trigger();
    EXPECT_TRUE(window->PlaySoundChecked());
    // Play Sound is not saved.
    for (const auto& write : store.writes)
        EXPECT_NE(write.key, "PlaySound");
}

TEST_F(Frame, ClosingWithSaveDisabledAsksNothing)
{
    Start();
    MessageBoxRecorder boxes(platform::vbCancel);
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_TRUE(state.StopRequested);
    window.reset();
}

TEST_F(Frame, ClosingWithUnsavedChangesAsksAndCancelKeepsTheWindow)
{
    Start();
    window->EnableCommands("Save", true);
    MessageBoxRecorder boxes(platform::vbCancel);
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Save changes to Untitled?");
    EXPECT_EQ(boxes.shown[0].flags, 35);
    EXPECT_EQ(boxes.shown[0].title, "Save Changes?");
    EXPECT_FALSE(state.StopRequested);
}

TEST_F(Frame, ClosingAnsweredYesStaysOpenWhileTheDocumentIsStillUnsaved)
{
    Start();
    window->EnableCommands("Save", true);
    window->SetPanelText("FileName", "part.cnc");
    MessageBoxRecorder boxes(platform::vbYes);
    window->mnuFileExit->trigger(); // File > Exit closes through the same rules
    EXPECT_TRUE(window->isVisible());
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "Save changes to part.cnc?");

    boxes.answers = {platform::vbNo};
    window->mnuFileExit_Click();
    EXPECT_FALSE(window->isVisible());
    window.reset();
}

TEST_F(Frame, F2RepaintsThePictureFromTheBackBufferWhateverHasTheFocus)
{
    Start();
    frmMain& w = *window;
    QApplication::setActiveWindow(&w);
    for (QWidget* target : std::initializer_list<QWidget*>{w.TextEditor, w.picSim}) {
        target->setFocus();
        // Drawn into the back buffer but not yet shown.
        w.graphics().DrawBillet(150, 40);
        ASSERT_NE(w.picSim->Image(), w.graphics().SimDC());

        int seen = 0;
        struct Counter : QObject
        {
            int* n;
            bool eventFilter(QObject*, QEvent* e) override
            {
                if (e->type() == QEvent::KeyRelease && static_cast<QKeyEvent*>(e)->key() == Qt::Key_F2)
                    ++*n;
                return false;
            }
        } counter;
        counter.n = &seen;
        target->installEventFilter(&counter);

        QTest::keyRelease(target, Qt::Key_F3);
        EXPECT_NE(w.picSim->Image(), w.graphics().SimDC());
        QTest::keyRelease(target, Qt::Key_F2, Qt::ShiftModifier);
        EXPECT_EQ(w.picSim->Image(), w.graphics().SimDC()) << target->objectName().toStdString();
        EXPECT_EQ(seen, 1); // the key still reaches the control
        target->removeEventFilter(&counter);
        w.graphics().ClearSimBuffer();
        w.graphics().RefreshSimulation();
    }
}

TEST_F(Frame, ThePictureShowsExactlyTheBackBuffer)
{
    Start();
    frmMain& w = *window;
    const QRect inner = w.picSim->contentsRect();
    const QImage shown = w.picSim->grab(inner).toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown, w.graphics().SimDC().convertToFormat(QImage::Format_RGB32));
}

TEST(SimPicture, CopiesTheChangedPartAndRepaintsIt)
{
    SimPicture picture;
    picture.resize(60, 50);
    QImage buffer(40, 30, QImage::Format_RGB32);
    buffer.fill(Qt::white);
    picture.Show(buffer, buffer.rect());
    // A new cut in one corner, reported as the dirty part.
    for (int y = 3; y < 9; ++y)
        for (int x = 20; x < 27; ++x)
            buffer.setPixel(x, y, qRgb(0, 0, 255));
    picture.Show(buffer, QRect(20, 3, 7, 6));
    EXPECT_EQ(picture.Image(), buffer);
    const QRect inner = picture.contentsRect();
    const QImage screen = picture.grab(QRect(inner.topLeft(), buffer.size())).toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(screen, buffer);
    // A buffer of another size replaces the picture whole.
    QImage bigger(50, 40, QImage::Format_RGB32);
    bigger.fill(Qt::black);
    picture.Show(bigger, QRect(0, 0, 1, 1));
    EXPECT_EQ(picture.Image(), bigger);
}

TEST_F(Frame, ClientAreaIsKeptMaximised)
{
    if (QGuiApplication::platformName() != u"offscreen")
        GTEST_SKIP() << "a bare X server has no window manager to maximise windows";
    Start();
    window->setWindowState(Qt::WindowNoState);
    QTest::qWait(20);
    EXPECT_TRUE(window->isMaximized());
    window->setWindowState(Qt::WindowMinimized);
    QTest::qWait(20);
    EXPECT_TRUE(window->isMaximized());
    EXPECT_FALSE(window->isMinimized());
}

// Every item of the menu bar, in order, with its caption and shortcut.
TEST_F(Frame, MenusHoldEveryItemWithCaptionAndShortcut)
{
    Start();
    const auto describe = [](QMenu* menu) {
        QStringList out;
        for (QAction* a : menu->actions()) {
            if (!a->isVisible())
                continue;
            out << (a->isSeparator() ? QStringLiteral("-")
                                     : a->text() + (a->shortcut().isEmpty() ? QString() : " " + a->shortcut().toString()));
        }
        return out;
    };
    QStringList bar;
    for (QAction* a : window->menuBar()->actions())
        bar << a->text();
    EXPECT_EQ(bar, (QStringList{"&File", "&View", "&Run", "&Tools", "&Help"}));
    EXPECT_EQ(describe(window->mnuFile), (QStringList{"&New Ctrl+N", "&Open... Ctrl+O", "&Save Ctrl+S", "Save &As...", "-",
                                                      "&Print... Ctrl+P", "-", "Recent Files", "-", "E&xit"}));
    EXPECT_EQ(describe(window->mnuView), (QStringList{"&Status Bar", "&Tool Bar", "&Text Editor Ctrl+T",
                                                      "&Debug Window Ctrl+D", "-", "&3D Window F12"}));
    EXPECT_EQ(describe(window->mnuRun), (QStringList{"&Start F5", "&Pause F6", "S&top F7", "-", "St&ep F8",
                                                     "&Run To Breakpoint Ctrl+F5"}));
    EXPECT_EQ(describe(window->mnuTools), (QStringList{"&Tool Library...", "&Play Sound", "&Reformat Text", "-", "Options..."}));
    EXPECT_EQ(describe(window->mnuHelp), (QStringList{"&Contents... Ctrl+F1", "-", "&About Turnwise..."}));
    EXPECT_EQ(describe(window->mnuToolBar), (QStringList{"&Show Labels", "-", "&Customize..."}));
    EXPECT_EQ(window->mnuToolBar->title(), "ToolBar");

    // Their windows come later: present, but not pretending.
    for (QAction* later : {window->mnuToolLibrary, window->mnuToolsOptions, window->mnuView3DWindow,
                           window->mnuHelpContents, window->mnuHelpAbout})
        EXPECT_FALSE(later->isEnabled()) << later->objectName().toStdString();
}

TEST_F(Frame, ToolbarHasNinePicturedButtonsAndStepStaysPressed)
{
    Start();
    QStringList keys;
    for (QAction* a : window->Toolbar->actions())
        if (!a->isSeparator())
            keys << a->data().toString();
    EXPECT_EQ(keys, frmMain::ToolbarKeys);
    for (const QString& key : frmMain::ToolbarKeys) {
        const QIcon icon = window->ToolbarButton(key)->icon();
        const QImage on = icon.pixmap(24, QIcon::Normal).toImage();
        const QImage off = icon.pixmap(24, QIcon::Disabled).toImage();
        EXPECT_FALSE(on.isNull()) << key.toStdString();
        EXPECT_NE(on, off) << key.toStdString();
    }
    window->EnableCommands("Step", true);
    QTest::mouseClick(ButtonWidget("Step"), Qt::LeftButton);
    EXPECT_TRUE(window->ToolbarButton("Step")->isChecked());
    QTest::mouseClick(ButtonWidget("Step"), Qt::LeftButton);
    EXPECT_FALSE(window->ToolbarButton("Step")->isChecked());
}

TEST_F(Frame, ToolbarClickDispatchesByKey)
{
    Start();
    MessageBoxRecorder boxes;
    QTest::mouseClick(ButtonWidget("Options"), Qt::LeftButton);
    ASSERT_EQ(boxes.shown.size(), 1u); // Options says it is not there yet
    EXPECT_EQ(boxes.shown[0].flags, 64);
    window->Toolbar_ButtonClick("Unknown");
    window->Toolbar_ButtonClick("options"); // keys compare exactly
    EXPECT_EQ(boxes.shown.size(), 1u);
}

TEST_F(Frame, CustomizeHidesButtonsForTheSessionOnly)
{
    Start();
    const size_t writesBefore = store.writes.size();
    QTimer::singleShot(0, [] {
        auto* dialog = dynamic_cast<ToolbarCustomizeDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->SetShown(3, false); // Print
        dialog->accept();
    });
    window->mnuToolBarCustomize_Click();
    EXPECT_FALSE(window->ToolbarButton("Print")->isVisible());
    EXPECT_TRUE(window->ToolbarButton("Save")->isVisible());
    EXPECT_EQ(store.writes.size(), writesBefore);

    QTimer::singleShot(0, [] {
        auto* dialog = dynamic_cast<ToolbarCustomizeDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->Reset();
        dialog->reject();
    });
    window->mnuToolBarCustomize_Click();
    EXPECT_FALSE(window->ToolbarButton("Print")->isVisible()); // cancelled

    // The next start shows the toolbar as designed.
    frmMain next(state, settings, store);
    next.Form_Load();
    EXPECT_TRUE(next.ToolbarButton("Print")->isVisible());
}

} // namespace

TEST_F(Frame, TheSpeedSliderTakesTheKeyboardWhenClicked)
{
    Start();
    window->activateWindow();
    (void)QTest::qWaitForWindowActive(window.get());
    Repaint();
    QSlider* s = window->Slider;
    ASSERT_FALSE(s->isHidden());
    s->setValue(0);
    // The handle stands in the middle at 0: a click there moves nothing but the focus.
    QTest::mouseClick(s, Qt::LeftButton, {}, s->rect().center());
    ASSERT_TRUE(s->hasFocus());
    ASSERT_EQ(s->value(), 0);
    const struct { Qt::Key key; int value; } keys[] = {
        {Qt::Key_Right, 1}, {Qt::Key_Right, 2}, {Qt::Key_Left, 1}, {Qt::Key_PageUp, 6}, {Qt::Key_PageUp, 10},
        {Qt::Key_PageDown, 5}, {Qt::Key_Home, -10},
    };
    for (const auto& k : keys) {
        QTest::keyClick(s, k.key);
        EXPECT_EQ(window->SliderValue(), k.value) << k.key;
    }
}
