#include "FrameCheck.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {
constexpr std::uint32_t kRgb = 0x00ffffff;

struct Image {
    int width, height, bytesPerLine;
    std::vector<unsigned char> bytes;
    Image(int w, int h, int padding, std::uint32_t fill)
        : width(w), height(h), bytesPerLine(w * 4 + padding),
          bytes(static_cast<std::size_t>(bytesPerLine * h)) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                set(x, y, fill);
    }
    void set(int x, int y, std::uint32_t value) {
        std::memcpy(bytes.data() + y * bytesPerLine + x * 4, &value, 4);
    }
    PixelRows rows(std::uint32_t mask = kRgb) const {
        return {bytes.data(), width, height, bytesPerLine, mask};
    }
};
} // namespace

TEST(FrameCheck, AWindowOfOneColourIsNotPaintedYet) {
    EXPECT_TRUE(isOneColour(Image(433, 134, 0, 0).rows()));
    EXPECT_TRUE(isOneColour(Image(433, 134, 0, 0x00d4d0c8).rows()));
}

TEST(FrameCheck, OneOtherPixelAnywhereMeansPainted) {
    Image last(433, 134, 0, 0);
    last.set(432, 133, 0x00000001);
    EXPECT_FALSE(isOneColour(last.rows()));
    Image first(433, 134, 0, 0x00808080);
    first.set(0, 0, 0);
    EXPECT_FALSE(isOneColour(first.rows()));
}

TEST(FrameCheck, IgnoresThePaddingByteOfEachPixel) {
    Image image(20, 10, 0, 0x00102030);
    image.set(5, 5, 0xff102030);
    EXPECT_TRUE(isOneColour(image.rows()));
}

TEST(FrameCheck, IgnoresThePaddingAtTheEndOfEachRow) {
    Image image(20, 10, 12, 0);
    std::memset(image.bytes.data() + 80, 0xff, 12); // the first row's padding
    EXPECT_TRUE(isOneColour(image.rows()));
    image.set(19, 1, 0x00ffffff);
    EXPECT_FALSE(isOneColour(image.rows()));
}

TEST(FrameCheck, AnEmptyWindowHasNothingPainted) {
    EXPECT_TRUE(isOneColour(Image(0, 0, 0, 0).rows()));
}
