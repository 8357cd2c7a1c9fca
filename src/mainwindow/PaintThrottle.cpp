#include "mainwindow/PaintThrottle.h"

#include "mainwindow/PanelStatusBar.h"
#include "platform/widgets/FlexGrid.h"

PaintThrottle::PaintThrottle(FlexGrid* grid, PanelStatusBar* statusBar, int intervalMs, QObject* parent)
    : QObject(parent), grid_(grid), statusBar_(statusBar), intervalMs_(intervalMs)
{
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, [this] {
        release();
        sincePaint_.restart();
    });
}

void PaintThrottle::BeforeYield()
{
    if (!sincePaint_.isValid() || sincePaint_.elapsed() >= intervalMs_) {
        release();
        sincePaint_.restart();
        return;
    }
    hold();
}

void PaintThrottle::hold()
{
    if (holding_)
        return;
    holding_ = true;
    if (grid_)
        grid_->HoldPainting();
    if (statusBar_)
        statusBar_->HoldPainting();
    timer_.start(int(qMax<qint64>(1, intervalMs_ - sincePaint_.elapsed())));
}

void PaintThrottle::release()
{
    timer_.stop();
    if (!holding_)
        return;
    holding_ = false;
    if (grid_)
        grid_->ReleasePainting();
    if (statusBar_)
        statusBar_->ReleasePainting();
}
