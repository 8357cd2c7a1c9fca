#include "mainwindow/PaintThrottle.h"

#include <QWidget>

PaintThrottle::PaintThrottle(std::vector<QWidget*> widgets, int intervalMs, QObject* parent)
    : QObject(parent), intervalMs_(intervalMs)
{
    for (QWidget* w : widgets)
        widgets_.emplace_back(w);
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
    if (holding_)
        return;
    holding_ = true;
    for (QWidget* w : widgets_)
        if (w)
            w->setUpdatesEnabled(false);
    timer_.start(int(qMax<qint64>(1, intervalMs_ - sincePaint_.elapsed())));
}

void PaintThrottle::release()
{
    timer_.stop();
    if (!holding_)
        return;
    holding_ = false;
    // Enabling updates again repaints each widget whole, as it now stands.
    for (QWidget* w : widgets_)
        if (w)
            w->setUpdatesEnabled(true);
}
