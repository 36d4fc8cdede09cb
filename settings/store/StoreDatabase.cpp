#include "StoreDatabase.h"

#include "Diagnostics.h"
#include "KeyNames.h"
#include "StoreFiles.h"
#include "WinRegistry.h"

#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kBusyTimeoutMs = 5000;
// 2: names folded through the fixed case table instead of the C library's.
constexpr int kSchemaVersion = 2;

// The check a store must pass when it is opened. quick_check reads every page
// but skips comparing each index with its table; damage there would make
// lookups miss keys that exist, and a settings store is small enough for the
// whole check.
constexpr const char* kCheck = "PRAGMA integrity_check(1)";

constexpr const char* kSchema = R"sql(
CREATE TABLE IF NOT EXISTS keys(
    id     INTEGER PRIMARY KEY AUTOINCREMENT,  -- never reused: a stale handle finds no key
    parent INTEGER REFERENCES keys(id),        -- NULL for the six roots
    name   TEXT NOT NULL,                      -- as first written
    fold   TEXT NOT NULL,                      -- upper-cased, for lookup and order
    wlen   INTEGER NOT NULL                    -- length of name in UTF-16 units
);
CREATE UNIQUE INDEX IF NOT EXISTS keys_by_name ON keys(parent, fold);
CREATE TABLE IF NOT EXISTS vals(
    key  INTEGER NOT NULL REFERENCES keys(id),
    fold TEXT NOT NULL,
    seq  INTEGER NOT NULL,                     -- creation order within the key
    name TEXT NOT NULL,
    wlen INTEGER NOT NULL,
    type INTEGER NOT NULL,
    data BLOB NOT NULL,
    PRIMARY KEY(key, fold)
) WITHOUT ROWID;
CREATE INDEX IF NOT EXISTS vals_in_order ON vals(key, seq);
INSERT OR IGNORE INTO keys(id, parent, name, fold, wlen) VALUES
    (1, NULL, 'HKEY_CLASSES_ROOT', 'HKEY_CLASSES_ROOT', 17),
    (2, NULL, 'HKEY_CURRENT_USER', 'HKEY_CURRENT_USER', 17),
    (3, NULL, 'HKEY_LOCAL_MACHINE', 'HKEY_LOCAL_MACHINE', 18),
    (4, NULL, 'HKEY_USERS', 'HKEY_USERS', 10),
    (5, NULL, 'HKEY_CURRENT_CONFIG', 'HKEY_CURRENT_CONFIG', 19),
    (6, NULL, 'HKEY_DYN_DATA', 'HKEY_DYN_DATA', 13);
-- The keys every Windows user profile has.
INSERT OR IGNORE INTO keys(parent, name, fold, wlen) VALUES
    (2, 'Software', 'SOFTWARE', 8),
    (2, 'Environment', 'ENVIRONMENT', 11),
    (3, 'Software', 'SOFTWARE', 8);
)sql";

LONG windowsError(int sqliteResult) {
    switch (sqliteResult & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return ERROR_BUSY;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return ERROR_ACCESS_DENIED;
    case SQLITE_FULL:
        return ERROR_DISK_FULL;
    case SQLITE_NOMEM:
        return ERROR_OUTOFMEMORY;
    default:
        return ERROR_REGISTRY_IO_FAILED;
    }
}

bool damaged(int sqliteResult) {
    const int primary = sqliteResult & 0xff;
    return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB;
}

// The fields of the database header that SQLite acts on, and the values it
// accepts. Out of range, SQLite takes the file for one it may read but not
// write (write version), or refuses it altogether: either way the settings
// could never be stored again, so such a file counts as damaged.
constexpr std::size_t kHeaderSize = 100;
constexpr std::string_view kMagic{"SQLite format 3\0", 16};
constexpr std::size_t kPageSizeAt = 16;
constexpr unsigned kLargestPageSizeMark = 1; // 1 stands for 65536
constexpr unsigned kSmallestPageSize = 512;
constexpr unsigned kLargestPageSize = 32768;
constexpr std::size_t kWriteVersionAt = 18;
constexpr std::size_t kReadVersionAt = 19;
constexpr unsigned kLegacyVersion = 1; // rollback journal
constexpr unsigned kWalVersion = 2;
constexpr std::size_t kReservedAt = 20;
constexpr unsigned kSmallestUsableSize = 480;
constexpr std::size_t kPayloadFractionsAt = 21;
constexpr unsigned char kPayloadFractions[] = {64, 32, 32};
constexpr std::size_t kSchemaFormatAt = 44;
constexpr std::uint32_t kNewestSchemaFormat = 4;

std::uint32_t bigEndian(const unsigned char* bytes, std::size_t count) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < count; ++i)
        value = value << 8 | bytes[i];
    return value;
}

// Whether SQLite would read and write the file, as far as its header says. A
// file shorter than a header is new (or no database, which SQLite finds).
bool headerAccepted(const std::string& path) {
    unsigned char header[kHeaderSize];
    std::ifstream file(path, std::ios::binary);
    if (!file.read(reinterpret_cast<char*>(header), kHeaderSize)) return true;
    const auto version = [&](std::size_t at) {
        return header[at] == kLegacyVersion || header[at] == kWalVersion;
    };
    const unsigned mark = bigEndian(header + kPageSizeAt, 2);
    const unsigned pageSize = mark == kLargestPageSizeMark ? 65536 : mark;
    const bool pageSizeValid = (pageSize & (pageSize - 1)) == 0 &&
                               ((pageSize >= kSmallestPageSize && pageSize <= kLargestPageSize) ||
                                mark == kLargestPageSizeMark);
    return std::string_view(reinterpret_cast<const char*>(header), kMagic.size()) == kMagic &&
           pageSizeValid && version(kWriteVersionAt) && version(kReadVersionAt) &&
           pageSize - header[kReservedAt] >= kSmallestUsableSize &&
           std::equal(std::begin(kPayloadFractions), std::end(kPayloadFractions),
                      header + kPayloadFractionsAt) &&
           bigEndian(header + kSchemaFormatAt, 4) <= kNewestSchemaFormat;
}

} // namespace

StoreDamaged::StoreDamaged() : StoreError(ERROR_REGISTRY_CORRUPT) {}

StoreDatabase::StoreDatabase(const std::string& path) : path_(path) {
    StoreFiles::requireRegularFile(path);
    StoreFiles::makePrivateDirectories(fs::path(path).parent_path().string());
    if (!StoreFiles::present(path)) StoreFiles::createPrivateFile(path);
    if (!StoreFiles::writable(path)) keepFrozen();
    connect(path, readOnly_);
    if (!headerAccepted(path) || !sound()) {
        disconnect();
        StoreFiles::setAside(path);
        StoreFiles::createPrivateFile(path);
        readOnly_ = false;
        connect(path, false);
        if (!sound()) fail(SQLITE_NOTADB);
    }
    file_ = StoreFiles::identity(path);
    if (!readOnly_) {
        // A store that has the schema is only read: a write here would cost
        // every start of the program a commit, and a commit a flush to disk.
        if (!hasSchema()) createSchema();
        return;
    }
    Query tables(*this, "SELECT count(*) FROM sqlite_schema WHERE name IN ('keys', 'vals')");
    if (!tables.next() || tables.integer(0) != 2) useEmptyStore();
}

bool StoreDatabase::stillAtPath() const {
    return file_ && StoreFiles::identity(path_) == file_;
}

StoreDatabase::~StoreDatabase() {
    checkpoint();
    disconnect();
}

void StoreDatabase::connect(const std::string& path, bool readOnly) {
    const int flags =
        (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX;
    // A read-only store in a folder where SQLite may not create its shared
    // memory file can still be read, as a file nobody changes meanwhile.
    const int result = sqlite3_open_v2(path.c_str(), &db_, flags, nullptr);
    if (result != SQLITE_OK) {
        disconnect();
        fail(result);
    }
    sqlite3_busy_timeout(db_, kBusyTimeoutMs);
    sqlite3_extended_result_codes(db_, 1);
    const int primary =
        sqlite3_exec(db_, "SELECT count(*) FROM sqlite_schema", nullptr, nullptr, nullptr) & 0xff;
    if (readOnly) {
        // Without write access to the folder SQLite can neither create the
        // shared-memory file of a store in WAL mode nor open its log; it says
        // so as CANTOPEN or as one of the READONLY results, depending on its
        // version.
        if (primary == SQLITE_CANTOPEN || primary == SQLITE_READONLY) readAsItIs(path);
        return;
    }
    // A folder its owner may not write holds a store that can be read but
    // not written, as when the store itself may not be written. The folder is
    // only looked at when the open has failed.
    if (primary == SQLITE_READONLY ||
        (primary == SQLITE_CANTOPEN &&
         !StoreFiles::writable(fs::path(path).parent_path().string()))) {
        keepFrozen();
        readAsItIs(path);
        return;
    }
    // A full disk has no room for the shared-memory file a store in WAL mode
    // needs. Until there is room, the store is read as it is.
    if (primary == SQLITE_IOERR || primary == SQLITE_FULL || primary == SQLITE_CANTOPEN) {
        readWithoutRoom(path);
        return;
    }
    // WAL lets readers and one writer work at once, and a read takes no file
    // lock of its own. With synchronous=NORMAL a commit has reached the
    // operating system before the call returns, so a killed process loses
    // nothing it was told had been written. What the log holds is folded into
    // the main file when a group of writes ends (checkpoint), so that a
    // copy, a backup or a move of that one file holds every value written.
    sqlite3_exec(db_, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
    sqlite3_exec(db_, "PRAGMA synchronous=NORMAL", nullptr, nullptr, nullptr);
}

// The file read as it is, without locks, log or shared memory: for a store
// that cannot be written anyway, so that nobody changes it meanwhile but
// another program, whose change is then not seen until the next start.
void StoreDatabase::readAsItIs(const std::string& path) {
    disconnect();
    const int result =
        sqlite3_open_v2(StoreFiles::fileUri(path, "immutable=1").c_str(), &db_,
                        SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_URI, nullptr);
    if (result != SQLITE_OK) {
        disconnect();
        fail(result);
    }
    sqlite3_extended_result_codes(db_, 1);
}

// The owner took the write permission away: the store is only read, and
// nothing is ever written.
void StoreDatabase::keepFrozen() {
    readOnly_ = true;
    Diagnostics::note(Diagnostics::Area::Store,
                      path_ + " may not be written: its settings are read and nothing is stored");
}

// A full disk: the store is read as it is, and each write first tries to open
// it properly again.
void StoreDatabase::readWithoutRoom(const std::string& path) {
    readAsItIs(path);
    withoutRoom_ = true;
    Diagnostics::note(Diagnostics::Area::Store,
                      path +
                          " is read as it is: no room for its shared memory, writes wait for room");
}

void StoreDatabase::beginWriting() {
    if (!withoutRoom_) return;
    // Perhaps there is room now: the store is opened again as it is opened
    // at the start, and stays read as it is while there is none.
    disconnect();
    withoutRoom_ = false;
    connect(path_, false);
    if (withoutRoom_) throw StoreError(ERROR_DISK_FULL);
}

// A checkpoint that also empties the log: a log left under the store's name
// holds nothing that could be replayed into a file another program puts
// there, and the main file is flushed to disk. One that cannot be done now
// (another process still reads from the log, or writes) is tried again at the
// next end of a group of writes, and at the latest when the store is let go.
void StoreDatabase::checkpoint() {
    if (!unflushed_ || !db_ || grouped_) return;
    const int result =
        sqlite3_wal_checkpoint_v2(db_, nullptr, SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr);
    if (result == SQLITE_OK) {
        unflushed_ = false;
        return;
    }
    if (Diagnostics::enabled())
        Diagnostics::note(Diagnostics::Area::Store,
                          path_ + ": checkpoint not done (" + sqlite3_errstr(result) +
                              "): the writes stay in its log until the next one");
}

void StoreDatabase::beginGroup() {
    if (readOnly_) throw StoreError(ERROR_ACCESS_DENIED);
    beginWriting();
    Query(*this, "BEGIN IMMEDIATE").run();
    grouped_ = true;
}

void StoreDatabase::endGroup(bool keep) {
    if (!grouped_) return;
    grouped_ = false;
    if (!keep) {
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        return;
    }
    try {
        Query(*this, "COMMIT").run();
    } catch (...) {
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
    unflushed_ = true;
    checkpoint();
}

void StoreDatabase::disconnect() {
    for (auto& [sql, stmt] : statements_)
        sqlite3_finalize(stmt);
    statements_.clear();
    if (db_) sqlite3_close_v2(db_);
    db_ = nullptr;
}

// Whether every page of the file passes SQLite's check. Damage found later,
// by any call, is handled by the registry functions the same way.
bool StoreDatabase::sound() {
    sqlite3_stmt* check = nullptr;
    int result = sqlite3_prepare_v2(db_, kCheck, -1, &check, nullptr);
    bool ok = false;
    if (result == SQLITE_OK) {
        result = sqlite3_step(check);
        ok = result == SQLITE_ROW &&
             std::string_view(reinterpret_cast<const char*>(sqlite3_column_text(check, 0))) == "ok";
        if (result == SQLITE_ROW) result = SQLITE_OK;
    }
    sqlite3_finalize(check);
    if (result == SQLITE_OK || damaged(result)) return ok;
    fail(result);
}

std::int64_t StoreDatabase::otherWriters() {
    Query version(*this, "PRAGMA data_version");
    return version.next() ? version.integer(0) : 0;
}

bool StoreDatabase::hasSchema() {
    Query version(*this, "PRAGMA user_version");
    return version.next() && version.integer(0) == kSchemaVersion;
}

void StoreDatabase::createSchema() {
    Transaction transaction(*this, Transaction::Write);
    std::int64_t stored = 0;
    if (Query version(*this, "PRAGMA user_version"); version.next()) stored = version.integer(0);
    char* ignored = nullptr;
    const int result = sqlite3_exec(db_, kSchema, nullptr, nullptr, &ignored);
    sqlite3_free(ignored);
    if (result != SQLITE_OK) fail(result);
    if (stored > 0 && stored < kSchemaVersion) foldNamesAgain();
    const std::string version = "PRAGMA user_version=" + std::to_string(kSchemaVersion);
    sqlite3_exec(db_, version.c_str(), nullptr, nullptr, nullptr);
    transaction.commit();
}

// The folding rule only ever keeps more names apart than the old one did, so
// no two names come to clash.
void StoreDatabase::foldNamesAgain() {
    struct Row {
        std::int64_t key;
        std::string fold, name;
    };
    for (const char* table : {"keys", "vals"}) {
        const bool keys = std::string_view(table) == "keys";
        std::vector<Row> rows;
        Query all(*this,
                  keys ? "SELECT id, fold, name FROM keys" : "SELECT key, fold, name FROM vals");
        while (all.next())
            rows.push_back({all.integer(0), std::string(all.text(1)), std::string(all.text(2))});
        for (const Row& row : rows) {
            Query update(*this, keys ? "UPDATE keys SET fold = ?3 WHERE id = ?1 AND fold = ?2"
                                     : "UPDATE vals SET fold = ?3 WHERE key = ?1 AND fold = ?2");
            update.bind(1, row.key).bind(2, row.fold).bind(3, KeyNames::folded(row.name)).run();
        }
    }
}

// A read-only file that holds no store yet reads as an empty registry.
void StoreDatabase::useEmptyStore() {
    disconnect();
    const int result = sqlite3_open_v2(":memory:", &db_, SQLITE_OPEN_READWRITE, nullptr);
    if (result != SQLITE_OK) fail(result);
    createSchema();
}

sqlite3_stmt* StoreDatabase::statement(const char* sql) {
    auto found = statements_.find(sql);
    if (found != statements_.end()) return found->second;
    sqlite3_stmt* stmt = nullptr;
    const int result = sqlite3_prepare_v3(db_, sql, -1, SQLITE_PREPARE_PERSISTENT, &stmt, nullptr);
    if (result != SQLITE_OK) fail(result);
    statements_.emplace(sql, stmt);
    return stmt;
}

void StoreDatabase::fail(int sqliteResult) const {
    if (damaged(sqliteResult)) throw StoreDamaged();
    throw StoreError(windowsError(sqliteResult));
}

Query::Query(StoreDatabase& db, const char* sql) : db_(db), stmt_(db.statement(sql)) {}

Query::~Query() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

Query& Query::bind(int index, std::int64_t value) {
    sqlite3_bind_int64(stmt_, index, value);
    return *this;
}

Query& Query::bind(int index, std::string_view text) {
    sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    return *this;
}

Query& Query::bindBlob(int index, std::span<const std::uint8_t> bytes) {
    // A zero-length blob, not NULL: the data column holds empty values too.
    sqlite3_bind_zeroblob(stmt_, index, 0);
    if (!bytes.empty())
        sqlite3_bind_blob(stmt_, index, bytes.data(), static_cast<int>(bytes.size()),
                          SQLITE_TRANSIENT);
    return *this;
}

bool Query::next() {
    const int result = sqlite3_step(stmt_);
    if (result == SQLITE_ROW) return true;
    if (result == SQLITE_DONE) return false;
    db_.fail(result);
}

void Query::run() {
    while (next()) {
    }
}

bool Query::isNull(int column) {
    return sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}

std::int64_t Query::integer(int column) {
    return sqlite3_column_int64(stmt_, column);
}

std::string_view Query::text(int column) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
    return {text ? text : "", static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column))};
}

std::span<const std::uint8_t> Query::blob(int column) {
    const auto* data = static_cast<const std::uint8_t*>(sqlite3_column_blob(stmt_, column));
    return {data, static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column))};
}

// Inside a group a call's transaction is a savepoint: a call that fails
// leaves the group as it was before the call.
Transaction::Transaction(StoreDatabase& db, Kind kind)
    : db_(db), writing_(kind == Write), nested_(db.grouped_) {
    if (nested_) {
        Query(db, "SAVEPOINT call").run();
        return;
    }
    if (writing_) db.beginWriting();
    Query(db, kind == Write ? "BEGIN IMMEDIATE" : "BEGIN").run();
}

Transaction::~Transaction() {
    if (!open_ || sqlite3_get_autocommit(db_.handle())) return;
    if (nested_)
        sqlite3_exec(db_.handle(), "ROLLBACK TO call; RELEASE call", nullptr, nullptr, nullptr);
    else
        sqlite3_exec(db_.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void Transaction::commit() {
    Query(db_, nested_ ? "RELEASE call" : "COMMIT").run();
    open_ = false;
    if (writing_ && !nested_) db_.unflushed_ = true;
}
