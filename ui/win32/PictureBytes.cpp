#include "PictureBytes.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {
constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::size_t kInfoHeaderUsed = 20; // up to and including the compression
constexpr std::uint32_t kUncompressed = 0, kBitFields = 3;

std::uint32_t little(std::span<const std::byte> bytes, std::size_t at, std::size_t count) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < count; ++i)
        value |= std::uint32_t(std::to_integer<std::uint8_t>(bytes[at + i])) << (8 * i);
    return value;
}
} // namespace

bool PictureBytes::bitmapComplete(std::span<const std::byte> file) {
    const bool isBitmap =
        file.size() >= 2 && file[0] == std::byte{'B'} && file[1] == std::byte{'M'};
    if (!isBitmap) return true;
    if (file.size() < kFileHeaderBytes + kInfoHeaderUsed) return false;
    const std::uint32_t pixelsAt = little(file, 10, 4);
    const auto width = std::int32_t(little(file, 18, 4));
    const auto height = std::int32_t(little(file, 22, 4));
    const std::uint32_t bitsPerPixel = little(file, 28, 2);
    const std::uint32_t compression = little(file, 30, 4);
    if (compression != kUncompressed && compression != kBitFields) return true;
    const std::int64_t rowBytes = (std::int64_t(width) * bitsPerPixel + 31) / 32 * 4;
    return std::int64_t(file.size()) >= std::int64_t(pixelsAt) + rowBytes * std::llabs(height);
}

std::size_t PictureBytes::decodedBytes(std::span<const std::byte> file) {
    constexpr std::size_t kBytesPerPixel = 4;
    auto starts = [&](std::string_view magic) {
        if (file.size() < magic.size()) return false;
        for (std::size_t i = 0; i < magic.size(); ++i)
            if (file[i] != std::byte(magic[i])) return false;
        return true;
    };
    if (starts("BM") && file.size() >= kFileHeaderBytes + kInfoHeaderUsed) {
        const auto width = std::int32_t(little(file, 18, 4));
        const auto height = std::int32_t(little(file, 22, 4));
        return std::size_t(std::llabs(width)) * std::size_t(std::llabs(height)) * kBytesPerPixel;
    }
    constexpr std::size_t kGifScreenEnd = 10;
    if ((starts("GIF87a") || starts("GIF89a")) && file.size() >= kGifScreenEnd)
        return std::size_t(little(file, 6, 2)) * little(file, 8, 2) * kBytesPerPixel;
    constexpr std::size_t kPngHeaderEnd = 24;
    if (starts("\x89PNG") && file.size() >= kPngHeaderEnd) {
        auto bigEndian = [&](std::size_t at) {
            std::size_t value = 0;
            for (std::size_t i = 0; i < 4; ++i)
                value = (value << 8) | std::to_integer<std::size_t>(file[at + i]);
            return value;
        };
        return bigEndian(16) * bigEndian(20) * kBytesPerPixel;
    }
    return 0;
}
