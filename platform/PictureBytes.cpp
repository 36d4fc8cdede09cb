#include "PictureBytes.h"

#include "IconLayout.h"

#include <cmath>
#include <limits>
#include <string_view>

namespace {
namespace Layout = PictureBytes::BitmapLayout;

std::uint32_t littleEndian(std::span<const std::byte> bytes, std::size_t at, std::size_t count) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < count; ++i)
        value |= std::uint32_t(std::to_integer<std::uint8_t>(bytes[at + i])) << (8 * i);
    return value;
}

std::uint32_t bigEndian(std::span<const std::byte> bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value = (value << 8) | std::to_integer<std::uint32_t>(bytes[at + i]);
    return value;
}

bool startsWith(std::span<const std::byte> bytes, std::string_view magic) {
    if (bytes.size() < magic.size()) return false;
    for (std::size_t i = 0; i < magic.size(); ++i)
        if (bytes[i] != std::byte(magic[i])) return false;
    return true;
}

// |value| without the overflow of negating the smallest 32-bit number.
std::uint64_t magnitude(std::int32_t value) {
    return value < 0 ? std::uint64_t(-std::int64_t(value)) : std::uint64_t(value);
}

constexpr std::uint64_t kSaturated = std::numeric_limits<std::uint64_t>::max();

std::uint64_t saturatingProduct(std::uint64_t a, std::uint64_t b) {
    if (a != 0 && b > kSaturated / a) return kSaturated;
    return a * b;
}

constexpr std::uint64_t kDecodedBytesPerPixel = 4;
} // namespace

bool PictureBytes::isBitmap(std::span<const std::byte> start) {
    return startsWith(start, "BM");
}

std::optional<PictureBytes::BitmapHeader>
PictureBytes::readBitmapHeader(std::span<const std::byte> start) {
    if (!isBitmap(start) || start.size() < Layout::kHeaderBytesRead) return std::nullopt;
    BitmapHeader header;
    header.pixelsOffset = littleEndian(start, Layout::kPixelsOffsetAt, 4);
    header.width = std::int32_t(littleEndian(start, Layout::kWidthAt, 4));
    header.height = std::int32_t(littleEndian(start, Layout::kHeightAt, 4));
    header.bitsPerPixel = std::uint16_t(littleEndian(start, Layout::kBitsPerPixelAt, 2));
    header.compression = littleEndian(start, Layout::kCompressionAt, 4);
    return header;
}

bool PictureBytes::bitmapComplete(std::span<const std::byte> start, std::uint64_t fileBytes) {
    if (!isBitmap(start)) return true;
    const std::optional<BitmapHeader> header = readBitmapHeader(start);
    if (!header) return false;
    if (header->compression != Layout::kUncompressed && header->compression != Layout::kBitFields)
        return true; // run-length coded: the length says nothing
    if (header->width <= 0) return false;
    // Rows are padded to whole 32-bit words.
    const std::uint64_t rowBytes =
        (std::uint64_t(header->width) * header->bitsPerPixel + 31) / 32 * 4;
    const std::uint64_t pixelBytes = saturatingProduct(rowBytes, magnitude(header->height));
    return pixelBytes <= fileBytes && header->pixelsOffset <= fileBytes - pixelBytes;
}

std::uint64_t PictureBytes::decodedBytes(std::span<const std::byte> file) {
    if (const std::optional<BitmapHeader> header = readBitmapHeader(file))
        return saturatingProduct(
            saturatingProduct(magnitude(header->width), magnitude(header->height)),
            kDecodedBytesPerPixel);
    constexpr std::size_t kGifScreenEnd = 10, kGifWidthAt = 6, kGifHeightAt = 8;
    if ((startsWith(file, "GIF87a") || startsWith(file, "GIF89a")) && file.size() >= kGifScreenEnd)
        return std::uint64_t(littleEndian(file, kGifWidthAt, 2)) *
               littleEndian(file, kGifHeightAt, 2) * kDecodedBytesPerPixel;
    if (const std::optional<PixelSize> png = pngSize(file))
        return saturatingProduct(saturatingProduct(png->width, png->height), kDecodedBytesPerPixel);
    return 0;
}

bool PictureBytes::isPng(std::span<const std::byte> start) {
    return startsWith(start, "\x89PNG");
}

std::optional<PictureBytes::PixelSize> PictureBytes::pngSize(std::span<const std::byte> start) {
    constexpr std::size_t kWidthAt = 16, kHeightAt = 20;
    if (!isPng(start) || start.size() < kPngHeaderBytes) return std::nullopt;
    return PixelSize{bigEndian(start, kWidthAt), bigEndian(start, kHeightAt)};
}

namespace {
namespace Icon = IconLayout;

std::uint32_t iconHeaderField(std::span<const std::byte> start, int at) {
    return littleEndian(start, std::size_t(at), 2);
}

// The directory keeps a side in one byte, 256 as 0.
int iconSide(std::span<const std::byte> start, std::size_t at) {
    const int side = std::to_integer<int>(start[at]);
    return side ? side : Icon::kLargestSide;
}
} // namespace

bool PictureBytes::isIcon(std::span<const std::byte> start) {
    return start.size() >= std::size_t(Icon::kHeaderBytes) && iconHeaderField(start, 0) == 0 &&
           iconHeaderField(start, Icon::kHeaderType) == std::uint32_t(Icon::kTypeIcon);
}

std::size_t PictureBytes::iconDirectoryBytes(std::span<const std::byte> start) {
    if (start.size() < std::size_t(Icon::kHeaderBytes) || iconHeaderField(start, 0) != 0) return 0;
    const std::uint32_t type = iconHeaderField(start, Icon::kHeaderType);
    if (type != std::uint32_t(Icon::kTypeIcon) && type != std::uint32_t(Icon::kTypeCursor))
        return 0;
    return std::size_t(Icon::kHeaderBytes) +
           std::size_t(iconHeaderField(start, Icon::kHeaderCount)) * Icon::kEntryBytes;
}

std::optional<PictureBytes::IconDirectory>
PictureBytes::readIconDirectory(std::span<const std::byte> start) {
    // The count is read only once the header is known to be whole.
    const std::size_t length = iconDirectoryBytes(start);
    if (length == 0 || start.size() < length) return std::nullopt;
    const std::size_t count = iconHeaderField(start, Icon::kHeaderCount);
    if (count == 0) return std::nullopt;
    IconDirectory directory;
    directory.cursor =
        iconHeaderField(start, Icon::kHeaderType) == std::uint32_t(Icon::kTypeCursor);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = std::size_t(Icon::kHeaderBytes) + i * Icon::kEntryBytes;
        directory.images.push_back({
            .width = iconSide(start, at + Icon::kEntryWidth),
            .height = iconSide(start, at + Icon::kEntryHeight),
            .bitsPerPixel = int(littleEndian(start, at + Icon::kEntryHotSpotY, 2)),
            .planes = int(littleEndian(start, at + Icon::kEntryHotSpotX, 2)),
            .bytes = littleEndian(start, at + Icon::kEntryImageBytes, 4),
            .offset = littleEndian(start, at + Icon::kEntryOffset, 4),
        });
    }
    return directory;
}

std::span<const std::byte> PictureBytes::iconImageBytes(std::span<const std::byte> file,
                                                        const IconEntry& image) {
    if (image.offset > file.size() || image.bytes > file.size() - image.offset) return {};
    return file.subspan(image.offset, image.bytes);
}

PictureBytes::IconChoice PictureBytes::chooseIconImage(const IconDirectory& directory,
                                                       double scale) {
    constexpr int kStandardSide = 32;
    const std::vector<IconEntry>& images = directory.images;
    IconChoice choice;
    const IconEntry* logical = &images.front();
    for (const IconEntry& image : images)
        if (image.width == kStandardSide && image.height == kStandardSide) {
            logical = &image;
            break;
        }
    choice.logical = {std::uint32_t(logical->width), std::uint32_t(logical->height)};
    const long wanted = std::lround(logical->width * scale);
    auto better = [&](const IconEntry& a, const IconEntry& b) {
        const bool aFits = a.width >= wanted, bFits = b.width >= wanted;
        if (aFits != bFits) return aFits;
        if (a.width != b.width) return aFits ? a.width < b.width : a.width > b.width;
        return a.bitsPerPixel > b.bitsPerPixel;
    };
    for (std::size_t i = 1; i < images.size(); ++i)
        if (better(images[i], images[choice.index])) choice.index = i;
    return choice;
}
