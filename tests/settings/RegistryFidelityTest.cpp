// Where the store must answer exactly as a real registry does: the keys every
// profile has, text written without its final NUL, which names count as the
// same, enumeration while the key changes, and names that hold a NUL. Run
// against the store natively and against Wine's advapi32 in the Windows build.

#include "CRegistry.h"
#include "ScratchRegistry.h"

#include <tuple>

using namespace std::string_literals;

namespace {

class RegistryFidelity : public ScratchRegistry {};

TEST_F(RegistryFidelity, TheKeysEveryProfileHasCanBeOpenedForReading) {
    for (const auto& [root, subkey] :
         {std::pair{HKEY_CURRENT_USER, "Software"}, std::pair{HKEY_CURRENT_USER, "Environment"},
          std::pair{HKEY_LOCAL_MACHINE, "Software"}}) {
        HKEY key = nullptr;
        EXPECT_EQ(RegOpenKeyExA(root, subkey, 0, KEY_READ, &key), ERROR_SUCCESS) << subkey;
        RegCloseKey(key);
    }
}

TEST_F(RegistryFidelity, TextWrittenWithoutItsFinalNulGetsOne) {
    HKEY key = open();
    for (const DWORD type : {REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ}) {
        const std::string name = "text" + std::to_string(type);
        // The count leaves out the NUL that follows the letters in memory.
        ASSERT_EQ(writeRaw(key, name.c_str(), type, "abc"), ERROR_SUCCESS);
        const RawValue stored = readRaw(key, name.c_str());
        EXPECT_EQ(stored.type, type);
        EXPECT_EQ(stored.bytes, "abc\0"s) << "type " << type;
    }
    ASSERT_EQ(writeRaw(key, "binary", REG_BINARY, "abc"), ERROR_SUCCESS);
    EXPECT_EQ(readRaw(key, "binary").bytes, "abc") << "only texts get a NUL";

    CRegistry reg;
    ASSERT_TRUE(reg.OpenKey(base()));
    EXPECT_EQ(reg.ReadString(u"text1"), u"abc");
    ASSERT_TRUE(reg.RenameValue(u"text1", u"renamed"));
    EXPECT_EQ(readRaw(key, "renamed").bytes, "abc\0"s);
}

// A registry keeps names and texts in UTF-16: what the 8-bit calls give back
// is what the conversion there and back makes of them, malformed bytes
// included. Other types keep their bytes.
TEST_F(RegistryFidelity, NamesAndTextsAreKeptAsTheConversionToUtf16MakesThem) {
    const std::string twice = "\xEF\xBF\xBD\xEF\xBF\xBD";
    HKEY key = open();
    ASSERT_NE(create("x\xED\xA0\x80y"), nullptr); // a surrogate's bytes
    EXPECT_EQ(subkeyNames(key), std::vector<std::string>{"x" + twice + "y"});
    HKEY found = nullptr;
    EXPECT_EQ(RegOpenKeyExA(key, "x\xC0\x80y", 0, KEY_READ, &found), ERROR_SUCCESS)
        << "another malformed pair that converts alike";
    RegCloseKey(found);
    EXPECT_EQ(RegOpenKeyExA(key, "x\xF4\x90\x80\x80y", 0, KEY_READ, &found), ERROR_FILE_NOT_FOUND)
        << "three U+FFFD are another name";

    ASSERT_EQ(writeRaw(key, "n\xE0\x80\x80", REG_SZ, "\0"s), ERROR_SUCCESS);
    EXPECT_EQ(valueNames(key), std::vector<std::string>{"n" + twice});
    const std::string cutShort = "a\xF0\x9F\0"s;
    for (const DWORD type : {REG_SZ, REG_EXPAND_SZ, REG_BINARY, REG_DWORD}) {
        ASSERT_EQ(writeRaw(key, "data", type, cutShort), ERROR_SUCCESS);
        // A sequence cut short by the end takes the final NUL with it.
        EXPECT_EQ(readRaw(key, "data").bytes,
                  type == REG_SZ || type == REG_EXPAND_SZ ? "a\xEF\xBF\xBD" : cutShort)
            << "type " << type;
    }
    ASSERT_EQ(writeRaw(key, "multi", REG_MULTI_SZ, "\x80\0\xC3\xA4\0\0"s), ERROR_SUCCESS);
    EXPECT_EQ(readRaw(key, "multi").bytes, "\xEF\xBF\xBD\0\xC3\xA4\0\0"s);
}

// Names are compared one UTF-16 unit at a time through a fixed upper-case
// table: only letters whose upper case turns back into them fold together.
TEST_F(RegistryFidelity, NamesFoldOneUnitAtATimeLikeTheRegistry) {
    const std::tuple<const char*, const char*, bool> pairs[] = {
        {"i", "I", true},
        {"\u00e4", "\u00c4", true},          // ä Ä
        {"\u00ff", "\u0178", true},          // ÿ Ÿ
        {"\u03c3", "\u03a3", true},          // σ Σ
        {"\u0444", "\u0424", true},          // ф Ф
        {"\u01c6", "\u01c4", true},          // ǆ Ǆ
        {"\u0131", "I", false},              // dotless ı
        {"\u017f", "S", false},              // long ſ
        {"\u01c5", "\u01c4", false},         // title-case ǅ
        {"\u03c2", "\u03a3", false},         // final ς
        {"\u00b5", "\u039c", false},         // micro sign µ
        {"\U00010428", "\U00010400", false}, // Deseret, outside the BMP
        {"\u00df", "SS", false},             // ß is one letter
    };
    HKEY key = open();
    for (const auto& [stored, asked, same] : pairs) {
        const std::string name = "n"s + stored;
        ASSERT_EQ(writeRaw(key, name.c_str(), REG_SZ, "x\0"s), ERROR_SUCCESS) << stored;
        const std::string other = "n"s + asked;
        EXPECT_EQ(readRaw(key, other.c_str()).result == ERROR_SUCCESS, same)
            << stored << " against " << asked;
        RegDeleteValueA(key, name.c_str());
    }
}

TEST_F(RegistryFidelity, EnumerationFollowsTheKeyAsItChanges) {
    HKEY key = open();
    for (const char* name : {"v0", "v1", "v2", "v3", "v4"})
        ASSERT_EQ(writeRaw(key, name, REG_SZ, "x\0"s), ERROR_SUCCESS);
    const auto nameAt = [&](DWORD index) {
        char name[16] = {};
        DWORD length = sizeof name;
        const LONG result =
            RegEnumValueA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr);
        return result == ERROR_SUCCESS ? std::string(name) : "error " + std::to_string(result);
    };
    EXPECT_EQ(nameAt(0), "v0");
    EXPECT_EQ(nameAt(1), "v1");
    EXPECT_EQ(nameAt(1), "v1") << "the same index again";
    ASSERT_EQ(RegDeleteValueA(key, "v0"), ERROR_SUCCESS);
    EXPECT_EQ(nameAt(2), "v3") << "indices count in the key as it is now";
    ASSERT_EQ(writeRaw(key, "v5", REG_SZ, "x\0"s), ERROR_SUCCESS);
    EXPECT_EQ(nameAt(3), "v4");
    EXPECT_EQ(nameAt(4), "v5");
    EXPECT_EQ(nameAt(5), "error " + std::to_string(ERROR_NO_MORE_ITEMS));

    for (const char* name : {"c", "a", "b"}) {
        HKEY child = create(name);
        ASSERT_NE(child, nullptr);
    }
    char name[8] = {};
    DWORD length = 1; // too short: the same index is asked again with room
    EXPECT_EQ(RegEnumKeyExA(key, 1, name, &length, nullptr, nullptr, nullptr, nullptr),
              ERROR_MORE_DATA);
    length = sizeof name;
    ASSERT_EQ(RegEnumKeyExA(key, 1, name, &length, nullptr, nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(std::string(name), "b");
    deleteTree(key, "a");
    length = sizeof name;
    ASSERT_EQ(RegEnumKeyExA(key, 1, name, &length, nullptr, nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(std::string(name), "c");
}

// The 8-bit calls would end such a name at its NUL and address another key or
// value: an ancestor for a delete, which would be lost data.
TEST_F(RegistryFidelity, NamesAndPathsWithANulAreRefused) {
    CRegistry reg;
    ASSERT_TRUE(reg.CreateKey(path(u"Key")));
    ASSERT_TRUE(reg.CreateKey(path(u"Key\\Child")));
    const std::u16string withNul = path(u"Key") + u'\0' + u"\\Child";
    EXPECT_FALSE(reg.OpenKey(withNul));
    EXPECT_FALSE(reg.KeyExists(withNul));
    EXPECT_FALSE(reg.CreateKey(path(u"Other") + u'\0'));
    EXPECT_FALSE(reg.DeleteKey(path(u"Key\\Child") + u'\0' + u"x"));
    EXPECT_TRUE(reg.KeyExists(path(u"Key\\Child"))) << "no key was deleted";
    EXPECT_FALSE(reg.KeyExists(path(u"Other")));

    ASSERT_TRUE(reg.OpenKey(path(u"Key")));
    ASSERT_TRUE(reg.WriteString(u"kept", u"Title"));
    const std::u16string valueWithNul = u"Title\0x"s;
    EXPECT_EQ(reg.ReadString(valueWithNul), u"");
    EXPECT_FALSE(reg.ValueExists(valueWithNul));
    EXPECT_FALSE(reg.WriteString(u"lost", valueWithNul));
    EXPECT_FALSE(reg.WriteInteger(1, valueWithNul));
    EXPECT_FALSE(reg.DeleteValue(valueWithNul));
    EXPECT_EQ(reg.ReadString(u"Title"), u"kept");
}

} // namespace
