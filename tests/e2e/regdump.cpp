// Prints every value of the settings key as name=text, one per line, a NUL
// shown as \0; nothing when the key does not exist. Reads the store that
// TARROWIN_REGISTRY names, as the program does.
#include "CRegistry.h"
#include "SettingsStore.h"
#include "TextConversion.h"

#include <cstdio>
#include <string>

int main() {
    CRegistry registry;
    if (!registry.OpenKey(SettingsStore::kKeyPath)) return 1;
    TextList names;
    std::int32_t count = 0;
    if (!registry.EnumerateValues(names, count)) return 0;
    for (std::int32_t i = 1; i <= count; ++i) {
        std::string text = TextConversion::narrow(registry.ReadString(names[i]));
        for (std::size_t at; (at = text.find('\0')) != std::string::npos;)
            text.replace(at, 1, "\\0");
        std::printf("%s=%s\n", TextConversion::narrow(names[i]).c_str(), text.c_str());
    }
    return 0;
}
