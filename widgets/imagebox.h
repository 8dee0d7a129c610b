#pragma once
#include <QPixmap>
#include <QWidget>

// An image box: draws its picture centred, cut to the box. A 50 × 50 tile
// glyph in a 47 × 47 box loses exactly its white frame.
class ImageBox : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    void setPicture(const QPixmap& picture);
    const QPixmap& picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QPixmap picture_;
};
