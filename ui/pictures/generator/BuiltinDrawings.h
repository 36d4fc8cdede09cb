#pragma once
// The drawings of the icons, each on the 32-unit design square. Whole units
// are whole pixels at 32 and at 64 pixels, which is where the icons are used.

#include "Canvas.h"

namespace Art {

void drawGear(Canvas& c);
void drawArrow(Canvas& c);
void drawScissors(Canvas& c);
void drawFolder(Canvas& c);
void drawFiles(Canvas& c);
void drawDisc(Canvas& c);
void drawMonitor(Canvas& c);
void drawOptionsCog(Canvas& c);

} // namespace Art
