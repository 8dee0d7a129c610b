#pragma once
#include <QPointer>
#include "widgets/window.h"

class QLabel;
class QPushButton;

// O programie: the title with its shadow, three lines of credits and OK.
class TForm3 : public ToolWindow {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);

    void Button1Click();

    QPushButton* Button1 = nullptr;
    QLabel *Label1{}, *Label4{}, *Label5{};
    QLabel* Label2 = nullptr; // the title, red
    QLabel* Label3 = nullptr; // the title again, its shadow

protected:
    void prepareFirstShow() override;
};
extern QPointer<TForm3> Form3; // empty once the window is gone
