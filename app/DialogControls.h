#pragma once
// The options dialog's controls as the settings store reaches them: texts,
// check-box values and the icon index, each change running the control's own
// change handling, and the store's messages shown through the platform services.

#include "SettingsStore.h"

class Form2;
struct PlatformServices;
class QLineEdit;
class ValueCheckBox;

class DialogControls final : public SettingsStore::Controls {
public:
    DialogControls(Form2& dialog, PlatformServices& services) : dialog_(dialog), services_(services) {}

    std::u16string text(SettingsStore::TextBox box, int index) const override;
    void setText(SettingsStore::TextBox box, int index, std::u16string_view text) override;
    std::int32_t value(SettingsStore::CheckBox box) const override;
    bool setValue(SettingsStore::CheckBox box, std::int32_t value) override;
    std::int32_t iconIndex() const override;
    bool setIconIndex(std::int32_t index) override;
    void showMessage(std::u16string_view text, SettingsStore::MessageKind kind) override;

private:
    QLineEdit* lineEdit(SettingsStore::TextBox box, int index) const;
    ValueCheckBox* checkBox(SettingsStore::CheckBox box) const;

    Form2& dialog_;
    PlatformServices& services_;
};
