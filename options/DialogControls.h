#pragma once
// The options dialog's controls as the settings store reaches them: texts,
// check-box values and the icon index, each change running the control's own
// change handling, and the store's notices worded here and shown through the
// platform services.

#include "Form2Controls.h"
#include "SettingsStore.h"

struct PlatformServices;

class DialogControls final : public SettingsStore::Controls {
public:
    DialogControls(const Form2Controls& dialog, PlatformServices& services)
        : dialog_(dialog), services_(services) {}

    std::u16string text(SettingsStore::TextSetting box, int index) const override;
    void setText(SettingsStore::TextSetting box, int index, std::u16string_view text) override;
    std::int32_t value(SettingsStore::CheckSetting box) const override;
    bool setValue(SettingsStore::CheckSetting box, std::int32_t value) override;
    std::int32_t iconIndex() const override;
    bool setIconIndex(std::int32_t index) override;
    int messageCount() const override { return Form2Controls::kMessages; }
    void showNotice(SettingsStore::Notice notice) override;

private:
    TextBox& textBox(SettingsStore::TextSetting box, int index) const;
    CheckBox& checkBox(SettingsStore::CheckSetting box) const;

    const Form2Controls& dialog_;
    PlatformServices& services_;
};
