#pragma once
// Stands in for the main window: keeps what was shown, answers the button, slider and sound
// questions, and records refreshes, sleeps and yields in the order they happened.

#include "simulation/SimulationHost.h"

#include <QImage>
#include <QStringList>
#include <functional>
#include <map>

class FakeSimulationHost : public SimulationHost
{
public:
    void ShowSimulation(const QImage& buffer, const QRect& dirty) override
    {
        shownSize = buffer.size();
        dirtyRects.push_back(dirty);
        log << QStringLiteral("show");
    }
    bool IsButtonEnabled(const QString& key) const override
    {
        const auto it = buttons.find(key);
        return it != buttons.end() && it->second;
    }
    int SliderValue() const override { return slider; }
    bool PlaySoundChecked() const override { return soundChecked; }
    void DoEvents() override
    {
        log << QStringLiteral("events");
        if (onDoEvents)
            onDoEvents();
    }
    void SleepMs(int milliseconds) override { log << QStringLiteral("sleep %1").arg(milliseconds); }

    std::map<QString, bool> buttons{{"Pause", true}, {"Stop", true}}; // a run in progress
    int slider = 10;
    bool soundChecked = false;
    std::function<void()> onDoEvents;

    QStringList log;
    std::vector<QRect> dirtyRects;
    QSize shownSize;
};
