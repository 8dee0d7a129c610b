#include "ui/opcje.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

#include "store/ustawienia.h"
#include "widgets/application.h"
#include "widgets/controls.h"

QPointer<TOpcje> Opcje;

namespace {
QSlider* suwak(QWidget* parent, const char* nazwa, QRect r, int od, int doo, int pozycja)
{
    auto* s = new QSlider(Qt::Horizontal, parent);
    s->setObjectName(QLatin1String(nazwa));
    s->setGeometry(r);
    s->setRange(od, doo);
    s->setValue(pozycja);
    s->setTickPosition(QSlider::TicksBothSides);
    s->setTickInterval(1);
    s->setSingleStep(1);
    s->setPageStep(2);
    return s;
}

QLabel* etykieta(QWidget* parent, const char* nazwa, QPoint p, const QString& tekst)
{
    QLabel* l = newLabel(parent, nazwa, tekst, QRect(p, QSize()));
    l->adjustSize(); // as wide and high as its text
    return l;
}

// The value next to a slider: a fixed box in bold Tahoma.
QLabel* wartosc(QWidget* parent, const char* nazwa, QPoint p, const QString& tekst)
{
    QLabel* l = newLabel(parent, nazwa, tekst, QRect(p, QSize(15, 13)));
    l->setFont(pixelFont(QStringLiteral("Tahoma"), 13, true));
    return l;
}
} // namespace

TOpcje::TOpcje(QWidget* parent) : ToolWindow(parent, "Opcje", QStringLiteral("Opcje"), QSize(265, 280), true)
{
    Opcje = this;

    // Created in tab order's first control first, so that the first
    // activation puts the focus on TrackBar1.
    TrackBar1 = suwak(this, "TrackBar1", QRect(24, 32, 201, 33), 3, 10, 5);
    Label1 = etykieta(this, "Label1", {16, 16}, QStringLiteral("Wymiar X"));
    ilex = wartosc(this, "ilex", {240, 43}, QStringLiteral("5"));
    iley = wartosc(this, "iley", {240, 107}, QStringLiteral("5"));
    TrackBar2 = suwak(this, "TrackBar2", QRect(24, 96, 201, 33), 3, 10, 5);
    Label3 = etykieta(this, "Label3", {16, 80}, QStringLiteral("Wymiar Y"));

    OK = newButton(this, "OK", QStringLiteral("OK"), {80, 240, 105, 25});
    // Enter presses OK only while OK has the focus; nothing is the default
    // button, and Esc does nothing (a plain window has no cancel).
    OK->setAutoDefault(true);
    OK->setDefault(false);

    CheckBox1 = new QCheckBox(QStringLiteral("Przechodzenie na brzegach na drugą stronę"), this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setGeometry(16, 208, 233, 17);

    Label2 = etykieta(this, "Label2", {16, 144}, QStringLiteral("Ilość kolorów"));
    TrackBar3 = suwak(this, "TrackBar3", QRect(24, 160, 201, 33), 1, 3, 1);
    ilek = wartosc(this, "ilek", {240, 171}, QStringLiteral("1"));

    // Each slider is named by the label above it.
    Label1->setBuddy(TrackBar1);
    Label3->setBuddy(TrackBar2);
    Label2->setBuddy(TrackBar3);

    QWidget::setTabOrder(TrackBar1, TrackBar2);
    QWidget::setTabOrder(TrackBar2, OK);
    QWidget::setTabOrder(OK, CheckBox1);
    QWidget::setTabOrder(CheckBox1, TrackBar3);

    connect(TrackBar1, &QSlider::valueChanged, this, &TOpcje::TrackBar1Change);
    connect(TrackBar2, &QSlider::valueChanged, this, &TOpcje::TrackBar2Change);
    connect(TrackBar3, &QSlider::valueChanged, this, &TOpcje::TrackBar3Change);
    // Every change of state, by the player or by FormShow.
    connect(CheckBox1, &QCheckBox::toggled, this, &TOpcje::CheckBox1Click);
    connect(OK, &QPushButton::clicked, this, &TOpcje::OKClick);
    connect(this, &ToolWindow::shown, this, &TOpcje::FormShow);
}

void TOpcje::FormShow()
{
    // The sliders clamp whatever a damaged settings file held; the handlers
    // then write the clamped values back. A position equal to the current
    // one fires nothing by itself, hence the explicit calls.
    TrackBar1->setValue(ustawienia.x);
    TrackBar1Change();
    TrackBar2->setValue(ustawienia.y);
    TrackBar2Change();
    TrackBar3->setValue(ustawienia.kolory);
    TrackBar3Change();
    // Only a change of state rewrites przejscie: a stored 7 stays 7.
    CheckBox1->setChecked(ustawienia.przejscie != 0);
}

void TOpcje::TrackBar1Change()
{
    ilex->setText(QString::number(TrackBar1->value()));
    ustawienia.x = std::uint8_t(TrackBar1->value());
}

void TOpcje::TrackBar2Change()
{
    iley->setText(QString::number(TrackBar2->value()));
    ustawienia.y = std::uint8_t(TrackBar2->value());
}

void TOpcje::TrackBar3Change()
{
    ilek->setText(QString::number(TrackBar3->value()));
    ustawienia.kolory = std::uint8_t(TrackBar3->value());
}

void TOpcje::CheckBox1Click()
{
    ustawienia.przejscie = CheckBox1->isChecked() ? 1 : 0;
}

void TOpcje::OKClick()
{
    close();
}
