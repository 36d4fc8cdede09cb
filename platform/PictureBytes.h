#pragma once
// What a picture file's first bytes say before any loader sees them: whether a
// plain bitmap holds all of its rows, and how much memory its pixels would take
// once decoded. Both front ends refuse a file by these rules, so that a
// picture is shown or refused alike on every system.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace PictureBytes {

// The most memory a user's picture may take once decoded: a hostile file cannot
// make the program claim unbounded memory.
inline constexpr std::uint64_t kMaxDecodedBytes = std::uint64_t{64} << 20;

// Where a .bmp file keeps what the checks read: the 14-byte file header, then
// the info header (40 bytes or longer) from its size field on.
namespace BitmapLayout {
inline constexpr std::size_t kFileHeaderBytes = 14;
inline constexpr std::size_t kPixelsOffsetAt = 10; // 32-bit offset of the first row
inline constexpr std::size_t kWidthAt = 18;        // signed 32-bit
inline constexpr std::size_t kHeightAt = 22;       // signed 32-bit; below 0 for top-down rows
inline constexpr std::size_t kBitsPerPixelAt = 28; // 16-bit
inline constexpr std::size_t kCompressionAt = 30;  // 32-bit
// The bytes the checks need: up to and including the compression field.
inline constexpr std::size_t kHeaderBytesRead = 34;
inline constexpr std::uint32_t kUncompressed = 0, kBitFields = 3;
} // namespace BitmapLayout

struct BitmapHeader {
    std::uint32_t pixelsOffset = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t bitsPerPixel = 0;
    std::uint32_t compression = 0;
};

// True when the bytes start as a .bmp file does ("BM").
bool isBitmap(std::span<const std::byte> start);

// The header fields of a .bmp file from its first kHeaderBytesRead bytes (or
// more); nothing when the bytes are not that long or not a bitmap's.
std::optional<BitmapHeader> readBitmapHeader(std::span<const std::byte> start);

// False for an uncompressed .bmp file whose rows are not all there (the
// platforms' loaders would show whatever rows it still holds), and for one
// whose header is cut off or names no width. Other files, and compressed
// bitmaps whose length says nothing, pass. `start` is the file's first bytes
// (kHeaderBytesRead are enough), `fileBytes` its whole length.
bool bitmapComplete(std::span<const std::byte> start, std::uint64_t fileBytes);
inline bool bitmapComplete(std::span<const std::byte> file) {
    return bitmapComplete(file, file.size());
}

// The memory the picture's pixels take once decoded (4 bytes a pixel), as far
// as the header of a .bmp, .gif or .png file tells; 0 when it does not say.
// Saturates instead of wrapping, so that no header can claim a small size by
// overflowing.
std::uint64_t decodedBytes(std::span<const std::byte> file);

// True when decodedBytes(file) stays within kMaxDecodedBytes.
inline bool withinDecodeLimit(std::span<const std::byte> file) {
    return decodedBytes(file) <= kMaxDecodedBytes;
}

} // namespace PictureBytes
