#include "platform/gui/StartProgram.h"

#include "platform/Hook.h"

#include <QGuiApplication>
#include <QLibraryInfo>
#include <QProcess>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <vector>

namespace platform {

namespace {

Hook<StartProgramHandler>& handler()
{
    static Hook<StartProgramHandler> h;
    return h;
}

Hook<QString>& viewerOverride()
{
    static Hook<QString> p;
    return p;
}

xcb_atom_t atom(xcb_connection_t* c, const char* name)
{
    xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, uint16_t(strlen(name)), name), nullptr);
    const xcb_atom_t a = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(r);
    return a;
}

// The 32-bit values of a window property; none when it is absent.
std::vector<uint32_t> property32(xcb_connection_t* c, xcb_window_t w, xcb_atom_t name, xcb_atom_t type)
{
    std::vector<uint32_t> values;
    if (name == XCB_ATOM_NONE)
        return values;
    xcb_get_property_reply_t* r = xcb_get_property_reply(c, xcb_get_property(c, 0, w, name, type, 0, 4096), nullptr);
    if (r && r->format == 32) {
        const auto* v = static_cast<const uint32_t*>(xcb_get_property_value(r));
        values.assign(v, v + xcb_get_property_value_length(r) / 4);
    }
    free(r);
    return values;
}

std::vector<xcb_window_t> children(xcb_connection_t* c, xcb_window_t root)
{
    std::vector<xcb_window_t> out;
    if (xcb_query_tree_reply_t* r = xcb_query_tree_reply(c, xcb_query_tree(c, root), nullptr)) {
        const xcb_window_t* w = xcb_query_tree_children(r);
        out.assign(w, w + xcb_query_tree_children_length(r));
        free(r);
    }
    return out;
}

bool viewable(xcb_connection_t* c, xcb_window_t w)
{
    xcb_get_window_attributes_reply_t* r = xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, w), nullptr);
    const bool shown = r && r->map_state == XCB_MAP_STATE_VIEWABLE;
    free(r);
    return shown;
}

void raiseWindowsOf(qint64 pid)
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c)
        return;
    const xcb_atom_t wmPid = atom(c, "_NET_WM_PID");
    const xcb_atom_t clientList = atom(c, "_NET_CLIENT_LIST");
    const xcb_atom_t activeWindow = atom(c, "_NET_ACTIVE_WINDOW");
    for (xcb_screen_iterator_t screen = xcb_setup_roots_iterator(xcb_get_setup(c)); screen.rem; xcb_screen_next(&screen)) {
        const xcb_window_t root = screen.data->root;
        // A window manager lists the windows it manages and decides itself what comes forward;
        // without one the program's windows are the root's own children.
        const std::vector<uint32_t> managed = property32(c, root, clientList, XCB_ATOM_WINDOW);
        const bool withManager = !managed.empty();
        for (const xcb_window_t w : withManager ? managed : children(c, root)) {
            const std::vector<uint32_t> owner = property32(c, w, wmPid, XCB_ATOM_CARDINAL);
            if (owner.empty() || qint64(owner[0]) != pid)
                continue;
            if (withManager) {
                // Source 2: asked for by the user, as a task bar asks, so that focus-stealing
                // prevention lets it through; the manager also shows a minimised window again.
                xcb_client_message_event_t ask{};
                ask.response_type = XCB_CLIENT_MESSAGE;
                ask.format = 32;
                ask.window = w;
                ask.type = activeWindow;
                ask.data.data32[0] = 2;
                ask.data.data32[1] = XCB_CURRENT_TIME;
                xcb_send_event(c, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                               reinterpret_cast<const char*>(&ask));
            } else if (viewable(c, w)) {
                const uint32_t above = XCB_STACK_MODE_ABOVE;
                xcb_configure_window(c, w, XCB_CONFIG_WINDOW_STACK_MODE, &above);
                xcb_set_input_focus(c, XCB_INPUT_FOCUS_PARENT, w, XCB_CURRENT_TIME);
            }
        }
    }
    xcb_flush(c);
}

class DetachedProgram final : public StartedProgram
{
public:
    explicit DetachedProgram(qint64 pid) : pid_(pid), pidfd_(int(::syscall(SYS_pidfd_open, pid_t(pid), 0))) {}
    ~DetachedProgram() override
    {
        if (pidfd_ >= 0)
            ::close(pidfd_);
    }

    qint64 ProcessId() const override { return pid_; }

    bool IsRunning() override
    {
        // The process descriptor turns readable when the program ends, and unlike the bare id
        // it cannot come to name another program that was given the same id later.
        if (pidfd_ >= 0) {
            pollfd ended{pidfd_, POLLIN, 0};
            return ::poll(&ended, 1, 0) == 0;
        }
        return ::kill(pid_t(pid_), 0) == 0 || errno == EPERM;
    }

    void BringForward() override { raiseWindowsOf(pid_); }

private:
    qint64 pid_;
    int pidfd_;
};

} // namespace

std::unique_ptr<StartedProgram> StartDetached(const QString& program, const QStringList& arguments)
{
    if (const StartProgramHandler& h = handler().get())
        return h(program, arguments);
    qint64 pid = 0;
    if (!QProcess::startDetached(program, arguments, QString(), &pid))
        return nullptr;
    return std::make_unique<DetachedProgram>(pid);
}

StartProgramHandler SetStartProgramHandler(StartProgramHandler h)
{
    return handler().exchange(std::move(h));
}

QString HelpViewerProgram()
{
    if (!viewerOverride().get().isEmpty())
        return viewerOverride().get();
    return QLibraryInfo::path(QLibraryInfo::BinariesPath) + QStringLiteral("/assistant");
}

QString SetHelpViewerForTesting(QString path)
{
    return viewerOverride().exchange(std::move(path));
}

} // namespace platform
