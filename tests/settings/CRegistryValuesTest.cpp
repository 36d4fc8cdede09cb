// CRegistry's value operations: what each write stores, what each read makes
// of every kind of stored value, listing, deleting and renaming values.

#include "CRegistry.h"
#include "ScratchRegistry.h"
#include "TextConversion.h"

using namespace std::string_literals;

namespace {

class CRegistryValues : public ScratchRegistry {
protected:
    void SetUp() override {
        ScratchRegistry::SetUp();
        ASSERT_TRUE(reg.OpenKey(base()));
        raw = open();
    }

    CRegistry reg;
    HKEY raw = nullptr;
};

TEST_F(CRegistryValues, WriteStringStoresTheTextAndOneNul) {
    ASSERT_TRUE(reg.WriteString(u"abc", u"Three"));
    const RawValue stored = readRaw(raw, "Three");
    EXPECT_EQ(stored.type, REG_SZ);
    EXPECT_EQ(stored.bytes, "abc\0"s);
    CRegistry::ValueType kind{};
    std::int32_t size = 0;
    ASSERT_TRUE(reg.GetValueInfo(u"three", kind, size));
    EXPECT_EQ(kind, CRegistry::StringValue);
    EXPECT_EQ(size, 3);
    EXPECT_EQ(reg.ReadString(u"Three"), u"abc");

    // An empty text is kept as one NUL, so it reads back as present.
    ASSERT_TRUE(reg.WriteString(u"", u"Empty"));
    EXPECT_EQ(readRaw(raw, "Empty").bytes, "\0\0"s);
    ASSERT_TRUE(reg.GetValueInfo(u"Empty", kind, size));
    EXPECT_EQ(size, 1);
    EXPECT_EQ(reg.ReadString(u"Empty"), u"\0"s);

    ASSERT_TRUE(reg.WriteString(u"unnamed"));
    EXPECT_EQ(readRaw(raw, "").bytes, "unnamed\0"s);
    EXPECT_EQ(reg.ReadString(), u"unnamed");
}

TEST_F(CRegistryValues, MultiByteTextIsStoredWhole) {
#ifdef _WIN32
    ASSERT_EQ(GetACP(), 65001u) << "the test program's manifest selects UTF-8";
#endif
    const std::u16string title = u"Grüße — 進捗";
    ASSERT_TRUE(reg.WriteString(title, u"Title"));
    const std::string encoded = TextConversion::narrow(title);
    EXPECT_EQ(readRaw(raw, "Title").bytes, encoded + '\0');
    EXPECT_EQ(reg.ReadString(u"Title"), title);

    ASSERT_TRUE(reg.WriteString(u"x", u"Größe"));
    EXPECT_TRUE(reg.ValueExists(u"GRÖßE")) << "names ignore case beyond ASCII too";
}

TEST_F(CRegistryValues, KindsAndSizesOfStoredValues) {
    struct Case {
        const char* name;
        DWORD type;
        std::string bytes;
        CRegistry::ValueType kind;
        std::int32_t size;
        bool exists;
    };
    const Case cases[] = {
        {"sz0", REG_SZ, "", CRegistry::StringValue, -1, true},
        {"sz1", REG_SZ, "\0"s, CRegistry::StringValue, 1, true},
        {"expand1", REG_EXPAND_SZ, "\0"s, CRegistry::EnvironmentStringValue, 0, true},
        {"multi", REG_MULTI_SZ, "a\0bc\0\0"s, CRegistry::StringValue, 5, true},
        {"dword", REG_DWORD, "\1\0\0\0"s, CRegistry::IntegerValue, 4, true},
        {"big", REG_DWORD_BIG_ENDIAN, "\0\0\0\1"s, CRegistry::BigEndianValue, 4, true},
        {"bin0", REG_BINARY, "", CRegistry::BinaryValue, 0, true},
        {"link", REG_LINK, "ab", CRegistry::BinaryValue, 2, true},
        {"resources", REG_RESOURCE_LIST, "xyz", CRegistry::BinaryValue, 3, true},
        {"none0", REG_NONE, "", CRegistry::UnknownValue, 0, false},
        {"none3", REG_NONE, "abc", CRegistry::UnknownValue, 3, true},
        {"qword", REG_QWORD, "\1\2\3\4\5\6\7\10", CRegistry::UnknownValue, 8, true},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(writeRaw(raw, c.name, c.type, c.bytes), ERROR_SUCCESS) << c.name;
        CRegistry::ValueType kind{};
        std::int32_t size = 99;
        EXPECT_EQ(reg.GetValueInfo(TextConversion::widen(c.name), kind, size), c.exists) << c.name;
        EXPECT_EQ(kind, c.kind) << c.name;
        EXPECT_EQ(size, c.size) << c.name;
        EXPECT_EQ(reg.ValueExists(TextConversion::widen(c.name)), c.exists) << c.name;
    }
    CRegistry::ValueType kind = CRegistry::BinaryValue;
    std::int32_t size = 99;
    EXPECT_FALSE(reg.GetValueInfo(u"missing", kind, size));
    EXPECT_EQ(kind, CRegistry::UnknownValue);
    EXPECT_EQ(size, 0);

    EXPECT_EQ(reg.ReadString(u"sz0"), u"");
    EXPECT_EQ(reg.ReadString(u"sz1"), u"\0"s);
    EXPECT_EQ(reg.ReadString(u"expand1"), u"");
    EXPECT_EQ(reg.ReadEnviromentString(u"expand1"), u"");
    EXPECT_EQ(reg.ReadString(u"multi"), u"a\0bc\0"s);
    EXPECT_EQ(reg.ReadString(u"none3"), u"abc") << "other kinds read as their bytes";
    EXPECT_EQ(reg.ReadBinary(u"sz1"), Variant(ByteArray{0, {0}}));
    EXPECT_EQ(reg.ReadBinary(u"link"), Variant(ByteArray{0, {'a', 'b'}}));
    EXPECT_EQ(reg.ReadBinary(u"bin0"), Variant()) << "no bytes read as nothing";
    EXPECT_EQ(reg.ReadBinary(u"multi"), Variant()) << "a text is one byte short to read";
    EXPECT_EQ(reg.ReadInteger(u"multi"), 0);
    // A value longer than an integer: the read stays inside the integer.
    EXPECT_EQ(reg.ReadInteger(u"qword"), 0x04030201);
}

TEST_F(CRegistryValues, IntegersAreStoredLittleOrBigEndian) {
    ASSERT_TRUE(reg.WriteInteger(1, u"little"));
    EXPECT_EQ(readRaw(raw, "little").type, REG_DWORD);
    EXPECT_EQ(readRaw(raw, "little").bytes, "\1\0\0\0"s);
    EXPECT_EQ(reg.ReadInteger(u"little"), 1);

    ASSERT_TRUE(reg.WriteBigEndian(1, u"big"));
    EXPECT_EQ(readRaw(raw, "big").type, REG_DWORD_BIG_ENDIAN);
    EXPECT_EQ(readRaw(raw, "big").bytes, "\0\0\0\1"s);
    EXPECT_EQ(reg.ReadBigEndian(u"big"), 1);
    EXPECT_EQ(reg.ReadInteger(u"big"), 16777216);

    ASSERT_TRUE(reg.WriteInteger(-2, u"negative"));
    EXPECT_EQ(reg.ReadInteger(u"negative"), -2);
    ASSERT_TRUE(reg.WriteBigEndian(0x12345678, u"pattern"));
    EXPECT_EQ(reg.ReadBigEndian(u"pattern"), 0x12345678);

    ASSERT_TRUE(reg.WriteInteger(5, u"after"));
    EXPECT_EQ(readRaw(raw, "after").type, REG_DWORD) << "the big-endian type lasts one write";

    ASSERT_EQ(writeRaw(raw, "short", REG_BINARY, "\x34\x12"), ERROR_SUCCESS);
    EXPECT_EQ(reg.ReadInteger(u"short"), 0x1234);
    EXPECT_EQ(reg.ReadInteger(u"missing"), 0);
}

TEST_F(CRegistryValues, WriteBinaryTakesOnlyByteArraysFromIndexZero) {
    ASSERT_TRUE(reg.WriteBinary(ByteArray{0, {1, 2, 3}}, u"bytes"));
    EXPECT_EQ(readRaw(raw, "bytes").type, REG_BINARY);
    EXPECT_EQ(readRaw(raw, "bytes").bytes, "\1\2\3");
    EXPECT_EQ(reg.ReadBinary(u"bytes"), Variant(ByteArray{0, {1, 2, 3}}));

    EXPECT_FALSE(reg.WriteBinary(u"text"s, u"text"));
    EXPECT_FALSE(reg.WriteBinary(Variant(), u"nothing"));
    EXPECT_FALSE(reg.WriteBinary(ByteArray{1, {1, 2}}, u"offset"));
    for (const char16_t* name : {u"text", u"nothing", u"offset"})
        EXPECT_FALSE(reg.ValueExists(name)) << "nothing is written";
}

TEST_F(CRegistryValues, EnvironmentStringsAreWrappedInPercentSigns) {
    struct Case {
        const char16_t* data;
        const char* stored;
    };
    for (const Case& c : {Case{u"TARROWIN_TEST_DIR", "%TARROWIN_TEST_DIR%"}, Case{u"", "%%"},
                          Case{u"%A%", "%A%"}, Case{u"%half", "%%half%"}}) {
        ASSERT_TRUE(reg.WriteEnvironmentString(c.data, u"env"));
        const RawValue value = readRaw(raw, "env");
        EXPECT_EQ(value.type, REG_EXPAND_SZ) << c.stored;
        EXPECT_EQ(value.bytes, c.stored + "\0"s);
        ASSERT_TRUE(reg.WriteString(u"plain", u"after"));
        EXPECT_EQ(readRaw(raw, "after").type, REG_SZ) << "the expandable type lasts one write";
    }
}

TEST_F(CRegistryValues, ReadEnviromentStringExpandsOnlyWrappedTexts) {
    setProcessVariable("TARROWIN_TEST_DIR", "/opt/trw");
    ASSERT_TRUE(reg.WriteEnvironmentString(u"TARROWIN_TEST_DIR", u"dir"));
    EXPECT_EQ(reg.ReadEnviromentString(u"dir"), u"/opt/trw");
    EXPECT_EQ(reg.ReadString(u"dir"), u"%TARROWIN_TEST_DIR%") << "ReadString does not expand";

    ASSERT_TRUE(
        reg.WriteEnvironmentString(u"%TARROWIN_TEST_DIR%;%TARROWIN_UNSET_VARIABLE%", u"two"));
    EXPECT_EQ(reg.ReadEnviromentString(u"two"), u"/opt/trw;%TARROWIN_UNSET_VARIABLE%");

    ASSERT_TRUE(reg.WriteString(u"TARROWIN_TEST_DIR%", u"unwrapped"));
    EXPECT_EQ(reg.ReadEnviromentString(u"unwrapped"), u"");
    ASSERT_TRUE(reg.WriteString(u"%", u"lone"));
    EXPECT_EQ(reg.ReadEnviromentString(u"lone"), u"%");
    EXPECT_EQ(reg.ReadEnviromentString(u"missing"), u"");
}

// Non-ASCII text takes more bytes than UTF-16 units, which is what Windows
// counts the expanded size in: nothing may be cut from such a text.
TEST_F(CRegistryValues, ReadEnviromentStringKeepsNonAsciiTextWhole) {
    setProcessVariable("TARROWIN_TEST_PLACE", "Zürich — 東京 🌍");
    ASSERT_TRUE(reg.WriteEnvironmentString(u"TARROWIN_TEST_PLACE", u"place"));
    EXPECT_EQ(reg.ReadEnviromentString(u"place"), u"Zürich — 東京 🌍");
    ASSERT_TRUE(reg.WriteString(u"%é%", u"unset"));
    EXPECT_EQ(reg.ReadEnviromentString(u"unset"), u"%é%");
    ASSERT_TRUE(reg.WriteString(u"%ÄÖÜ%;%TARROWIN_TEST_PLACE%", u"both"));
    EXPECT_EQ(reg.ReadEnviromentString(u"both"), u"%ÄÖÜ%;Zürich — 東京 🌍");
}

TEST_F(CRegistryValues, EnumerateValuesListsNamesFromOne) {
    TextList names{u"kept"};
    std::int32_t count = 7;
    EXPECT_FALSE(reg.EnumerateValues(names, count));
    EXPECT_EQ(names, TextList{u"kept"}) << "an empty key leaves the list as it was";
    EXPECT_EQ(count, 7);

    const std::u16string wide(100, u'名'); // 300 bytes in UTF-8
    for (const std::u16string& name : {u"Zeta"s, u"alpha"s, wide, u"Mid"s})
        ASSERT_TRUE(reg.WriteString(u"v", name));
    ASSERT_TRUE(reg.EnumerateValues(names, count));
    EXPECT_EQ(count, 4);
    if (runningUnderWine()) // Wine 8 keeps values sorted by name; Windows keeps creation order.
        EXPECT_EQ(names, (TextList{u"", u"alpha", u"Mid", u"Zeta", wide}));
    else
        EXPECT_EQ(names, (TextList{u"", u"Zeta", u"alpha", wide, u"Mid"}));
}

TEST_F(CRegistryValues, DeleteValue) {
    ASSERT_TRUE(reg.WriteInteger(3, u"doomed"));
    EXPECT_TRUE(reg.DeleteValue(u"DOOMED"));
    EXPECT_FALSE(reg.ValueExists(u"doomed"));
    EXPECT_FALSE(reg.DeleteValue(u"doomed"));
}

TEST_F(CRegistryValues, RenameValueKeepsDataAndType) {
    struct Case {
        const char* from;
        const char* to;
        DWORD type;
        std::string bytes;
        DWORD renamedType;
    };
    const Case cases[] = {
        {"s", "s2", REG_SZ, "text\0"s, REG_SZ},
        {"e", "e2", REG_EXPAND_SZ, "%HOME%\\bin\0"s, REG_EXPAND_SZ},
        {"i", "i2", REG_DWORD, "\1\2\3\4", REG_DWORD},
        {"b", "b2", REG_DWORD_BIG_ENDIAN, "\1\2\3\4", REG_DWORD_BIG_ENDIAN},
        {"x", "x2", REG_BINARY, "\0\xff\x10"s, REG_BINARY},
        {"m", "m2", REG_MULTI_SZ, "a\0b\0\0"s, REG_SZ},
        {"l", "l2", REG_LINK, "lnk", REG_BINARY},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(writeRaw(raw, c.from, c.type, c.bytes), ERROR_SUCCESS);
        EXPECT_TRUE(reg.RenameValue(TextConversion::widen(c.from), TextConversion::widen(c.to)))
            << c.from;
        EXPECT_EQ(readRaw(raw, c.from).result, ERROR_FILE_NOT_FOUND) << c.from;
        const RawValue renamed = readRaw(raw, c.to);
        EXPECT_EQ(renamed.type, c.renamedType) << c.from;
        EXPECT_EQ(renamed.bytes, c.bytes) << c.from;
    }
    ASSERT_TRUE(reg.WriteString(u"plain", u"after"));
    EXPECT_EQ(readRaw(raw, "after").type, REG_SZ);
    ASSERT_TRUE(reg.WriteInteger(1, u"after2"));
    EXPECT_EQ(readRaw(raw, "after2").type, REG_DWORD);
}

TEST_F(CRegistryValues, RenameValueRefusesMissingSourcesTakenNamesUnknownKindsAndFailedWrites) {
    ASSERT_TRUE(reg.WriteString(u"one", u"first"));
    ASSERT_TRUE(reg.WriteString(u"two", u"second"));
    EXPECT_FALSE(reg.RenameValue(u"first", u"SECOND"));
    EXPECT_FALSE(reg.RenameValue(u"missing", u"third"));
    EXPECT_EQ(reg.ReadString(u"first"), u"one");
    EXPECT_EQ(reg.ReadString(u"second"), u"two");
    EXPECT_FALSE(reg.ValueExists(u"third"));

    ASSERT_EQ(writeRaw(raw, "odd", REG_QWORD, "12345678"), ERROR_SUCCESS);
    EXPECT_FALSE(reg.RenameValue(u"odd", u"even"));
    EXPECT_TRUE(reg.ValueExists(u"odd"));
    EXPECT_FALSE(reg.ValueExists(u"even"));

    // A name longer than the registry allows a value: the copy cannot be
    // written, so nothing was renamed.
    EXPECT_FALSE(reg.RenameValue(u"first", std::u16string(16384, u'n')));
    EXPECT_EQ(reg.ReadString(u"first"), u"one");
}

TEST_F(CRegistryValues, WithNoKeyOpenEverythingIsEmpty) {
    ASSERT_TRUE(reg.WriteString(u"x", u"present"));
    CRegistry none;
    CRegistry::ValueType kind = CRegistry::BinaryValue;
    std::int32_t size = 5;
    EXPECT_FALSE(none.GetValueInfo(u"present", kind, size));
    EXPECT_EQ(kind, CRegistry::BinaryValue);
    EXPECT_EQ(size, 5);
    EXPECT_FALSE(none.ValueExists(u"present"));
    EXPECT_FALSE(none.DeleteValue(u"present"));
    EXPECT_EQ(none.ReadString(u"present"), u"");
    EXPECT_EQ(none.ReadEnviromentString(u"present"), u"");
    EXPECT_EQ(none.ReadInteger(u"present"), 0);
    EXPECT_EQ(none.ReadBigEndian(u"present"), 0);
    EXPECT_EQ(none.ReadBinary(u"present"), Variant());
    EXPECT_FALSE(none.WriteString(u"", u"w"));
    EXPECT_FALSE(none.WriteEnvironmentString(u"A", u"w"));
    EXPECT_FALSE(none.WriteInteger(1, u"w"));
    EXPECT_FALSE(none.WriteBigEndian(1, u"w"));
    EXPECT_FALSE(none.WriteBinary(ByteArray{0, {1}}, u"w"));
    EXPECT_FALSE(none.RenameValue(u"present", u"w"));
    TextList names{u"kept"};
    std::int32_t count = 1;
    EXPECT_FALSE(none.EnumerateValues(names, count));
    EXPECT_EQ(names, TextList{u"kept"});
    EXPECT_FALSE(reg.ValueExists(u"w"));
}

} // namespace
