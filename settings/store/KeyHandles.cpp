#include "KeyHandles.h"

#include "RegistryStore.h"
#include "StoreFiles.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <pwd.h>
#include <unistd.h>

namespace {

// Handle values are multiples of four, as on Windows, and start well away from
// zero and from the predefined roots.
constexpr std::uintptr_t kFirstHandle = 0x100;
constexpr std::uintptr_t kHandleStep = 4;

} // namespace

Registry::Registry() : nextHandle(kFirstHandle) {}

std::string Registry::path() const {
    return chosenPath.empty() ? RegistryStore::defaultPath() : chosenPath;
}

StoreDatabase& Registry::database() {
    if (!store) store = std::make_unique<StoreDatabase>(path());
    return *store;
}

void Registry::followFileAtPath() {
    if (!store || store->grouped() || store->stillAtPath()) return;
    // What this process logged goes into the file it wrote to (the store
    // checkpoints as it is let go), before another process opening the file
    // now at the path could take the log for its own.
    store.reset();
    ++storeNumber;
    positions.clear();
}

HKEY Registry::newHandle(KeyId id, REGSAM access) {
    const std::uintptr_t value = nextHandle;
    nextHandle += kHandleStep;
    handles.emplace(value, OpenedKey{id, access, storeNumber});
    if (store && store->grouped()) groupHandles.push_back(value);
    return reinterpret_cast<HKEY>(value);
}

void Registry::replaceDamagedStore() {
    const std::string damaged = store ? store->path() : path();
    store.reset();
    ++storeNumber;
    positions.clear();
    StoreFiles::setAside(damaged);
}

bool Registry::unchangedSince(const Position& position) {
    return position.known && position.ownWrites == ownWrites &&
           position.otherWrites == database().otherWriters();
}

void Registry::remember(Position& position, DWORD index) {
    position.known = true;
    position.index = index;
    position.ownWrites = ownWrites;
    position.otherWrites = database().otherWriters();
}

Registry& registry() {
    static Registry instance;
    return instance;
}

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
    if (found->second.store != registry.storeNumber) throw StoreError(ERROR_KEY_DELETED);
    return found->second;
}

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
    reg.positions.clear();
    reg.store.reset();
    reg.chosenPath = path;
}

void setCallHook(std::function<void(std::string_view call)> hook) {
    Registry& reg = registry();
    std::lock_guard lock(reg.mutex);
    reg.callHook = std::move(hook);
}

} // namespace RegistryStore
