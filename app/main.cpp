#include "app/pulpit.h"
#include "app/start.h"
#include "widgets/application.h"

int main(int argc, char** argv)
{
    wybierzplatforme(argc, argv);
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
