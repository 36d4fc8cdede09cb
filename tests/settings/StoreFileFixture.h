#pragma once
// A store file of the test's own in a temporary folder, for the tests that
// look at the file itself rather than through the registry functions.

#include "CRegistry.h"
#include "RegistryStore.h"
#include "ScratchRegistry.h"

#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

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
        storeSetting(u"Title", title);
        RegistryStore::usePath({});
    }

    // Creates the program's settings key and stores one text value in it.
    static void storeSetting(std::u16string_view name, std::u16string_view text) {
        CRegistry reg;
        ASSERT_TRUE(reg.CreateKey(kSettingsKey));
        ASSERT_TRUE(reg.OpenKey(kSettingsKey));
        ASSERT_TRUE(reg.WriteString(text, name));
    }
    static constexpr char16_t kSettingsKey[] = u"HKEY_CURRENT_USER\\Software\\Quillmoor\\Tarrowin";

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

    // The whole check SQLite can make of a file.
    static std::string integrity(const fs::path& file) {
        sqlite3* db = nullptr;
        std::string verdict = "cannot open";
        if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
            sqlite3_stmt* check = nullptr;
            sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &check, nullptr);
            verdict = check && sqlite3_step(check) == SQLITE_ROW
                          ? reinterpret_cast<const char*>(sqlite3_column_text(check, 0))
                          : sqlite3_errmsg(db);
            sqlite3_finalize(check);
        }
        sqlite3_close(db);
        return verdict;
    }

    fs::path folder;
    fs::path store;
};
