#pragma once
#include <QFont>

// Every face the windows draw in is decided here: the faces the layouts
// name, the installed ones that stand in for them, and how a face is sized
// to its box.

// A face at a size in pixels, so that a layout measured in pixels keeps
// its proportions whatever the screen's resolution.
QFont pixelFont(const QString& family, int pixels, bool bold = false);
// Every window's own font: Tahoma, 11 px.
QFont windowFont();

// Arial Black with the given character height. A stand-in face is sized so
// that its capitals are as high and as wide as Arial Black's.
QFont arialBlack(int pixels);

// The space to leave above a text in `face`, a face from arialBlack(pixels),
// so that its capitals start as far below the top of their box as Arial
// Black's do (its ascent less its capitals: 0.385 of the character height).
int arialBlackDrop(const QFont& face, int pixels);

// Registers the look-alike fonts shipped by Debian and maps the design's
// font names onto installed families. Safe to call more than once.
void installFonts();

// `face` narrowed (a smaller stretch) until `text` is at most `width` px
// wide; as it is when it fits already.
QFont narrowedTo(QFont face, const QString& text, int width);

// MS Sans Serif is a bitmap face here, in its 11-pixel size only: drawn
// larger, or on a scaled screen, its letters come out tiny and spread apart.
// There the scalable face closest to it, Tahoma, stands in.
QFont msSansSerif(int pixels);

// `face` at its own size, or as much smaller as keeps `text` inked whole
// within `width` px (not below 9 px).
QFont shrunkToFit(QFont face, const QString& text, int width);
