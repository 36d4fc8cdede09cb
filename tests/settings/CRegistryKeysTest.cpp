// CRegistry's key operations: opening and closing, the two ways of splitting a
// path, creating, deleting, testing and listing keys.

#include "CRegistry.h"
#include "ScratchRegistry.h"
#include "TextConversion.h"

using namespace std::string_literals;

namespace {

class CRegistryKeys : public ScratchRegistry {};

TEST_F(CRegistryKeys, OpenKeyRecordsThePathAndItsLastComponent) {
    CRegistry reg;
    ASSERT_TRUE(reg.CreateKey(path(u"Maker\\Product")));

    ASSERT_TRUE(reg.OpenKey(path(u"Maker\\Product")));
    EXPECT_EQ(reg.CurrentPath(), path(u"Maker\\Product"));
    EXPECT_EQ(reg.CurrentKey(), u"Product");

    ASSERT_TRUE(reg.OpenKey(u"HKEY_CURRENT_USER"));
    EXPECT_EQ(reg.CurrentPath(), u"HKEY_CURRENT_USER");
    EXPECT_EQ(reg.CurrentKey(), u"HKEY_CURRENT_USER");

    ASSERT_TRUE(reg.OpenKey(path(u"Maker\\Product\\")));
    EXPECT_EQ(reg.CurrentPath(), path(u"Maker\\Product\\"));
    EXPECT_EQ(reg.CurrentKey(), u"");

    EXPECT_TRUE(reg.CloseKey());
    EXPECT_EQ(reg.CurrentPath(), u"");
    EXPECT_EQ(reg.CurrentKey(), u"");
    EXPECT_FALSE(reg.CloseKey());
}

TEST_F(CRegistryKeys, AFailedOpenStillClosesThePreviousKey) {
    const std::u16string software = u"HKEY_CURRENT_USER\\Software";
    for (const std::u16string& bad : {u"\\"s + software, u"hkey_current_user\\Software"s,
                                      u"HKEY_PERFORMANCE_DATA"s, path(u"Missing"), u""s}) {
        CRegistry reg;
        ASSERT_TRUE(reg.OpenKey(base()));
        EXPECT_FALSE(reg.OpenKey(bad));
        EXPECT_EQ(reg.CurrentPath(), u"");
        EXPECT_EQ(reg.CurrentKey(), u"");
        EXPECT_FALSE(reg.CloseKey()) << "no key may be left open";
        EXPECT_FALSE(reg.WriteString(u"x", u"stray"));
    }
}

TEST_F(CRegistryKeys, CreateKeyIsTrueOnlyForAKeyItCreated) {
    CRegistry reg;
    ASSERT_TRUE(reg.OpenKey(base()));
    EXPECT_TRUE(reg.CreateKey(path(u"One\\Two\\Three")));
    EXPECT_TRUE(reg.KeyExists(path(u"One")));
    EXPECT_TRUE(reg.KeyExists(path(u"One\\Two\\Three")));
    EXPECT_FALSE(reg.CreateKey(path(u"One\\Two\\Three")));
    EXPECT_FALSE(reg.CreateKey(path(u"ONE\\two")));
    // Nothing is created for a root; Wine nevertheless reports a new key.
    EXPECT_EQ(reg.CreateKey(u"HKEY_CURRENT_USER"), runningUnderWine());
    EXPECT_EQ(reg.CurrentPath(), base()) << "CreateKey leaves the current key alone";
}

TEST_F(CRegistryKeys, UnknownRootsMakeCreateAndDeleteRelativeToTheCurrentKey) {
    CRegistry reg;
    EXPECT_FALSE(reg.CreateKey(u"Relative\\Deeper")) << "no key open: nothing to be relative to";

    ASSERT_TRUE(reg.OpenKey(base()));
    EXPECT_TRUE(reg.CreateKey(u"Relative\\Deeper"));
    EXPECT_TRUE(reg.KeyExists(path(u"Relative\\Deeper")));
    EXPECT_FALSE(reg.KeyExists(u"Relative\\Deeper")) << "KeyExists knows no relative paths";
    EXPECT_FALSE(reg.OpenKey(u"Relative")) << "nor does OpenKey";

    ASSERT_TRUE(reg.OpenKey(base()));
    // Rule B gives "\Lead" the empty root name; the platform then refuses the
    // whole text as a path that starts with a backslash.
    EXPECT_FALSE(reg.CreateKey(u"\\Lead"));
    EXPECT_TRUE(reg.DeleteKey(u"Relative\\Deeper"));
    EXPECT_FALSE(reg.KeyExists(path(u"Relative\\Deeper")));

    ASSERT_TRUE(reg.CloseKey());
    EXPECT_FALSE(reg.DeleteKey(u"Relative"));
    EXPECT_TRUE(reg.KeyExists(path(u"Relative")));
}

TEST_F(CRegistryKeys, DeleteKeyRefusesTheCurrentPathAndKeysWithSubkeys) {
    CRegistry reg;
    ASSERT_TRUE(reg.CreateKey(path(u"Leaf")));
    ASSERT_TRUE(reg.CreateKey(path(u"Parent\\Child")));

    ASSERT_TRUE(reg.OpenKey(path(u"Leaf")));
    EXPECT_FALSE(reg.DeleteKey(path(u"Leaf")));
    EXPECT_TRUE(reg.KeyExists(path(u"Leaf")));
    // The same key spelled another way is not recognised as the current one.
    EXPECT_TRUE(reg.DeleteKey(path(u"Leaf\\")));
    EXPECT_FALSE(reg.KeyExists(path(u"Leaf")));
    EXPECT_FALSE(reg.WriteString(u"x", u"orphan")) << "the open key is gone";

    EXPECT_FALSE(reg.DeleteKey(path(u"Parent")));
    EXPECT_TRUE(reg.KeyExists(path(u"Parent\\Child")));
    EXPECT_TRUE(reg.DeleteKey(path(u"Parent\\Child")));
    EXPECT_TRUE(reg.DeleteKey(path(u"Parent")));

    EXPECT_FALSE(reg.DeleteKey(path(u"Missing")));
    EXPECT_FALSE(reg.DeleteKey(u"HKEY_CURRENT_USER"));
}

TEST_F(CRegistryKeys, KeyExistsLeavesTheCurrentKeyAlone) {
    CRegistry reg;
    ASSERT_TRUE(reg.OpenKey(base()));
    EXPECT_TRUE(reg.KeyExists(u"HKEY_CURRENT_USER"));
    EXPECT_TRUE(reg.KeyExists(base()));
    EXPECT_FALSE(reg.KeyExists(path(u"Missing")));
    EXPECT_FALSE(reg.KeyExists(u"HKEY_Current_User"));
    EXPECT_EQ(reg.CurrentPath(), base());
    EXPECT_TRUE(reg.WriteString(u"still open", u"probe"));
}

TEST_F(CRegistryKeys, EnumerateKeysFillsAListIndexedFromOne) {
    CRegistry reg;
    TextList keys{u"left", u"as", u"is"};
    std::int32_t count = 42;
    EXPECT_FALSE(reg.EnumerateKeys(keys, count)) << "no key open";
    EXPECT_EQ(keys.size(), 3u);

    ASSERT_TRUE(reg.OpenKey(base()));
    EXPECT_FALSE(reg.HasSubKeys());
    EXPECT_FALSE(reg.EnumerateKeys(keys, count));
    EXPECT_TRUE(keys.empty()) << "an empty key empties the list";
    EXPECT_EQ(count, 42) << "but leaves the count";

    for (const char16_t* name : {u"b", u"_c", u"A"})
        ASSERT_TRUE(reg.CreateKey(path(name)));
    EXPECT_TRUE(reg.HasSubKeys());
    ASSERT_TRUE(reg.EnumerateKeys(keys, count));
    EXPECT_EQ(count, 3);
    // Windows orders names upper-cased, so '_' comes after the letters; Wine 8
    // compares them lower-cased and puts it first.
    if (runningUnderWine())
        EXPECT_EQ(keys, (TextList{u"", u"_c", u"A", u"b"}));
    else
        EXPECT_EQ(keys, (TextList{u"", u"A", u"b", u"_c"}));
}

TEST_F(CRegistryKeys, LongAndMultiByteKeyNamesComeBackWhole) {
    const std::u16string longest(255, u'k');
    const std::u16string wide(100, u'進'); // 300 bytes in UTF-8
    // Created relative to the test's key: Wine's "A" functions take subkey
    // paths of at most 260 characters, which the full paths would exceed.
    for (const std::u16string& name : {longest, wide}) {
        HKEY created = nullptr;
        ASSERT_EQ(RegCreateKeyExA(open(), TextConversion::narrow(name).c_str(), 0, nullptr, 0,
                                  KEY_ALL_ACCESS, nullptr, &created, nullptr),
                  ERROR_SUCCESS);
        RegCloseKey(created);
    }
    CRegistry reg;
    ASSERT_TRUE(reg.OpenKey(base()));
    TextList keys;
    std::int32_t count = 0;
    ASSERT_TRUE(reg.EnumerateKeys(keys, count));
    EXPECT_EQ(keys, (TextList{u"", longest, wide}));
    EXPECT_TRUE(reg.OpenKey(path(wide)));
    EXPECT_EQ(reg.CurrentKey(), wide);
}

} // namespace
