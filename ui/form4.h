#pragma once
#include "widgets/window.h"

// Lista rekordów
class TForm4 : public ToolWindow {
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr);
};
extern TForm4* Form4;
