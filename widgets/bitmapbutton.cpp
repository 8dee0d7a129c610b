#include "widgets/bitmapbutton.h"

#include <QBitmap>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

BitmapButton::BitmapButton(QWidget* parent) : QPushButton(parent)
{
    setFocusPolicy(Qt::TabFocus);
}

QPixmap BitmapButton::masked(const QPixmap& bitmap)
{
    if (bitmap.isNull() || bitmap.hasAlphaChannel())
        return bitmap;
    const QImage img = bitmap.toImage();
    const QColor key = img.pixelColor(0, img.height() - 1);
    QPixmap out = bitmap;
    out.setMask(bitmap.createMaskFromColor(key, Qt::MaskInColor));
    return out;
}

void BitmapButton::setGlyph(const QPixmap& glyph)
{
    glyph_ = masked(glyph);
    update();
}

void BitmapButton::paintEvent(QPaintEvent*)
{
    QStylePainter p(this);
    QStyleOptionButton opt;
    initStyleOption(&opt);
    p.drawControl(QStyle::CE_PushButtonBevel, opt);
    if (glyph_.isNull())
        return;
    const QSizeF logical = glyph_.deviceIndependentSize();
    QPointF at((width() - logical.width()) / 2.0, (height() - logical.height()) / 2.0);
    if (isDown())
        at += QPointF(1, 1);
    p.drawPixmap(at, glyph_);
}
