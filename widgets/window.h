#pragma once
#include <functional>

#include <QWidget>

class QPushButton;

// Centres a window's outer frame on the screen it is on (the primary one
// before it was ever shown). Works before and after the first show.
void centreOnScreen(QWidget* w);

// True once the window manager has put its frame round the window; never
// without a window manager.
bool isFramed(const QWidget* w);

// The window's outer frame in screen pixels (the client area's rectangle
// while no frame of its kind is known).
QRect frameRect(const QWidget* w);

// Calls `then` once, as soon as the window manager has framed the window
// (at once when it already has); never without a window manager. A later
// wait of the same `waiter` for the same window replaces an earlier one.
void whenFramed(QWidget* w, const QObject* waiter, std::function<void()> then);

// Places a window so that its outer top-left corner is at `frameTopLeft`.
void moveFrameTo(QWidget* w, QPoint frameTopLeft);

// True on Wayland: there the compositor places every window and ignores the
// program's placement, and a restore after a minimise never reaches the
// program. Nothing is placed or hidden there.
bool compositorPlacesWindows();

// A fixed-size tool window with a narrow title bar and no title-bar buttons,
// in the window font.
// One that stays on top is kept above the game window; one that does not
// can go behind it. Where the window manager offers a close button anyway,
// a close hides the window, like its own controls do.
class ToolWindow : public QWidget {
    Q_OBJECT
public:
    // `name` is the object's name, by which tests and tools find it.
    ToolWindow(QWidget* parent, const char* name, const QString& caption, QSize client, bool stayOnTop);

    // Shows the window centred on the screen, also when it is already open.
    // An open window runs its show handler again unless told otherwise.
    void openCentred();
    void setRerunShowOnReopen(bool on) { rerunOnReopen_ = on; }

    // Hides the window while the game window is minimised, and shows it
    // again where it stood: it was never closed, so its show handler does
    // not run.
    void hideWithGameWindow();
    void showAgain();

    // The window's default button: Enter that no control takes presses it.
    void setDefaultButton(QPushButton* button);

    // Does now, while the window is still hidden, what its first showing
    // would: prepares it and draws it once off screen, so that its faces
    // are found and its letters drawn before anybody opens it. Nothing of
    // it reaches the screen; a window shown before does nothing.
    void prepareAhead();

Q_SIGNALS:
    void shown();
    // Closed by its own controls or by the window manager (not hidden with
    // a minimised game window).
    void closed();

protected:
    void changeEvent(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void showEvent(QShowEvent* e) override;
    // Runs once, before the window is first shown: as it is shown, or
    // earlier by prepareAhead. Fonts are looked up here rather than in the
    // constructor: each face found costs start-up time, and most windows of
    // the set wait hidden until asked for.
    virtual void prepareFirstShow() {}

private:
    bool stayOnTop_;
    QPushButton* defaultButton_ = nullptr;
    QRect place_; // where it stood when the game window was minimised
    bool prepared_ = false;
    bool rerunOnReopen_ = true;
    bool quiet_ = false;
};

// Once `main` has drawn its first frame and the player has had a moment to
// look at it, prepares each of `windows` ahead (ToolWindow::prepareAhead),
// one per turn of the event loop, so that a key pressed meanwhile waits for
// one window at most.
void prepareWhenIdle(QWidget* main, const QList<ToolWindow*>& windows);
