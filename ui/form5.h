#pragma once
#include "widgets/window.h"

// Koniec gry
class TForm5 : public ToolWindow {
    Q_OBJECT
public:
    explicit TForm5(QWidget* parent = nullptr);
};
extern TForm5* Form5;
