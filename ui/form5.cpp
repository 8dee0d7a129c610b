#include "ui/form5.h"

TForm5* Form5 = nullptr;

TForm5::TForm5(QWidget* parent) : ToolWindow(parent, QStringLiteral("Koniec gry"), QSize(286, 222), false)
{
    Form5 = this;
    setObjectName(QStringLiteral("Form5"));
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPixelSize(11);
    setFont(f);
}
