// The fades as the X server sees them: every alpha step of the splash and of a modal notice
// must reach the server when it is set, also while nothing else happens in the program.
#include "splash/frmInfo.h"
#include "splash/frmSplash.h"

#include "TestSupport.h"
#include "platform/widgets/ModalWindow.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QThread>
#include <QTimer>
#include <cmath>
#include <cstdlib>
#include <vector>
#include <xcb/xcb.h>

namespace {

const bool usesDisplay = UseDisplayPlatform();

// The server's own record of a window's opacity, read through a connection of the test's own:
// a read through the toolkit's connection would first send whatever the toolkit still holds.
class ServerOpacity
{
public:
    ServerOpacity() : connection_(xcb_connect(nullptr, nullptr))
    {
        if (xcb_connection_has_error(connection_))
            return;
        static const char name[] = "_NET_WM_WINDOW_OPACITY";
        xcb_intern_atom_reply_t* reply =
            xcb_intern_atom_reply(connection_, xcb_intern_atom(connection_, 0, sizeof name - 1, name), nullptr);
        if (reply)
            atom_ = reply->atom;
        std::free(reply);
    }
    ~ServerOpacity() { xcb_disconnect(connection_); }
    ServerOpacity(const ServerOpacity&) = delete;
    ServerOpacity& operator=(const ServerOpacity&) = delete;

    bool Usable() const { return !xcb_connection_has_error(connection_) && atom_ != XCB_ATOM_NONE; }

    // 0 to 255; a window without the property is opaque.
    int Alpha(xcb_window_t window)
    {
        xcb_get_property_reply_t* reply = xcb_get_property_reply(
            connection_, xcb_get_property(connection_, 0, window, atom_, XCB_ATOM_CARDINAL, 0, 1), nullptr);
        int alpha = 255;
        if (reply && xcb_get_property_value_length(reply) == 4) {
            const quint32 value = *static_cast<const quint32*>(xcb_get_property_value(reply));
            alpha = int(std::lround(double(value) * 255.0 / 4294967295.0));
        }
        std::free(reply);
        return alpha;
    }

    // Waits, without letting the program run, until the server shows `alpha`.
    bool Shows(xcb_window_t window, int alpha, int withinMs)
    {
        QElapsedTimer clock;
        clock.start();
        for (;;) {
            if (Alpha(window) == alpha)
                return true;
            if (clock.elapsed() > withinMs)
                return false;
            QThread::msleep(2);
        }
    }

private:
    xcb_connection_t* connection_;
    xcb_atom_t atom_ = XCB_ATOM_NONE;
};

// Checks each step the window applies while it is on the screen, as it is applied.
struct StepsOnTheServer
{
    StepsOnTheServer(FadingWindow& w, ServerOpacity& s) : window(w), server(s)
    {
        QObject::connect(&window, &FadingWindow::AlphaApplied, [this](int alpha) {
            if (!window.testAttribute(Qt::WA_WState_Created) || !window.isVisible())
                return;
            ++checked;
            // After the first miss the rest are only noted, so a failing run ends soon.
            if (!Shows(alpha, unseen.empty() ? 300 : 0))
                unseen.push_back(alpha);
        });
    }
    bool Shows(int alpha, int withinMs) { return server.Shows(xcb_window_t(window.winId()), alpha, withinMs); }

    FadingWindow& window;
    ServerOpacity& server;
    int checked = 0;
    std::vector<int> unseen;
};

bool OnTheXServer()
{
    return QGuiApplication::platformName() == u"xcb";
}

} // namespace

TEST(FadesOnTheServer, EveryStepOfTheSplashReachesTheServerWhileTheProgramIsIdle)
{
    if (!OnTheXServer())
        GTEST_SKIP() << "needs the X server";
    ServerOpacity server;
    ASSERT_TRUE(server.Usable());
    frmSplash splash;
    StepsOnTheServer steps(splash, server);
    // Nothing but the fade timers runs: the fade-in ends, then the fade-out is started.
    QTimer fadedIn;
    fadedIn.setInterval(20);
    QObject::connect(&fadedIn, &QTimer::timeout, [&] {
        if (splash.Timer1->isActive())
            return;
        fadedIn.stop();
        EXPECT_TRUE(steps.Shows(250, 300)) << "the splash holds at 250";
        splash.Form_Click();
    });
    fadedIn.start();
    platform::ShowModalForReal(splash);

    EXPECT_TRUE(splash.IsUnloaded());
    EXPECT_GE(steps.checked, 100) << "the fade-in and the fade-out, on the screen";
    EXPECT_TRUE(steps.unseen.empty()) << steps.unseen.size() << " steps never reached the server, the first "
                                      << steps.unseen.front();
}

TEST(FadesOnTheServer, EveryStepOfAModalNoticeReachesTheServer)
{
    if (!OnTheXServer())
        GTEST_SKIP() << "needs the X server";
    ServerOpacity server;
    ASSERT_TRUE(server.Usable());
    frmInfo info;
    info.lblInfo->setText(QStringLiteral("Door OPEN"));
    info.Timer4->setInterval(500);
    info.SetTakesFocus(true);
    StepsOnTheServer steps(info, server);
    platform::ShowModalForReal(info);

    EXPECT_TRUE(info.IsUnloaded());
    EXPECT_GE(steps.checked, 20);
    EXPECT_TRUE(steps.unseen.empty()) << steps.unseen.size() << " steps never reached the server, the first "
                                      << steps.unseen.front();
}
