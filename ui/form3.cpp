#include "ui/form3.h"

#include <QLabel>
#include <QPushButton>

#include "widgets/application.h"
#include "widgets/controls.h"

QPointer<TForm3> Form3;

namespace {
QLabel* wiersz(QWidget* parent, const char* nazwa, int top, int px, const QString& tekst)
{
    QLabel* l = newLabel(parent, nazwa, tekst, {16, top, 233, 25}, Qt::AlignHCenter | Qt::AlignTop);
    l->setFont(pixelFont(QStringLiteral("Times New Roman CE"), px, true));
    l->setForegroundRole(QPalette::WindowText);
    return l;
}
} // namespace

TForm3::TForm3(QWidget* parent)
    : ToolWindow(parent, "Form3", QStringLiteral("O programie"), QSize(267, 208), true)
{
    Form3 = this;

    Button1 = newButton(this, "Button1", QStringLiteral("OK"), {88, 168, 89, 25});
    // The one control that takes the focus: Enter and space press it while
    // it has it; it is no default button and Esc does nothing.
    Button1->setAutoDefault(true);
    Button1->setDefault(false);
    Button1->setFocus();
    connect(Button1, &QPushButton::clicked, this, &TForm3::Button1Click);

    Label1 = wiersz(this, "Label1", 64, 19, QStringLiteral("Zmieniarka 1.0"));
    const ShadowedTitle tytul
        = shadowedTitle(this, QStringLiteral("ZMIENIARKA"), {16, 8}, Qt::red, "Label2", "Label3");
    Label2 = tytul.title;
    Label3 = tytul.shadow;
    Label4 = wiersz(this, "Label4", 96, 16, QStringLiteral("Autorzy: zespół Zmieniarki"));
    Label5 = wiersz(this, "Label5", 128, 16, QStringLiteral("© 2026"));

    // A screen reader reads a window's loose lines of three words or more
    // only: these are told in full.
    Label2->setAccessibleName(QStringLiteral("ZMIENIARKA, gra logiczna"));
    Label1->setAccessibleName(QStringLiteral("Zmieniarka, wersja 1.0"));
    Label5->setAccessibleName(QStringLiteral("Prawa autorskie: 2026"));

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
