#pragma once
#include <QMainWindow>
#include <QPointer>

#include "widgets/bitmapbutton.h"
#include "widgets/statusbar.h"
#include "widgets/timer.h"
#include "widgets/window.h"

class WindowSet;

// The game window: the board, the clock and the status bar.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);

    void FormCreate();
    void Nowa1Click();
    void Demo1Click();
    void Timer1Timer();
    void przyciskiClick(QObject* Sender);
    void wyczyscplansze();
    void zbudujplansze(bool klikalne);
    void FormClose();

    // Area below the menu bar, as the player sees it.
    QSize rozmiarklienta() const;
    QString panel(int i) const;
    void ustawpanel(int i, const QString& tekst);

    QWidget* obszar = nullptr; // where the tiles live, right below the menu bar
    StatusBar* StatusBar1 = nullptr;
    Timer* Timer1 = nullptr;
    WindowSet* okna = nullptr; // where the windows stand, and their minimise
    BitmapButton *kratka2{}, *kratka1a{}, *kratka1b{}, *kratka1c{};
    // The glyph holder of state 0..3: a tile shows its glyph.
    const BitmapButton* kratka(std::uint8_t stan) const;

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void rozpocznij(bool demo);
    void ustawrozmiarklienta(int w, int h);
};
extern QPointer<TForm1> Form1; // empty once the window is gone

// "Czas: 12.3 sek." from the clock's count of tenths.
QString tekstczasu(std::int32_t dziesiate);
