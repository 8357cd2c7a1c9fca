#pragma once
// Stands in for the main window and the animation: records panel texts, run commands,
// notices, tool changes and every tool path handed over for animation.

#include "interpreter/InterpreterHost.h"
#include "shared/SharedState.h"

#include <QStringList>
#include <functional>
#include <map>
#include <utility>
#include <vector>

class FakeInterpreterHost : public InterpreterHost
{
public:
    explicit FakeInterpreterHost(SharedState& state) : state_(state) {}

    void SetPanelText(const QString& key, const QString& text) override
    {
        panels[key] = text;
        events << key + u'=' + text;
    }
    void mnuRunPause_Click() override
    {
        calls << "Pause";
        events << "Pause";
    }
    void mnuRunStop_Click() override
    {
        calls << "Stop";
        events << "Stop";
        state_.StopRequested = true;
        state_.Cnc.TargetX = state_.Cnc.TargetZ = state_.Cnc.CurrentX = state_.Cnc.CurrentZ = 0;
    }
    int GridRowCount() const override { return int(rows.size()); }
    QString GridRowText(int row) const override { return rows.value(row); }
    void HighLightExecutingLine(int row) override { calls << QStringLiteral("High %1").arg(row); }
    void RemoveHighLighting(int row) override { calls << QStringLiteral("Remove %1").arg(row); }
    void SetNoticeText(const QString& text) override { events << QStringLiteral("Text ") + text; }
    void ShowNotice(qint16 Modal, qint16 Interval) override
    {
        events << QStringLiteral("Show %1 %2").arg(Modal).arg(Interval);
    }
    void GetToolList() override
    {
        events << "GetToolList";
        if (onGetToolList)
            onGetToolList();
    }
    void ChangeTool(const QString& Path, qint16 Width, qint16 Height) override
    {
        events << QStringLiteral("ChangeTool %1 %2 %3").arg(Path).arg(Width).arg(Height);
    }
    void AnimateToolPath() override
    {
        paths.push_back(state_.ToolPath);
        rapid.push_back(state_.IsRapid);
        offsets.push_back({state_.PassOffsetX, state_.PassOffsetZ});
        if (onAnimate)
            onAnimate();
    }

    std::map<QString, QString> panels;
    QStringList calls;
    // Panel writes ("Key=text"), notices, run commands and the tool change, in order.
    QStringList events;
    QStringList rows;
    std::vector<std::vector<ToolPathPoint>> paths;
    std::vector<bool> rapid;
    std::vector<std::pair<double, double>> offsets; // PassOffsetX, PassOffsetZ of each path
    std::function<void()> onAnimate;
    std::function<void()> onGetToolList;

private:
    SharedState& state_;
};
