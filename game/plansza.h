#pragma once
#include <cstdint>

#include "widgets/bitmapbutton.h"

// The game on screen: a copy of the options taken at its start, and its state.
struct TGra {
    std::uint8_t x = 1;          // columns, 3..10 once a board exists
    std::uint8_t y = 1;          // rows, 3..10
    std::uint8_t kolory = 1;     // colour count K: tiles run 0..K
    std::uint8_t przejscie = 0;  // wrap-around: 0 off, anything else on
    std::uint8_t zakonczona = 0; // 1 while a finished board is on screen
    std::uint8_t stan = 0;       // 0 idle, 1 game running, 2 demonstration running
    std::int32_t ruchy = 0;      // moves since the start
};
extern TGra gra;

enum : std::uint8_t { bezczynna = 0, gratrwa = 1, demotrwa = 2 };

// One tile: a bitmap push button that knows its colour and its place.
class guzik : public BitmapButton {
    Q_OBJECT
public:
    using BitmapButton::BitmapButton;
    std::uint8_t stan = 0;    // 0..gra.kolory
    std::uint8_t kolumna = 0; // 0-based, never changes
    std::uint8_t wiersz = 0;  // 0-based, never changes

Q_SIGNALS:
    // The tile now stands at `stan` (0..3): whoever shows the board gives
    // it the look of that colour.
    void nowystan(std::uint8_t stan);
};

// The tiles of the board on screen, [row][column]; only rows 0..gra.y-1 and
// columns 0..gra.x-1 are meaningful.
extern guzik* plansza[10][10];

// "szary", "czerwony", "żółty", "zielony" for states 0..3.
QString nazwakoloru(std::uint8_t stan);

// Shows a tile's state: its look through guzik::nowystan, and for
// assistive technology its place and colour ("kolumna 3, wiersz 2, czerwony"). A
// tile is renamed only when its name changes: each rename is an event a
// screen reader has to work through.
void pokazstan(guzik* g);

// While one lives, tiles change colour without being renamed; when the last
// one goes, every tile of the board is named once. A board being built and
// scrambled passes through hundreds of colours that nobody should hear.
class NazwyPozniej {
public:
    NazwyPozniej();
    ~NazwyPozniej();
    NazwyPozniej(const NazwyPozniej&) = delete;
    NazwyPozniej& operator=(const NazwyPozniej&) = delete;
};

// The only way a tile's state is set: the state, and its look with it.
void ustawstan(guzik* g, std::uint8_t stan);

// Advances the tile at 1-based (kolumna, wiersz) by one state.
void zmienpole(std::uint8_t kolumna, std::uint8_t wiersz);

// The places (0-based) one click on (k, w) advances: the tile and its up to
// four neighbours, wrapping round the edges when `przejscie` is on.
// Returns how many it wrote to `kolumny`/`wiersze` (3, 4 or 5).
int sasiedztwo(int k, int w, int X, int Y, bool przejscie, int kolumny[5], int wiersze[5]);

// The rule on bare states, without tiles: a board's states row by row.
struct Stany {
    std::uint8_t x = 0, y = 0; // 3..10
    std::uint8_t kolory = 1;   // K
    bool przejscie = false;
    std::uint8_t pole[100] = {}; // [w * x + k]
    std::uint8_t& operator()(int k, int w) { return pole[w * x + k]; }
    std::uint8_t operator()(int k, int w) const { return pole[w * x + k]; }
};

// 0, 1, ..., K and back to 0.
constexpr std::uint8_t nastepnystan(std::uint8_t stan, std::uint8_t kolory)
{
    return stan >= kolory ? 0 : std::uint8_t(stan + 1);
}

// One move on bare states: (k, w) and its neighbours advance (0-based).
void klik(Stany& s, int k, int w);

// True when every state is one s in 1..K (an all-grey board is not solved).
bool ulozona(const Stany& s);

// The states of the board on screen, with gra's size, K and wrap-around.
Stany stanyplanszy();

// True when every tile of the board stands at one state s in 1..K.
bool ulozona();

// The move rule. Sender is the clicked tile: every call counts a move
// first; a sender that is not a tile then throws and changes nothing else.
// When the move solves a running game or demonstration, gra.stan becomes 0,
// gra.zakonczona 1, and the play state that ended (gratrwa or demotrwa) is
// returned; otherwise bezczynna.
std::uint8_t ruch(QObject* Sender);
