#pragma once

class QWidget;

// What assistive technology is told about the program's windows: each tool
// window is a dialog named by its caption, an image box is a picture, and a
// widget marked decorative (a title's shadow, a hidden glyph holder) is left
// out of its parent's children. Mark widgets before their parent is first asked about.
void installAccessibility();
void hideFromAccessibility(QWidget* w);
