#include "Picture.h"

#include "Com.h"
#include "Diagnostics.h"
#include "PictureBytes.h"
#include "TextConversion.h"
#include "WideText.h"

#include <ocidl.h>
#include <olectl.h>
#include <wincodec.h>

#include <algorithm>
#include <cstring>
#include <vector>

class Picture::Image {
public:
    virtual ~Image() = default;
    virtual void draw(HDC dc, int x, int y, SIZE size) const = 0;
    // The premultiplied pixels at the source size, where the image keeps them.
    virtual const std::vector<std::uint32_t>* pixels() const { return nullptr; }
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

// For each pixel of a row `to` long, the pixels of a row `from` long that it
// covers when stretched over it, each with the share of it that it covers.
struct Cover {
    int first = 0;
    std::vector<double> shares;
};
std::vector<Cover> covers(int from, int to) {
    std::vector<Cover> result(static_cast<std::size_t>(to));
    const double step = double(from) / to;
    for (int t = 0; t < to; ++t) {
        const double begin = t * step, end = begin + step;
        Cover& cover = result[std::size_t(t)];
        cover.first = int(begin);
        for (int s = cover.first; s < from && s < end; ++s)
            cover.shares.push_back((std::min(end, s + 1.0) - std::max(begin, double(s))) / step);
    }
    return result;
}

// The one scaling rule of pictures decoded to pixels: a whole multiple repeats
// every source pixel as a sharp square; any other size averages the source
// pixels each target pixel covers, by how much of it they cover.
std::vector<std::uint32_t> scaledPixels(const std::vector<std::uint32_t>& source, SIZE from,
                                        SIZE to) {
    if (from.cx == to.cx && from.cy == to.cy) return source;
    std::vector<std::uint32_t> result(std::size_t(to.cx) * std::size_t(to.cy));
    if (to.cx % from.cx == 0 && to.cy % from.cy == 0) {
        for (LONG y = 0; y < to.cy; ++y)
            for (LONG x = 0; x < to.cx; ++x)
                result[std::size_t(y * to.cx + x)] =
                    source[std::size_t(y / (to.cy / from.cy) * from.cx + x / (to.cx / from.cx))];
        return result;
    }
    constexpr int kChannels = 4;
    const std::vector<Cover> across = covers(from.cx, to.cx), down = covers(from.cy, to.cy);
    std::vector<double> rows(std::size_t(to.cx) * std::size_t(from.cy) * kChannels);
    for (LONG y = 0; y < from.cy; ++y)
        for (LONG x = 0; x < to.cx; ++x) {
            const Cover& cover = across[std::size_t(x)];
            double* out = &rows[(std::size_t(y) * std::size_t(to.cx) + std::size_t(x)) * kChannels];
            for (std::size_t i = 0; i < cover.shares.size(); ++i) {
                const std::uint32_t pixel = source[std::size_t(y * from.cx + cover.first) + i];
                for (int c = 0; c < kChannels; ++c)
                    out[c] += cover.shares[i] * double((pixel >> (8 * c)) & 0xFF);
            }
        }
    for (LONG y = 0; y < to.cy; ++y)
        for (LONG x = 0; x < to.cx; ++x) {
            const Cover& cover = down[std::size_t(y)];
            double sum[kChannels] = {};
            for (std::size_t i = 0; i < cover.shares.size(); ++i) {
                const double* in =
                    &rows[((std::size_t(cover.first) + i) * std::size_t(to.cx) + std::size_t(x)) *
                          kChannels];
                for (int c = 0; c < kChannels; ++c)
                    sum[c] += cover.shares[i] * in[c];
            }
            std::uint32_t pixel = 0;
            for (int c = 0; c < kChannels; ++c)
                pixel |= std::uint32_t(std::clamp(sum[c] + 0.5, 0.0, 255.0)) << (8 * c);
            result[std::size_t(y * to.cx + x)] = pixel;
        }
    return result;
}

// Pixels as blue-green-red-alpha words with the colour premultiplied by the
// alpha, rows top-down: what every format but metafiles is decoded to, so that every format is
// scaled by one rule and drawn with its transparency. Premultiplied, the colour of a transparent
// pixel weighs nothing in the average: no dark fringe along a picture's edge.
class PixelImage : public Picture::Image {
public:
    PixelImage(std::vector<std::uint32_t> pixels, SIZE size)
        : pixels_(std::move(pixels)), size_(size) {}
    void draw(HDC dc, int x, int y, SIZE size) const override {
        if (size.cx <= 0 || size.cy <= 0) return;
        if (scaled_.empty() || scaledSize_.cx != size.cx || scaledSize_.cy != size.cy) {
            scaled_ = scaledPixels(pixels_, size_, size); // once, not at every paint
            scaledSize_ = size;
        }
        const std::vector<std::uint32_t>& scaled = scaled_;
        BITMAPINFO info{};
        info.bmiHeader = {
            sizeof(BITMAPINFOHEADER), size.cx, -size.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        const HDC memory = CreateCompatibleDC(dc);
        const HBITMAP section = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (section && bits) {
            std::memcpy(bits, scaled.data(), scaled.size() * sizeof(std::uint32_t));
            const HGDIOBJ previous = SelectObject(memory, section);
            const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
            GdiAlphaBlend(dc, x, y, size.cx, size.cy, memory, 0, 0, size.cx, size.cy, blend);
            SelectObject(memory, previous);
        }
        if (section) DeleteObject(section);
        DeleteDC(memory);
    }
    const std::vector<std::uint32_t>* pixels() const override { return &pixels_; }

private:
    std::vector<std::uint32_t> pixels_;
    SIZE size_;
    mutable std::vector<std::uint32_t> scaled_;
    mutable SIZE scaledSize_{};
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

Loaded loadWithImaging(std::span<const std::byte> bytes);

// Straight colours made premultiplied, in place.
void premultiply(std::vector<std::uint32_t>& pixels) {
    for (std::uint32_t& pixel : pixels) {
        const std::uint32_t alpha = pixel >> 24;
        if (alpha == 0xFF) continue;
        std::uint32_t result = pixel & 0xFF000000u;
        for (int c = 0; c < 3; ++c)
            result |= (((pixel >> (8 * c)) & 0xFF) * alpha + 127) / 255 << (8 * c);
        pixel = result;
    }
}

// A bitmap's rows as the header and colour table given describe them,
// converted by gdi32 to top-down blue-green-red words of the size given (the
// fourth byte left zero).
std::vector<std::uint32_t> bitmapRows(const BITMAPINFO* header, const std::byte* rows, SIZE size) {
    BITMAPINFO target{};
    target.bmiHeader = {sizeof(BITMAPINFOHEADER), size.cx, -size.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    const HDC dc = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    const HBITMAP section = CreateDIBSection(dc, &target, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::vector<std::uint32_t> pixels;
    if (section && bits) {
        const HGDIOBJ previous = SelectObject(dc, section);
        if (SetDIBitsToDevice(dc, 0, 0, DWORD(size.cx), DWORD(size.cy), 0, 0, 0, UINT(size.cy),
                              rows, header, DIB_RGB_COLORS) > 0) {
            GdiFlush();
            const auto* words = static_cast<const std::uint32_t*>(bits);
            pixels.assign(words, words + std::size_t(size.cx) * std::size_t(size.cy));
        }
        SelectObject(dc, previous);
    }
    if (section) DeleteObject(section);
    DeleteDC(dc);
    return pixels;
}

// One bitmap image as an icon file holds it (twice its height, its colours
// over its one-bit mask), as premultiplied pixels. A 32-bit bitmap with an
// alpha channel is drawn by that channel, every other one by its mask.
// Nothing when a part lies outside the image's bytes.
std::vector<std::uint32_t> iconBitmapPixels(std::span<const std::byte> image, SIZE& size) {
    if (image.size() < sizeof(BITMAPINFOHEADER)) return {};
    auto header = read<BITMAPINFOHEADER>(image, 0);
    const LONG width = header.biWidth, height = header.biHeight / 2;
    const WORD depth = header.biBitCount;
    if (header.biSize < sizeof header || header.biSize > image.size() || width <= 0 ||
        height <= 0 || header.biCompression != BI_RGB || header.biPlanes != 1 ||
        (depth != 1 && depth != 4 && depth != 8 && depth != 24 && depth != 32))
        return {};
    const std::size_t colours = depth > 8 ? 0 : header.biClrUsed ? header.biClrUsed : 1u << depth;
    if (colours > 256) return {};
    const std::size_t headerBytes = header.biSize;
    const std::size_t colourStride = (std::size_t(width) * depth + 31) / 32 * 4;
    const std::size_t maskStride = (std::size_t(width) + 31) / 32 * 4;
    const std::size_t colourAt = headerBytes + colours * sizeof(RGBQUAD);
    const std::size_t maskAt = colourAt + colourStride * std::size_t(height);
    if (maskAt + maskStride * std::size_t(height) > image.size()) return {};

    // The colour rows, through a copy of the header of their own height.
    std::vector<std::byte> info(sizeof(BITMAPINFOHEADER) + colours * sizeof(RGBQUAD));
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biHeight = height;
    header.biSizeImage = 0;
    header.biClrUsed = DWORD(colours);
    std::memcpy(info.data(), &header, sizeof header);
    if (colours)
        std::memcpy(info.data() + sizeof header, image.data() + headerBytes,
                    colours * sizeof(RGBQUAD));
    size = {width, height};
    std::vector<std::uint32_t> pixels =
        bitmapRows(reinterpret_cast<const BITMAPINFO*>(info.data()), image.data() + colourAt, size);
    if (pixels.empty()) return {};

    bool alphaChannel = false;
    if (depth == 32) {
        // gdi32 keeps only the colours; the channel is read from the rows.
        for (LONG y = 0; y < height; ++y)
            for (LONG x = 0; x < width; ++x) {
                const auto alpha = std::to_integer<std::uint32_t>(
                    image[colourAt + std::size_t(height - 1 - y) * colourStride +
                          std::size_t(x) * 4 + 3]);
                std::uint32_t& pixel = pixels[std::size_t(y * width + x)];
                pixel = (pixel & 0x00FFFFFFu) | alpha << 24;
                alphaChannel = alphaChannel || alpha;
            }
    }
    if (!alphaChannel)
        for (LONG y = 0; y < height; ++y)
            for (LONG x = 0; x < width; ++x) {
                const std::byte bits =
                    image[maskAt + std::size_t(height - 1 - y) * maskStride + std::size_t(x) / 8];
                const bool hidden = std::to_integer<int>(bits >> (7 - x % 8)) & 1;
                std::uint32_t& pixel = pixels[std::size_t(y * width + x)];
                pixel = hidden ? 0 : (pixel & 0x00FFFFFFu) | 0xFF000000u;
            }
    premultiply(pixels);
    return pixels;
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
    const SIZE logical{LONG(choice.logical.width), LONG(choice.logical.height)};
    if (PictureBytes::isPng(image)) {
        Loaded png = loadWithImaging(image);
        if (png.image) png.logical = logical;
        return png;
    }
    SIZE size{};
    std::vector<std::uint32_t> pixels = iconBitmapPixels(image, size);
    if (pixels.empty()) return {}; // perhaps a kind of image the imaging component reads
    return {std::make_shared<PixelImage>(std::move(pixels), size), size, logical};
}

// An uncompressed bitmap whose headers, colour table and rows all lie inside
// the file, decoded by gdi32 (no COM, for the banner shown at start); anything
// else is left to the imaging component. Its pixels are opaque, as the
// system's loaders take them.
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
    std::vector<std::uint32_t> pixels = bitmapRows(
        reinterpret_cast<const BITMAPINFO*>(file.data() + kFileHeader), file.data() + bitsAt, size);
    if (pixels.empty()) return {};
    for (std::uint32_t& pixel : pixels)
        pixel |= 0xFF000000u;
    return {std::make_shared<PixelImage>(std::move(pixels), size), size, size};
}

// Every other raster format (PNG in all its colour types, GIF, JPEG, TIFF,
// compressed bitmaps) through the system's imaging component, in one pixel
// format whatever the file's own.
template <class T> struct ComRelease {
    T* p = nullptr;
    ~ComRelease() {
        if (p) p->Release();
    }
};
Loaded loadWithImaging(std::span<const std::byte> bytes) {
    ensureOle();
    ComRelease<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IWICImagingFactory, reinterpret_cast<void**>(&factory.p))))
        return {};
    ComRelease<IWICStream> stream;
    ComRelease<IWICBitmapDecoder> decoder;
    ComRelease<IWICBitmapFrameDecode> frame;
    ComRelease<IWICFormatConverter> converter;
    UINT width = 0, height = 0;
    if (FAILED(factory.p->CreateStream(&stream.p)) ||
        FAILED(stream.p->InitializeFromMemory(
            reinterpret_cast<BYTE*>(const_cast<std::byte*>(bytes.data())), DWORD(bytes.size()))) ||
        FAILED(factory.p->CreateDecoderFromStream(stream.p, nullptr, WICDecodeMetadataCacheOnDemand,
                                                  &decoder.p)) ||
        FAILED(decoder.p->GetFrame(0, &frame.p)) ||
        FAILED(factory.p->CreateFormatConverter(&converter.p)) ||
        FAILED(converter.p->Initialize(frame.p, GUID_WICPixelFormat32bppPBGRA,
                                       WICBitmapDitherTypeNone, nullptr, 0,
                                       WICBitmapPaletteTypeCustom)) ||
        FAILED(converter.p->GetSize(&width, &height)) || width == 0 || height == 0)
        return {};
    if (std::uint64_t(width) * height * sizeof(std::uint32_t) > Picture::kMaxDecodedBytes)
        return {nullptr, {}, {}, true};
    std::vector<std::uint32_t> pixels(std::size_t(width) * height);
    if (FAILED(converter.p->CopyPixels(nullptr, width * sizeof(std::uint32_t),
                                       UINT(pixels.size() * sizeof(std::uint32_t)),
                                       reinterpret_cast<BYTE*>(pixels.data()))))
        return {};
    const SIZE size{LONG(width), LONG(height)};
    return {std::make_shared<PixelImage>(std::move(pixels), size), size, size};
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
    else if (PictureBytes::isBitmap(bytes))
        loaded = loadPlainBitmap(bytes);
    if (!loaded.image && !loaded.refused) loaded = loadWithImaging(bytes);
    // Metafiles, which have no pixels of their own.
    if (!loaded.image && !loaded.refused) loaded = loadWithOle(bytes);
    if (!loaded.image || loaded.source.cx <= 0 || loaded.source.cy <= 0) return result;
    result.image_ = std::move(loaded.image);
    result.source_ = loaded.source;
    result.logical_ = loaded.logical;
    result.scaleTo(dpi);
    return result;
}

Picture Picture::fromResources(int id, int doubleId, UINT dpi, int tripleId) {
    struct Rendering {
        int id;
        UINT fromDpi;
        LONG times;
    };
    for (const Rendering dense :
         {Rendering{tripleId, kTripleSourceDpi, 3}, Rendering{doubleId, kDoubleSourceDpi, 2}}) {
        if (!dense.id || dpi < dense.fromDpi) continue;
        Picture picture = fromResource(dense.id);
        if (picture.isNull()) continue;
        picture.logical_ = {picture.source_.cx / dense.times, picture.source_.cy / dense.times};
        picture.scaleTo(dpi);
        return picture;
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

OwnedIcon Picture::toIcon() const {
    const std::vector<std::uint32_t>* source = image_ ? image_->pixels() : nullptr;
    if (!source || size_.cx <= 0 || size_.cy <= 0) return {};
    std::vector<std::uint32_t> pixels = scaledPixels(*source, source_, size_);
    // An icon's colours are not premultiplied.
    for (std::uint32_t& pixel : pixels) {
        const std::uint32_t alpha = pixel >> 24;
        if (alpha == 0 || alpha == 0xFF) continue;
        std::uint32_t straight = pixel & 0xFF000000u;
        for (int c = 0; c < 3; ++c)
            straight |= std::min<std::uint32_t>(((pixel >> (8 * c)) & 0xFF) * 255 / alpha, 255)
                        << (8 * c);
        pixel = straight;
    }
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), size_.cx, -size_.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const OwnedBitmap colour(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    // The alpha channel says what shows; the mask only has to be there.
    const OwnedBitmap mask(CreateBitmap(size_.cx, size_.cy, 1, 1, nullptr));
    if (!colour || !bits || !mask) return {};
    std::memcpy(bits, pixels.data(), pixels.size() * sizeof(std::uint32_t));
    ICONINFO icon{TRUE, 0, 0, mask.get(), colour.get()};
    return OwnedIcon(CreateIconIndirect(&icon));
}
