#include "ScratchRegistry.h"

#include "TextConversion.h"

#ifndef _WIN32
#include "RegistryStore.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>
#endif

namespace {

constexpr const char* kTestsKey = "Software\\TarrowinTests";

std::string uniqueName() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    for (char& c : name)
        if (c == '/' || c == '\\') c = '_';
    return name;
}

} // namespace

void ScratchRegistry::SetUp() {
#ifndef _WIN32
    storeFolder_ = makeTemporaryFolder("tarrowin-test");
    ASSERT_FALSE(storeFolder_.empty());
    RegistryStore::usePath(storeFolder_ + "/registry.db");
#endif
    baseSubkey_ = std::string(kTestsKey) + "\\" + uniqueName();
    baseSubkey16_ = TextConversion::widen(baseSubkey_);
    deleteTree(HKEY_CURRENT_USER, baseSubkey_);
    create({});
}

void ScratchRegistry::TearDown() {
    for (HKEY key : handles_)
        RegCloseKey(key);
    handles_.clear();
    deleteTree(HKEY_CURRENT_USER, baseSubkey_);
#ifndef _WIN32
    RegistryStore::usePath({});
    std::error_code ignored;
    std::filesystem::remove_all(storeFolder_, ignored);
#endif
}

void ScratchSettingsKey::SetUp() {
    ScratchRegistry::SetUp();
    deleteTree(HKEY_CURRENT_USER, "Software\\Quillmoor");
}

void ScratchSettingsKey::TearDown() {
    deleteTree(HKEY_CURRENT_USER, "Software\\Quillmoor");
    ScratchRegistry::TearDown();
}

HKEY ScratchRegistry::open(std::string_view relative) {
    const std::string name = relative.empty() ? baseSubkey_ : subkey(relative);
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, name.c_str(), 0, KEY_ALL_ACCESS, &key),
              ERROR_SUCCESS)
        << name;
    if (key) handles_.push_back(key);
    return key;
}

HKEY ScratchRegistry::create(std::string_view relative) {
    const std::string name = relative.empty() ? baseSubkey_ : subkey(relative);
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, name.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS)
        << name;
    if (key) handles_.push_back(key);
    return key;
}

RawValue readRaw(HKEY key, const char* name) {
    RawValue value;
    DWORD size = 0;
    value.result = RegQueryValueExA(key, name, nullptr, &value.type, nullptr, &size);
    if (value.result != ERROR_SUCCESS) return value;
    value.bytes.resize(size);
    value.result = RegQueryValueExA(key, name, nullptr, &value.type,
                                    reinterpret_cast<BYTE*>(value.bytes.data()), &size);
    value.bytes.resize(size);
    return value;
}

LONG writeRaw(HKEY key, const char* name, DWORD type, std::string_view bytes) {
    return RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                          static_cast<DWORD>(bytes.size()));
}

namespace {
// Names by index until the registry has no more; both enumerations share the shape.
template <typename Enumerate> std::vector<std::string> namesOf(HKEY key, Enumerate enumerate) {
    std::vector<std::string> names;
    char name[1024];
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof name;
        if (enumerate(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            return names;
        names.emplace_back(name, length);
    }
}
} // namespace

std::vector<std::string> subkeyNames(HKEY key) {
    return namesOf(key, RegEnumKeyExA);
}

std::vector<std::string> valueNames(HKEY key) {
    return namesOf(key, RegEnumValueA);
}

#ifndef _WIN32
std::string makeTemporaryFolder(const char* prefix) {
    std::string folder = (std::filesystem::temp_directory_path() / prefix).string() + "-XXXXXX";
    return ::mkdtemp(folder.data()) ? folder : std::string();
}
#endif

void deleteTree(HKEY parent, const std::string& subkey) {
    // Each step names a key relative to its parent: Wine's "A" functions take
    // no subkey path longer than 260 characters.
    HKEY key = nullptr;
    if (RegOpenKeyExA(parent, subkey.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
    for (const std::string& child : subkeyNames(key))
        deleteTree(key, child);
    RegCloseKey(key);
    RegDeleteKeyA(parent, subkey.c_str());
}

void setProcessVariable(const std::string& name, const std::string& value) {
#ifdef _WIN32
    SetEnvironmentVariableA(name.c_str(), value.c_str());
#else
    ::setenv(name.c_str(), value.c_str(), 1);
#endif
}

bool runningUnderWine() {
#ifdef _WIN32
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
#else
    return false;
#endif
}
