#pragma once
// Every picture the program carries, as drawing code.

#include "Grid.h"
#include "Raster.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <vector>

namespace Art {

struct IconArt {
    QString name;    // file name without extension
    Drawing draw;    // in 32x32 icon units
    QRect opaqueBox; // where the 32x32 image has visible pixels, exactly
    // Whether the drawing is scaled to fill opaqueBox, or already drawn to it
    // on the pixel grid (so that its straight edges stay crisp).
    bool fitToBox;
    // Drawn on the pixel grid of each size it is rendered at.
    CanvasDrawing hinted = {};
};

// Gear, Arrow, Scissors, Folder, Files, CD, Monitor, in the order the options
// list offers them; the stored icon setting is an index into this order.
std::vector<IconArt> builtinIcons();

IconArt documentIcon(); // the progress window's icon
// The sizes and the name under which the desktop's icon theme carries it.
constexpr int kThemeIconSides[] = {16, 22, 24, 32, 48, 64, 128, 256};
constexpr const char* kThemeIconName = "example.quillmoor.Tarrowin";
void drawDocument(Canvas& canvas, const Grid& grid);
IconArt optionsIcon();  // the options dialog's icon

// The pointing hand, 32x32, black outline, white inside, transparent around,
// with the top of the finger tip at fingerTip.
QImage pointingHand(QPoint fingerTip);
// The logo pointer's placement: the finger tip (two pixels wide) in the top
// row, the thumb touching the left edge.
constexpr QPoint kHandFingerTipAtTop{5, 0};

QImage logoBanner();      // 222x50, opaque
QImage browsePicture();   // 16x16 with transparency

} // namespace Art
