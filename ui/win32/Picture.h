#pragma once
// A picture as the platform's own loader reads it (OleLoadPicture: icons,
// bitmaps, GIFs, metafiles), drawn at its natural pixel size. Copies share one
// loaded picture.

#include <windows.h>
#include <ocidl.h>

#include <cstddef>
#include <memory>
#include <span>
#include <string>

class Picture {
public:
    Picture() = default;

    // An empty picture when the bytes are not a picture the loader reads whole.
    static Picture fromBytes(std::span<const std::byte> bytes);
    // A picture carried in the program file as an RCDATA resource.
    static Picture fromResource(int id);
    // A picture file chosen by the user: an empty picture when the path names
    // no plain file, when the file is larger than kMaxFileBytes or is no picture
    // the loader reads whole, or when its decoded size would pass
    // kMaxDecodedBytes: a hostile file cannot make the program claim unbounded
    // memory nor wait on a pipe.
    static Picture fromFile(const std::wstring& path);

    static constexpr std::size_t kMaxFileBytes = 16u << 20;
    static constexpr std::size_t kMaxDecodedBytes = 64u << 20;

    bool isNull() const { return !picture_; }
    SIZE pixelSize() const { return size_; }

    // Draws the picture at its natural size with its top-left corner at x, y,
    // transparent parts showing what is already there.
    void draw(HDC dc, int x, int y) const;

    // A bitmap of the picture over a plain background, for a button face. The
    // caller owns it (DeleteObject).
    HBITMAP toBitmap(COLORREF background) const;

private:
    std::shared_ptr<IPicture> picture_;
    SIZE size_{};
};
