#pragma once
// Palette reduction for the two indexed formats the program ships (the 256-colour
// icon image and the 64-colour browse picture). Pictures here are tiny, so a
// plain median cut over the actual pixels gives near-exact palettes.

#include <QRgb>
#include <vector>

namespace PictureFiles {

// At most maxColours colours that stand for the given ones: the colours themselves
// when there are few enough, otherwise the means of a median-cut partition.
// Alpha is ignored; the result is sorted by its ARGB value.
std::vector<QRgb> reducedPalette(const std::vector<QRgb>& colours, int maxColours);

// Index of the palette entry closest to colour, never one of the skipped ones.
int nearestIndex(const std::vector<QRgb>& palette, QRgb colour, int skipIndex = -1);

} // namespace PictureFiles
