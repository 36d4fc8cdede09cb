// The store's file: where it lives, who may read it, and what becomes of a
// file that cannot be written or is not a store at all.

#include "CRegistry.h"
#include "RegistryStore.h"
#include "ScratchRegistry.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

// Sets an environment variable for the length of a test.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~ScopedVariable() {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

class StoreFile : public ::testing::Test {
protected:
    void SetUp() override {
        folder = makeTemporaryFolder("tarrowin-store");
        ASSERT_FALSE(folder.empty());
        store = folder / "config" / "tarrowin" / "registry.db";
    }
    void TearDown() override {
        RegistryStore::usePath({});
        fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(folder);
    }

    // Opens the store afresh, as a new process would.
    void reopen() { RegistryStore::usePath(store.string()); }

    // A store holding the title, closed: its log folded into the file.
    void storeTitle(std::u16string_view title) {
        reopen();
        {
            CRegistry reg;
            ASSERT_TRUE(reg.CreateKey(kKey));
            ASSERT_TRUE(reg.OpenKey(kKey));
            ASSERT_TRUE(reg.WriteString(title, u"Title"));
        }
        RegistryStore::usePath({});
    }
    static constexpr std::u16string_view kKey = u"HKEY_CURRENT_USER\\Software\\Quillmoor\\Tarrowin";

    static std::string contents(const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    static mode_t mode(const fs::path& file) {
        struct stat info {};
        ::stat(file.c_str(), &info);
        return info.st_mode & 07777;
    }

    fs::path folder;
    fs::path store;
};

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
    {
        CRegistry reg;
        ASSERT_TRUE(reg.CreateKey(u"HKEY_CURRENT_USER\\Software\\Quillmoor\\Tarrowin"));
        ASSERT_TRUE(reg.OpenKey(u"HKEY_CURRENT_USER\\Software\\Quillmoor\\Tarrowin"));
        ASSERT_TRUE(reg.WriteString(u"Busy", u"Title"));
    }
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
    ASSERT_TRUE(reg.OpenKey(kKey));
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

TEST_F(StoreFile, AnEmptyReadOnlyFileReadsAsAnEmptyRegistry) {
    fs::create_directories(store.parent_path());
    std::ofstream(store).close();
    fs::permissions(store, fs::perms::owner_read, fs::perm_options::replace);
    reopen();
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &key),
              ERROR_FILE_NOT_FOUND);
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, nullptr, 0, KEY_READ, &key), ERROR_SUCCESS);
    DWORD subkeys = 1;
    EXPECT_EQ(RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr,
                               nullptr, nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(subkeys, 0u);
    EXPECT_EQ(fs::file_size(store), 0u);
}

TEST_F(StoreFile, AFileThatIsNoStoreIsMovedAsideAndANewStoreStarted) {
    fs::create_directories(store.parent_path());
    std::ofstream(store) << "Title=not a database\n";
    reopen();

    ::testing::internal::CaptureStderr();
    CRegistry reg;
    EXPECT_TRUE(reg.CreateKey(u"HKEY_CURRENT_USER\\Software\\Quillmoor\\Tarrowin"));
    const std::string message = ::testing::internal::GetCapturedStderr();

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

} // namespace
