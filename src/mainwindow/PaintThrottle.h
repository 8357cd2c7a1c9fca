#pragma once
// Paints a few widgets at most about 60 times a second while a long job yields to the
// window system again and again (the run loop yields twice per row): between two paints
// their updates are held back, and a timer paints the state they were left in.

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <vector>

class QWidget;

class PaintThrottle : public QObject
{
public:
    PaintThrottle(std::vector<QWidget*> widgets, int intervalMs, QObject* parent = nullptr);

    // Before every yield: the widgets paint in this one when the last paint is at least an
    // interval ago; otherwise they wait, at most until the interval has passed.
    void BeforeYield();
    bool Holding() const { return holding_; }

private:
    void release();

    std::vector<QPointer<QWidget>> widgets_;
    int intervalMs_;
    QElapsedTimer sincePaint_;
    QTimer timer_;
    bool holding_ = false;
};
