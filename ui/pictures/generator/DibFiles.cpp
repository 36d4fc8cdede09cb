#include "DibFiles.h"

#include "IconLayout.h"
#include "Quantize.h"

#include <QBuffer>

#include <algorithm>
#include <stdexcept>

namespace PictureFiles {

namespace {

using namespace IconLayout;

constexpr int kFileHeaderBytes = 14; // of a bitmap file, before its information header
constexpr int kPaletteColours = 256;
constexpr int kHalfOpaque = 128;
// 96 dots per inch, the resolution at which a twip layout has 15 twips a pixel.
constexpr quint32 kPixelsPerMetre = 3780;

void putU8(QByteArray& out, int v) {
    out.append(char(v & 0xff));
}

void putU16(QByteArray& out, quint32 v) {
    putU8(out, int(v));
    putU8(out, int(v >> 8));
}

void putU32(QByteArray& out, quint32 v) {
    putU16(out, v & 0xffff);
    putU16(out, v >> 16);
}

// Bytes of one stored row: bits rounded up to whole 32-bit words.
int rowBytes(int width, int bitsPerPixel) {
    return (width * bitsPerPixel + 31) / 32 * 4;
}

QImage straightArgb(const QImage& picture) {
    if (picture.isNull()) throw std::invalid_argument("empty picture");
    return picture.convertToFormat(QImage::Format_ARGB32);
}

void requireIconSize(const QImage& picture) {
    if (picture.width() != kIconSide || picture.height() != kIconSide)
        throw std::invalid_argument("icon pictures are 32x32");
}

// Icons and cursors store the colour image and the mask one above the other,
// so their header gives twice the real height.
void putInfoHeader(QByteArray& out, int width, int storedHeight, int bitsPerPixel,
                   quint32 imageBytes) {
    putU32(out, kInfoBytes);
    putU32(out, quint32(width));
    putU32(out, quint32(storedHeight));
    putU16(out, 1); // planes
    putU16(out, quint32(bitsPerPixel));
    putU32(out, 0); // no compression
    putU32(out, imageBytes);
    putU32(out, kPixelsPerMetre);
    putU32(out, kPixelsPerMetre);
    putU32(out, 0); // colours used: all the depth allows
    putU32(out, 0); // all colours important
}

void putPaletteEntry(QByteArray& out, QRgb c) {
    putU8(out, qBlue(c));
    putU8(out, qGreen(c));
    putU8(out, qRed(c));
    putU8(out, 0);
}

// The AND mask: a set bit leaves the screen pixel as it is.
void putMask(QByteArray& out, const std::vector<bool>& shown, int width, int height) {
    const int stride = rowBytes(width, 1);
    for (int y = height - 1; y >= 0; --y) {
        QByteArray row(stride, '\0');
        for (int x = 0; x < width; ++x)
            if (!shown[std::size_t(y * width + x)])
                row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        out.append(row);
    }
}

void putIconHeader(QByteArray& out, quint16 type, int count) {
    putU16(out, 0);
    putU16(out, type);
    putU16(out, quint32(count));
}

struct Entry {
    int colourCount;
    quint32 planesOrHotX;
    quint32 bitsOrHotY;
    quint32 bytes;
    quint32 offset;
    int side = kIconSide;
};

// The directory keeps a side in one byte; 256 is written as 0.
void putDirectoryEntry(QByteArray& out, const Entry& e) {
    putU8(out, e.side % kLargestSide);
    putU8(out, e.side % kLargestSide);
    putU8(out, e.colourCount);
    putU8(out, 0);
    putU16(out, e.planesOrHotX);
    putU16(out, e.bitsOrHotY);
    putU32(out, e.bytes);
    putU32(out, e.offset);
}

std::vector<bool> alphaMask(const QImage& argb, int threshold) {
    std::vector<bool> shown(std::size_t(argb.width() * argb.height()));
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x)
            shown[std::size_t(y * argb.width() + x)] = qAlpha(argb.pixel(x, y)) >= threshold;
    return shown;
}

QByteArray indexedImage(const QImage& argb) {
    const std::vector<bool> shown = hardMask(argb);
    std::vector<QRgb> colours;
    for (int y = 0; y < kIconSide; ++y)
        for (int x = 0; x < kIconSide; ++x)
            if (shown[std::size_t(y * kIconSide + x)]) colours.push_back(argb.pixel(x, y));
    // Entry 0 is black: hidden pixels must be black so that the AND-then-XOR
    // drawing of a masked icon leaves the screen untouched there.
    std::vector<QRgb> palette{qRgb(0, 0, 0)};
    for (QRgb c : reducedPalette(colours, kPaletteColours - 1))
        palette.push_back(c);

    QByteArray out;
    const int stride = rowBytes(kIconSide, 8);
    putInfoHeader(out, kIconSide, 2 * kIconSide, 8,
                  quint32(stride * kIconSide + rowBytes(kIconSide, 1) * kIconSide));
    for (int i = 0; i < kPaletteColours; ++i)
        putPaletteEntry(out, i < int(palette.size()) ? palette[std::size_t(i)] : qRgb(0, 0, 0));
    for (int y = kIconSide - 1; y >= 0; --y)
        for (int x = 0; x < kIconSide; ++x)
            putU8(out, shown[std::size_t(y * kIconSide + x)]
                           ? nearestIndex(palette, argb.pixel(x, y))
                           : 0);
    putMask(out, shown, kIconSide, kIconSide);
    return out;
}

QByteArray alphaImage(const QImage& argb) {
    QByteArray out;
    const int side = argb.width();
    putInfoHeader(out, side, 2 * side, 32, quint32(side * side * 4 + rowBytes(side, 1) * side));
    for (int y = side - 1; y >= 0; --y)
        for (int x = 0; x < side; ++x) {
            const QRgb c = argb.pixel(x, y);
            const bool clear = qAlpha(c) == 0;
            putU8(out, clear ? 0 : qBlue(c));
            putU8(out, clear ? 0 : qGreen(c));
            putU8(out, clear ? 0 : qRed(c));
            putU8(out, qAlpha(c));
        }
    putMask(out, alphaMask(argb, 1), side, side);
    return out;
}

QByteArray pngImage(const QImage& argb) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!argb.save(&buffer, "PNG")) throw std::runtime_error("PNG encoding failed");
    return bytes;
}

// Square images from small to large, each at 32 bits per pixel with its alpha,
// the largest size as PNG as Windows keeps it; hotSpots for a cursor file.
QByteArray sizedFile(const std::vector<QImage>& pictures, const std::vector<QPoint>* hotSpots) {
    std::vector<QByteArray> images;
    for (const QImage& picture : pictures) {
        const QImage argb = straightArgb(picture);
        if (argb.width() != argb.height() || argb.width() > kLargestSide)
            throw std::invalid_argument("icon images are square, at most 256 pixels");
        images.push_back(argb.width() == kLargestSide ? pngImage(argb) : alphaImage(argb));
    }
    QByteArray out;
    putIconHeader(out, hotSpots ? kTypeCursor : kTypeIcon, int(images.size()));
    quint32 offset = kHeaderBytes + quint32(images.size()) * kEntryBytes;
    for (std::size_t i = 0; i < images.size(); ++i) {
        const quint32 first = hotSpots ? quint32((*hotSpots)[i].x()) : 1;
        const quint32 second = hotSpots ? quint32((*hotSpots)[i].y()) : 32;
        putDirectoryEntry(
            out, {0, first, second, quint32(images[i].size()), offset, pictures[i].width()});
        offset += quint32(images[i].size());
    }
    for (const QByteArray& image : images)
        out.append(image);
    return out;
}

} // namespace

QByteArray sizedIcon(const std::vector<QImage>& pictures) {
    return sizedFile(pictures, nullptr);
}

QByteArray sizedCursor(const std::vector<QImage>& pictures, const std::vector<QPoint>& hotSpots) {
    if (hotSpots.size() != pictures.size())
        throw std::invalid_argument("one hot spot for every image");
    return sizedFile(pictures, &hotSpots);
}

std::vector<bool> hardMask(const QImage& picture) {
    const QImage argb = straightArgb(picture);
    const int w = argb.width();
    const int h = argb.height();
    std::vector<bool> shown = alphaMask(argb, kHalfOpaque);
    auto at = [&](int x, int y) { return qAlpha(argb.pixel(x, y)); };

    // The outermost visible line on each side may be only faintly covered (the
    // tip of an arrow, the rim of a disc). Its strongest pixel joins the mask so
    // that both images of an icon have the same extent.
    auto widen = [&](bool columns, bool fromStart) {
        const int lines = columns ? w : h;
        const int length = columns ? h : w;
        for (int i = 0; i < lines; ++i) {
            const int line = fromStart ? i : lines - 1 - i;
            int bestAlpha = 0, bestPos = -1;
            bool masked = false;
            for (int p = 0; p < length; ++p) {
                const int x = columns ? line : p;
                const int y = columns ? p : line;
                masked = masked || shown[std::size_t(y * w + x)];
                if (at(x, y) > bestAlpha) {
                    bestAlpha = at(x, y);
                    bestPos = p;
                }
            }
            if (masked) return;
            if (bestPos >= 0) {
                const int x = columns ? line : bestPos;
                const int y = columns ? bestPos : line;
                shown[std::size_t(y * w + x)] = true;
                return;
            }
        }
    };
    widen(true, true);
    widen(true, false);
    widen(false, true);
    widen(false, false);
    return shown;
}

QByteArray twoImageIcon(const QImage& picture) {
    const QImage argb = straightArgb(picture);
    requireIconSize(argb);
    const QByteArray indexed = indexedImage(argb);
    const QByteArray alpha = alphaImage(argb);

    QByteArray out;
    putIconHeader(out, kTypeIcon, 2);
    const quint32 first = kHeaderBytes + 2 * kEntryBytes;
    putDirectoryEntry(out, {0, 1, 8, quint32(indexed.size()), first});
    putDirectoryEntry(out, {0, 1, 32, quint32(alpha.size()), first + quint32(indexed.size())});
    out.append(indexed);
    out.append(alpha);
    return out;
}

QByteArray monochromeCursor(const QImage& picture, QPoint hotSpot) {
    const QImage argb = straightArgb(picture);
    requireIconSize(argb);
    const std::vector<bool> shown = alphaMask(argb, kHalfOpaque);

    QByteArray image;
    const int stride = rowBytes(kIconSide, 1);
    putInfoHeader(image, kIconSide, 2 * kIconSide, 1, quint32(2 * stride * kIconSide));
    putPaletteEntry(image, qRgb(0, 0, 0));
    putPaletteEntry(image, qRgb(255, 255, 255));
    for (int y = kIconSide - 1; y >= 0; --y) {
        QByteArray row(stride, '\0');
        for (int x = 0; x < kIconSide; ++x)
            if (shown[std::size_t(y * kIconSide + x)] && qGray(argb.pixel(x, y)) >= 128)
                row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        image.append(row);
    }
    putMask(image, shown, kIconSide, kIconSide);

    QByteArray out;
    putIconHeader(out, kTypeCursor, 1);
    putDirectoryEntry(out, {2, quint32(hotSpot.x()), quint32(hotSpot.y()), quint32(image.size()),
                            kHeaderBytes + kEntryBytes});
    out.append(image);
    return out;
}

QByteArray trueColourIcon(const QImage& picture) {
    const QImage argb = straightArgb(picture);
    requireIconSize(argb);
    const std::vector<bool> shown = alphaMask(argb, kHalfOpaque);

    QByteArray image;
    const int stride = rowBytes(kIconSide, 24);
    putInfoHeader(image, kIconSide, 2 * kIconSide, 24,
                  quint32(stride * kIconSide + rowBytes(kIconSide, 1) * kIconSide));
    for (int y = kIconSide - 1; y >= 0; --y) {
        QByteArray row;
        for (int x = 0; x < kIconSide; ++x) {
            const QRgb c = shown[std::size_t(y * kIconSide + x)] ? argb.pixel(x, y) : 0;
            putU8(row, qBlue(c));
            putU8(row, qGreen(c));
            putU8(row, qRed(c));
        }
        row.resize(stride, '\0');
        image.append(row);
    }
    putMask(image, shown, kIconSide, kIconSide);

    QByteArray out;
    putIconHeader(out, kTypeIcon, 1);
    putDirectoryEntry(out, {0, 1, 24, quint32(image.size()), kHeaderBytes + kEntryBytes});
    out.append(image);
    return out;
}

QByteArray trueColourBitmap(const QImage& picture) {
    const QImage rgb = straightArgb(picture);
    const int stride = rowBytes(rgb.width(), 24);
    const quint32 pixelBytes = quint32(stride * rgb.height());
    const quint32 offset = kFileHeaderBytes + kInfoBytes;

    QByteArray out;
    out.append("BM");
    putU32(out, offset + pixelBytes);
    putU32(out, 0); // two reserved words
    putU32(out, offset);
    putInfoHeader(out, rgb.width(), rgb.height(), 24, pixelBytes);
    for (int y = rgb.height() - 1; y >= 0; --y) {
        QByteArray row;
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb c = rgb.pixel(x, y);
            putU8(row, qBlue(c));
            putU8(row, qGreen(c));
            putU8(row, qRed(c));
        }
        row.resize(stride, '\0');
        out.append(row);
    }
    return out;
}

} // namespace PictureFiles
