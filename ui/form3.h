#pragma once
#include "widgets/window.h"

// O programie
class TForm3 : public ToolWindow {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);
};
extern TForm3* Form3;
