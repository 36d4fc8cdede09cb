#pragma once
// The SQLite database behind the registry store: opening it (a damaged file
// is set aside through StoreFiles and a new store started), its schema,
// cached statements and transactions. Errors leave this layer as StoreError.

#include "StoreError.h"
#include "StoreFiles.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>

struct sqlite3;
struct sqlite3_stmt;

class StoreDatabase {
public:
    // Root keys have fixed ids 1 to 6, in the order of the predefined handles
    // HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS,
    // HKEY_CURRENT_CONFIG, HKEY_DYN_DATA.
    static constexpr int kRootCount = 6;

    // Opens or creates the store at path; throws StoreError when it cannot. A
    // file that fails SQLite's check is set aside and a new store started.
    explicit StoreDatabase(const std::string& path);
    ~StoreDatabase();
    StoreDatabase(const StoreDatabase&) = delete;
    StoreDatabase& operator=(const StoreDatabase&) = delete;

    // True when the file may not be written: then no key may be opened for
    // writing, and nothing is ever written.
    bool readOnly() const { return readOnly_; }

    const std::string& path() const { return path_; }
    // Called before every write: a store read on a full disk is opened for
    // writing again when there is room, and refuses with ERROR_DISK_FULL
    // while there is none.
    void beginWriting();
    // Folds what the commits since the last checkpoint logged into the main
    // file and flushes it to disk: at the end of a group of writes, when the
    // handle they went through is closed, and when the store is let go. One
    // that fails (another process reads or writes meanwhile) writes a
    // diagnostics line and is owed until one succeeds.
    void checkpoint();
    // A group of registry calls made one transaction (RegistryStore::beginGroup):
    // the calls' own transactions are savepoints inside it, and nothing is
    // checkpointed before it ends. endGroup keeps all of its writes or none.
    void beginGroup();
    void endGroup(bool keep);
    bool grouped() const { return grouped_; }
    // Whether the file at path() is still the one this store has open: false
    // once another program has replaced, moved or deleted it.
    bool stillAtPath() const;
    sqlite3* handle() { return db_; }
    sqlite3_stmt* statement(const char* sql);
    // Throws the StoreError that stands for an SQLite result (StoreDamaged for
    // a damaged file).
    [[noreturn]] void fail(int sqliteResult) const;

    // A number that changes whenever another connection has committed to the
    // file since the last call; SQLite's data_version.
    std::int64_t otherWriters();

private:
    void connect(const std::string& path, bool readOnly);
    // The fallbacks that leave the store readable only, one function each.
    void keepFrozen();
    void readAsItIs(const std::string& path);
    void readWithoutRoom(const std::string& path);
    void disconnect();
    bool sound();
    bool hasSchema(); // user_version says the schema was made, with its tables
    void createSchema();
    void foldNamesAgain();
    void useEmptyStore();

    std::string path_;
    std::optional<StoreFiles::Identity> file_; // what path_ led to when it was opened
    sqlite3* db_ = nullptr;
    bool readOnly_ = false;
    bool withoutRoom_ = false; // a full disk: read as it is, writes fail
    bool unflushed_ = false;   // committed writes not yet in the main file
    bool grouped_ = false;
    friend class Transaction;
    std::unordered_map<const char*, sqlite3_stmt*> statements_;
};

// One prepared statement, reset for its next use when this goes out of scope.
// Statements are cached by the address of their SQL text, so pass literals.
class Query {
public:
    Query(StoreDatabase& db, const char* sql);
    ~Query();
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;

    Query& bind(int index, std::int64_t value);
    Query& bind(int index, std::string_view text);
    Query& bindBlob(int index, std::span<const std::uint8_t> bytes);

    bool next(); // true while a row is available
    void run();  // a statement that returns no rows

    bool isNull(int column);
    std::int64_t integer(int column);
    std::string_view text(int column);
    std::span<const std::uint8_t> blob(int column);

private:
    StoreDatabase& db_;
    sqlite3_stmt* stmt_;
};

// Every registry call is one transaction, or a savepoint inside a group. A
// writing one takes the write lock at once, so two processes never deadlock
// upgrading a read lock; waiting for the lock is bounded by the busy timeout.
// Rolled back unless committed.
class Transaction {
public:
    enum Kind { Read, Write };
    Transaction(StoreDatabase& db, Kind kind);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    StoreDatabase& db_;
    bool open_ = true;
    bool writing_;
    bool nested_; // a savepoint inside a group
};
