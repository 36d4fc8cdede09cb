#pragma once
// One image that shows every finished picture file as the program reads it
// back: enlarged four times on a checkerboard (so that transparency and every
// pixel show), and at real size, 1x and 2x, on the window's face, on white and
// on a dark background.

#include <QDir>
#include <QImage>

namespace Art {

QImage contactSheet(const QDir& pictures);

} // namespace Art
