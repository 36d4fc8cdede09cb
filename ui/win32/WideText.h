#pragma once
// The program's UTF-16 text and the Win32 "W" functions' wchar_t text are the
// same code units on Windows; these only change the type.

#include <windows.h>

#include <string>
#include <string_view>

static_assert(sizeof(wchar_t) == sizeof(char16_t));

inline std::wstring toWide(std::u16string_view text) {
    return {text.begin(), text.end()};
}
inline std::u16string toU16(std::wstring_view text) {
    return {text.begin(), text.end()};
}

// A window's text (a caption, an edit box's contents) in full.
inline std::u16string windowText(HWND window) {
    std::wstring text(size_t(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(size_t(GetWindowTextW(window, text.data(), int(text.size()))));
    return toU16(text);
}

inline void setWindowText(HWND window, std::u16string_view text) {
    SetWindowTextW(window, toWide(text).c_str());
}
