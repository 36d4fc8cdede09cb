// The progress window's top rows as the screen shows them under the system's
// own controls: the status line shows the first line of a long message and
// nothing of the second, and the first bar's top border, on the status line's
// last pixel row, is drawn whole.
#include "NativeForms.h"
#include "WideText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The status line and the bars, as laid out (pixels at 96 dpi).
constexpr int kLineLeft = 56, kLineTop = 24, kLineWidth = 353, kLineHeight = 17;
constexpr int kFirstBarTop = 40, kSecondBarTop = 64;

// Pixels of a rectangle of a window's client area, as the screen holds them.
struct Pixels {
    int width = 0;
    std::vector<COLORREF> values;
    bool operator==(const Pixels&) const = default;
};

Pixels readClient(HWND window, int x, int y, int width, int height) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    const HDC screen = GetDC(window);
    const HDC copy = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    const HGDIOBJ previous = SelectObject(copy, bitmap);
    BitBlt(copy, 0, 0, width, height, screen, x, y, SRCCOPY);
    Pixels pixels{width, {}};
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column)
            pixels.values.push_back(GetPixel(copy, column, row));
    SelectObject(copy, previous);
    DeleteObject(bitmap);
    DeleteDC(copy);
    ReleaseDC(window, screen);
    return pixels;
}

std::string colour(COLORREF value) {
    char text[8];
    snprintf(text, sizeof text, "#%02x%02x%02x", GetRValue(value), GetGValue(value),
             GetBValue(value));
    return text;
}

class StatusLine : public ::testing::Test {
protected:
    void SetUp() override {
        forms.form1.show();
        ASSERT_EQ(forms.form1.dpi(), UINT(USER_DEFAULT_SCREEN_DPI)) << "laid out for 96 dpi";
    }

    Pixels lineShowing(const std::wstring& message) {
        show(message);
        return readClient(forms.form1.hwnd(), kLineLeft, kLineTop, kLineWidth, kLineHeight);
    }
    void show(const std::wstring& message) {
        forms.form1.control<NativeLabel>("ProcessName")
            .setCaption(std::u16string(message.begin(), message.end()));
    }
    Pixels barTopRow(int top) {
        return readClient(forms.form1.hwnd(), kLineLeft, top, kLineWidth, 1);
    }

    // Words that fill most of the line, in the label's own font; the message
    // breaks before a word too long for what is left.
    std::wstring firstLine() {
        const HWND label = forms.form1.child("ProcessName");
        const HDC dc = GetDC(label);
        const HGDIOBJ previous = SelectObject(dc, HGDIOBJ(SendMessageW(label, WM_GETFONT, 0, 0)));
        std::wstring words = L"Copying";
        SIZE size{};
        for (;;) {
            const std::wstring longer = words + L" files";
            GetTextExtentPoint32W(dc, longer.c_str(), int(longer.size()), &size);
            if (size.cx >= kLineWidth * 3 / 4) break;
            words = longer;
        }
        SelectObject(dc, previous);
        ReleaseDC(label, dc);
        return words;
    }
    static std::wstring tooLongWord() { return std::wstring(40, L'W'); }

    NativeForms forms;
};

TEST_F(StatusLine, LongMessageShowsItsFirstLineAndNothingOfTheSecond) {
    const std::wstring first = firstLine();
    const Pixels blank = lineShowing(L"");
    const Pixels oneLine = lineShowing(first);
    const Pixels twoLines = lineShowing(first + L" " + tooLongWord());
    EXPECT_NE(oneLine, blank) << "the first line is drawn";
    EXPECT_EQ(twoLines, oneLine) << "something of the second line shows on the status line";
    EXPECT_EQ(lineShowing(L"Wgjpqy| " + tooLongWord()), lineShowing(L"Wgjpqy|"));
}

TEST_F(StatusLine, FirstBarHasTheSameTopBorderAsTheSecond) {
    for (const std::wstring& message : {std::wstring(), firstLine() + L" " + tooLongWord()}) {
        show(message);
        const Pixels first = barTopRow(kFirstBarTop);
        const Pixels second = barTopRow(kSecondBarTop);
        EXPECT_EQ(first, second) << "row 40 at x 200 is " << colour(first.values[144])
                                 << ", row 64 at x 200 is " << colour(second.values[144])
                                 << ", with " << (message.empty() ? "no" : "a long") << " message";
    }
}

} // namespace
