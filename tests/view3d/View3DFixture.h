#pragma once
// The 3D window as the tests open it: on its own through the holder the main window uses, or
// through the real main window after a run.
#include "test_run_window.h"

#include "platform/gui/WinColour.h"
#include "view3d/PixelFormat.h"
#include "view3d/View3DHolder.h"

#include <QKeyEvent>
#include <QTimer>
#include <optional>

// A billet of diameter 20 and length 40, cut to diameter 16 over its first 10.
inline const QString Turning = "[BILLET X20 Z40\r\n"
                               "G00 X22 Z2\r\n"
                               "G01 X16 Z0 F100\r\n"
                               "G01 X16 Z-10\r\n"
                               "G01 X20 Z-20\r\n"
                               "G01 X26 Z5";

// Runs `step` at every turn of the event loop until it returns true.
inline void Every(const std::function<bool()>& step)
{
    auto* timer = new QTimer;
    timer->setInterval(0);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, step] {
        if (step()) {
            timer->stop();
            timer->deleteLater();
        }
    });
    timer->start();
}

// A key press as the window system delivers it: queued, and handled at the next yield.
inline void PostKey(QWidget* to, Qt::Key key)
{
    QCoreApplication::postEvent(to, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
}

// Sees every key press on its way to a window; `swallow` returning true keeps it from there.
class KeyWatch : public QObject
{
public:
    explicit KeyWatch(std::function<bool(int key)> swallow) : swallow_(std::move(swallow)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress)
            return swallow_(static_cast<QKeyEvent*>(event)->key());
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<bool(int key)> swallow_;
};

inline void Settle()
{
    for (int k = 0; k < 3; ++k) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// The window on its own, as the main window's View > 3D Window makes it.
class Window3D : public ::testing::Test
{
protected:
    void SetUp() override
    {
        settings.WorkPieceColor = platform::WinRgb(0, 0, 255);
        state.WorkPieceProfile.assign(401, ProfileEntry{100, 0});
    }
    void TearDown() override
    {
        holder.reset();
        Settle();
        noContext.reset();
    }

    void WithoutContext()
    {
        noContext.emplace(view3d::SetPixelFormatCheck, [](const QSurfaceFormat&) { return false; });
    }

    frm3D& Open()
    {
        MessageBoxRecorder boxes;
        frm3D& w = holder->Show(state, settings);
        messages = boxes.shown;
        (void)QTest::qWaitForWindowExposed(&w);
        Settle();
        return w;
    }

    SharedState state;
    GlobalVariables settings;
    std::unique_ptr<View3DHolder> holder = std::make_unique<View3DHolder>();
    std::vector<ShownMessage> messages;
    std::optional<platform::ScopedHook<view3d::PixelFormatCheck>> noContext;
};

// Through the main window: F12 after a run, and the spin and the run holding each other.
class View3DWithRun : public RunWindow
{
protected:
    frm3D& Open3D()
    {
        MessageBoxRecorder boxes;
        window->mnuView3DWindow_Click();
        frm3D* w = window->View3D.Window();
        (void)QTest::qWaitForWindowExposed(w);
        Settle();
        return *w;
    }
    bool Cut() const
    {
        return !state.WorkPieceProfile.empty() && state.WorkPieceProfile[5].Radius == 80;
    }
};

