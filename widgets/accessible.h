#pragma once

class QWidget;

// What assistive technology is told about the program's windows: each tool
// window is a dialog named by its caption, an image box is a picture, and a
// widget marked decorative (a title's shadow, a hidden glyph holder) is left
// out of its parent's children. Mark widgets before their parent is first asked about.
void installAccessibility();
void hideFromAccessibility(QWidget* w);

// Has a screen reader read the focused widget `w` again, after a change of
// its name. Orca 43 cannot read the name-change event of Qt 6.4 (it gets the
// object, not the name), and reads a focused control only when the focus
// comes to one it has not read yet: `w` is given a new identity for
// assistive technology and focused under it. Nothing when `w` has no focus.
void announceFocusAgain(QWidget* w);
