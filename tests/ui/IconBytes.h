#pragma once
// The tests' own reading of the picture files, written from the file layouts
// and independent of the writers under test.

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QString>
#include <vector>

namespace IconBytes {

QByteArray pictureFile(const QString& name); // from the picture folder

int u8(const QByteArray& b, int at);
int u16(const QByteArray& b, int at);
qint64 u32(const QByteArray& b, int at);

struct Entry {
    int width, height, colourCount, reserved, planesOrHotX, bitsOrHotY;
    qint64 bytes, offset;
};
Entry entry(const QByteArray& file, int index);

struct Info {
    qint64 headerBytes, width, height;
    int planes, bitsPerPixel;
    qint64 compression, coloursUsed;
};
Info info(const QByteArray& file, int at);

// One image of an icon or cursor file as the screen would show it:
// colours, and whether each pixel is shown (AND mask bit clear).
struct Decoded {
    QImage colours;           // ARGB32; alpha only from a 32-bit image
    std::vector<bool> shown;  // row-major
    std::vector<int> indices; // palette indices, for indexed images
    std::vector<QRgb> palette;
    bool isShown(int x, int y) const { return shown[std::size_t(y * colours.width() + x)]; }
};
Decoded decode(const QByteArray& file, int index);

QRect boundsOf(const std::vector<bool>& set, int width);
QRect alphaBounds(const QImage& image);

} // namespace IconBytes
