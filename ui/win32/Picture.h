#pragma once
// A picture as the platform's own loaders read it, drawn at its size at 96 dpi
// times the dpi it was loaded for, as the layout around it is. The bitmaps of
// icons (.ico) and uncompressed .bmp files are read here and converted by
// gdi32; every other raster format (PNG, also inside an icon, GIF, JPEG, TIFF,
// compressed bitmaps) goes through the Windows Imaging Component, and
// metafiles through OleLoadPicture. COM's first use costs a program a good
// part of its start-up, so the pictures shown at start need none. Every format
// but metafiles is held as premultiplied pixels and scaled by one rule.
// Copies share one loaded picture.

#include <windows.h>

#include "Handles.h"
#include "PictureBytes.h"
#include "PictureScale.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

class Picture {
public:
    Picture() = default;

    // An empty picture when the bytes are not a picture a loader reads whole.
    // Every picture has a logical size, its size at 96 dpi (a file's natural
    // pixel size; for an icon file with a 32 x 32 image, 32 x 32), and is drawn
    // at that size times dpi/96, like the layout around it. An icon file with
    // several images is drawn from the one PictureBytes::chooseIconImage
    // chooses for the dpi, as in the Qt program.
    static Picture fromBytes(std::span<const std::byte> bytes, UINT dpi = kStandardDpi);
    // A picture carried in the program file as an RCDATA resource.
    static Picture fromResource(int id, UINT dpi = kStandardDpi);
    // A carried picture with a rendering at twice its size (the RCDATA
    // resource doubleId), and perhaps one at three times (tripleId): from
    // kDoubleSourceDpi on the doubled rendering is drawn, from kTripleSourceDpi
    // on the tripled one, at the logical size of the plain one.
    static Picture fromResources(int id, int doubleId, UINT dpi, int tripleId = 0);
    // A picture file chosen by the user: an empty picture when the path names
    // no plain file, when the file is larger than kMaxFileBytes or is no picture
    // a loader reads whole, or when its decoded size would pass
    // kMaxDecodedBytes: a hostile file cannot make the program claim unbounded
    // memory nor wait on a pipe.
    static Picture fromFile(const std::wstring& path, UINT dpi = kStandardDpi);

    static constexpr UINT kStandardDpi = USER_DEFAULT_SCREEN_DPI;
    static constexpr UINT kDoubleSourceDpi = PictureScale::kDoubleFromDpi;
    static constexpr UINT kTripleSourceDpi = PictureScale::kTripleFromDpi;
    static constexpr std::size_t kMaxFileBytes = 16u << 20;
    static constexpr std::uint64_t kMaxDecodedBytes = PictureBytes::kMaxDecodedBytes;

    bool isNull() const { return !image_; }
    // The size it is drawn at, in device pixels at its dpi.
    SIZE pixelSize() const { return size_; }
    // Its size at 96 dpi.
    SIZE logicalSize() const { return logical_; }
    // The pixels of the image it is drawn from.
    SIZE sourceSize() const { return source_; }

    // Draws the picture at pixelSize() with its top-left corner at x, y,
    // transparent parts showing what is already there.
    void draw(HDC dc, int x, int y) const;

    // An icon of the picture at pixelSize(), its transparency kept, for a
    // button to draw over its own face; null for a picture that holds no
    // pixels of its own (a metafile).
    OwnedIcon toIcon() const;

    class Image; // one of the loaders' results, in Picture.cpp

private:
    void scaleTo(UINT dpi);

    std::shared_ptr<const Image> image_;
    SIZE size_{};
    SIZE logical_{};
    SIZE source_{};
};
