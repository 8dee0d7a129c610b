// The floor of the start-up figures: a bare QApplication with an empty main
// window, nothing of the game linked in. With --tekst the window shows one
// line of text, which is what makes Qt set up its font database and load a
// font: the floor of any window with text on it.
#include <cstring>
#include <QLabel>
#include <QMainWindow>

#include "sonda.h"

int main(int argc, char** argv)
{
    const std::int64_t poczatek = pomiar::teraz_ns();
    const bool tekst = argc > 1 && std::strcmp(argv[1], "--tekst") == 0;
    QApplication app(argc, argv);
    QMainWindow okno;
    if (tekst)
        okno.setCentralWidget(new QLabel(QStringLiteral("Zmieniarka")));
    PierwszeMalowanie sonda(poczatek, [&okno] { return &okno; }, nullptr);
    okno.show();
    return app.exec();
}
