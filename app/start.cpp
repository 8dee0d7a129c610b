#include "app/start.h"

#include <cstdio>
#include <cstring>

#include <QAction>
#include <QCoreApplication>

#include "app/menu.h"
#include "store/rekordy.h"
#include "ui/form1.h"
#include "ui/form3.h"
#include "ui/form4.h"
#include "ui/form5.h"
#include "ui/form6.h"
#include "ui/opcje.h"
#include "ui/znaczki.h"
#include "widgets/window.h"
#include "widgets/x11.h"

bool jestekran(int argc, char** argv)
{
    QByteArray nazwane = qgetenv("QT_QPA_PLATFORM");
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0) {
            if (i + 1 < argc)
                nazwane = argv[i + 1];
        } else if (std::strncmp(argv[i], "-platform=", 10) == 0) {
            nazwane = argv[i] + 10;
        }
    // Unnamed, Qt picks X11 or Wayland.
    bool potrzebny = true;
    for (const QByteArray& p : nazwane.split(';')) {
        const qsizetype dwukropek = p.indexOf(':'); // options follow the name
        const QByteArray nazwa = (dwukropek < 0 ? p : p.left(dwukropek)).trimmed();
        if (!nazwa.isEmpty() && nazwa != "xcb" && !nazwa.startsWith("wayland"))
            potrzebny = false;
    }
    return !potrzebny || !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

bool wybierzplatforme(int argc, char** argv)
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || qEnvironmentVariableIsEmpty("DISPLAY"))
        return true;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0 || std::strncmp(argv[i], "-platform=", 10) == 0)
            return true;
    // An X server that does not let us in leaves Qt's own choice (and
    // spares the player Qt's complaints about it); with no Wayland beside
    // it, that choice could only abort.
    if (!xServerAnswers())
        return !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    qputenv("QT_QPA_PLATFORM", "xcb;wayland");
    return true;
}

void utworzokna()
{
    przygotujpliki();
    if (compositorPlacesWindows())
        std::fputs("zmieniarka: window placement needs X11; on Wayland the compositor places the windows\n", stderr);
    // The glyphs are taken once, by the game window and the strip.
    wybierzznaczki(QCoreApplication::arguments());
    // The game window first: it is the main window, it loads the records the
    // list needs, and the strip is placed from its position.
    new TForm1;
    new TMainMenu(Form1->menuBar());
    centreOnScreen(Form1); // with its menu bar, which makes it taller
    // On Wayland the window shown last has the keyboard focus, and the
    // compositor places the strip, not below the game window: the game
    // window comes after the strip there.
    const bool najpierwpasek = compositorPlacesWindows();
    if (!najpierwpasek)
        Form1->show();
    new TOpcje(Form1);
    new TForm3(Form1);
    new TForm4(Form1);
    new TForm5(Form1);
    new TForm6(Form1);
    Form6->show();
    if (najpierwpasek)
        Form1->show();
    // Closed from the window manager too: the mark follows the strip.
    QObject::connect(Form6, &ToolWindow::closed, MainMenu1, [] { MainMenu1->Pomocnik1->setChecked(false); });
    // The dialogs wait hidden; while the player looks at the new game,
    // each is made ready so that its first opening is as quick as the next.
    prepareWhenIdle(Form1, {Opcje, Form3, Form4, Form5});
}

void zniszczokna()
{
    delete Form1;
}
