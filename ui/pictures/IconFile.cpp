#include "IconFile.h"

#include "IconLayout.h"
#include "PictureBytes.h"

#include <QBuffer>
#include <QImageReader>
#include <QtEndian>

namespace Pictures::IconFile {

namespace {

using namespace IconLayout;

constexpr int kFirstAlphaDepth = 32;

quint32 u32At(const QByteArray& bytes, qsizetype at) {
    if (at < 0 || at + 4 > bytes.size()) return 0;
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

quint16 u16At(const QByteArray& bytes, qsizetype at) {
    if (at < 0 || at + 2 > bytes.size()) return 0;
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

std::optional<PictureBytes::IconDirectory> directoryOf(const QByteArray& file) {
    return PictureBytes::readIconDirectory(
        std::as_bytes(std::span(file.constData(), std::size_t(file.size()))));
}

std::optional<PictureBytes::IconEntry> entryOf(const QByteArray& file, int index) {
    const auto directory = directoryOf(file);
    if (!directory || index < 0 || std::size_t(index) >= directory->images.size())
        return std::nullopt;
    return directory->images[std::size_t(index)];
}

qsizetype imageAt(const QByteArray& file, int index) {
    const auto entry = entryOf(file, index);
    return entry ? qsizetype(entry->offset) : -1;
}

// The AND mask follows the header, the colour table and the colour rows; a
// set bit means the screen shows through.
void applyMask(const QByteArray& file, int index, QImage& image) {
    const qsizetype start = imageAt(file, index);
    const quint32 headerBytes = u32At(file, start);
    const int width = int(u32At(file, start + kInfoWidth));
    const int bits = bitsPerPixel(file, index);
    const quint32 used = u32At(file, start + kInfoColoursUsed);
    const qsizetype palette = bits <= 8 ? 4 * (used ? used : 1u << bits) : 0;
    const int colourStride = (width * bits + 31) / 32 * 4;
    const int maskStride = (width + 31) / 32 * 4;
    const int height = image.height();
    const qsizetype mask = start + headerBytes + palette + qsizetype(colourStride) * height;
    if (width != image.width() || mask + qsizetype(maskStride) * height > file.size()) return;
    for (int y = 0; y < height; ++y) {
        const char* row = file.constData() + mask + qsizetype(maskStride) * (height - 1 - y);
        for (int x = 0; x < width; ++x)
            if (row[x / 8] & (0x80 >> (x % 8))) image.setPixel(x, y, 0);
    }
}

} // namespace

int imageCount(const QByteArray& file) {
    const auto directory = directoryOf(file);
    return directory ? int(directory->images.size()) : 0;
}

int bitsPerPixel(const QByteArray& file, int index) {
    const qsizetype at = imageAt(file, index);
    return at < 0 ? 0 : u16At(file, at + kInfoBitsPerPixel);
}

int deepestImage(const QByteArray& file) {
    int best = 0;
    for (int i = 1; i < imageCount(file); ++i)
        if (bitsPerPixel(file, i) > bitsPerPixel(file, best)) best = i;
    return best;
}

QPoint hotSpot(const QByteArray& file, int index) {
    const auto entry = entryOf(file, index);
    return entry ? QPoint(entry->planes, entry->bitsPerPixel) : QPoint();
}

QImage read(const QByteArray& file, int index) {
    if (index < 0 || index >= imageCount(file)) return {};
    QBuffer buffer;
    buffer.setData(file);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, directoryOf(file)->cursor ? "cur" : "ico");
    if (index > 0 && !reader.jumpToImage(index)) return {};
    QImage image = reader.read().convertToFormat(QImage::Format_ARGB32);
    if (!image.isNull() && bitsPerPixel(file, index) < kFirstAlphaDepth)
        applyMask(file, index, image);
    return image;
}

} // namespace Pictures::IconFile
