#pragma once
// What the simulation needs of the main window: the picture widget to show the back buffer
// on, the run state held by the toolbar buttons, the speed slider, the sound menu check and
// the do-events call. The main window implements it; tests implement it with a recorder.

#include <QRect>
#include <QString>

class QImage;

class SimulationHost
{
public:
    virtual ~SimulationHost() = default;

    // Shows `buffer` in picSim; only `dirty` (in buffer pixels) changed since the last call,
    // and it is empty when nothing did. A new buffer (another size) comes with its whole
    // rectangle dirty. Paint from the buffer or copy out of it during the call, but keep no
    // QImage copy of it: the next stamp would then detach and copy the whole picture.
    virtual void ShowSimulation(const QImage& buffer, const QRect& dirty) = 0;

    // Enabled state of a toolbar button ("Pause", "Stop").
    virtual bool IsButtonEnabled(const QString& key) const = 0;
    // The run is paused: "Stop" enabled and "Pause" disabled. Asked at every path point, so a
    // host may answer from flags it keeps in step with the buttons instead of finding them.
    virtual bool IsRunPaused() const
    {
        return IsButtonEnabled(QStringLiteral("Stop")) && !IsButtonEnabled(QStringLiteral("Pause"));
    }
    // The status bar's speed slider, -10..10.
    virtual int SliderValue() const = 0;
    // Tools > Play Sound is checked.
    virtual bool PlaySoundChecked() const = 0;

    // Yields to the window system, and sleeps without yielding.
    virtual void DoEvents() = 0;
    virtual void SleepMs(int milliseconds) = 0;
    // The yield of the pause wait: it may block until an event arrives, since only an event
    // (Start, Stop, a timer) can end a pause.
    virtual void WaitForEvents() { DoEvents(); }
};
