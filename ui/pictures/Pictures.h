#pragma once
// The pictures the program carries, compiled in as resources.
//
// Every function here makes pixmaps, icons or cursors, so a QGuiApplication
// (or QApplication) must exist before any of them is called.

#include <QCursor>
#include <QIcon>
#include <QPixmap>

namespace Pictures {

// The built-in icons a user can choose, in the order of the options list:
// 0 Gear, 1 Arrow, 2 Scissors, 3 Folder, 4 Files, 5 CD, 6 Monitor. The stored
// icon setting is this index.
int builtinIconCount();

// Built-in icon `index`, 32x32 device-independent pixels with soft edges. At a
// device pixel ratio of 1.25 or more it is the 64x64 rendering of the same
// drawing, marked with a ratio of 2; from 2.25 on the 96x96 one, marked with
// 3. A null pixmap for any other index.
QPixmap builtinIcon(int index, qreal devicePixelRatio = 1.0);

// The progress window's icon: a white page with a blue turned-over corner.
QIcon progressWindowIcon();

// The options dialog's icon (also the program file's): a lavender-grey cog.
QIcon optionsWindowIcon();

// The pixel ratio of the densest screen: the pictures below default to it.
qreal screenPixelRatio();

// The pictures below are their 1x files; at a device pixel ratio of 1.25 or
// more they are the 2x renderings instead, marked with a ratio of 2, so that they
// keep their size in device-independent pixels.

// The hand over the progress window's icon box; its hot spot, the top of the
// finger tip, is the one stored in the cursor file: (12, 9).
QCursor iconBoxCursor(qreal devicePixelRatio = screenPixelRatio());

// The hand over the options dialog's logo, with its hot spot at the finger
// tip: (5, 0).
QCursor logoCursor(qreal devicePixelRatio = screenPixelRatio());

// The options dialog's logo, 222x50, to be drawn from its top-left corner.
QPixmap logoBanner(qreal devicePixelRatio = screenPixelRatio());

// The 16x16 open folder of the options dialog's browse button.
QPixmap browsePicture(qreal devicePixelRatio = screenPixelRatio());

} // namespace Pictures
