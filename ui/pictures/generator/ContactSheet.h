#pragma once
// One image that shows every finished picture file as a program reads it back,
// at its own size and four times enlarged, on a checkerboard so that
// transparency shows.

#include <QDir>
#include <QImage>

namespace Art {

QImage contactSheet(const QDir& pictures);

} // namespace Art
