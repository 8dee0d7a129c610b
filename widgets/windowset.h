#pragma once
#include <QList>
#include <QObject>
#include <QPointer>

class QWidget;
class ToolWindow;

// The game window and the windows that come and go with it: the one place
// that decides where the set stands and that it goes down to the task bar
// and comes back with the game window. Windows of the set say only
// "centred" (ToolWindow::openCentred) or "below the game window".
class WindowSet : public QObject {
    Q_OBJECT
public:
    // Watches `main`, the game window, whose child it is.
    explicit WindowSet(QWidget* main);

    // Puts `w` right below the game window: its outer top-left corner at
    // the game window's outer bottom-left one.
    void placeBelow(QWidget* w);
    // The same, and again as each of the two frames becomes known: a
    // window manager frames a just-shown window a little later. Only that,
    // never a game window that the player moves, moves `w`.
    void keepBelow(QWidget* w);

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void mainShown();
    void mainMinimised(bool down);

    QWidget* main_;
    QPointer<QWidget> below_;           // the window kept below the game window
    QList<QPointer<ToolWindow>> hidden_; // hidden while the game window is minimised
    bool shown_ = false;
};
