#include "widgets/window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>

namespace {
// Size of the frame around the client area; zero until the window manager
// has framed the window (or without one).
QMargins frameMargins(const QWidget* w)
{
    const QRect f = w->frameGeometry();
    const QRect g = w->geometry();
    if (!w->testAttribute(Qt::WA_WState_Created) || f == g)
        return {};
    return {g.left() - f.left(), g.top() - f.top(), f.right() - g.right(), f.bottom() - g.bottom()};
}
} // namespace

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
    const QMargins m = frameMargins(w);
    const QSize outer = w->size().grownBy(m);
    const QRect screen = s->geometry();
    moveFrameTo(w, screen.center() - QPoint(outer.width() / 2, outer.height() / 2) + QPoint(1, 1));
}

ToolWindow::ToolWindow(QWidget* parent, const QString& caption, QSize client, bool stayOnTop)
    : QWidget(parent, Qt::Tool)
{
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
