#pragma once
// What a picture file's first bytes say before any loader sees them: whether a
// plain bitmap holds all of its rows, how much memory its pixels would take
// once decoded, and which images an icon file holds and which of them to draw
// at a given scale. Both front ends refuse a file and choose an icon's image
// by these rules, so that a picture is shown or refused alike on every system.
// (tarrowin.exe reads a file whole, and so also refuses one larger than its
// Picture::kMaxFileBytes; Qt keeps the same decode limit for the formats whose
// header these rules do not read.)

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

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

struct PixelSize {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    bool operator==(const PixelSize&) const = default;
};

// The size in a PNG file's header chunk; nothing when the bytes are not a
// PNG file's first kPngHeaderBytes.
inline constexpr std::size_t kPngHeaderBytes = 24;
bool isPng(std::span<const std::byte> start);
std::optional<PixelSize> pngSize(std::span<const std::byte> start);

// The memory the picture's pixels take once decoded (4 bytes a pixel), as far
// as the header of a .bmp, .gif or .png file tells; 0 when it does not say.
// Saturates instead of wrapping, so that no header can claim a small size by
// overflowing. The header of every one of these lies in the first
// kHeaderBytesRead bytes.
std::uint64_t decodedBytes(std::span<const std::byte> file);
inline constexpr std::size_t kHeaderBytesRead = BitmapLayout::kHeaderBytesRead;

// True when decodedBytes(file) stays within kMaxDecodedBytes. An icon file's
// own header says nothing of its images' sizes: the image drawn from it is
// held to the limit on its own bytes (a PNG image carries its header).
inline bool withinDecodeLimit(std::span<const std::byte> file) {
    return decodedBytes(file) <= kMaxDecodedBytes;
}

// One image of an icon or cursor file, as the file's directory lists it.
struct IconEntry {
    int width = 0; // pixels, 1 to 256
    int height = 0;
    int bitsPerPixel = 0; // a cursor keeps its hot spot's y here
    int planes = 0;       // and its x here
    std::uint32_t bytes = 0;
    std::uint32_t offset = 0; // from the start of the file
};

struct IconDirectory {
    bool cursor = false;
    std::vector<IconEntry> images; // never empty
};

// True when the bytes start as an icon file does (reserved 0, type 1).
bool isIcon(std::span<const std::byte> start);

// How many of the file's first bytes the directory takes, from its first
// IconLayout::kHeaderBytes; 0 when they start no icon or cursor file.
std::size_t iconDirectoryBytes(std::span<const std::byte> start);

// The directory of an icon or cursor file from its first iconDirectoryBytes()
// bytes (or more); nothing when the bytes start no such file, list no image
// or are cut off before the directory ends.
std::optional<IconDirectory> readIconDirectory(std::span<const std::byte> start);

// The bytes of an image in the whole file; empty when they do not lie in it.
std::span<const std::byte> iconImageBytes(std::span<const std::byte> file, const IconEntry& image);

// Which image an icon file is drawn from, and the size it stands for at 96 dpi:
// 32 x 32 when it has an image of that size, as icons on Windows do, else the
// size of its first image. At `scale` times that size (dpi / 96, or a screen's
// device pixel ratio) it is drawn from the smallest image at least that wide:
// scaling down keeps detail that scaling up cannot make. With none that wide,
// the widest; among images of one width, the one with the most bits per pixel.
struct IconChoice {
    std::size_t index = 0;
    PixelSize logical;
};
IconChoice chooseIconImage(const IconDirectory& directory, double scale);

} // namespace PictureBytes
