// Several processes on one store: writers side by side, a writer killed in the
// middle, a reader in the way of a checkpoint, a writer holding its lock.

#include "Diagnostics.h"
#include "RegistryStore.h"
#include "ScratchRegistry.h"

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <random>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

extern char** environ;

namespace {

constexpr const char* kKey = "Software\\Quillmoor\\Shared";

class StoreProcesses : public ::testing::Test {
protected:
    void SetUp() override {
        folder = makeTemporaryFolder("tarrowin-processes");
        ASSERT_FALSE(folder.empty());
        store = (folder / "registry.db").string();
        ::setenv("TARROWIN_REGISTRY", store.c_str(), 1);
        RegistryStore::usePath(store);
    }
    void TearDown() override {
        RegistryStore::usePath({});
        ::unsetenv("TARROWIN_REGISTRY");
        fs::remove_all(folder);
    }

    // Starts the worker with the given arguments; its standard output goes to
    // outputFd when that is not -1.
    pid_t startWorker(std::vector<std::string> arguments, int outputFd = -1) {
        arguments.insert(arguments.begin(), REGISTRY_STORE_WORKER);
        std::vector<char*> argv;
        for (std::string& argument : arguments)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        if (outputFd != -1) posix_spawn_file_actions_adddup2(&actions, outputFd, STDOUT_FILENO);
        pid_t pid = -1;
        EXPECT_EQ(posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ), 0);
        posix_spawn_file_actions_destroy(&actions);
        return pid;
    }

    static int exitCode(pid_t pid) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    DWORD valueCount() {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return 0;
        DWORD values = 0;
        RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values,
                         nullptr, nullptr, nullptr, nullptr);
        RegCloseKey(key);
        return values;
    }

    fs::path folder;
    std::string store;
};

TEST_F(StoreProcesses, WritersSideBySideLoseNothing) {
    constexpr int kWriters = 4;
    constexpr int kValuesEach = 150;
    std::vector<pid_t> writers;
    for (int w = 0; w < kWriters; ++w)
        writers.push_back(startWorker(
            {"write", kKey, "w" + std::to_string(w) + "-", std::to_string(kValuesEach)}));
    // Reading meanwhile must neither fail nor block the writers for good.
    for (int i = 0; i < 50; ++i)
        valueCount();
    for (pid_t pid : writers)
        EXPECT_EQ(exitCode(pid), 0);
    EXPECT_EQ(valueCount(), static_cast<DWORD>(kWriters * kValuesEach));
}

TEST_F(StoreProcesses, AKilledWriterLeavesEveryCommittedValue) {
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> moment(1, 300);
    DWORD lastReported = 0;
    for (int round = 0; round < 4; ++round) {
        int pipeFds[2];
        ASSERT_EQ(::pipe(pipeFds), 0);
        const pid_t pid = startWorker({"endless", kKey}, pipeFds[1]);
        ::close(pipeFds[1]);
        FILE* reports = ::fdopen(pipeFds[0], "r");
        const int killAfter = moment(random);
        bool reported = false;
        for (int seen = 0; seen < killAfter && std::fscanf(reports, "%u", &lastReported) == 1;
             ++seen)
            reported = true;
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        std::fclose(reports);
        ASSERT_TRUE(reported);

        RegistryStore::usePath(store); // as a process starting after the crash
        HKEY key = nullptr;
        ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key), ERROR_SUCCESS);
        for (DWORD i = 0; i <= lastReported; ++i) {
            DWORD number = 0;
            DWORD size = sizeof number;
            ASSERT_EQ(RegQueryValueExA(key, std::to_string(i).c_str(), nullptr, nullptr,
                                       reinterpret_cast<BYTE*>(&number), &size),
                      ERROR_SUCCESS)
                << "value " << i << " of round " << round;
            EXPECT_EQ(number, i);
        }
        RegCloseKey(key);
        RegistryStore::usePath({});
    }

    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(store.c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    sqlite3_stmt* check = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &check, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_step(check), SQLITE_ROW);
    EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(check, 0)), "ok");
    sqlite3_finalize(check);
    sqlite3_close(db);
}

// A store its owner may write, in a folder they may not: SQLite cannot make the
// files it writes beside the store there, and the settings are still read.
// Only root can hand the store to another user, whose worker then reads it.
TEST_F(StoreProcesses, AStoreInAFolderItsOwnerMayNotWriteIsStillRead) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to read the store as another user";
    constexpr uid_t kNobody = 65534;
    {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        const char kTitle[] = "Kept";
        ASSERT_EQ(RegSetValueExA(key, "Title", 0, REG_SZ, reinterpret_cast<const BYTE*>(kTitle),
                                 sizeof kTitle),
                  ERROR_SUCCESS);
        RegCloseKey(key);
        RegistryStore::usePath({}); // closed: the log is folded into the file
    }
    ASSERT_EQ(::chown(store.c_str(), kNobody, kNobody), 0);
    ASSERT_EQ(::chown(folder.c_str(), kNobody, kNobody), 0);
    ASSERT_EQ(::chmod(folder.c_str(), 0500), 0);

    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);
    const pid_t pid = ::fork();
    ASSERT_NE(pid, -1);
    if (pid == 0) {
        ::dup2(pipeFds[1], STDOUT_FILENO);
        if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) ::_exit(4);
        char worker[] = REGISTRY_STORE_WORKER;
        char read[] = "read";
        std::string key = kKey;
        char name[] = "Title";
        char* argv[] = {worker, read, key.data(), name, nullptr};
        ::execve(worker, argv, environ);
        ::_exit(5);
    }
    ::close(pipeFds[1]);
    char output[64] = {};
    const ssize_t got = ::read(pipeFds[0], output, sizeof output - 1);
    ::close(pipeFds[0]);
    const int code = exitCode(pid);
    ::chmod(folder.c_str(), 0700); // so that the folder can be removed
    EXPECT_EQ(code, 0) << "the worker read nothing (3: no key, 1: no value)";
    EXPECT_EQ(std::string(output, got > 0 ? static_cast<std::size_t>(got) : 0), "Kept\n");
}

// Another program in the middle of a read when a group of writes ends: the log
// cannot be emptied then. That is said once, and done at the next end of a
// group, though nothing has been written since.
TEST_F(StoreProcesses, ACheckpointThatFindsAReaderIsDoneLater) {
    static std::string lines;
    lines.clear();
    Diagnostics::setSink([](Diagnostics::Area area, std::string_view line) {
        if (area == Diagnostics::Area::Store) (lines += line) += '\n';
    });
    const fs::path log = store + "-wal";
    const auto openKey = [] {
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        return key;
    };
    HKEY key = openKey();
    ASSERT_EQ(writeRaw(key, "Title", REG_SZ, "Logged"), ERROR_SUCCESS);

    sqlite3* reader = nullptr;
    ASSERT_EQ(sqlite3_open(store.c_str(), &reader), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(reader, "BEGIN; SELECT count(*) FROM vals", nullptr, nullptr, nullptr),
              SQLITE_OK);
    RegCloseKey(key); // waits the busy time for the reader, in vain
    EXPECT_GT(fs::file_size(log), 0u) << "the reader still reads from the log";
    EXPECT_NE(lines.find("checkpoint not done"), std::string::npos) << lines;
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 1) << lines;

    sqlite3_exec(reader, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(reader);
    RegCloseKey(openKey());
    Diagnostics::setSink(nullptr);
    EXPECT_EQ(fs::file_size(log), 0u) << "the owed checkpoint emptied the log";
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 1) << lines;
}

// Another program in the middle of a write to the store, as a second
// connection to the file holds it: SQLite's locks tell connections apart
// within one process as they do between processes.
class StoreWriteLock : public StoreProcesses {
protected:
    void SetUp() override {
        StoreProcesses::SetUp();
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegCloseKey(key);
        ASSERT_EQ(sqlite3_open(store.c_str(), &other), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    }
    void TearDown() override {
        release();
        sqlite3_close(other);
        StoreProcesses::TearDown();
    }
    void release() { sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr); }

    sqlite3* other = nullptr;
};

TEST_F(StoreWriteLock, OpeningOrCreatingAKeyThatExistsDoesNotWait) {
    const auto start = std::chrono::steady_clock::now();
    HKEY key = nullptr;
    DWORD disposition = 0;
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &key, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
    RegCloseKey(key);
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    RegCloseKey(key);
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_LT(waited, std::chrono::seconds(3))
        << std::chrono::duration_cast<std::chrono::milliseconds>(waited).count() << " ms";
}

// A write waits for the other writer as long as it is short, and answers
// ERROR_BUSY, which the caller sees as a failed write, when it is not.
TEST_F(StoreWriteLock, AWriteWaitsABoundedTime) {
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    const DWORD number = 7;
    const auto* bytes = reinterpret_cast<const BYTE*>(&number);
    EXPECT_EQ(RegSetValueExA(key, "Held", 0, REG_DWORD, bytes, sizeof number), ERROR_BUSY);

    std::thread shortWrite([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        release();
    });
    EXPECT_EQ(RegSetValueExA(key, "Waited", 0, REG_DWORD, bytes, sizeof number), ERROR_SUCCESS);
    shortWrite.join();
    RegCloseKey(key);
}

} // namespace
