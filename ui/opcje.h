#pragma once
#include "widgets/window.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QSlider;

// Opcje: the options of the next game. No buffer and no cancel: every change
// goes into ustawienia at once.
class TOpcje : public ToolWindow {
    Q_OBJECT
public:
    explicit TOpcje(QWidget* parent = nullptr);

    void FormShow();
    void TrackBar1Change();
    void TrackBar2Change();
    void TrackBar3Change();
    void CheckBox1Click();
    void OKClick();

    QSlider* TrackBar1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* ilex = nullptr;
    QLabel* iley = nullptr;
    QSlider* TrackBar2 = nullptr;
    QLabel* Label3 = nullptr;
    QPushButton* OK = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QLabel* Label2 = nullptr;
    QSlider* TrackBar3 = nullptr;
    QLabel* ilek = nullptr;
};
extern TOpcje* Opcje;
