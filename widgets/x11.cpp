#include "widgets/x11.h"

#include <QWidget>

#if ZM_X11
#include <cstring>

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

namespace {
// _MOTIF_WM_HINTS, as Motif's MwmUtil.h numbers it: which fields count,
// the functions the frame offers and the decorations it draws.
constexpr std::uint32_t mwmHintsFunctions = 1u << 0;
constexpr std::uint32_t mwmHintsDecorations = 1u << 1;
constexpr std::uint32_t mwmFuncMove = 1u << 2;
constexpr std::uint32_t mwmDecorBorder = 1u << 1;
constexpr std::uint32_t mwmDecorTitle = 1u << 3;
// WM_HINTS (ICCCM): the flag that says the last field names a group.
constexpr std::uint32_t windowGroupHint = 1u << 6;

// The X server's connection; none on other platforms (offscreen has the
// interface, without a connection).
xcb_connection_t* connection()
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t atom(xcb_connection_t* c, const char* name)
{
    xcb_intern_atom_reply_t* r
        = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::uint16_t(std::strlen(name)), name), nullptr);
    const xcb_atom_t a = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(r);
    return a;
}

// Tells `then` of every event about one window: the window manager
// reparents the window into its frame, moves it there, and announces the
// frame's extents.
class Watch : public QObject, public QAbstractNativeEventFilter {
public:
    Watch(QObject* owner, QWidget* w, std::function<void()> then) : QObject(owner), w_(w), then_(std::move(then))
    {
        qApp->installNativeEventFilter(this);
    }
    ~Watch() override { qApp->removeNativeEventFilter(this); }

    bool nativeEventFilter(const QByteArray& kind, void* message, qintptr*) override
    {
        if (kind != "xcb_generic_event_t")
            return false;
        const auto* e = static_cast<const xcb_generic_event_t*>(message);
        xcb_window_t about = XCB_WINDOW_NONE;
        switch (e->response_type & 0x7f) {
        case XCB_REPARENT_NOTIFY:
            about = reinterpret_cast<const xcb_reparent_notify_event_t*>(e)->window;
            break;
        case XCB_CONFIGURE_NOTIFY:
            about = reinterpret_cast<const xcb_configure_notify_event_t*>(e)->window;
            break;
        case XCB_PROPERTY_NOTIFY:
            about = reinterpret_cast<const xcb_property_notify_event_t*>(e)->window;
            break;
        default:
            return false;
        }
        // Qt takes the event in first: the frame is looked at afterwards.
        if (w_->testAttribute(Qt::WA_WState_Created) && about == xcb_window_t(w_->winId()))
            QMetaObject::invokeMethod(this, [this] { then_(); }, Qt::QueuedConnection);
        return false;
    }

private:
    QWidget* w_;
    std::function<void()> then_;
};
} // namespace

std::optional<QMargins> announcedFrame(const QWidget* w)
{
    xcb_connection_t* c = connection();
    if (!c)
        return std::nullopt;
    static const xcb_atom_t extents = atom(c, "_NET_FRAME_EXTENTS");
    xcb_get_property_reply_t* r = xcb_get_property_reply(
        c, xcb_get_property(c, 0, xcb_window_t(w->winId()), extents, XCB_ATOM_CARDINAL, 0, 4), nullptr);
    std::optional<QMargins> m;
    if (r && r->format == 32 && xcb_get_property_value_length(r) == 16) {
        const auto* v = static_cast<const std::uint32_t*>(xcb_get_property_value(r));
        m = QMargins(int(v[0]), int(v[2]), int(v[1]), int(v[3])); // left, right, top, bottom
    }
    std::free(r);
    return m;
}

// Every window manager reads another hint: the Motif decorations and
// functions (border and title; move only: no resize, minimise, maximise or
// close), the window type of a tool window, and no task bar entry of its
// own. Qt asks for the functions only, and most managers then draw their
// buttons. Managers keep a tool window of the program's window group above
// all the group's windows, hence the leaving; one that stays on top asks
// for that too (Qt asks only when it maps the window itself).
void askForToolFrame(QWidget* w, bool stayOnTop)
{
    xcb_connection_t* c = connection();
    if (!c)
        return;
    static const xcb_atom_t motif = atom(c, "_MOTIF_WM_HINTS");
    static const xcb_atom_t type = atom(c, "_NET_WM_WINDOW_TYPE");
    static const xcb_atom_t utility = atom(c, "_NET_WM_WINDOW_TYPE_UTILITY");
    static const xcb_atom_t state = atom(c, "_NET_WM_STATE");
    static const xcb_atom_t skip[] = {atom(c, "_NET_WM_STATE_SKIP_TASKBAR"), atom(c, "_NET_WM_STATE_SKIP_PAGER")};
    static const xcb_atom_t above[] = {atom(c, "_NET_WM_STATE_ABOVE"), atom(c, "_NET_WM_STATE_STAYS_ON_TOP")};
    const xcb_window_t id = xcb_window_t(w->winId());

    // flags, functions, decorations, input mode, status
    const std::uint32_t hints[5]
        = {mwmHintsFunctions | mwmHintsDecorations, mwmFuncMove, mwmDecorBorder | mwmDecorTitle, 0, 0};
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, motif, motif, 32, 5, hints);
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, type, XCB_ATOM_ATOM, 32, 1, &utility);
    // Qt adds its own states (stay on top) to these when it maps the window.
    xcb_get_property_reply_t* r
        = xcb_get_property_reply(c, xcb_get_property(c, 0, id, state, XCB_ATOM_ATOM, 0, 32), nullptr);
    QList<xcb_atom_t> states;
    if (r && r->format == 32) {
        const auto* a = static_cast<const xcb_atom_t*>(xcb_get_property_value(r));
        states = QList<xcb_atom_t>(a, a + xcb_get_property_value_length(r) / 4);
    }
    std::free(r);
    for (xcb_atom_t a : skip)
        if (!states.contains(a))
            states.append(a);
    if (stayOnTop)
        for (xcb_atom_t a : above)
            if (!states.contains(a))
                states.append(a);
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, state, XCB_ATOM_ATOM, 32, std::uint32_t(states.size()),
                        states.constData());
    if (!stayOnTop) {
        // WM_HINTS: nine numbers, the flags first, the group last.
        r = xcb_get_property_reply(c, xcb_get_property(c, 0, id, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 0, 9),
                                   nullptr);
        if (r && r->format == 32 && xcb_get_property_value_length(r) == 36) {
            std::uint32_t wmHints[9];
            std::memcpy(wmHints, xcb_get_property_value(r), sizeof wmHints);
            wmHints[0] &= ~windowGroupHint;
            wmHints[8] = 0;
            xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 32, 9, wmHints);
        }
        std::free(r);
    }
    xcb_flush(c);
}

void watchWindowSystem(QObject* owner, QWidget* w, std::function<void()> then)
{
    new Watch(owner, w, std::move(then));
}

bool xServerAnswers()
{
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    const bool answers = !xcb_connection_has_error(c);
    xcb_disconnect(c);
    return answers;
}
#else
std::optional<QMargins> announcedFrame(const QWidget*)
{
    return std::nullopt;
}

void askForToolFrame(QWidget*, bool) {}

void watchWindowSystem(QObject*, QWidget*, std::function<void()>) {}

bool xServerAnswers()
{
    return true;
}
#endif
