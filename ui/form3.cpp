#include "ui/form3.h"

#include <QLabel>
#include <QPushButton>

#include "widgets/accessible.h"
#include "widgets/application.h"

TForm3* Form3 = nullptr;

namespace {
// A title label, one cell high; its font and width come at the first show.
QLabel* tytul(QWidget* parent, const char* nazwa, QPoint p)
{
    auto* l = new QLabel(QStringLiteral("ZMIENIARKA"), parent);
    l->setObjectName(QLatin1String(nazwa));
    l->setForegroundRole(QPalette::WindowText);
    l->move(p);
    return l;
}

QLabel* wiersz(QWidget* parent, const char* nazwa, int top, int px, const QString& tekst)
{
    auto* l = new QLabel(tekst, parent);
    l->setObjectName(QLatin1String(nazwa));
    l->setGeometry(16, top, 233, 25);
    QFont f(QStringLiteral("Times New Roman CE"));
    f.setPixelSize(px);
    f.setBold(true);
    l->setFont(f);
    l->setForegroundRole(QPalette::WindowText);
    l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    return l;
}
} // namespace

TForm3::TForm3(QWidget* parent) : ToolWindow(parent, QStringLiteral("O programie"), QSize(267, 208), true)
{
    Form3 = this;
    setObjectName(QStringLiteral("Form3"));
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(11);
    setFont(f);

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(88, 168, 89, 25);
    // The one control that takes the focus: Enter and space press it while
    // it has it; it is no default button and Esc does nothing.
    Button1->setAutoDefault(true);
    Button1->setDefault(false);
    Button1->setFocus();
    connect(Button1, &QPushButton::clicked, this, &TForm3::Button1Click);

    Label1 = wiersz(this, "Label1", 64, 19, QStringLiteral("Zmieniarka 1.0"));
    Label2 = tytul(this, "Label2", {16, 8});
    QPalette czerwona = Label2->palette();
    czerwona.setColor(QPalette::WindowText, QColor(255, 0, 0));
    Label2->setPalette(czerwona);
    // The shadow, 8 px right and down, opaque in the window's colour; the red
    // title lies over it with a transparent background.
    Label3 = tytul(this, "Label3", {24, 16});
    Label3->setForegroundRole(QPalette::Dark);
    Label3->setBackgroundRole(QPalette::Button);
    Label3->setAutoFillBackground(true);
    hideFromAccessibility(Label3);
    Label4 = wiersz(this, "Label4", 96, 16, QStringLiteral("Autorzy: zespół Zmieniarki"));
    Label5 = wiersz(this, "Label5", 128, 16, QStringLiteral("© 2026"));

    // Drawn from the back: shadow, first line, red title, the other lines.
    for (QLabel* l : {Label3, Label1, Label2, Label4, Label5})
        l->raise();
}

void TForm3::prepareFirstShow()
{
    // The title's face takes a few tries to size: a window nobody opens
    // should not make the game start later. A 40-pixel cell of Arial Black
    // holds 28-pixel characters.
    const QFont duza = arialBlack(28);
    for (QLabel* l : {Label2, Label3}) {
        l->setFont(duza);
        l->resize(l->sizeHint().width(), 40);
    }
}

void TForm3::Button1Click()
{
    close();
}
