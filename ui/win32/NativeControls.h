#pragma once
// The controls of the behaviour's interfaces on native Win32 controls. Each
// keeps its own state (text, value, entries) and shows it in the child window
// FormWindow gives it: at once when the window exists, or when the form builds
// its windows later, on first need. The notifications the form passes on
// (WM_COMMAND) become the interface's events and update the state; changes the
// program makes run the events through the interfaces themselves, and the
// notifications Win32 sends for them are not passed on twice.

#include "CheckBox.h"
#include "CommandButton.h"
#include "DropDownList.h"
#include "FramePace.h"
#include "Handles.h"
#include "Label.h"
#include "ProgressBar.h"
#include "TextBox.h"

#include <windows.h>

#include <string>
#include <vector>

class NativeControl {
public:
    virtual ~NativeControl() = default;
    // The control's window; nullptr until its form has built its windows.
    HWND hwnd() const { return window_; }
    // Gives the control its window, which then shows the control's state.
    void attach(HWND window) {
        window_ = window;
        showState();
    }
    // A WM_COMMAND notification from the control's window.
    virtual void notify(WORD /*code*/) {}
    // The form moved to a screen of another dpi; positions and fonts are the form's.
    virtual void dpiChanged(UINT /*dpi*/) {}
    // What the control's window is made with as its object (WindowObject.h):
    // a control of a class of ours, itself; the system's controls, nothing.
    virtual void* windowObject() { return nullptr; }

protected:
    virtual void showState() {}
    HWND window_ = nullptr;
};

class NativeLabel : public Label, public NativeControl {
public:
    explicit NativeLabel(std::u16string caption) : caption_(std::move(caption)) {}
    std::u16string caption() const override { return caption_; }
    void setCaption(std::u16string_view caption) override;

protected:
    void showState() override;

private:
    std::u16string caption_;
};

class NativeTextBox : public TextBox, public NativeControl {
public:
    explicit NativeTextBox(std::u16string text) : text_(std::move(text)) {}
    std::u16string text() const override { return text_; }
    void notify(WORD code) override;

protected:
    void assignText(std::u16string_view text) override;
    void showState() override;

private:
    std::u16string text_;
    bool assigning_ = false;
};

class NativeCheckBox : public CheckBox, public NativeControl {
public:
    explicit NativeCheckBox(int value) : value_(value) {}
    int value() const override { return value_; }
    void notify(WORD code) override;

protected:
    void assignValue(int value) override;
    void showState() override;

private:
    int value_;
};

class NativeDropDownList : public DropDownList, public NativeControl {
public:
    void addItem(std::u16string_view text) override;
    int count() const override { return int(items_.size()); }
    int currentIndex() const override { return index_; }
    void notify(WORD code) override;

protected:
    void assignIndex(int index) override;
    void showState() override;

private:
    std::vector<std::u16string> items_;
    int index_ = -1;
};

class NativeButton : public CommandButton, public NativeControl {
public:
    explicit NativeButton(std::u16string caption) : caption_(std::move(caption)) {}
    std::u16string caption() const override { return caption_; }
    void setCaption(std::u16string_view caption) override;
    void notify(WORD code) override;
    // A picture instead of a caption, which the button keeps and draws over
    // its face with the picture's transparency.
    void setIcon(OwnedIcon icon);

protected:
    void showState() override;

private:
    std::u16string caption_;
    OwnedIcon icon_;
};

// The bar hands its value to its window through its form's frames: once a
// frame at most, the latest value.
class NativeProgressBar : public ProgressBar, public NativeControl {
public:
    NativeProgressBar(int maximum, FramePace& frames) : maximum_(maximum), frames_(frames) {}
    ~NativeProgressBar() override;
    int value() const override { return value_; }
    void setValue(int value) override;
    // The bar's own visibility, whatever its window's.
    bool isVisible() const override { return visible_; }
    void setVisible(bool visible) override;

protected:
    void showState() override;

private:
    int maximum_;
    FramePace& frames_;
    int value_ = 0;
    bool visible_ = true;
};
