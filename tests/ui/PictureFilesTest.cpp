// The committed picture files, byte by byte: the layouts the program and
// other readers rely on, and the extents of the pictures in them.

#include "IconBytes.h"

#include <QImage>
#include <gtest/gtest.h>

using namespace IconBytes;

namespace {

struct TwoImageIcon {
    const char* name;
    QRect opaque;    // columns and rows holding every visible pixel
    int densest = 3; // its largest rendering, times 32 pixels
};

void PrintTo(const TwoImageIcon& icon, std::ostream* os) {
    *os << icon.name;
}

QRect span(int left, int right, int top, int bottom) {
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

class TwoImageIconFile : public testing::TestWithParam<TwoImageIcon> {
protected:
    QByteArray file = pictureFile(QString(GetParam().name) + ".ico");
};

TEST_P(TwoImageIconFile, HasTheTwoImageLayout) {
    ASSERT_EQ(file.size(), 6518);
    EXPECT_EQ(u16(file, 0), 0);
    EXPECT_EQ(u16(file, 2), 1); // icon
    EXPECT_EQ(u16(file, 4), 2);

    const Entry indexed = entry(file, 0);
    EXPECT_EQ(indexed.width, 32);
    EXPECT_EQ(indexed.height, 32);
    EXPECT_EQ(indexed.colourCount, 0);
    EXPECT_EQ(indexed.reserved, 0);
    EXPECT_EQ(indexed.planesOrHotX, 1);
    EXPECT_EQ(indexed.bitsOrHotY, 8);
    EXPECT_EQ(indexed.bytes, 2216);
    EXPECT_EQ(indexed.offset, 38);

    const Entry alpha = entry(file, 1);
    EXPECT_EQ(alpha.width, 32);
    EXPECT_EQ(alpha.height, 32);
    EXPECT_EQ(alpha.colourCount, 0);
    EXPECT_EQ(alpha.planesOrHotX, 1);
    EXPECT_EQ(alpha.bitsOrHotY, 32);
    EXPECT_EQ(alpha.bytes, 4264);
    EXPECT_EQ(alpha.offset, 2254);

    for (const auto& [at, bits] : {std::pair{38, 8}, std::pair{2254, 32}}) {
        const Info h = info(file, at);
        EXPECT_EQ(h.headerBytes, 40);
        EXPECT_EQ(h.width, 32);
        EXPECT_EQ(h.height, 64) << "colour and mask together";
        EXPECT_EQ(h.planes, 1);
        EXPECT_EQ(h.bitsPerPixel, bits);
        EXPECT_EQ(h.compression, 0);
    }
    // 256 table entries exactly fill the image's 2216 bytes.
    EXPECT_TRUE(info(file, 38).coloursUsed == 0 || info(file, 38).coloursUsed == 256);
}

TEST_P(TwoImageIconFile, BothImagesCoverExactlyTheirOpaqueArea) {
    const Decoded indexed = decode(file, 0);
    const Decoded alpha = decode(file, 1);
    const QRect expected = GetParam().opaque;
    EXPECT_EQ(alphaBounds(alpha.colours), expected);
    EXPECT_EQ(boundsOf(indexed.shown, 32), expected);
}

TEST_P(TwoImageIconFile, MasksAgreeWithTheSoftEdges) {
    const Decoded indexed = decode(file, 0);
    const Decoded alpha = decode(file, 1);
    int softPixels = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const int a = qAlpha(alpha.colours.pixel(x, y));
            softPixels += a > 0 && a < 255;
            SCOPED_TRACE(testing::Message() << "pixel " << x << "," << y << " alpha " << a);
            // The 32-bit image's own mask hides exactly its clear pixels.
            EXPECT_EQ(alpha.isShown(x, y), a > 0);
            // The hard mask shows every pixel at least half opaque and nothing clear.
            if (a >= 128) {
                EXPECT_TRUE(indexed.isShown(x, y));
            }
            if (a == 0) {
                EXPECT_FALSE(indexed.isShown(x, y));
            }
            // A hidden pixel must be black, or it would tint the screen behind it.
            if (!indexed.isShown(x, y)) {
                EXPECT_EQ(indexed.colours.pixel(x, y) & 0xffffff, 0u);
            }
        }
    // Even pictures drawn on the pixel grid have rounded corners and slants.
    EXPECT_GT(softPixels, 8) << "the 32-bit image should have antialiased edges";
}

TEST_P(TwoImageIconFile, TheIndexedImageKeepsTheColours) {
    const Decoded indexed = decode(file, 0);
    const Decoded alpha = decode(file, 1);
    ASSERT_EQ(indexed.palette.size(), 256u);
    long totalError = 0;
    int compared = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            if (!indexed.isShown(x, y)) continue;
            const QRgb a = alpha.colours.pixel(x, y);
            const QRgb b = indexed.colours.pixel(x, y);
            const int error = std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                              std::abs(qBlue(a) - qBlue(b));
            EXPECT_LE(error, 60) << "pixel " << x << "," << y;
            totalError += error;
            ++compared;
        }
    ASSERT_GT(compared, 0);
    EXPECT_LE(totalError / compared, 6);
}

TEST_P(TwoImageIconFile, TheDenseRenderingsShowTheSamePictureLarger) {
    for (int times = 2; times <= GetParam().densest; ++times) {
        SCOPED_TRACE(times);
        const QImage dense(
            QStringLiteral(TARROWIN_PICTURE_DIR "/%1@%2x.png").arg(GetParam().name).arg(times));
        ASSERT_EQ(dense.size(), QSize(32, 32) * times);
        ASSERT_TRUE(dense.hasAlphaChannel());
        const QRect larger(GetParam().opaque.topLeft() * times, GetParam().opaque.size() * times);
        const QRect box = alphaBounds(dense.convertToFormat(QImage::Format_ARGB32));
        EXPECT_TRUE(larger.contains(box)) << "dense picture spills out of its area";
        EXPECT_TRUE(box.contains(larger.adjusted(1, 1, -1, -1))) << "dense picture falls short";
    }
}

INSTANTIATE_TEST_SUITE_P(Pictures, TwoImageIconFile,
                         testing::Values(TwoImageIcon{"gear", span(0, 31, 2, 30)},
                                         TwoImageIcon{"arrow", span(0, 31, 2, 28)},
                                         TwoImageIcon{"scissors", span(0, 31, 3, 26)},
                                         TwoImageIcon{"folder", span(0, 31, 1, 31)},
                                         TwoImageIcon{"files", span(5, 27, 0, 31)},
                                         TwoImageIcon{"cd", span(0, 31, 5, 27)},
                                         TwoImageIcon{"monitor", span(3, 29, 0, 31)},
                                         TwoImageIcon{"document", span(5, 26, 0, 31), 2},
                                         TwoImageIcon{"options", span(0, 31, 0, 31), 2}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(IconBoxPointer, IsAOneBitCursorWithItsHotSpotOnTheFingerTip) {
    const QByteArray file = pictureFile("hand.cur");
    ASSERT_EQ(file.size(), 326);
    EXPECT_EQ(u16(file, 0), 0);
    EXPECT_EQ(u16(file, 2), 2); // cursor
    EXPECT_EQ(u16(file, 4), 1);
    const Entry e = entry(file, 0);
    EXPECT_EQ(e.width, 32);
    EXPECT_EQ(e.height, 32);
    EXPECT_EQ(e.planesOrHotX, 12);
    EXPECT_EQ(e.bitsOrHotY, 9);
    EXPECT_EQ(e.bytes, 304);
    EXPECT_EQ(e.offset, 22);
    const Info h = info(file, 22);
    EXPECT_EQ(h.headerBytes, 40);
    EXPECT_EQ(h.width, 32);
    EXPECT_EQ(h.height, 64);
    EXPECT_EQ(h.planes, 1);
    EXPECT_EQ(h.bitsPerPixel, 1);

    const Decoded hand = decode(file, 0);
    ASSERT_EQ(hand.palette.size(), 2u);
    EXPECT_EQ(hand.palette[0] & 0xffffff, 0x000000u);
    EXPECT_EQ(hand.palette[1] & 0xffffff, 0xffffffu);
    // The hot spot is the topmost pixel of the hand: black outline, nothing above.
    EXPECT_TRUE(hand.isShown(12, 9));
    EXPECT_EQ(hand.indices[9 * 32 + 12], 0);
    EXPECT_EQ(boundsOf(hand.shown, 32).top(), 9);
    // A white hand: inside the outline, below the tip, it is white.
    EXPECT_EQ(hand.indices[11 * 32 + 12], 1);
    EXPECT_TRUE(hand.isShown(12, 11));
}

TEST(LogoPointer, IsATrueColourIconWithTheFingerTipAtTheTopEdge) {
    const QByteArray file = pictureFile("logohand.ico");
    ASSERT_EQ(file.size(), 3262);
    EXPECT_EQ(u16(file, 2), 1);
    EXPECT_EQ(u16(file, 4), 1);
    const Entry e = entry(file, 0);
    EXPECT_EQ(e.width, 32);
    EXPECT_EQ(e.height, 32);
    EXPECT_EQ(e.colourCount, 0);
    EXPECT_EQ(e.planesOrHotX, 1);
    EXPECT_EQ(e.bitsOrHotY, 24);
    EXPECT_EQ(e.bytes, 3240);
    EXPECT_EQ(e.offset, 22);
    const Info h = info(file, 22);
    EXPECT_EQ(h.width, 32);
    EXPECT_EQ(h.height, 64);
    EXPECT_EQ(h.bitsPerPixel, 24);

    const Decoded hand = decode(file, 0);
    for (int x = 0; x < 32; ++x)
        EXPECT_EQ(hand.isShown(x, 0), x == 5 || x == 6) << "column " << x;
    EXPECT_FALSE(hand.isShown(31, 31));
    EXPECT_FALSE(hand.isShown(0, 31));
}

TEST(LogoBanner, IsABottomUpTrueColourBitmapWithWhiteMargins) {
    const QByteArray file = pictureFile("logo.bmp");
    ASSERT_EQ(file.size(), 33454);
    EXPECT_EQ(file.left(2), "BM");
    EXPECT_EQ(u32(file, 2), 33454);
    EXPECT_EQ(u32(file, 10), 54);
    const Info h = info(file, 14);
    EXPECT_EQ(h.headerBytes, 40);
    EXPECT_EQ(h.width, 222);
    EXPECT_EQ(h.height, 50) << "positive: rows stored bottom-up";
    EXPECT_EQ(h.planes, 1);
    EXPECT_EQ(h.bitsPerPixel, 24);
    EXPECT_EQ(h.compression, 0);

    // Rows are 668 bytes (222 * 3 padded to whole words), bottom row first.
    auto pixel = [&](int x, int y) {
        const int at = 54 + (49 - y) * 668 + x * 3;
        return qRgb(u8(file, at + 2), u8(file, at + 1), u8(file, at));
    };
    QRect lettering;
    bool black = false, red = false, blue = false;
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 222; ++x) {
            const QRgb c = pixel(x, y);
            if (c == qRgb(255, 255, 255)) continue;
            lettering |= QRect(x, y, 1, 1);
            const int r = qRed(c), g = qGreen(c), b = qBlue(c);
            black |= y < 25 && r < 60 && g < 60 && b < 60;
            red |= y < 25 && r > 150 && g < 60 && b < 60;
            blue |= y > 30 && b > 150 && r < 60 && g < 100;
        }
    EXPECT_EQ(lettering.top(), 4);
    EXPECT_EQ(lettering.bottom(), 46) << "rows 47 to 49 stay white";
    EXPECT_TRUE(black && red) << "the maker's name is black and red";
    EXPECT_TRUE(blue) << "the program's name is blue";
}

TEST(BrowsePicture, IsASixteenPixelGifWithTransparentColour36) {
    const QByteArray file = pictureFile("browse.gif");
    EXPECT_EQ(file.left(6), "GIF89a");
    EXPECT_EQ(u16(file, 6), 16);
    EXPECT_EQ(u16(file, 8), 16);
    const int flags = u8(file, 10);
    EXPECT_TRUE(flags & 0x80) << "global colour table";
    EXPECT_EQ(2 << (flags & 7), 64);
    // Graphic control extension right after the table: transparency on, index 36.
    const int extension = 13 + 64 * 3;
    EXPECT_EQ(u8(file, extension), 0x21);
    EXPECT_EQ(u8(file, extension + 1), 0xf9);
    EXPECT_TRUE(u8(file, extension + 3) & 1);
    EXPECT_EQ(u8(file, extension + 6), 36);
    const int descriptor = extension + 8;
    EXPECT_EQ(u8(file, descriptor), 0x2c);
    EXPECT_EQ(u16(file, descriptor + 5), 16);
    EXPECT_EQ(u16(file, descriptor + 7), 16);
    EXPECT_EQ(u8(file, descriptor + 9) & 0x80, 0) << "no local colour table";
    EXPECT_EQ(u8(file, file.size() - 1), 0x3b);

    const QImage picture = QImage::fromData(file, "GIF").convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(picture.size(), QSize(16, 16));
    EXPECT_EQ(qAlpha(picture.pixel(15, 0)), 0) << "the corner beside the tab is transparent";
    EXPECT_EQ(qAlpha(picture.pixel(8, 12)), 255) << "the folder is opaque";
}

} // namespace
