#pragma once

// Whether the windows can be shown: false when neither DISPLAY nor
// WAYLAND_DISPLAY is set and no platform that needs no display (offscreen,
// vnc, ...) is named by -platform or QT_QPA_PLATFORM. Qt would abort there,
// advising a reinstall.
bool jestekran(int argc, char** argv);

// Prefers X11 where an X server is reachable (Wayland sessions start
// Xwayland and set DISPLAY), unless the player named a platform: window
// placement, stay on top and the restore after a minimise need it. Runs
// before the application object exists. False when DISPLAY names an X
// server that does not let us in and there is no Wayland to fall back on.
bool wybierzplatforme(int argc, char** argv);

// Creates the program's six windows in their fixed order, with the main
// menu; the game window and the helper strip are shown. The colour-blind
// marks are switched on first when the arguments or the environment ask.
void utworzokna();
// Destroys them (the game window owns the rest).
void zniszczokna();
