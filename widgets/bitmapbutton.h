#pragma once
#include <QPixmap>
#include <QPushButton>

// A real (raised, not flat) push button that shows a glyph instead of text.
// The glyph is copied on assignment; the colour of its bottom-left pixel is
// transparent; it is drawn centred and moves one pixel right and down while
// the button is held.
class BitmapButton : public QPushButton {
    Q_OBJECT
public:
    explicit BitmapButton(QWidget* parent = nullptr);

    void setGlyph(const QPixmap& glyph);
    const QPixmap& glyph() const { return glyph_; }

    // Masks a bitmap by the colour of its bottom-left pixel, once, so that
    // buttons that share it copy a ready pixmap.
    static QPixmap masked(const QPixmap& bitmap);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QPixmap glyph_;
};

// The glyph `name` from the resources (":/name.bmp"); on a screen that
// scales, its double-resolution drawing (":/name@2x.bmp") keeps it sharp.
// The highest pixel ratio among the screens decides, so that a glyph is
// never enlarged.
QPixmap screenGlyph(const QString& name);
