#pragma once
// The control interfaces on Qt Widgets. Each control keeps its value itself
// until it is bound to its widget, so that a window's widgets can be built
// when they are first needed: from then on the widget holds the value. The
// program's own changes are made with the widget's signals blocked (the
// interface runs the event itself); the user's changes run the event from the
// widget's signals.

#include "CheckBox.h"
#include "CommandButton.h"
#include "DropDownList.h"
#include "Label.h"
#include "PictureBox.h"
#include "ProgressBar.h"
#include "TextBox.h"

#include <QPixmap>
#include <QStringList>

#include <functional>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QtFrames;
class QtPictureBox;
class ValueCheckBox;

class QtTextBox final : public TextBox {
public:
    explicit QtTextBox(std::u16string text = {}) : text_(std::move(text)) {}
    void bind(QLineEdit* edit);
    QLineEdit* widget() const { return edit_; }
    std::u16string text() const override;

protected:
    void assignText(std::u16string_view text) override;

private:
    QLineEdit* edit_ = nullptr;
    std::u16string text_;
};

class QtCheckBox final : public CheckBox {
public:
    explicit QtCheckBox(int value = Unchecked) : value_(value) {}
    void bind(ValueCheckBox* box);
    ValueCheckBox* widget() const { return box_; }
    int value() const override;

protected:
    void assignValue(int value) override;

private:
    ValueCheckBox* box_ = nullptr;
    int value_;
};

class QtDropDownList final : public DropDownList {
public:
    void bind(QComboBox* list);
    QComboBox* widget() const { return list_; }
    void addItem(std::u16string_view text) override;
    int count() const override;
    int currentIndex() const override;

protected:
    void assignIndex(int index) override;

private:
    QComboBox* list_ = nullptr;
    QStringList items_;
    int index_ = -1;
};

class QtLabel final : public Label {
public:
    void bind(QLabel* label) { label_ = label; }
    std::u16string caption() const override;
    void setCaption(std::u16string_view caption) override;

private:
    QLabel* label_ = nullptr;
};

class QtCommandButton final : public CommandButton {
public:
    void bind(QPushButton* button);
    std::u16string caption() const override;
    void setCaption(std::u16string_view caption) override;

private:
    QPushButton* button_ = nullptr;
};

// The bar keeps its value itself and hands it to its widget (what is drawn,
// and what assistive tools are told) through the window's frames: once a frame
// at most, the latest value.
class QtProgressBar final : public ProgressBar {
public:
    QtProgressBar() = default;
    ~QtProgressBar() override;
    QtProgressBar(const QtProgressBar&) = delete;
    QtProgressBar& operator=(const QtProgressBar&) = delete;

    void bind(QProgressBar* bar, QtFrames& frames);
    QProgressBar* widget() const { return bar_; }
    int value() const override { return value_; }
    void setValue(int value) override;
    bool isVisible() const override;
    void setVisible(bool visible) override;

private:
    QProgressBar* bar_ = nullptr;
    QtFrames* frames_ = nullptr;
    int value_ = 0;
};

class QtPictureBoxControl final : public PictureBox {
public:
    // The built-in icon i as the box shows it, at the box's pixel density.
    using BuiltinIcon = std::function<QPixmap(int index, const QtPictureBox& box)>;
    void bind(QtPictureBox* box, BuiltinIcon builtin = {});
    void showBuiltinIcon(int index) override;
    bool loadPicture(std::u16string_view path) override;

private:
    QtPictureBox* box_ = nullptr;
    BuiltinIcon builtin_;
};
