#pragma once
#include <QObject>
#include <QPointer>

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

    QMenu *Gra1{}, *Pomoc1{};
    QAction *Nowa1{}, *Demo1{}, *Opcje1{}, *Listarekordw1{}, *Wyjscie1{}, *Oprogramie1{}, *Pomocnik1{};
};
extern QPointer<TMainMenu> MainMenu1; // empty once the menu is gone
