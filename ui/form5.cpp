#include "ui/form5.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>

#include "game/plansza.h"
#include "store/rekordy.h"
#include "ui/form1.h"
#include "ui/form4.h"
#include "widgets/application.h"
#include "widgets/errorbox.h"
#include "widgets/controls.h"

QPointer<TForm5> Form5;

namespace {
// Only what the records file can hold is typed in: a character outside the
// file's code page is refused, never turned into another one.
class WalidatorImienia : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& tekst, int&) const override
    {
        return imiedozapisu(tekst) ? Acceptable : Invalid;
    }
};

const QString brawotekst = QStringLiteral("BRAWO!");
constexpr int brawoszerokosc = 127; // the width of the word in Arial Black

QFont brawo()
{
    // Arial Black's cell is about 1.41 of its character height: a 40-pixel
    // cell holds 28-pixel characters.
    // A wider stand-in is narrowed to the word's box, so the "!" is not cut.
    return narrowedTo(arialBlack(28), brawotekst, brawoszerokosc);
}

// Only a board the game can build has an entry in rekordy.
bool jestplansza(int kolory, int x, int y)
{
    return kolory >= 1 && kolory <= 3 && x >= 3 && x <= 10 && y >= 3 && y <= 10;
}
} // namespace

TForm5::TForm5(QWidget* parent)
    : ToolWindow(parent, "Form5", QStringLiteral("Koniec gry"), QSize(286, 222), false)
{
    Form5 = this;
    setRerunShowOnReopen(false);

    // The shadow shows 8 pixels right of and below the word.
    const ShadowedTitle tytul = shadowedTitle(this, brawotekst, {80, 16}, Qt::red, "Label1", "Label2");
    Label1 = tytul.title;
    Label2 = tytul.shadow;
    for (QLabel* l : {Label1, Label2}) {
        l->resize(brawoszerokosc, 40);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }

    constexpr Qt::Alignment srodek = Qt::AlignHCenter | Qt::AlignTop;
    Label3 = newLabel(this, "Label3", QStringLiteral("Udało ci się zapełnić całą planszę!"), {0, 72, 289, 20}, srodek);

    wyswczas = newLabel(this, "wyswczas", QStringLiteral("czas"), {5, 104, 276, 13}, srodek);
    Label4 = newLabel(this, "Label4", QStringLiteral("Podaj swoje imię:"), {8, 128, 273, 13}, srodek);

    Button1 = newButton(this, "Button1", QStringLiteral("OK"), {104, 184, 73, 25});
    setDefaultButton(Button1); // Enter from the name box too

    connect(Button1, &QPushButton::clicked, this, [this] { runShowingErrors([this] { Button1Click(); }); });
    connect(this, &ToolWindow::shown, this, &TForm5::FormCreate);
}

void TForm5::prepareFirstShow()
{
    // Three faces to find: only once a game is won, not at every start.
    setFont(msSansSerif(11));
    const QFont duza = brawo();
    for (QLabel* l : {Label1, Label2}) {
        l->setFont(duza);
        l->setContentsMargins(0, arialBlackDrop(duza, 28), 0, 0);
    }
    Label3->setFont(msSansSerif(16)); // a 20-pixel cell

    // The name box as well: a new edit box lays out its empty text in the
    // application's own face, one more face to find.
    imiewpis = new QLineEdit(this);
    imiewpis->setObjectName(QStringLiteral("imiewpis"));
    imiewpis->setGeometry(64, 152, 161, 21);
    imiewpis->setMaxLength(30);
    imiewpis->setValidator(new WalidatorImienia(imiewpis));
    imiewpis->stackUnder(Button1); // between the prompt and OK, for a screen reader too
    Label4->setBuddy(imiewpis);    // names the box
    QWidget::setTabOrder(imiewpis, Button1);
}

void TForm5::FormCreate()
{
    kolory_ = gra.kolory;
    x_ = gra.x;
    y_ = gra.y;
    dziesiate_ = Form1 ? Form1->Timer1->Tag : 0;
    ruchy_ = gra.ruchy;

    const double t = dziesiate_ / 10.0;
    // Strictly lower only; a stored time that is not a number is beaten by any.
    nowyrekord = jestplansza(kolory_, x_, y_) && !(t >= rekordy[kolory_][x_ * y_].czas);
    dozapisu_ = nowyrekord;
    Label4->setVisible(nowyrekord);
    imiewpis->setVisible(nowyrekord);
    wyswczas->setText(QStringLiteral("Twój czas: ") + QString::number(t, 'f', 1) + QStringLiteral(" sek."));
    gra.stan = bezczynna;

    if (nowyrekord) {
        // The name typed last time is offered again, ready to be kept or typed over.
        imiewpis->setFocus();
        imiewpis->selectAll();
    } else {
        Button1->setFocus();
    }
}

void TForm5::zapiszrekord()
{
    TRekord& r = rekordy[kolory_][x_ * y_];
    ustawimie(r, imiewpis->text().left(30));
    r.czas = dziesiate_ / 10.0;
    r.ruchow = ruchy_;
    zapiszlisterekordow(kolory_, x_ * y_);
    dozapisu_ = false;
    Form4->odswiezlisterekordow();
}

void TForm5::closeEvent(QCloseEvent* e)
{
    if (dozapisu_ && !runShowingErrors([this] { zapiszrekord(); })) {
        e->ignore();
        return;
    }
    ToolWindow::closeEvent(e);
}

void TForm5::Button1Click()
{
    if (nowyrekord)
        zapiszrekord();
    close();
    // A list already open is pointed at the board's row only when the
    // rebuild has just put a new record there.
    Form4->pokazrekord(kolory_, x_ * y_, nowyrekord);
}
