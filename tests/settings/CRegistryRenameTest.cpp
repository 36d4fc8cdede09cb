// CRegistry::RenameKey with its copy of values and subtree, and the hive-file
// operations that do nothing.

#include "CRegistry.h"
#include "ScratchRegistry.h"

using namespace std::string_literals;

namespace {

class CRegistryRename : public ScratchRegistry {
protected:
    // A key "Old" with a value of every kind and two levels of subkeys.
    void fillOldKey() {
        HKEY old = create("Old");
        ASSERT_EQ(writeRaw(old, "text", REG_SZ, "hello\0"s), ERROR_SUCCESS);
        ASSERT_EQ(writeRaw(old, "path", REG_EXPAND_SZ, "%TARROWIN_HOME%\\bin\0"s), ERROR_SUCCESS);
        ASSERT_EQ(writeRaw(old, "number", REG_DWORD, "\x2a\0\0\0"s), ERROR_SUCCESS);
        ASSERT_EQ(writeRaw(old, "big", REG_DWORD_BIG_ENDIAN, "\1\2\3\4"), ERROR_SUCCESS);
        ASSERT_EQ(writeRaw(old, "bytes", REG_BINARY, "\0\xff"s), ERROR_SUCCESS);
        ASSERT_EQ(writeRaw(old, "list", REG_MULTI_SZ, "a\0b\0\0"s), ERROR_SUCCESS);
        ASSERT_EQ(writeRaw(old, "wide", REG_QWORD, "\1\0\0\0\0\0\0\0"s), ERROR_SUCCESS);
        ASSERT_EQ(writeRaw(old, "nothing", REG_NONE, ""), ERROR_SUCCESS);
        ASSERT_EQ(writeRaw(create("Old\\Child"), "v", REG_SZ, "1\0"s), ERROR_SUCCESS);
        ASSERT_EQ(writeRaw(create("Old\\Child\\Grandchild"), "g", REG_DWORD, "\2\0\0\0"s),
                  ERROR_SUCCESS);
        create("Old\\Sibling");
    }

    void expectCopied(const std::string& key) {
        HKEY copy = open(key);
        ASSERT_NE(copy, nullptr);
        struct Expected {
            const char* name;
            DWORD type;
            std::string bytes;
        };
        for (const Expected& e :
             {Expected{"text", REG_SZ, "hello\0"s},
              Expected{"path", REG_EXPAND_SZ, "%TARROWIN_HOME%\\bin\0"s},
              Expected{"number", REG_DWORD, "\x2a\0\0\0"s},
              Expected{"big", REG_DWORD_BIG_ENDIAN, "\1\2\3\4"},
              Expected{"bytes", REG_BINARY, "\0\xff"s}, Expected{"list", REG_SZ, "a\0b\0\0"s},
              Expected{"wide", REG_BINARY, "\1\0\0\0\0\0\0\0"s}}) {
            const RawValue value = readRaw(copy, e.name);
            EXPECT_EQ(value.result, ERROR_SUCCESS) << e.name;
            EXPECT_EQ(value.type, e.type) << e.name;
            EXPECT_EQ(value.bytes, e.bytes) << e.name;
        }
        EXPECT_EQ(readRaw(copy, "nothing").result, ERROR_FILE_NOT_FOUND)
            << "a value of unknown type without data is not copied";
        EXPECT_EQ(readRaw(open(key + "\\Child"), "v").bytes, "1\0"s);
        EXPECT_EQ(readRaw(open(key + "\\Child\\Grandchild"), "g").bytes, "\2\0\0\0"s);
        EXPECT_NE(open(key + "\\Sibling"), nullptr);
    }
};

TEST_F(CRegistryRename, AKeyWithSubkeysIsCopiedButTheOldOneStays) {
    fillOldKey();
    CRegistry reg;
    ASSERT_TRUE(reg.OpenKey(path(u"Old")));
    // The platform will not delete a key that has subkeys: the copy is
    // complete, the old key remains, and the result says so.
    EXPECT_FALSE(reg.RenameKey(u"New"));
    EXPECT_EQ(reg.CurrentPath(), path(u"New"));
    EXPECT_EQ(reg.CurrentKey(), u"New");
    expectCopied("New");
    EXPECT_TRUE(reg.KeyExists(path(u"Old\\Child\\Grandchild")));
}

TEST_F(CRegistryRename, ALeafKeyIsRenamedAndStaysOpen) {
    HKEY old = create("Old");
    ASSERT_EQ(writeRaw(old, "keep", REG_SZ, "me\0"s), ERROR_SUCCESS);
    CRegistry reg;
    ASSERT_TRUE(reg.OpenKey(path(u"Old")));
    EXPECT_TRUE(reg.RenameKey(u"Renamed"));
    EXPECT_FALSE(reg.KeyExists(path(u"Old")));
    EXPECT_EQ(reg.CurrentPath(), path(u"Renamed"));
    EXPECT_EQ(reg.ReadString(u"keep"), u"me");
}

TEST_F(CRegistryRename, RenameKeyRefusals) {
    CRegistry reg;
    EXPECT_FALSE(reg.RenameKey(u"Anything")) << "no key open";
    ASSERT_TRUE(reg.OpenKey(u"HKEY_CURRENT_USER"));
    EXPECT_FALSE(reg.RenameKey(u"Anything"));

    ASSERT_TRUE(reg.CreateKey(path(u"Old")));
    ASSERT_TRUE(reg.CreateKey(path(u"Taken")));
    ASSERT_TRUE(reg.OpenKey(path(u"Old")));
    ASSERT_TRUE(reg.WriteString(u"v", u"value"));
    EXPECT_FALSE(reg.RenameKey(u"taken"));
    EXPECT_EQ(reg.CurrentPath(), path(u"Old"));
    EXPECT_FALSE(reg.ValueExists(u"missing"));
    EXPECT_TRUE(reg.ValueExists(u"value"));

    // With no last component the new key would be a child of the key itself.
    ASSERT_TRUE(reg.OpenKey(path(u"Old\\")));
    EXPECT_FALSE(reg.RenameKey(u"Inner"));
    ASSERT_TRUE(reg.OpenKey(path(u"Old")));
    EXPECT_FALSE(reg.RenameKey(u"Old\\Inner")) << "a new name is one component";
    EXPECT_FALSE(reg.HasSubKeys()) << "nothing was copied";
}

TEST_F(CRegistryRename, HiveFileOperationsDoNothing) {
    CRegistry reg;
    for (int open = 0; open < 2; ++open) {
        if (open) {
            ASSERT_TRUE(reg.OpenKey(base()));
        }
        const std::u16string before = reg.CurrentPath();
        EXPECT_FALSE(reg.SaveKey());
        EXPECT_FALSE(reg.LoadKey());
        EXPECT_FALSE(reg.UnLoadKey());
        EXPECT_FALSE(reg.RestoreKey());
        EXPECT_FALSE(reg.ReplaceKey());
        EXPECT_EQ(reg.FindKey(), Variant());
        EXPECT_EQ(reg.FindValue(), Variant());
        EXPECT_EQ(reg.CurrentPath(), before);
    }
    EXPECT_TRUE(reg.WriteString(u"still open", u"probe"));
}

} // namespace
