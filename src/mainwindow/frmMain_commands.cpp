// Commands of the main window: the menu bar, the toolbar and its popup, command switching,
// the View toggles and the Tools and Help commands.
#include "mainwindow/frmMain.h"

#include "mainwindow/ProgramGridColumns.h"
#include "mainwindow/PanelStatusBar.h"
#include "mainwindow/SimPicture.h"
#include "mainwindow/ToolbarCustomizeDialog.h"
#include "options/frmOptions.h"
#include "platform/AppPaths.h"
#include "platform/MessageBox.h"
#include "platform/SettingsStore.h"
#include "platform/VbNumbers.h"
#include "platform/gui/StartProgram.h"
#include "platform/gui/WinColour.h"
#include "platform/widgets/DrawnPictures.h"
#include "platform/widgets/FlexGrid.h"
#include "platform/widgets/ModalWindow.h"
#include "platform/widgets/RichTextBox.h"
#include "settings/GlobalVariables.h"
#include "simulation/Graphics.h"
#include "splash/frmSplash.h"
#include "toollibrary/widgets/frmToolSelect.h"

#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace {
using Handler = void (frmMain::*)();
} // namespace

void frmMain::buildMenus()
{
    // A checkable item is toggled by its handler, not by the toolkit, so a handler run from
    // code and one run from the menu behave the same.
    const auto add = [this](QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut,
                            Handler handler, bool checkable = false) {
        auto* item = new QAction(caption, this);
        item->setObjectName(QLatin1String(name));
        item->setShortcut(shortcut);
        item->setCheckable(checkable);
        menu->addAction(item);
        if (handler) {
            connect(item, &QAction::triggered, this, [this, item, handler, checkable] {
                if (checkable)
                    item->setChecked(!item->isChecked());
                (this->*handler)();
            });
        }
        return item;
    };
    const auto line = [this](QMenu* menu, const char* name) {
        QAction* sep = menu->addSeparator();
        sep->setObjectName(QLatin1String(name));
        return sep;
    };
    const auto menu = [this](const char* name, const QString& caption) {
        QMenu* m = menuBar()->addMenu(caption);
        m->setObjectName(QLatin1String(name));
        m->menuAction()->setObjectName(QLatin1String(name));
        return m;
    };
    const QKeySequence none;

    mnuFile = menu("mnuFile", QStringLiteral("&File"));
    mnuFileNew = add(mnuFile, "mnuFileNew", QStringLiteral("&New"), QKeySequence(Qt::CTRL | Qt::Key_N), &frmMain::mnuFileNew_Click);
    mnuFileOpen = add(mnuFile, "mnuFileOpen", QStringLiteral("&Open..."), QKeySequence(Qt::CTRL | Qt::Key_O), &frmMain::mnuFileOpen_Click);
    mnuFileSave = add(mnuFile, "mnuFileSave", QStringLiteral("&Save"), QKeySequence(Qt::CTRL | Qt::Key_S), &frmMain::mnuFileSave_Click);
    mnuFileSaveAS = add(mnuFile, "mnuFileSaveAS", QStringLiteral("Save &As..."), none, &frmMain::mnuFileSaveAS_Click);
    mnuFileLine1 = line(mnuFile, "mnuFileLine1");
    mnuFilePrint = add(mnuFile, "mnuFilePrint", QStringLiteral("&Print..."), QKeySequence(Qt::CTRL | Qt::Key_P), &frmMain::mnuFilePrint_Click);
    mnuFileLine2 = line(mnuFile, "mnuFileLine2");
    for (int i = 0; i < int(mnuFileRecentFiles.size()); ++i) {
        auto* item = new QAction(QStringLiteral("Recent Files"), this);
        item->setObjectName(QStringLiteral("mnuFileRecentFiles_%1").arg(i));
        item->setVisible(i == 0);
        mnuFile->addAction(item);
        connect(item, &QAction::triggered, this, [this, i] { mnuFileRecentFiles_Click(qint16(i)); });
        mnuFileRecentFiles[size_t(i)] = item;
    }
    mnuFileLine3 = line(mnuFile, "mnuFileLine3");
    mnuFileExit = add(mnuFile, "mnuFileExit", QStringLiteral("E&xit"), none, &frmMain::mnuFileExit_Click);

    mnuView = menu("mnuView", QStringLiteral("&View"));
    mnuViewStatusBar = add(mnuView, "mnuViewStatusBar", QStringLiteral("&Status Bar"), none, &frmMain::mnuViewStatusBar_Click, true);
    mnuViewToolBar = add(mnuView, "mnuViewToolBar", QStringLiteral("&Tool Bar"), none, &frmMain::mnuViewToolBar_Click, true);
    mnuViewTextEditor = add(mnuView, "mnuViewTextEditor", QStringLiteral("&Text Editor"), QKeySequence(Qt::CTRL | Qt::Key_T), &frmMain::mnuViewTextEditor_Click, true);
    mnuViewDebugWindow = add(mnuView, "mnuViewDebugWindow", QStringLiteral("&Debug Window"), QKeySequence(Qt::CTRL | Qt::Key_D), &frmMain::mnuViewDebugWindow_Click, true);
    mnuViewLine1 = line(mnuView, "mnuViewLine1");
    mnuView3DWindow = add(mnuView, "mnuView3DWindow", QStringLiteral("&3D Window"), QKeySequence(Qt::Key_F12), &frmMain::mnuView3DWindow_Click);
    mnuViewStatusBar->setChecked(true);
    mnuViewToolBar->setChecked(true);
    mnuViewTextEditor->setChecked(true);

    mnuRun = menu("mnuRun", QStringLiteral("&Run"));
    mnuRunStart = add(mnuRun, "mnuRunStart", QStringLiteral("&Start"), QKeySequence(Qt::Key_F5), &frmMain::mnuRunStart_Click);
    mnuRunPause = add(mnuRun, "mnuRunPause", QStringLiteral("&Pause"), QKeySequence(Qt::Key_F6), &frmMain::mnuRunPause_Click);
    mnuRunStop = add(mnuRun, "mnuRunStop", QStringLiteral("S&top"), QKeySequence(Qt::Key_F7), &frmMain::mnuRunStop_Click);
    mnuRunLine1 = line(mnuRun, "mnuRunLine1");
    // Step's check mark is step mode; its handler keeps it and the toolbar button in step.
    mnuRunStepInto = add(mnuRun, "mnuRunStepInto", QStringLiteral("St&ep"), QKeySequence(Qt::Key_F8), &frmMain::mnuRunStepInto_Click, true);
    mnuRunRunToBreakpoint = add(mnuRun, "mnuRunRunToBreakpoint", QStringLiteral("&Run To Breakpoint"), QKeySequence(Qt::CTRL | Qt::Key_F5), &frmMain::mnuRunRunToBreakpoint_Click);

    mnuTools = menu("mnuTools", QStringLiteral("&Tools"));
    mnuToolLibrary = add(mnuTools, "mnuToolLibrary", QStringLiteral("&Tool Library..."), none, &frmMain::mnuToolLibrary_Click);
    mnuToolsPlaySound = add(mnuTools, "mnuToolsPlaySound", QStringLiteral("&Play Sound"), none, &frmMain::mnuToolsPlaySound_Click, true);
    mnuToolsPlaySound->setChecked(true); // at every start; not saved
    mnuToolsReformatText = add(mnuTools, "mnuToolsReformatText", QStringLiteral("&Reformat Text"), none, &frmMain::mnuToolsReformatText_Click);
    mnuToolsLine1 = line(mnuTools, "mnuToolsLine1");
    mnuToolsOptions = add(mnuTools, "mnuToolsOptions", QStringLiteral("Options..."), none, &frmMain::mnuToolsOptions_Click);

    mnuHelp = menu("mnuHelp", QStringLiteral("&Help"));
    mnuHelpContents = add(mnuHelp, "mnuHelpContents", QStringLiteral("&Contents..."), QKeySequence(Qt::CTRL | Qt::Key_F1), &frmMain::mnuHelpContents_Click);
    mnuHelpLine1 = line(mnuHelp, "mnuHelpLine1");
    mnuHelpAbout = add(mnuHelp, "mnuHelpAbout", QStringLiteral("&About Turnwise..."), none, &frmMain::mnuHelpAbout_Click);

    mnuToolBar = new QMenu(QStringLiteral("ToolBar"), this);
    mnuToolBar->setObjectName(QStringLiteral("mnuToolBar"));
    mnuToolBarShowLabels = add(mnuToolBar, "mnuToolBarShowLabels", QStringLiteral("&Show Labels"), none, &frmMain::mnuToolBarShowLabels_Click, true);
    mnuToolBarShowLabels->setChecked(true);
    mnuToolBarLine1 = line(mnuToolBar, "mnuToolBarLine1");
    mnuToolBarCustomize = add(mnuToolBar, "mnuToolBarCustomize", QStringLiteral("&Customize..."), none, &frmMain::mnuToolBarCustomize_Click);
}

void frmMain::buildToolbar()
{
    Toolbar = new QToolBar(QStringLiteral("Toolbar"), Client);
    Toolbar->setObjectName(QStringLiteral("Toolbar"));
    Toolbar->setMovable(false);
    Toolbar->setFloatable(false);
    Toolbar->setIconSize(QSize(platform::ToolbarPictureSize, platform::ToolbarPictureSize));
    Toolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    Toolbar->setContextMenuPolicy(Qt::PreventContextMenu);
    Toolbar->installEventFilter(this);
    for (const QString& key : ToolbarKeys) {
        if (key == u"Step" || key == u"Options")
            Toolbar->addSeparator();
        auto* button = new QAction(platform::ToolbarIcon(key), key, Toolbar);
        button->setObjectName(QStringLiteral("Toolbar_") + key);
        button->setData(key);
        button->setToolTip(key);
        button->setCheckable(key == u"Step"); // pressed = step mode
        Toolbar->addAction(button);
        if (QWidget* w = Toolbar->widgetForAction(button)) {
            w->setObjectName(QStringLiteral("ToolbarButton_") + key);
            w->installEventFilter(this);
        }
        connect(button, &QAction::triggered, this, [this, key] { Toolbar_ButtonClick(key); });
        // Whoever switches the button, EnableCommands or a state restored after an edit,
        // the flag follows.
        if (key == u"Pause")
            connect(button, &QAction::enabledChanged, this, [this](bool on) { pauseEnabled_ = on; });
        else if (key == u"Stop")
            connect(button, &QAction::enabledChanged, this, [this](bool on) { stopEnabled_ = on; });
    }
}

QAction* frmMain::ToolbarButton(const QString& key) const
{
    for (QAction* a : Toolbar->actions())
        if (!a->isSeparator() && a->data().toString() == key)
            return a;
    return nullptr;
}

QString frmMain::ButtonCaption(const QString& key) const
{
    const QAction* a = ToolbarButton(key);
    return a ? a->text() : QString();
}

bool frmMain::IsButtonEnabled(const QString& key) const
{
    const QAction* a = ToolbarButton(key);
    return a && a->isEnabled();
}

bool frmMain::PlaySoundChecked() const
{
    return mnuToolsPlaySound->isChecked();
}

void frmMain::EnableCommands(const QString& Names, bool Enabled)
{
    if (Names.isEmpty())
        return;
    for (const QString& name : Names.split(u',')) {
        if (QAction* button = ToolbarButton(name))
            button->setEnabled(Enabled);
        QAction* item = name == u"Save"    ? mnuFileSave
                        : name == u"Print" ? mnuFilePrint
                        : name == u"Start" ? mnuRunStart
                        : name == u"Pause" ? mnuRunPause
                        : name == u"Stop"  ? mnuRunStop
                        : name == u"Step"  ? mnuRunStepInto
                                           : nullptr;
        if (item)
            item->setEnabled(Enabled);
    }
}

void frmMain::Toolbar_ButtonClick(const QString& key)
{
    if (key == u"Step")
        mnuRunStepInto_Click();
    else if (key == u"Start")
        mnuRunStart_Click();
    else if (key == u"Pause")
        mnuRunPause_Click();
    else if (key == u"Stop")
        mnuRunStop_Click();
    else if (key == u"New")
        mnuFileNew_Click();
    else if (key == u"Open")
        mnuFileOpen_Click();
    else if (key == u"Save")
        mnuFileSave_Click();
    else if (key == u"Print")
        mnuFilePrint_Click();
    else if (key == u"Options")
        mnuToolsOptions_Click();
}

void frmMain::Toolbar_MouseDown(qint16 Button, qint16 /*Shift*/, int x, int y)
{
    // "New" is disabled while a program runs, so a run shows no popup.
    if (Button == 2 && IsButtonEnabled(QStringLiteral("New")))
        mnuToolBar->popup(Toolbar->mapToGlobal(QPoint(x, y)));
}

void frmMain::mnuToolBarShowLabels_Click()
{
    mnuToolBarShowLabels->setChecked(!mnuToolBarShowLabels->isChecked());
    const bool labels = mnuToolBarShowLabels->isChecked();
    for (const QString& key : ToolbarKeys)
        if (QAction* button = ToolbarButton(key))
            button->setText(labels ? key : QString());
    Toolbar->setToolButtonStyle(labels ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
    DoEvents();
    LayoutControls();
    DoEvents();
    saveViewOption(QStringLiteral("Toolbar"), QStringLiteral("ShowLabels"), labels);
}

void frmMain::mnuToolBarCustomize_Click()
{
    std::vector<bool> shown;
    for (const QString& key : ToolbarKeys)
        shown.push_back(ToolbarButton(key)->isVisible());
    ToolbarCustomizeDialog dialog(ToolbarKeys, shown, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    shown = dialog.Shown();
    for (int i = 0; i < ToolbarKeys.size(); ++i)
        ToolbarButton(ToolbarKeys[i])->setVisible(shown[size_t(i)]);
    // A separator stays only between two groups that both show a button.
    const auto anyShown = [&](int from, int to) {
        for (int i = from; i <= to; ++i)
            if (shown[size_t(i)])
                return true;
        return false;
    };
    const bool fileGroup = anyShown(0, 3), runGroup = anyShown(4, 7), optionsGroup = anyShown(8, 8);
    int separator = 0;
    for (QAction* a : Toolbar->actions()) {
        if (!a->isSeparator())
            continue;
        a->setVisible(separator == 0 ? fileGroup && (runGroup || optionsGroup) : runGroup && optionsGroup);
        ++separator;
    }
    LayoutControls();
}

void frmMain::mnuViewStatusBar_Click()
{
    mnuViewStatusBar->setChecked(!mnuViewStatusBar->isChecked());
    StatusBar->setVisible(mnuViewStatusBar->isChecked());
    LayoutControls();
    saveViewOption(QStringLiteral("ViewOptions"), QStringLiteral("StatusBar"), mnuViewStatusBar->isChecked());
    // The progress bar and the slider follow at the next repaint.
    Client->update();
}

void frmMain::mnuViewToolBar_Click()
{
    mnuViewToolBar->setChecked(!mnuViewToolBar->isChecked());
    Toolbar->setVisible(mnuViewToolBar->isChecked());
    LayoutControls();
    saveViewOption(QStringLiteral("ViewOptions"), QStringLiteral("Toolbar"), mnuViewToolBar->isChecked());
}

void frmMain::mnuViewTextEditor_Click()
{
    mnuViewTextEditor->setChecked(!mnuViewTextEditor->isChecked());
    TextEditor->setVisible(mnuViewTextEditor->isChecked());
    if (!DebugWindow->isHidden() && !TextEditor->isHidden()) {
        DebugWindow->hide();
        mnuViewDebugWindow->setChecked(false);
    }
    LayoutControls();
    saveViewOption(QStringLiteral("ViewOptions"), QStringLiteral("TextEditor"), mnuViewTextEditor->isChecked());
    saveViewOption(QStringLiteral("ViewOptions"), QStringLiteral("DebugWindow"), mnuViewDebugWindow->isChecked());
    if (!TextEditor->isHidden()) {
        // Colouring again counts the text as saved; the document's state must not change.
        const bool saveEnabled = IsButtonEnabled(QStringLiteral("Save"));
        TextBuffer->SetText(TextEditor->Text());
        HighLightSyntax();
        EnableCommands(QStringLiteral("Save"), saveEnabled);
    }
}

void frmMain::mnuViewDebugWindow_Click()
{
    mnuViewDebugWindow->setChecked(!mnuViewDebugWindow->isChecked());
    DebugWindow->setVisible(mnuViewDebugWindow->isChecked());
    if (!TextEditor->isHidden() && !DebugWindow->isHidden()) {
        TextEditor->hide();
        mnuViewTextEditor->setChecked(false);
    }
    LayoutControls();
    saveViewOption(QStringLiteral("ViewOptions"), QStringLiteral("DebugWindow"), mnuViewDebugWindow->isChecked());
    saveViewOption(QStringLiteral("ViewOptions"), QStringLiteral("TextEditor"), mnuViewTextEditor->isChecked());
    if (TextChanged) {
        LoadDebugWindow();
        TextChanged = false;
    }
    DoEvents();
}

void frmMain::mnuToolsPlaySound_Click()
{
    mnuToolsPlaySound->setChecked(!mnuToolsPlaySound->isChecked());
}

void frmMain::mnuFileExit_Click()
{
    // Through the closing rules: the save question when there are unsaved changes.
    close();
}

void frmMain::mnuView3DWindow_Click()
{
    View3D.Show(state_, settings_);
}

void frmMain::mnuHelpAbout_Click()
{
    frmSplash splash(this);
    platform::ShowModal(splash);
}

void frmMain::mnuHelpContents_Click()
{
    // One viewer at a time: while the one started here runs, it is brought forward instead.
    if (helpViewer_ && helpViewer_->IsRunning()) {
        helpViewer_->BringForward();
        return;
    }
    // The help is Qt's compressed help (help.qch) with the collection the viewer opens
    // (help.qhc), both made by the build beside the executable.
    const QString collection = platform::ProgramFile(QStringLiteral("\\help.qhc"));
    const QString pages = platform::ProgramFile(QStringLiteral("\\help.qch"));
    for (const QString& file : {collection, pages}) {
        if (!QFileInfo(file).isFile()) {
            platform::MsgBox(QStringLiteral("The help file %1 is missing. It is made when Turnwise is built: "
                                            "build it again with scripts/build, which needs the package "
                                            "qt6-documentation-tools.").arg(file),
                             platform::vbCritical);
            return;
        }
    }
    const QString viewer = platform::HelpViewerProgram();
    if (!QFileInfo(viewer).isExecutable()) {
        platform::MsgBox(QStringLiteral("The help viewer %1 is not installed. Install the package assistant-qt6 "
                                        "(scripts/setup installs it) and choose Help > Contents again.").arg(viewer),
                         platform::vbCritical);
        return;
    }
    helpViewer_ = platform::StartDetached(viewer, {QStringLiteral("-collectionFile"), collection});
    if (!helpViewer_)
        platform::MsgBox(QStringLiteral("The help viewer %1 could not be started.").arg(viewer), platform::vbCritical);
}

void frmMain::mnuToolLibrary_Click()
{
    frmToolSelect& window = ToolSelect();
    window.Form_Load();
    platform::ShowModal(window);
}

void frmMain::mnuToolsOptions_Click()
{
    Tag.clear();
    {
        const frmOptions::ImageList markers{{QStringLiteral("Break"), platform::GutterPicture(QStringLiteral("Break"))},
                                            {QStringLiteral("Step"), platform::GutterPicture(QStringLiteral("Step"))}};
        frmOptions dialog(settings_, store_, com, Tag, markers, this);
        platform::ShowModal(dialog);
    }
    if (Tag != u"OK")
        return;
    const GlobalVariables& g = settings_;

    // The text is only recoloured: neither the document's saved state nor the grid's
    // record of text changes may move (the grid's breakpoints would go at its next refill).
    const bool saveEnabled = IsButtonEnabled(QStringLiteral("Save"));
    const bool textChanged = TextChanged;
    TextBuffer->SetText(TextEditor->Text());
    HighLightSyntax();
    EnableCommands(QStringLiteral("Save"), saveEnabled);
    TextChanged = textChanged;

    graphics_->InitSimBuffer();
    picSim->SetBackColor(platform::FromWinRgb(g.SimBackColor));
    picSim->update();

    ApplyDebugGridSettings();
    using mainwindow::programgrid::TextCol, mainwindow::programgrid::MarkCol;
    for (int row = 0; row < DebugWindow->Rows(); ++row) {
        DebugWindow->SetCellFont(row, TextCol, g.DebugFontName, g.DebugFontSize, DebugWindow->CellFontBold(row, TextCol));
        DebugWindow->SetRowHeightTwips(row, g.DebugRowHeight);
        const QString mark = DebugWindow->TextMatrix(row, MarkCol);
        if (mark.isEmpty()) {
            DebugWindow->SetCellForeColor(row, TextCol, g.NormalTextColor);
            DebugWindow->SetCellBackColor(row, TextCol, g.NormalBackColor);
        } else if (mark == mainwindow::programgrid::BreakMark) {
            DebugWindow->SetCellForeColor(row, TextCol, g.BreakPointTextColor);
            DebugWindow->SetCellBackColor(row, TextCol, g.BreakPointColor);
        }
    }
}
