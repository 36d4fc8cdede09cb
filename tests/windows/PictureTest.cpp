// Pictures through the system's loader: the carried ones, and a user's files,
// sound or hostile.
#include "Picture.h"
#include "NativePictureBox.h"
#include "ResourceIds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

namespace {
namespace fs = std::filesystem;

std::vector<char> resourceBytes(int id) {
    const HMODULE module = GetModuleHandleW(nullptr);
    const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10));
    if (!found) throw std::runtime_error("no picture resource " + std::to_string(id));
    const auto* data = static_cast<const char*>(LockResource(LoadResource(module, found)));
    return {data, data + SizeofResource(module, found)};
}

class PictureFiles : public ::testing::Test {
protected:
    fs::path folder =
        fs::temp_directory_path() / ("tarrowin-pictures-" + std::to_string(GetCurrentProcessId()));
    void SetUp() override { fs::create_directories(folder); }
    void TearDown() override { fs::remove_all(folder); }
    fs::path write(const std::string& name, const std::vector<char>& bytes) {
        const fs::path path = folder / name;
        std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
        return path;
    }
};

TEST(CarriedPictures, EveryBuiltinIconAndTheDialogsPicturesLoadAtTheirSize) {
    struct Case {
        int id;
        LONG width, height;
    };
    const Case cases[] = {{IDP_BUILTIN_ICON_0 + 0, 32, 32},    {IDP_BUILTIN_ICON_0 + 1, 32, 32},
                          {IDP_BUILTIN_ICON_0 + 2, 32, 32},    {IDP_BUILTIN_ICON_0 + 3, 32, 32},
                          {IDP_BUILTIN_ICON_0 + 4, 32, 32},    {IDP_BUILTIN_ICON_0 + 5, 32, 32},
                          {IDP_BUILTIN_ICON_0 + 6, 32, 32},    {IDP_BUILTIN_ICON_2X_0 + 0, 64, 64},
                          {IDP_BUILTIN_ICON_2X_0 + 6, 64, 64}, {IDP_LOGO_BANNER, 222, 50},
                          {IDP_BROWSE_PICTURE, 16, 16}};
    for (const Case& c : cases) {
        const Picture picture = Picture::fromResource(c.id);
        ASSERT_FALSE(picture.isNull()) << c.id;
        EXPECT_EQ(picture.pixelSize().cx, c.width) << c.id;
        EXPECT_EQ(picture.pixelSize().cy, c.height) << c.id;
    }
}

TEST(CarriedPictures, TheIconBoxDrawsTheBuiltinIconsFromTheirDenserRenderingsFrom125PercentOn) {
    struct Case {
        UINT dpi;
        LONG source; // the rendering's width: 32, or the one at twice or three times the size
        LONG drawn;
    };
    NativePictureBox box;
    box.showBuiltinIcon(4);
    for (const Case c :
         {Case{96, 32, 32}, Case{119, 32, 40}, Case{120, 64, 40}, Case{144, 64, 48},
          Case{192, 64, 64}, Case{215, 64, 72}, Case{216, 96, 72}, Case{288, 96, 96}}) {
        box.dpiChanged(c.dpi);
        EXPECT_EQ(box.picture().sourceSize().cx, c.source) << "at " << c.dpi << " dpi";
        EXPECT_EQ(box.picture().pixelSize().cx, c.drawn) << "at " << c.dpi << " dpi";
    }
}

// The dpis of 100 to 300 % in the steps Windows offers.
constexpr UINT kDpis[] = {96, 120, 144, 168, 192, 240, 288};

LONG scaled(LONG logical, UINT dpi) {
    return MulDiv(logical, int(dpi), USER_DEFAULT_SCREEN_DPI);
}

TEST(CarriedPictures, CoverTheSameShareOfTheWindowAtEveryDpiFromTheSharpestSource) {
    struct Case {
        const char* what;
        int id, doubleId;
        SIZE logical;
    };
    const Case cases[] = {
        {"gear", IDP_BUILTIN_ICON_0, IDP_BUILTIN_ICON_2X_0, {32, 32}},
        {"banner", IDP_LOGO_BANNER, IDP_LOGO_BANNER_2X, {222, 50}},
        {"browse", IDP_BROWSE_PICTURE, IDP_BROWSE_PICTURE_2X, {16, 16}},
    };
    for (const Case& c : cases)
        for (const UINT dpi : kDpis) {
            const Picture picture = Picture::fromResources(c.id, c.doubleId, dpi);
            ASSERT_FALSE(picture.isNull()) << c.what << " at " << dpi;
            // Only 100 % of these draws from the plain rendering.
            const LONG sourceScale = dpi == 96 ? 1 : 2;
            EXPECT_EQ(picture.logicalSize().cx, c.logical.cx) << c.what << " at " << dpi;
            EXPECT_EQ(picture.pixelSize().cx, scaled(c.logical.cx, dpi))
                << c.what << " at " << dpi << " dpi";
            EXPECT_EQ(picture.pixelSize().cy, scaled(c.logical.cy, dpi))
                << c.what << " at " << dpi << " dpi";
            EXPECT_EQ(picture.sourceSize().cx, c.logical.cx * sourceScale)
                << c.what << " at " << dpi << " dpi is drawn from the wrong rendering";
        }
}

TEST_F(PictureFiles, IconBitmapAndGifFilesLoad) {
    for (const auto& [name, id] :
         {std::pair{"a.ico", IDP_BUILTIN_ICON_0 + 3}, std::pair{"b.bmp", IDP_LOGO_BANNER},
          std::pair{"c.gif", IDP_BROWSE_PICTURE}}) {
        const Picture picture = Picture::fromFile(write(name, resourceBytes(id)).wstring());
        EXPECT_FALSE(picture.isNull()) << name;
    }
}

// A 40 x 40 bitmap of one colour, plain (drawn by gdi32) or run-length coded
// (which only the OLE loader reads, and which it sizes in HIMETRIC).
std::vector<char> squareBitmap(bool runLength) {
    constexpr int kSide = 40;
    std::vector<char> pixels;
    for (int row = 0; row < kSide; ++row) {
        if (runLength) {
            pixels.insert(pixels.end(), {char(kSide), 0, 0, 0}); // a run of 40, end of line
        } else {
            pixels.insert(pixels.end(), kSide, 0);
        }
    }
    if (runLength) pixels.insert(pixels.end(), {0, 1}); // end of the picture
    constexpr std::size_t kHeaders = 14 + 40, kPalette = 4;
    std::vector<char> file(kHeaders + kPalette + pixels.size());
    auto put = [&](std::size_t at, std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            file[at + i] = char((value >> (8 * i)) & 0xFF);
    };
    file[0] = 'B';
    file[1] = 'M';
    put(2, std::uint32_t(kHeaders + kPalette + pixels.size()), 4);
    put(10, kHeaders + kPalette, 4);
    put(14, 40, 4);
    put(18, kSide, 4);
    put(22, kSide, 4);
    put(26, 1, 2);
    put(28, 8, 2);
    put(30, runLength ? 1 : 0, 4); // BI_RLE8 or BI_RGB
    put(34, std::uint32_t(pixels.size()), 4);
    put(46, 1, 4);                // one colour
    put(kHeaders, 0x00C00000, 4); // red, as blue-green-red-0
    std::copy(pixels.begin(), pixels.end(), file.begin() + kHeaders + kPalette);
    return file;
}

// A picture drawn on white at the origin of a square canvas: its pixels,
// 0x00RRGGBB, row by row.
constexpr int kCanvas = 500;
std::vector<std::uint32_t> drawnOnWhite(const Picture& picture) {
    const HDC screen = GetDC(nullptr);
    const HDC dc = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), kCanvas, -kCanvas, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const HBITMAP canvas = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ previous = SelectObject(dc, canvas);
    const RECT all{0, 0, kCanvas, kCanvas};
    FillRect(dc, &all, HBRUSH(GetStockObject(WHITE_BRUSH)));
    picture.draw(dc, 0, 0);
    GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    std::vector<std::uint32_t> drawn(pixels, pixels + kCanvas * kCanvas);
    for (std::uint32_t& pixel : drawn)
        pixel &= 0xFFFFFF;
    SelectObject(dc, previous);
    DeleteObject(canvas);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return drawn;
}

constexpr std::uint32_t kWhite = 0xFFFFFF;

// The rectangle a picture covers when drawn on white at the origin.
SIZE drawnExtent(const Picture& picture) {
    const std::vector<std::uint32_t> pixels = drawnOnWhite(picture);
    SIZE extent{};
    for (int y = 0; y < kCanvas; ++y)
        for (int x = 0; x < kCanvas; ++x)
            if (pixels[std::size_t(y * kCanvas + x)] != kWhite) {
                extent.cx = std::max<LONG>(extent.cx, x + 1);
                extent.cy = std::max<LONG>(extent.cy, y + 1);
            }
    return extent;
}

// How far what a picture draws other than white leans to red rather than
// blue: the mean of red minus blue, of 255. Swapping the two negates it.
double redOverBlue(const Picture& picture) {
    double sum = 0;
    int count = 0;
    for (const std::uint32_t pixel : drawnOnWhite(picture)) {
        if (pixel == kWhite) continue;
        sum += double((pixel >> 16) & 0xFF) - double(pixel & 0xFF);
        ++count;
    }
    return sum / std::max(count, 1);
}

// The rendering at twice the size is drawn in the colours of the plain one:
// a loader that read its channels in the wrong order would swap red and blue.
TEST(CarriedPictures, TwiceAsLargeRenderingsKeepThePlainOnesColours) {
    constexpr double kTolerance = 10; // edges are drawn afresh, not scaled
    for (const auto& [what, id, doubleId] :
         {std::tuple{"banner", IDP_LOGO_BANNER, IDP_LOGO_BANNER_2X},
          std::tuple{"browse", IDP_BROWSE_PICTURE, IDP_BROWSE_PICTURE_2X},
          std::tuple{"folder", IDP_BUILTIN_ICON_0 + 3, IDP_BUILTIN_ICON_2X_0 + 3}})
        EXPECT_NEAR(redOverBlue(Picture::fromResources(id, doubleId, 192)),
                    redOverBlue(Picture::fromResources(id, doubleId, 96)), kTolerance)
            << what << ": red over blue at twice the size, and plain";
}

TEST_F(PictureFiles, EveryFormatKeepsItsLogicalSizeAtEveryDpi) {
    const std::vector<std::pair<std::string, fs::path>> files = {
        {"plain bitmap", write("plain.bmp", squareBitmap(false))},
        {"run-length bitmap (OLE)", write("coded.bmp", squareBitmap(true))},
    };
    for (const auto& [what, path] : files)
        for (const UINT dpi : kDpis) {
            const Picture picture = Picture::fromFile(path.wstring(), dpi);
            ASSERT_FALSE(picture.isNull()) << what;
            const LONG expected = scaled(40, dpi);
            EXPECT_EQ(picture.pixelSize().cx, expected) << what << " at " << dpi << " dpi";
            const SIZE drawn = drawnExtent(picture);
            EXPECT_EQ(drawn.cx, expected) << what << " drawn at " << dpi << " dpi";
            EXPECT_EQ(drawn.cy, expected) << what << " drawn at " << dpi << " dpi";
        }
    const fs::path gif = write("small.gif", resourceBytes(IDP_BROWSE_PICTURE));
    const fs::path png = write("big.png", resourceBytes(IDP_BUILTIN_ICON_2X_0));
    for (const UINT dpi : kDpis) {
        EXPECT_EQ(Picture::fromFile(gif.wstring(), dpi).pixelSize().cx, scaled(16, dpi))
            << "gif at " << dpi << " dpi";
        EXPECT_EQ(Picture::fromFile(png.wstring(), dpi).pixelSize().cx, scaled(64, dpi))
            << "png at " << dpi << " dpi";
    }
}

// One picture (a red square, a white one, blue around them) as a 24-bit
// bitmap, a GIF, an RGB PNG without alpha, a palette PNG, and icons of a
// 32-bit image with alpha, of an 8-bit image with its mask and of a PNG
// image: every format is drawn in its own colours and scaled by one rule, to
// the same pixels.
TEST(UserPictures, EveryFormatDrawsTheSamePixelsInItsOwnColours) {
    const fs::path folder = TARROWIN_TEST_PICTURE_DIR;
    const char* others[] = {"pattern.gif", "pattern-rgb.png",     "pattern-palette.png",
                            "pattern.ico", "pattern-palette.ico", "pattern-png.ico"};
    for (const UINT dpi : {96u, 144u, 192u}) {
        const Picture bitmap = Picture::fromFile((folder / "pattern.bmp").wstring(), dpi);
        ASSERT_FALSE(bitmap.isNull());
        const std::vector<std::uint32_t> expected = drawnOnWhite(bitmap);
        EXPECT_EQ(expected[0], 0xC00000u) << "the bitmap's red corner at " << dpi << " dpi";
        for (const char* name : others) {
            const Picture picture = Picture::fromFile((folder / name).wstring(), dpi);
            ASSERT_FALSE(picture.isNull()) << name;
            const std::vector<std::uint32_t> drawn = drawnOnWhite(picture);
            EXPECT_EQ(drawn[0], 0xC00000u) << name << ": the red corner at " << dpi << " dpi";
            const auto differ = std::mismatch(drawn.begin(), drawn.end(), expected.begin());
            EXPECT_TRUE(differ.first == drawn.end())
                << name << " at " << dpi << " dpi differs from the bitmap at pixel "
                << (differ.first - drawn.begin()) << ": " << std::hex << *differ.first << " for "
                << *differ.second;
        }
    }
}

// The browse button draws its picture as an icon over its own face: the
// picture's transparent corner shows the face, whatever its colour.
TEST(CarriedPictures, BrowsePictureKeepsItsTransparencyOnTheButton) {
    constexpr COLORREF kFace = RGB(255, 0, 255);
    for (const UINT dpi : {96u, 144u, 192u}) {
        const Picture picture =
            Picture::fromResources(IDP_BROWSE_PICTURE, IDP_BROWSE_PICTURE_2X, dpi);
        const OwnedIcon icon = picture.toIcon();
        ASSERT_TRUE(icon) << dpi;
        const SIZE size = picture.pixelSize();
        const HDC screen = GetDC(nullptr);
        const HDC dc = CreateCompatibleDC(screen);
        const HBITMAP canvas = CreateCompatibleBitmap(screen, size.cx, size.cy);
        const HGDIOBJ previous = SelectObject(dc, canvas);
        const RECT all{0, 0, size.cx, size.cy};
        const OwnedBrush face(CreateSolidBrush(kFace));
        FillRect(dc, &all, face.get());
        DrawIconEx(dc, 0, 0, icon.get(), size.cx, size.cy, 0, nullptr, DI_NORMAL);
        int faceShowing = 0;
        for (int y = 0; y < size.cy; ++y)
            for (int x = 0; x < size.cx; ++x)
                faceShowing += GetPixel(dc, x, y) == kFace;
        for (const POINT corner : {POINT{0, 0}, POINT{size.cx - 1, 0}, POINT{0, size.cy - 1}})
            EXPECT_EQ(GetPixel(dc, corner.x, corner.y), kFace)
                << "corner " << corner.x << "," << corner.y << " at " << dpi << " dpi";
        EXPECT_LT(faceShowing, size.cx * size.cy / 2) << "the picture itself at " << dpi;
        SelectObject(dc, previous);
        DeleteObject(canvas);
        DeleteDC(dc);
        ReleaseDC(nullptr, screen);
    }
}

// An icon file of the gear's 32 x 32 true-colour image and its 64 x 64 PNG.
std::vector<char> twoSizeIcon() {
    const std::vector<char> small = resourceBytes(IDP_BUILTIN_ICON_0);
    const std::vector<char> large = resourceBytes(IDP_BUILTIN_ICON_2X_0);
    auto field = [&](std::size_t at) {
        std::uint32_t value = 0;
        std::memcpy(&value, small.data() + at, sizeof value);
        return value;
    };
    constexpr std::size_t kSecondEntry = 6 + 16;
    const std::uint32_t smallBytes = field(kSecondEntry + 8), smallAt = field(kSecondEntry + 12);
    std::vector<char> file(6 + 2 * 16);
    auto put = [&](std::size_t at, std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            file[at + i] = char((value >> (8 * i)) & 0xFF);
    };
    put(2, 1, 2);
    put(4, 2, 2);
    const std::uint32_t first = std::uint32_t(file.size());
    const std::pair<int, std::uint32_t> entries[] = {{64, std::uint32_t(large.size())},
                                                     {32, smallBytes}};
    std::uint32_t at = first;
    for (int i = 0; i < 2; ++i) {
        const std::size_t entry = 6 + std::size_t(i) * 16;
        put(entry, std::uint32_t(entries[i].first), 1);
        put(entry + 1, std::uint32_t(entries[i].first), 1);
        put(entry + 4, 1, 2);
        put(entry + 6, 32, 2);
        put(entry + 8, entries[i].second, 4);
        put(entry + 12, at, 4);
        at += entries[i].second;
    }
    file.insert(file.end(), large.begin(), large.end());
    file.insert(file.end(), small.begin() + smallAt, small.begin() + smallAt + smallBytes);
    return file;
}

TEST_F(PictureFiles, AnIconOfSeveralImagesDrawsFromTheOneThatFitsBest) {
    const fs::path icon = write("two.ico", twoSizeIcon());
    struct Case {
        UINT dpi;
        LONG source;
    };
    // 32 x 32 stands for the file at 96 dpi; above it the larger image is scaled down.
    for (const Case c :
         {Case{96, 32}, Case{120, 64}, Case{144, 64}, Case{192, 64}, Case{288, 64}}) {
        const Picture picture = Picture::fromFile(icon.wstring(), c.dpi);
        ASSERT_FALSE(picture.isNull()) << c.dpi;
        EXPECT_EQ(picture.logicalSize().cx, 32) << c.dpi;
        EXPECT_EQ(picture.sourceSize().cx, c.source) << "image chosen at " << c.dpi << " dpi";
        EXPECT_EQ(picture.pixelSize().cx, scaled(32, c.dpi)) << c.dpi;
    }
    // The program's own icon file at every size Windows asks for: the smallest
    // image at least as large as wanted.
    const fs::path sized = fs::path(TARROWIN_PICTURE_DIR) / "options-sizes.ico";
    for (const Case c : {Case{96, 32}, Case{120, 40}, Case{144, 48}, Case{168, 64}, Case{192, 64},
                         Case{240, 256}}) {
        const Picture picture = Picture::fromFile(sized.wstring(), c.dpi);
        ASSERT_FALSE(picture.isNull()) << sized.string();
        EXPECT_EQ(picture.sourceSize().cx, c.source) << "image chosen at " << c.dpi << " dpi";
    }
}

TEST_F(PictureFiles, WhatIsNoSoundPictureLoadsAsNothing) {
    std::vector<char> bitmap = resourceBytes(IDP_LOGO_BANNER);
    std::vector<char> cutOff(bitmap.begin(), bitmap.begin() + std::ptrdiff_t(bitmap.size() / 2));
    std::vector<char> huge = resourceBytes(IDP_BROWSE_PICTURE);
    huge[6] = huge[7] = huge[8] = huge[9] = char(0xFF); // a 65535 x 65535 GIF screen
    std::vector<char> hugePng = resourceBytes(IDP_BUILTIN_ICON_2X_0);
    hugePng[17] = hugePng[21] = char(0x7F); // a header of 32576 x 32576 pixels
    const std::vector<std::pair<std::string, fs::path>> cases = {
        {"missing file", folder / "none.ico"},
        {"folder", folder},
        {"empty file", write("empty.ico", {})},
        {"text", write("text.gif", {'h', 'e', 'l', 'l', 'o'})},
        {"icon header cut off", write("cut.ico", {0, 0, 1, 0, 1})},
        {"bitmap cut off", write("cut.bmp", cutOff)},
        {"huge gif", write("huge.gif", huge)},
        {"huge png", write("huge.png", hugePng)},
    };
    for (const auto& [what, path] : cases)
        EXPECT_TRUE(Picture::fromFile(path.wstring()).isNull()) << what;
}

TEST_F(PictureFiles, BoxKeepsItsPictureWhenAFileDoesNotLoad) {
    NativePictureBox::registerClass();
    NativePictureBox picture;
    const HWND window = CreateWindowExW(0, NativePictureBox::kClassName, L"", 0, 0, 0, 33, 33,
                                        HWND_MESSAGE, nullptr, nullptr, picture.windowObject());
    picture.attach(window);
    picture.showBuiltinIcon(2);
    EXPECT_EQ(picture.picture().pixelSize().cx, 32);
    EXPECT_FALSE(picture.loadPicture(u"Z:\\no\\such\\picture.ico"));
    EXPECT_EQ(picture.picture().pixelSize().cx, 32);
    EXPECT_TRUE(
        picture.loadPicture((write("small.gif", resourceBytes(IDP_BROWSE_PICTURE)).u16string())));
    EXPECT_EQ(picture.picture().pixelSize().cx, 16);
    DestroyWindow(window);
}
} // namespace
