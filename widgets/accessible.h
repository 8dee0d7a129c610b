#pragma once

class QWidget;

// What assistive technology is told about the program's windows: each tool
// window is a dialog named by its caption, and a widget marked decorative
// (a title's shadow) is left out of its window's children.
void installAccessibility();
void hideFromAccessibility(QWidget* w);
