#include <QIcon>

#include "app/start.h"
#include "widgets/application.h"

int main(int argc, char** argv)
{
    wybierzplatforme(argc, argv);
    Application app(argc, argv);
    Application::setTitle(QStringLiteral("Zmieniarka"));
    QGuiApplication::setDesktopFileName(QStringLiteral("zmieniarka")); // the menu entry's icon and name
    QIcon ikona(QStringLiteral(":/ikona.bmp"));
    ikona.addFile(QStringLiteral(":/ikona@4x.bmp")); // sharp on a scaled screen
    QApplication::setWindowIcon(ikona);
    utworzokna();
    const int wynik = app.exec();
    zniszczokna();
    return wynik;
}
