#pragma once
// How failures leave the store's layers: a StoreError carries the Windows
// error number that the registry function in progress returns.

#include <cstdint>

class StoreError {
public:
    explicit StoreError(std::int32_t code) : code_(code) {}
    std::int32_t code() const { return code_; }

private:
    std::int32_t code_;
};

// The file is damaged: SQLite found it corrupt, or no database at all. The
// registry functions set such a file aside and start a new store.
class StoreDamaged : public StoreError {
public:
    StoreDamaged();
};
