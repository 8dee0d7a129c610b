#pragma once
#include <QPointer>
#include <cstdint>

#include "widgets/window.h"

class QLabel;
class QLineEdit;
class QPushButton;

// Koniec gry: congratulates, shows the time and asks for a name when the
// time beats the record of the board's colour count and number of fields.
class TForm5 : public ToolWindow {
    Q_OBJECT
public:
    explicit TForm5(QWidget* parent = nullptr);

    // The show handler (each time the dialog goes from hidden to shown).
    void FormCreate();
    // OK: stores a new record, saves the file, opens the records list.
    // An error of the save leaves it (the dialog stays open).
    void Button1Click();

    QLabel *Label2{}, *Label1{}, *Label3{}, *wyswczas{}, *Label4{};
    QLineEdit* imiewpis = nullptr; // made when the dialog is first shown
    QPushButton* Button1 = nullptr;

    bool nowyrekord = false;

protected:
    void prepareFirstShow() override;
    // Closed from the window manager, whose close button some draw anyway: a
    // new record not yet saved is stored as OK stores it, and a save that
    // fails keeps the dialog open, as after OK.
    void closeEvent(QCloseEvent* e) override;

private:
    void zapiszrekord();
    bool dozapisu_ = false; // a new record this showing, not yet saved

    // The finished game as it was when the dialog came up: clicks on the
    // finished board and a new game started meanwhile must not change the
    // record that OK stores.
    std::uint8_t kolory_ = 0;
    std::uint8_t x_ = 0;
    std::uint8_t y_ = 0;
    std::int32_t dziesiate_ = 0;
    std::int32_t ruchy_ = 0;
};
extern QPointer<TForm5> Form5; // empty once the window is gone
