#pragma once
#include <QPixmap>
#include <QString>

#include "PictureBytes.h"

// Reads a picture file for the icon box (.ico, .bmp, .gif and whatever else Qt
// reads), pixel for pixel: never scaled by its name. A null pixmap when the path
// names no plain file, when the file is no picture Qt can read in whole, or one
// whose decoded size would pass kMaxDecodedMegabytes: a hostile file cannot make the
// program claim unbounded memory. From a file of several images (an icon with
// several sizes) it takes the 32 x 32 one with the most colours, else the first.
QPixmap readPictureFile(const QString& path);

// Qt counts its allocation limit in megabytes.
constexpr int kMaxDecodedMegabytes = int(PictureBytes::kMaxDecodedBytes >> 20);
