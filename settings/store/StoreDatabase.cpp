#include "StoreDatabase.h"

#include "WinRegistry.h"

#include <sqlite3.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <iostream>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr int kBusyTimeoutMs = 5000;
constexpr int kSchemaVersion = 1;
constexpr mode_t kFileMode = 0600;
constexpr mode_t kDirectoryMode = 0700;

// Companion files SQLite keeps beside a store in WAL mode.
constexpr const char* kCompanionSuffixes[] = {"", "-wal", "-shm"};

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
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return ERROR_REGISTRY_CORRUPT;
    default:
        return ERROR_REGISTRY_IO_FAILED;
    }
}

void makePrivateDirectories(const fs::path& directory) {
    if (directory.empty() || fs::exists(directory)) return;
    makePrivateDirectories(directory.parent_path());
    if (::mkdir(directory.c_str(), kDirectoryMode) != 0 && errno != EEXIST)
        throw StoreError(ERROR_ACCESS_DENIED);
    ::chmod(directory.c_str(), kDirectoryMode); // whatever the umask says
}

void createPrivateFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, kFileMode);
    if (fd < 0) {
        if (errno == EEXIST) return; // another process was first
        throw StoreError(errno == EACCES ? ERROR_ACCESS_DENIED : ERROR_REGISTRY_IO_FAILED);
    }
    ::fchmod(fd, kFileMode);
    ::close(fd);
}

// A store whose owner may not write it is left alone, even by root, who could:
// taking the write bit away is how a user freezes their settings.
bool writable(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return false;
    return (info.st_mode & S_IWUSR) && ::access(path.c_str(), W_OK) == 0;
}

std::string timestamp() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm parts{};
    ::localtime_r(&now, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%dT%H%M%S", &parts);
    return text;
}

// Moves an unreadable store and its companion files aside, under a name that
// is not taken yet. Nothing is deleted: the user may want the file back.
void moveAside(const std::string& path) {
    std::string aside = path + ".unreadable-" + timestamp();
    for (int n = 2; fs::exists(aside); ++n)
        aside = path + ".unreadable-" + timestamp() + "-" + std::to_string(n);
    for (const char* suffix : kCompanionSuffixes) {
        const std::string from = path + suffix;
        if (fs::exists(from) && std::rename(from.c_str(), (aside + suffix).c_str()) != 0)
            throw StoreError(ERROR_REGISTRY_CORRUPT);
    }
    std::cerr << "tarrowin: " << path << " is not a registry store; moved it to " << aside
              << " and started a new one\n";
}

} // namespace

StoreDatabase::StoreDatabase(const std::string& path) {
    makePrivateDirectories(fs::path(path).parent_path());
    if (!fs::exists(path)) createPrivateFile(path);
    readOnly_ = !writable(path);
    connect(path, readOnly_);
    if (!probe()) {
        disconnect();
        moveAside(path);
        createPrivateFile(path);
        readOnly_ = false;
        connect(path, false);
        if (!probe()) fail(SQLITE_NOTADB);
    }
    if (!readOnly_) {
        // A store that has the schema is only read: a write here would cost
        // every start of the program a commit, and a commit a flush to disk.
        if (!hasSchema()) createSchema();
        return;
    }
    Query tables(*this, "SELECT count(*) FROM sqlite_schema WHERE name IN ('keys', 'vals')");
    if (!tables.next() || tables.integer(0) != 2) useEmptyStore();
}

StoreDatabase::~StoreDatabase() {
    disconnect();
}

void StoreDatabase::connect(const std::string& path, bool readOnly) {
    const int flags = (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) |
                      SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_URI;
    // A read-only store in a folder where SQLite may not create its shared
    // memory file can still be read, as a file nobody changes meanwhile.
    const int result = sqlite3_open_v2(path.c_str(), &db_, flags, nullptr);
    if (result != SQLITE_OK) {
        disconnect();
        fail(result);
    }
    sqlite3_busy_timeout(db_, kBusyTimeoutMs);
    sqlite3_extended_result_codes(db_, 1);
    if (readOnly) {
        if (sqlite3_exec(db_, "SELECT count(*) FROM sqlite_schema", nullptr, nullptr, nullptr) ==
            SQLITE_CANTOPEN) {
            disconnect();
            char* uri = sqlite3_mprintf("file:%q?immutable=1", path.c_str());
            const int again = sqlite3_open_v2(uri, &db_, flags, nullptr);
            sqlite3_free(uri);
            if (again != SQLITE_OK) {
                disconnect();
                fail(again);
            }
        }
        return;
    }
    // WAL lets readers and one writer work at once; with synchronous=NORMAL a
    // commit has reached the operating system before the call returns, so a
    // killed process loses nothing it was told had been written.
    sqlite3_exec(db_, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
    sqlite3_exec(db_, "PRAGMA synchronous=NORMAL", nullptr, nullptr, nullptr);
}

void StoreDatabase::disconnect() {
    for (auto& [sql, stmt] : statements_)
        sqlite3_finalize(stmt);
    statements_.clear();
    if (db_) sqlite3_close_v2(db_);
    db_ = nullptr;
}

bool StoreDatabase::probe() {
    const int result =
        sqlite3_exec(db_, "SELECT count(*) FROM sqlite_schema", nullptr, nullptr, nullptr);
    if (result == SQLITE_OK) return true;
    const int primary = result & 0xff;
    if (primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT) return false;
    fail(result);
}

bool StoreDatabase::hasSchema() {
    Query version(*this, "PRAGMA user_version");
    return version.next() && version.integer(0) == kSchemaVersion;
}

void StoreDatabase::createSchema() {
    Transaction transaction(*this, Transaction::Write);
    char* ignored = nullptr;
    const int result = sqlite3_exec(db_, kSchema, nullptr, nullptr, &ignored);
    sqlite3_free(ignored);
    if (result != SQLITE_OK) fail(result);
    const std::string version = "PRAGMA user_version=" + std::to_string(kSchemaVersion);
    sqlite3_exec(db_, version.c_str(), nullptr, nullptr, nullptr);
    transaction.commit();
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

Transaction::Transaction(StoreDatabase& db, Kind kind) : db_(db) {
    Query(db, kind == Write ? "BEGIN IMMEDIATE" : "BEGIN").run();
}

Transaction::~Transaction() {
    if (open_ && !sqlite3_get_autocommit(db_.handle()))
        sqlite3_exec(db_.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void Transaction::commit() {
    Query(db_, "COMMIT").run();
    open_ = false;
}
