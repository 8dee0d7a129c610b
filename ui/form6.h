#pragma once
#include <QPixmap>

#include "widgets/window.h"

class QLabel;

// An image box: draws its picture centred, cut to the box. A 50 × 50 tile
// glyph in a 47 × 47 box loses exactly its white frame.
class ImageBox : public QWidget {
    Q_OBJECT
public:
    explicit ImageBox(QWidget* parent = nullptr);

    void setPicture(const QPixmap& picture);
    const QPixmap& picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QPixmap picture_;
};

// Pomocnik: the cycle of tile colours of the current game, under the game
// window.
class TForm6 : public ToolWindow {
    Q_OBJECT
public:
    explicit TForm6(QWidget* parent = nullptr);

    // Lays the strip out for gra.kolory and places it below the game window.
    void pokazpomocnik();
    // Creation and show handler: places the strip below the game window.
    void FormCreate();

    QLabel* Label1 = nullptr;
    ImageBox* Image1 = nullptr;
    QLabel* Label2 = nullptr;
    ImageBox* Image2 = nullptr;
    QLabel* Label3 = nullptr;
    ImageBox* Image3 = nullptr;
    QLabel* Label4 = nullptr;
    ImageBox* Image4 = nullptr;
    ImageBox* Image5 = nullptr;
    ImageBox* Image4a = nullptr; // below the client area: state 3 for Image4
    ImageBox* Image3a = nullptr; // below the client area: state 2 for Image3

private:
    void ustawszerokosc(int szerokosc);
    // Where the strip's outer top-left corner belongs: the game window's
    // outer bottom-left corner.
    QPoint miejsce() const;
    void umiesc();
};
extern TForm6* Form6;
