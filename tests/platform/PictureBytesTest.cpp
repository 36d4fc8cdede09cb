// The checks both front ends make on a picture file's bytes before a loader
// sees them: sound bitmaps pass, cut-off ones do not, no header makes the
// decoded size look small by overflowing, and an icon file's directory and
// the image drawn from it read alike for both.
#include "PictureBytes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {
namespace Layout = PictureBytes::BitmapLayout;

constexpr std::size_t kInfoHeaderBytes = 40;

void putLittle(std::vector<std::byte>& bytes, std::size_t at, std::uint32_t value,
               std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
        bytes[at + i] = std::byte((value >> (8 * i)) & 0xFF);
}

void putBig(std::vector<std::byte>& bytes, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i)
        bytes[at + i] = std::byte((value >> (8 * (3 - i))) & 0xFF);
}

struct BitmapShape {
    std::int32_t width = 3;
    std::int32_t height = 2;
    std::uint16_t bitsPerPixel = 24;
    std::uint32_t compression = Layout::kUncompressed;
};

// A .bmp file with the headers written as a writer would, and every row.
std::vector<std::byte> bitmapFile(const BitmapShape& shape) {
    const std::size_t pixelsAt = Layout::kFileHeaderBytes + kInfoHeaderBytes;
    const std::size_t rowBytes = (std::size_t(shape.width) * shape.bitsPerPixel + 31) / 32 * 4;
    const std::size_t rows = std::size_t(shape.height < 0 ? -shape.height : shape.height);
    std::vector<std::byte> file(pixelsAt + rowBytes * rows);
    file[0] = std::byte{'B'};
    file[1] = std::byte{'M'};
    putLittle(file, 2, std::uint32_t(file.size()), 4);
    putLittle(file, Layout::kPixelsOffsetAt, std::uint32_t(pixelsAt), 4);
    putLittle(file, Layout::kFileHeaderBytes, kInfoHeaderBytes, 4);
    putLittle(file, Layout::kWidthAt, std::uint32_t(shape.width), 4);
    putLittle(file, Layout::kHeightAt, std::uint32_t(shape.height), 4);
    putLittle(file, Layout::kBitsPerPixelAt, shape.bitsPerPixel, 2);
    putLittle(file, Layout::kCompressionAt, shape.compression, 4);
    return file;
}

std::vector<std::byte> cutOff(std::vector<std::byte> file, std::size_t bytes) {
    file.resize(file.size() - bytes);
    return file;
}

TEST(BitmapHeader, FieldsAreReadFromTheirPlaces) {
    const auto header = PictureBytes::readBitmapHeader(
        bitmapFile({.width = 222, .height = -50, .bitsPerPixel = 8}));
    ASSERT_TRUE(header.has_value());
    EXPECT_EQ(header->pixelsOffset, Layout::kFileHeaderBytes + kInfoHeaderBytes);
    EXPECT_EQ(header->width, 222);
    EXPECT_EQ(header->height, -50);
    EXPECT_EQ(header->bitsPerPixel, 8);
    EXPECT_EQ(header->compression, Layout::kUncompressed);

    const std::vector<std::byte> gif{std::byte{'G'}, std::byte{'I'}, std::byte{'F'}};
    EXPECT_FALSE(PictureBytes::readBitmapHeader(gif).has_value());
    const std::vector<std::byte> plain = bitmapFile({});
    EXPECT_FALSE(
        PictureBytes::readBitmapHeader(std::span(plain).first(Layout::kHeaderBytesRead - 1))
            .has_value());
}

TEST(BitmapComplete, EveryRowThereIsCompleteOneByteShortIsNot) {
    const BitmapShape shapes[] = {
        {.width = 3, .height = 2, .bitsPerPixel = 24},  // rows padded from 9 to 12 bytes
        {.width = 17, .height = -4, .bitsPerPixel = 1}, // top-down rows
        {.width = 5, .height = 3, .bitsPerPixel = 4},
        {.width = 2, .height = 2, .bitsPerPixel = 32, .compression = Layout::kBitFields},
    };
    for (const BitmapShape& shape : shapes) {
        const std::vector<std::byte> file = bitmapFile(shape);
        EXPECT_TRUE(PictureBytes::bitmapComplete(file))
            << shape.width << " x " << shape.height << " at " << shape.bitsPerPixel << " bits, "
            << file.size() << " bytes";
        EXPECT_FALSE(PictureBytes::bitmapComplete(cutOff(file, 1)))
            << shape.width << " x " << shape.height << " at " << shape.bitsPerPixel << " bits, "
            << file.size() - 1 << " bytes";
    }
}

TEST(BitmapComplete, HeaderAloneWithTheFilesLengthGivesTheSameAnswer) {
    // The Qt front end reads only the header and asks the file system for the length.
    const std::vector<std::byte> file = bitmapFile({.width = 40, .height = 40});
    const auto header = std::span(file).first(Layout::kHeaderBytesRead);
    EXPECT_TRUE(PictureBytes::bitmapComplete(header, file.size()));
    EXPECT_FALSE(PictureBytes::bitmapComplete(header, file.size() - 1));
}

TEST(BitmapComplete, CompressedBitmapsAndOtherFormatsPass) {
    constexpr std::uint32_t kRunLength8 = 1;
    EXPECT_TRUE(PictureBytes::bitmapComplete(
        cutOff(bitmapFile({.height = 100, .bitsPerPixel = 8, .compression = kRunLength8}), 200)));
    const std::vector<std::byte> gifStart{std::byte{'G'}, std::byte{'I'}, std::byte{'F'}};
    EXPECT_TRUE(PictureBytes::bitmapComplete(gifStart));
    EXPECT_TRUE(PictureBytes::bitmapComplete(std::span<const std::byte>{}));
}

TEST(BitmapComplete, HostileHeadersAreNotComplete) {
    struct Case {
        const char* what;
        std::vector<std::byte> file;
    };
    std::vector<Case> cases;
    cases.push_back({"header cut off", cutOff(bitmapFile({}), bitmapFile({}).size() - 20)});
    std::vector<std::byte> farPixels = bitmapFile({});
    putLittle(farPixels, Layout::kPixelsOffsetAt, 0xFFFFFFF0, 4);
    cases.push_back({"pixels past the end", farPixels});
    // Rows times height pass 2^64 unless the product saturates.
    std::vector<std::byte> overflowing = bitmapFile({});
    putLittle(overflowing, Layout::kWidthAt, 0x7FFFFFFF, 4);
    putLittle(overflowing, Layout::kHeightAt, 0x80000000, 4);
    putLittle(overflowing, Layout::kBitsPerPixelAt, 0xFFFF, 2);
    cases.push_back({"overflowing size", overflowing});
    std::vector<std::byte> negativeWidth = bitmapFile({});
    putLittle(negativeWidth, Layout::kWidthAt, std::uint32_t(-3), 4);
    cases.push_back({"negative width", negativeWidth});
    for (const Case& c : cases)
        EXPECT_FALSE(PictureBytes::bitmapComplete(c.file))
            << c.what << ": " << c.file.size() << " bytes";
}

TEST(DecodedBytes, FourBytesAPixelAsEachHeaderTells) {
    EXPECT_EQ(PictureBytes::decodedBytes(bitmapFile({.width = 222, .height = -50})),
              222u * 50u * 4u);

    std::vector<std::byte> gif(13);
    for (std::size_t i = 0; i < 6; ++i)
        gif[i] = std::byte("GIF89a"[i]);
    putLittle(gif, 6, 40, 2);
    putLittle(gif, 8, 30, 2);
    EXPECT_EQ(PictureBytes::decodedBytes(gif), 40u * 30u * 4u);

    std::vector<std::byte> png(24);
    const unsigned char signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    for (std::size_t i = 0; i < sizeof signature; ++i)
        png[i] = std::byte(signature[i]);
    putBig(png, 16, 256);
    putBig(png, 20, 128);
    EXPECT_EQ(PictureBytes::decodedBytes(png), 256u * 128u * 4u);

    EXPECT_EQ(PictureBytes::decodedBytes(std::vector<std::byte>(64, std::byte{7})), 0u)
        << "a header that says nothing about the size";
}

// A small file whose header claims any size: the limit must not depend on rows being there.
std::vector<std::byte> claimedBitmap(std::uint32_t width, std::uint32_t height) {
    std::vector<std::byte> file = bitmapFile({});
    putLittle(file, Layout::kWidthAt, width, 4);
    putLittle(file, Layout::kHeightAt, height, 4);
    return file;
}

TEST(DecodedBytes, TheLimitHoldsAtItsEdgeAndAgainstOverflow) {
    // 4096 x 4096 pixels take exactly 64 MiB.
    const std::vector<std::byte> atLimit = claimedBitmap(4096, 4096);
    EXPECT_TRUE(PictureBytes::withinDecodeLimit(atLimit)) << PictureBytes::decodedBytes(atLimit);
    const std::vector<std::byte> rowMore = claimedBitmap(4096, 4097);
    EXPECT_FALSE(PictureBytes::withinDecodeLimit(rowMore)) << PictureBytes::decodedBytes(rowMore);
    // 2^31 x 2^31 x 4 is 2^64: wrapped, it would read as 0 bytes.
    const std::vector<std::byte> wrapping = claimedBitmap(0x80000000, 0x80000000);
    EXPECT_FALSE(PictureBytes::withinDecodeLimit(wrapping)) << PictureBytes::decodedBytes(wrapping);
    std::vector<std::byte> png(24);
    png[0] = std::byte{0x89};
    png[1] = std::byte{'P'};
    png[2] = std::byte{'N'};
    png[3] = std::byte{'G'};
    putBig(png, 16, 0xFFFFFFFF);
    putBig(png, 20, 0xFFFFFFFF);
    EXPECT_FALSE(PictureBytes::withinDecodeLimit(png)) << PictureBytes::decodedBytes(png);
}

namespace IconFiles {
struct Image {
    int side;
    int bits;
};

// An icon (type 1) or cursor (type 2) file whose directory lists the images,
// each side in its one byte (256 as 0), with 8 bytes of each image after it.
std::vector<std::byte> iconFile(std::initializer_list<Image> images, std::uint32_t type = 1) {
    constexpr std::size_t kImageBytes = 8;
    std::vector<std::byte> file(6 + 16 * images.size());
    putLittle(file, 2, type, 2);
    putLittle(file, 4, std::uint32_t(images.size()), 2);
    std::size_t entry = 6;
    for (const Image& image : images) {
        file[entry] = file[entry + 1] = std::byte(image.side % 256);
        putLittle(file, entry + 4, 1, 2);
        putLittle(file, entry + 6, std::uint32_t(image.bits), 2);
        putLittle(file, entry + 8, kImageBytes, 4);
        putLittle(file, entry + 12, std::uint32_t(file.size()), 4);
        file.resize(file.size() + kImageBytes, std::byte{0x5A});
        entry += 16;
    }
    return file;
}
} // namespace IconFiles

TEST(IconDirectory, ListsEveryImageAndRefusesWhatIsNoDirectory) {
    using IconFiles::iconFile;
    const std::vector<std::byte> file = iconFile({{16, 4}, {256, 32}});
    ASSERT_EQ(PictureBytes::iconDirectoryBytes(file), 6u + 2 * 16);
    const auto directory = PictureBytes::readIconDirectory(file);
    ASSERT_TRUE(directory.has_value());
    EXPECT_FALSE(directory->cursor);
    ASSERT_EQ(directory->images.size(), 2u);
    EXPECT_EQ(directory->images[0].width, 16);
    EXPECT_EQ(directory->images[0].bitsPerPixel, 4);
    EXPECT_EQ(directory->images[1].width, 256) << "a side of 0 is 256";
    EXPECT_EQ(directory->images[1].height, 256);
    EXPECT_EQ(directory->images[1].offset, 6u + 2 * 16 + 8);
    const auto image = PictureBytes::iconImageBytes(file, directory->images[1]);
    EXPECT_EQ(image.size(), 8u);
    EXPECT_EQ(image.data(), file.data() + 46);

    PictureBytes::IconEntry past = directory->images[1];
    past.bytes = 9; // one byte past the end
    EXPECT_TRUE(PictureBytes::iconImageBytes(file, past).empty());
    past.offset = 0xFFFFFFFF;
    past.bytes = 2; // an end that wraps to a small number
    EXPECT_TRUE(PictureBytes::iconImageBytes(file, past).empty());

    const auto cursor = PictureBytes::readIconDirectory(iconFile({{32, 9}}, 2));
    ASSERT_TRUE(cursor.has_value());
    EXPECT_TRUE(cursor->cursor);
    EXPECT_FALSE(PictureBytes::isIcon(iconFile({{32, 9}}, 2)));

    struct Case {
        const char* what;
        std::vector<std::byte> bytes;
    };
    const Case refused[] = {
        {"no image", iconFile({})},
        {"directory cut off", std::vector<std::byte>(file.begin(), file.begin() + 6 + 16 + 15)},
        {"header cut off", std::vector<std::byte>(file.begin(), file.begin() + 5)},
        {"another type", iconFile({{32, 32}}, 3)},
        {"a bitmap", bitmapFile({})},
    };
    for (const Case& c : refused)
        EXPECT_FALSE(PictureBytes::readIconDirectory(c.bytes).has_value()) << c.what;
}

TEST(IconChoice, SmallestImageAtLeastTheScaledSizeWithTheMostColours) {
    using IconFiles::iconFile;
    struct Case {
        const char* what;
        std::vector<std::byte> file;
        double scale;
        std::size_t chosen;
        std::uint32_t logical;
    };
    const auto sizes = iconFile({{16, 32}, {32, 8}, {32, 32}, {48, 32}, {256, 32}});
    const auto no32 = iconFile({{48, 32}, {16, 32}});
    const auto depths = iconFile({{16, 8}, {16, 32}, {16, 4}});
    const Case cases[] = {
        {"100 %: 32 wide, the 32-bit one", sizes, 1.0, 2, 32},
        {"125 %: 40 wide", sizes, 1.25, 3, 32},
        {"150 %: 48 wide", sizes, 1.5, 3, 32},
        {"175 %: 56 wide", sizes, 1.75, 4, 32},
        {"200 %: 64 wide", sizes, 2.0, 4, 32},
        {"50 %: 16 wide", sizes, 0.5, 0, 32},
        {"no 32: the first image's size", no32, 1.0, 0, 48},
        {"no 32, none wide enough: the widest", no32, 2.0, 0, 48},
        {"no 32, smaller scale", no32, 1.0 / 3, 1, 48},
        {"one size: the most bits", depths, 1.0, 1, 16},
    };
    for (const Case& c : cases) {
        const auto directory = PictureBytes::readIconDirectory(c.file);
        ASSERT_TRUE(directory.has_value()) << c.what;
        const PictureBytes::IconChoice choice = PictureBytes::chooseIconImage(*directory, c.scale);
        EXPECT_EQ(choice.index, c.chosen) << c.what;
        EXPECT_EQ(choice.logical, (PictureBytes::PixelSize{c.logical, c.logical})) << c.what;
    }
}
} // namespace
