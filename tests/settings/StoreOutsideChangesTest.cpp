// What other programs do to the store's file while Tarrowin has it open: a
// backup restored over it, the file moved away or deleted, copied. The store
// goes on with whatever file is at its path at each call, and every value it
// has committed is in its one main file.

#include "CRegistry.h"
#include "StoreFileFixture.h"

namespace {

class StoreOutsideChanges : public StoreFile {
protected:
    // Stores one setting, creating the key when it is not there yet.
    static void put(std::u16string_view name, std::u16string_view text) {
        CRegistry reg;
        if (!reg.OpenKey(kSettingsKey)) reg.CreateKey(kSettingsKey);
        ASSERT_TRUE(reg.OpenKey(kSettingsKey));
        ASSERT_TRUE(reg.WriteString(text, name));
    }

    static std::u16string setting(std::u16string_view name) {
        CRegistry reg;
        return reg.OpenKey(kSettingsKey) ? reg.ReadString(name) : u"(no key)";
    }

    // The settings a lone copy of a store file holds, read as a new process
    // would read it. The copy is taken without any companion file.
    std::u16string settingInCopyOf(const fs::path& file, std::u16string_view name) {
        const fs::path copy = folder / "copy" / "registry.db";
        fs::create_directories(copy.parent_path());
        fs::copy_file(file, copy, fs::copy_options::overwrite_existing);
        RegistryStore::usePath(copy.string());
        const std::u16string text = setting(name);
        RegistryStore::usePath({});
        fs::remove_all(copy.parent_path());
        return text;
    }
};

// cp backup.db registry.db.tmp && mv registry.db.tmp registry.db, with
// Tarrowin running: the restored settings are read, what is written next goes
// into the restored file, and the restored file stays sound.
TEST_F(StoreOutsideChanges, ABackupRestoredWhileOpenIsReadWrittenAndKeptSound) {
    const fs::path backup = folder / "backup.db";
    RegistryStore::usePath(backup.string());
    put(u"Title", u"Backup");
    put(u"Status0", u"Only in the backup");
    RegistryStore::usePath({});

    reopen();
    put(u"Title", u"Ours");
    put(u"Status1", u"Only in ours");
    const fs::path temporary = store.string() + ".tmp";
    fs::copy_file(backup, temporary);
    fs::rename(temporary, store);

    EXPECT_EQ(setting(u"Title"), u"Backup");
    EXPECT_EQ(setting(u"Status1"), u"") << "the replaced store's values are gone with it";
    put(u"Title", u"After");
    RegistryStore::usePath({});

    EXPECT_EQ(integrity(store), "ok");
    const fs::path log = store.string() + "-wal";
    EXPECT_TRUE(!fs::exists(log) || fs::file_size(log) == 0)
        << "a log beside the restored file holds nothing to replay into it";
    reopen();
    EXPECT_EQ(setting(u"Title"), u"After");
    EXPECT_EQ(setting(u"Status0"), u"Only in the backup");
}

// A handle opened on the replaced file must not reach a key of the new one that
// happens to have the same id.
TEST_F(StoreOutsideChanges, HandlesOpenedOnAReplacedFileFindTheirKeysDeleted) {
    const fs::path other = folder / "other.db";
    RegistryStore::usePath(other.string());
    put(u"Title", u"Other");
    RegistryStore::usePath({});

    reopen();
    put(u"Title", u"Ours");
    HKEY key = nullptr;
    ASSERT_EQ(
        RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Quillmoor\\Tarrowin", 0, KEY_ALL_ACCESS, &key),
        ERROR_SUCCESS);
    fs::rename(other, store);
    EXPECT_EQ(readRaw(key, "Title").result, ERROR_KEY_DELETED);
    EXPECT_EQ(writeRaw(key, "Title", REG_SZ, std::string("Lost\0", 5)), ERROR_KEY_DELETED);
    RegCloseKey(key);
    EXPECT_EQ(setting(u"Title"), u"Other");
}

// Moved or copied while open, or between two runs: the file alone holds every
// value committed before, with no log left under the old name.
TEST_F(StoreOutsideChanges, AMovedOrCopiedFileHoldsEveryCommittedValue) {
    reopen();
    put(u"Title", u"Committed");
    put(u"ButtonText", u"Also committed");
    EXPECT_EQ(settingInCopyOf(store, u"Title"), u"Committed") << "copied while open";

    reopen();
    put(u"Title", u"Before the move");
    const fs::path moved = folder / "moved.db";
    fs::rename(store, moved);
    EXPECT_EQ(setting(u"Title"), u"(no key)") << "the next call starts a new store at the path";
    RegistryStore::usePath({});
    EXPECT_EQ(settingInCopyOf(moved, u"Title"), u"Before the move");
    EXPECT_EQ(settingInCopyOf(moved, u"ButtonText"), u"Also committed");
}

// rm registry.db while Tarrowin runs resets the settings, as the README says
// for a stopped program: the run ends by storing nothing, since the key it
// would store into is gone, and the next start is a first start.
TEST_F(StoreOutsideChanges, AStoreDeletedWhileOpenIsStartedAgainEmpty) {
    reopen();
    put(u"Title", u"Deleted");
    fs::remove(store);
    CRegistry reg;
    EXPECT_FALSE(reg.OpenKey(kSettingsKey));
    EXPECT_TRUE(fs::exists(store)) << "a new store, made by the call that found the file gone";
    EXPECT_TRUE(reg.CreateKey(kSettingsKey));
    EXPECT_TRUE(reg.OpenKey(kSettingsKey));
    EXPECT_TRUE(reg.WriteString(u"Again", u"Title"));
    RegistryStore::usePath({});
    reopen();
    EXPECT_EQ(setting(u"Title"), u"Again");
}

} // namespace
