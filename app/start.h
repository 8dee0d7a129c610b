#pragma once

// Creates the program's six windows in their fixed order, with the main
// menu; the game window and the helper strip are shown.
void utworzokna();
// Destroys them (the game window owns the rest).
void zniszczokna();
