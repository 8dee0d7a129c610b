#include "ui/opcje.h"

TOpcje* Opcje = nullptr;

TOpcje::TOpcje(QWidget* parent) : ToolWindow(parent, QStringLiteral("Opcje"), QSize(265, 280), true)
{
    Opcje = this;
    setObjectName(QStringLiteral("Opcje"));
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(11);
    setFont(f);
}
