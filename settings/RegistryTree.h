#pragma once
// A key and everything below it as the 8-bit registry calls read and write
// it, on the Windows registry and on the store alike: the export reads the
// settings key this way, the import writes through it, and on Windows an
// import that fails puts back what it read before.
//
// Names and the data of texts (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ) are 8-bit
// text as the "A" calls hand them over; every other type is its bytes.

#include "CRegistryFunctions.h"

#include <string>
#include <vector>

namespace RegistryTree {

struct Value {
    std::string name; // empty for the key's default value
    DWORD type = REG_NONE;
    std::string data;
    bool operator==(const Value&) const = default;
};

struct Key {
    std::vector<std::string> path; // the names below the key read, empty for itself
    std::vector<Value> values;     // in the registry's order
    bool operator==(const Key&) const = default;
};

bool isText(DWORD type);

// The key and every key below it, depth first, each key before its subkeys,
// values and subkeys in the order the registry lists them.
LONG read(HKEY key, std::vector<Key>& tree);

// Deletes the subkey and everything below it, one key at a time, as the
// registry deletes keys; a subkey that is not there is no failure.
LONG erase(HKEY parent, const std::string& subkey);

// The subkey at the end of the path below parent, made where missing, one
// name at a time, so that no path grows beyond what the 8-bit calls take.
LONG create(HKEY parent, const std::vector<std::string>& path, HKEY& result);

// The subkey at the end of the path below parent, opened with full access;
// ERROR_FILE_NOT_FOUND when a key on the way is not there.
LONG open(HKEY parent, const std::vector<std::string>& path, HKEY& result);

// Writes what read() gave back below parent's subkey, made where missing.
LONG write(HKEY parent, const std::string& subkey, const std::vector<Key>& tree);

// Closes the handle when it goes.
class OpenKey {
public:
    OpenKey() = default;
    explicit OpenKey(HKEY key) : key_(key) {}
    ~OpenKey() { reset(); }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    OpenKey(OpenKey&& other) noexcept : key_(other.release()) {}
    OpenKey& operator=(OpenKey&& other) noexcept;
    HKEY get() const { return key_; }
    HKEY* out() {
        reset();
        return &key_;
    }
    HKEY release() {
        HKEY key = key_;
        key_ = nullptr;
        return key;
    }
    void reset();

private:
    HKEY key_ = nullptr;
};

} // namespace RegistryTree
