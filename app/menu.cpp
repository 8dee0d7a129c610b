#include "app/menu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "ui/form1.h"
#include "ui/form3.h"
#include "ui/form4.h"
#include "ui/form6.h"
#include "ui/opcje.h"
#include "widgets/application.h"

QPointer<TMainMenu> MainMenu1;

namespace {
template <class F>
QAction* pozycja(QMenu* menu, const char* nazwa, const QString& tytul, Qt::Key klawisz, F&& reakcja)
{
    QAction* a = menu->addAction(tytul);
    a->setObjectName(QLatin1String(nazwa));
    if (klawisz != Qt::Key_unknown) {
        a->setShortcut(QKeySequence(klawisz));
        // From a tool window too: the key is looked up in the game window's menu.
        a->setShortcutContext(Qt::ApplicationShortcut);
    }
    QObject::connect(a, &QAction::triggered, menu, std::forward<F>(reakcja));
    return a;
}
} // namespace

TMainMenu::TMainMenu(QMenuBar* bar) : QObject(bar)
{
    MainMenu1 = this;
    setObjectName(QStringLiteral("MainMenu1"));
    Gra1 = bar->addMenu(QStringLiteral("Gra"));
    Gra1->setObjectName(QStringLiteral("Gra1"));
    Pomoc1 = bar->addMenu(QStringLiteral("Pomoc"));
    Pomoc1->setObjectName(QStringLiteral("Pomoc1"));
    // A drop-down menu is a window of its own and takes no font from the
    // menu bar: it would come up in the desktop's face, not the game's.
    for (QMenu* m : {Gra1, Pomoc1})
        m->setFont(windowFont());

    Nowa1 = pozycja(Gra1, "Nowa1", QStringLiteral("Nowa"), Qt::Key_F2, [] { Form1->Nowa1Click(); });
    Demo1 = pozycja(Gra1, "Demo1", QStringLiteral("Demo"), Qt::Key_F3, [] { Form1->Demo1Click(); });
    Opcje1 = pozycja(Gra1, "Opcje1", QStringLiteral("Opcje"), Qt::Key_F4, [this] { Opcje1Click(); });
    Listarekordw1 = pozycja(Gra1, "Listarekordw1", QStringLiteral("Lista rekordów"), Qt::Key_F5,
                            [this] { Listarekordw1Click(); });
    Wyjscie1 = pozycja(Gra1, "Wyjscie1", QStringLiteral("Wyjście"), Qt::Key_F10, [this] { Wyjscie1Click(); });
    Oprogramie1 = pozycja(Pomoc1, "Oprogramie1", QStringLiteral("O programie"), Qt::Key_F1,
                          [this] { Oprogramie1Click(); });
    Pomocnik1 = pozycja(Pomoc1, "Pomocnik1", QStringLiteral("Pomocnik"), Qt::Key_unknown,
                        [this] { Pomocnik1Click(); });
    Pomocnik1->setCheckable(true);
    Pomocnik1->setChecked(true);
}

void TMainMenu::Opcje1Click()
{
    Opcje->openCentred();
}

void TMainMenu::Oprogramie1Click()
{
    Form3->openCentred();
}

void TMainMenu::Listarekordw1Click()
{
    Form4->FormShow();
}

void TMainMenu::Wyjscie1Click()
{
    Form1->close();
}

void TMainMenu::Pomocnik1Click()
{
    if (Form6->isVisible())
        Form6->close();
    else
        Form6->show();
    // The mark follows the strip, whatever Qt's own toggle of it did.
    Pomocnik1->setChecked(Form6->isVisible());
}
