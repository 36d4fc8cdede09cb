// The registry functions themselves, as CRegistry relies on them. Run against
// the store natively and against Wine's advapi32 in the Windows build, these
// cases hold the store to the behaviour of the real registry.

#include "ScratchRegistry.h"

#include <cstring>
#include <filesystem>

using namespace std::string_literals;

namespace {

class RegistryApi : public ScratchRegistry {};

std::string repeated(std::string_view piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

LONG createKey(HKEY parent, const char* name, HKEY* result, DWORD* disposition = nullptr) {
    return RegCreateKeyExA(parent, name, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                           nullptr, result, disposition);
}

TEST_F(RegistryApi, NamesIgnoreCaseAndKeepTheirSpelling) {
    HKEY key = open();
    HKEY child = nullptr;
    ASSERT_EQ(createKey(key, "MixedCase", &child), ERROR_SUCCESS);
    RegCloseKey(child);
    ASSERT_EQ(createKey(key, "Ärger", &child), ERROR_SUCCESS);
    RegCloseKey(child);
    for (const char* spelling : {"mixedcase", "MIXEDCASE", "äRGER", "ÄRGER"}) {
        EXPECT_EQ(RegOpenKeyExA(key, spelling, 0, KEY_ALL_ACCESS, &child), ERROR_SUCCESS)
            << spelling;
        RegCloseKey(child);
    }
    EXPECT_EQ(subkeyNames(key), (std::vector<std::string>{"MixedCase", "Ärger"}));

    ASSERT_EQ(writeRaw(key, "ValueName", REG_SZ, "1\0"s), ERROR_SUCCESS);
    ASSERT_EQ(writeRaw(key, "VALUENAME", REG_SZ, "2\0"s), ERROR_SUCCESS);
    EXPECT_EQ(readRaw(key, "valuename").bytes, "2\0"s);
    EXPECT_EQ(valueNames(key), std::vector<std::string>{"ValueName"})
        << "setting a value again keeps the name it was created with";
}

TEST_F(RegistryApi, SubkeyPathsTakeATrailingBackslashButNotALeadingOne) {
    HKEY key = open();
    HKEY result = nullptr;
    DWORD disposition = 0;
    ASSERT_EQ(createKey(key, "A\\B\\C\\", &result, &disposition), ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
    RegCloseKey(result);
    ASSERT_EQ(createKey(key, "A\\B\\C", &result, &disposition), ERROR_SUCCESS);
    EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
    RegCloseKey(result);
    EXPECT_EQ(RegOpenKeyExA(key, "A\\B\\", 0, KEY_ALL_ACCESS, &result), ERROR_SUCCESS);
    RegCloseKey(result);

    EXPECT_EQ(RegOpenKeyExA(key, "\\A", 0, KEY_ALL_ACCESS, &result), ERROR_BAD_PATHNAME);
    EXPECT_EQ(result, nullptr);
    EXPECT_EQ(createKey(key, "\\D", &result), ERROR_BAD_PATHNAME);
    EXPECT_EQ(RegOpenKeyExA(key, "Missing", 0, KEY_ALL_ACCESS, &result), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryApi, AnEmptyOrAbsentSubkeyMeansTheKeyItself) {
    HKEY key = open();
    ASSERT_EQ(writeRaw(key, "mark", REG_SZ, "here\0"s), ERROR_SUCCESS);
    HKEY same = nullptr;
    for (const char* name : {static_cast<const char*>(nullptr), ""}) {
        ASSERT_EQ(RegOpenKeyExA(key, name, 0, KEY_ALL_ACCESS, &same), ERROR_SUCCESS);
        EXPECT_EQ(readRaw(same, "mark").bytes, "here\0"s);
        RegCloseKey(same);
    }
    DWORD disposition = 0;
    ASSERT_EQ(createKey(key, "", &same, &disposition), ERROR_SUCCESS);
    // Wine reports the key as newly created although it created nothing.
    EXPECT_EQ(disposition, runningUnderWine() ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY);
    EXPECT_EQ(readRaw(same, "mark").bytes, "here\0"s);
    RegCloseKey(same);
}

TEST_F(RegistryApi, NameLengthLimits) {
    HKEY key = open();
    HKEY child = nullptr;
    const std::string longest(255, 'k');
    ASSERT_EQ(createKey(key, longest.c_str(), &child), ERROR_SUCCESS);
    RegCloseKey(child);
    EXPECT_EQ(subkeyNames(key), std::vector<std::string>{longest});

    const LONG tooLong = createKey(key, std::string(256, 'k').c_str(), &child);
    RegCloseKey(child);
    if (runningUnderWine()) // Wine takes a 256-character key name that Windows refuses.
        EXPECT_EQ(tooLong, ERROR_SUCCESS);
    else
        EXPECT_NE(tooLong, ERROR_SUCCESS);

    const std::string longestValue(16383, 'v');
    EXPECT_EQ(writeRaw(key, longestValue.c_str(), REG_SZ, "\0"s), ERROR_SUCCESS);
    EXPECT_EQ(readRaw(key, longestValue.c_str()).result, ERROR_SUCCESS);
    // Longer, a name cannot be written and is not found; longer than a
    // counted wide string holds, it is refused.
    const std::string tooLongName(16384, 'v');
    EXPECT_EQ(writeRaw(key, tooLongName.c_str(), REG_SZ, "\0"s), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(readRaw(key, tooLongName.c_str()).result, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteValueA(key, tooLongName.c_str()), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(readRaw(key, std::string(32767, 'v').c_str()).result, ERROR_INVALID_PARAMETER);

    // The 8-bit calls take a subkey path of at most 260 UTF-16 units,
    // whatever its bytes.
    const std::string a130 = repeated("\xC3\xA4", 130);
    ASSERT_EQ(createKey(key, (a130 + "\\" + repeated("\xC3\xA4", 129)).c_str(), &child),
              ERROR_SUCCESS);
    RegCloseKey(child);
    const std::string over = a130 + "\\" + a130;
    EXPECT_EQ(createKey(key, over.c_str(), &child), ERROR_MORE_DATA);
    EXPECT_EQ(RegOpenKeyExA(key, over.c_str(), 0, KEY_ALL_ACCESS, &child), ERROR_MORE_DATA);
    EXPECT_EQ(RegDeleteKeyA(key, over.c_str()), ERROR_MORE_DATA);

    // A name too long for a key is met in turn along the path: a missing key
    // before it is found missing first, and a create makes the keys before it.
    const std::string longName(257, 'k');
    EXPECT_EQ(RegOpenKeyExA(key, ("m\\" + longName).c_str(), 0, KEY_ALL_ACCESS, &child),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(createKey(key, ("d\\" + longName).c_str(), &child), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegOpenKeyExA(key, "d", 0, KEY_ALL_ACCESS, &child), ERROR_SUCCESS);
    RegCloseKey(child);
}

TEST_F(RegistryApi, DeletingKeys) {
    HKEY key = open();
    HKEY child = nullptr;
    ASSERT_EQ(createKey(key, "Parent\\Child", &child), ERROR_SUCCESS);
    RegCloseKey(child);
    EXPECT_EQ(RegDeleteKeyA(key, "Parent"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteKeyA(key, "Missing"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteKeyA(key, "parent\\child"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKeyA(key, "Parent"), ERROR_SUCCESS);
    EXPECT_TRUE(subkeyNames(key).empty());
}

TEST_F(RegistryApi, AHandleOfADeletedKeyReportsItDeleted) {
    HKEY key = open();
    HKEY doomed = nullptr;
    ASSERT_EQ(createKey(key, "Doomed", &doomed), ERROR_SUCCESS);
    ASSERT_EQ(writeRaw(doomed, "v", REG_DWORD, "\1\0\0\0"s), ERROR_SUCCESS);
    ASSERT_EQ(RegDeleteKeyA(key, "Doomed"), ERROR_SUCCESS);

    EXPECT_EQ(writeRaw(doomed, "v", REG_DWORD, "\2\0\0\0"s), ERROR_KEY_DELETED);
    EXPECT_EQ(readRaw(doomed, "v").result, ERROR_KEY_DELETED);
    EXPECT_EQ(RegDeleteValueA(doomed, "v"), ERROR_KEY_DELETED);
    char name[16];
    DWORD length = sizeof name;
    EXPECT_EQ(RegEnumValueA(doomed, 0, name, &length, nullptr, nullptr, nullptr, nullptr),
              ERROR_KEY_DELETED);
    length = sizeof name;
    EXPECT_EQ(RegEnumKeyExA(doomed, 0, name, &length, nullptr, nullptr, nullptr, nullptr),
              ERROR_KEY_DELETED);
    DWORD values = 0;
    EXPECT_EQ(RegQueryInfoKeyA(doomed, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                               &values, nullptr, nullptr, nullptr, nullptr),
              ERROR_KEY_DELETED);
    HKEY below = nullptr;
    EXPECT_EQ(createKey(doomed, "Below", &below), ERROR_KEY_DELETED);
    EXPECT_EQ(RegCloseKey(doomed), ERROR_SUCCESS);

    HKEY again = nullptr;
    ASSERT_EQ(createKey(key, "Doomed", &again), ERROR_SUCCESS);
    EXPECT_EQ(readRaw(again, "v").result, ERROR_FILE_NOT_FOUND) << "a new key of the same name";
    RegCloseKey(again);
}

TEST_F(RegistryApi, QueryValueReportsSizesAndNeverWritesPastTheBuffer) {
    HKEY key = open();
    const std::string data = "0123456789";
    ASSERT_EQ(writeRaw(key, "ten", REG_BINARY, data), ERROR_SUCCESS);

    DWORD type = 0;
    DWORD size = 0;
    ASSERT_EQ(RegQueryValueExA(key, "ten", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_BINARY);
    EXPECT_EQ(size, 10u);

    BYTE buffer[16];
    std::memset(buffer, '#', sizeof buffer);
    size = 4;
    EXPECT_EQ(RegQueryValueExA(key, "ten", nullptr, &type, buffer, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 10u);
    for (std::size_t i = 4; i < sizeof buffer; ++i)
        EXPECT_EQ(buffer[i], '#') << i;

    size = 10;
    ASSERT_EQ(RegQueryValueExA(key, "ten", nullptr, &type, buffer, &size), ERROR_SUCCESS);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), size), data);
    EXPECT_EQ(buffer[10], '#');

    ASSERT_EQ(writeRaw(key, "text", REG_SZ, "abc\0"s), ERROR_SUCCESS);
    std::memset(buffer, '#', sizeof buffer);
    size = 3;
    EXPECT_EQ(RegQueryValueExA(key, "text", nullptr, &type, buffer, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(buffer[3], '#');

    size = 0;
    EXPECT_EQ(RegQueryValueExA(key, "missing", nullptr, &type, nullptr, &size),
              ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryApi, EnumerationOrder) {
    HKEY key = open();
    for (const char* name : {"b", "_c", "A", "Ä"}) {
        HKEY child = nullptr;
        ASSERT_EQ(createKey(key, name, &child), ERROR_SUCCESS);
        RegCloseKey(child);
    }
    // Windows orders subkeys by upper-cased name; Wine 8 by lower-cased name.
    if (runningUnderWine())
        EXPECT_EQ(subkeyNames(key), (std::vector<std::string>{"_c", "A", "b", "Ä"}));
    else
        EXPECT_EQ(subkeyNames(key), (std::vector<std::string>{"A", "b", "_c", "Ä"}));

    for (const char* name : {"Zeta", "alpha", "Mid"})
        ASSERT_EQ(writeRaw(key, name, REG_SZ, "\0"s), ERROR_SUCCESS);
    ASSERT_EQ(writeRaw(key, "Zeta", REG_SZ, "again\0"s), ERROR_SUCCESS);
    if (runningUnderWine()) // Wine 8 keeps values sorted by name; Windows keeps creation order.
        EXPECT_EQ(valueNames(key), (std::vector<std::string>{"alpha", "Mid", "Zeta"}));
    else
        EXPECT_EQ(valueNames(key), (std::vector<std::string>{"Zeta", "alpha", "Mid"}));
    ASSERT_EQ(RegDeleteValueA(key, "alpha"), ERROR_SUCCESS);
    if (!runningUnderWine()) {
        EXPECT_EQ(valueNames(key), (std::vector<std::string>{"Zeta", "Mid"}));
    }

    char name[4];
    DWORD length = sizeof name;
    EXPECT_EQ(RegEnumValueA(key, 5, name, &length, nullptr, nullptr, nullptr, nullptr),
              ERROR_NO_MORE_ITEMS);
    length = sizeof name;
    EXPECT_EQ(RegEnumKeyExA(key, 4, name, &length, nullptr, nullptr, nullptr, nullptr),
              ERROR_NO_MORE_ITEMS);
    const DWORD indexOfB = runningUnderWine() ? 2 : 1;
    length = 2;
    EXPECT_EQ(RegEnumKeyExA(key, indexOfB, name, &length, nullptr, nullptr, nullptr, nullptr),
              ERROR_SUCCESS)
        << "\"b\" and its NUL fit in two bytes";
    length = 1;
    EXPECT_EQ(RegEnumKeyExA(key, indexOfB, name, &length, nullptr, nullptr, nullptr, nullptr),
              ERROR_MORE_DATA);
}

TEST_F(RegistryApi, QueryInfoCountsNamesInCharacters) {
    HKEY key = open();
    for (const char* name : {"ab", "進捗進"}) {
        HKEY child = nullptr;
        ASSERT_EQ(createKey(key, name, &child), ERROR_SUCCESS);
        RegCloseKey(child);
    }
    ASSERT_EQ(writeRaw(key, "x", REG_BINARY, "12345678"), ERROR_SUCCESS);
    ASSERT_EQ(writeRaw(key, "Größe", REG_DWORD, "\1\0\0\0"s), ERROR_SUCCESS);
    DWORD subkeys = 0, longestSubkey = 0, values = 0, longestValueName = 0;
    ASSERT_EQ(RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, &longestSubkey, nullptr,
                               &values, &longestValueName, nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(subkeys, 2u);
    EXPECT_EQ(longestSubkey, 3u);
    EXPECT_EQ(values, 2u);
    EXPECT_EQ(longestValueName, 5u);
}

TEST_F(RegistryApi, ClosedHandlesAreInvalid) {
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, baseSubkey().c_str(), 0, KEY_ALL_ACCESS, &key),
              ERROR_SUCCESS);
    ASSERT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(HKEY_CURRENT_USER), ERROR_SUCCESS) << "predefined keys always close";
}

TEST_F(RegistryApi, ReadOnlyHandlesCannotWrite) {
    HKEY reader = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, baseSubkey().c_str(), 0, KEY_READ, &reader),
              ERROR_SUCCESS);
    EXPECT_EQ(writeRaw(reader, "v", REG_SZ, "\0"s), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteValueA(reader, "v"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(readRaw(reader, "v").result, ERROR_FILE_NOT_FOUND);
    RegCloseKey(reader);
}

// Writing a key to a hive file and loading one need the backup and restore
// privileges, which a program started by an ordinary user holds disabled at
// best: both calls are refused and no file is written.
TEST_F(RegistryApi, HiveFilesNeedPrivilegesAProgramDoesNotHold) {
    HKEY key = open();
    ASSERT_EQ(writeRaw(key, "Kept", REG_SZ, "in the registry\0"s), ERROR_SUCCESS);
    const std::filesystem::path hive =
        std::filesystem::temp_directory_path() / "tarrowin-test-hive";
    std::filesystem::remove(hive);
    EXPECT_EQ(RegSaveKeyA(key, hive.string().c_str(), nullptr), ERROR_PRIVILEGE_NOT_HELD);
    // Wine makes the file before it finds the privilege missing.
    if (!runningUnderWine()) {
        EXPECT_FALSE(std::filesystem::exists(hive)) << hive.string();
    }
    EXPECT_EQ(RegLoadKeyA(HKEY_USERS, "TarrowinTestHive", hive.string().c_str()),
              ERROR_PRIVILEGE_NOT_HELD);
    HKEY loaded = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_USERS, "TarrowinTestHive", 0, KEY_READ, &loaded),
              ERROR_FILE_NOT_FOUND);
    std::filesystem::remove(hive);
}

} // namespace
