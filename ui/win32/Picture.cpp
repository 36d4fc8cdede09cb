#include "Picture.h"

#include "Com.h"
#include "Diagnostics.h"
#include "PictureBytes.h"
#include "TextConversion.h"
#include "WideText.h"

#include <ocidl.h>
#include <olectl.h>

#include <cstring>
#include <vector>

class Picture::Image {
public:
    virtual ~Image() = default;
    virtual void draw(HDC dc, int x, int y, SIZE size) const = 0;
};

namespace {
constexpr int kHimetricPerInch = 2540;

// What a loader made of the bytes: the image, the pixels it holds, and the size
// it stands for at 96 dpi. A refused file is not handed to another loader.
struct Loaded {
    std::shared_ptr<const Picture::Image> image;
    SIZE source{};
    SIZE logical{};
    bool refused = false;
};

class IconImage : public Picture::Image {
public:
    explicit IconImage(HICON icon) : icon_(icon) {}
    ~IconImage() override { DestroyIcon(icon_); }
    void draw(HDC dc, int x, int y, SIZE size) const override {
        DrawIconEx(dc, x, y, icon_, size.cx, size.cy, 0, nullptr, DI_NORMAL);
    }

private:
    HICON icon_;
};

// The file's own bytes, handed to gdi32 as they are.
class BitmapImage : public Picture::Image {
public:
    BitmapImage(std::vector<std::byte> file, std::size_t bitsAt, SIZE source)
        : file_(std::move(file)), bitsAt_(bitsAt), source_(source) {}
    void draw(HDC dc, int x, int y, SIZE size) const override {
        const auto* info =
            reinterpret_cast<const BITMAPINFO*>(file_.data() + sizeof(BITMAPFILEHEADER));
        // Whole multiples keep every source pixel a sharp square; anything
        // between averages, where repeating some rows and not others would show.
        const bool wholeMultiple = size.cx % source_.cx == 0 && size.cy % source_.cy == 0;
        const int previousMode = SetStretchBltMode(dc, wholeMultiple ? COLORONCOLOR : HALFTONE);
        POINT previousOrigin{};
        SetBrushOrgEx(dc, 0, 0, &previousOrigin);
        StretchDIBits(dc, x, y, size.cx, size.cy, 0, 0, source_.cx, source_.cy,
                      file_.data() + bitsAt_, info, DIB_RGB_COLORS, SRCCOPY);
        SetBrushOrgEx(dc, previousOrigin.x, previousOrigin.y, nullptr);
        SetStretchBltMode(dc, previousMode);
    }

private:
    std::vector<std::byte> file_;
    std::size_t bitsAt_;
    SIZE source_;
};

class OleImage : public Picture::Image {
public:
    explicit OleImage(IPicture* picture) : picture_(picture) {}
    ~OleImage() override { picture_->Release(); }
    void draw(HDC dc, int x, int y, SIZE size) const override {
        OLE_XSIZE_HIMETRIC width = 0;
        OLE_YSIZE_HIMETRIC height = 0;
        picture_->get_Width(&width);
        picture_->get_Height(&height);
        // The source rectangle runs bottom-up in HIMETRIC units.
        picture_->Render(dc, x, y, size.cx, size.cy, 0, height, width, -height, nullptr);
    }

private:
    IPicture* picture_;
};

template <class T> T read(std::span<const std::byte> bytes, std::size_t at) {
    T value{};
    std::memcpy(&value, bytes.data() + at, sizeof value);
    return value;
}

// One image as an icon file holds it: a bitmap with its mask, or a PNG file.
std::shared_ptr<const Picture::Image> iconFromImage(std::span<const std::byte> image, SIZE size) {
    constexpr DWORD kIconFormat = 0x00030000;
    const HICON icon = CreateIconFromResourceEx(
        reinterpret_cast<BYTE*>(const_cast<std::byte*>(image.data())), DWORD(image.size()), TRUE,
        kIconFormat, size.cx, size.cy, LR_DEFAULTCOLOR);
    return icon ? std::make_shared<IconImage>(icon) : nullptr;
}

// A PNG file as an icon image; its size is in its header chunk.
Loaded loadPng(std::span<const std::byte> file) {
    const std::optional<PictureBytes::PixelSize> png = PictureBytes::pngSize(file);
    if (!png) return {};
    const SIZE size{LONG(png->width), LONG(png->height)};
    return {iconFromImage(file, size), size, size};
}

Loaded loadIcon(std::span<const std::byte> file, UINT dpi) {
    const std::optional<PictureBytes::IconDirectory> directory =
        PictureBytes::readIconDirectory(file);
    if (!directory) return {};
    const PictureBytes::IconChoice choice =
        PictureBytes::chooseIconImage(*directory, double(dpi) / Picture::kStandardDpi);
    const PictureBytes::IconEntry& chosen = directory->images[choice.index];
    const std::span<const std::byte> image = PictureBytes::iconImageBytes(file, chosen);
    if (!PictureBytes::withinDecodeLimit(image)) return {nullptr, {}, {}, true};
    if (image.empty()) return {};
    return {iconFromImage(image, {chosen.width, chosen.height}),
            {chosen.width, chosen.height},
            {LONG(choice.logical.width), LONG(choice.logical.height)}};
}

// An uncompressed bitmap whose headers, colour table and rows all lie inside
// the file; anything else is left to the OLE loader.
Loaded loadPlainBitmap(std::span<const std::byte> file) {
    constexpr std::size_t kFileHeader = sizeof(BITMAPFILEHEADER),
                          kInfoHeader = sizeof(BITMAPINFOHEADER);
    if (file.size() < kFileHeader + kInfoHeader || !PictureBytes::bitmapComplete(file)) return {};
    const auto info = read<BITMAPINFOHEADER>(file, kFileHeader);
    const auto bitsAt = read<DWORD>(file, PictureBytes::BitmapLayout::kPixelsOffsetAt);
    if (info.biSize < kInfoHeader || info.biCompression != BI_RGB || info.biPlanes != 1) return {};
    const std::size_t colours = info.biClrUsed         ? info.biClrUsed
                                : info.biBitCount <= 8 ? 1u << info.biBitCount
                                                       : 0;
    if (kFileHeader + info.biSize + colours * sizeof(RGBQUAD) > bitsAt || bitsAt > file.size())
        return {};
    if (info.biWidth <= 0 || info.biHeight == 0) return {};
    const SIZE size{info.biWidth, info.biHeight < 0 ? -info.biHeight : info.biHeight};
    return {std::make_shared<BitmapImage>(std::vector<std::byte>(file.begin(), file.end()), bitsAt,
                                          size),
            size, size};
}

Loaded loadWithOle(std::span<const std::byte> bytes) {
    ensureOle();
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!memory) return {};
    std::memcpy(GlobalLock(memory), bytes.data(), bytes.size());
    GlobalUnlock(memory);
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream))) {
        GlobalFree(memory);
        return {};
    }
    IPicture* picture = nullptr;
    const HRESULT loaded = OleLoadPicture(stream, LONG(bytes.size()), FALSE, IID_IPicture,
                                          reinterpret_cast<void**>(&picture));
    stream->Release();
    if (FAILED(loaded) || !picture) return {};
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    picture->get_Width(&width);
    picture->get_Height(&height);
    // The loader turned the file's pixels into HIMETRIC at the screen's dpi;
    // only that dpi turns them back into the same pixels.
    const HDC screen = GetDC(nullptr);
    const int dpiX = GetDeviceCaps(screen, LOGPIXELSX), dpiY = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    const SIZE size{MulDiv(width, dpiX, kHimetricPerInch), MulDiv(height, dpiY, kHimetricPerInch)};
    return {std::make_shared<OleImage>(picture), size, size};
}

// The whole file, or nothing when it is no plain file or too large.
std::vector<std::byte> readPlainFile(const std::wstring& path) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::vector<std::byte> bytes;
    LARGE_INTEGER size{};
    // A pipe or a device would make the read wait or never end.
    if (GetFileType(file) == FILE_TYPE_DISK && GetFileSizeEx(file, &size) && size.QuadPart > 0 &&
        size.QuadPart <= LONGLONG(Picture::kMaxFileBytes)) {
        bytes.resize(std::size_t(size.QuadPart));
        DWORD got = 0;
        if (!ReadFile(file, bytes.data(), DWORD(bytes.size()), &got, nullptr) ||
            got != bytes.size())
            bytes.clear();
    }
    CloseHandle(file);
    return bytes;
}
} // namespace

Picture Picture::fromBytes(std::span<const std::byte> bytes, UINT dpi) {
    Picture result;
    if (bytes.empty() || bytes.size() > kMaxFileBytes) return result;
    if (!PictureBytes::bitmapComplete(bytes) || !PictureBytes::withinDecodeLimit(bytes))
        return result;
    Loaded loaded;
    if (PictureBytes::isIcon(bytes))
        loaded = loadIcon(bytes, dpi);
    else if (PictureBytes::isPng(bytes))
        loaded = loadPng(bytes);
    else if (PictureBytes::isBitmap(bytes))
        loaded = loadPlainBitmap(bytes);
    if (!loaded.image && !loaded.refused) loaded = loadWithOle(bytes);
    if (!loaded.image || loaded.source.cx <= 0 || loaded.source.cy <= 0) return result;
    result.image_ = std::move(loaded.image);
    result.source_ = loaded.source;
    result.logical_ = loaded.logical;
    result.scaleTo(dpi);
    return result;
}

Picture Picture::fromResources(int id, int doubleId, UINT dpi) {
    if (dpi >= kDoubleSourceDpi) {
        Picture doubled = fromResource(doubleId);
        if (!doubled.isNull()) {
            doubled.logical_ = {doubled.source_.cx / 2, doubled.source_.cy / 2};
            doubled.scaleTo(dpi);
            return doubled;
        }
    }
    return fromResource(id, dpi);
}

void Picture::scaleTo(UINT dpi) {
    size_ = {MulDiv(logical_.cx, int(dpi), int(kStandardDpi)),
             MulDiv(logical_.cy, int(dpi), int(kStandardDpi))};
}

Picture Picture::fromResource(int id, UINT dpi) {
    const HMODULE module = GetModuleHandleW(nullptr);
    const HRSRC found =
        FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10)); // RT_RCDATA
    if (!found) return {};
    const auto* data = static_cast<const std::byte*>(LockResource(LoadResource(module, found)));
    if (!data) return {};
    return fromBytes({data, SizeofResource(module, found)}, dpi);
}

Picture Picture::fromFile(const std::wstring& path, UINT dpi) {
    Picture picture = fromBytes(readPlainFile(path), dpi);
    if (picture.isNull() && Diagnostics::enabled())
        Diagnostics::note(Diagnostics::Area::Picture,
                          TextConversion::narrow(toU16(path)) +
                              ": no picture this program reads (unreadable, not a plain file, "
                              "too large, or of an unknown or damaged format)");
    return picture;
}

void Picture::draw(HDC dc, int x, int y) const {
    if (image_) image_->draw(dc, x, y, size_);
}

OwnedBitmap Picture::toBitmap(COLORREF background) const {
    const HDC screen = GetDC(nullptr);
    const HDC dc = CreateCompatibleDC(screen);
    OwnedBitmap bitmap(CreateCompatibleBitmap(screen, size_.cx, size_.cy));
    const HGDIOBJ previous = SelectObject(dc, bitmap.get());
    const RECT all{0, 0, size_.cx, size_.cy};
    const OwnedBrush brush(CreateSolidBrush(background));
    FillRect(dc, &all, brush.get());
    draw(dc, 0, 0);
    SelectObject(dc, previous);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return bitmap;
}
