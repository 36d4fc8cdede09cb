#include "SettingsStore.h"

#include "CRegistry.h"
#include "NumberText.h"

#include <cstdint>
#include <limits>
#include <string>

namespace SettingsStore {
namespace {

constexpr std::int32_t kShortMin = std::numeric_limits<std::int16_t>::min();
constexpr std::int32_t kShortMax = std::numeric_limits<std::int16_t>::max();

std::u16string indexed(std::u16string_view name, int index) {
    return std::u16string(name) + NumberText::decimal(index);
}

// Stored check-box values are whole numbers that must fit a 16-bit integer. One
// that does not convert, or that is no check-box value, keeps the box's default.
void applyCheckBox(Controls& controls, CheckSetting box, const std::u16string& stored) {
    if (const auto value = NumberText::wholeNumber(stored, kShortMin, kShortMax))
        controls.setValue(box, *value);
}

// The icon index is the number the text starts with, rounded; an index the list
// does not have keeps the default selection.
void applyIcon(Controls& controls, const std::u16string& stored) {
    if (const auto index =
            NumberText::roundHalfEven(NumberText::leadingNumber(stored), kShortMin, kShortMax))
        controls.setIconIndex(*index);
}

} // namespace

bool GetReg(Controls& controls) {
    CRegistry registry;
    if (!registry.OpenKey(kKeyPath)) {
        if (!registry.CreateKey(kKeyPath)) {
            controls.showNotice(Notice::CannotCreateKey);
            return false;
        }
        controls.showNotice(Notice::Welcome);
        return true; // the new key is empty: every control keeps its default
    }

    // Every value found non-empty goes into its control, in this order; an empty
    // text stored by SetReg comes back as a lone NUL, which is not empty.
    const auto read = [&registry](std::u16string_view name) { return registry.ReadString(name); };
    if (auto title = read(u"Title"); !title.empty()) controls.setText(TextSetting::Title, 0, title);
    if (auto dual = read(u"Dual"); !dual.empty()) applyCheckBox(controls, CheckSetting::Dual, dual);
    if (auto saver = read(u"Saver"); !saver.empty())
        applyCheckBox(controls, CheckSetting::Saver, saver);
    if (auto icon = read(u"Icon"); !icon.empty()) applyIcon(controls, icon);
    if (auto path = read(u"CustIconPath"); !path.empty())
        controls.setText(TextSetting::CustomIconPath, 0, path);
    if (auto button = read(u"ButtonText"); !button.empty())
        controls.setText(TextSetting::ButtonText, 0, button);
    for (int i = 0; i < controls.messageCount(); ++i) {
        if (auto status = read(indexed(u"Status", i)); !status.empty())
            controls.setText(TextSetting::Status, i, status);
        if (auto speed = read(indexed(u"Speed", i)); !speed.empty())
            controls.setText(TextSetting::Speed, i, speed);
    }
    return false;
}

void SetReg(const Controls& controls) {
    CRegistry registry;
    if (!registry.OpenKey(kKeyPath)) return;
    registry.WriteString(controls.text(TextSetting::Title), u"Title");
    for (int i = 0; i < controls.messageCount(); ++i) {
        registry.WriteString(controls.text(TextSetting::Status, i), indexed(u"Status", i));
        registry.WriteString(controls.text(TextSetting::Speed, i), indexed(u"Speed", i));
    }
    registry.WriteString(NumberText::decimal(controls.value(CheckSetting::Dual)), u"Dual");
    registry.WriteString(NumberText::decimal(controls.value(CheckSetting::Saver)), u"Saver");
    registry.WriteString(NumberText::decimal(controls.iconIndex()), u"Icon");
    registry.WriteString(controls.text(TextSetting::CustomIconPath), u"CustIconPath");
    registry.WriteString(controls.text(TextSetting::ButtonText), u"ButtonText");
}

} // namespace SettingsStore
