// The advapi32 registry functions on top of the SQLite store (KeyHandles.h
// keeps this process's handles on it).
//
// A store that SQLite finds damaged, when it is opened or by any later call,
// is set aside and replaced by a new one, and the call is tried once more on
// it; handles opened before then find their keys deleted.

#include "KeyHandles.h"
#include "KeyNames.h"
#include "RegistryStore.h"
#include "StoreDatabase.h"
#include "TextConversion.h"
#include "WinRegistry.h"

#include <sqlite3.h>

#include <algorithm>
#include <mutex>
#include <new>
#include <optional>
#include <system_error>
#include <vector>

namespace {

constexpr REGSAM kWriteRights =
    KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_CREATE_LINK | DELETE | WRITE_DAC | WRITE_OWNER;
constexpr REGSAM kGenericRights = GENERIC_READ | GENERIC_WRITE | GENERIC_EXECUTE | GENERIC_ALL;

void require(const OpenedKey& key, REGSAM right) {
    if (!(key.access & right)) throw StoreError(ERROR_ACCESS_DENIED);
}

REGSAM grantedAccess(REGSAM desired, bool readOnly) {
    const REGSAM everything = readOnly ? KEY_READ : KEY_ALL_ACCESS;
    REGSAM access =
        desired & ~(KEY_WOW64_64KEY | KEY_WOW64_32KEY | kGenericRights | MAXIMUM_ALLOWED);
    if (desired & (GENERIC_READ | GENERIC_EXECUTE)) access |= KEY_READ;
    if (desired & GENERIC_WRITE) access |= KEY_WRITE;
    if (desired & GENERIC_ALL) access |= KEY_ALL_ACCESS;
    if (desired & MAXIMUM_ALLOWED) access |= everything;
    if (readOnly && (access & kWriteRights)) throw StoreError(ERROR_ACCESS_DENIED);
    return access;
}

// A subkey path split into names as the store keeps them. One too long for
// the 8-bit calls fails at once, before its key is looked at; a leading
// backslash only once the key the path starts from is known to be there.
struct SubkeyPath {
    std::vector<std::string> components;
    bool leadingBackslash = false;
};

SubkeyPath subkeyPath(const char* path) {
    SubkeyPath result;
    switch (KeyNames::splitPath(path, result.components)) {
    case KeyNames::PathError::TooLong:
        throw StoreError(ERROR_MORE_DATA);
    case KeyNames::PathError::LeadingBackslash:
        result.leadingBackslash = true;
        break;
    case KeyNames::PathError::None:
        break;
    }
    return result;
}

// A value name as the store keeps it, checked before anything else as the
// 8-bit calls check it: one they cannot even convert into a counted wide
// string is refused, one too long for a value cannot be written and, looked
// for, is not there.
enum class NameUse { Write, Find };
std::string valueName(const char* name, NameUse use) {
    std::string kept = TextConversion::roundTrip(name ? name : "");
    const std::size_t length = KeyNames::utf16Length(kept);
    if (length > KeyNames::kMaxConvertibleLength) throw StoreError(ERROR_INVALID_PARAMETER);
    if (length > KeyNames::kMaxValueNameLength)
        throw StoreError(use == NameUse::Write ? ERROR_INVALID_PARAMETER : ERROR_FILE_NOT_FOUND);
    return kept;
}

void requireKey(StoreDatabase& db, KeyId id) {
    Query key(db, "SELECT 1 FROM keys WHERE id = ?1");
    if (!key.bind(1, id).next()) throw StoreError(ERROR_KEY_DELETED);
}

std::optional<KeyId> child(StoreDatabase& db, KeyId parent, const std::string& folded) {
    Query lookup(db, "SELECT id FROM keys WHERE parent = ?1 AND fold = ?2");
    if (!lookup.bind(1, parent).bind(2, folded).next()) return std::nullopt;
    return lookup.integer(0);
}

// Follows the path from base, one component at a time, to the key at its end.
// A component that is not there is handed to missing, with the key it was
// looked for in, its name and its folded name: missing throws, or makes the
// key and gives its id, or gives nothing, which ends the walk without a key.
template <typename Missing>
std::optional<KeyId> walk(StoreDatabase& db, KeyId base, const SubkeyPath& path, Missing missing) {
    requireKey(db, base);
    if (path.leadingBackslash) throw StoreError(ERROR_BAD_PATHNAME);
    KeyId id = base;
    for (const std::string& name : path.components) {
        // Met in turn, as Windows does: a missing key before it ends the walk first.
        if (KeyNames::utf16Length(name) > KeyNames::kMaxKeyNameLength)
            throw StoreError(ERROR_INVALID_PARAMETER);
        const std::string folded = KeyNames::folded(name);
        auto next = child(db, id, folded);
        if (!next) next = missing(id, name, folded);
        if (!next) return std::nullopt;
        id = *next;
    }
    return id;
}

// The key at the end of the path; ERROR_FILE_NOT_FOUND when one on the way is missing.
KeyId keyAt(StoreDatabase& db, KeyId base, const SubkeyPath& path) {
    return *walk(db, base, path,
                 [](KeyId, const std::string&, const std::string&) -> std::optional<KeyId> {
                     throw StoreError(ERROR_FILE_NOT_FOUND);
                 });
}

// The key at the end of the path when every key on the way exists.
std::optional<KeyId> existingKey(StoreDatabase& db, KeyId base, const SubkeyPath& path) {
    Transaction transaction(db, Transaction::Read);
    const auto id = walk(db, base, path, [](KeyId, const std::string&, const std::string&) {
        return std::optional<KeyId>();
    });
    transaction.commit();
    return id;
}

KeyId insertKey(StoreDatabase& db, KeyId parent, const std::string& name,
                const std::string& folded) {
    Query insert(db, "INSERT INTO keys(parent, name, fold, wlen) VALUES(?1, ?2, ?3, ?4)");
    insert.bind(1, parent).bind(2, name).bind(3, folded);
    insert.bind(4, static_cast<std::int64_t>(KeyNames::utf16Length(name))).run();
    return sqlite3_last_insert_rowid(db.handle());
}

// Enumeration by index counts from the start of the key's list; going on from
// the last position found is a single index lookup.
constexpr const char* kSubkeyAtIndex =
    "SELECT name, fold FROM keys WHERE parent = ?1 ORDER BY fold LIMIT 1 OFFSET ?2";
constexpr const char* kSubkeyFrom =
    "SELECT name, fold FROM keys WHERE parent = ?1 AND fold >= ?2 ORDER BY fold LIMIT 1";
constexpr const char* kSubkeyAfter =
    "SELECT name, fold FROM keys WHERE parent = ?1 AND fold > ?2 ORDER BY fold LIMIT 1";
constexpr const char* kValueAtIndex =
    "SELECT name, type, data, seq FROM vals WHERE key = ?1 ORDER BY seq LIMIT 1 OFFSET ?2";
constexpr const char* kValueFrom =
    "SELECT name, type, data, seq FROM vals WHERE key = ?1 AND seq >= ?2 ORDER BY seq LIMIT 1";

bool isText(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

// Hands a value's type and data to the caller the way RegQueryValueEx does:
// the size alone without a buffer, ERROR_MORE_DATA and the size needed when
// the buffer is short, and never a byte past the buffer.
LSTATUS deliver(DWORD type, std::span<const std::uint8_t> stored, LPDWORD lpType, LPBYTE lpData,
                LPDWORD lpcbData) {
    // Stores written before texts were converted may hold them raw: they are
    // read as the conversion would have kept them.
    std::string converted;
    std::span<const std::uint8_t> data = stored;
    if (isText(type)) {
        converted = TextConversion::roundTrip(
            {reinterpret_cast<const char*>(stored.data()), stored.size()});
        data = {reinterpret_cast<const std::uint8_t*>(converted.data()), converted.size()};
    }
    if (lpType) *lpType = type;
    const auto size = static_cast<DWORD>(data.size());
    if (lpData) {
        if (*lpcbData < size) {
            *lpcbData = size;
            return ERROR_MORE_DATA;
        }
        std::copy(data.begin(), data.end(), lpData);
        // Like NT, finish a text stored without its NUL when there is room.
        if (isText(type) && size && data.back() != 0 && size < *lpcbData) lpData[size] = 0;
    }
    if (lpcbData) *lpcbData = size;
    return ERROR_SUCCESS;
}

// Copies a name and its NUL into a caller's buffer of *length bytes; on
// return *length is the name's length without the NUL.
// A name is handed over as the conversion keeps it, like a text: one put into
// the file by hand, or by a store older than the conversion, may be raw.
LSTATUS deliverName(std::string_view stored, LPSTR buffer, LPDWORD length) {
    const std::string name = TextConversion::roundTrip(stored);
    if (*length <= name.size()) return ERROR_MORE_DATA;
    std::copy(name.begin(), name.end(), buffer);
    buffer[name.size()] = '\0';
    *length = static_cast<DWORD>(name.size());
    return ERROR_SUCCESS;
}

// The size in bytes of the longest text of a key as Windows keeps texts, in
// UTF-16: the longest data that RegQueryInfoKey reports.
DWORD longestText(StoreDatabase& db, KeyId key) {
    Query texts(db, "SELECT data FROM vals WHERE key = ?1 AND type IN (1, 2, 7)");
    texts.bind(1, key);
    std::size_t longest = 0;
    while (texts.next()) {
        const auto data = texts.blob(0);
        longest =
            std::max(longest, 2 * TextConversion::wideLength(
                                      {reinterpret_cast<const char*>(data.data()), data.size()}));
    }
    return static_cast<DWORD>(longest);
}

LONG fileSystemError(const std::error_code& error) {
    return error == std::errc::permission_denied ? ERROR_ACCESS_DENIED : ERROR_REGISTRY_IO_FAILED;
}

// The calls a hook makes itself do not run it again.
thread_local bool insideHook = false;

// Runs one registry call under the process's lock and turns every failure into
// the Windows error code it returns: nothing a call meets may escape it.
template <typename Body> LSTATUS guarded(std::string_view call, Body body) {
    Registry& reg = registry();
    if (reg.callHook && !insideHook) {
        insideHook = true;
        reg.callHook(call);
        insideHook = false;
    }
    std::lock_guard lock(reg.mutex);
    reg.followFileAtPath();
    for (bool retried = false;; retried = true) {
        try {
            return body(reg);
        } catch (const StoreDamaged& damage) {
            // A group's writes live in the file found damaged: it fails whole.
            if (retried || (reg.store && reg.store->grouped())) return damage.code();
            try {
                reg.replaceDamagedStore();
            } catch (const StoreError& error) {
                return error.code();
            }
        } catch (const StoreError& error) {
            return error.code();
        } catch (const std::bad_alloc&) {
            return ERROR_OUTOFMEMORY;
        } catch (const std::system_error& error) {
            return fileSystemError(error.code());
        } catch (...) {
            return ERROR_REGISTRY_IO_FAILED;
        }
    }
}

// Texts are kept as a Windows registry keeps them: the caller's bytes
// converted to UTF-16 and back. Those the caller left without their final NUL
// get one first, as Windows adds it for the 8-bit calls.
std::vector<std::uint8_t> storedData(DWORD type, const BYTE* data, DWORD size) {
    if (!isText(type)) return {data, data + size};
    std::string text(reinterpret_cast<const char*>(data), size);
    if (size && data[size - 1] != 0) text.push_back('\0');
    text = TextConversion::roundTrip(text);
    return {text.begin(), text.end()};
}

} // namespace

LSTATUS RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, REGSAM samDesired, PHKEY phkResult) {
    if (!phkResult) return ERROR_INVALID_PARAMETER;
    *phkResult = nullptr;
    return guarded("RegOpenKeyExA", [&](Registry& reg) {
        const SubkeyPath path = subkeyPath(lpSubKey);
        const OpenedKey base = resolve(reg, hKey);
        StoreDatabase& db = reg.database();
        Transaction transaction(db, Transaction::Read);
        const KeyId id = keyAt(db, base.id, path);
        transaction.commit();
        *phkResult = reg.newHandle(id, grantedAccess(samDesired, db.readOnly()));
        return ERROR_SUCCESS;
    });
}

LSTATUS RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, LPSTR, DWORD, REGSAM samDesired,
                        const SECURITY_ATTRIBUTES*, PHKEY phkResult, LPDWORD lpdwDisposition) {
    if (!phkResult) return ERROR_INVALID_PARAMETER;
    *phkResult = nullptr;
    return guarded("RegCreateKeyExA", [&](Registry& reg) {
        const SubkeyPath path = subkeyPath(lpSubKey);
        const OpenedKey base = resolve(reg, hKey);
        StoreDatabase& db = reg.database();
        const REGSAM access = grantedAccess(samDesired, db.readOnly());
        // Opening a key that exists takes no write lock, so that it never
        // waits for another process's write, as a registry never does.
        if (const auto existing = existingKey(db, base.id, path)) {
            *phkResult = reg.newHandle(*existing, access);
            if (lpdwDisposition) *lpdwDisposition = REG_OPENED_EXISTING_KEY;
            return ERROR_SUCCESS;
        }
        Transaction transaction(db, db.readOnly() ? Transaction::Read : Transaction::Write);
        bool created = false;
        const auto makeKey = [&](KeyId parent, const std::string& name, const std::string& folded) {
            if (db.readOnly()) throw StoreError(ERROR_ACCESS_DENIED);
            created = true;
            return std::optional<KeyId>(insertKey(db, parent, name, folded));
        };
        KeyId id = 0;
        try {
            id = *walk(db, base.id, path, makeKey);
        } catch (const StoreError& error) {
            // Windows creates a path one key at a time: the keys before a name
            // too long for a key stay created.
            if (created && error.code() == ERROR_INVALID_PARAMETER) {
                transaction.commit();
                ++reg.ownWrites;
            }
            throw;
        }
        transaction.commit();
        if (created) ++reg.ownWrites;
        *phkResult = reg.newHandle(id, access);
        if (lpdwDisposition)
            *lpdwDisposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
        return ERROR_SUCCESS;
    });
}

LSTATUS RegCloseKey(HKEY hKey) {
    if (rootId(hKey)) return ERROR_SUCCESS;
    Registry& reg = registry();
    std::lock_guard lock(reg.mutex);
    const auto value = reinterpret_cast<std::uintptr_t>(hKey);
    reg.positions.erase(value);
    // The end of a group of writes (SetReg's, for one): they go to the main
    // file.
    if (reg.store) reg.store->checkpoint();
    return reg.handles.erase(value) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

LSTATUS RegDeleteKeyA(HKEY hKey, LPCSTR lpSubKey) {
    if (!lpSubKey) return ERROR_INVALID_PARAMETER;
    return guarded("RegDeleteKeyA", [&](Registry& reg) {
        const SubkeyPath path = subkeyPath(lpSubKey);
        const OpenedKey base = resolve(reg, hKey);
        StoreDatabase& db = reg.database();
        Transaction transaction(db, db.readOnly() ? Transaction::Read : Transaction::Write);
        const KeyId id = keyAt(db, base.id, path);
        // Roots stay, and like NT the store deletes one key at a time.
        if (db.readOnly() || id <= StoreDatabase::kRootCount) throw StoreError(ERROR_ACCESS_DENIED);
        if (Query(db, "SELECT 1 FROM keys WHERE parent = ?1 LIMIT 1").bind(1, id).next())
            throw StoreError(ERROR_ACCESS_DENIED);
        Query(db, "DELETE FROM vals WHERE key = ?1").bind(1, id).run();
        Query(db, "DELETE FROM keys WHERE id = ?1").bind(1, id).run();
        transaction.commit();
        ++reg.ownWrites;
        return ERROR_SUCCESS;
    });
}

LSTATUS RegDeleteValueA(HKEY hKey, LPCSTR lpValueName) {
    return guarded("RegDeleteValueA", [&](Registry& reg) {
        const std::string folded = KeyNames::folded(valueName(lpValueName, NameUse::Find));
        const OpenedKey key = resolve(reg, hKey);
        require(key, KEY_SET_VALUE);
        StoreDatabase& db = reg.database();
        Transaction transaction(db, Transaction::Write);
        requireKey(db, key.id);
        Query(db, "DELETE FROM vals WHERE key = ?1 AND fold = ?2")
            .bind(1, key.id)
            .bind(2, folded)
            .run();
        if (sqlite3_changes(db.handle()) == 0) throw StoreError(ERROR_FILE_NOT_FOUND);
        transaction.commit();
        ++reg.ownWrites;
        return ERROR_SUCCESS;
    });
}

LSTATUS RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD, DWORD dwType, const BYTE* lpData,
                       DWORD cbData) {
    if (!lpData && cbData) return ERROR_INVALID_PARAMETER;
    return guarded("RegSetValueExA", [&](Registry& reg) {
        const std::string name = valueName(lpValueName, NameUse::Write);
        const OpenedKey key = resolve(reg, hKey);
        require(key, KEY_SET_VALUE);
        StoreDatabase& db = reg.database();
        Transaction transaction(db, Transaction::Write);
        requireKey(db, key.id);
        // A value that is set again keeps its place in the enumeration order
        // and the spelling of its name.
        Query upsert(
            db, "INSERT INTO vals(key, fold, seq, name, wlen, type, data) "
                "VALUES(?1, ?2, (SELECT coalesce(max(seq), 0) + 1 FROM vals WHERE key = ?1), "
                "?3, ?4, ?5, ?6) "
                "ON CONFLICT(key, fold) DO UPDATE SET type = excluded.type, data = excluded.data");
        upsert.bind(1, key.id).bind(2, KeyNames::folded(name)).bind(3, name);
        upsert.bind(4, static_cast<std::int64_t>(KeyNames::utf16Length(name))).bind(5, dwType);
        upsert.bindBlob(6, storedData(dwType, lpData, cbData)).run();
        transaction.commit();
        ++reg.ownWrites;
        return ERROR_SUCCESS;
    });
}

LSTATUS RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD, LPDWORD lpType, LPBYTE lpData,
                         LPDWORD lpcbData) {
    if (lpData && !lpcbData) return ERROR_INVALID_PARAMETER;
    return guarded("RegQueryValueExA", [&](Registry& reg) {
        const std::string folded = KeyNames::folded(valueName(lpValueName, NameUse::Find));
        const OpenedKey key = resolve(reg, hKey);
        require(key, KEY_QUERY_VALUE);
        StoreDatabase& db = reg.database();
        Query value(db, "SELECT type, data FROM vals WHERE key = ?1 AND fold = ?2");
        if (!value.bind(1, key.id).bind(2, folded).next()) {
            requireKey(db, key.id);
            throw StoreError(ERROR_FILE_NOT_FOUND);
        }
        return deliver(static_cast<DWORD>(value.integer(0)), value.blob(1), lpType, lpData,
                       lpcbData);
    });
}

LSTATUS RegEnumKeyExA(HKEY hKey, DWORD dwIndex, LPSTR lpName, LPDWORD lpcchName, LPDWORD,
                      LPSTR lpClass, LPDWORD lpcchClass, PFILETIME lpftLastWriteTime) {
    if (!lpName || !lpcchName || (lpClass && !lpcchClass)) return ERROR_INVALID_PARAMETER;
    return guarded("RegEnumKeyExA", [&](Registry& reg) {
        const OpenedKey key = resolve(reg, hKey);
        require(key, KEY_ENUMERATE_SUB_KEYS);
        StoreDatabase& db = reg.database();
        Position& last = reg.positions[reinterpret_cast<std::uintptr_t>(hKey)].subkeys;
        const bool goOn =
            reg.unchangedSince(last) && (dwIndex == last.index || dwIndex == last.index + 1);
        Query subkey(db, !goOn                   ? kSubkeyAtIndex
                         : dwIndex == last.index ? kSubkeyFrom
                                                 : kSubkeyAfter);
        subkey.bind(1, key.id);
        if (goOn)
            subkey.bind(2, last.fold);
        else
            subkey.bind(2, std::int64_t{dwIndex});
        if (!subkey.next()) {
            requireKey(db, key.id);
            return ERROR_NO_MORE_ITEMS;
        }
        last.fold = subkey.text(1);
        reg.remember(last, dwIndex);
        const LSTATUS result = deliverName(subkey.text(0), lpName, lpcchName);
        if (result != ERROR_SUCCESS) return result;
        // The store keeps neither class names nor times of change.
        if (lpClass && *lpcchClass) *lpClass = '\0';
        if (lpcchClass) *lpcchClass = 0;
        if (lpftLastWriteTime) *lpftLastWriteTime = FILETIME{};
        return ERROR_SUCCESS;
    });
}

LSTATUS RegEnumValueA(HKEY hKey, DWORD dwIndex, LPSTR lpValueName, LPDWORD lpcchValueName, LPDWORD,
                      LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData) {
    if (!lpValueName || !lpcchValueName || (lpData && !lpcbData)) return ERROR_INVALID_PARAMETER;
    return guarded("RegEnumValueA", [&](Registry& reg) {
        const OpenedKey key = resolve(reg, hKey);
        require(key, KEY_QUERY_VALUE);
        StoreDatabase& db = reg.database();
        Position& last = reg.positions[reinterpret_cast<std::uintptr_t>(hKey)].values;
        const bool goOn =
            reg.unchangedSince(last) && (dwIndex == last.index || dwIndex == last.index + 1);
        Query value(db, goOn ? kValueFrom : kValueAtIndex);
        value.bind(1, key.id);
        value.bind(2, goOn ? last.seq + (dwIndex - last.index) : std::int64_t{dwIndex});
        if (!value.next()) {
            requireKey(db, key.id);
            return ERROR_NO_MORE_ITEMS;
        }
        last.seq = value.integer(3);
        reg.remember(last, dwIndex);
        const LSTATUS result = deliverName(value.text(0), lpValueName, lpcchValueName);
        if (result != ERROR_SUCCESS) return result;
        return deliver(static_cast<DWORD>(value.integer(1)), value.blob(2), lpType, lpData,
                       lpcbData);
    });
}

LSTATUS RegQueryInfoKeyA(HKEY hKey, LPSTR lpClass, LPDWORD lpcchClass, LPDWORD, LPDWORD lpcSubKeys,
                         LPDWORD lpcbMaxSubKeyLen, LPDWORD lpcbMaxClassLen, LPDWORD lpcValues,
                         LPDWORD lpcbMaxValueNameLen, LPDWORD lpcbMaxValueLen,
                         LPDWORD lpcbSecurityDescriptor, PFILETIME lpftLastWriteTime) {
    if (lpClass && !lpcchClass) return ERROR_INVALID_PARAMETER;
    return guarded("RegQueryInfoKeyA", [&](Registry& reg) {
        const OpenedKey key = resolve(reg, hKey);
        require(key, KEY_QUERY_VALUE);
        StoreDatabase& db = reg.database();
        Query info(db, "SELECT (SELECT 1 FROM keys WHERE id = ?1), "
                       "(SELECT count(*) FROM keys WHERE parent = ?1), "
                       "(SELECT coalesce(max(wlen), 0) FROM keys WHERE parent = ?1), "
                       "(SELECT count(*) FROM vals WHERE key = ?1), "
                       "(SELECT coalesce(max(wlen), 0) FROM vals WHERE key = ?1), "
                       "(SELECT coalesce(max(length(data)), 0) FROM vals "
                       "WHERE key = ?1 AND type NOT IN (1, 2, 7))");
        if (!info.bind(1, key.id).next() || info.isNull(0)) throw StoreError(ERROR_KEY_DELETED);
        const auto number = [&](int column) { return static_cast<DWORD>(info.integer(column)); };
        if (lpClass && *lpcchClass) *lpClass = '\0';
        if (lpcchClass) *lpcchClass = 0;
        if (lpcSubKeys) *lpcSubKeys = number(1);
        if (lpcbMaxSubKeyLen) *lpcbMaxSubKeyLen = number(2);
        if (lpcbMaxClassLen) *lpcbMaxClassLen = 0;
        if (lpcValues) *lpcValues = number(3);
        if (lpcbMaxValueNameLen) *lpcbMaxValueNameLen = number(4);
        if (lpcbMaxValueLen) *lpcbMaxValueLen = std::max(number(5), longestText(db, key.id));
        if (lpcbSecurityDescriptor) *lpcbSecurityDescriptor = 0;
        if (lpftLastWriteTime) *lpftLastWriteTime = FILETIME{};
        return ERROR_SUCCESS;
    });
}

namespace RegistryStore {

LONG beginGroup() {
    return guarded("beginGroup", [](Registry& reg) {
        StoreDatabase& db = reg.database();
        if (db.grouped()) return ERROR_BUSY;
        db.beginGroup();
        reg.groupHandles.clear();
        return ERROR_SUCCESS;
    });
}

LONG endGroup(bool keep) {
    return guarded("endGroup", [keep](Registry& reg) {
        if (!reg.store || !reg.store->grouped()) return ERROR_INVALID_FUNCTION;
        // Keys made inside a group that is not kept are gone, and their ids
        // may be given again: their handles must not reach the new keys.
        const auto forget = [&](bool kept) {
            if (!kept)
                for (const std::uintptr_t handle : reg.groupHandles) {
                    reg.handles.erase(handle);
                    reg.positions.erase(handle);
                }
            reg.groupHandles.clear();
            ++reg.ownWrites;
        };
        try {
            reg.store->endGroup(keep);
        } catch (...) {
            forget(false);
            throw;
        }
        forget(keep);
        return ERROR_SUCCESS;
    });
}

} // namespace RegistryStore

LSTATUS RegSaveKeyA(HKEY, LPCSTR, const SECURITY_ATTRIBUTES*) {
    return ERROR_PRIVILEGE_NOT_HELD;
}

LSTATUS RegLoadKeyA(HKEY, LPCSTR, LPCSTR) {
    return ERROR_PRIVILEGE_NOT_HELD;
}
