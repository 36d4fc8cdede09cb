#pragma once
// The registry operations the benchmarks time, written once for both the
// native build (our store) and the Windows build (a real registry, under Wine).

#include "CRegistryFunctions.h"

#include <string>

namespace RegistryBench {

// A key holding the fifteen values of the program's settings, in a store of
// its own natively and in HKEY_CURRENT_USER on Windows; removed afterwards.
class Fixture {
public:
    Fixture();
    ~Fixture();
    Fixture(const Fixture&) = delete;
    Fixture& operator=(const Fixture&) = delete;

    HKEY key() const { return key_; }
    // A key of kLargeCount values, made on first use.
    HKEY largeKey();

private:
    HKEY key_ = nullptr;
    HKEY large_ = nullptr;
    std::string storeFolder_;
};

constexpr int kSettingsCount = 15;
constexpr int kLargeCount = 10000;

void setValue(HKEY key);          // one RegSetValueExA of a short text
void queryValue(HKEY key);        // size query, then the read, as ReadString does
void enumerateValues(HKEY key);   // RegEnumValueA over all fifteen values
void openAndClose();              // RegOpenKeyExA of the settings key and RegCloseKey
void saveSettings();              // what the program does at shutdown: 15 writes
void loadSettings();              // what the program does at startup: 15 reads
void enumerateLargeKey(HKEY key); // RegEnumValueA over every value of the large key

} // namespace RegistryBench
