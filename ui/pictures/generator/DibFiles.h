#pragma once
// Writers for the Windows bitmap family: two-image icons, monochrome cursors,
// a true-colour icon and a 24-bit bitmap. Qt reads all of these but writes none,
// and the program needs exact layouts (image count, bit depths, masks), so they
// are written byte by byte here.
//
// Every function takes a picture as a QImage whose alpha says where it is
// transparent and returns the whole file.

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <vector>

namespace PictureFiles {

constexpr int kIconSide = 32;

// Where a 256-colour image with a 1-bit mask shows the picture: pixels at least
// half opaque, widened where needed so that the hard mask reaches as far in every
// direction as any visible pixel of the soft picture. Row-major, true = shown.
std::vector<bool> hardMask(const QImage& picture);

// 32x32 icon with two images of the same picture: 8 bits per pixel with a
// 256-entry colour table and the hard mask, then 32 bits per pixel with the
// picture's own alpha. 6518 bytes.
QByteArray twoImageIcon(const QImage& picture);

// 32x32 cursor at 1 bit per pixel. Opaque pixels are black or white (the nearer
// of the two); transparent ones leave the screen alone. 326 bytes.
QByteArray monochromeCursor(const QImage& picture, QPoint hotSpot);

// 32x32 icon, one image at 24 bits per pixel with a 1-bit mask (alpha >= 128
// is shown). 3262 bytes.
QByteArray trueColourIcon(const QImage& picture);

// An icon file with one image for each picture (square, 256 pixels at most),
// at 32 bits per pixel with the picture's alpha; a 256-pixel image is kept as
// PNG, as Windows does. For the sizes Windows asks for at 100 to 300 %.
QByteArray sizedIcon(const std::vector<QImage>& pictures);

// The same as a cursor file, each image with its own hot spot.
QByteArray sizedCursor(const std::vector<QImage>& pictures, const std::vector<QPoint>& hotSpots);

// Bitmap file at 24 bits per pixel, rows bottom-up. Alpha is ignored.
QByteArray trueColourBitmap(const QImage& picture);

} // namespace PictureFiles
