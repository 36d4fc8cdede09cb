#pragma once
// The control interfaces in memory, for the behaviour's tests: no toolkit, no
// window. The tests play the user through the user* functions, which change a
// control the way a front end reports a user's action.

#include "CheckBox.h"
#include "CommandButton.h"
#include "DropDownList.h"
#include "IntervalTimer.h"
#include "Label.h"
#include "PictureBox.h"
#include "ProgressBar.h"
#include "TextBox.h"
#include "Window.h"

#include <string>
#include <vector>

class MemoryTextBox final : public TextBox {
public:
    explicit MemoryTextBox(std::u16string text = {}) : text_(std::move(text)) {}
    std::u16string text() const override { return text_; }
    // A user's edit, which leaves the box holding exactly the text.
    void userTypes(std::u16string_view text) {
        text_ = text;
        raiseGuardedEvent(Change);
    }

protected:
    void assignText(std::u16string_view text) override { text_ = text; }

private:
    std::u16string text_;
};

class MemoryCheckBox final : public CheckBox {
public:
    explicit MemoryCheckBox(int value) : value_(value) {}
    int value() const override { return value_; }
    // A user's click toggles between checked and unchecked, also from grayed.
    void userClicks() {
        value_ = value_ == Checked ? Unchecked : Checked;
        raiseGuardedEvent(Click);
    }

protected:
    void assignValue(int value) override { value_ = value; }

private:
    int value_;
};

class MemoryDropDownList final : public DropDownList {
public:
    void addItem(std::u16string_view text) override { items.emplace_back(text); }
    int count() const override { return static_cast<int>(items.size()); }
    int currentIndex() const override { return index_; }
    void userPicks(int index) {
        if (index == index_) return;
        index_ = index;
        raiseGuardedEvent(Click);
    }
    std::vector<std::u16string> items;

protected:
    void assignIndex(int index) override { index_ = index; }

private:
    int index_ = -1;
};

class MemoryLabel final : public Label {
public:
    std::u16string caption() const override { return caption_; }
    void setCaption(std::u16string_view caption) override { caption_ = caption; }

private:
    std::u16string caption_;
};

class MemoryCommandButton final : public CommandButton {
public:
    explicit MemoryCommandButton(std::u16string caption = {}) : caption_(std::move(caption)) {}
    std::u16string caption() const override { return caption_; }
    void setCaption(std::u16string_view caption) override { caption_ = caption; }
    void userClicks() { raiseGuardedEvent(Click); }

private:
    std::u16string caption_;
};

class MemoryProgressBar final : public ProgressBar {
public:
    int value() const override { return value_; }
    void setValue(int value) override { value_ = value; }
    bool isVisible() const override { return visible_; }
    void setVisible(bool visible) override { visible_ = visible; }

private:
    int value_ = 0;
    bool visible_ = true;
};

// What a picture box shows: nothing, a built-in icon, or a picture file.
struct ShownPicture {
    int builtin = -1;
    std::u16string file;
    bool empty() const { return builtin < 0 && file.empty(); }
    friend bool operator==(const ShownPicture&, const ShownPicture&) = default;
};

class MemoryPictureBox final : public PictureBox {
public:
    void showBuiltinIcon(int index) override { shown = {index, {}}; }
    // Every path reads as a picture but those listed as unreadable.
    bool loadPicture(std::u16string_view path) override {
        for (const std::u16string& bad : unreadable)
            if (bad == path) return false;
        shown = {-1, std::u16string(path)};
        return true;
    }
    void userClicks() { raiseGuardedEvent(Click); }

    ShownPicture shown;
    std::vector<std::u16string> unreadable;
};

class MemoryWindow final : public Window {
public:
    std::u16string caption() const override { return caption_; }
    void setCaption(std::u16string_view caption) override { caption_ = caption; }
    void show() override { visible_ = true; }
    void hide() override { visible_ = false; }
    bool isVisible() const override { return visible_; }
    void close() override {
        int Cancel = 0;
        if (Unload) Unload(Cancel);
        if (Cancel == 0) visible_ = false;
    }

private:
    std::u16string caption_;
    bool visible_ = false;
};

// A timer that ticks only when the test says so.
class MemoryTimer final : public IntervalTimer {
public:
    int interval() const override { return interval_; }
    void setInterval(int milliseconds) override { interval_ = milliseconds < 0 ? 0 : milliseconds; }
    bool isEnabled() const override { return enabled_; }
    void setEnabled(bool enabled) override { enabled_ = enabled; }
    // Ticks n times, as far as the timer runs.
    void tick(int n = 1) {
        for (int i = 0; i < n && isRunning(); ++i)
            raiseGuardedEvent(Timer);
    }

private:
    int interval_ = 0;
    bool enabled_ = false;
};
