#include "ui/form6.h"

#include <QLabel>

#include "game/plansza.h"
#include "ui/form1.h"
#include "ui/znaczki.h"
#include "widgets/accessible.h"
#include "widgets/application.h"
#include "widgets/controls.h"
#include "widgets/windowset.h"

QPointer<TForm6> Form6;

namespace {
constexpr int wysokosc = 47; // the client height; the arrows reach 2 px below it

// The colour's name goes with the picture, for a player who cannot see it.
ImageBox* obrazek(QWidget* parent, const char* nazwa, int left, int top, const QPixmap& p, std::uint8_t stan)
{
    auto* i = new ImageBox(parent);
    i->setObjectName(QLatin1String(nazwa));
    i->setGeometry(left, top, 47, 47);
    i->setPicture(p);
    i->setAccessibleName(nazwakoloru(stan));
    return i;
}

void jak(ImageBox* cel, const ImageBox* wzor)
{
    cel->setPicture(wzor->picture());
    cel->setAccessibleName(wzor->accessibleName());
}

// A double right arrow, bold, 33 px. DejaVu Sans has it as a character of its
// own; a symbol font's 0xDE is a different letter wherever that font is missing.
// At 33 px it is wider than its 25-px box: it is made as much smaller as
// keeps it whole, two pixels clear of the pictures on either side. DejaVu
// Sans's arrow is 26 px wide at 33 px, which makes 33 * 21 / 26 = 26 px, and
// 20 px wide there; starting from that size, the face is loaded and
// measured once, at the size it is drawn at. A face standing in for DejaVu
// Sans is made smaller still where it needs to be.
QFont strzalkowa(const QString& tekst)
{
    return shrunkToFit(pixelFont(QStringLiteral("DejaVu Sans"), 26, true), tekst, 25 - 4);
}

QLabel* strzalka(QWidget* parent, const char* nazwa, int left)
{
    const QString tekst(QChar(0x21D2));
    static const QFont f = strzalkowa(tekst);
    QLabel* l = newLabel(parent, nazwa, tekst, {left, 0, 25, 49}, Qt::AlignCenter);
    l->setFont(f);
    l->setForegroundRole(QPalette::WindowText);
    return l;
}

} // namespace

TForm6::TForm6(QWidget* parent)
    : ToolWindow(parent, "Form6", QStringLiteral("Pomocnik"), QSize(335, wysokosc), false)
{
    Form6 = this;

    const QPixmap szary = obrazkratki(0);
    const QPixmap zolty = obrazkratki(2);
    const QPixmap zielony = obrazkratki(3);
    // Made from left to right, which is the order a screen reader reads
    // them in: picture, arrow, picture. Each arrow still lies under the
    // picture after it, where they touch.
    Image1 = obrazek(this, "Image1", 0, 0, szary, 0);
    Label1 = strzalka(this, "Label1", 48);
    Image2 = obrazek(this, "Image2", 72, 0, obrazkratki(1), 1);
    Label2 = strzalka(this, "Label2", 120);
    Image3 = obrazek(this, "Image3", 144, 0, zolty, 2);
    Label3 = strzalka(this, "Label3", 192);
    Image4 = obrazek(this, "Image4", 216, 0, zielony, 3);
    Label4 = strzalka(this, "Label4", 264);
    Image5 = obrazek(this, "Image5", 288, 0, szary, 0);
    Image4a = obrazek(this, "Image4a", 216, 64, zielony, 3);
    Image3a = obrazek(this, "Image3a", 144, 64, zolty, 2);
    hideFromAccessibility(Image4a);
    hideFromAccessibility(Image3a);

    connect(this, &ToolWindow::shown, this, &TForm6::FormCreate);
    FormCreate();
}

void TForm6::ustawszerokosc(int szerokosc)
{
    setFixedSize(szerokosc, wysokosc);
}

void TForm6::pokazpomocnik()
{
    switch (gra.kolory) {
    case 1:
        jak(Image3, Image1);
        Label3->hide();
        Image4->hide();
        Label4->hide();
        Image5->hide();
        ustawszerokosc(191);
        break;
    case 2:
        jak(Image3, Image3a);
        Label3->show();
        Image4->show();
        jak(Image4, Image1);
        Label4->hide();
        Image5->hide();
        ustawszerokosc(263);
        break;
    case 3:
        jak(Image3, Image3a);
        Label3->show();
        Image4->show();
        jak(Image4, Image4a);
        Label4->show();
        Image5->show();
        ustawszerokosc(335);
        break;
    default:
        break;
    }
    if (Form1)
        Form1->okna->placeBelow(this);
}

void TForm6::FormCreate()
{
    if (Form1)
        Form1->okna->keepBelow(this);
}
