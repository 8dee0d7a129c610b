#pragma once
#include <QObject>

class QAction;
class QMenu;
class QMenuBar;

// The game window's main menu, "Gra" and "Pomoc"; its function keys act
// from every window of the program.
class TMainMenu : public QObject {
    Q_OBJECT
public:
    explicit TMainMenu(QMenuBar* MainMenu1);

    void Opcje1Click();
    void Oprogramie1Click();
    void Listarekordw1Click();
    void Wyjscie1Click();
    void Pomocnik1Click();

    QMenu* Gra1 = nullptr;
    QMenu* Pomoc1 = nullptr;
    QAction* Nowa1 = nullptr;
    QAction* Demo1 = nullptr;
    QAction* Opcje1 = nullptr;
    QAction* Listarekordw1 = nullptr;
    QAction* Wyjscie1 = nullptr;
    QAction* Oprogramie1 = nullptr;
    QAction* Pomocnik1 = nullptr;
};
extern TMainMenu* MainMenu1;
