#pragma once
#include <QIcon>
#include <QString>

// The program on the desktop: the one name under which its menu entry,
// icon and software-centre listing are installed, and by which task bars
// group its windows.
QString idaplikacji();

// The program's window icon at the sizes of task bars and window switchers,
// 16 to 64 pixels.
QIcon ikonaprogramu();

// Qt's own texts (the edit box's context menu, the standard buttons) in
// Polish, like the rest of the game, whatever the system's language.
// False when Debian's Qt translations are not installed.
bool wczytajtlumaczenia();
