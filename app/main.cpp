#include <QIcon>

#include "app/start.h"
#include "widgets/application.h"

int main(int argc, char** argv)
{
    Application app(argc, argv);
    Application::setTitle(QStringLiteral("Zmieniarka"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/ikona.bmp")));
    utworzokna();
    const int wynik = app.exec();
    zniszczokna();
    return wynik;
}
