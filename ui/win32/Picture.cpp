#include "Picture.h"

#include "PictureBytes.h"

#include <olectl.h>

#include <cstring>
#include <vector>

namespace {
constexpr int kHimetricPerInch = 2540;
constexpr int kReferenceDpi = 96;

struct Release {
    void operator()(IUnknown* object) const { object->Release(); }
};

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
        if (!ReadFile(file, bytes.data(), DWORD(bytes.size()), &got, nullptr) || got != bytes.size())
            bytes.clear();
    }
    CloseHandle(file);
    return bytes;
}
} // namespace

Picture Picture::fromBytes(std::span<const std::byte> bytes) {
    Picture result;
    if (bytes.empty() || bytes.size() > kMaxFileBytes) return result;
    if (!PictureBytes::bitmapComplete(bytes) || PictureBytes::decodedBytes(bytes) > kMaxDecodedBytes)
        return result;
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!memory) return result;
    std::memcpy(GlobalLock(memory), bytes.data(), bytes.size());
    GlobalUnlock(memory);
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream))) {
        GlobalFree(memory);
        return result;
    }
    IPicture* picture = nullptr;
    const HRESULT loaded = OleLoadPicture(stream, LONG(bytes.size()), FALSE, IID_IPicture,
                                          reinterpret_cast<void**>(&picture));
    stream->Release();
    if (FAILED(loaded) || !picture) return result;
    result.picture_.reset(picture, Release{});
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    picture->get_Width(&width);
    picture->get_Height(&height);
    result.size_ = {MulDiv(width, kReferenceDpi, kHimetricPerInch), MulDiv(height, kReferenceDpi, kHimetricPerInch)};
    return result;
}

Picture Picture::fromResource(int id) {
    const HMODULE module = GetModuleHandleW(nullptr);
    const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10)); // RT_RCDATA
    if (!found) return {};
    const HGLOBAL loaded = LoadResource(module, found);
    const auto* data = static_cast<const std::byte*>(LockResource(loaded));
    if (!data) return {};
    return fromBytes({data, SizeofResource(module, found)});
}

Picture Picture::fromFile(const std::wstring& path) {
    const std::vector<std::byte> bytes = readPlainFile(path);
    return fromBytes(bytes);
}

void Picture::draw(HDC dc, int x, int y) const {
    if (!picture_) return;
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    picture_->get_Width(&width);
    picture_->get_Height(&height);
    // The source rectangle runs bottom-up in HIMETRIC units.
    picture_->Render(dc, x, y, size_.cx, size_.cy, 0, height, width, -height, nullptr);
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
