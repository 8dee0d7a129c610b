#include "widgets/bitmapbutton.h"

#include <cmath>

#include <QBitmap>
#include <QGuiApplication>
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

QPixmap screenGlyph(const QString& name)
{
    if (qApp->devicePixelRatio() > 1) {
        QPixmap p(QStringLiteral(":/%1@2x.bmp").arg(name));
        if (!p.isNull()) {
            p.setDevicePixelRatio(2);
            return p;
        }
    }
    return QPixmap(QStringLiteral(":/%1.bmp").arg(name));
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
    // Integer centring: a 50 px glyph on a 47 px button starts at -1, so its
    // picture inside the 1 px frame covers the button exactly.
    const QSize logical = glyph_.deviceIndependentSize().toSize();
    QPoint at((width() - logical.width()) / 2, (height() - logical.height()) / 2);
    if (isDown())
        at += QPoint(1, 1);
    const qreal dpr = devicePixelRatioF();
    if (dpr == std::floor(dpr)) {
        p.drawPixmap(at, glyph_);
    } else {
        // Scaled by a fraction, a tile's edges fall inside device pixels: the
        // picture inside the glyph's frame is drawn out to whole device pixels,
        // or a light seam shows between two tiles.
        const QRectF r(QPointF(at) + QPointF(1, 1), QSizeF(logical) - QSizeF(3, 3));
        const QRectF target(QPointF(std::floor(r.left() * dpr), std::floor(r.top() * dpr)) / dpr,
                         QPointF(std::ceil(r.right() * dpr), std::ceil(r.bottom() * dpr)) / dpr);
        const qreal g = glyph_.devicePixelRatio();
        p.drawPixmap(target, glyph_, QRectF(g, g, glyph_.width() - 3 * g, glyph_.height() - 3 * g));
    }
    // The glyph covers the style's own focus frame. Black and white side by
    // side show on every colour of the board, also to a player who cannot
    // tell the colours apart; a tile without focus is drawn as it always was.
    if (!hasFocus())
        return;
    auto ring = [&](int inset, int width, const QColor& c) {
        const QRect o = rect().adjusted(inset, inset, -inset, -inset);
        for (const QRect& r : QRegion(o).subtracted(o.adjusted(width, width, -width, -width)))
            p.fillRect(r, c);
    };
    ring(4, 4, Qt::black);
    ring(5, 2, Qt::white);
}
