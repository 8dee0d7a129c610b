#include "widgets/window.h"

#include <optional>

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>

#include "widgets/accessible.h"

namespace {
// The frame the window manager last put round a window of each kind (main
// windows, tool windows): a window it has not framed yet, such as a dialog
// before its first opening, gets the frame of its kind.
std::optional<QMargins> lastFrame[2];

int frameKind(const QWidget* w)
{
    return w->windowType() == Qt::Tool ? 1 : 0;
}

// Size of the frame around the client area; zero while no window of this
// kind has been framed (or without a window manager).
QMargins frameMargins(const QWidget* w)
{
    const QRect f = w->frameGeometry();
    const QRect g = w->geometry();
    std::optional<QMargins>& last = lastFrame[frameKind(w)];
    if (isFramed(w))
        last = QMargins(g.left() - f.left(), g.top() - f.top(), f.right() - g.right(), f.bottom() - g.bottom());
    return last.value_or(QMargins());
}
} // namespace

bool isFramed(const QWidget* w)
{
    return w->testAttribute(Qt::WA_WState_Created) && w->frameGeometry() != w->geometry();
}

void moveFrameTo(QWidget* w, QPoint frameTopLeft)
{
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

ToolWindow::ToolWindow(QWidget* parent, const QString& caption, QSize client, bool stayOnTop)
    : QWidget(parent, Qt::Tool)
{
    installAccessibility();
    Qt::WindowFlags f = Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (stayOnTop)
        f |= Qt::WindowStaysOnTopHint;
    setWindowFlags(f);
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
        raise();
        activateWindow();
        return;
    }
    show();
    raise();
    activateWindow();
}

void ToolWindow::showAgain()
{
    quiet_ = true;
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    quiet_ = false;
}

void ToolWindow::closeEvent(QCloseEvent* e)
{
    if (e->spontaneous())
        e->ignore();
    else
        QWidget::closeEvent(e);
}

void ToolWindow::showEvent(QShowEvent* e)
{
    if (!prepared_) {
        prepared_ = true;
        prepareFirstShow();
    }
    QWidget::showEvent(e);
    if (!e->spontaneous() && !quiet_)
        Q_EMIT shown();
}
