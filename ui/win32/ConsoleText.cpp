#include <windows.h>

#include "ConsoleText.h"

#include "NativeServices.h"
#include "WideText.h"

#include <string>

namespace {

bool usable(HANDLE handle) {
    return handle && handle != INVALID_HANDLE_VALUE && GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

// A console takes the text as it is; a file or a pipe as UTF-8, the program's
// 8-bit text.
bool writeTo(HANDLE handle, std::u16string_view text) {
    if (!usable(handle)) return false;
    const std::wstring wide = toWide(text);
    DWORD mode = 0, written = 0;
    if (GetConsoleMode(handle, &mode))
        return WriteConsoleW(handle, wide.data(), DWORD(wide.size()), &written, nullptr);
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string bytes(size_t(size > 0 ? size : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), bytes.data(), size, nullptr,
                        nullptr);
    return WriteFile(handle, bytes.data(), DWORD(bytes.size()), &written, nullptr);
}

void print(DWORD stream, std::u16string_view text, UINT icon) {
    if (writeTo(GetStdHandle(stream), text)) return;
    if (useStarterConsole()) {
        const HANDLE console =
            CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        const bool written = writeTo(console, text);
        if (console != INVALID_HANDLE_VALUE) CloseHandle(console);
        if (written) return;
    }
    MessageBoxW(nullptr, toWide(text).c_str(), kMessageCaption, MB_OK | icon);
}

} // namespace

bool useStarterConsole() {
    static const bool attached =
        GetConsoleWindow() != nullptr || AttachConsole(ATTACH_PARENT_PROCESS);
    return attached;
}

void printOut(std::u16string_view text) {
    print(STD_OUTPUT_HANDLE, text, MB_ICONINFORMATION);
}

void printError(std::u16string_view text) {
    print(STD_ERROR_HANDLE, text, MB_ICONEXCLAMATION);
}
