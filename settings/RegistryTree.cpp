#include "RegistryTree.h"

#include "CRegistryConstants.h"

#include <utility>

namespace RegistryTree {
namespace {

// A value name is at most 16,383 UTF-16 units, each at most three bytes in
// the 8-bit form (a surrogate pair, two units, takes four).
constexpr DWORD kValueNameBufferBytes = 16383 * CRegistryConstants::kMaxBytesPerUnit + 1;
constexpr std::size_t kFirstDataBuffer = 4096;
// The registry reports the size a value's data needs; no value of the
// settings key comes near this, so a size that keeps growing past it is a
// registry that answers nonsense, not a value to read.
constexpr std::size_t kLargestData = std::size_t{256} * 1024 * 1024;

LONG readValues(HKEY key, std::vector<Value>& values) {
    std::string name(kValueNameBufferBytes, '\0');
    std::string data(kFirstDataBuffer, '\0');
    for (DWORD index = 0;;) {
        DWORD nameLength = kValueNameBufferBytes;
        DWORD size = static_cast<DWORD>(data.size());
        DWORD type = REG_NONE;
        const LONG result = RegEnumValueA(key, index, name.data(), &nameLength, nullptr, &type,
                                          reinterpret_cast<BYTE*>(data.data()), &size);
        if (result == ERROR_NO_MORE_ITEMS) return ERROR_SUCCESS;
        if (result == ERROR_MORE_DATA && data.size() < kLargestData) {
            // Asked again with room for what the registry says it needs.
            data.resize(std::max<std::size_t>(size, data.size() * 2));
            continue;
        }
        if (result != ERROR_SUCCESS) return result;
        values.push_back({name.substr(0, nameLength), type, data.substr(0, size)});
        ++index;
    }
}

LONG subkeyNames(HKEY key, std::vector<std::string>& names) {
    char name[CRegistryConstants::kKeyNameBufferBytes];
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof name;
        const LONG result =
            RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_NO_MORE_ITEMS) return ERROR_SUCCESS;
        if (result != ERROR_SUCCESS) return result;
        names.emplace_back(name, length);
    }
}

LONG readBelow(HKEY key, std::vector<std::string>& path, std::vector<Key>& tree) {
    Key entry{path, {}};
    if (const LONG result = readValues(key, entry.values); result != ERROR_SUCCESS) return result;
    tree.push_back(std::move(entry));
    // All names first: the registry is not asked for the next one while the
    // keys below are being read.
    std::vector<std::string> names;
    if (const LONG result = subkeyNames(key, names); result != ERROR_SUCCESS) return result;
    for (const std::string& name : names) {
        OpenKey subkey;
        if (const LONG result = RegOpenKeyExA(key, name.c_str(), 0, KEY_READ, subkey.out());
            result != ERROR_SUCCESS)
            return result;
        path.push_back(name);
        const LONG result = readBelow(subkey.get(), path, tree);
        path.pop_back();
        if (result != ERROR_SUCCESS) return result;
    }
    return ERROR_SUCCESS;
}

} // namespace

bool isText(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

OpenKey& OpenKey::operator=(OpenKey&& other) noexcept {
    if (this != &other) {
        reset();
        key_ = other.release();
    }
    return *this;
}

void OpenKey::reset() {
    if (key_) RegCloseKey(key_);
    key_ = nullptr;
}

LONG read(HKEY key, std::vector<Key>& tree) {
    std::vector<std::string> path;
    return readBelow(key, path, tree);
}

LONG erase(HKEY parent, const std::string& subkey) {
    OpenKey key;
    const LONG opened = RegOpenKeyExA(parent, subkey.c_str(), 0, KEY_ALL_ACCESS, key.out());
    if (opened == ERROR_FILE_NOT_FOUND) return ERROR_SUCCESS;
    if (opened != ERROR_SUCCESS) return opened;
    std::vector<std::string> names;
    if (const LONG result = subkeyNames(key.get(), names); result != ERROR_SUCCESS) return result;
    for (const std::string& name : names)
        if (const LONG result = erase(key.get(), name); result != ERROR_SUCCESS) return result;
    key.reset();
    return RegDeleteKeyA(parent, subkey.c_str());
}

namespace {

// One key after the other along the path, through open or create.
template <typename Step>
LONG along(HKEY parent, const std::vector<std::string>& path, HKEY& result, Step step) {
    OpenKey key;
    if (path.empty()) {
        // A handle of its own to the parent itself.
        const LONG opened = RegOpenKeyExA(parent, nullptr, 0, KEY_ALL_ACCESS, key.out());
        if (opened == ERROR_SUCCESS) result = key.release();
        return opened;
    }
    HKEY at = parent;
    for (const std::string& name : path) {
        OpenKey next;
        if (const LONG done = step(at, name, next.out()); done != ERROR_SUCCESS) return done;
        key = std::move(next);
        at = key.get();
    }
    result = key.release();
    return ERROR_SUCCESS;
}

} // namespace

LONG create(HKEY parent, const std::vector<std::string>& path, HKEY& result) {
    return along(parent, path, result, [](HKEY at, const std::string& name, HKEY* next) {
        return RegCreateKeyExA(at, name.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                               KEY_ALL_ACCESS, nullptr, next, nullptr);
    });
}

LONG open(HKEY parent, const std::vector<std::string>& path, HKEY& result) {
    return along(parent, path, result, [](HKEY at, const std::string& name, HKEY* next) {
        return RegOpenKeyExA(at, name.c_str(), 0, KEY_ALL_ACCESS, next);
    });
}

LONG write(HKEY parent, const std::string& subkey, const std::vector<Key>& tree) {
    OpenKey top;
    if (const LONG made = create(parent, {subkey}, *top.out()); made != ERROR_SUCCESS) return made;
    for (const Key& entry : tree) {
        OpenKey key;
        if (const LONG made = create(top.get(), entry.path, *key.out()); made != ERROR_SUCCESS)
            return made;
        for (const Value& value : entry.values) {
            const LONG set = RegSetValueExA(key.get(), value.name.c_str(), 0, value.type,
                                            reinterpret_cast<const BYTE*>(value.data.data()),
                                            static_cast<DWORD>(value.data.size()));
            if (set != ERROR_SUCCESS) return set;
        }
    }
    return ERROR_SUCCESS;
}

} // namespace RegistryTree
