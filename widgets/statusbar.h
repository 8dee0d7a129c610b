#pragma once
#include <QStatusBar>

class QLabel;

// A status bar of two sunken panels (objects "panel0", left-aligned, and
// "panel1", right-aligned), 20 px high, placed by hand for the width of
// the window: the bar's own layout would widen a narrow window.
class StatusBar : public QStatusBar {
    Q_OBJECT
public:
    static constexpr int barHeight = 20;

    explicit StatusBar(QWidget* parent);

    // Lays the panels out for a window `width` px wide. The first panel is
    // 115 px; the second is at least 50 px and, as the last panel of a
    // status bar does, reaches to the right edge. Where the window is too
    // narrow for both, the panels close up without margins, the second as
    // wide as `widestSecond` and the first the rest.
    void fitWidth(int width, const QString& widestSecond);

    QString panel(int i) const;
    void setPanel(int i, const QString& text);

private:
    QLabel* panels_[2] = {};
};
