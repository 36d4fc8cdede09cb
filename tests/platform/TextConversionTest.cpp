// The conversion between UTF-8 and UTF-16 as Windows does it for the "A"
// functions: natively our own, under Wine the system's with UTF-8 as the
// program's code page, both held to the same table.
#include "TextConversion.h"

#include <gtest/gtest.h>

#include <string>

using namespace std::string_literals;

namespace {

std::string hex(std::string_view bytes) {
    std::string text;
    for (const unsigned char byte : bytes)
        text +=
            "\\x" + std::string(1, "0123456789ABCDEF"[byte >> 4]) + "0123456789ABCDEF"[byte & 15];
    return text;
}

TEST(TextConversion, MalformedBytesBecomeReplacementCharactersAsWindowsMakesThem) {
    constexpr char16_t R = u'\uFFFD';
    struct Case {
        std::string bytes;
        std::u16string wide;
    };
    const Case cases[] = {
        {"Ab", u"Ab"},
        {"a\0b"s, u"a\0b"s},
        {"\xC3\xA4\xE2\x82\xAC", u"ä€"},
        {"\xF0\x9F\x98\x80", u"\U0001F600"},
        {"\x80\x80", {R, R}},               // continuation bytes, each on its own
        {"\xC0\x80", {R, R}},               // a byte that never begins a character
        {"\xF8\x88\x80\x80", {R, R, R, R}}, // nor does this
        {"\xE0\x80\x80", {R, R}},           // overlong: the lead and its second byte together
        {"\xED\xA0\x80", {R, R}},           // a surrogate, alike
        {"\xF4\x90\x80\x80", {R, R, R}},    // above U+10FFFF, alike
        {"\xC3\x41", {R, u'A'}},            // no continuation: the lead alone
        {"\xE2\x82\x41", {R, u'A'}},        // cut short: the bytes it has
        {"\xF0\x9F\x41\x42", {R, u'A', u'B'}},
        {"a\xE2\x82", {u'a', R}},          // cut short by the end of the text
        {"\xE4\x41", {R}},                 // the lead needs more than is left: all of it
        {"\xF0\x9F\0"s, {R}},              // a final NUL too
        {"\xE4\x41\x42", {R, u'A', u'B'}}, // with enough left, only the lead
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TextConversion::widen(c.bytes), c.wide) << hex(c.bytes);
        EXPECT_EQ(TextConversion::wideLength(c.bytes), c.wide.size()) << hex(c.bytes);
        EXPECT_EQ(TextConversion::roundTrip(c.bytes), TextConversion::narrow(c.wide))
            << hex(c.bytes);
    }
}

TEST(TextConversion, UnpairedSurrogatesNarrowToReplacementCharacters) {
    struct Case {
        std::u16string wide;
        std::string bytes;
    };
    const Case cases[] = {
        {u"ä\0"s, "\xC3\xA4\0"s},
        {u"\U0001F600", "\xF0\x9F\x98\x80"},
        {{u'A', char16_t(0xD800)}, "A\xEF\xBF\xBD"},
        {{char16_t(0xDC00), char16_t(0xD800)}, "\xEF\xBF\xBD\xEF\xBF\xBD"},
        {{char16_t(0xD800), char16_t(0xD800), char16_t(0xDC00)}, "\xEF\xBF\xBD\xF0\x90\x80\x80"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TextConversion::narrow(c.wide), c.bytes) << hex(c.bytes);
}

} // namespace
