#pragma once
#include <QColor>
#include <QRect>

class QLabel;
class QPushButton;
class QString;
class QWidget;

// Controls placed by hand, named for the tests and the tools that find them.
QLabel* newLabel(QWidget* parent, const char* name, const QString& text, QRect box,
                 Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop);
QPushButton* newButton(QWidget* parent, const char* name, const QString& text, QRect box);

// Text in a colour of its own; on a button-face window a label would
// otherwise take the button-text colour.
void setTextColour(QLabel* label, const QColor& colour);

// A title over its shadow. The shadow stands `offset` pixels right of and
// below the title, opaque in the window's colour, drawn in the button-shadow
// colour and left out for assistive technology; the title lies over it with
// a transparent background. Both start at `at` with the default size: the
// caller sizes them once their font is known.
struct ShadowedTitle {
    QLabel* title;
    QLabel* shadow;
};
ShadowedTitle shadowedTitle(QWidget* parent, const QString& text, QPoint at, const QColor& colour,
                            const char* titleName, const char* shadowName, int offset = 8);
