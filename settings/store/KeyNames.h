#pragma once
// Names as the store keeps them. Names arrive as 8-bit (UTF-8) text and are
// kept as a Windows registry keeps them: converted to UTF-16 and back, so
// that malformed bytes become U+FFFD exactly as there (TextConversion.h). They
// are compared without regard to case, the way the NT registry does it: each
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
// The 8-bit calls convert a subkey path into a buffer of MAX_PATH characters
// and its NUL; a longer path fails there, before any key is looked at.
constexpr std::size_t kMaxPathLength = 260;
// The most a counted wide string holds: a value name the 8-bit calls cannot
// even convert.
constexpr std::size_t kMaxConvertibleLength = 32766;

// The comparison form of a name as the store keeps it: each character upper-cased.
std::string folded(std::string_view name);

std::size_t utf16Length(std::string_view keptName);

enum class PathError { None, TooLong, LeadingBackslash };

// Splits a subkey path at its backslashes into names as the store keeps
// them. A null or empty path gives no components (the key itself); a
// trailing backslash and repeated backslashes add no empty components; a
// leading one is an error, as on Windows. Names too long for a key are left
// to the walk along the path, which meets them in turn.
PathError splitPath(const char* path, std::vector<std::string>& components);

} // namespace KeyNames
