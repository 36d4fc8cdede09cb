#pragma once
#include <QPixmap>
#include <QString>

#include "PictureBytes.h"

// Reads a picture file for the icon box (.ico, .bmp, .gif and whatever else Qt
// reads), pixel for pixel: never scaled by its name. A null pixmap when the path
// names no plain file, when the file is no picture Qt can read in whole, or one
// whose decoded size would pass the shared limit (PictureBytes): a hostile file
// cannot make the program claim unbounded memory. An icon file of several
// images is drawn at `scale` (the box's device pixel ratio) from the image the
// shared rule chooses, marked as dense as it is against the size the file
// stands for, so that it shows at that size.
QPixmap readPictureFile(const QString& path, qreal scale = 1.0);

// Qt counts its allocation limit in megabytes.
constexpr int kMaxDecodedMegabytes = int(PictureBytes::kMaxDecodedBytes >> 20);
