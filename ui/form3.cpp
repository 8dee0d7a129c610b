#include "ui/form3.h"

TForm3* Form3 = nullptr;

TForm3::TForm3(QWidget* parent) : ToolWindow(parent, QStringLiteral("O programie"), QSize(267, 208), true)
{
    Form3 = this;
    setObjectName(QStringLiteral("Form3"));
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(11);
    setFont(f);
}
