// CRegistry: renaming the current key, and the hive-file operations.

#include "CRegistry.h"

#include "CRegistryConstants.h"

#include <algorithm>

using namespace CRegistryConstants;

bool CRegistry::RenameKey(std::u16string_view sNewKeyName) {
    if (std::find(kRootNames.begin(), kRootNames.end(), sCurrentPath) != kRootNames.end())
        return false;
    if (!lKeyHandle) return false;
    // The new key must be a sibling. With no last component (a path ending in
    // a backslash), or a new name that is a path itself, it could land inside
    // the key being copied, and the copy would copy its own copy without end.
    if (sCurrentKey.empty() || sNewKeyName.find(kPathSeparator) != std::u16string_view::npos)
        return false;
    const std::u16string oldPath = sCurrentPath;
    const std::u16string newPath =
        sCurrentPath.substr(0, sCurrentPath.size() - sCurrentKey.size()) +
        std::u16string(sNewKeyName);
    if (KeyExists(newPath)) return false;
    if (!CreateKey(newPath)) return false;
    CopyValues(oldPath, newPath);
    CopySubKeys(oldPath, newPath);
    if (!OpenKey(newPath)) return false;
    return DeleteKey(oldPath);
}

// Copies the values of the current key, opened from sSourcePath, one at a time
// into the key at sTargetPath, switching the current key for each write.
void CRegistry::CopyValues(const std::u16string& sSourcePath, const std::u16string& sTargetPath) {
    if (!KeyExists(sTargetPath)) return;
    TextList names;
    std::int32_t count = 0;
    if (!EnumerateValues(names, count)) return;
    for (std::int32_t k = count; k >= 1; --k) {
        const std::u16string& name = names[static_cast<std::size_t>(k)];
        ValueType kind = UnknownValue;
        std::int32_t size = 0;
        GetValueInfo(name, kind, size);
        // A value of a type the class does not know is copied as its bytes,
        // when it has any.
        if (kind == UnknownValue) {
            if (size == 0) continue;
            kind = BinaryValue;
        }
        CopyValue(name, kind, name, sTargetPath);
        OpenKey(sSourcePath);
    }
}

// Copies the whole subtree below sSourcePath into sTargetPath, depth first.
void CRegistry::CopySubKeys(const std::u16string& sSourcePath, const std::u16string& sTargetPath) {
    OpenKey(sSourcePath);
    TextList names;
    std::int32_t count = 0;
    if (!EnumerateKeys(names, count)) return;
    for (std::int32_t k = count; k >= 1; --k) {
        const std::u16string& name = names[static_cast<std::size_t>(k)];
        const std::u16string source = sSourcePath + kPathSeparator + name;
        const std::u16string target = sTargetPath + kPathSeparator + name;
        CreateKey(target);
        OpenKey(source);
        CopyValues(source, target);
        CloseKey();
        CopySubKeys(source, target);
    }
}

bool CRegistry::SaveKey() {
    return false;
}
bool CRegistry::LoadKey() {
    return false;
}
bool CRegistry::UnLoadKey() {
    return false;
}
bool CRegistry::RestoreKey() {
    return false;
}
bool CRegistry::ReplaceKey() {
    return false;
}
