#include "OneRunSettings.h"

#include "CRegistry.h"
#include "CheckBox.h"
#include "Form2.h"
#include "NumberText.h"

#include <utility>

namespace {

using SettingsStore::CheckSetting;
using SettingsStore::TextSetting;
using Values = OneRunSettings::Values;

constexpr int kMessages = Form2::kMessages;
constexpr int kTitle = 0;
constexpr int kStatus = kTitle + 1;
constexpr int kSpeed = kStatus + kMessages;
constexpr int kIconPath = kSpeed + kMessages;
constexpr int kButton = kIconPath + 1;
constexpr int kDual = kButton + 1;
constexpr int kSaver = kDual + 1;
constexpr int kIcon = kSaver + 1;
static_assert(kIcon + 1 == OneRunSettings::kSettings);

int slotOf(TextSetting box, int index) {
    switch (box) {
    case TextSetting::Title:
        return kTitle;
    case TextSetting::Status:
        return kStatus + index;
    case TextSetting::Speed:
        return kSpeed + index;
    case TextSetting::CustomIconPath:
        return kIconPath;
    case TextSetting::ButtonText:
        return kButton;
    }
    return kButton; // not reached: every box is named above
}

int slotOf(CheckSetting box) {
    return box == CheckSetting::Dual ? kDual : kSaver;
}

bool isCheckValue(std::int32_t value) {
    return value == CheckBox::Unchecked || value == CheckBox::Checked || value == CheckBox::Grayed;
}

bool isIconIndex(std::int32_t index) {
    return index >= 0 && index < std::int32_t(Form2::kIconNames.size());
}

Values read(const SettingsStore::Controls& controls) {
    Values values;
    values[kTitle] = controls.text(TextSetting::Title);
    for (int i = 0; i < kMessages; ++i) {
        values[kStatus + i] = controls.text(TextSetting::Status, i);
        values[kSpeed + i] = controls.text(TextSetting::Speed, i);
    }
    values[kIconPath] = controls.text(TextSetting::CustomIconPath);
    values[kButton] = controls.text(TextSetting::ButtonText);
    values[kDual] = controls.value(CheckSetting::Dual);
    values[kSaver] = controls.value(CheckSetting::Saver);
    values[kIcon] = controls.iconIndex();
    return values;
}

// The settings in memory, as the store reads them for storing.
class StoredValues final : public SettingsStore::Controls {
public:
    explicit StoredValues(const Values& values) : values_(values) {}

    std::u16string text(TextSetting box, int index) const override {
        return std::get<std::u16string>(values_[slotOf(box, index)]);
    }
    std::int32_t value(CheckSetting box) const override {
        return std::get<std::int32_t>(values_[slotOf(box)]);
    }
    std::int32_t iconIndex() const override { return std::get<std::int32_t>(values_[kIcon]); }
    int messageCount() const override { return kMessages; }

    // Storing only reads.
    void setText(TextSetting, int, std::u16string_view) override {}
    bool setValue(CheckSetting, std::int32_t) override { return false; }
    bool setIconIndex(std::int32_t) override { return false; }
    void showNotice(SettingsStore::Notice) override {}

private:
    const Values& values_;
};

// The dialog as the store loads it, with the settings this run sets kept
// aside instead: they never reach the dialog, so that what they would do
// there (the screen-saver box switching) does not happen.
class LoadingAround final : public SettingsStore::Controls {
public:
    LoadingAround(SettingsStore::Controls& dialog,
                  const std::array<bool, OneRunSettings::kSettings>& set, Values& kept)
        : dialog_(dialog), set_(set), kept_(kept) {}

    std::u16string text(TextSetting box, int index) const override {
        return dialog_.text(box, index);
    }
    void setText(TextSetting box, int index, std::u16string_view text) override {
        if (set_[slotOf(box, index)])
            kept_[slotOf(box, index)] = std::u16string(text); // as stored, to store again
        else
            dialog_.setText(box, index, text);
    }
    std::int32_t value(CheckSetting box) const override { return dialog_.value(box); }
    bool setValue(CheckSetting box, std::int32_t value) override {
        if (!set_[slotOf(box)]) return dialog_.setValue(box, value);
        if (!isCheckValue(value)) return false;
        kept_[slotOf(box)] = value;
        return true;
    }
    std::int32_t iconIndex() const override { return dialog_.iconIndex(); }
    bool setIconIndex(std::int32_t index) override {
        if (!set_[kIcon]) return dialog_.setIconIndex(index);
        if (!isIconIndex(index)) return false;
        kept_[kIcon] = index;
        return true;
    }
    int messageCount() const override { return dialog_.messageCount(); }
    void showNotice(SettingsStore::Notice notice) override { dialog_.showNotice(notice); }

private:
    SettingsStore::Controls& dialog_;
    const std::array<bool, OneRunSettings::kSettings>& set_;
    Values& kept_;
};

} // namespace

OneRunSettings::OneRunSettings(RunSettings settings) : settings_(std::move(settings)) {
    set_[kTitle] = settings_.title.has_value();
    set_[kButton] = settings_.buttonText.has_value();
    for (int i = 0; i < kMessages; ++i) {
        set_[kStatus + i] = !settings_.messages.empty();
        set_[kSpeed + i] =
            std::size_t(i) < settings_.messages.size() && settings_.messages[i].speed.has_value();
    }
    set_[kDual] = settings_.dual.has_value();
    set_[kSaver] = settings_.keepScreenOn.has_value();
    set_[kIcon] = settings_.builtinIcon || settings_.iconFile;
    set_[kIconPath] = settings_.iconFile.has_value();
}

void OneRunSettings::load(SettingsStore::Controls& dialog) {
    noKey_ = !CRegistry().OpenKey(SettingsStore::kKeyPath);
    Values kept = read(dialog); // what the dialog holds where nothing is stored
    if (!noKey_) {
        LoadingAround loading(dialog, set_, kept);
        SettingsStore::GetReg(loading);
    }
    stored_ = read(dialog);
    for (int i = 0; i < kSettings; ++i)
        if (set_[i]) stored_[i] = kept[i];
    apply(dialog);
    shown_ = read(dialog);
}

// In the order the store loads them: the icon before its path.
void OneRunSettings::apply(SettingsStore::Controls& dialog) const {
    if (settings_.title) dialog.setText(TextSetting::Title, 0, *settings_.title);
    if (settings_.dual)
        dialog.setValue(CheckSetting::Dual,
                        *settings_.dual ? CheckBox::Checked : CheckBox::Unchecked);
    if (settings_.keepScreenOn)
        dialog.setValue(CheckSetting::Saver,
                        *settings_.keepScreenOn ? CheckBox::Checked : CheckBox::Unchecked);
    if (settings_.builtinIcon) dialog.setIconIndex(*settings_.builtinIcon);
    if (settings_.iconFile) {
        dialog.setIconIndex(Form2::kCustomIcon);
        dialog.setText(TextSetting::CustomIconPath, 0, *settings_.iconFile);
    }
    if (settings_.buttonText) dialog.setText(TextSetting::ButtonText, 0, *settings_.buttonText);
    if (settings_.messages.empty()) return;
    for (int i = 0; i < kMessages; ++i) {
        const bool given = std::size_t(i) < settings_.messages.size();
        dialog.setText(TextSetting::Status, i, given ? settings_.messages[i].text : u"");
        if (given && settings_.messages[i].speed)
            dialog.setText(TextSetting::Speed, i,
                           NumberText::decimal(*settings_.messages[i].speed));
    }
}

void OneRunSettings::store(const SettingsStore::Controls& dialog) const {
    const Values now = read(dialog);
    Values keep = now;
    for (int i = 0; i < kSettings; ++i)
        if (now[i] == shown_[i]) keep[i] = stored_[i];
    if (noKey_) {
        if (keep == stored_) return; // nothing of the user's: the next start is a first start
        CRegistry().CreateKey(SettingsStore::kKeyPath);
    }
    SettingsStore::SetReg(StoredValues(keep));
}
