#pragma once
#include <QPointer>
#include "widgets/imagebox.h"
#include "widgets/window.h"

class QLabel;

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

    QLabel *Label1{}, *Label2{}, *Label3{}, *Label4{};
    ImageBox *Image1{}, *Image2{}, *Image3{}, *Image4{}, *Image5{};
    ImageBox* Image4a = nullptr; // below the client area: state 3 for Image4
    ImageBox* Image3a = nullptr; // below the client area: state 2 for Image3

private:
    void ustawszerokosc(int szerokosc);
};
extern QPointer<TForm6> Form6; // empty once the window is gone
