// What the store does when its file or its folder is not as it should be, and
// when keys vanish in the middle of CRegistry's work: every registry call ends
// with a Windows error code, a damaged store is set aside and a new one
// started, and nothing runs without end.

#include "CRegistry.h"
#include "StoreFileFixture.h"

#include <random>
#include <sqlite3.h>
#include <sys/wait.h>

using namespace std::string_literals;

namespace {

class StoreRecovery : public StoreFile {
protected:
    void TearDown() override {
        RegistryStore::setCallHook({});
        StoreFile::TearDown();
    }

    // What one run of the program does with its key: open or create it at
    // the start, store a setting at the end.
    static void runOnce(std::u16string_view title) {
        CRegistry reg;
        if (!reg.OpenKey(kSettingsKey)) reg.CreateKey(kSettingsKey);
        ASSERT_TRUE(reg.OpenKey(kSettingsKey));
        ASSERT_TRUE(reg.WriteString(title, u"Title"));
    }

    static std::u16string storedTitle() {
        CRegistry reg;
        return reg.OpenKey(kSettingsKey) ? reg.ReadString(u"Title") : u"(no key)";
    }

    std::vector<fs::path> setAside() const {
        std::vector<fs::path> files;
        for (const auto& entry : fs::directory_iterator(store.parent_path())) {
            const std::string name = entry.path().filename().string();
            if (name.starts_with("registry.db.unreadable-") && !name.ends_with("-wal") &&
                !name.ends_with("-shm"))
                files.push_back(entry.path());
        }
        return files;
    }
};

// Paths a user's settings folder can take on a real machine; none may end the
// program. (Folders the user may not enter need an unprivileged user: the
// end-to-end test of the store folder covers those.)
TEST_F(StoreRecovery, AnUnusablePathGivesAnErrorCodeNotAnAbort) {
    const fs::path loop = folder / "loop";
    fs::create_symlink(loop, loop);
    const fs::path aFile = folder / "plain-file";
    std::ofstream(aFile) << "not a folder";
    const fs::path storeLoop = folder / "store-loop";
    fs::create_directories(storeLoop);
    fs::create_symlink(storeLoop / "registry.db", storeLoop / "registry.db");

    for (const fs::path& path :
         {loop / "tarrowin" / "registry.db", aFile / "tarrowin" / "registry.db",
          folder / std::string(256, 'x') / "registry.db", storeLoop / "registry.db"}) {
        RegistryStore::usePath(path.string());
        HKEY key = nullptr;
        EXPECT_NE(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Quillmoor\\Tarrowin", 0, nullptr,
                                  REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS)
            << path;
        EXPECT_EQ(key, nullptr);
        CRegistry reg;
        EXPECT_FALSE(reg.OpenKey(kSettingsKey)) << path;
        EXPECT_FALSE(reg.CreateKey(kSettingsKey)) << path;
    }
}

// Each page of a real store damaged in three ways, one at a time. Whatever was
// hit, one run leaves a sound store at the path holding what it wrote, and a
// file that was set aside is the damaged one, untouched.
TEST_F(StoreRecovery, ADamagedPageAnywhereIsSetAsideAndTheRunStillStoresItsSettings) {
    reopen();
    {
        CRegistry reg;
        ASSERT_TRUE(reg.CreateKey(kSettingsKey));
        ASSERT_TRUE(reg.OpenKey(kSettingsKey));
        for (int i = 0; i < 40; ++i) // enough for the tables to span several pages
            ASSERT_TRUE(reg.WriteString(std::u16string(200, u'a' + i % 26),
                                        u"Value" + std::u16string(1, u'A' + i % 26) +
                                            std::u16string(1, u'0' + i / 26)));
    }
    RegistryStore::usePath({}); // folds the log into the file
    const std::string pristine = contents(store);
    constexpr std::size_t kPage = 4096;
    ASSERT_EQ(pristine.size() % kPage, 0u);
    const std::size_t pages = pristine.size() / kPage;
    ASSERT_GE(pages, 4u);

    std::mt19937 noise(20261207);
    enum Damage { FlippedByte, Garbage, Zeroes };
    for (std::size_t page = 0; page < pages; ++page) {
        for (const Damage damage : {FlippedByte, Garbage, Zeroes}) {
            std::string file = pristine;
            char* at = file.data() + page * kPage;
            switch (damage) {
            case FlippedByte:
                at[kPage - 40] ^= 0x5A; // inside the cells, which fill pages from the end
                break;
            case Garbage:
                for (std::size_t i = 0; i < kPage; ++i)
                    at[i] = static_cast<char>(noise());
                break;
            case Zeroes:
                std::fill(at, at + kPage, '\0');
                break;
            }
            for (const fs::path& old : setAside())
                fs::remove(old);
            std::ofstream(store, std::ios::binary | std::ios::trunc) << file;
            const std::string trial =
                "page " + std::to_string(page + 1) + ", damage " + std::to_string(damage);

            ::testing::internal::CaptureStderr();
            reopen();
            runOnce(u"After");
            RegistryStore::usePath({});
            ::testing::internal::GetCapturedStderr();

            EXPECT_EQ(integrity(store), "ok") << trial;
            reopen();
            EXPECT_EQ(storedTitle(), u"After") << trial;
            RegistryStore::usePath({});
            for (const fs::path& aside : setAside())
                EXPECT_EQ(contents(aside), file) << trial << ": kept as it was";
        }
    }
}

// Header fields that SQLite checks, each set out of its range: the store could
// be read but never written (write version), or not used at all. Such a file
// is set aside like any damaged one, and the run stores its settings.
TEST_F(StoreRecovery, AHeaderFieldOutOfRangeIsDamage) {
    storeTitle(u"Before");
    const std::string pristine = contents(store);
    struct Field {
        const char* name;
        std::size_t at;
        char value;
    };
    for (const Field field :
         {Field{"write version", 18, 3}, Field{"read version", 19, 3},
          Field{"schema format", 47, 5}, Field{"page size", 17, 1},
          Field{"payload fraction", 21, 65}, Field{"reserved bytes", 20, 100}}) {
        std::string file = pristine;
        file[field.at] = field.value;
        for (const fs::path& old : setAside())
            fs::remove(old);
        std::ofstream(store, std::ios::binary | std::ios::trunc) << file;

        ::testing::internal::CaptureStderr();
        reopen();
        runOnce(u"After");
        RegistryStore::usePath({});
        ::testing::internal::GetCapturedStderr();

        EXPECT_EQ(integrity(store), "ok") << field.name;
        reopen();
        EXPECT_EQ(storedTitle(), u"After") << field.name;
        RegistryStore::usePath({});
        const auto aside = setAside();
        ASSERT_EQ(aside.size(), 1u) << field.name;
        EXPECT_EQ(contents(aside.front()), file) << field.name << ": kept as it was";
    }
}

// Damage that turns up while the store is open (another program, the disk) is
// met by whichever call finds it: that call and the next ones go on with a
// new store, and handles opened before find their keys gone.
TEST_F(StoreRecovery, DamageFoundByALaterCallStartsANewStore) {
    reopen();
    runOnce(u"Before");
    HKEY key = nullptr;
    ASSERT_EQ(
        RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Quillmoor\\Tarrowin", 0, KEY_ALL_ACCESS, &key),
        ERROR_SUCCESS);

    // Another connection points the values' table at a page the file does not
    // have, the way a damaged schema page would.
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(store.c_str(), &other), SQLITE_OK);
    const char* breakIt = "PRAGMA writable_schema=ON;"
                          "UPDATE sqlite_schema SET rootpage = 999999 WHERE name = 'vals';";
    ASSERT_EQ(sqlite3_exec(other, breakIt, nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_stmt* version = nullptr;
    sqlite3_prepare_v2(other, "PRAGMA schema_version", -1, &version, nullptr);
    ASSERT_EQ(sqlite3_step(version), SQLITE_ROW);
    const std::string bump =
        "PRAGMA schema_version=" + std::to_string(sqlite3_column_int(version, 0) + 1);
    sqlite3_finalize(version);
    ASSERT_EQ(sqlite3_exec(other, bump.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(other);

    ::testing::internal::CaptureStderr();
    EXPECT_EQ(readRaw(key, "Title").result, ERROR_KEY_DELETED);
    ::testing::internal::GetCapturedStderr();
    RegCloseKey(key);
    EXPECT_EQ(setAside().size(), 1u);
    runOnce(u"After");
    EXPECT_EQ(storedTitle(), u"After");
    RegistryStore::usePath({});
    EXPECT_EQ(integrity(store), "ok");
}

// RenameKey counts the subkeys, then lists them; a subkey that vanishes in
// between (another program deleted it) is left out, and the copy ends.
TEST_F(StoreRecovery, RenameKeyCopesWithASubkeyDeletedWhileItListsThem) {
    reopen();
    CRegistry reg;
    for (const char16_t* child : {u"\\a", u"\\b", u"\\c", u"\\c\\deeper"})
        ASSERT_TRUE(reg.CreateKey(kSettingsKey + std::u16string(child)));
    bool deleted = false;
    RegistryStore::setCallHook([&](std::string_view call) {
        if (call == "RegEnumKeyExA" && !deleted)
            deleted = RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Quillmoor\\Tarrowin\\b") ==
                      ERROR_SUCCESS;
    });
    ASSERT_TRUE(reg.OpenKey(kSettingsKey));
    // The store refuses to delete a key with subkeys, so the old key stays.
    EXPECT_FALSE(reg.RenameKey(u"Renamed"));
    RegistryStore::setCallHook({});
    EXPECT_TRUE(deleted);
    const std::u16string renamed = u"HKEY_CURRENT_USER\\Software\\Quillmoor\\Renamed";
    EXPECT_EQ(reg.CurrentPath(), renamed);
    EXPECT_TRUE(reg.KeyExists(renamed + u"\\a"));
    EXPECT_TRUE(reg.KeyExists(renamed + u"\\c\\deeper"));
    EXPECT_FALSE(reg.KeyExists(renamed + u"\\b"));
}

// A copy whose target vanished leaves no value type behind: the object's next
// text is stored as plain text, not as an expandable one.
TEST_F(StoreRecovery, AFailedCopyLeavesTheNextWriteItsOwnType) {
    reopen();
    CRegistry reg;
    ASSERT_TRUE(reg.CreateKey(kSettingsKey));
    ASSERT_TRUE(reg.OpenKey(kSettingsKey));
    ASSERT_TRUE(reg.WriteString(u"plain", u"Plain"));
    ASSERT_TRUE(reg.WriteEnvironmentString(u"HOME", u"Expandable"));
    bool deleted = false;
    RegistryStore::setCallHook([&](std::string_view call) {
        if (call == "RegQueryValueExA" && !deleted)
            deleted =
                RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Quillmoor\\Renamed") == ERROR_SUCCESS;
    });
    EXPECT_FALSE(reg.RenameKey(u"Renamed"));
    RegistryStore::setCallHook({});
    ASSERT_TRUE(deleted);

    ASSERT_TRUE(reg.OpenKey(kSettingsKey));
    ASSERT_TRUE(reg.WriteString(u"text", u"Next"));
    ASSERT_TRUE(reg.WriteInteger(7, u"Number"));
    CRegistry::ValueType kind = CRegistry::UnknownValue;
    std::int32_t size = 0;
    ASSERT_TRUE(reg.GetValueInfo(u"Next", kind, size));
    EXPECT_EQ(kind, CRegistry::StringValue);
    ASSERT_TRUE(reg.GetValueInfo(u"Number", kind, size));
    EXPECT_EQ(kind, CRegistry::IntegerValue);
}

// Runs the store worker as the unprivileged user nobody and gives what it
// printed, or "exit N" when it failed.
std::string readAsNobody(const fs::path& store, const char* key, const char* value) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) return "no pipe";
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(pipeEnds[1], STDOUT_FILENO);
        ::close(pipeEnds[0]);
        ::setenv("TARROWIN_REGISTRY", store.c_str(), 1);
        ::execlp("setpriv", "setpriv", "--reuid=65534", "--regid=65534", "--clear-groups",
                 REGISTRY_STORE_WORKER, "read", key, value, static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(pipeEnds[1]);
    std::string output;
    char buffer[256];
    for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        output.append(buffer, static_cast<std::size_t>(n));
    ::close(pipeEnds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? output
                                                         : "exit " + std::to_string(status);
}

// A store its owner froze (file and folder read-only) is still read, by a user
// whom the folder's permissions really stop, and from a folder whose name holds
// the characters that mean something in an SQLite file URI.
TEST_F(StoreRecovery, AFrozenStoreInAFrozenFolderIsStillRead) {
    if (::geteuid() != 0) GTEST_SKIP() << "needs root to act as another user";
    store = folder / "it's 100% ?#frozen" / "registry.db";
    reopen();
    runOnce(u"Frozen");
    RegistryStore::usePath({});
    ASSERT_FALSE(fs::exists(store.string() + "-wal"));
    constexpr auto readable =
        fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    constexpr auto searchable =
        fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
    fs::permissions(folder, readable | searchable);
    fs::permissions(store.parent_path(), readable | searchable);
    fs::permissions(store, readable);

    EXPECT_EQ(readAsNobody(store, "Software\\Quillmoor\\Tarrowin", "Title"), "Frozen\n");
    fs::permissions(store.parent_path(), fs::perms::owner_all, fs::perm_options::add);
}

} // namespace
