#pragma once
// Reading the program's own icon and cursor files.
//
// Qt's reader picks images out of an icon file but drops two things the
// program needs: the hot spot of a cursor, and the mask of a true-colour image
// without alpha (it shows such an image fully opaque). Both come from the
// file's bytes here.

#include <QByteArray>
#include <QImage>
#include <QPoint>

namespace Pictures::IconFile {

int imageCount(const QByteArray& file);

// Bits per pixel of image `index` as its own header gives them.
int bitsPerPixel(const QByteArray& file, int index);

// The image with the most bits per pixel: the one with soft edges.
int deepestImage(const QByteArray& file);

// A cursor's hot spot, from its directory entry.
QPoint hotSpot(const QByteArray& file, int index);

// Image `index` as ARGB32, transparent where the file says so; null if the
// file cannot be read.
QImage read(const QByteArray& file, int index);

} // namespace Pictures::IconFile
