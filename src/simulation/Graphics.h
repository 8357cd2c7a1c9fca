#pragma once
// The simulation picture: the back buffer in which the billet is drawn and the tool stamps
// the cut, the workpiece profile, and the animation of tool paths with its pacing and sounds.

#include <QImage>
#include <QRect>
#include <QString>
#include <QtGlobal>

struct SharedState;
class GlobalVariables;
class SimulationHost;

class Graphics
{
public:
    Graphics(SharedState& state, const GlobalVariables& settings, SimulationHost& host);
    ~Graphics();

    void InitSimBuffer();
    void ClearSimBuffer();
    void RefreshSimulation();
    void LoadTool(const QString& Path, qint16 Width, qint16 Height);
    void DeleteToolDCs();
    void DrawBillet(qint16 Length, qint16 Diameter);
    void DrawTool(qint16 Z, qint16 X);
    void DrawEdgeEffect();

    void AnimateToolPath();
    void PlaySound(const QString& File);

    // The back buffer, exact RGB colours.
    const QImage& SimDC() const { return simDC_; }
    qint16 AxisRow() const { return axisRow_; }
    qint16 ToolPrevX = -500;
    qint16 ToolPrevY = -500;

private:
    SharedState& state_;
    const GlobalVariables& settings_;
    SimulationHost& host_;
    QImage simDC_;
    qint16 axisRow_ = 0;
};
