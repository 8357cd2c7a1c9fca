// The frame of the main window: construction, start-up, layout, repaint, the F2 key and
// closing.
#include "mainwindow/frmMain.h"

#include "interpreter/ModCNC.h"
#include "mainwindow/PaintThrottle.h"
#include "mainwindow/PanelStatusBar.h"
#include "mainwindow/SimPicture.h"
#include "platform/AppPaths.h"
#include "platform/EventLoop.h"
#include "platform/KeyCodes.h"
#include "platform/MessageBox.h"
#include "platform/SettingsStore.h"
#include "platform/Twips.h"
#include "platform/VbNumbers.h"
#include "platform/gui/WinColour.h"
#include "platform/widgets/FlexGrid.h"
#include "platform/widgets/ModalWindow.h"
#include "platform/widgets/RichTextBox.h"
#include "settings/GlobalVariables.h"
#include "splash/frmInfo.h"
#include "splash/frmSplash.h"
#include "shared/SharedState.h"
#include "simulation/Graphics.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QProgressBar>
#include <QSlider>
#include <QToolBar>

const QStringList frmMain::ToolbarKeys = {
    QStringLiteral("New"),  QStringLiteral("Open"),  QStringLiteral("Save"),
    QStringLiteral("Print"), QStringLiteral("Step"), QStringLiteral("Start"),
    QStringLiteral("Pause"), QStringLiteral("Stop"), QStringLiteral("Options"),
};

frmMain::frmMain(SharedState& state, GlobalVariables& settings, platform::SettingsStore& store, QWidget* parent)
    : QMainWindow(parent),
      state_(state),
      settings_(settings),
      store_(store),
      graphics_(std::make_unique<Graphics>(state, settings, *this)),
      cnc_(std::make_unique<ModCNC>(state, *this))
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(platform::AppTitle);
    buildControls();
    connectEditor();
    connect(DebugWindow, &FlexGrid::Click, this, &frmMain::DebugWindow_Click);
    connect(DebugWindow, &FlexGrid::DblClick, this, &frmMain::DebugWindow_DblClick);
    buildMenus();
    buildToolbar();
    buildStatusBar();
    paintThrottle_ = new PaintThrottle(DebugWindow, StatusBar, 16, this);
    resize(792, 546 + menuBar()->sizeHint().height());
    qApp->installEventFilter(this);
}

frmMain::~frmMain()
{
    qApp->removeEventFilter(this);
}

void frmMain::buildControls()
{
    // The client area holds every control, and they are placed by hand as the layout rules
    // say, so its size is the window's scale width and height.
    Client = new QWidget(this);
    Client->setObjectName(QStringLiteral("Client"));
    setCentralWidget(Client);
    Client->installEventFilter(this);

    TextEditor = new RichTextBox(Client);
    TextEditor->setObjectName(QStringLiteral("TextEditor"));
    TextEditor->setLineWrapMode(QTextEdit::NoWrap);

    DebugWindow = new FlexGrid(Client);
    DebugWindow->setObjectName(QStringLiteral("DebugWindow"));
    DebugWindow->SetBackColor(platform::WinRgb(255, 255, 255));
    DebugWindow->SetGridColor(platform::WinRgb(192, 192, 192));
    DebugWindow->SetBackColorBkg(platform::WinRgb(68, 102, 166));
    DebugWindow->SetFixedCols(1);
    DebugWindow->SetRows(1); // one empty row until the first fill

    TextBuffer = new RichTextBox(this);
    TextBuffer->setObjectName(QStringLiteral("TextBuffer"));
    TextBuffer->hide();

    picSim = new SimPicture(Client);
    picSim->setObjectName(QStringLiteral("picSim"));
    picSim->onPaint = [this] { graphics_->RefreshSimulation(); };
}

void frmMain::Form_Load()
{
    settings_.LoadSettings(store_);
    ApplySettings();
    LoadRecentFiles();
    EnableCommands(QStringLiteral("Save,Print,Step,Start,Pause,Stop"), false);
    SetPanelText(QStringLiteral("FileName"), QStringLiteral("Untitled"));
    com.InitDir = platform::AppPath();
    if (settings_.SplashScreen != 0) {
        frmSplash splash(this); // before the main window shows: it is still hidden
        platform::ShowModal(splash);
    }
    if (settings_.OpenLastFile != 0 && mnuFileRecentFiles[0]->isEnabled())
        mnuFileRecentFiles_Click(0);
}

bool frmMain::readViewOption(const QString& section, const QString& key, bool defaultValue)
{
    const QString text = store_.GetSetting(settings::AppName, section, key, platform::vb::TruthText(defaultValue));
    // A value that does not read as a truth value counts as the default.
    return platform::vb::ParseTruth(text).value_or(defaultValue);
}

void frmMain::saveViewOption(const QString& section, const QString& key, bool value)
{
    store_.SaveSetting(settings::AppName, section, key, platform::vb::TruthText(value));
}

void frmMain::ApplySettings()
{
    TextEditor->SetBackColor(settings_.EditorBackColor);
    QFont font = TextEditor->font();
    font.setFamily(settings_.EditorFontName);
    TextEditor->setFont(font);
    TextEditor->SetSelFontSize(settings_.EditorFontSize);
    TextEditor->SetSelBold(settings_.EditorBold != 0);

    ApplyDebugGridSettings();

    picSim->SetBackColor(platform::FromWinRgb(settings_.SimBackColor));

    // The click flips the check back to the saved value, labels the buttons and writes it.
    mnuToolBarShowLabels->setChecked(!readViewOption(QStringLiteral("Toolbar"), QStringLiteral("ShowLabels"), true));
    mnuToolBarShowLabels_Click();

    const QString view = QStringLiteral("ViewOptions");
    mnuViewToolBar->setChecked(readViewOption(view, QStringLiteral("Toolbar"), true));
    mnuViewStatusBar->setChecked(readViewOption(view, QStringLiteral("StatusBar"), true));
    mnuViewTextEditor->setChecked(readViewOption(view, QStringLiteral("TextEditor"), true));
    mnuViewDebugWindow->setChecked(readViewOption(view, QStringLiteral("DebugWindow"), false));
    // Both panes saved as shown (a hand-edited store) would stack them; the editor wins, as
    // the View toggles never leave both shown.
    if (mnuViewTextEditor->isChecked() && mnuViewDebugWindow->isChecked())
        mnuViewDebugWindow->setChecked(false);

    StatusBar->setVisible(mnuViewStatusBar->isChecked());
    TextEditor->setVisible(mnuViewTextEditor->isChecked());
    Toolbar->setVisible(mnuViewToolBar->isChecked());
    DebugWindow->setVisible(mnuViewDebugWindow->isChecked());
}

// The toolbar and the status bar keep to the top and bottom edges at their own heights.
void frmMain::alignBars()
{
    const int w = Client->width();
    Toolbar->setGeometry(0, 0, w, Toolbar->sizeHint().height());
    const int barHeight = StatusBar->sizeHint().height();
    StatusBar->setGeometry(0, Client->height() - barHeight, w, barHeight);
}

void frmMain::LayoutControls()
{
    alignBars();
    const int scaleWidth = Client->width();
    const int scaleHeight = Client->height();

    const int paneTop = Toolbar->isHidden() ? 0 : Toolbar->height();
    const int paneHeight = StatusBar->isHidden() ? scaleHeight - paneTop : scaleHeight - paneTop - StatusBar->height();
    const float editorWidth = float(scaleWidth) * 0.23f;
    TextEditor->setGeometry(0, paneTop, qMax<int>(0, platform::PixelsHalfEvenClamped16(double(editorWidth))),
                            qMax(0, paneHeight));
    DebugWindow->setGeometry(0, TextEditor->y(), TextEditor->width(), TextEditor->height());

    if (!DebugWindow->isHidden() || !TextEditor->isHidden())
        picSim->setGeometry(TextEditor->width(), TextEditor->y(), qMax(0, scaleWidth - TextEditor->width()),
                            TextEditor->height());
    else
        picSim->setGeometry(0, TextEditor->y(), scaleWidth, TextEditor->height());

    const QRect inner = picSim->contentsRect();
    state_.SimWidth = platform::PixelsHalfEvenClamped16(inner.width());
    state_.SimHeight = platform::PixelsHalfEvenClamped16(inner.height());
    graphics_->InitSimBuffer();
    // The new buffer is blank; show it rather than what the old one held.
    picSim->update();
}

void frmMain::Form_Resize()
{
    if (!isMinimized())
        LayoutControls();
    if (isMinimized() || !(windowState() & Qt::WindowMaximized))
        setWindowState(Qt::WindowMaximized);
    StatusControlsPlaced = false;
    // The status controls are fitted at the next repaint.
    Client->update();
}

void frmMain::Form_Paint()
{
    const bool shown = !StatusBar->isHidden();
    Slider->setVisible(shown);
    ProgressBar->setVisible(shown);
    if (StatusControlsPlaced)
        return;
    const auto fit = [this](QWidget* control, const QString& key) {
        const QRect panel = StatusBar->PanelRect(key);
        control->setGeometry(StatusBar->x() + panel.left() + 5, StatusBar->y() + 6, panel.width() - 10,
                             platform::PixelsHalfEvenClamped16(StatusBar->height() / 1.5));
        control->raise();
    };
    fit(ProgressBar, QStringLiteral("ProgressBar"));
    fit(Slider, QStringLiteral("Slider"));
    StatusControlsPlaced = true;
}

void frmMain::Form_KeyUp(qint16 KeyCode, qint16 /*Shift*/)
{
    if (KeyCode == platform::keycode::F2)
        graphics_->RefreshSimulation();
}

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        // A modal notice has the keyboard while it holds its block; the Run keys pressed
        // then are taken from it and kept for when it has closed.
        if (modalNotice_ && watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == modalNotice_) {
            if (QAction* command = runCommandFor(*static_cast<QKeyEvent*>(event))) {
                pendingCommands_.append(command);
                return true;
            }
        }
        break;
    case QEvent::KeyRelease: {
        // The window previews the keys of whatever control has the focus; the key goes on
        // to that control. A key travelling up to the parents is looked at only once.
        if (!watched->isWidgetType())
            break;
        auto* w = static_cast<QWidget*>(watched);
        if (w->window() != this)
            break;
        QWidget* focus = focusWidget();
        if (focus ? w != focus : w != this)
            break;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat())
            Form_KeyUp(platform::MainWindowKeyCode(key->key()), platform::ShiftState(key->modifiers()));
        break;
    }
    case QEvent::Resize:
        if (watched == Client)
            Form_Resize();
        break;
    case QEvent::Paint:
        if (watched == Client)
            Form_Paint();
        break;
    case QEvent::MouseButtonPress: {
        // A press on a button that it does not take (the right button) travels on to the
        // toolbar; a disabled button keeps every press, so it is taken from there.
        QWidget* origin = watched->isWidgetType() ? static_cast<QWidget*>(watched) : nullptr;
        const bool onToolbar = origin == Toolbar;
        const bool onDisabledButton = origin && origin->parentWidget() == Toolbar && !origin->isEnabled();
        if (onToolbar || onDisabledButton) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            const qint16 button = mouse->button() == Qt::LeftButton    ? 1
                                  : mouse->button() == Qt::RightButton ? 2
                                  : mouse->button() == Qt::MiddleButton ? 4
                                                                        : 0;
            const QPoint pos = origin->mapTo(Toolbar, mouse->position().toPoint());
            Toolbar_MouseDown(button, platform::ShiftState(mouse->modifiers()), pos.x(), pos.y());
        }
        break;
    }
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    // Minimising resizes nothing, but the window is kept maximised.
    if (event->type() == QEvent::WindowStateChange && isMinimized())
        Form_Resize();
}

void frmMain::closeEvent(QCloseEvent* event)
{
    if (closing_) {
        event->accept();
        return;
    }
    qint16 cancel = 0;
    Form_QueryUnload(cancel, 0);
    if (cancel != 0) {
        event->ignore();
        return;
    }
    closing_ = true;
    Form_Unload();
    event->accept();
}

void frmMain::Form_QueryUnload(qint16& Cancel, qint16 /*UnloadMode*/)
{
    // Also during a run, whose disabled Save says nothing about the document.
    if (!HasUnsavedChanges())
        return;
    const int answer = platform::MsgBox(QStringLiteral("Save changes to ") + PanelText(QStringLiteral("FileName")) +
                                            QStringLiteral("?"),
                                        platform::vbYesNoCancelQuestion, QStringLiteral("Save Changes?"));
    if (answer == platform::vbYes) {
        mnuFileSave_Click();
        if (HasUnsavedChanges())
            Cancel = 1;
    } else if (answer != platform::vbNo) {
        Cancel = 1;
    }
}

void frmMain::Form_Unload()
{
    // A run in progress is abandoned: its loops leave at their next test.
    state_.StopRequested = true;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != this && w->isVisible())
            w->close();
    QCoreApplication::quit();
}

void frmMain::ShowSimulation(const QImage& buffer, const QRect& dirty)
{
    picSim->Show(buffer, dirty);
}

void frmMain::AnimateToolPath() { graphics_->AnimateToolPath(); }
void frmMain::DoEvents()
{
    // Only a run yields again and again; the other yields paint as they come.
    if (runActive_)
        paintThrottle_->BeforeYield();
    platform::DoEvents();
}
void frmMain::SleepMs(int milliseconds) { platform::SleepMs(milliseconds); }
