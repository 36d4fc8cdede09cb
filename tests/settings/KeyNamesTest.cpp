// How the store spells names that are not well-formed UTF-8: exactly as the
// comment of KeyNames::wellFormed says, both directly and as a key's name
// comes back from the registry functions.

#include "KeyNames.h"
#include "ScratchRegistry.h"

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

std::string replaced(int times) {
    std::string text;
    for (int i = 0; i < times; ++i)
        text += kReplacement;
    return text;
}

TEST(KeyNames, MalformedSequencesAreReplacedAsDescribed) {
    struct Case {
        std::string_view bytes;
        std::string expected;
    };
    const Case cases[] = {
        {"ok", "ok"},
        {"\x80", replaced(1)},                    // a lone continuation byte
        {"\x80\x80", replaced(2)},                // each on its own
        {"\xFF", replaced(1)},                    // never begins a character
        {"a\xC3", "a" + replaced(1)},             // cut short at the end
        {"\xE4\x41", replaced(1) + "A"},          // cut short before ASCII
        {"\xC0\x80", replaced(1)},                // overlong NUL
        {"\xED\xA0\x80", replaced(1)},            // a surrogate
        {"\xF4\x90\x80\x80", replaced(1)},        // above U+10FFFF
        {"\xC0\x80\x80\x80x", replaced(1) + "x"}, // with every continuation after it
        {"\xC3\xA4\xED\xA0\x80\xC3\xA4", "ä" + replaced(1) + "ä"},
    };
    for (const Case& c : cases) {
        std::string hex;
        for (const unsigned char byte : c.bytes)
            hex += "\\x" + std::string(1, "0123456789ABCDEF"[byte >> 4]) +
                   "0123456789ABCDEF"[byte & 15];
        EXPECT_EQ(KeyNames::wellFormed(c.bytes), c.expected) << hex;
    }
}

class KeyNamesInTheStore : public ScratchRegistry {};

TEST_F(KeyNamesInTheStore, AKeyNamedWithMalformedBytesIsListedAndFoundByTheReplacedName) {
    HKEY key = open();
    HKEY child = nullptr;
    ASSERT_EQ(RegCreateKeyExA(key, "x\xED\xA0\x80y", 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &child, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(child);
    const std::string spelled = "x" + replaced(1) + "y";
    EXPECT_EQ(subkeyNames(key), std::vector<std::string>{spelled});
    EXPECT_EQ(RegOpenKeyExA(key, spelled.c_str(), 0, KEY_READ, &child), ERROR_SUCCESS);
    RegCloseKey(child);
    EXPECT_EQ(RegOpenKeyExA(key, "x\xF4\x90\x80\x80y", 0, KEY_READ, &child), ERROR_SUCCESS)
        << "another malformed sequence is the same single U+FFFD";
    RegCloseKey(child);
}

} // namespace
