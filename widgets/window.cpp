#include "widgets/window.h"

#include <optional>

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVariant>
#include <QWindow>
#include <QWindowStateChangeEvent>

#include "widgets/accessible.h"
#include "widgets/application.h"
#include "widgets/x11.h"

namespace {
QMargins knownFrame(const QWidget* w);

// Size of the frame around the client area; zero while no window of this
// kind has been framed (or without a window manager). The frame the window
// manager last put round a window of each kind (main windows, tool windows)
// is kept on the top window of the set: a window it has not framed yet,
// such as a dialog before its first opening, gets the frame of its kind.
QMargins frameMargins(const QWidget* w)
{
    QWidget* top = const_cast<QWidget*>(w);
    while (top->parentWidget())
        top = top->parentWidget();
    const char* kind = qobject_cast<const ToolWindow*>(w) ? "lastToolFrame" : "lastMainFrame";
    const QMargins m = knownFrame(w);
    if (!m.isNull())
        top->setProperty(kind, QVariant::fromValue(m));
    return top->property(kind).value<QMargins>();
}

// The frame round the window now; zero while it is unknown. Qt learns of
// a frame only when the window is next configured, which a slow window
// manager (fluxbox) may do long after it announced the frame.
QMargins knownFrame(const QWidget* w)
{
    if (!w->testAttribute(Qt::WA_WState_Created))
        return {};
    if (const std::optional<QMargins> m = announcedFrame(w))
        return *m;
    const QRect f = w->frameGeometry();
    const QRect g = w->geometry();
    return QMargins(g.left() - f.left(), g.top() - f.top(), f.right() - g.right(), f.bottom() - g.bottom());
}

// Waits for the window manager's frame: each event about the window is a
// chance that the frame is now known. Without a window manager it waits for
// ever, harmlessly.
class FrameWatch : public QObject {
public:
    FrameWatch(QWidget* w, const QObject* waiter, std::function<void()> then)
        : QObject(w), waiter_(waiter), w_(w), then_(std::move(then))
    {
        w->installEventFilter(this);
        watchWindowSystem(this, w, [this] { check(); });
    }

    void replace(std::function<void()> then) { then_ = std::move(then); }
    const QObject* const waiter_;

    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Move || e->type() == QEvent::Resize || e->type() == QEvent::Show)
            check();
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

void ToolWindow::prepareAhead()
{
    if (prepared_ || isVisible())
        return;
    prepared_ = true;
    prepareFirstShow();
    grab();
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

namespace {
class IdlePreparer : public QObject {
public:
    IdlePreparer(QWidget* main, const QList<ToolWindow*>& windows) : QObject(main)
    {
        for (ToolWindow* w : windows)
            windows_.append(w);
        main->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Paint) {
            o->removeEventFilter(this);
            // Nobody opens a window within a third of a second of seeing
            // the game's.
            QTimer::singleShot(300, this, &IdlePreparer::next);
        }
        return false;
    }

private:
    void next()
    {
        while (!windows_.isEmpty()) {
            const QPointer<ToolWindow> w = windows_.takeFirst();
            if (w) {
                w->prepareAhead();
                break;
            }
        }
        if (windows_.isEmpty())
            deleteLater();
        else
            QTimer::singleShot(0, this, &IdlePreparer::next);
    }

    QList<QPointer<ToolWindow>> windows_;
};
} // namespace

void prepareWhenIdle(QWidget* main, const QList<ToolWindow*>& windows)
{
    new IdlePreparer(main, windows);
}
