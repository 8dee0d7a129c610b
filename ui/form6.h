#pragma once
#include "widgets/window.h"

// Pomocnik
class TForm6 : public ToolWindow {
    Q_OBJECT
public:
    explicit TForm6(QWidget* parent = nullptr);

    // Lays the strip out for gra.kolory and places it below the game window.
    void pokazpomocnik();
    // Creation and show handler: places the strip below the game window.
    void FormCreate();
};
extern TForm6* Form6;
