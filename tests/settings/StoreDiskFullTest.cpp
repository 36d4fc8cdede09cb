// The store on a disk with no room left: what is stored is still read, writes
// fail with ERROR_DISK_FULL and harm nothing, and once there is room again
// writes go on. The disk is a small memory file system mounted for the test,
// which needs root.

#include "CRegistry.h"
#include "StoreFileFixture.h"

#include <sqlite3.h>

#include <cerrno>
#include <cstring>
#include <sys/mount.h>

using namespace std::string_literals;

namespace {

constexpr const char* kDiskSize = "size=256k";

class StoreDiskFull : public StoreFile {
protected:
    void SetUp() override {
        StoreFile::SetUp();
        disk = folder / "disk";
        fs::create_directories(disk);
        if (::mount("tarrowin-test", disk.c_str(), "tmpfs", 0, kDiskSize) != 0)
            GTEST_SKIP() << "cannot mount a small file system here: " << std::strerror(errno);
        mounted = true;
        store = disk / "tarrowin" / "registry.db";
    }
    void TearDown() override {
        RegistryStore::usePath({});
        if (mounted) ::umount2(disk.c_str(), MNT_DETACH);
        StoreFile::TearDown();
    }

    // Fills the disk to the last byte.
    void fill() {
        std::FILE* filler = std::fopen((disk / "filler").c_str(), "wb");
        ASSERT_NE(filler, nullptr);
        const std::string block(4096, 'x');
        while (std::fwrite(block.data(), 1, block.size(), filler) == block.size() &&
               std::fflush(filler) == 0) {
        }
        std::fclose(filler);
        std::FILE* crumbs = std::fopen((disk / "crumbs").c_str(), "wb");
        if (crumbs) {
            while (std::fputc('x', crumbs) != EOF && std::fflush(crumbs) == 0) {
            }
            std::fclose(crumbs);
        }
    }
    void makeRoom() {
        fs::remove(disk / "filler");
        fs::remove(disk / "crumbs");
    }

    static HKEY openSettings() {
        HKEY key = nullptr;
        EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Quillmoor\\Tarrowin", 0,
                                KEY_ALL_ACCESS, &key),
                  ERROR_SUCCESS);
        return key;
    }

    fs::path disk;
    bool mounted = false;
};

TEST_F(StoreDiskFull, AStoreIsReadWritesFailAsDiskFullAndGoOnWhenThereIsRoom) {
    storeTitle(u"Stored");
    const std::string before = contents(store);
    fill();

    reopen();
    HKEY key = openSettings();
    EXPECT_EQ(readRaw(key, "Title").bytes, "Stored\0"s);
    EXPECT_EQ(writeRaw(key, "Title", REG_SZ, "Lost"s), ERROR_DISK_FULL);
    EXPECT_EQ(writeRaw(key, "Big", REG_BINARY, std::string(64 * 1024, 'b')), ERROR_DISK_FULL);
    EXPECT_EQ(readRaw(key, "Title").bytes, "Stored\0"s);
    RegistryStore::usePath({});
    EXPECT_EQ(contents(store), before) << "the file is as it was";

    reopen();
    key = openSettings();
    EXPECT_EQ(writeRaw(key, "Title", REG_SZ, "Lost"s), ERROR_DISK_FULL);
    makeRoom();
    EXPECT_EQ(writeRaw(key, "Title", REG_SZ, "Later"s), ERROR_SUCCESS)
        << "the same handle writes once there is room";
    RegCloseKey(key);
    RegistryStore::usePath({});
    reopen();
    CRegistry reg;
    ASSERT_TRUE(reg.OpenKey(kSettingsKey));
    EXPECT_EQ(reg.ReadString(u"Title"), u"Later");
}

// The disk fills up while the store is open.
TEST_F(StoreDiskFull, ADiskThatFillsWhileTheStoreIsOpen) {
    reopen();
    CRegistry reg;
    ASSERT_TRUE(reg.CreateKey(kSettingsKey));
    HKEY key = openSettings();
    ASSERT_EQ(writeRaw(key, "Title", REG_SZ, "Stored"s), ERROR_SUCCESS);
    fill();
    EXPECT_EQ(writeRaw(key, "Big", REG_BINARY, std::string(64 * 1024, 'b')), ERROR_DISK_FULL);
    EXPECT_EQ(readRaw(key, "Title").bytes, "Stored\0"s);
    makeRoom();
    EXPECT_EQ(writeRaw(key, "Title", REG_SZ, "Later"s), ERROR_SUCCESS);
    RegCloseKey(key);
    RegistryStore::usePath({});
    reopen();
    ASSERT_TRUE(reg.OpenKey(kSettingsKey));
    EXPECT_EQ(reg.ReadString(u"Title"), u"Later");
}

} // namespace
