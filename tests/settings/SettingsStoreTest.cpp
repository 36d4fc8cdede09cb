// GetReg and SetReg against a registry (the store natively, Wine's under Wine),
// with the dialog's controls replaced by a recording stand-in.
#include "SettingsStore.h"
#include "CRegistry.h"
#include "ScratchRegistry.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

using namespace SettingsStore;

std::string ascii(std::u16string_view text) {
    std::string out;
    for (char16_t c : text)
        out += c == 0 ? '0' : c < 128 ? static_cast<char>(c) : '?';
    return out;
}

// The dialog's controls as plain values, with a log of every change in order.
class FakeControls final : public Controls {
public:
    std::map<std::pair<TextSetting, int>, std::u16string> texts;
    std::map<CheckSetting, std::int32_t> checks{{CheckSetting::Dual, 1}, {CheckSetting::Saver, 0}};
    std::int32_t icon = 0;
    std::vector<std::string> log;
    std::vector<Notice> notices;

    int messageCount() const override { return 5; }

    std::u16string text(TextSetting box, int index) const override {
        const auto found = texts.find({box, index});
        return found == texts.end() ? std::u16string() : found->second;
    }
    void setText(TextSetting box, int index, std::u16string_view text) override {
        texts[{box, index}] = std::u16string(text.substr(0, text.find(u'\0')));
        log.push_back(name(box, index) + "=" + ascii(text));
    }
    std::int32_t value(CheckSetting box) const override { return checks.at(box); }
    bool setValue(CheckSetting box, std::int32_t value) override {
        log.push_back(std::string(box == CheckSetting::Dual ? "Dual" : "Saver") + "=" +
                      std::to_string(value));
        if (value < 0 || value > 2) return false;
        checks[box] = value;
        return true;
    }
    std::int32_t iconIndex() const override { return icon; }
    bool setIconIndex(std::int32_t index) override {
        log.push_back("Icon=" + std::to_string(index));
        if (index < 0 || index > 7) return false;
        icon = index;
        return true;
    }
    void showNotice(Notice notice) override { notices.push_back(notice); }

private:
    static std::string name(TextSetting box, int index) {
        switch (box) {
        case TextSetting::Title:
            return "Title";
        case TextSetting::Status:
            return "Status" + std::to_string(index);
        case TextSetting::Speed:
            return "Speed" + std::to_string(index);
        case TextSetting::CustomIconPath:
            return "CustIconPath";
        case TextSetting::ButtonText:
            break;
        }
        return "ButtonText";
    }
};

class SettingsStoreTest : public ScratchSettingsKey {
protected:
    void store(std::u16string_view name, std::u16string_view text) {
        CRegistry registry;
        registry.CreateKey(kKeyPath);
        ASSERT_TRUE(registry.OpenKey(kKeyPath));
        ASSERT_TRUE(registry.WriteString(text, name));
    }
    // The value names of the settings key, from element 1 on; empty without the key.
    TextList storedNames() {
        CRegistry registry;
        TextList names;
        std::int32_t count = 0;
        if (registry.OpenKey(kKeyPath)) registry.EnumerateValues(names, count);
        return names;
    }
    std::u16string stored(std::u16string_view name) {
        CRegistry registry;
        return registry.OpenKey(kKeyPath) ? registry.ReadString(name) : u"(no key)";
    }
    FakeControls controls;
};

TEST_F(SettingsStoreTest, FirstRunCreatesTheKeyAndGreetsOnly) {
    EXPECT_TRUE(GetReg(controls));
    EXPECT_EQ(controls.notices, std::vector<Notice>{Notice::Welcome});
    EXPECT_TRUE(controls.log.empty());
    EXPECT_TRUE(CRegistry().KeyExists(kKeyPath));
    EXPECT_FALSE(GetReg(controls)) << "the second start is no first run";
    EXPECT_EQ(controls.notices.size(), 1u);
}

TEST_F(SettingsStoreTest, LoadsInItsOrderAndOnlyNonEmptyValues) {
    store(u"Speed4", u"44");
    store(u"Status0", u"zero");
    store(u"ButtonText", u"Stop");
    store(u"CustIconPath", u"C:\\pic.ico");
    store(u"Icon", u"3");
    store(u"Saver", u"1");
    store(u"Dual", u"0");
    store(u"Title", u"Grüße — 進捗");
    store(u"Status1", u""); // stored as a lone NUL: comes back, empty
    EXPECT_FALSE(GetReg(controls));
    EXPECT_EQ(controls.log,
              (std::vector<std::string>{"Title=Gr??e ? ??", "Dual=0", "Saver=1", "Icon=3",
                                        "CustIconPath=C:\\pic.ico", "ButtonText=Stop",
                                        "Status0=zero", "Status1=0", "Speed4=44"}));
    EXPECT_EQ(controls.text(TextSetting::Title, 0), u"Grüße — 進捗");
    EXPECT_EQ(controls.text(TextSetting::Status, 1), u"");
    EXPECT_TRUE(controls.notices.empty());
}

TEST_F(SettingsStoreTest, StoredNumbersAreReadAsTheProgramWritesThem) {
    store(u"Dual", u" 2 ");
    store(u"Saver", u"x");     // not a number: the box is left alone
    store(u"Icon", u"2.5abc"); // leading number, half to even
    GetReg(controls);
    EXPECT_EQ(controls.log, (std::vector<std::string>{"Dual=2", "Icon=2"}));

    controls.log.clear();
    store(u"Dual", u"7");      // no check-box value: refused by the box
    store(u"Icon", u"abc");    // no leading number: 0
    store(u"Saver", u"1e400"); // no 16-bit number
    GetReg(controls);
    EXPECT_EQ(controls.log, (std::vector<std::string>{"Dual=7", "Icon=0"}));
    EXPECT_EQ(controls.value(CheckSetting::Dual), 2) << "the refused value changed nothing";
}

TEST_F(SettingsStoreTest, SavesEverySettingAndEmptyTextsAsNul) {
    CRegistry().CreateKey(kKeyPath);
    controls.texts[{TextSetting::Title, 0}] = u"Grüße — 進捗";
    controls.texts[{TextSetting::Status, 2}] = u"two";
    controls.texts[{TextSetting::Speed, 2}] = u"1.5";
    controls.texts[{TextSetting::ButtonText, 0}] = u"Halt";
    controls.checks[CheckSetting::Saver] = 2;
    controls.icon = -1;
    SetReg(controls);

    EXPECT_EQ(storedNames().size(), 16u + 1) << "sixteen values, listed from 1";
    EXPECT_EQ(stored(u"Title"), u"Grüße — 進捗");
    EXPECT_EQ(stored(u"Status2"), u"two");
    EXPECT_EQ(stored(u"Speed2"), u"1.5");
    EXPECT_EQ(stored(u"Status0"), std::u16string(1, u'\0'));
    EXPECT_EQ(stored(u"CustIconPath"), std::u16string(1, u'\0'));
    EXPECT_EQ(stored(u"ButtonText"), u"Halt");
    EXPECT_EQ(stored(u"Dual"), u"1");
    EXPECT_EQ(stored(u"Saver"), u"2");
    EXPECT_EQ(stored(u"Icon"), u"-1");

    FakeControls next;
    GetReg(next);
    EXPECT_EQ(next.text(TextSetting::Title, 0), u"Grüße — 進捗");
    EXPECT_EQ(next.text(TextSetting::Status, 0), u"") << "stored empty, loaded empty";
}

#ifndef _WIN32 // Wine lists values by name; Windows and the store keep their creation order
TEST_F(SettingsStoreTest, SavesInItsOrder) {
    CRegistry().CreateKey(kKeyPath);
    SetReg(controls);
    EXPECT_EQ(storedNames(),
              (TextList{u"", u"Title", u"Status0", u"Speed0", u"Status1", u"Speed1", u"Status2",
                        u"Speed2", u"Status3", u"Speed3", u"Status4", u"Speed4", u"Dual", u"Saver",
                        u"Icon", u"CustIconPath", u"ButtonText"}));
}
#endif

TEST_F(SettingsStoreTest, SavingNeverCreatesTheKey) {
    controls.texts[{TextSetting::Title, 0}] = u"lost";
    SetReg(controls);
    EXPECT_FALSE(CRegistry().KeyExists(kKeyPath));
}

} // namespace
