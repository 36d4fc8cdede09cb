#pragma once
// The windows' fonts at a given dpi. The layout files keep whole points; the
// windows were laid out for the classic 8.25-point dialog font, which is what
// an 8 there means.

#include "Handles.h"
#include "Layout.h"

#include <windows.h>

// A new font for the entry at dpi dots per inch.
OwnedFont createLayoutFont(const Layout::FontEntry& entry, UINT dpi);

// The font's height in pixels as CreateFont takes it (negative: the character
// height without internal leading), at dpi.
int layoutFontHeight(const Layout::FontEntry& entry, UINT dpi);
