#include "ui/form6.h"

#include "ui/form1.h"

TForm6* Form6 = nullptr;

TForm6::TForm6(QWidget* parent) : ToolWindow(parent, QStringLiteral("Pomocnik"), QSize(335, 47), false)
{
    Form6 = this;
    setObjectName(QStringLiteral("Form6"));
    QFont f(QStringLiteral("Tahoma"));
    f.setPixelSize(11);
    setFont(f);
    connect(this, &ToolWindow::shown, this, &TForm6::FormCreate);
    FormCreate();
}

void TForm6::pokazpomocnik()
{
    FormCreate();
}

void TForm6::FormCreate()
{
    if (Form1)
        moveFrameTo(this, Form1->frameGeometry().bottomLeft() + QPoint(0, 1));
}
