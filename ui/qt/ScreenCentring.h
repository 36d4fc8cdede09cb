#pragma once
// Centres a window, frame and title bar included, on its screen's available
// area. The frame is only known once a window manager has put it around the
// shown window, so the window is placed by its client area first and placed
// again, once, when its frame appears.

class QWidget;

void centreOnScreen(QWidget& window);
