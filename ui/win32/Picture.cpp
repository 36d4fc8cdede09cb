#include "Picture.h"

#include "Com.h"
#include "PictureBytes.h"

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
constexpr int kReferenceDpi = 96;

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
    BitmapImage(std::vector<std::byte> file, std::size_t bitsAt)
        : file_(std::move(file)), bitsAt_(bitsAt) {}
    void draw(HDC dc, int x, int y, SIZE size) const override {
        const auto* info =
            reinterpret_cast<const BITMAPINFO*>(file_.data() + sizeof(BITMAPFILEHEADER));
        SetDIBitsToDevice(dc, x, y, DWORD(size.cx), DWORD(size.cy), 0, 0, 0, UINT(size.cy),
                          file_.data() + bitsAt_, info, DIB_RGB_COLORS);
    }

private:
    std::vector<std::byte> file_;
    std::size_t bitsAt_;
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
std::shared_ptr<const Picture::Image> loadPng(std::span<const std::byte> file, SIZE& size) {
    constexpr std::size_t kWidthAt = 16, kHeaderEnd = 24;
    if (file.size() < kHeaderEnd) return nullptr;
    auto bigEndian = [&](std::size_t at) {
        LONG value = 0;
        for (std::size_t i = 0; i < 4; ++i)
            value = (value << 8) | std::to_integer<LONG>(file[at + i]);
        return value;
    };
    size = {bigEndian(kWidthAt), bigEndian(kWidthAt + 4)};
    return iconFromImage(file, size);
}

// The icon file's best 32 x 32 image (the most bits per pixel), else its first.
std::shared_ptr<const Picture::Image> loadIcon(std::span<const std::byte> file, SIZE& size) {
    constexpr std::size_t kHeader = 6, kEntry = 16;
    constexpr int kWanted = 32;
    const auto count = read<WORD>(file, 4);
    if (count == 0 || file.size() < kHeader + count * kEntry) return nullptr;
    std::size_t best = 0;
    int bestBits = -1;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = kHeader + i * kEntry;
        const int width = std::to_integer<int>(file[entry]), bits = read<WORD>(file, entry + 6);
        if (width == kWanted && bits > bestBits) {
            best = i;
            bestBits = bits;
        }
    }
    const std::size_t entry = kHeader + best * kEntry;
    const int width = std::to_integer<int>(file[entry]),
              height = std::to_integer<int>(file[entry + 1]);
    const auto bytes = read<DWORD>(file, entry + 8), offset = read<DWORD>(file, entry + 12);
    if (offset > file.size() || bytes > file.size() - offset) return nullptr;
    constexpr int kLargest = 256; // a size of 0 in the directory
    size = {width ? width : kLargest, height ? height : kLargest};
    return iconFromImage(file.subspan(offset, bytes), size);
}

// An uncompressed bitmap whose headers, colour table and rows all lie inside
// the file; anything else is left to the OLE loader.
std::shared_ptr<const Picture::Image> loadPlainBitmap(std::span<const std::byte> file, SIZE& size) {
    constexpr std::size_t kFileHeader = sizeof(BITMAPFILEHEADER),
                          kInfoHeader = sizeof(BITMAPINFOHEADER);
    if (file.size() < kFileHeader + kInfoHeader || !PictureBytes::bitmapComplete(file))
        return nullptr;
    const auto info = read<BITMAPINFOHEADER>(file, kFileHeader);
    const auto bitsAt = read<DWORD>(file, PictureBytes::BitmapLayout::kPixelsOffsetAt);
    if (info.biSize < kInfoHeader || info.biCompression != BI_RGB || info.biPlanes != 1)
        return nullptr;
    const std::size_t colours = info.biClrUsed         ? info.biClrUsed
                                : info.biBitCount <= 8 ? 1u << info.biBitCount
                                                       : 0;
    if (kFileHeader + info.biSize + colours * sizeof(RGBQUAD) > bitsAt || bitsAt > file.size())
        return nullptr;
    if (info.biWidth <= 0 || info.biHeight == 0) return nullptr;
    size = {info.biWidth, info.biHeight < 0 ? -info.biHeight : info.biHeight};
    return std::make_shared<BitmapImage>(std::vector<std::byte>(file.begin(), file.end()), bitsAt);
}

std::shared_ptr<const Picture::Image> loadWithOle(std::span<const std::byte> bytes, SIZE& size) {
    ensureOle();
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!memory) return nullptr;
    std::memcpy(GlobalLock(memory), bytes.data(), bytes.size());
    GlobalUnlock(memory);
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream))) {
        GlobalFree(memory);
        return nullptr;
    }
    IPicture* picture = nullptr;
    const HRESULT loaded = OleLoadPicture(stream, LONG(bytes.size()), FALSE, IID_IPicture,
                                          reinterpret_cast<void**>(&picture));
    stream->Release();
    if (FAILED(loaded) || !picture) return nullptr;
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    picture->get_Width(&width);
    picture->get_Height(&height);
    size = {MulDiv(width, kReferenceDpi, kHimetricPerInch),
            MulDiv(height, kReferenceDpi, kHimetricPerInch)};
    return std::make_shared<OleImage>(picture);
}

bool startsWith(std::span<const std::byte> bytes, std::initializer_list<int> magic) {
    if (bytes.size() < magic.size()) return false;
    std::size_t i = 0;
    for (const int byte : magic)
        if (std::to_integer<int>(bytes[i++]) != byte) return false;
    return true;
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

Picture Picture::fromBytes(std::span<const std::byte> bytes) {
    Picture result;
    if (bytes.empty() || bytes.size() > kMaxFileBytes) return result;
    if (!PictureBytes::bitmapComplete(bytes) || !PictureBytes::withinDecodeLimit(bytes))
        return result;
    if (startsWith(bytes, {0, 0, 1, 0}))
        result.image_ = loadIcon(bytes, result.size_);
    else if (startsWith(bytes, {0x89, 'P', 'N', 'G'}))
        result.image_ = loadPng(bytes, result.size_);
    else if (startsWith(bytes, {'B', 'M'}))
        result.image_ = loadPlainBitmap(bytes, result.size_);
    if (!result.image_) result.image_ = loadWithOle(bytes, result.size_);
    if (!result.image_) result.size_ = {};
    return result;
}

Picture Picture::fromResource(int id) {
    const HMODULE module = GetModuleHandleW(nullptr);
    const HRSRC found =
        FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10)); // RT_RCDATA
    if (!found) return {};
    const auto* data = static_cast<const std::byte*>(LockResource(LoadResource(module, found)));
    if (!data) return {};
    return fromBytes({data, SizeofResource(module, found)});
}

Picture Picture::fromFile(const std::wstring& path) {
    return fromBytes(readPlainFile(path));
}

void Picture::draw(HDC dc, int x, int y) const {
    if (image_) image_->draw(dc, x, y, size_);
}

HBITMAP Picture::toBitmap(COLORREF background) const {
    const HDC screen = GetDC(nullptr);
    const HDC dc = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, size_.cx, size_.cy);
    const HGDIOBJ previous = SelectObject(dc, bitmap);
    const RECT all{0, 0, size_.cx, size_.cy};
    const HBRUSH brush = CreateSolidBrush(background);
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    draw(dc, 0, 0);
    SelectObject(dc, previous);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return bitmap;
}
