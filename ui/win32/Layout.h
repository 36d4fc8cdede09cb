#pragma once
// The two windows' layouts as data: every control's kind, container, rectangle
// at 96 dpi, caption, font and place in the keyboard order. The tables are
// generated at build time from ui/Form1.ui and ui/Form2.ui (layout_table.py),
// the same files the Qt front end is built from.

#include <optional>
#include <span>
#include <string_view>

namespace Layout {

enum class ControlKind {
    Label,
    TextBox,
    CheckBox,
    DropDownList,
    Button,
    PictureBox,
    Frame,
    ProgressBar
};
enum class Align { Left, Centre, Right };

// Pixels at 96 dpi: left, top, width, height.
struct Rect {
    int x, y, width, height;
    bool operator==(const Rect&) const = default;
};

struct FontEntry {
    std::wstring_view family;
    int pointSize; // whole points as the layout files keep them; see Fonts.h
    bool bold;
};

struct ControlEntry {
    std::string_view name; // as the .ui file spells it: "Status_0" is Status(0)
    ControlKind kind;
    std::string_view container; // the window's or a frame's name
    Rect inContainer;
    Rect inWindow;                 // relative to the window's client area
    std::wstring_view caption;     // text, a frame's title or the first content of a box
    std::optional<FontEntry> font; // none: the window's font
    Align align;
    bool wordWrap;
    bool opaque; // a label that fills its background
    bool checked;
    std::wstring_view toolTip;
    std::wstring_view accessibleName; // what a screen reader says for it
    int maximum;                      // a progress bar's range
    int tabOrder;                     // place in the keyboard order, -1 for none
    std::string_view buddy;           // the control a label names; empty for none
};

struct WindowLayout {
    std::string_view name;
    std::wstring_view title;
    int clientWidth, clientHeight;
    std::optional<FontEntry> font;
    std::span<const ControlEntry> controls;

    // The control of that name; nullptr when the layout has none.
    const ControlEntry* find(std::string_view controlName) const {
        for (const ControlEntry& control : controls)
            if (control.name == controlName) return &control;
        return nullptr;
    }
};

const WindowLayout& form1();
const WindowLayout& form2();

} // namespace Layout
