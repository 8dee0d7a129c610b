#include <cstdio>

#include "app/pulpit.h"
#include "app/start.h"
#include "widgets/application.h"

int main(int argc, char** argv)
{
    if (!jestekran(argc, argv) || !wybierzplatforme(argc, argv)) {
        std::fputs("zmieniarka: brak ekranu graficznego: uruchom grę z sesji pulpitu albo ustaw DISPLAY lub "
                   "WAYLAND_DISPLAY / no graphical display: start it from a desktop session, or set DISPLAY "
                   "or WAYLAND_DISPLAY\n",
                   stderr);
        return 1;
    }
    Application app(argc, argv);
    Application::setTitle(QStringLiteral("Zmieniarka"));
    QGuiApplication::setDesktopFileName(idaplikacji()); // the menu entry's icon and name
    QApplication::setWindowIcon(ikonaprogramu());
    wczytajtlumaczenia(); // without them only Qt's own buttons stay in English
    utworzokna();
    const int wynik = app.exec();
    zniszczokna();
    return wynik;
}
