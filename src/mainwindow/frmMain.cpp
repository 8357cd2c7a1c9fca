#include "mainwindow/frmMain.h"

#include "interpreter/ModCNC.h"
#include "platform/EventLoop.h"
#include "platform/MessageBox.h"
#include "settings/GlobalVariables.h"
#include "shared/SharedState.h"
#include "simulation/Graphics.h"

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
    resize(792, 546);
}

frmMain::~frmMain() = default;

void frmMain::Form_Load()
{
    settings_.LoadSettings(store_);
}

void frmMain::SetPanelText(const QString&, const QString&) {}
void frmMain::mnuRunPause_Click() {}
void frmMain::mnuRunStop_Click() {}
int frmMain::GridRowCount() const { return 0; }
QString frmMain::GridRowText(int) const { return {}; }
void frmMain::HighLightExecutingLine(int) {}
void frmMain::RemoveHighLighting(int) {}
void frmMain::AnimateToolPath() { graphics_->AnimateToolPath(); }

void frmMain::ShowSimulation(const QImage&, const QRect&) {}
bool frmMain::IsButtonEnabled(const QString&) const { return false; }
int frmMain::SliderValue() const { return 0; }
bool frmMain::PlaySoundChecked() const { return false; }
void frmMain::DoEvents() { platform::DoEvents(); }
void frmMain::SleepMs(int milliseconds) { platform::SleepMs(milliseconds); }
