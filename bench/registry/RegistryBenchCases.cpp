#include "RegistryBenchCases.h"

#include "CRegistry.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#ifndef _WIN32
#include "RegistryStore.h"

#include <unistd.h>
#endif

namespace RegistryBench {
namespace {

constexpr const char* kParent = "Software\\TarrowinBench";
constexpr const char* kKey = "Software\\TarrowinBench\\Tarrowin";
constexpr const char* kLargeKey = "Software\\TarrowinBench\\Large";
constexpr const char16_t* kKeyPath = u"HKEY_CURRENT_USER\\Software\\TarrowinBench\\Tarrowin";

struct Setting {
    const char16_t* name;
    const char16_t* text;
};

// In the order the settings store writes them.
constexpr std::array<Setting, kSettingsCount> kSettings = {{
    {u"Title", u"Processing..."},
    {u"Status0", u"Reading Files..."},
    {u"Speed0", u"50"},
    {u"Status1", u"Linking Data..."},
    {u"Speed1", u"200"},
    {u"Status2", u"Updating..."},
    {u"Speed2", u"100"},
    {u"Status3", u""},
    {u"Speed3", u"100"},
    {u"Status4", u""},
    {u"Speed4", u"100"},
    {u"Dual", u"1"},
    {u"Saver", u"0"},
    {u"Icon", u"0"},
    {u"CustIconPath", u"/home/someone/Pictures/busy.ico"},
}};

void fail(const char* what) {
    std::fprintf(stderr, "registry benchmark: %s failed\n", what);
    std::exit(1);
}

} // namespace

Fixture::Fixture() {
#ifndef _WIN32
    std::string folder =
        (std::filesystem::temp_directory_path() / "tarrowin-bench-XXXXXX").string();
    if (!::mkdtemp(folder.data())) fail("making a folder for the store");
    storeFolder_ = folder;
    RegistryStore::usePath(folder + "/registry.db");
#endif
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key_, nullptr) != ERROR_SUCCESS)
        fail("creating the key");
    saveSettings();
}

HKEY Fixture::largeKey() {
    if (large_) return large_;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kLargeKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &large_, nullptr) != ERROR_SUCCESS)
        fail("creating the large key");
    for (int i = 0; i < kLargeCount; ++i) {
        const std::string name = "Value" + std::to_string(i);
        const DWORD number = static_cast<DWORD>(i);
        if (RegSetValueExA(large_, name.c_str(), 0, REG_DWORD,
                           reinterpret_cast<const BYTE*>(&number), sizeof number) != ERROR_SUCCESS)
            fail("filling the large key");
    }
    return large_;
}

Fixture::~Fixture() {
    RegCloseKey(key_);
    RegDeleteKeyA(HKEY_CURRENT_USER, kKey);
    if (large_) RegCloseKey(large_);
    RegDeleteKeyA(HKEY_CURRENT_USER, kLargeKey);
    RegDeleteKeyA(HKEY_CURRENT_USER, kParent);
#ifndef _WIN32
    RegistryStore::usePath({});
    std::error_code ignored;
    std::filesystem::remove_all(storeFolder_, ignored);
#endif
}

// Two texts in turn: a store may skip writing a value that does not change,
// and a write that changes nothing would time only the lookup.
void setValue(HKEY key) {
    static const char texts[2][14] = {"Processing...", "Processing!!!"};
    static int turn = 0;
    turn ^= 1;
    if (RegSetValueExA(key, "Title", 0, REG_SZ, reinterpret_cast<const BYTE*>(texts[turn]),
                       sizeof texts[turn]) != ERROR_SUCCESS)
        fail("RegSetValueExA");
}

void queryValue(HKEY key) {
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key, "Status0", nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        fail("RegQueryValueExA (size)");
    BYTE buffer[64];
    if (size > sizeof buffer ||
        RegQueryValueExA(key, "Status0", nullptr, &type, buffer, &size) != ERROR_SUCCESS)
        fail("RegQueryValueExA (data)");
}

namespace {
LONG enumerateValue(HKEY key, DWORD index) {
    char name[32];
    DWORD length = sizeof name;
    return RegEnumValueA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr);
}
} // namespace

void enumerateValues(HKEY key) {
    for (DWORD i = 0; i < kSettingsCount; ++i)
        if (enumerateValue(key, i) != ERROR_SUCCESS) fail("RegEnumValueA");
}

void enumerateLargeKey(HKEY key) {
    for (DWORD i = 0; i < kLargeCount; ++i)
        if (enumerateValue(key, i) != ERROR_SUCCESS) fail("RegEnumValueA (large key)");
    if (enumerateValue(key, kLargeCount) != ERROR_NO_MORE_ITEMS)
        fail("RegEnumValueA (end of the large key)");
}

void openAndClose() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        fail("RegOpenKeyExA");
    RegCloseKey(key);
}

// The title changes between two saves, as it does when the user edits it; the
// other fourteen are written again as they are.
void saveSettings() {
    static int turn = 0;
    turn ^= 1;
    CRegistry reg;
    if (!reg.OpenKey(kKeyPath)) fail("OpenKey");
    for (const Setting& setting : kSettings) {
        const bool title = std::u16string_view(setting.name) == u"Title";
        if (!reg.WriteString(title && turn ? u"Edited" : setting.text, setting.name))
            fail("WriteString");
    }
}

void loadSettings() {
    CRegistry reg;
    if (!reg.OpenKey(kKeyPath)) fail("OpenKey");
    for (const Setting& setting : kSettings)
        if (reg.ReadString(setting.name).empty()) fail("ReadString"); // "" is stored as a NUL
}

} // namespace RegistryBench
