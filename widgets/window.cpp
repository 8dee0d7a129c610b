#include "widgets/window.h"

#include <optional>

#include <QAbstractNativeEventFilter>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QPushButton>
#include <QScreen>
#include <QWindow>
#include <QWindowStateChangeEvent>

#if ZM_X11
#include <cstring>
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>
#endif

#include "widgets/accessible.h"
#include "widgets/application.h"

namespace {
// The frame the window manager last put round a window of each kind (main
// windows, tool windows): a window it has not framed yet, such as a dialog
// before its first opening, gets the frame of its kind.
std::optional<QMargins> lastFrame[2];

int frameKind(const QWidget* w)
{
    return qobject_cast<const ToolWindow*>(w) ? 1 : 0;
}

QMargins knownFrame(const QWidget* w);

// Size of the frame around the client area; zero while no window of this
// kind has been framed (or without a window manager).
QMargins frameMargins(const QWidget* w)
{
    std::optional<QMargins>& last = lastFrame[frameKind(w)];
    const QMargins m = knownFrame(w);
    if (!m.isNull())
        last = m;
    return last.value_or(QMargins());
}
#if ZM_X11
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

// The frame extents the window manager announced for the window, if it did.
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

// Asks every window manager for a narrow title bar without buttons, in each
// hint they read: the Motif decorations and functions (border and title;
// move only: no resize, minimise, maximise or close), the window type of a
// tool window, and no task bar entry of its own. Qt asks for the functions
// only, and most managers then draw their buttons. A window that may go
// behind the game window also leaves the program's window group: managers
// keep a tool window of the group above all the group's windows; one that
// stays on top asks for that too (Qt asks only when it maps the window
// itself). Must run before the window is mapped: the managers read the
// hints then.
void askForToolFrame(QWidget* w, bool inGroup)
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

    const std::uint32_t hints[5] = {0x1 | 0x2, 0x4, 0x2 | 0x8, 0, 0};
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
    if (inGroup)
        for (xcb_atom_t a : above)
            if (!states.contains(a))
                states.append(a);
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, state, XCB_ATOM_ATOM, 32, std::uint32_t(states.size()),
                        states.constData());
    if (!inGroup) {
        // WM_HINTS: nine numbers, the flags first, the group last.
        r = xcb_get_property_reply(c, xcb_get_property(c, 0, id, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 0, 9),
                                   nullptr);
        if (r && r->format == 32 && xcb_get_property_value_length(r) == 36) {
            std::uint32_t wmHints[9];
            std::memcpy(wmHints, xcb_get_property_value(r), sizeof wmHints);
            constexpr std::uint32_t windowGroupHint = 1u << 6;
            wmHints[0] &= ~windowGroupHint;
            wmHints[8] = 0;
            xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, 32, 9, wmHints);
        }
        std::free(r);
    }
    xcb_flush(c);
}
#else
void askForToolFrame(QWidget*, bool) {}
#endif

// The frame round the window now; zero while it is unknown. Qt learns of
// a frame only when the window is next configured, which a slow window
// manager (fluxbox) may do long after it announced the frame.
QMargins knownFrame(const QWidget* w)
{
    if (!w->testAttribute(Qt::WA_WState_Created))
        return {};
#if ZM_X11
    if (const std::optional<QMargins> m = announcedFrame(w))
        return *m;
#endif
    const QRect f = w->frameGeometry();
    const QRect g = w->geometry();
    return QMargins(g.left() - f.left(), g.top() - f.top(), f.right() - g.right(), f.bottom() - g.bottom());
}

// Waits for the window manager's frame: each event about the window is a
// chance that the frame is now known. Without a window manager it waits for
// ever, harmlessly.
class FrameWatch : public QObject, public QAbstractNativeEventFilter {
public:
    FrameWatch(QWidget* w, const QObject* waiter, std::function<void()> then)
        : QObject(w), waiter_(waiter), w_(w), then_(std::move(then))
    {
        w->installEventFilter(this);
        qApp->installNativeEventFilter(this);
    }
    ~FrameWatch() override { qApp->removeNativeEventFilter(this); }

    void replace(std::function<void()> then) { then_ = std::move(then); }
    const QObject* const waiter_;

    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Move || e->type() == QEvent::Resize || e->type() == QEvent::Show)
            check();
        return false;
    }

    bool nativeEventFilter(const QByteArray& kind, void* message, qintptr*) override
    {
#if ZM_X11
        if (kind != "xcb_generic_event_t")
            return false;
        const auto* e = static_cast<const xcb_generic_event_t*>(message);
        // The window manager reparents the window into its frame, moves
        // it there, and announces the frame's extents.
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
            QMetaObject::invokeMethod(this, &FrameWatch::check, Qt::QueuedConnection);
#else
        Q_UNUSED(kind);
        Q_UNUSED(message);
#endif
        return false;
    }

private:
    void check()
    {
        if (done_ || !isFramed(w_))
            return;
        done_ = true;
        w_->removeEventFilter(this);
        then_();
        deleteLater();
    }

    QWidget* w_;
    std::function<void()> then_;
    bool done_ = false;
};
} // namespace

bool isFramed(const QWidget* w)
{
    return !knownFrame(w).isNull();
}

QRect frameRect(const QWidget* w)
{
    return w->geometry().marginsAdded(frameMargins(w));
}

void whenFramed(QWidget* w, const QObject* waiter, std::function<void()> then)
{
    if (isFramed(w)) {
        then();
        return;
    }
    // FrameWatch has no meta-object of its own, so findChildren would take
    // any child for one.
    for (QObject* c : w->children())
        if (auto* f = dynamic_cast<FrameWatch*>(c); f && f->waiter_ == waiter) {
            f->replace(std::move(then));
            return;
        }
    new FrameWatch(w, waiter, std::move(then));
}

bool compositorPlacesWindows()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void moveFrameTo(QWidget* w, QPoint frameTopLeft)
{
    if (compositorPlacesWindows())
        return;
    const QMargins m = frameMargins(w);
    w->setGeometry(QRect(frameTopLeft + QPoint(m.left(), m.top()), w->size()));
}

void centreOnScreen(QWidget* w)
{
    QScreen* s = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    if (!s)
        return;
    // A layout that has not run yet would leave the size of before its
    // last change (a menu bar just added).
    if (w->layout())
        w->layout()->activate();
    const QMargins m = frameMargins(w);
    const QSize outer = w->size().grownBy(m);
    const QRect screen = s->geometry();
    moveFrameTo(w, screen.topLeft() + QPoint((screen.width() - outer.width()) / 2, (screen.height() - outer.height()) / 2));
}

ToolWindow::ToolWindow(QWidget* parent, const char* name, const QString& caption, QSize client, bool stayOnTop)
    : QWidget(parent, Qt::Tool), stayOnTop_(stayOnTop)
{
    setObjectName(QLatin1String(name));
    setFont(windowFont());
    installAccessibility();
    // A tool window is kept above its owner by every window manager; one
    // that must be able to go behind the game window is a plain window
    // that only looks like a tool window.
    Qt::WindowFlags f = (stayOnTop ? Qt::Tool : Qt::Window) | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (stayOnTop)
        f |= Qt::WindowStaysOnTopHint;
    setWindowFlags(f);
    // Only the game window's closing ends the program.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(caption);
    setFixedSize(client);
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
}

void ToolWindow::openCentred()
{
    centreOnScreen(this);
    if (isVisible()) {
        if (rerunOnReopen_)
            Q_EMIT shown();
    } else {
        show();
        // The first window of its kind is centred without knowing its frame.
        if (!isFramed(this))
            whenFramed(this, this, [this] { centreOnScreen(this); });
    }
    raise();
    activateWindow();
}

void ToolWindow::hideWithGameWindow()
{
    place_ = geometry();
    hide();
}

void ToolWindow::showAgain()
{
    quiet_ = true;
    // Some window managers (metacity, mutter) leave a withdrawn window where
    // its frame stood, and it would come back higher by its title bar.
    if (!compositorPlacesWindows())
        setGeometry(place_);
    if (windowState() & Qt::WindowMinimized) {
        // Qt maps a window the moment its minimised state is cleared, before
        // show() writes its hints: the manager would take it as a plain
        // window (not on top, in the task bar). The hints go first.
        askForToolFrame(this, stayOnTop_);
        setWindowState(windowState() & ~Qt::WindowMinimized);
    }
    show();
    quiet_ = false;
}

void ToolWindow::changeEvent(QEvent* e)
{
    QWidget::changeEvent(e);
    // Where the window manager draws a minimise button on the strip or the
    // game-over dialog anyway (openbox), it minimises the whole program, as
    // the game window's own does. A window that stays on top is left alone:
    // its owner goes down with it when the player minimises it, and KDE
    // hides it by itself while another program (or the strip) is active and
    // brings it back later, which is no minimise of the game.
    QWidget* owner = parentWidget();
    if (owner && !stayOnTop_ && e->type() == QEvent::WindowStateChange && (windowState() & Qt::WindowMinimized)
        && !(static_cast<QWindowStateChangeEvent*>(e)->oldState() & Qt::WindowMinimized))
        owner->window()->setWindowState(owner->window()->windowState() | Qt::WindowMinimized);
}

void ToolWindow::closeEvent(QCloseEvent* e)
{
    QWidget::closeEvent(e);
    Q_EMIT closed();
}

void ToolWindow::setDefaultButton(QPushButton* button)
{
    defaultButton_ = button;
    button->setDefault(true);
}

void ToolWindow::keyPressEvent(QKeyEvent* e)
{
    if (defaultButton_ && (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)) {
        defaultButton_->click();
        return;
    }
    QWidget::keyPressEvent(e);
}

void ToolWindow::showEvent(QShowEvent* e)
{
    if (!prepared_) {
        prepared_ = true;
        prepareFirstShow();
    }
    if (!e->spontaneous()) {
        // Not yet mapped: what the window manager reads at the mapping.
        // Without a transient owner the window can go behind the game
        // window. On Wayland, too: a compositor puts a window with an owner
        // over the middle of its owner, where the strip would cover the
        // board (there it stays up when the game window is minimised: the
        // program never learns of that).
        if (!stayOnTop_ && windowHandle())
            windowHandle()->setTransientParent(nullptr);
        askForToolFrame(this, stayOnTop_);
    }
    QWidget::showEvent(e);
    if (!e->spontaneous() && !quiet_)
        Q_EMIT shown();
}
