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
    QString name;       // file name without extension
    CanvasDrawing draw; // drawn on the pixel grid of each size it is rendered at
    QRect opaqueBox;    // where the 32x32 image has visible pixels, exactly
};

// Gear, Arrow, Scissors, Folder, Files, CD, Monitor, in the order the options
// list offers them; the stored icon setting is an index into this order.
std::vector<IconArt> builtinIcons();

IconArt documentIcon(); // the progress window's icon
IconArt optionsIcon();  // the options dialog's icon

// The progress window's page, hinted for any size.
void drawDocument(Canvas& canvas, const Grid& grid);
// The desktop's icon theme carries the options dialog's gear, the program's
// icon, at these sizes under this name.
constexpr int kThemeIconSides[] = {16, 22, 24, 32, 48, 64, 128, 256};
constexpr const char* kThemeIconName = "example.quillmoor.Tarrowin";

// The pointing hand, 32x32, black outline, white inside, transparent around,
// with the top of the finger tip at fingerTip.
QImage pointingHand(QPoint fingerTip);
// The logo pointer's placement: the finger tip (two pixels wide) in the top
// row, the thumb touching the left edge.
constexpr QPoint kHandFingerTipAtTop{5, 0};

// `scale` times 222x50, opaque.
QImage logoBanner(int scale = 1);
// `scale` times 16x16, with transparency.
QImage browsePicture(int scale = 1);

} // namespace Art
