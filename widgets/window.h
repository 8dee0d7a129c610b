#pragma once
#include <QWidget>

// Centres a window's outer frame on the screen it is on (the primary one
// before it was ever shown). Works before and after the first show.
void centreOnScreen(QWidget* w);

// True once the window manager has put its frame round the window; never
// without a window manager.
bool isFramed(const QWidget* w);

// Places a window so that its outer top-left corner is at `frameTopLeft`.
void moveFrameTo(QWidget* w, QPoint frameTopLeft);

// A fixed-size tool window with a narrow title bar and no title-bar buttons.
// The window manager may still offer a close button: a close from the title
// bar is refused, the window closes only through its own controls.
class ToolWindow : public QWidget {
    Q_OBJECT
public:
    ToolWindow(QWidget* parent, const QString& caption, QSize client, bool stayOnTop);

    // Shows the window centred on the screen, also when it is already open.
    // An open window runs its show handler again unless told otherwise.
    void openCentred();
    void setRerunShowOnReopen(bool on) { rerunOnReopen_ = on; }

    // Shows the window again after it went down with the main window: it
    // was never closed, so its show handler does not run.
    void showAgain();

Q_SIGNALS:
    void shown();

protected:
    void closeEvent(QCloseEvent* e) override;
    void showEvent(QShowEvent* e) override;
    // Runs once, just before the window is first shown. Fonts are looked up
    // here rather than in the constructor: each face found costs start-up
    // time, and most windows of the set wait hidden until asked for.
    virtual void prepareFirstShow() {}

private:
    bool prepared_ = false;
    bool rerunOnReopen_ = true;
    bool quiet_ = false;
};
