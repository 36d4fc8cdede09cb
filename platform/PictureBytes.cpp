#include "PictureBytes.h"

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
    constexpr std::size_t kPngHeaderEnd = 24, kPngWidthAt = 16, kPngHeightAt = 20;
    if (startsWith(file, "\x89PNG") && file.size() >= kPngHeaderEnd)
        return saturatingProduct(
            saturatingProduct(bigEndian(file, kPngWidthAt), bigEndian(file, kPngHeightAt)),
            kDecodedBytesPerPixel);
    return 0;
}
