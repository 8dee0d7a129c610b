#include "app/start.h"

#include "app/menu.h"

#include <QAction>
#include "ui/form1.h"
#include "ui/form3.h"
#include "ui/form4.h"
#include "ui/form5.h"
#include "ui/form6.h"
#include "ui/opcje.h"
#include "widgets/window.h"

void utworzokna()
{
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
    Form1 = nullptr;
    Opcje = nullptr;
    Form3 = nullptr;
    Form4 = nullptr;
    Form5 = nullptr;
    Form6 = nullptr;
    MainMenu1 = nullptr;
}
