#pragma once
#include <QPointer>
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

    QSlider *TrackBar1{}, *TrackBar2{}, *TrackBar3{};
    QLabel *Label1{}, *ilex{}, *iley{}, *Label3{}, *Label2{}, *ilek{};
    QPushButton* OK = nullptr;
    QCheckBox* CheckBox1 = nullptr;
};
extern QPointer<TOpcje> Opcje; // empty once the window is gone
