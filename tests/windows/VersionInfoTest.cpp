// The program file's resources, built into this test program from the very
// resource script of the program: version record, icon and code page.
#include "TarrowinVersion.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <string>
#include <vector>

namespace {

std::vector<char> ownVersionRecord() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    DWORD ignored = 0;
    std::vector<char> record(GetFileVersionInfoSizeA(path, &ignored));
    if (record.empty() || !GetFileVersionInfoA(path, 0, DWORD(record.size()), record.data()))
        record.clear();
    return record;
}

std::string text(std::vector<char>& record, const char* name) {
    char* value = nullptr;
    UINT length = 0;
    const std::string query = std::string("\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueA(record.data(), query.c_str(), reinterpret_cast<void**>(&value), &length))
        return "(missing)";
    return std::string(value, length ? length - 1 : 0);
}

TEST(ProgramFile, CarriesItsVersionRecord) {
    std::vector<char> record = ownVersionRecord();
    ASSERT_FALSE(record.empty());
    EXPECT_EQ(text(record, "FileVersion"), TARROWIN_VERSION);
    EXPECT_EQ(text(record, "ProductVersion"), TARROWIN_VERSION);
    EXPECT_EQ(text(record, "ProductName"), "Tarrowin");
    EXPECT_EQ(text(record, "InternalName"), "Tarrowin");
    EXPECT_EQ(text(record, "CompanyName"), "https://www.quillmoor.example/");

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(record.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS,
              DWORD(MAKELONG(TARROWIN_VERSION_MINOR, TARROWIN_VERSION_MAJOR)));
    EXPECT_EQ(fixed->dwFileVersionLS, DWORD(MAKELONG(0, TARROWIN_VERSION_PATCH)));
}

TEST(ProgramFile, CarriesTheGearIconAndAUtf8CodePage) {
    const HICON icon = static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1), IMAGE_ICON, 32, 32, 0));
    EXPECT_NE(icon, nullptr);
    if (icon) DestroyIcon(icon);
    EXPECT_EQ(GetACP(), 65001u);
}

} // namespace
