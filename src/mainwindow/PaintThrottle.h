#pragma once
// Paints the grid and the status bar at most about 60 times a second while a long job yields
// to the window system again and again (the run loop yields twice per row, the animation once
// per point): between two paints their changes wait, and then only what changed repaints, in
// the first yield an interval after the last paint or from a timer. (The progress bar needs no
// holding: it repaints only when its value moves it by a step it can show.)

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

class FlexGrid;
class PanelStatusBar;

class PaintThrottle : public QObject
{
public:
    PaintThrottle(FlexGrid* grid, PanelStatusBar* statusBar, int intervalMs, QObject* parent = nullptr);

    // Before every yield: what changed paints in this one when the last paint is at least an
    // interval ago; otherwise it waits, at most until the interval has passed.
    void BeforeYield();

private:
    void hold();
    void release();

    QPointer<FlexGrid> grid_;
    QPointer<PanelStatusBar> statusBar_;
    int intervalMs_;
    QElapsedTimer sincePaint_;
    QTimer timer_;
    bool holding_ = false;
};
