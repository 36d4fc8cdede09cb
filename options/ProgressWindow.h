#pragma once
// The progress window as the options dialog reaches it: what Apply pushes into
// it, and nothing of its controls. The progress window implements it; the
// dialog knows it by this name only.

#include <string_view>

class ProgressWindow {
public:
    // The status line shows this message.
    virtual void showStatus(std::u16string_view message) = 0;
    // The timer's interval from a speed text; a text without a whole number of
    // milliseconds from 1 up keeps the interval the timer has.
    virtual void setTimerInterval(std::u16string_view speed) = 0;
    virtual void setTitle(std::u16string_view title) = 0;
    virtual void setButtonText(std::u16string_view text) = 0;
    virtual void showSecondBar(bool shown) = 0;
    // The built-in picture icos(index), 0 to 6; any other index changes nothing.
    virtual void showBuiltinIcon(int index) = 0;
    // The picture file as the icon. When nothing exists under the path it shows
    // "Custom icon file does not exist." and returns false; a file that is no
    // readable picture keeps the icon as it was.
    virtual bool showCustomIcon(std::u16string_view path) = 0;

protected:
    ~ProgressWindow() = default;
};
