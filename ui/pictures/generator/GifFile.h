#pragma once
// A GIF89a writer: one frame, a global colour table, one transparent colour,
// LZW-compressed pixels. Qt can read GIF but not write it.

#include <QByteArray>
#include <QImage>
#include <cstdint>
#include <vector>

namespace PictureFiles {

// The LZW code stream of a GIF image, already cut into data sub-blocks and
// closed by the empty block. Every index must be below 2^minimumCodeSize.
QByteArray gifLzwBlocks(const std::vector<std::uint8_t>& indices, int minimumCodeSize);

// The whole file. Pixels with alpha below half take colour index
// transparentIndex; the others share the remaining entries of a table of
// tableSize colours (a power of two from 2 to 256).
QByteArray gifFile(const QImage& picture, int tableSize, int transparentIndex);

} // namespace PictureFiles
