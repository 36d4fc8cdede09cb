#include "IconBytes.h"

#include <QFile>
#include <stdexcept>

namespace IconBytes {

QByteArray pictureFile(const QString& name) {
    QFile file(QStringLiteral(TARROWIN_PICTURE_DIR "/") + name);
    if (!file.open(QIODevice::ReadOnly)) throw std::runtime_error("missing " + name.toStdString());
    return file.readAll();
}

int u8(const QByteArray& b, int at) {
    return static_cast<unsigned char>(b.at(at));
}
int u16(const QByteArray& b, int at) {
    return u8(b, at) | u8(b, at + 1) << 8;
}
qint64 u32(const QByteArray& b, int at) {
    return qint64(u16(b, at)) | qint64(u16(b, at + 2)) << 16;
}

Entry entry(const QByteArray& file, int index) {
    const int at = 6 + 16 * index;
    return {u8(file, at),      u8(file, at + 1),  u8(file, at + 2),  u8(file, at + 3),
            u16(file, at + 4), u16(file, at + 6), u32(file, at + 8), u32(file, at + 12)};
}

Info info(const QByteArray& file, int at) {
    return {u32(file, at),      u32(file, at + 4),  u32(file, at + 8), u16(file, at + 12),
            u16(file, at + 14), u32(file, at + 16), u32(file, at + 32)};
}

Decoded decode(const QByteArray& file, int index) {
    const int start = int(entry(file, index).offset);
    const Info h = info(file, start);
    const int w = int(h.width);
    const int rows = int(h.height / 2);
    const int bits = h.bitsPerPixel;
    Decoded d{
        QImage(w, rows, QImage::Format_ARGB32), std::vector<bool>(std::size_t(w * rows)), {}, {}};
    int at = start + int(h.headerBytes);
    if (bits <= 8) {
        const int entries = h.coloursUsed ? int(h.coloursUsed) : 1 << bits;
        for (int i = 0; i < entries; ++i, at += 4)
            d.palette.push_back(qRgb(u8(file, at + 2), u8(file, at + 1), u8(file, at)));
        d.indices.resize(std::size_t(w * rows));
    }
    const int stride = (w * bits + 31) / 32 * 4;
    for (int y = 0; y < rows; ++y) {
        const int row = at + (rows - 1 - y) * stride;
        for (int x = 0; x < w; ++x) {
            QRgb c;
            if (bits <= 8) {
                const int bitPos = x * bits;
                const int index =
                    (u8(file, row + bitPos / 8) >> (8 - bits - bitPos % 8)) & ((1 << bits) - 1);
                d.indices[std::size_t(y * w + x)] = index;
                c = d.palette[std::size_t(index)];
            } else {
                const int p = row + x * bits / 8;
                c = qRgba(u8(file, p + 2), u8(file, p + 1), u8(file, p),
                          bits == 32 ? u8(file, p + 3) : 255);
            }
            d.colours.setPixel(x, y, c);
        }
    }
    const int maskAt = at + stride * rows;
    const int maskStride = (w + 31) / 32 * 4;
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < w; ++x) {
            const bool set =
                u8(file, maskAt + (rows - 1 - y) * maskStride + x / 8) & (0x80 >> (x % 8));
            d.shown[std::size_t(y * w + x)] = !set;
        }
    return d;
}

QRect boundsOf(const std::vector<bool>& set, int width) {
    QRect box;
    for (int i = 0; i < int(set.size()); ++i)
        if (set[std::size_t(i)]) box |= QRect(i % width, i / width, 1, 1);
    return box;
}

QRect alphaBounds(const QImage& image) {
    std::vector<bool> visible;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            visible.push_back(qAlpha(image.pixel(x, y)) > 0);
    return boundsOf(visible, image.width());
}

} // namespace IconBytes
