// The Win32 side of the options dialog's system actions, run against Wine's
// user32, comctl32 and comdlg32.
#include "SystemActions.h"
#include "OpenFileAPI.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <cstdio>
#include <string>

namespace {

BOOL screenSaverActive() {
    BOOL active = -1;
    SystemParametersInfoA(SPI_GETSCREENSAVEACTIVE, 0, &active, 0);
    return active;
}

TEST(SystemActions, ScreenSaverSwitchesOffAndOnAndReportsSuccess) {
    EXPECT_TRUE(SetSystemScreenSaverActive(false));
    EXPECT_EQ(screenSaverActive(), FALSE);
    EXPECT_TRUE(SetSystemScreenSaverActive(true));
    EXPECT_EQ(screenSaverActive(), TRUE);
}

TEST(SystemActions, CommonControlsInitialise) {
    EXPECT_TRUE(InitializeCommonControls());
}

TEST(FileAttributes, AsksForTheAttributesOfThePath) {
    char folder[MAX_PATH];
    ASSERT_GT(GetTempPathA(MAX_PATH, folder), 0u);
    const std::string file = std::string(folder) + "tarrowin-exists.ico";
    std::FILE* handle = std::fopen(file.c_str(), "wb");
    ASSERT_NE(handle, nullptr);
    std::fclose(handle);
    EXPECT_TRUE(FileAttributesExist(file));
    EXPECT_TRUE(FileAttributesExist(folder));
    EXPECT_FALSE(FileAttributesExist(""));
    EXPECT_FALSE(FileAttributesExist(std::string(folder) + "tarrowin-missing.ico"));
    EXPECT_FALSE(FileAttributesExist("Q:\\no\\such\\drive.ico"));
    EXPECT_FALSE(FileAttributesExist("bad|name<>.ico"));
    DeleteFileA(file.c_str());
}

TEST(OpenFileDialog, RequestRecordIsFilledAsTheDialogExpects) {
    OpenFileAPI::Request request;
    const HWND owner = reinterpret_cast<HWND>(0x1234);
    OpenFileAPI::fill(request,
                      "Icon Images(*.ico;*.bmp;*.gif)|*.ico;*.bmp;*.gif|All files (*.*)|*.*", "ico",
                      nullptr, 0, owner);
    const OPENFILENAMEA& r = request.record;
    EXPECT_EQ(r.lStructSize, OPENFILENAME_SIZE_VERSION_400A);
    if (sizeof(void*) == 4) {
        EXPECT_EQ(r.lStructSize, 76u);
    }
    EXPECT_EQ(r.hwndOwner, owner);
    EXPECT_EQ(r.hInstance, nullptr);
    const std::string filter(r.lpstrFilter, request.filter.size());
    EXPECT_EQ(filter, std::string("Icon Images(*.ico;*.bmp;*.gif)\0*.ico;*.bmp;*.gif\0All files "
                                  "(*.*)\0*.*\0\0",
                                  69));
    EXPECT_EQ(r.lpstrCustomFilter, nullptr);
    EXPECT_EQ(r.nFilterIndex, 0u);
    EXPECT_EQ(r.nMaxFile, 257u);
    EXPECT_EQ(std::string(r.lpstrFile, 257), std::string(255, ' ') + std::string(2, '\0'));
    EXPECT_EQ(r.lpstrFileTitle, nullptr);
    EXPECT_EQ(r.lpstrInitialDir, nullptr);
    EXPECT_EQ(r.lpstrTitle, nullptr);
    EXPECT_EQ(r.Flags, 0u);
    EXPECT_STREQ(r.lpstrDefExt, "ico");
    EXPECT_EQ(r.lpfnHook, nullptr);
    EXPECT_EQ(r.lpTemplateName, nullptr);

    OpenFileAPI::fill(request, "a|*.a", "txt", "C:\\start", 0x4, nullptr);
    EXPECT_STREQ(request.record.lpstrInitialDir, "C:\\start");
    EXPECT_EQ(request.record.Flags, 0x4u);
}

} // namespace
