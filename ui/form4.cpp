#include "ui/form4.h"

TForm4* Form4 = nullptr;

TForm4::TForm4(QWidget* parent) : ToolWindow(parent, QStringLiteral("Lista rekordów"), QSize(364, 376), true)
{
    Form4 = this;
    setObjectName(QStringLiteral("Form4"));
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(11);
    setFont(f);
}
