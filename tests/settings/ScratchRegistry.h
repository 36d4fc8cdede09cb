#pragma once
// A registry of its own for every test. Natively each test gets a fresh store
// file in a temporary folder; on Windows (and under Wine) each test works
// below a key of its own in HKEY_CURRENT_USER, removed with its subtree after.
// The same tests thus run against the store and against a real registry.

#include "CRegistryFunctions.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

class ScratchRegistry : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // "HKEY_CURRENT_USER\Software\TarrowinTests\<test>" and paths below it.
    std::u16string base() const { return u"HKEY_CURRENT_USER\\" + baseSubkey16_; }
    std::u16string path(std::u16string_view relative) const {
        return base() + u"\\" + std::u16string(relative);
    }
    // The same key as an 8-bit subkey path of HKEY_CURRENT_USER.
    const std::string& baseSubkey() const { return baseSubkey_; }
    std::string subkey(std::string_view relative) const {
        return baseSubkey_ + "\\" + std::string(relative);
    }

    // A full-access handle to the test's key or a key below it; closed by TearDown.
    HKEY open(std::string_view relative = {});
    HKEY create(std::string_view relative);

private:
    std::u16string baseSubkey16_;
    std::string baseSubkey_;
    std::string storeFolder_;
    std::vector<HKEY> handles_;
};

// For tests of the settings key itself, a fixed path: under Wine it must not
// outlive a test, so the maker's key goes before and after each.
class ScratchSettingsKey : public ScratchRegistry {
protected:
    void SetUp() override;
    void TearDown() override;
};

// A value as the registry holds it, read and written around the class.
struct RawValue {
    LONG result = ERROR_SUCCESS;
    DWORD type = REG_NONE;
    std::string bytes;
};
RawValue readRaw(HKEY key, const char* name);
LONG writeRaw(HKEY key, const char* name, DWORD type, std::string_view bytes);

// The names of a key's subkeys, and of its values, in the order the registry
// lists them.
std::vector<std::string> subkeyNames(HKEY key);
std::vector<std::string> valueNames(HKEY key);

#ifndef _WIN32
// A new empty folder below the system's temporary folder.
std::string makeTemporaryFolder(const char* prefix);
#endif

// Deletes a key and everything below it, one key at a time.
void deleteTree(HKEY parent, const std::string& subkey);

// Sets a variable of this process's environment, where ExpandEnvironmentStrings looks.
void setProcessVariable(const std::string& name, const std::string& value);

// Wine is a real registry but not Windows; the few places where it differs
// are marked in the tests that meet them.
bool runningUnderWine();
