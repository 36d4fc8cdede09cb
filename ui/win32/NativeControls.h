#pragma once
// The controls of the behaviour's interfaces on native Win32 controls. Each
// wraps one child window that FormWindow creates from the layout, and turns the
// notifications the form passes on (WM_COMMAND) into the interface's events.
// Changes the program makes run the events through the interfaces themselves;
// the notifications that Win32 sends for them are not passed on twice.

#include "CheckBox.h"
#include "CommandButton.h"
#include "DropDownList.h"
#include "Label.h"
#include "ProgressBar.h"
#include "TextBox.h"

#include <windows.h>

class NativeControl {
public:
    explicit NativeControl(HWND window) : window_(window) {}
    virtual ~NativeControl() = default;
    HWND hwnd() const { return window_; }
    // A WM_COMMAND notification from the control.
    virtual void notify(WORD /*code*/) {}

protected:
    HWND window_;
};

class NativeLabel : public Label, public NativeControl {
public:
    using NativeControl::NativeControl;
    std::u16string caption() const override;
    void setCaption(std::u16string_view caption) override;
};

class NativeTextBox : public TextBox, public NativeControl {
public:
    explicit NativeTextBox(HWND window);
    std::u16string text() const override;
    void notify(WORD code) override;

protected:
    void assignText(std::u16string_view text) override;

private:
    bool assigning_ = false;
};

class NativeCheckBox : public CheckBox, public NativeControl {
public:
    using NativeControl::NativeControl;
    int value() const override;
    void notify(WORD code) override;

protected:
    void assignValue(int value) override;
};

class NativeDropDownList : public DropDownList, public NativeControl {
public:
    using NativeControl::NativeControl;
    void addItem(std::u16string_view text) override;
    int count() const override;
    int currentIndex() const override;
    void notify(WORD code) override;

protected:
    void assignIndex(int index) override;

private:
    int shownIndex_ = -1; // the selection as Click last saw it
};

class NativeButton : public CommandButton, public NativeControl {
public:
    using NativeControl::NativeControl;
    std::u16string caption() const override;
    void setCaption(std::u16string_view caption) override;
    void notify(WORD code) override;
    // A picture instead of a caption; the button owns the bitmap.
    void setBitmap(HBITMAP bitmap);
    ~NativeButton() override;

private:
    HBITMAP bitmap_ = nullptr;
};

// The bar keeps its value and hands it to its window once a frame (FrameClock.h).
class NativeProgressBar : public ProgressBar, public NativeControl {
public:
    NativeProgressBar(HWND window, int maximum);
    ~NativeProgressBar() override;
    int value() const override { return value_; }
    void setValue(int value) override;
    bool isVisible() const override;
    void setVisible(bool visible) override;

private:
    int value_ = 0;
};
