#include "widgets/imagebox.h"

#include <QPainter>

void ImageBox::setPicture(const QPixmap& picture)
{
    picture_ = picture;
    update();
}

void ImageBox::paintEvent(QPaintEvent*)
{
    if (picture_.isNull())
        return;
    // Whole pixels: 50 in 47 starts at -1, cutting 1 pixel at the top and
    // left and 2 at the bottom and right, just the glyph's frame.
    const QSize s = picture_.deviceIndependentSize().toSize();
    QPainter p(this);
    p.drawPixmap(QPoint((width() - s.width()) / 2, (height() - s.height()) / 2), picture_);
}
