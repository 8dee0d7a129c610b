#pragma once

// Shows a keyboard player where the focus is: a black and white ring round
// the focused control (round the chosen item of the menu bar after Alt),
// which shows on every background. The ring appears at the first key press
// and goes again at the next mouse press, so a player who never touches the
// keyboard sees every window as it always was. Controls that draw their own
// ring (the tiles) are left to it. Safe to call more than once.
void installFocusMarks();
