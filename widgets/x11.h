#pragma once
#include <functional>
#include <optional>

#include <QMargins>

class QObject;
class QWidget;

// Everything the game asks of an X11 window manager that Qt does not: the
// tool windows' frame, the frame's extents, and word of the manager's work
// on a window. Built without X11 (or running on another platform) each of
// these does nothing and answers "unknown".
//
// On Wayland none of it applies: the compositor decorates, places,
// minimises and restores every window itself and tells a program neither
// where its windows stand nor when they come back; the window set then
// leaves all of that to it.

// The frame extents the window manager announced for the window, if it did.
std::optional<QMargins> announcedFrame(const QWidget* w);

// Asks for a narrow title bar without buttons and no task bar entry of its
// own; `stayOnTop` also asks to stay above the other windows, otherwise the
// window leaves the program's window group so that it can go behind the
// game window. Must run before the window is mapped: managers read it then.
void askForToolFrame(QWidget* w, bool stayOnTop);

// Calls `then` (from the event loop) after each event from the window
// system about `w` that may mean it was reframed: reparented, configured or
// a property changed. Lives as long as `owner`.
void watchWindowSystem(QObject* owner, QWidget* w, std::function<void()> then);

// True when an X server is named and lets the program in; true as well
// where the game is built without X11 (nothing to ask).
bool xServerAnswers();
