// Stores values in the settings key before a run, as an earlier run would
// have: regset NAME=TEXT... Reads the store that TARROWIN_REGISTRY names.
#include "CRegistry.h"
#include "CodePage.h"
#include "SettingsStore.h"

#include <string_view>

int main(int argc, char** argv) {
    CRegistry registry;
    if (!registry.OpenKey(SettingsStore::kKeyPath) &&
        !(registry.CreateKey(SettingsStore::kKeyPath) && registry.OpenKey(SettingsStore::kKeyPath)))
        return 1;
    for (int i = 1; i < argc; ++i) {
        const std::string_view pair = argv[i];
        const auto equals = pair.find('=');
        if (equals == std::string_view::npos) return 2;
        if (!registry.WriteString(CodePage::widen(pair.substr(equals + 1)), CodePage::widen(pair.substr(0, equals))))
            return 1;
    }
    return 0;
}
