#pragma once
// Simulated key strokes, queued like typed keys and processed at the next do-events call.

#include <QString>

class QWidget;

namespace platform {

// Queues a press and a release for every key of `keys` to `target`, or to the widget that
// has the keyboard focus. Characters stand for themselves (capitals with Shift); "{RIGHT}",
// "{LEFT}", "{UP}", "{DOWN}", "{HOME}", "{END}", "{ENTER}", "{TAB}", "{BS}", "{DEL}" and
// "{ESC}" for those keys. Nothing is queued when no widget has the focus.
void SendKeys(const QString& keys, QWidget* target = nullptr);

} // namespace platform
