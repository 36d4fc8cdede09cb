// CRegistry: object state and key operations.

#include "CRegistry.h"

#include "CRegistryConstants.h"
#include "TextConversion.h"

#include <algorithm>
#include <optional>

using namespace CRegistryConstants;
using TextConversion::narrow;
using TextConversion::widen;

namespace {

struct SplitPath {
    std::u16string_view root;
    std::optional<std::string> subkey; // none: the root key itself
};

// Rule A (OpenKey, KeyExists): a backslash in first place does not split, so
// "\Software" is taken as a root name, and an unknown one.
SplitPath splitAtRoot(std::u16string_view path) {
    const std::size_t at = path.find(kPathSeparator);
    if (at == std::u16string_view::npos || at == 0) return {path, std::nullopt};
    return {path.substr(0, at), narrow(path.substr(at + 1))};
}

// Rule B (CreateKey, DeleteKey): any first backslash splits, so "\Software"
// has the empty root name and becomes a path relative to the current key.
SplitPath splitAtFirstBackslash(std::u16string_view path) {
    const std::size_t at = path.find(kPathSeparator);
    if (at == std::u16string_view::npos) return {path, std::nullopt};
    return {path.substr(0, at), narrow(path.substr(at + 1))};
}

HKEY rootKey(std::u16string_view name) {
    const auto found = std::find(kRootNames.begin(), kRootNames.end(), name);
    if (found == kRootNames.end()) return nullptr;
    return rootKeys()[static_cast<std::size_t>(found - kRootNames.begin())];
}

// The subkey count that RegQueryInfoKeyA reports; 0 when the call fails.
DWORD subkeyCount(HKEY key) {
    DWORD classLength = 0;
    DWORD count = 0;
    FILETIME lastWrite{};
    RegQueryInfoKeyA(key, nullptr, &classLength, nullptr, &count, nullptr, nullptr, nullptr,
                     nullptr, nullptr, nullptr, &lastWrite);
    return count;
}

const char* orNone(const std::optional<std::string>& subkey) {
    return subkey ? subkey->c_str() : nullptr;
}

} // namespace

CRegistry::~CRegistry() {
    CloseKey();
}

bool CRegistry::OpenKey(std::u16string_view sKey) {
    CloseKey();
    if (containsNul(sKey)) return false;
    const SplitPath path = splitAtRoot(sKey);
    const HKEY root = rootKey(path.root);
    if (!root) return false;
    if (RegOpenKeyExA(root, orNone(path.subkey), 0, kFullAccess, &lKeyHandle) != ERROR_SUCCESS)
        return false;
    sCurrentPath = sKey;
    const std::size_t last = sCurrentPath.rfind(kPathSeparator);
    sCurrentKey = last == std::u16string::npos ? sCurrentPath : sCurrentPath.substr(last + 1);
    return true;
}

bool CRegistry::CloseKey() {
    if (!lKeyHandle) return false;
    if (RegCloseKey(lKeyHandle) != ERROR_SUCCESS) return false;
    lKeyHandle = nullptr;
    sCurrentPath.clear();
    sCurrentKey.clear();
    return true;
}

bool CRegistry::EnumerateKeys(TextList& sKeys, std::int32_t& lKeysNumber) {
    if (!lKeyHandle) return false;
    const auto n = static_cast<std::int32_t>(subkeyCount(lKeyHandle));
    sKeys.clear();
    if (n <= 0) return false;
    // Only names the platform actually gave count: a subkey deleted after the
    // count was taken leaves the list shorter, never an empty or stale name.
    sKeys.assign(1, std::u16string());
    for (std::int32_t i = 0; i < n; ++i) {
        std::string buffer(kKeyNameBufferBytes, '\0');
        DWORD nameLength = kKeyNameBufferBytes;
        DWORD noClass = 0;
        FILETIME lastWrite{};
        const LONG result = RegEnumKeyExA(lKeyHandle, static_cast<DWORD>(i), buffer.data(),
                                          &nameLength, nullptr, nullptr, &noClass, &lastWrite);
        if (result == ERROR_NO_MORE_ITEMS) break;
        if (result != ERROR_SUCCESS || nameLength >= kKeyNameBufferBytes) continue;
        sKeys.push_back(widen(std::string_view(buffer.data(), nameLength)));
    }
    lKeysNumber = static_cast<std::int32_t>(sKeys.size()) - 1;
    return lKeysNumber > 0;
}

bool CRegistry::HasSubKeys() {
    if (!lKeyHandle) return false;
    return subkeyCount(lKeyHandle) != 0;
}

bool CRegistry::CreateKey(std::u16string_view sKey) {
    if (containsNul(sKey)) return false;
    const SplitPath path = splitAtFirstBackslash(sKey);
    const HKEY root = rootKey(path.root);
    SECURITY_ATTRIBUTES security{};
    HKEY created = nullptr;
    DWORD disposition = 0;
    if (root) {
        RegCreateKeyExA(root, orNone(path.subkey), 0, nullptr, REG_OPTION_NON_VOLATILE, kFullAccess,
                        &security, &created, &disposition);
    } else {
        if (!lKeyHandle) return false;
        RegCreateKeyExA(lKeyHandle, narrow(sKey).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        kFullAccess, &security, &created, &disposition);
    }
    RegCloseKey(created);
    return disposition == REG_CREATED_NEW_KEY;
}

bool CRegistry::DeleteKey(std::u16string_view sKey) {
    if (sKey == sCurrentPath || containsNul(sKey)) return false;
    const SplitPath path = splitAtFirstBackslash(sKey);
    if (const HKEY root = rootKey(path.root))
        return RegDeleteKeyA(root, orNone(path.subkey)) == ERROR_SUCCESS;
    if (!lKeyHandle) return false;
    return RegDeleteKeyA(lKeyHandle, narrow(sKey).c_str()) == ERROR_SUCCESS;
}

bool CRegistry::KeyExists(std::u16string_view sKey) {
    if (containsNul(sKey)) return false;
    const SplitPath path = splitAtRoot(sKey);
    const HKEY root = rootKey(path.root);
    if (!root) return false;
    HKEY probe = nullptr;
    const LONG result = RegOpenKeyExA(root, orNone(path.subkey), 0, kFullAccess, &probe);
    RegCloseKey(probe);
    return result == ERROR_SUCCESS;
}

Variant CRegistry::FindKey() {
    return {};
}
