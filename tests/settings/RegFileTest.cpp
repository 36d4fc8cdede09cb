// The settings as .reg files: the export's text, the round trip, what the
// import reads, what it refuses and that a refused or failed import writes
// nothing. Against the store natively and Wine's registry under Wine.
#include "RegFile.h"
#include "RegFileText.h"
#include "RegistryTree.h"
#include "ScratchRegistry.h"
#include "TextConversion.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>

#ifdef _WIN32
#include <cstdlib>
#else
#include <unistd.h>
#endif

using namespace std::string_literals;
using RegistryTree::Key;
using RegistryTree::Value;

namespace {

constexpr const char* kSettings = "Software\\Quillmoor\\Tarrowin";

std::string utf16File(std::u16string_view text) {
    std::string bytes = "\xFF\xFE";
    for (const char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

std::string shown(std::string_view bytes) {
    std::string text;
    for (const unsigned char byte : bytes)
        text += byte >= 0x20 && byte < 0x7F ? std::string(1, static_cast<char>(byte))
                                            : "\\x" + std::to_string(byte);
    return text;
}

class RegFileTest : public ScratchSettingsKey {
protected:
    // Writes the keys (paths below the settings key) and their values, in order.
    static void store(const std::vector<Key>& tree) {
        ASSERT_EQ(RegistryTree::write(HKEY_CURRENT_USER, kSettings, tree), ERROR_SUCCESS);
    }

    // The settings key as it is now; empty when it is not there.
    static std::vector<Key> stored() {
        std::vector<Key> tree;
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettings, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return tree;
        EXPECT_EQ(RegistryTree::read(key, tree), ERROR_SUCCESS);
        RegCloseKey(key);
        return tree;
    }

    static std::string exported() {
        std::string bytes;
        const RegFile::Outcome outcome = RegFile::exportBytes(bytes);
        EXPECT_EQ(outcome.status, RegFile::Status::Done) << TextConversion::narrow(outcome.message);
        return bytes;
    }

    static RegFile::Outcome imported(std::string_view file) {
        return RegFile::importBytes(file, u"test.reg");
    }
};

// Every type in the editor's spelling; values and subkeys in an order on
// which Windows and Wine agree (Wine lists values sorted by name).
TEST_F(RegFileTest, ExportWritesTheKeyAsTheRegistryEditorDoes) {
    store({
        {{},
         {
             {"", REG_SZ, "default\0"s},
             {"Big endian", REG_DWORD_BIG_ENDIAN, "\x00\x00\x00\x01"s},
             {"binary", REG_BINARY, "\x00\x01\xfe\xff"s},
             {"dword", REG_DWORD, "\x78\x56\x34\x12"s},
             {"dword of two bytes", REG_DWORD, "\x01\x02"s},
             {"empty", REG_SZ, "\0"s},
             {"expand", REG_EXPAND_SZ, "%PATH%\0"s},
             {"long", REG_BINARY, std::string(46, 'Z')},
             {"multi", REG_MULTI_SZ, "a\0\xc3\xa4\0\0"s},
             {"none", REG_NONE, ""s},
             {"quote\"back\\slash=[x]", REG_SZ, "a \"q\" \\ \r\n\xe2\x82\xac\0"s},
             {"qword", REG_QWORD, "\x01\x02\x03\x04\x05\x06\x07\x08"s},
             {"text and a NUL", REG_SZ, "a\0b\0"s},
             {"type 7fffffff", 0x7fffffff, "\x01"s},
         }},
        {{"Sub"}, {{"inner", REG_SZ, "1\0"s}}},
        {{"Sub", "Deeper"}, {}},
    });
    const std::u16string expected =
        u"Windows Registry Editor Version 5.00\r\n"
        u"\r\n"
        u"[HKEY_CURRENT_USER\\Software\\Quillmoor\\Tarrowin]\r\n"
        u"@=\"default\"\r\n"
        u"\"Big endian\"=hex(5):00,00,00,01\r\n"
        u"\"binary\"=hex:00,01,fe,ff\r\n"
        u"\"dword\"=dword:12345678\r\n"
        u"\"dword of two bytes\"=hex(4):01,02\r\n"
        u"\"empty\"=\"\"\r\n"
        u"\"expand\"=hex(2):25,00,50,00,41,00,54,00,48,00,25,00,00,00\r\n"
        u"\"long\"=hex:5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,\\\r\n"
        u"  5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a\r\n"
        u"\"multi\"=hex(7):61,00,00,00,e4,00,00,00,00,00\r\n"
        u"\"none\"=hex(0):\r\n"
        u"\"quote\\\"back\\\\slash=[x]\"=\"a \\\"q\\\" \\\\ \\r\\n€\"\r\n"
        u"\"qword\"=hex(b):01,02,03,04,05,06,07,08\r\n"
        u"\"text and a NUL\"=hex(1):61,00,00,00,62,00,00,00\r\n"
        u"\"type 7fffffff\"=hex(7fffffff):01\r\n"
        u"\r\n"
        u"[HKEY_CURRENT_USER\\Software\\Quillmoor\\Tarrowin\\Sub]\r\n"
        u"\"inner\"=\"1\"\r\n"
        u"\r\n"
        u"[HKEY_CURRENT_USER\\Software\\Quillmoor\\Tarrowin\\Sub\\Deeper]\r\n"
        u"\r\n";
    EXPECT_EQ(shown(exported()), shown(utf16File(expected)));
}

TEST_F(RegFileTest, ExportThenImportGivesEveryValueBackByteForByte) {
    const std::vector<Key> tree = {
        {{},
         {
             {"", REG_SZ, ""s},
             {"quotes \" and \"\"", REG_SZ, "\"\"\0"s},
             {"back\\slashes\\\\", REG_SZ, "C:\\Program Files\\\0"s},
             {"=", REG_SZ, "=\0"s},
             {"[section]", REG_SZ, "[x]\0"s},
             {"Gr\xc3\xbc\xc3\x9f\x65 \xe2\x82\xac \xf0\x9f\x98\x80", REG_SZ,
              "\xe9\x80\xb2\xe6\x8d\x97\0"s},
             {"empty text", REG_SZ, "\0"s},
             {"lines", REG_SZ, "one\r\ntwo\n\0"s},
             {"hundred KiB", REG_SZ, std::string(100 * 1024, 'x') + '\0'},
             {"hundred KiB of bytes", REG_BINARY, std::string(100 * 1024, '\xA5')},
             {"4 GiB - 1", REG_DWORD, "\xff\xff\xff\xff"s},
             {"odd dword", REG_DWORD, "\x01\x02\x03"s},
             {"expand", REG_EXPAND_SZ, "%TEMP%\\x\0"s},
             {"empty expand", REG_EXPAND_SZ, ""s},
             {"multi", REG_MULTI_SZ, "one\0\0three\0\0"s},
             {"big endian", REG_DWORD_BIG_ENDIAN, "\x12\x34\x56\x78"s},
             {"link", REG_LINK, "\x01\x00"s},
             {"resources", REG_RESOURCE_LIST, "\x00"s},
             {"qword", REG_QWORD, "\xff\xff\xff\xff\xff\xff\xff\xff"s},
             {"none", REG_NONE, ""s},
             {"type 12345", 0x12345, "x"s},
             {"embedded NUL", REG_SZ, "a\0b\0"s},
         }},
        {{"[odd] key = \"name\""}, {{"", REG_DWORD, "\0\0\0\0"s}}},
        {{"[odd] key = \"name\"", "\xc3\x84rger"}, {}},
        {{"second"}, {{"v", REG_BINARY, ""s}}},
    };
    store(tree);
    const std::vector<Key> before = stored();
    const std::string file = exported();
    deleteTree(HKEY_CURRENT_USER, kSettings);
    ASSERT_EQ(imported(file).status, RegFile::Status::Done);
    EXPECT_EQ(stored(), before);
    EXPECT_EQ(exported(), file) << "the same file again";
}

TEST_F(RegFileTest, ImportReadsWhatTheEditorsWrite) {
    const std::vector<Key> wanted = {
        {{}, {{"", REG_SZ, "top\0"s}, {"Title", REG_SZ, "Gr\xc3\xbc\xc3\x9f\x65\0"s}}},
        {{"Sub"},
         {{"b", REG_BINARY, "\x01\x02\x03"s},
          {"e", REG_EXPAND_SZ, "%x%\0"s},
          {"n", REG_DWORD, "\x01\x00\x00\x00"s}}},
    };
    const char16_t* body = u"\r\n; a comment\r\n"
                           u"[HKEY_CURRENT_USER\\Software\\Quillmoor\\Tarrowin\\Gone]\r\n"
                           u"\"x\"=\"y\"\r\n"
                           u"[-HKEY_CURRENT_USER\\Software\\Quillmoor\\Tarrowin\\Gone]\r\n"
                           u"[hkcu\\SOFTWARE\\quillmoor\\tarrowin]\r\n"
                           u"@=\"top\"\r\n"
                           u"  \"Title\" = \"Grüße\"  \r\n"
                           u"\"Removed\"=\"soon\"\r\n"
                           u"\"Removed\"=-\r\n"
                           u"\r\n"
                           u"[HKEY_CURRENT_USER\\Software\\Quillmoor\\Tarrowin\\Sub]\r\n"
                           u"\"b\"=hex:01,\\\r\n"
                           u"  02,03\r\n"
                           u"\"e\"=hex(2):25,00,78,00,\\\r\n"
                           u"    25,00,00,00\r\n"
                           u"\"n\"=dword:1\r\n";
    const std::string regedit4 = "REGEDIT4\n"
                                 "[HKEY_CURRENT_USER\\Software\\Quillmoor\\Tarrowin]\n"
                                 "@=\"top\"\n"
                                 "\"Title\"=\"Gr\xc3\xbc\xc3\x9f\x65\"\n"
                                 "[HKEY_CURRENT_USER\\Software\\Quillmoor\\Tarrowin\\Sub]\n"
                                 "\"b\"=hex:01,02,03\n"
                                 "\"e\"=hex(2):25,78,25,00\n"
                                 "\"n\"=dword:00000001\n";
    const std::u16string version5 = u"Windows Registry Editor Version 5.00" + std::u16string(body);
    const std::pair<const char*, std::string> files[] = {
        {"UTF-16LE", utf16File(version5)},
        {"UTF-8", TextConversion::narrow(version5)},
        {"UTF-8 with its mark", "\xEF\xBB\xBF" + TextConversion::narrow(version5)},
        {"REGEDIT4, line ends of Linux", regedit4},
    };
    for (const auto& [form, file] : files) {
        deleteTree(HKEY_CURRENT_USER, "Software\\Quillmoor");
        const RegFile::Outcome outcome = imported(file);
        EXPECT_EQ(outcome.status, RegFile::Status::Done)
            << form << ": " << TextConversion::narrow(outcome.message);
        EXPECT_EQ(stored(), wanted) << form;
    }
}

// Each file is refused whole with the line and what was wrong, and the
// settings stay as they were.
TEST_F(RegFileTest, AFileThatIsNotSettingsIsRefusedWholeAndWritesNothing) {
    store({{{}, {{"Kept", REG_SZ, "as it was\0"s}}}});
    const std::vector<Key> before = stored();
    const std::u16string header = u"Windows Registry Editor Version 5.00\r\n\r\n";
    const std::u16string key = u"[HKEY_CURRENT_USER\\Software\\Quillmoor\\Tarrowin]\r\n";
    const std::u16string good = u"\"New\"=\"written first\"\r\n";
    std::u16string millionValues = header + key;
    for (int i = 0; i < 1000000; ++i)
        millionValues += u"\"v\"=dword:00000001\r\n";
    struct Case {
        const char* what;
        std::string file;
        std::string expected; // the start of the message
    };
    const Case cases[] = {
        {"no header", utf16File(key + good), "test.reg: line 1: expected the header"},
        {"another version", utf16File(u"Windows Registry Editor Version 6.00\r\n" + key),
         "test.reg: line 1: expected the header"},
        {"an empty file", "", "test.reg: line 1: the file is empty"},
        {"UTF-16 big-endian", "\xFE\xFF"s + "\0W"s, "test.reg: line 1: UTF-16 big-endian"},
        {"a key outside", utf16File(header + key + good + u"[HKEY_CURRENT_USER\\Software]\r\n"),
         "test.reg: line 5: [HKEY_CURRENT_USER\\Software] is not the settings key"},
        {"deleting Software", utf16File(header + u"[-HKEY_CURRENT_USER\\Software]\r\n"),
         "test.reg: line 3: [-HKEY_CURRENT_USER\\Software] is not the settings key"},
        {"another root",
         utf16File(header + u"[HKEY_LOCAL_MACHINE\\Software\\Quillmoor\\Tarrowin]\r\n"),
         "test.reg: line 3: [HKEY_LOCAL_MACHINE"},
        {"the parent", utf16File(header + u"[HKEY_CURRENT_USER\\Software\\Quillmoor]\r\n"),
         "test.reg: line 3: [HKEY_CURRENT_USER\\Software\\Quillmoor] is not"},
        {"invalid hex", utf16File(header + key + good + u"\"b\"=hex:01,zz\r\n"),
         "test.reg: line 5: expected a byte in hex"},
        {"hex cut short by the end", utf16File(header + key + u"\"b\"=hex:01,\\"),
         "test.reg: line 4: the file ends inside a value"},
        {"a DWORD out of range", utf16File(header + key + u"\"d\"=dword:100000000\r\n"),
         "test.reg: line 4: expected 1 to 8 hex digits after dword:"},
        {"an unknown escape", utf16File(header + key + u"\"p\"=\"C:\\Temp\"\r\n"),
         "test.reg: line 4: unknown escape \\T"},
        {"no closing quote", utf16File(header + key + u"\"p\"=\"open\r\n"),
         "test.reg: line 4: a quoted text without its closing quote"},
        {"text after the value", utf16File(header + key + u"\"p\"=\"x\" y\r\n"),
         "test.reg: line 4: unexpected text after the value"},
        {"UTF-16 without its mark", utf16File(header + key + good).substr(2),
         "test.reg: line 1: expected the header"},
        {"UTF-16 cut short, an odd byte count", utf16File(header + key + good).substr(0, 101),
         "test.reg: line 3: the file ends in half a UTF-16 character"},
        {"a text in odd bytes", utf16File(header + key + u"\"e\"=hex(2):41\r\n"),
         "test.reg: line 4: a text of type 2 in an odd number of bytes"},
        {"a value before a key", utf16File(header + good), "test.reg: line 3: a value before"},
        {"a value after [-KEY]",
         utf16File(header + u"[-HKEY_CURRENT_USER\\Software\\Quillmoor\\Tarrowin\\X]\r\n" + good),
         "test.reg: line 4: a value after [-KEY]"},
        {"a key name too long",
         utf16File(header + u"[HKEY_CURRENT_USER\\Software\\Quillmoor\\Tarrowin\\" +
                   std::u16string(256, u'k') + u"]\r\n"),
         "test.reg: line 3: a key name of more than 255"},
        {"a NUL in a value's name", utf16File(header + key + u"\"a\0b\"=\"x\"\r\n"s),
         "test.reg: line 4: a value name with a NUL character"},
        {"a NUL in a key's name",
         utf16File(header + u"[HKEY_CURRENT_USER\\Software\\Quillmoor\\Tarrowin\\a\0b]\r\n"s),
         "test.reg: line 3: a key name with a NUL character"},
        {"a line of 1 MiB",
         utf16File(header + key + u"\"big\"=\"" + std::u16string(1024 * 1024, u'x') + u"\"\r\n"),
         "test.reg: line 4: a line of more than 262144 characters"},
        {"a million values", utf16File(millionValues),
         "test.reg: line 100003: more than 100000 keys and values"},
    };
    for (const Case& c : cases) {
        const RegFile::Outcome outcome = imported(c.file);
        EXPECT_EQ(outcome.status, RegFile::Status::NotSettings) << c.what;
        EXPECT_EQ(TextConversion::narrow(outcome.message).substr(0, c.expected.size()), c.expected)
            << c.what << ": " << TextConversion::narrow(outcome.message);
        EXPECT_EQ(stored(), before) << c.what;
    }
}

// A write that the registry refuses half-way (here: the key being written is
// deleted meanwhile, as another program might) leaves nothing of the file.
TEST_F(RegFileTest, AnImportThatFailsHalfWayLeavesTheSettingsAsTheyWere) {
    const std::string file =
        utf16File(u"Windows Registry Editor Version 5.00\r\n\r\n"
                  u"[HKEY_CURRENT_USER\\Software\\Quillmoor\\Tarrowin]\r\n"
                  u"\"Kept\"=\"overwritten\"\r\n"
                  u"\"Gone\"=-\r\n"
                  u"[HKEY_CURRENT_USER\\Software\\Quillmoor\\Tarrowin\\Sub]\r\n"
                  u"\"a\"=\"1\"\r\n"
                  u"\"b\"=\"2\"\r\n");
    const auto deleteSubkeyAtWrite = [](std::size_t when) {
        return [when](std::size_t write) {
            if (write == when) deleteTree(HKEY_CURRENT_USER, "Software\\Quillmoor\\Tarrowin\\Sub");
        };
    };
    for (const bool keyThere : {true, false}) {
        deleteTree(HKEY_CURRENT_USER, "Software\\Quillmoor");
        if (keyThere)
            store({{{}, {{"Kept", REG_SZ, "as it was\0"s}, {"Gone", REG_DWORD, "\1\0\0\0"s}}},
                   {{"Other"}, {{"x", REG_BINARY, "\x01"s}}}});
        const std::vector<Key> before = stored();
        // Writes: the settings key and a handle of its own, Kept, Gone, Sub, a, b.
        const RegFile::Outcome outcome =
            RegFile::importBytes(file, u"test.reg", deleteSubkeyAtWrite(5));
        EXPECT_EQ(outcome.status, RegFile::Status::CannotReadOrWrite) << keyThere;
        EXPECT_EQ(TextConversion::narrow(outcome.message),
                  "test.reg: line 7: the settings cannot be written: a key was deleted meanwhile; "
                  "nothing of the file was imported");
        EXPECT_EQ(stored(), before) << keyThere;
        HKEY parent = nullptr;
        EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Quillmoor", 0, KEY_READ, &parent),
                  keyThere ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND)
            << "a key the import made is gone again";
        RegCloseKey(parent);
    }
}

#ifdef _WIN32
std::u16string temporaryFolder() {
    const char* folder = std::getenv("TEMP");
    return TextConversion::widen(folder ? folder : ".");
}
#else
std::u16string temporaryFolder() {
    return TextConversion::widen(makeTemporaryFolder("tarrowin-regfile"));
}
#endif

std::string contents(const std::u16string& path) {
    std::ifstream in(TextConversion::narrow(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST_F(RegFileTest, FilesAreReadAndReplacedWholeAndFailuresSayWhy) {
    const std::u16string folder = temporaryFolder();
    const std::u16string file = folder + u"/settings.reg";
    EXPECT_EQ(RegFile::exportSettings(file).status, RegFile::Status::CannotReadOrWrite)
        << "no settings yet";

    store({{{}, {{"Title", REG_SZ, "first\0"s}}}});
    {
        std::ofstream old(TextConversion::narrow(file), std::ios::binary);
        old << "an older file, longer than the export that replaces it, ..........................";
    }
    ASSERT_EQ(RegFile::exportSettings(file).status, RegFile::Status::Done);
    const std::string first = contents(file);
    EXPECT_EQ(first, exported()) << "replaced whole";

#ifndef _WIN32
    // A link waiting at the temporary name, as in a shared folder, is passed by.
    const std::string victim = TextConversion::narrow(folder) + "/victim";
    const std::string trap = TextConversion::narrow(file) + ".tmp-" + std::to_string(::getpid());
    std::ofstream(victim) << "not the export's";
    ASSERT_EQ(::symlink(victim.c_str(), trap.c_str()), 0);
    ASSERT_EQ(RegFile::exportSettings(file).status, RegFile::Status::Done);
    EXPECT_EQ(contents(file), first);
    EXPECT_EQ(contents(TextConversion::widen(victim)), "not the export's");
    std::remove(trap.c_str());
    std::remove(victim.c_str());
#endif

    const RegFile::Outcome missingFolder = RegFile::exportSettings(folder + u"/missing/x.reg");
    EXPECT_EQ(missingFolder.status, RegFile::Status::CannotReadOrWrite);
    EXPECT_EQ(TextConversion::narrow(missingFolder.message).rfind("cannot write ", 0), 0u)
        << TextConversion::narrow(missingFolder.message);

    store({{{}, {{"Title", REG_SZ, "second\0"s}}}});
    ASSERT_EQ(RegFile::importSettings(file).status, RegFile::Status::Done);
    EXPECT_EQ(stored(), (std::vector<Key>{{{}, {{"Title", REG_SZ, "first\0"s}}}}));

    const RegFile::Outcome missingFile = RegFile::importSettings(folder + u"/none.reg");
    EXPECT_EQ(missingFile.status, RegFile::Status::CannotReadOrWrite);
    EXPECT_EQ(TextConversion::narrow(missingFile.message).rfind("cannot read ", 0), 0u)
        << TextConversion::narrow(missingFile.message);

    std::remove(TextConversion::narrow(file).c_str());
#ifndef _WIN32
    EXPECT_EQ(std::remove(TextConversion::narrow(folder).c_str()), 0)
        << "no temporary file is left beside the export";
#endif
}

} // namespace
