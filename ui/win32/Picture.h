#pragma once
// A picture as the platform's own loaders read it, drawn at its natural pixel
// size. Icons (.ico, and PNG images as icons use them) go through user32's
// icon loader and uncompressed .bmp
// files straight to gdi32; everything else (GIF, compressed bitmaps,
// metafiles, JPEG) through OleLoadPicture, whose first use costs a program a
// good part of its start-up, so that the pictures shown at start need none.
// Copies share one loaded picture.

#include <windows.h>

#include "PictureBytes.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

class Picture {
public:
    Picture() = default;

    // An empty picture when the bytes are not a picture a loader reads whole.
    static Picture fromBytes(std::span<const std::byte> bytes);
    // A picture carried in the program file as an RCDATA resource.
    static Picture fromResource(int id);
    // A picture file chosen by the user: an empty picture when the path names
    // no plain file, when the file is larger than kMaxFileBytes or is no picture
    // a loader reads whole, or when its decoded size would pass
    // kMaxDecodedBytes: a hostile file cannot make the program claim unbounded
    // memory nor wait on a pipe.
    static Picture fromFile(const std::wstring& path);

    static constexpr std::size_t kMaxFileBytes = 16u << 20;
    static constexpr std::uint64_t kMaxDecodedBytes = PictureBytes::kMaxDecodedBytes;

    bool isNull() const { return !image_; }
    SIZE pixelSize() const { return size_; }

    // Draws the picture at its natural size with its top-left corner at x, y,
    // transparent parts showing what is already there.
    void draw(HDC dc, int x, int y) const;

    // A bitmap of the picture over a plain background, for a button face. The
    // caller owns it (DeleteObject).
    HBITMAP toBitmap(COLORREF background) const;

    class Image; // one of the loaders' results, in Picture.cpp

private:
    std::shared_ptr<const Image> image_;
    SIZE size_{};
};
