// The advapi32 registry functions on top of the SQLite store.
//
// Handles are per process: a table maps each open handle to the id of its key
// and the rights it was opened with. Key ids are never reused, so a handle
// whose key has been deleted (by this process or another) finds nothing and
// reports ERROR_KEY_DELETED, as on Windows.

#include "KeyNames.h"
#include "RegistryStore.h"
#include "StoreDatabase.h"
#include "WinRegistry.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <new>
#include <optional>
#include <pwd.h>
#include <unistd.h>
#include <unordered_map>
#include <vector>

namespace {

using KeyId = std::int64_t;

constexpr REGSAM kWriteRights =
    KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_CREATE_LINK | DELETE | WRITE_DAC | WRITE_OWNER;
constexpr REGSAM kGenericRights = GENERIC_READ | GENERIC_WRITE | GENERIC_EXECUTE | GENERIC_ALL;

// Handle values are multiples of four, as on Windows, and start well away from
// zero and from the predefined roots.
constexpr std::uintptr_t kFirstHandle = 0x100;
constexpr std::uintptr_t kHandleStep = 4;

struct OpenedKey {
    KeyId id;
    REGSAM access;
};

struct Registry {
    std::mutex mutex;
    std::string chosenPath;
    std::unique_ptr<StoreDatabase> store;
    std::unordered_map<std::uintptr_t, OpenedKey> handles;
    std::uintptr_t nextHandle = kFirstHandle;

    StoreDatabase& database() {
        if (!store)
            store = std::make_unique<StoreDatabase>(
                chosenPath.empty() ? RegistryStore::defaultPath() : chosenPath);
        return *store;
    }

    HKEY newHandle(KeyId id, REGSAM access) {
        const std::uintptr_t value = nextHandle;
        nextHandle += kHandleStep;
        handles.emplace(value, OpenedKey{id, access});
        return reinterpret_cast<HKEY>(value);
    }
};

Registry& registry() {
    static Registry instance;
    return instance;
}

// The id of the root key a predefined handle stands for, 0 for other handles.
KeyId rootId(HKEY handle) {
    const HKEY roots[StoreDatabase::kRootCount] = {HKEY_CLASSES_ROOT,   HKEY_CURRENT_USER,
                                                   HKEY_LOCAL_MACHINE,  HKEY_USERS,
                                                   HKEY_CURRENT_CONFIG, HKEY_DYN_DATA};
    const auto found = std::find(std::begin(roots), std::end(roots), handle);
    return found == std::end(roots) ? 0 : (found - std::begin(roots)) + 1;
}

OpenedKey resolve(Registry& registry, HKEY handle) {
    if (const KeyId root = rootId(handle))
        return {root, registry.database().readOnly() ? KEY_READ : KEY_ALL_ACCESS};
    const auto found = registry.handles.find(reinterpret_cast<std::uintptr_t>(handle));
    if (found == registry.handles.end()) throw StoreError(ERROR_INVALID_HANDLE);
    return found->second;
}

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

std::vector<std::string> subkeyPath(const char* path) {
    std::vector<std::string> components;
    switch (KeyNames::splitPath(path, components)) {
    case KeyNames::PathError::LeadingBackslash:
        throw StoreError(ERROR_BAD_PATHNAME);
    case KeyNames::PathError::NameTooLong:
        throw StoreError(ERROR_INVALID_PARAMETER);
    case KeyNames::PathError::None:
        break;
    }
    return components;
}

std::string valueName(const char* name) {
    std::string wellFormed = KeyNames::wellFormed(name ? name : "");
    if (KeyNames::utf16Length(wellFormed) > KeyNames::kMaxValueNameLength)
        throw StoreError(ERROR_INVALID_PARAMETER);
    return wellFormed;
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

KeyId walk(StoreDatabase& db, KeyId base, const std::vector<std::string>& components) {
    requireKey(db, base);
    KeyId id = base;
    for (const std::string& name : components) {
        const auto next = child(db, id, KeyNames::folded(name));
        if (!next) throw StoreError(ERROR_FILE_NOT_FOUND);
        id = *next;
    }
    return id;
}

bool isText(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

// Hands a value's type and data to the caller the way RegQueryValueEx does:
// the size alone without a buffer, ERROR_MORE_DATA and the size needed when
// the buffer is short, and never a byte past the buffer.
LSTATUS deliver(DWORD type, std::span<const std::uint8_t> data, LPDWORD lpType, LPBYTE lpData,
                LPDWORD lpcbData) {
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
LSTATUS deliverName(std::string_view name, LPSTR buffer, LPDWORD length) {
    if (*length <= name.size()) return ERROR_MORE_DATA;
    std::copy(name.begin(), name.end(), buffer);
    buffer[name.size()] = '\0';
    *length = static_cast<DWORD>(name.size());
    return ERROR_SUCCESS;
}

template <typename Body> LSTATUS guarded(Body body) {
    Registry& reg = registry();
    std::lock_guard lock(reg.mutex);
    try {
        return body(reg);
    } catch (const StoreError& error) {
        return error.code();
    } catch (const std::bad_alloc&) {
        return ERROR_OUTOFMEMORY;
    }
}

} // namespace

namespace RegistryStore {

std::string defaultPath() {
    if (const char* path = std::getenv("TARROWIN_REGISTRY"); path && *path) return path;
    std::string config;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/') {
        config = xdg;
    } else {
        const char* home = std::getenv("HOME");
        if (!home || !*home) {
            const passwd* user = ::getpwuid(::getuid());
            home = user && user->pw_dir ? user->pw_dir : "/tmp";
        }
        config = std::string(home) + "/.config";
    }
    return config + "/tarrowin/registry.db";
}

void usePath(const std::string& path) {
    Registry& reg = registry();
    std::lock_guard lock(reg.mutex);
    reg.handles.clear();
    reg.store.reset();
    reg.chosenPath = path;
}

} // namespace RegistryStore

LSTATUS RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, REGSAM samDesired, PHKEY phkResult) {
    if (!phkResult) return ERROR_INVALID_PARAMETER;
    *phkResult = nullptr;
    return guarded([&](Registry& reg) {
        const OpenedKey base = resolve(reg, hKey);
        const auto components = subkeyPath(lpSubKey);
        StoreDatabase& db = reg.database();
        Transaction transaction(db, Transaction::Read);
        const KeyId id = walk(db, base.id, components);
        transaction.commit();
        *phkResult = reg.newHandle(id, grantedAccess(samDesired, db.readOnly()));
        return ERROR_SUCCESS;
    });
}

LSTATUS RegCreateKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD, LPSTR, DWORD, REGSAM samDesired,
                        const SECURITY_ATTRIBUTES*, PHKEY phkResult, LPDWORD lpdwDisposition) {
    if (!phkResult) return ERROR_INVALID_PARAMETER;
    *phkResult = nullptr;
    return guarded([&](Registry& reg) {
        const OpenedKey base = resolve(reg, hKey);
        const auto components = subkeyPath(lpSubKey);
        StoreDatabase& db = reg.database();
        const REGSAM access = grantedAccess(samDesired, db.readOnly());
        Transaction transaction(db, db.readOnly() ? Transaction::Read : Transaction::Write);
        requireKey(db, base.id);
        KeyId id = base.id;
        bool created = false;
        for (const std::string& name : components) {
            const std::string folded = KeyNames::folded(name);
            if (const auto existing = child(db, id, folded)) {
                id = *existing;
                continue;
            }
            if (db.readOnly()) throw StoreError(ERROR_ACCESS_DENIED);
            Query insert(db, "INSERT INTO keys(parent, name, fold, wlen) VALUES(?1, ?2, ?3, ?4)");
            insert.bind(1, id).bind(2, name).bind(3, folded);
            insert.bind(4, static_cast<std::int64_t>(KeyNames::utf16Length(name))).run();
            id = sqlite3_last_insert_rowid(db.handle());
            created = true;
        }
        transaction.commit();
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
    return reg.handles.erase(reinterpret_cast<std::uintptr_t>(hKey)) ? ERROR_SUCCESS
                                                                     : ERROR_INVALID_HANDLE;
}

LSTATUS RegDeleteKeyA(HKEY hKey, LPCSTR lpSubKey) {
    if (!lpSubKey) return ERROR_INVALID_PARAMETER;
    return guarded([&](Registry& reg) {
        const OpenedKey base = resolve(reg, hKey);
        const auto components = subkeyPath(lpSubKey);
        StoreDatabase& db = reg.database();
        Transaction transaction(db, db.readOnly() ? Transaction::Read : Transaction::Write);
        const KeyId id = walk(db, base.id, components);
        // Roots stay, and like NT the store deletes one key at a time.
        if (db.readOnly() || id <= StoreDatabase::kRootCount) throw StoreError(ERROR_ACCESS_DENIED);
        if (Query(db, "SELECT 1 FROM keys WHERE parent = ?1 LIMIT 1").bind(1, id).next())
            throw StoreError(ERROR_ACCESS_DENIED);
        Query(db, "DELETE FROM vals WHERE key = ?1").bind(1, id).run();
        Query(db, "DELETE FROM keys WHERE id = ?1").bind(1, id).run();
        transaction.commit();
        return ERROR_SUCCESS;
    });
}

LSTATUS RegDeleteValueA(HKEY hKey, LPCSTR lpValueName) {
    return guarded([&](Registry& reg) {
        const OpenedKey key = resolve(reg, hKey);
        require(key, KEY_SET_VALUE);
        const std::string folded = KeyNames::folded(valueName(lpValueName));
        StoreDatabase& db = reg.database();
        Transaction transaction(db, Transaction::Write);
        requireKey(db, key.id);
        Query(db, "DELETE FROM vals WHERE key = ?1 AND fold = ?2")
            .bind(1, key.id)
            .bind(2, folded)
            .run();
        if (sqlite3_changes(db.handle()) == 0) throw StoreError(ERROR_FILE_NOT_FOUND);
        transaction.commit();
        return ERROR_SUCCESS;
    });
}

LSTATUS RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD, DWORD dwType, const BYTE* lpData,
                       DWORD cbData) {
    if (!lpData && cbData) return ERROR_INVALID_PARAMETER;
    return guarded([&](Registry& reg) {
        const OpenedKey key = resolve(reg, hKey);
        require(key, KEY_SET_VALUE);
        const std::string name = valueName(lpValueName);
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
        upsert.bindBlob(6, {lpData, cbData}).run();
        transaction.commit();
        return ERROR_SUCCESS;
    });
}

LSTATUS RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD, LPDWORD lpType, LPBYTE lpData,
                         LPDWORD lpcbData) {
    if (lpData && !lpcbData) return ERROR_INVALID_PARAMETER;
    return guarded([&](Registry& reg) {
        const OpenedKey key = resolve(reg, hKey);
        require(key, KEY_QUERY_VALUE);
        const std::string folded = KeyNames::folded(valueName(lpValueName));
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
    return guarded([&](Registry& reg) {
        const OpenedKey key = resolve(reg, hKey);
        require(key, KEY_ENUMERATE_SUB_KEYS);
        StoreDatabase& db = reg.database();
        Query subkey(db, "SELECT name FROM keys WHERE parent = ?1 ORDER BY fold LIMIT 1 OFFSET ?2");
        if (!subkey.bind(1, key.id).bind(2, std::int64_t{dwIndex}).next()) {
            requireKey(db, key.id);
            return ERROR_NO_MORE_ITEMS;
        }
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
    return guarded([&](Registry& reg) {
        const OpenedKey key = resolve(reg, hKey);
        require(key, KEY_QUERY_VALUE);
        StoreDatabase& db = reg.database();
        Query value(
            db, "SELECT name, type, data FROM vals WHERE key = ?1 ORDER BY seq LIMIT 1 OFFSET ?2");
        if (!value.bind(1, key.id).bind(2, std::int64_t{dwIndex}).next()) {
            requireKey(db, key.id);
            return ERROR_NO_MORE_ITEMS;
        }
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
    return guarded([&](Registry& reg) {
        const OpenedKey key = resolve(reg, hKey);
        require(key, KEY_QUERY_VALUE);
        StoreDatabase& db = reg.database();
        Query info(db, "SELECT (SELECT 1 FROM keys WHERE id = ?1), "
                       "(SELECT count(*) FROM keys WHERE parent = ?1), "
                       "(SELECT coalesce(max(wlen), 0) FROM keys WHERE parent = ?1), "
                       "(SELECT count(*) FROM vals WHERE key = ?1), "
                       "(SELECT coalesce(max(wlen), 0) FROM vals WHERE key = ?1), "
                       "(SELECT coalesce(max(length(data)), 0) FROM vals WHERE key = ?1)");
        if (!info.bind(1, key.id).next() || info.isNull(0)) throw StoreError(ERROR_KEY_DELETED);
        const auto number = [&](int column) { return static_cast<DWORD>(info.integer(column)); };
        if (lpClass && *lpcchClass) *lpClass = '\0';
        if (lpcchClass) *lpcchClass = 0;
        if (lpcSubKeys) *lpcSubKeys = number(1);
        if (lpcbMaxSubKeyLen) *lpcbMaxSubKeyLen = number(2);
        if (lpcbMaxClassLen) *lpcbMaxClassLen = 0;
        if (lpcValues) *lpcValues = number(3);
        if (lpcbMaxValueNameLen) *lpcbMaxValueNameLen = number(4);
        if (lpcbMaxValueLen) *lpcbMaxValueLen = number(5);
        if (lpcbSecurityDescriptor) *lpcbSecurityDescriptor = 0;
        if (lpftLastWriteTime) *lpftLastWriteTime = FILETIME{};
        return ERROR_SUCCESS;
    });
}

LSTATUS RegSaveKeyA(HKEY, LPCSTR, const SECURITY_ATTRIBUTES*) {
    return ERROR_PRIVILEGE_NOT_HELD;
}

LSTATUS RegLoadKeyA(HKEY, LPCSTR, LPCSTR) {
    return ERROR_PRIVILEGE_NOT_HELD;
}
