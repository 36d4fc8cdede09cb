// Pictures through the system's loader: the carried ones, and a user's files,
// sound or hostile.
#include "Picture.h"
#include "NativePictureBox.h"
#include "ResourceIds.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
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

TEST(CarriedPictures, TwiceAsLargeIconsFromTwiceTheStandardDpiOn) {
    struct Case {
        UINT dpi;
        int resource;
    };
    for (const Case c : {Case{96, IDP_BUILTIN_ICON_0 + 4}, Case{144, IDP_BUILTIN_ICON_0 + 4},
                         Case{191, IDP_BUILTIN_ICON_0 + 4}, Case{192, IDP_BUILTIN_ICON_2X_0 + 4},
                         Case{288, IDP_BUILTIN_ICON_2X_0 + 4}})
        EXPECT_EQ(NativePictureBox::builtinIconResource(4, c.dpi), c.resource) << c.dpi;
}

TEST_F(PictureFiles, IconBitmapAndGifFilesLoad) {
    for (const auto& [name, id] :
         {std::pair{"a.ico", IDP_BUILTIN_ICON_0 + 3}, std::pair{"b.bmp", IDP_LOGO_BANNER},
          std::pair{"c.gif", IDP_BROWSE_PICTURE}}) {
        const Picture picture = Picture::fromFile(write(name, resourceBytes(id)).wstring());
        EXPECT_FALSE(picture.isNull()) << name;
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
        {"bitmap cut off", write("cut.bmp", cutOff)},
        {"huge gif", write("huge.gif", huge)},
        {"huge png", write("huge.png", hugePng)},
    };
    for (const auto& [what, path] : cases)
        EXPECT_TRUE(Picture::fromFile(path.wstring()).isNull()) << what;
}

TEST_F(PictureFiles, BoxKeepsItsPictureWhenAFileDoesNotLoad) {
    NativePictureBox::registerClass();
    const HWND window = CreateWindowExW(0, NativePictureBox::kClassName, L"", 0, 0, 0, 33, 33,
                                        HWND_MESSAGE, nullptr, nullptr, nullptr);
    NativePictureBox picture;
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
