#include "widgets/controls.h"

#include <QLabel>
#include <QPushButton>

#include "widgets/accessible.h"

QLabel* newLabel(QWidget* parent, const char* name, const QString& text, QRect box, Qt::Alignment align)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(box);
    l->setAlignment(align);
    return l;
}

QPushButton* newButton(QWidget* parent, const char* name, const QString& text, QRect box)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(box);
    return b;
}

void setTextColour(QLabel* label, const QColor& colour)
{
    label->setForegroundRole(QPalette::WindowText);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, colour);
    label->setPalette(p);
}

ShadowedTitle shadowedTitle(QWidget* parent, const QString& text, QPoint at, const QColor& colour,
                            const char* titleName, const char* shadowName, int offset)
{
    auto* shadow = new QLabel(text, parent);
    shadow->setObjectName(QLatin1String(shadowName));
    shadow->move(at + QPoint(offset, offset));
    shadow->setForegroundRole(QPalette::Dark);
    shadow->setBackgroundRole(QPalette::Button);
    shadow->setAutoFillBackground(true);
    hideFromAccessibility(shadow);

    auto* title = new QLabel(text, parent);
    title->setObjectName(QLatin1String(titleName));
    title->move(at);
    setTextColour(title, colour);
    return {title, shadow};
}
