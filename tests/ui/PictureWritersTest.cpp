// The file writers against Qt's own readers, on pictures made up for the test,
// and the rules they follow for masks and palettes.

#include "DibFiles.h"
#include "GifFile.h"
#include "IconBytes.h"
#include "Quantize.h"

#include <QBuffer>
#include <QImageReader>
#include <gtest/gtest.h>
#include <optional>
#include <random>

using namespace PictureFiles;

namespace {

QImage readBack(const QByteArray& bytes, const char* format, int index = 0) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    if (index > 0) reader.jumpToImage(index);
    return reader.read().convertToFormat(QImage::Format_ARGB32);
}

// Random indices over a palette of `colours` distinct colours, as a picture.
QImage noise(int width, int height, int colours, unsigned seed) {
    std::mt19937 random(seed);
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int i = int(random() % unsigned(colours));
            image.setPixel(x, y, qRgb(i * 37 % 256, i * 91 % 256, i * 13 % 256));
        }
    return image;
}

// A decoder that, unlike Qt's, insists on a well-formed code stream to its
// end: the end code at the width a decoder expects, nothing after it. Returns
// the colours of a single-frame GIF as written by gifFile.
std::optional<QImage> strictGifPixels(const QByteArray& gif) {
    using IconBytes::u16;
    using IconBytes::u8;
    const int width = u16(gif, 6), height = u16(gif, 8);
    const int tableSize = 2 << (u8(gif, 10) & 7);
    const int extension = 13 + 3 * tableSize;
    const int descriptor = extension + 8;
    int at = descriptor + 10;
    const int minimumCodeSize = u8(gif, at++);
    QByteArray data;
    while (int length = u8(gif, at++)) {
        data.append(gif.mid(at, length));
        at += length;
    }
    if (at != gif.size() - 1 || u8(gif, at) != 0x3b) return std::nullopt;

    const int clearCode = 1 << minimumCodeSize;
    const int endCode = clearCode + 1;
    std::vector<std::vector<std::uint8_t>> table;
    int codeBits = 0;
    auto reset = [&] {
        table.assign(std::size_t(endCode + 1), {});
        for (int i = 0; i < clearCode; ++i)
            table[std::size_t(i)] = {std::uint8_t(i)};
        codeBits = minimumCodeSize + 1;
    };
    reset();
    long bit = 0;
    auto read = [&]() -> int {
        if (bit + codeBits > long(data.size()) * 8) return -1;
        int code = 0;
        for (int i = 0; i < codeBits; ++i, ++bit)
            code |= ((u8(data, int(bit / 8)) >> (bit % 8)) & 1) << i;
        return code;
    };
    std::vector<std::uint8_t> indices;
    int previous = -1;
    for (;;) {
        const int code = read();
        if (code < 0) return std::nullopt; // ran out before the end code
        if (code == clearCode) {
            reset();
            previous = -1;
            continue;
        }
        if (code == endCode) break;
        std::vector<std::uint8_t> string;
        if (code < int(table.size()) && (code < clearCode || code > endCode))
            string = table[std::size_t(code)];
        else if (code == int(table.size()) && previous >= 0)
            string = table[std::size_t(previous)], string.push_back(string.front());
        else
            return std::nullopt;
        indices.insert(indices.end(), string.begin(), string.end());
        if (previous >= 0 && table.size() < 4096) {
            std::vector<std::uint8_t> added = table[std::size_t(previous)];
            added.push_back(string.front());
            table.push_back(added);
            if (int(table.size()) == 1 << codeBits && codeBits < 12) ++codeBits;
        }
        previous = code;
    }
    if ((bit + 7) / 8 != data.size() || indices.size() != std::size_t(width * height))
        return std::nullopt;

    const int transparent = (u8(gif, extension + 3) & 1) ? u8(gif, extension + 6) : -1;
    QImage image(width, height, QImage::Format_ARGB32);
    for (int i = 0; i < width * height; ++i) {
        const int index = indices[std::size_t(i)];
        const int c = 13 + 3 * index;
        image.setPixel(i % width, i / width,
                       index == transparent ? 0u
                                            : qRgb(u8(gif, c), u8(gif, c + 1), u8(gif, c + 2)));
    }
    return image;
}

void expectSamePixels(const QImage& expected, const QImage& actual) {
    ASSERT_EQ(expected.size(), actual.size());
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x)
            ASSERT_EQ(expected.pixel(x, y), actual.pixel(x, y)) << "pixel " << x << "," << y;
}

// The LZW coder must widen its codes exactly when a decoder does, including
// for the end code and after the table fills up and starts over; many sizes
// and colour counts hit those moments at different places.
TEST(GifWriter, EveryPictureReadsBackExactly) {
    struct Case {
        int width, height, colours;
    };
    std::vector<Case> cases = {{1, 1, 2}, {16, 16, 63}, {320, 240, 255}, {64, 64, 1}};
    // Noise needs about one code a pixel, so widths one apart end on every
    // possible table size, among them those where the end code must widen.
    for (int n = 1; n <= 300; ++n)
        cases.push_back({n, 1, 60});
    for (int n = 240; n <= 300; ++n)
        cases.push_back({n, 1, 250});
    for (int n = 1; n <= 40; ++n)
        cases.push_back({n, 3, 2 + n % 7});
    unsigned seed = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.width << "x" << c.height << ", " << c.colours << " colours");
        const QImage picture = noise(c.width, c.height, c.colours, seed++);
        const int table = c.colours < 64 ? 64 : 256;
        const QByteArray file = gifFile(picture, table, table - 1);
        expectSamePixels(picture, readBack(file, "GIF"));
        const std::optional<QImage> strict = strictGifPixels(file);
        ASSERT_TRUE(strict.has_value()) << "malformed code stream";
        expectSamePixels(picture, *strict);
    }
}

TEST(GifWriter, TransparentPixelsTakeTheTransparentIndexOnly) {
    QImage picture = noise(16, 16, 63, 7);
    for (int x = 0; x < 16; ++x)
        picture.setPixel(x, 5, qRgba(0, 0, 0, 0));
    picture.setPixel(3, 3, qRgba(200, 10, 10, 100)); // less than half: transparent
    const QByteArray file = gifFile(picture, 64, 36);
    const QImage back = readBack(file, "GIF");
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const bool clear = y == 5 || (x == 3 && y == 3);
            EXPECT_EQ(qAlpha(back.pixel(x, y)) == 0, clear) << "pixel " << x << "," << y;
        }
}

TEST(GifWriter, RejectsTablesThatAreNotAPowerOfTwo) {
    const QImage picture = noise(4, 4, 3, 1);
    EXPECT_THROW(gifFile(picture, 48, 36), std::invalid_argument);
    EXPECT_THROW(gifFile(picture, 64, 64), std::invalid_argument);
}

QImage softDisc() {
    QImage image(32, 32, QImage::Format_ARGB32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const double d = std::hypot(x - 15.5, y - 15.5);
            const int a = std::clamp(int((12.0 - d) * 255), 0, 255);
            image.setPixel(x, y, qRgba(x * 8, y * 8, 128, a));
        }
    return image;
}

TEST(IconWriter, BothImagesReadBackWithTheirTransparency) {
    const QImage picture = softDisc();
    const QByteArray file = twoImageIcon(picture);
    ASSERT_EQ(file.size(), 6518);
    const QImage alpha = readBack(file, "ICO", 1);
    const QImage indexed = readBack(file, "ICO", 0);
    const std::vector<bool> hard = hardMask(picture);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const QRgb p = picture.pixel(x, y);
            EXPECT_EQ(qAlpha(alpha.pixel(x, y)), qAlpha(p));
            if (qAlpha(p) == 255) {
                EXPECT_EQ(alpha.pixel(x, y), p);
            }
            EXPECT_EQ(qAlpha(indexed.pixel(x, y)), hard[std::size_t(y * 32 + x)] ? 255 : 0);
        }
}

TEST(IconWriter, RefusesPicturesOfAnotherSize) {
    EXPECT_THROW(twoImageIcon(QImage(16, 16, QImage::Format_ARGB32)), std::invalid_argument);
    EXPECT_THROW(trueColourIcon(QImage(32, 31, QImage::Format_ARGB32)), std::invalid_argument);
}

TEST(HardMask, ShowsHalfOpaquePixelsAndReachesAsFarAsTheSoftPicture) {
    QImage picture(32, 32, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    for (int y = 10; y < 20; ++y)
        for (int x = 10; x < 20; ++x)
            picture.setPixel(x, y, qRgba(0, 0, 0, 255));
    picture.setPixel(20, 12, qRgba(0, 0, 0, 128)); // half: shown as it is
    picture.setPixel(9, 12, qRgba(0, 0, 0, 127));  // under half, but inside the extent
    picture.setPixel(15, 9, qRgba(0, 0, 0, 127));
    // A faint tip two columns out: its strongest pixel carries the extent.
    picture.setPixel(22, 14, qRgba(0, 0, 0, 30));
    picture.setPixel(22, 15, qRgba(0, 0, 0, 60));
    picture.setPixel(21, 15, qRgba(0, 0, 0, 90));
    const std::vector<bool> shown = hardMask(picture);
    auto at = [&](int x, int y) { return bool(shown[std::size_t(y * 32 + x)]); };
    EXPECT_TRUE(at(20, 12));
    EXPECT_TRUE(at(22, 15));
    EXPECT_FALSE(at(22, 14));
    EXPECT_FALSE(at(21, 15)) << "only the outermost line is widened";
    EXPECT_TRUE(at(9, 12)) << "the left side reaches column 9 only faintly";
    EXPECT_TRUE(at(15, 9));
    EXPECT_EQ(IconBytes::boundsOf(shown, 32), QRect(QPoint(9, 9), QPoint(22, 19)));
}

TEST(CursorWriter, KeepsBlackWhiteAndClearPixels) {
    QImage picture(32, 32, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    picture.setPixel(1, 2, qRgb(0, 0, 0));
    picture.setPixel(30, 2, qRgb(255, 255, 255));
    picture.setPixel(31, 31, qRgb(40, 40, 40));
    const QByteArray file = monochromeCursor(picture, QPoint(30, 2));
    ASSERT_EQ(file.size(), 326);
    EXPECT_EQ(IconBytes::entry(file, 0).planesOrHotX, 30);
    EXPECT_EQ(IconBytes::entry(file, 0).bitsOrHotY, 2);
    const QImage back = readBack(file, "CUR");
    EXPECT_EQ(back.pixel(1, 2), qRgb(0, 0, 0));
    EXPECT_EQ(back.pixel(30, 2), qRgb(255, 255, 255));
    EXPECT_EQ(back.pixel(31, 31), qRgb(0, 0, 0));
    EXPECT_EQ(qAlpha(back.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(back.pixel(29, 2)), 0);
}

TEST(BitmapWriter, PadsRowsOfAnyWidth) {
    for (int width : {1, 2, 3, 5, 222}) {
        const QImage picture = noise(width, 7, 200, unsigned(width));
        const QByteArray file = trueColourBitmap(picture);
        EXPECT_EQ(file.size(), 54 + (width * 3 + 3) / 4 * 4 * 7);
        expectSamePixels(picture, readBack(file, "BMP"));
    }
}

TEST(Palette, KeepsFewColoursExactly) {
    const std::vector<QRgb> colours = {qRgb(1, 2, 3), qRgb(250, 0, 0), qRgb(1, 2, 3),
                                       qRgb(0, 0, 0)};
    std::vector<QRgb> palette = reducedPalette(colours, 3);
    std::sort(palette.begin(), palette.end());
    EXPECT_EQ(palette, (std::vector<QRgb>{qRgb(0, 0, 0), qRgb(1, 2, 3), qRgb(250, 0, 0)}));
}

TEST(Palette, ReducesManyColoursWithSmallError) {
    std::vector<QRgb> colours;
    for (int i = 0; i < 1024; ++i)
        colours.push_back(qRgb(i % 256, (i * 7) % 256, i / 4));
    const std::vector<QRgb> palette = reducedPalette(colours, 255);
    EXPECT_LE(palette.size(), 255u);
    long error = 0;
    for (QRgb c : colours) {
        const QRgb p = palette[std::size_t(nearestIndex(palette, c))];
        error += std::abs(qRed(c) - qRed(p)) + std::abs(qGreen(c) - qGreen(p)) +
                 std::abs(qBlue(c) - qBlue(p));
    }
    EXPECT_LE(error / long(colours.size()), 24);
}

TEST(Palette, NearestIndexPassesOverTheSkippedEntry) {
    const std::vector<QRgb> palette = {qRgb(0, 0, 0), qRgb(10, 10, 10), qRgb(200, 200, 200)};
    EXPECT_EQ(nearestIndex(palette, qRgb(9, 9, 9)), 1);
    EXPECT_EQ(nearestIndex(palette, qRgb(9, 9, 9), 1), 0);
}

} // namespace

namespace {
// A picture of one colour with a transparent corner, at `side` pixels.
QImage square(int side, QRgb colour) {
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(colour);
    image.setPixel(0, 0, qRgba(0, 0, 0, 0));
    return image;
}

quint16 entryField(const QByteArray& file, int entry, int at) {
    const auto* bytes = reinterpret_cast<const uchar*>(file.constData());
    const int offset = 6 + entry * 16 + at;
    return quint16(bytes[offset] | bytes[offset + 1] << 8);
}
} // namespace

TEST(SizedIconWriter, EverySizeReadsBackInItsOwnColoursAnd256AsPng) {
    const int sides[] = {16, 20, 24, 32, 40, 48, 64, 256};
    std::vector<QImage> pictures;
    for (int i = 0; i < int(std::size(sides)); ++i)
        pictures.push_back(square(sides[i], qRgb(10 * i, 200 - 10 * i, 128)));
    const QByteArray file = sizedIcon(pictures);
    for (int i = 0; i < int(std::size(sides)); ++i) {
        const QImage back = readBack(file, "ico", i);
        ASSERT_EQ(back.width(), sides[i]) << "image " << i;
        EXPECT_EQ(back.pixel(1, 1), pictures[std::size_t(i)].pixel(1, 1)) << sides[i];
        EXPECT_EQ(qAlpha(back.pixel(0, 0)), 0) << sides[i] << ": the transparent corner";
    }
    const auto* bytes = reinterpret_cast<const uchar*>(file.constData());
    const int last = int(std::size(sides)) - 1;
    EXPECT_EQ(bytes[6 + last * 16], 0) << "256 is written as 0 in the directory";
    const quint32 pngAt = quint32(entryField(file, last, 12)) | quint32(entryField(file, last, 14))
                                                                    << 16;
    EXPECT_EQ(file.mid(int(pngAt), 4), QByteArray("\x89PNG")) << "at " << pngAt;
}

TEST(SizedIconWriter, CursorKeepsEachImagesHotSpotAndRefusesMismatches) {
    const QByteArray file =
        sizedCursor({square(32, qRgb(0, 0, 0)), square(64, qRgb(255, 255, 255))},
                    {QPoint(12, 9), QPoint(24, 18)});
    EXPECT_EQ(entryField(file, 0, 4), 12);
    EXPECT_EQ(entryField(file, 0, 6), 9);
    EXPECT_EQ(entryField(file, 1, 4), 24);
    EXPECT_EQ(entryField(file, 1, 6), 18);
    EXPECT_THROW(sizedCursor({square(32, 0)}, {}), std::invalid_argument);
    EXPECT_THROW(sizedIcon({QImage(32, 16, QImage::Format_ARGB32)}), std::invalid_argument);
}
