// Writes values into the settings key before the program starts, as an earlier
// run would have: regset NAME=TEXT ...  (the key is created when missing).
// Uses the store that TARROWIN_REGISTRY names, as the program does.
#include "CRegistry.h"
#include "SettingsStore.h"
#include "TextConversion.h"

#include <string_view>

int main(int argc, char** argv) {
    CRegistry registry;
    if (!registry.OpenKey(SettingsStore::kKeyPath)) registry.CreateKey(SettingsStore::kKeyPath);
    if (!registry.OpenKey(SettingsStore::kKeyPath)) return 1;
    for (int i = 1; i < argc; ++i) {
        const std::string_view setting = argv[i];
        const auto equals = setting.find('=');
        if (equals == std::string_view::npos) return 2;
        if (!registry.WriteString(TextConversion::widen(setting.substr(equals + 1)),
                                  TextConversion::widen(setting.substr(0, equals))))
            return 1;
    }
    return 0;
}
