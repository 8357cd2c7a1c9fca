// A started program's windows brought forward on a real X display: raised above ours and
// focused when no window manager runs, asked of the window manager when one does.
#include "TestSupport.h"

#include "platform/gui/StartProgram.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTest>
#include <QWidget>

#include <xcb/xcb.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

const bool usesDisplay = UseDisplayPlatform();

// The test's own connection, beside the one the program's windows use.
class Display
{
public:
    Display() : c_(xcb_connect(nullptr, nullptr))
    {
        root_ = xcb_setup_roots_iterator(xcb_get_setup(c_)).data->root;
    }
    ~Display() { xcb_disconnect(c_); }

    xcb_connection_t* c() const { return c_; }
    xcb_window_t root() const { return root_; }

    xcb_atom_t Atom(const char* name)
    {
        xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(c_, xcb_intern_atom(c_, 0, uint16_t(strlen(name)), name), nullptr);
        const xcb_atom_t a = r->atom;
        free(r);
        return a;
    }

    // The root's children, bottom of the stack first.
    std::vector<xcb_window_t> Stack()
    {
        std::vector<xcb_window_t> out;
        xcb_query_tree_reply_t* r = xcb_query_tree_reply(c_, xcb_query_tree(c_, root_), nullptr);
        const xcb_window_t* w = xcb_query_tree_children(r);
        out.assign(w, w + xcb_query_tree_children_length(r));
        free(r);
        return out;
    }

    int StackIndex(xcb_window_t w)
    {
        const std::vector<xcb_window_t> stack = Stack();
        for (size_t i = 0; i < stack.size(); ++i)
            if (stack[i] == w)
                return int(i);
        return -1;
    }

    // A shown top-level window of the process, or 0.
    xcb_window_t ShownWindowOf(qint64 pid)
    {
        const xcb_atom_t wmPid = Atom("_NET_WM_PID");
        for (xcb_window_t w : Stack()) {
            xcb_get_property_reply_t* p = xcb_get_property_reply(c_, xcb_get_property(c_, 0, w, wmPid, XCB_ATOM_CARDINAL, 0, 1), nullptr);
            const bool owned = p && p->format == 32 && xcb_get_property_value_length(p) == 4 &&
                               *static_cast<const uint32_t*>(xcb_get_property_value(p)) == uint32_t(pid);
            free(p);
            xcb_get_window_attributes_reply_t* a = xcb_get_window_attributes_reply(c_, xcb_get_window_attributes(c_, w), nullptr);
            const bool shown = a && a->map_state == XCB_MAP_STATE_VIEWABLE;
            free(a);
            if (owned && shown)
                return w;
        }
        return 0;
    }

    xcb_window_t Focus()
    {
        xcb_get_input_focus_reply_t* r = xcb_get_input_focus_reply(c_, xcb_get_input_focus(c_), nullptr);
        const xcb_window_t w = r ? r->focus : 0;
        free(r);
        return w;
    }

private:
    xcb_connection_t* c_;
    xcb_window_t root_ = 0;
};

TEST(BringForward, TheViewerComesAboveOurWindowAndGetsTheFocusOrIsAskedOfTheWindowManager)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X display";
    const QString collection = QCoreApplication::applicationDirPath() + QStringLiteral("/help.qhc");
    ASSERT_TRUE(QFileInfo(collection).isFile()) << "the build places the help beside the program";
    Display x;

    std::unique_ptr<platform::StartedProgram> viewer =
        platform::StartDetached(platform::HelpViewerProgram(), {QStringLiteral("-collectionFile"), collection});
    ASSERT_TRUE(viewer);
    const qint64 pid = viewer->ProcessId();
    xcb_window_t shown = 0;
    const bool appeared = QTest::qWaitFor([&] { return (shown = x.ShownWindowOf(pid)) != 0; }, 30000);
    // Ended however the test ends, and only while it runs: its id may be another's afterwards.
    struct Ender
    {
        platform::StartedProgram& viewer;
        ~Ender()
        {
            if (viewer.IsRunning())
                ::kill(pid_t(viewer.ProcessId()), SIGTERM);
        }
    } ender{*viewer};
    ASSERT_TRUE(appeared);
    EXPECT_TRUE(viewer->IsRunning());

    // Our window, shown after it, lies above it and has the focus.
    QWidget ours;
    ours.resize(300, 200);
    ours.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&ours));
    // Bare Xvfb gives no window the focus by itself.
    xcb_set_input_focus(x.c(), XCB_INPUT_FOCUS_PARENT, xcb_window_t(ours.winId()), XCB_CURRENT_TIME);
    xcb_flush(x.c());
    ASSERT_TRUE(QTest::qWaitFor([&] { return x.Focus() == xcb_window_t(ours.winId()); }, 5000));
    ASSERT_GT(x.StackIndex(xcb_window_t(ours.winId())), x.StackIndex(shown));

    // No window manager runs: the viewer's window is raised and focused directly.
    viewer->BringForward();
    EXPECT_TRUE(QTest::qWaitFor([&] { return x.StackIndex(shown) > x.StackIndex(xcb_window_t(ours.winId())); }, 5000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return x.Focus() == shown; }, 5000));

    // A window manager (played by this connection) lists the windows it manages and is asked,
    // as a task bar asks for the user, to bring the viewer's forward.
    const xcb_atom_t clientList = x.Atom("_NET_CLIENT_LIST"), active = x.Atom("_NET_ACTIVE_WINDOW");
    const uint32_t managed[] = {uint32_t(ours.winId()), shown};
    xcb_change_property(x.c(), XCB_PROP_MODE_REPLACE, x.root(), clientList, XCB_ATOM_WINDOW, 32, 2, managed);
    const uint32_t redirect = XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT;
    xcb_generic_error_t* refused = xcb_request_check(
        x.c(), xcb_change_window_attributes_checked(x.c(), x.root(), XCB_CW_EVENT_MASK, &redirect));
    ASSERT_EQ(refused, nullptr) << "a window manager runs already";
    const int stackBefore = x.StackIndex(shown);
    viewer->BringForward();
    std::vector<xcb_client_message_event_t> asked;
    QTest::qWaitFor([&] {
        while (xcb_generic_event_t* e = xcb_poll_for_event(x.c())) {
            if ((e->response_type & 0x7f) == XCB_CLIENT_MESSAGE)
                asked.push_back(*reinterpret_cast<xcb_client_message_event_t*>(e));
            free(e);
        }
        return !asked.empty();
    }, 5000);
    xcb_delete_property(x.c(), x.root(), clientList);
    xcb_flush(x.c());
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].type, active);
    EXPECT_EQ(asked[0].window, shown);
    EXPECT_EQ(asked[0].format, 32);
    EXPECT_EQ(asked[0].data.data32[0], 2u);
    EXPECT_EQ(x.StackIndex(shown), stackBefore) << "the window manager decides, not the program";

    // Ended, it is seen to have ended.
    ::kill(pid_t(pid), SIGTERM);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !viewer->IsRunning(); }, 10000));
}

} // namespace
