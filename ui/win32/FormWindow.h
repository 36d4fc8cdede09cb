#pragma once
// A top-level window built from its layout table: every control at the
// layout's rectangle scaled by dpi/96, in the layout's fonts, captions and
// keyboard order, wrapped in the behaviour's control interfaces
// (NativeControls.h). It is the behaviour's Window: caption, show, hide and
// the close request that runs Unload.
//
// The controls exist, with their contents, from the start; the windows that
// show them are built at once or, for a window that starts hidden, when it is
// first shown: creating some forty windows costs a start-up more than anything
// else the program does.
//
// Frames are drawn as group boxes but are not their contents' parents: the
// contents are the window's own children, so that their notifications reach
// the window. The keyboard order is the creation order, which IsDialogMessage
// follows (MessageLoop.h).

#include "Handles.h"
#include "Layout.h"
#include "NativeControls.h"
#include "Window.h"
#include "WindowObject.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string_view>
#include <utility>
#include <vector>

struct FormStyle {
    DWORD style;
    DWORD exStyle;
    bool centred; // on the screen; else where the system places a new window

    // A fixed single frame with caption, system menu and close box only; a
    // taskbar button.
    static FormStyle fixedWindow();
    // A fixed tool window: small caption with a close box only, no taskbar button.
    static FormStyle toolWindow();
};

class FormWindow : public Window {
public:
    enum class Build { Now, WhenShown };
    // The bars among the controls hand their values on through the frames.
    FormWindow(const Layout::WindowLayout& layout, const FormStyle& style, Build build,
               FramePace& frames);
    ~FormWindow() override;
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    // The window; nullptr while it is not built.
    HWND hwnd() const { return window_; }
    void build();
    const Layout::WindowLayout& layout() const { return layout_; }
    UINT dpi() const { return dpi_; }

    // The control of that name in the layout, as its interface.
    template <class Control> Control& control(std::string_view name) const {
        if (auto* found = dynamic_cast<Control*>(find(name))) return *found;
        throw std::logic_error("no such control in the layout: " + std::string(name));
    }
    // The child window of that name; nullptr when the layout has none or the
    // window is not built.
    HWND child(std::string_view name) const;

    void setTextColour(std::string_view name, COLORREF colour);
    // The window's icons, which it keeps; they replace the ones it had.
    void setIcons(OwnedIcon big, OwnedIcon small);

    // Runs with true when a modal loop of the system starts on this window
    // (moving it, its system menu) and with false when it ends.
    std::function<void(bool running)> onModalLoop;
    // Runs once, before the window is first shown: what only a shown window
    // needs can wait for it.
    std::function<void()> beforeFirstShow;
    // Shown while another window of the program is active, the window comes up
    // behind it instead of taking the keyboard from it.
    bool showsBehindActiveWindow = false;
    // Runs when the desktop session is about to end.
    std::function<void()> onEndSession;
    // Runs when the session does end: the process is ended after it returns.
    std::function<void()> onSessionEnded;
    // Runs after the window has taken a new dpi (WM_DPICHANGED) and laid out
    // its controls for it: what the form's owner drew for the old one (icons,
    // pointers, button pictures) is made again.
    std::function<void(UINT dpi)> onDpiChanged;

    std::u16string caption() const override;
    void setCaption(std::u16string_view caption) override;
    void show() override;
    void hide() override;
    bool isVisible() const override;
    void close() override;

private:
    struct Child {
        const Layout::ControlEntry* entry;
        std::unique_ptr<NativeControl> control;
        COLORREF textColour;
    };

    friend LRESULT CALLBACK WindowObject::procedure<FormWindow>(HWND, UINT, WPARAM, LPARAM);
    void windowCreated(HWND window);
    void windowDestroyed();
    LRESULT handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void closeRequested(); // Unload, then hidden unless it cancelled
    NativeControl* find(std::string_view name) const;
    void createChild(Child& child, int id);
    void applyLayout(); // positions and fonts at dpi_
    RECT scaled(const Layout::Rect& rect) const;
    HFONT fontFor(const Layout::ControlEntry& entry);
    void showIcons();

    const Layout::WindowLayout& layout_;
    FormStyle style_;
    // Declared before the window and its controls, which show them: they go after.
    OwnedIcon bigIcon_, smallIcon_;
    std::vector<std::pair<Layout::FontEntry, OwnedFont>> fonts_;
    HWND window_ = nullptr;
    std::u16string caption_;
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    std::vector<Child> children_;
    HWND lastFocus_ = nullptr;
};
