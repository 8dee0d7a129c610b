#include "widgets/windowset.h"

#include <QShowEvent>
#include <QWindowStateChangeEvent>

#include "widgets/window.h"

WindowSet::WindowSet(QWidget* main) : QObject(main), main_(main)
{
    main->installEventFilter(this);
}

void WindowSet::placeBelow(QWidget* w)
{
    const QRect r = frameRect(main_);
    moveFrameTo(w, {r.left(), r.top() + r.height()});
}

void WindowSet::keepBelow(QWidget* w)
{
    below_ = w;
    placeBelow(w);
    const auto again = [this, p = QPointer<QWidget>(w)] {
        if (p && p->isVisible())
            placeBelow(p);
    };
    if (!isFramed(main_))
        whenFramed(main_, w, again);
    if (!isFramed(w))
        whenFramed(w, w, again);
}

bool WindowSet::eventFilter(QObject* o, QEvent* e)
{
    if (o == main_ && e->type() == QEvent::Show && !e->spontaneous() && !shown_)
        mainShown();
    // On Wayland the compositor minimises the program's windows with their
    // owner and the restore never reaches the program: the windows are left
    // to it, or they would never come back.
    if (o == main_ && e->type() == QEvent::WindowStateChange && !compositorPlacesWindows()) {
        const bool wasDown = static_cast<QWindowStateChangeEvent*>(e)->oldState() & Qt::WindowMinimized;
        const bool isDown = main_->windowState() & Qt::WindowMinimized;
        if (wasDown != isDown)
            mainMinimised(isDown);
    }
    return false;
}

void WindowSet::mainShown()
{
    shown_ = true;
    // The first show is centred before the window manager has framed the
    // window; once it has, the window is centred again with its frame, and
    // the window below follows it.
    whenFramed(main_, this, [this] {
        centreOnScreen(main_);
        if (below_ && below_->isVisible())
            keepBelow(below_);
    });
}

void WindowSet::mainMinimised(bool down)
{
    if (down) {
        // The whole program goes down to the task bar with its main window.
        hidden_.clear();
        for (ToolWindow* w : main_->findChildren<ToolWindow*>(Qt::FindDirectChildrenOnly))
            if (w->isVisible()) {
                hidden_.append(w);
                w->hideWithGameWindow();
            }
    } else {
        for (const QPointer<ToolWindow>& w : std::as_const(hidden_))
            if (w)
                w->showAgain();
        hidden_.clear();
    }
}
