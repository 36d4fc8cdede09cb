// The Win32 side of the options dialog's system actions, run against Wine's
// user32, comctl32 and comdlg32.
#include "SystemActions.h"
#include "DisplayRequest.h"
#include "KeepAwake.h"
#include "KeepScreenOn.h"
#include "OpenFileAPI.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

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
    EXPECT_GE(r.nMaxFile, DWORD(MAX_PATH));
    EXPECT_EQ(std::string(r.lpstrFile, r.nMaxFile), std::string(r.nMaxFile, '\0'));
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

// What the display request asked of the system, through its calls.
struct PowerCalls {
    std::vector<std::string> record;
    bool createFails = false, setFails = false, threadFails = false;
    int made = 0;

    PowerRequestCalls calls() {
        return {
            .create =
                [this](const wchar_t* reason) {
                    record.push_back("create " + std::string(reason, reason + wcslen(reason)));
                    if (createFails) return INVALID_HANDLE_VALUE;
                    return reinterpret_cast<HANDLE>(static_cast<intptr_t>(++made));
                },
            .setDisplayRequired =
                [this](HANDLE request) {
                    record.push_back("set " + std::to_string(reinterpret_cast<intptr_t>(request)));
                    return !setFails;
                },
            .clearDisplayRequired =
                [this](HANDLE request) {
                    record.push_back("clear " +
                                     std::to_string(reinterpret_cast<intptr_t>(request)));
                    return true;
                },
            .close =
                [this](HANDLE request) {
                    record.push_back("close " +
                                     std::to_string(reinterpret_cast<intptr_t>(request)));
                },
            .threadDisplayRequired =
                [this](bool required) {
                    record.push_back(required ? "thread on" : "thread off");
                    return !threadFails;
                },
        };
    }
};

using Record = std::vector<std::string>;
const std::string kCreate = "create Tarrowin is showing progress";

TEST(DisplayRequest, HeldFromCheckUntilUncheckOrTheEndAndLetGoWhenRefused) {
    struct Case {
        const char* story;
        std::vector<bool> required; // each switch, in order; then the end
        bool createFails, setFails, threadFails;
        Record calls;
    };
    const Case cases[] = {
        {"check, uncheck, check, end",
         {true, false, true},
         false,
         false,
         false,
         {kCreate, "set 1", "clear 1", "close 1", kCreate, "set 2", "clear 2", "close 2"}},
        {"checked twice (the startup and the stored setting): one request",
         {true, true},
         false,
         false,
         false,
         {kCreate, "set 1", "clear 1", "close 1"}},
        {"unchecked only: nothing asked", {false, false}, false, false, false, {}},
        {"no power requests: the thread holds the display",
         {true, true, false},
         true,
         false,
         false,
         {kCreate, "thread on", "thread off"}},
        {"neither", {true}, true, false, true, {kCreate, "thread on"}},
        {"the display refused", {true}, false, true, false, {kCreate, "set 1", "close 1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.story);
        PowerCalls power;
        power.createFails = c.createFails;
        power.setFails = c.setFails;
        power.threadFails = c.threadFails;
        const bool takes = !(c.createFails && c.threadFails) && !c.setFails;
        {
            DisplayRequest display(power.calls());
            for (bool required : c.required) {
                EXPECT_EQ(display.setRequired(required), !required || takes);
                EXPECT_EQ(display.isHeld(), required && takes);
            }
        }
        EXPECT_EQ(power.record, c.calls);
    }
}

TEST(DisplayRequest, SystemTakesAndReleasesTheRequest) {
    DisplayRequest display;
    EXPECT_TRUE(display.setRequired(true));
    EXPECT_TRUE(display.isHeld());
    EXPECT_TRUE(display.setRequired(false));
    EXPECT_FALSE(display.isHeld());
}

TEST(KeepScreenOn, SwitchesTheSaverHoldsTheDisplayAndTellsWhat) {
    struct Case {
        const char* situation;
        bool saverTakes, displayTakes;
        const char* note;
    };
    const Case cases[] = {
        {"both", true, true, "Screen kept on by: screen saver off, a display power request"},
        {"no screen saver", false, true, "Screen kept on by: a display power request"},
        {"neither", false, false,
         "Nothing keeps the screen on: the system kept its screen saver, the system took no "
         "display request"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.situation);
        PowerCalls power;
        power.setFails = !c.displayTakes;
        DisplayRequest display(power.calls());
        KeepAwakeReport report;
        std::vector<bool> saver;
        KeepScreenOn keeper(report, display, [&](bool active) {
            saver.push_back(active);
            return c.saverTakes;
        });
        EXPECT_EQ(keeper.setScreenSaverActive(false), c.saverTakes);
        EXPECT_EQ(display.isHeld(), c.displayTakes);
        const std::u16string note = report.text();
        EXPECT_EQ(std::string(note.begin(), note.end()), c.note);
        keeper.setScreenSaverActive(true);
        EXPECT_FALSE(display.isHeld());
        EXPECT_EQ(report.text(), u"Screen saver and power saving left to the system");
        EXPECT_EQ(saver, (std::vector<bool>{false, true}));
    }
}

} // namespace
