#pragma once
// Checks on the bytes of a picture file before the loader sees them.

#include <cstddef>
#include <span>

namespace PictureBytes {

// False for an uncompressed .bmp file whose rows are not all there: the
// platform's loader would show whatever rows it still holds. Other files (and
// compressed bitmaps, whose length says nothing) pass.
bool bitmapComplete(std::span<const std::byte> file);

} // namespace PictureBytes

namespace PictureBytes {

// The memory the picture's pixels take once decoded (4 bytes a pixel), as far
// as the header of a .bmp or .gif file tells; 0 when it does not say.
std::size_t decodedBytes(std::span<const std::byte> file);

} // namespace PictureBytes
