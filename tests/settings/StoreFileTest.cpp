// The store's file: where it lives, who may read it, and what becomes of a
// file that cannot be written or is not a store at all.

#include "CRegistry.h"
#include "Diagnostics.h"
#include "StoreFileFixture.h"

#include <sqlite3.h>

using namespace std::string_literals;

namespace {

TEST_F(StoreFile, TheDefaultPathFollowsTheEnvironment) {
    {
        ScopedVariable registry("TARROWIN_REGISTRY", "/somewhere/else.db");
        EXPECT_EQ(RegistryStore::defaultPath(), "/somewhere/else.db");
    }
    ScopedVariable registry("TARROWIN_REGISTRY", nullptr);
    {
        ScopedVariable config("XDG_CONFIG_HOME", "/xdg");
        EXPECT_EQ(RegistryStore::defaultPath(), "/xdg/tarrowin/registry.db");
    }
    ScopedVariable config("XDG_CONFIG_HOME", nullptr);
    ScopedVariable home("HOME", "/home/someone");
    EXPECT_EQ(RegistryStore::defaultPath(), "/home/someone/.config/tarrowin/registry.db");
}

TEST_F(StoreFile, IsCreatedPrivateOnFirstUseAndKeepsWhatWasWritten) {
    const mode_t oldMask = ::umask(0);
    ScopedVariable registry("TARROWIN_REGISTRY", store.c_str());
    RegistryStore::usePath({});
    EXPECT_FALSE(fs::exists(store)) << "nothing happens before the first registry call";
    storeSetting(u"Title", u"Busy");
    ::umask(oldMask);
    EXPECT_EQ(mode(store), 0600u);
    EXPECT_EQ(mode(store.parent_path()), 0700u);
    EXPECT_EQ(mode(store.parent_path().parent_path()), 0700u);
    for (const char* companion : {"-wal", "-shm"}) {
        if (fs::exists(store.string() + companion)) {
            EXPECT_EQ(mode(store.string() + companion), 0600u) << companion;
        }
    }

    reopen();
    CRegistry reg;
    ASSERT_TRUE(reg.OpenKey(u"HKEY_CURRENT_USER\\Software\\Quillmoor\\Tarrowin"));
    EXPECT_EQ(reg.ReadString(u"Title"), u"Busy");
}

TEST_F(StoreFile, ReadingAStoreThatExistsWritesNothing) {
    // Every start of the program reads its settings: a write would cost each
    // start a commit and its flush to disk.
    storeTitle(u"Busy");
    const std::string before = contents(store);
    const fs::path log = store.string() + "-wal";

    reopen();
    CRegistry reg;
    ASSERT_TRUE(reg.OpenKey(kSettingsKey));
    EXPECT_EQ(reg.ReadString(u"Title"), u"Busy");
    EXPECT_TRUE(!fs::exists(log) || fs::file_size(log) == 0) << "nothing was logged";
    RegistryStore::usePath({});
    EXPECT_EQ(contents(store), before);
}

TEST_F(StoreFile, AReadOnlyStoreRefusesFullAccessAndStillReads) {
    storeTitle(u"Frozen");
    fs::permissions(store, fs::perms::owner_read, fs::perm_options::replace);
    const std::string before = contents(store);
    reopen();

    CRegistry reg;
    // What the program sees at startup: the key can be neither opened nor created.
    EXPECT_FALSE(reg.OpenKey(u"HKEY_CURRENT_USER\\Software\\Quillmoor\\Tarrowin"));
    EXPECT_FALSE(reg.CreateKey(u"HKEY_CURRENT_USER\\Software\\Quillmoor\\Tarrowin"));
    EXPECT_FALSE(reg.CreateKey(u"HKEY_CURRENT_USER\\Software\\Other"));
    EXPECT_FALSE(reg.OpenKey(u"HKEY_CURRENT_USER"));

    HKEY key = nullptr;
    EXPECT_EQ(
        RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Quillmoor\\Tarrowin", 0, KEY_ALL_ACCESS, &key),
        ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\New", 0, nullptr, 0, KEY_READ, nullptr,
                              &key, nullptr),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Quillmoor\\Tarrowin"),
              ERROR_ACCESS_DENIED);
    EXPECT_EQ(writeRaw(HKEY_CURRENT_USER, "v", REG_SZ, "\0"s), ERROR_ACCESS_DENIED);
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Quillmoor\\Tarrowin", 0, KEY_READ, &key),
              ERROR_SUCCESS);
    EXPECT_EQ(readRaw(key, "Title").bytes, "Frozen\0"s);
    RegCloseKey(key);
    RegistryStore::usePath({});
    EXPECT_EQ(contents(store), before) << "not a byte was written";
}

TEST_F(StoreFile, AnEmptyReadOnlyFileReadsAsANewRegistry) {
    fs::create_directories(store.parent_path());
    std::ofstream(store).close();
    fs::permissions(store, fs::perms::owner_read, fs::perm_options::replace);
    reopen();
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Quillmoor", 0, KEY_READ, &key),
              ERROR_FILE_NOT_FOUND);
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, nullptr, 0, KEY_READ, &key), ERROR_SUCCESS);
    EXPECT_EQ(subkeyNames(key), (std::vector<std::string>{"Environment", "Software"}));
    RegCloseKey(key);
    EXPECT_EQ(fs::file_size(store), 0u);
}

TEST_F(StoreFile, AFileThatIsNoStoreIsMovedAsideAndANewStoreStarted) {
    fs::create_directories(store.parent_path());
    std::ofstream(store) << "Title=not a database\n";
    reopen();

    static std::string message;
    message.clear();
    Diagnostics::setSink([](Diagnostics::Area area, std::string_view line) {
        if (area == Diagnostics::Area::Store) (message += line) += '\n';
    });
    CRegistry reg;
    EXPECT_TRUE(reg.CreateKey(u"HKEY_CURRENT_USER\\Software\\Quillmoor\\Tarrowin"));
    Diagnostics::setSink(nullptr);

    std::vector<fs::path> aside;
    for (const auto& entry : fs::directory_iterator(store.parent_path()))
        if (entry.path().filename().string().starts_with("registry.db.unreadable-"))
            aside.push_back(entry.path());
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_EQ(contents(aside[0]), "Title=not a database\n") << "the old file is kept as it was";
    EXPECT_NE(message.find(aside[0].string()), std::string::npos) << message;
    EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
    EXPECT_EQ(mode(store), 0600u);

    reopen();
    EXPECT_TRUE(reg.KeyExists(u"HKEY_CURRENT_USER\\Software\\Quillmoor\\Tarrowin"));
}

// Stores written before names were folded through the fixed table held
// "nı" as "NI"; opened now, they find it under its own name only.
TEST_F(StoreFile, AStoreFoldedTheOldWayIsFoldedAgainWhenOpened) {
    reopen();
    storeSetting(u"n\u0131", u"dotless");
    RegistryStore::usePath({});
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(store.c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "UPDATE vals SET fold = 'NI'; PRAGMA user_version = 1", nullptr,
                           nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);

    reopen();
    CRegistry reg;
    ASSERT_TRUE(reg.OpenKey(u"HKEY_CURRENT_USER\\Software\\Quillmoor\\Tarrowin"));
    EXPECT_EQ(reg.ReadString(u"n\u0131"), u"dotless");
    EXPECT_FALSE(reg.ValueExists(u"NI"));
}

// Stores written before texts were converted hold them as they were handed
// over, and a name put in by hand may be raw too: both are read as the
// conversion would have kept them, other types' bytes as they are.
TEST_F(StoreFile, NamesAndTextsStoredRawAreReadAsTheConversionKeepsThem) {
    reopen();
    storeSetting(u"Title", u"x");
    RegistryStore::usePath({});
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(store.c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db,
                           "UPDATE vals SET data = x'61F09F00' WHERE name = 'Title';"
                           "INSERT INTO vals SELECT key, x'42EDA080', seq + 1, x'42EDA080', 3, 3,"
                           " x'61F09F00' FROM vals WHERE name = 'Title'",
                           nullptr, nullptr, nullptr),
              SQLITE_OK)
        << sqlite3_errmsg(db);
    sqlite3_close(db);

    reopen();
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Quillmoor\\Tarrowin", 0, KEY_READ, &key),
              ERROR_SUCCESS);
    EXPECT_EQ(readRaw(key, "Title").bytes, "a\xEF\xBF\xBD"s) << "the cut-short end takes the NUL";
    EXPECT_EQ(valueNames(key), (std::vector<std::string>{"Title", "B\xEF\xBF\xBD\xEF\xBF\xBD"}));
    char name[16] = {};
    DWORD nameLength = sizeof name;
    std::string data(8, '\0');
    DWORD size = static_cast<DWORD>(data.size());
    ASSERT_EQ(RegEnumValueA(key, 1, name, &nameLength, nullptr, nullptr,
                            reinterpret_cast<BYTE*>(data.data()), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(nameLength, 7u);
    EXPECT_EQ(data.substr(0, size), "a\xF0\x9F\0"s) << "binary data stays as it is";
    RegCloseKey(key);
}

// A store path that leads to no regular file is refused with one error code
// of its own, and nothing is made beside it or beside what a link points to.
TEST_F(StoreFile, APathThatIsNoFileIsRefusedAndNothingIsMadeBesideIt) {
    const fs::path things = folder / "things";
    fs::create_directories(things / "a folder");
    ASSERT_EQ(::mkfifo((things / "a fifo").c_str(), 0600), 0);
    fs::create_directory_symlink(things / "a folder", things / "link to a folder");
    fs::create_symlink(things / "a fifo", things / "link to a fifo");
    fs::create_symlink("/dev/null", things / "link to a device");
    const auto listing = [&] {
        std::vector<std::string> names;
        for (const auto& entry : fs::recursive_directory_iterator(things))
            names.push_back(entry.path().string());
        std::sort(names.begin(), names.end());
        return names;
    };
    const auto before = listing();

    for (const char* name :
         {"a folder", "a fifo", "link to a folder", "link to a fifo", "link to a device"}) {
        RegistryStore::usePath((things / name).string());
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Quillmoor\\Tarrowin", 0, nullptr,
                                  REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_NOT_REGISTRY_FILE)
            << name;
        EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &key),
                  ERROR_NOT_REGISTRY_FILE)
            << name;
        CRegistry reg;
        EXPECT_FALSE(reg.CreateKey(kSettingsKey)) << name;
    }
    RegistryStore::usePath({});
    EXPECT_EQ(listing(), before);
    EXPECT_FALSE(fs::exists("/dev/null-journal"));
}

// An import's writes are one group: all of them are stored, or none; a call
// that fails inside the group undoes only itself.
TEST_F(StoreFile, AGroupOfCallsIsStoredWholeOrNotAtAll) {
    reopen();
    const auto create = [](const char* path) {
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS)
            << path;
        return key;
    };
    ASSERT_EQ(RegistryStore::beginGroup(), ERROR_SUCCESS);
    HKEY grouped = create("Software\\Grouped");
    ASSERT_EQ(writeRaw(grouped, "v", REG_SZ, "1\0"s), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Software"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(readRaw(grouped, "v").bytes, "1\0"s) << "the failed call undid only itself";
    ASSERT_EQ(RegistryStore::endGroup(false), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(grouped), ERROR_INVALID_HANDLE) << "closed with its group";
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Grouped", 0, KEY_READ, &key),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegistryStore::endGroup(true), ERROR_INVALID_FUNCTION) << "no group open";

    ASSERT_EQ(RegistryStore::beginGroup(), ERROR_SUCCESS);
    grouped = create("Software\\Grouped");
    ASSERT_EQ(writeRaw(grouped, "v", REG_SZ, "2\0"s), ERROR_SUCCESS);
    RegCloseKey(grouped);
    ASSERT_EQ(RegistryStore::endGroup(true), ERROR_SUCCESS);
    reopen();
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Grouped", 0, KEY_READ, &key),
              ERROR_SUCCESS);
    EXPECT_EQ(readRaw(key, "v").bytes, "2\0"s);
    RegCloseKey(key);
}

} // namespace
