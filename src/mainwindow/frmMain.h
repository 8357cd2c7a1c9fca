#pragma once
// The main window: the program editor or grid in the left pane, the simulation picture in
// the rest, toolbar, status bar and menus; it drives the run.

#include "interpreter/InterpreterHost.h"
#include "simulation/SimulationHost.h"

#include <QMainWindow>
#include <memory>

struct SharedState;
class GlobalVariables;
class Graphics;
class ModCNC;
namespace platform { class SettingsStore; }

class frmMain : public QMainWindow, public InterpreterHost, public SimulationHost
{
    Q_OBJECT

public:
    frmMain(SharedState& state, GlobalVariables& settings, platform::SettingsStore& store,
            QWidget* parent = nullptr);
    ~frmMain() override;

    void Form_Load();

    // InterpreterHost
    void SetPanelText(const QString& key, const QString& text) override;
    void mnuRunPause_Click() override;
    void mnuRunStop_Click() override;
    int GridRowCount() const override;
    QString GridRowText(int row) const override;
    void HighLightExecutingLine(int row) override;
    void RemoveHighLighting(int row) override;
    void AnimateToolPath() override;

    // SimulationHost
    void ShowSimulation(const QImage& buffer, const QRect& dirty) override;
    bool IsButtonEnabled(const QString& key) const override;
    int SliderValue() const override;
    bool PlaySoundChecked() const override;
    void DoEvents() override;
    void SleepMs(int milliseconds) override;

    Graphics& graphics() { return *graphics_; }
    ModCNC& cnc() { return *cnc_; }

private:
    SharedState& state_;
    GlobalVariables& settings_;
    platform::SettingsStore& store_;
    std::unique_ptr<Graphics> graphics_;
    std::unique_ptr<ModCNC> cnc_;
};
