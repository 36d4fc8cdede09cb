#pragma once
class QWidget;

// The windows are laid out for "MS Sans Serif" and "Arial" at 8.25 points. Where
// those faces are missing, similar ones stand in; call once before any window.
void installFontSubstitutes();

// Layout files store whole point sizes only: gives every font of the window and
// its children that the layout sets the 8.25 points the layout means.
void applyClassicFontSizes(QWidget* window);
