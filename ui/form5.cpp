#include "ui/form5.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>

#include "game/plansza.h"
#include "store/rekordy.h"
#include "ui/form1.h"
#include "ui/form4.h"
#include "widgets/accessible.h"
#include "widgets/application.h"
#include "widgets/errorbox.h"

TForm5* Form5 = nullptr;

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

QLabel* etykieta(QWidget* parent, const char* nazwa, QRect r, const QString& tekst)
{
    auto* l = new QLabel(tekst, parent);
    l->setObjectName(QLatin1String(nazwa));
    l->setGeometry(r);
    l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    return l;
}

const QString brawotekst = QStringLiteral("BRAWO!");
constexpr int brawoszerokosc = 127; // the width of the word in Arial Black

QFont brawo()
{
    // Arial Black's cell is about 1.41 of its character height: a 40-pixel
    // cell holds 28-pixel characters.
    QFont f = arialBlack(28);
    // A wider stand-in is narrowed to the word's box, so the "!" is not cut.
    const int w = QFontMetrics(f).horizontalAdvance(brawotekst);
    if (w > brawoszerokosc)
        f.setStretch(f.stretch() * brawoszerokosc / w);
    return f;
}

// MS Sans Serif is a bitmap face here, in its 11-pixel size only: drawn
// larger, or on a scaled screen, its letters come out tiny and spread apart.
// There the scalable face closest to it stands in.
QFont mssansserif(int piksele)
{
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPixelSize(piksele);
    const QFontInfo jest(f);
    if (!QFontDatabase::isScalable(jest.family())
        && (piksele != 11 || qApp->devicePixelRatio() != 1.0))
        f.setFamily(QStringLiteral("Tahoma"));
    return f;
}

// Only a board the game can build has an entry in rekordy.
bool jestplansza(int kolory, int x, int y)
{
    return kolory >= 1 && kolory <= 3 && x >= 3 && x <= 10 && y >= 3 && y <= 10;
}
} // namespace

TForm5::TForm5(QWidget* parent) : ToolWindow(parent, QStringLiteral("Koniec gry"), QSize(286, 222), false)
{
    Form5 = this;
    setObjectName(QStringLiteral("Form5"));
    setRerunShowOnReopen(false);

    Label2 = etykieta(this, "Label2", QRect(88, 24, brawoszerokosc, 40), brawotekst);
    Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label2->setForegroundRole(QPalette::Dark); // the button-shadow colour
    Label2->setBackgroundRole(QPalette::Button);
    Label2->setAutoFillBackground(true);

    // Above the shadow, which shows 8 pixels right of and below it.
    Label1 = etykieta(this, "Label1", QRect(80, 16, brawoszerokosc, 40), brawotekst);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // On a button-face window a label would take the button-text colour.
    Label1->setForegroundRole(QPalette::WindowText);
    QPalette czerwony = Label1->palette();
    czerwony.setColor(QPalette::WindowText, Qt::red);
    Label1->setPalette(czerwony);
    Label1->raise();

    Label3 = etykieta(this, "Label3", QRect(0, 72, 289, 20), QStringLiteral("Udało ci się zapełnić całą planszę!"));

    wyswczas = etykieta(this, "wyswczas", QRect(5, 104, 276, 13), QStringLiteral("czas"));
    Label4 = etykieta(this, "Label4", QRect(8, 128, 273, 13), QStringLiteral("Podaj swoje imię:"));

    imiewpis = new QLineEdit(this);
    imiewpis->setObjectName(QStringLiteral("imiewpis"));
    imiewpis->setGeometry(64, 152, 161, 21);
    imiewpis->setMaxLength(30);
    imiewpis->setValidator(new WalidatorImienia(imiewpis));

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(104, 184, 73, 25);
    Button1->setDefault(true); // Enter from the name box too: see keyPressEvent

    Label4->setBuddy(imiewpis); // names the box
    hideFromAccessibility(Label2);

    QWidget::setTabOrder(imiewpis, Button1);
    connect(Button1, &QPushButton::clicked, this, [this] { guarded([this] { Button1Click(); }); });
    connect(this, &ToolWindow::shown, this, &TForm5::FormCreate);
}

void TForm5::prepareFirstShow()
{
    // Three faces to find: only once a game is won, not at every start.
    setFont(mssansserif(11));
    Label1->setFont(brawo());
    Label2->setFont(brawo());
    Label3->setFont(mssansserif(16)); // a 20-pixel cell
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

void TForm5::Button1Click()
{
    if (nowyrekord) {
        TRekord& r = rekordy[kolory_][x_ * y_];
        ustawimie(r, imiewpis->text().left(30));
        r.czas = dziesiate_ / 10.0;
        r.ruchow = ruchy_;
        zapiszlisterekordow();
        Form4->odswiezlisterekordow();
    }
    close();
    // A list already open is pointed at the board's row only when the
    // rebuild has just put a new record there.
    Form4->pokazrekord(kolory_, x_ * y_, nowyrekord);
}

void TForm5::keyPressEvent(QKeyEvent* e)
{
    // The default button: Enter that no control took presses OK.
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        Button1->click();
        return;
    }
    ToolWindow::keyPressEvent(e);
}
