#pragma once
// Names as the store keeps them. Names arrive as 8-bit (UTF-8) text; they are
// compared without regard to case, the way the NT registry does it: each
// UTF-16 unit is upper-cased on its own through a fixed table, so "Grüße" and
// "GRÜSSE" differ while "grüße" and "GRüßE" are the same name, and letters
// whose upper case does not lower back to them ("ı", "ſ", "ς") stay apart. Lengths are counted in
// UTF-16 units, which is what the registry means by characters.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace KeyNames {

// The registry's limits, in UTF-16 units.
constexpr std::size_t kMaxKeyNameLength = 255;
constexpr std::size_t kMaxValueNameLength = 16383;

// The text with every malformed UTF-8 sequence replaced by U+FFFD. A byte
// that cannot begin a character (0x80-0xBF, 0xF8-0xFF) gives one U+FFFD. A
// byte that begins one (0xC0-0xF7) but is not followed by what makes a
// character (too few continuation bytes 0x80-0xBF, an overlong form, a
// surrogate, a code point above U+10FFFF) gives one U+FFFD together with all
// the continuation bytes that follow it: "\xC0\x80", "\xED\xA0\x80" and
// "\xF4\x90\x80\x80" each become a single U+FFFD. Windows' conversion (as Wine
// has it) replaces some of these unit by unit instead, two, two and three
// U+FFFD for those three: a name made of such bytes is then spelled
// differently by the store than by a Windows registry, and may match a name
// there that it does not match here.
std::string wellFormed(std::string_view name);

// The comparison form of a well-formed name: each character upper-cased.
std::string folded(std::string_view name);

std::size_t utf16Length(std::string_view wellFormedName);

enum class PathError { None, LeadingBackslash, NameTooLong };

// Splits a subkey path at its backslashes. A null or empty path gives no
// components (the key itself); a trailing backslash and repeated backslashes
// add no empty components; a leading one is an error, as on Windows.
PathError splitPath(const char* path, std::vector<std::string>& components);

} // namespace KeyNames
