#include "widgets/statusbar.h"

#include <QLabel>

StatusBar::StatusBar(QWidget* parent) : QStatusBar(parent)
{
    setSizeGripEnabled(false);
    setFixedHeight(barHeight);
    for (int i = 0; i < 2; ++i) {
        auto* l = new QLabel(this);
        l->setObjectName(QStringLiteral("panel%1").arg(i));
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        l->setAlignment((i == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
        panels_[i] = l;
    }
}

void StatusBar::fitWidth(int width, const QString& widestSecond)
{
    constexpr int top = 3, bottom = 2, narrowest = 50;
    int left = 2, gap = 6, indent = 2;
    int first = 115;
    if (width < left + first + gap + narrowest) {
        left = gap = indent = 0;
        first = width - panels_[1]->fontMetrics().horizontalAdvance(widestSecond) - 2 * panels_[1]->frameWidth();
    }
    const int height = barHeight - top - bottom;
    for (QLabel* l : panels_)
        l->setIndent(indent);
    panels_[0]->setGeometry(left, top, first, height);
    panels_[1]->setGeometry(left + first + gap, top, width - left - first - gap, height);
}

QString StatusBar::panel(int i) const
{
    return panels_[i]->text();
}

void StatusBar::setPanel(int i, const QString& text)
{
    panels_[i]->setText(text);
}
