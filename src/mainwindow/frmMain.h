#pragma once
// The main window: the program editor or grid in the left pane, the simulation picture in
// the rest, toolbar, status bar and menus; it drives the run.
//
// Controls and handlers are public, as the other modules and the tests reach them the way
// the interpreter does.
//
// The run state. The enabled states of the toolbar buttons (and of the six menu items
// EnableCommands switches with them) say whether the program is idle, running or paused,
// and the Save button whether the document has unsaved changes. Every handler of the run
// control can run inside a yield of a running move. A Stop or a close asks the loops to
// leave at their next test through the shared StopRequested; a few flags here record what
// the buttons cannot, each kept for one question:
//   pauseEnabled_, stopEnabled_  copies of the "Pause" and "Stop" buttons' enabled states,
//                     following every switch; IsRunPaused answers from them, as the
//                     animation asks at every path point, where finding the buttons would
//                     slow long runs.
//   runActive_        a fresh start is under way, its run loop included: a Start then
//                     restarts instead of nesting, SaveWasEnabled stands for the disabled
//                     Save, an in-place edit in the grid leaves the commands as they were,
//                     and the yields throttle their painting.
//   restartRun_       a fresh start was asked for inside it: the interrupted loops unwind
//                     and the outer start runs again; a Stop clears it.
//   SaveWasEnabled    the Save command at the fresh start, restored by Stop; during a run it
//                     answers whether there are unsaved changes.
//   closing_          the close went through: the run loops end, nothing held is carried
//                     out, and a further close is accepted without asking.
//   modalNotice_, pendingCommands_, pendingClose_  while a modal notice holds its block,
//                     the Run keys it took and a close request of the window system, carried
//                     out once it has closed.

#include "interpreter/InterpreterHost.h"
#include "platform/gui/StartProgram.h"
#include "platform/widgets/ColourDialog.h"
#include "simulation/SimulationHost.h"
#include "view3d/View3DHolder.h"

#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <array>
#include <memory>
#include <vector>

struct SharedState;
class GlobalVariables;
class Graphics;
class ModCNC;
class RichTextBox;
class FlexGrid;
class frmToolSelect;
class SimPicture;
class PanelStatusBar;
class PaintThrottle;
class QAction;
class QKeyEvent;
class frmInfo;
class QLineEdit;
class QTextCharFormat;
struct FormattedRun;
class QMenu;
class QProgressBar;
class QSlider;
class QToolBar;
namespace platform { class SettingsStore; }

class frmMain : public QMainWindow, public InterpreterHost, public SimulationHost
{
    Q_OBJECT

public:
    frmMain(SharedState& state, GlobalVariables& settings, platform::SettingsStore& store,
            QWidget* parent = nullptr);
    ~frmMain() override;

    // The toolbar keys, left to right.
    static const QStringList ToolbarKeys;

    // --- Start-up, layout, repaint, keys and closing (frmMain.cpp) ---
    void Form_Load();
    void ApplySettings();
    void LayoutControls();
    void Form_Resize();
    void Form_Paint();
    void Form_KeyUp(qint16 KeyCode, qint16 Shift);
    void Form_QueryUnload(qint16& Cancel, qint16 UnloadMode);
    void Form_Unload();

    // --- Commands, menus, toolbar, view options (frmMain_commands.cpp) ---
    // Switches the listed toolbar buttons ("Pause,Stop") and the menu items that follow six
    // of them, in list order.
    void EnableCommands(const QString& Names, bool Enabled);

    QAction* ToolbarButton(const QString& key) const; // nullptr for an unknown key
    QString ButtonCaption(const QString& key) const;
    void Toolbar_ButtonClick(const QString& key);
    // Button 1 left, 2 right; Shift 1 shift, 2 ctrl, 4 alt; x, y in toolbar pixels.
    void Toolbar_MouseDown(qint16 Button, qint16 Shift, int x, int y);

    void mnuViewStatusBar_Click();
    void mnuViewToolBar_Click();
    void mnuViewTextEditor_Click();
    void mnuViewDebugWindow_Click();
    void mnuView3DWindow_Click();
    void mnuToolLibrary_Click();
    void mnuToolsPlaySound_Click();
    void mnuToolsOptions_Click();
    void mnuHelpContents_Click();
    void mnuHelpAbout_Click();
    void mnuToolBarShowLabels_Click();
    void mnuToolBarCustomize_Click();
    void mnuFileExit_Click();

    // --- Run control (frmMain_run.cpp) ---
    void mnuRunStart_Click();
    void mnuRunStepInto_Click();
    void mnuRunRunToBreakpoint_Click();
    void RunProgram();
    // The billet size from the program's "[BILLET" line; false (after a message) without one.
    bool ReadBilletSize();
    // Unsaved changes: the Save command, or during a run the state recorded at its start.
    bool HasUnsavedChanges() const;

    // --- Program files (frmMain_files.cpp) ---
    void mnuFileNew_Click();
    void mnuFileOpen_Click();
    void mnuFileSave_Click();
    void mnuFileSaveAS_Click();
    void mnuFilePrint_Click();
    void mnuFileRecentFiles_Click(qint16 Index);
    void LoadRecentFiles();
    // Index -1 puts Path at the top of the recent-file list; 0 to 3 moves that entry there.
    void AddRecentFile(const QString& Path, qint16 Index);
    QString GetFileName(const QString& Path) const;
    // The save-changes question; false when the asking command must end (Cancel, or a save
    // that did not happen). A failed save is reported under failureTitle (empty: the
    // application's title).
    bool AskToSaveChanges(const QString& failureTitle);

    // --- Editor (frmMain_editor.cpp) ---
    void HighLightSyntax();
    void mnuToolsReformatText_Click();
    void ReformatText(RichTextBox* Box);
    // True when it found an error, selected it in Box and reported it.
    bool CheckSyntax(RichTextBox* Box);
    void TextEditor_Change();
    void TextEditor_KeyPress(qint16& KeyAscii);
    void TextEditor_KeyDown(qint16& KeyCode, qint16 Shift);
    void TextEditor_KeyUp(qint16 KeyCode, qint16 Shift);

    // --- Program grid (frmMain_grid.cpp) ---
    void LoadDebugWindow();
    void ApplyDebugGridSettings();
    void DebugWindow_Click();
    void DebugWindow_DblClick();
    void txtDebug_KeyUp(qint16 KeyCode, qint16 Shift);

    // --- Status bar (frmMain_status.cpp) ---
    QString PanelText(const QString& key) const;

    // InterpreterHost
    void SetPanelText(const QString& key, const QString& text) override;
    void mnuRunPause_Click() override;
    void mnuRunStop_Click() override;
    int GridRowCount() const override;
    QString GridRowText(int row) const override;
    void HighLightExecutingLine(int row) override;
    void RemoveHighLighting(int row) override;
    void SetNoticeText(const QString& text) override;
    void ShowNotice(qint16 Modal, qint16 Interval) override;
    void GetToolList() override;
    void ChangeTool(const QString& Path, qint16 Width, qint16 Height) override;
    void AnimateToolPath() override;

    // --- Machine functions: notices and the tool table (frmMain_machine.cpp) ---
    // The Tool Library window, made on first use; the tool change reads the list through it
    // while it is hidden.
    frmToolSelect& ToolSelect();
    // The notice window while one is loaded, else nullptr.
    frmInfo* Notice() const;

    // SimulationHost
    void ShowSimulation(const QImage& buffer, const QRect& dirty) override;
    bool IsButtonEnabled(const QString& key) const override;
    // Paused: "Stop" enabled and "Pause" disabled, the one test everything uses.
    bool IsRunPaused() const override { return stopEnabled_ && !pauseEnabled_; }
    int SliderValue() const override;
    bool PlaySoundChecked() const override;
    void DoEvents() override;
    void SleepMs(int milliseconds) override;
    void WaitForEvents() override;

    Graphics& graphics() { return *graphics_; }
    ModCNC& cnc() { return *cnc_; }
    SharedState& state() { return state_; }
    GlobalVariables& settings() { return settings_; }
    platform::SettingsStore& store() { return store_; }

    // --- Controls ---
    // The window's inner area (below the menu bar): its size is the scale width and height.
    QWidget* Client = nullptr;
    QToolBar* Toolbar = nullptr;
    PanelStatusBar* StatusBar = nullptr;
    RichTextBox* TextEditor = nullptr;
    RichTextBox* TextBuffer = nullptr; // never shown: scratch for colouring and loading
    FlexGrid* DebugWindow = nullptr;
    SimPicture* picSim = nullptr;
    QLineEdit* txtDebug = nullptr; // the in-place editor of the grid, made on first use
    QProgressBar* ProgressBar = nullptr;
    QSlider* Slider = nullptr;
    platform::CommonDialog com; // the file dialogs of Open and Save As, the colours of Options
    View3DHolder View3D;      // frm3D: made on first use, gone once unloaded

    QMenu* mnuFile = nullptr;
    QAction* mnuFileNew = nullptr;
    QAction* mnuFileOpen = nullptr;
    QAction* mnuFileSave = nullptr;
    QAction* mnuFileSaveAS = nullptr;
    QAction* mnuFileLine1 = nullptr;
    QAction* mnuFilePrint = nullptr;
    QAction* mnuFileLine2 = nullptr;
    // Item 0 always exists ("Recent Files"); items 1 to 3 are hidden until they hold a file.
    std::array<QAction*, 4> mnuFileRecentFiles{};
    QAction* mnuFileLine3 = nullptr;
    QAction* mnuFileExit = nullptr;

    QMenu* mnuView = nullptr;
    QAction* mnuViewStatusBar = nullptr;
    QAction* mnuViewToolBar = nullptr;
    QAction* mnuViewTextEditor = nullptr;
    QAction* mnuViewDebugWindow = nullptr;
    QAction* mnuViewLine1 = nullptr;
    QAction* mnuView3DWindow = nullptr;

    QMenu* mnuRun = nullptr;
    QAction* mnuRunStart = nullptr;
    QAction* mnuRunPause = nullptr;
    QAction* mnuRunStop = nullptr;
    QAction* mnuRunLine1 = nullptr;
    QAction* mnuRunStepInto = nullptr;
    QAction* mnuRunRunToBreakpoint = nullptr;

    QMenu* mnuTools = nullptr;
    QAction* mnuToolLibrary = nullptr;
    QAction* mnuToolsPlaySound = nullptr;
    QAction* mnuToolsReformatText = nullptr;
    QAction* mnuToolsLine1 = nullptr;
    QAction* mnuToolsOptions = nullptr;

    QMenu* mnuHelp = nullptr;
    QAction* mnuHelpContents = nullptr;
    QAction* mnuHelpLine1 = nullptr;
    QAction* mnuHelpAbout = nullptr;

    // The toolbar's popup, not in the menu bar.
    QMenu* mnuToolBar = nullptr;
    QAction* mnuToolBarShowLabels = nullptr;
    QAction* mnuToolBarLine1 = nullptr;
    QAction* mnuToolBarCustomize = nullptr;

    // --- Form-level fields ---
    bool StatusControlsPlaced = false;
    bool TextChanged = false;     // the editor text changed since the grid was last filled
    bool SaveWasEnabled = false;  // the Save command at the fresh start of a run
    QString Tag;                  // the Options dialog's answer slot
    int EditRow = 0;              // the grid row open in txtDebug

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildControls();
    void connectEditor(); // the editor's events to its handlers
    void buildMenus();
    void buildToolbar();
    void buildStatusBar();
    void alignBars();
    bool readViewOption(const QString& section, const QString& key, bool defaultValue);
    void saveViewOption(const QString& section, const QString& key, bool value);
    // Gives a grid row the look of its breakpoint mark, as executing or not.
    void setRowLook(int row, bool executing);
    // At a fresh start with the grid showing: the grid takes the reformatted text, row by
    // row when the line count is the same (breakpoints kept), else refilled.
    void updateShownGrid();
    // The formats of the colouring pass, and the runs in which it gives them to a text.
    std::vector<QTextCharFormat> syntaxFormats() const;
    static std::vector<FormattedRun> syntaxRuns(const QString& text);
    void documentSaved(); // a save went through: the document counts as saved
    // Save and Save As, their failures reported under failureTitle.
    void saveDocument(const QString& failureTitle);
    void saveDocumentAs(const QString& failureTitle);
    // The Run command whose key this is, or nullptr.
    QAction* runCommandFor(const QKeyEvent& key) const;
    // What a modal notice held back, carried out now that it has closed.
    void carryOutPending();

    SharedState& state_;
    GlobalVariables& settings_;
    platform::SettingsStore& store_;
    // Where Save writes: the file the document was opened from or last saved as; empty for a
    // new document.
    QString documentPath_;
    // The help viewer Help > Contents started last; it is left running when this window goes.
    std::unique_ptr<platform::StartedProgram> helpViewer_;
    std::unique_ptr<Graphics> graphics_;
    std::unique_ptr<ModCNC> cnc_;
    // The grid and the status bar repaint what changed at most ~60 times a second however
    // often the run yields.
    PaintThrottle* paintThrottle_ = nullptr;
    QPointer<frmToolSelect> toolSelect_;
    QPointer<frmInfo> info_;
    bool toolListReported_ = false; // a bad tool list is reported once per run
    // The run state (see the top of this file). A new button is enabled.
    bool pauseEnabled_ = true;
    bool stopEnabled_ = true;
    bool runActive_ = false;  // a fresh start is under way, its run loop included
    bool restartRun_ = false; // a fresh start was asked for inside it
    bool closing_ = false;
    // A modal notice blocks the window while it holds its block. The Run keys pressed
    // meanwhile (F5, F6, F7, F8, Ctrl+F5, in the order pressed) and a close request wait for
    // it, and are then carried out as if they had come right after it closed.
    QPointer<frmInfo> modalNotice_;
    QList<QPointer<QAction>> pendingCommands_;
    bool pendingClose_ = false;
};
