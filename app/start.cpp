#include "app/start.h"

#include <cstdio>
#include <cstring>

#include <QAction>

#if ZM_X11
#include <xcb/xcb.h>
#endif

#include "app/menu.h"
#include "store/rekordy.h"
#include "ui/form1.h"
#include "ui/form3.h"
#include "ui/form4.h"
#include "ui/form5.h"
#include "ui/form6.h"
#include "ui/opcje.h"
#include "widgets/window.h"

void wybierzplatforme(int argc, char** argv)
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || qEnvironmentVariableIsEmpty("DISPLAY"))
        return;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0 || std::strncmp(argv[i], "-platform=", 10) == 0)
            return;
#if ZM_X11
    // An X server that does not let us in leaves Qt's own choice (and
    // spares the player Qt's complaints about it).
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    const bool answers = !xcb_connection_has_error(c);
    xcb_disconnect(c);
    if (!answers)
        return;
#endif
    qputenv("QT_QPA_PLATFORM", "xcb;wayland");
}

void utworzokna()
{
    przygotujpliki();
    if (compositorPlacesWindows())
        std::fputs("zmieniarka: window placement needs X11; on Wayland the compositor places the windows\n", stderr);
    // The game window first: it is the main window, it loads the records the
    // list needs, and the strip is placed from its position.
    new TForm1;
    new TMainMenu(Form1->menuBar());
    centreOnScreen(Form1); // with its menu bar, which makes it taller
    Form1->show();
    new TOpcje(Form1);
    new TForm3(Form1);
    new TForm4(Form1);
    new TForm5(Form1);
    new TForm6(Form1);
    Form6->show();
    // Closed from the window manager too: the mark follows the strip.
    QObject::connect(Form6, &ToolWindow::closed, MainMenu1, [] { MainMenu1->Pomocnik1->setChecked(false); });
}

void zniszczokna()
{
    delete Form1;
}
