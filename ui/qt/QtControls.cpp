#include "QtControls.h"

#include "PictureFile.h"
#include "QtFrames.h"
#include "QtPictureBox.h"
#include "QtText.h"
#include "ValueCheckBox.h"
#include "WidgetAccessibility.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>

void QtTextBox::bind(QLineEdit* edit) {
    edit_ = edit;
    const QSignalBlocker quiet(edit);
    edit->setText(fromU16(text_));
    // Every change that does not come from the program itself, whatever made
    // it: typing, pasting, undo, a drop, or an assistive tool setting the text.
    // The program's own changes are made with the signals blocked.
    QObject::connect(edit, &QLineEdit::textChanged, edit, [this] {
        if (userEdited()) edit_->selectAll();
    });
}

std::u16string QtTextBox::text() const {
    return edit_ ? edit_->text().toStdU16String() : text_;
}

void QtTextBox::assignText(std::u16string_view text) {
    if (!edit_) {
        text_ = text;
        return;
    }
    const QSignalBlocker quiet(edit_);
    edit_->setText(fromU16(text));
}

void QtCheckBox::bind(ValueCheckBox* box) {
    box_ = box;
    const QSignalBlocker quiet(box);
    box->setValue(value_);
    // A change the program did not make (its own are made with the signals
    // blocked): a click, the keyboard, or an assistive tool's Toggle, which
    // changes the state without a click.
    QObject::connect(box, &QCheckBox::stateChanged, box, [this] { raiseGuardedEvent(Click); });
}

int QtCheckBox::value() const {
    return box_ ? box_->value() : value_;
}

void QtCheckBox::assignValue(int value) {
    if (!box_) {
        value_ = value;
        return;
    }
    const QSignalBlocker quiet(box_);
    box_->setValue(value);
}

void QtDropDownList::bind(QComboBox* list) {
    list_ = list;
    const QSignalBlocker quiet(list);
    list->clear();
    list->addItems(items_);
    list->setCurrentIndex(index_);
    QObject::connect(list, &QComboBox::currentIndexChanged, list,
                     [this] { raiseGuardedEvent(Click); });
}

void QtDropDownList::addItem(std::u16string_view text) {
    items_.append(fromU16(text));
    if (!list_) return;
    const QSignalBlocker quiet(list_);
    list_->addItem(items_.back());
    list_->setCurrentIndex(index_); // a first entry added is not selected by it
}

int QtDropDownList::count() const {
    return static_cast<int>(items_.size());
}

int QtDropDownList::currentIndex() const {
    return list_ ? list_->currentIndex() : index_;
}

void QtDropDownList::assignIndex(int index) {
    index_ = index;
    if (!list_) return;
    const QSignalBlocker quiet(list_);
    list_->setCurrentIndex(index);
}

std::u16string QtLabel::caption() const {
    return label_->text().toStdU16String();
}

void QtLabel::setCaption(std::u16string_view caption) {
    setLiveText(*label_, fromU16(caption));
}

void QtCommandButton::bind(QPushButton* button) {
    button_ = button;
    QObject::connect(button, &QPushButton::clicked, button, [this] { raiseGuardedEvent(Click); });
}

std::u16string QtCommandButton::caption() const {
    return button_->text().toStdU16String();
}

void QtCommandButton::setCaption(std::u16string_view caption) {
    button_->setText(fromU16(caption));
}

QtProgressBar::~QtProgressBar() {
    if (frames_) frames_->forget(this);
}

void QtProgressBar::bind(QProgressBar* bar, QtFrames& frames) {
    bar_ = bar;
    frames_ = &frames;
    value_ = bar->value();
}

void QtProgressBar::setValue(int value) {
    value_ = value;
    frames_->handOn(this, [this] { bar_->setValue(value_); });
}

bool QtProgressBar::isVisible() const {
    return !bar_->isHidden();
}

void QtProgressBar::setVisible(bool visible) {
    bar_->setVisible(visible);
}

void QtPictureBoxControl::bind(QtPictureBox* box, BuiltinIcon builtin) {
    box_ = box;
    builtin_ = std::move(builtin);
    QObject::connect(box, &QtPictureBox::clicked, box, [this] { raiseGuardedEvent(Click); });
}

void QtPictureBoxControl::showBuiltinIcon(int index) {
    if (builtin_) box_->setPicture(builtin_(index, *box_));
}

bool QtPictureBoxControl::loadPicture(std::u16string_view path) {
    const QPixmap picture = readPictureFile(fromU16(path), box_->devicePixelRatioF());
    if (picture.isNull()) return false;
    box_->setPicture(picture);
    return true;
}
