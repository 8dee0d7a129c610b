#pragma once
#include "widgets/window.h"

// Opcje
class TOpcje : public ToolWindow {
    Q_OBJECT
public:
    explicit TOpcje(QWidget* parent = nullptr);
};
extern TOpcje* Opcje;
