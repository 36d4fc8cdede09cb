#pragma once
// This process's side of the registry store: which store file it uses, the
// handles it has open on it and where each handle's last enumeration stopped.
//
// Handles are per process: a table maps each open handle to the id of its key
// and the rights it was opened with. Key ids are never reused, so a handle
// whose key has been deleted (by this process or another) finds nothing and
// reports ERROR_KEY_DELETED, as on Windows.

#include "StoreDatabase.h"
#include "WinRegistry.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

using KeyId = std::int64_t;

struct OpenedKey {
    KeyId id;
    REGSAM access;
    std::uint64_t store = 0; // which store of this process it was opened on
};

// Where the last enumeration through a handle stopped: asking for the same
// index again or for the next one goes on from there instead of counting from
// the start, as long as nothing has been written since. Each enumeration
// call still reads the store as it is, as the Windows calls do.
struct Position {
    bool known = false;
    DWORD index = 0;
    std::int64_t seq = 0; // values: the creation number of the value at index
    std::string fold;     // subkeys: the folded name of the subkey at index
    std::uint64_t ownWrites = 0;
    std::int64_t otherWrites = 0;
};

struct Positions {
    Position subkeys;
    Position values;
};

// Everything the registry functions share; one per process, reached through
// registry() and used under its mutex.
struct Registry {
    std::mutex mutex;
    std::string chosenPath;
    std::unique_ptr<StoreDatabase> store;
    std::uint64_t storeNumber = 0;
    std::uint64_t ownWrites = 0; // writing calls of this process that committed
    std::unordered_map<std::uintptr_t, OpenedKey> handles;
    std::unordered_map<std::uintptr_t, Positions> positions;
    std::vector<std::uintptr_t> groupHandles; // opened inside the group now open
    std::uintptr_t nextHandle = 0;
    std::function<void(std::string_view)> callHook;

    Registry();

    // The store file: the one usePath() chose, else the default.
    std::string path() const;
    // The open store, opened on first use.
    StoreDatabase& database();
    // Lets go of the store when the file at its path is no longer the one it
    // has open (another program replaced, moved or deleted it), so that the
    // next call opens what is there now. Handles opened before find their
    // keys deleted: key ids mean nothing in another file.
    void followFileAtPath();

    HKEY newHandle(KeyId id, REGSAM access);
    // Sets a damaged store aside; the next call starts a new one there.
    void replaceDamagedStore();

    // Whether nothing has been written to the store since position was taken.
    bool unchangedSince(const Position& position);
    void remember(Position& position, DWORD index);
};

Registry& registry();

// The id of the root key a predefined handle stands for, 0 for other handles.
KeyId rootId(HKEY handle);

// The key behind a handle; throws StoreError for a handle that is not open or
// whose store has since been replaced.
OpenedKey resolve(Registry& registry, HKEY handle);
