#pragma once
// Names and numbers with a meaning for CRegistry.

#include "CRegistryFunctions.h"

#include <array>
#include <string_view>

namespace CRegistryConstants {

// Every open and every create asks for full access (0xF003F).
constexpr REGSAM kFullAccess = KEY_ALL_ACCESS;

// The root names a key path may start with, spelled exactly as here (the
// comparison is binary), in the order they are tried. rootKeys() gives the
// predefined handle of each, in the same order.
constexpr std::array<std::u16string_view, 6> kRootNames = {
    u"HKEY_CLASSES_ROOT", u"HKEY_CURRENT_USER",   u"HKEY_LOCAL_MACHINE",
    u"HKEY_USERS",        u"HKEY_CURRENT_CONFIG", u"HKEY_DYN_DATA"};

inline std::array<HKEY, 6> rootKeys() {
    return {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER,   HKEY_LOCAL_MACHINE,
            HKEY_USERS,        HKEY_CURRENT_CONFIG, HKEY_DYN_DATA};
}

constexpr char16_t kPathSeparator = u'\\';
constexpr char16_t kPercent = u'%';

// Name buffers are handed to the platform in the 8-bit code page, where one
// UTF-16 unit takes up to three bytes (a surrogate pair, two units, takes
// four). Buffers are sized for that, so that no name comes back cut short.
constexpr DWORD kMaxBytesPerUnit = 3;
constexpr DWORD kMaxKeyNameUnits = 255;
constexpr DWORD kKeyNameBufferBytes = kMaxKeyNameUnits * kMaxBytesPerUnit + 1;

constexpr std::size_t kIntegerBytes = 4;
// ExpandEnvironmentStrings gives at most 32K UTF-16 units.
constexpr std::size_t kMaxExpandedBytes = std::size_t{kMaxBytesPerUnit} * 32 * 1024;

// The 8-bit calls end every name at its first NUL, so a name or path holding
// one would address another: "...\\Key<NUL>Child" is "...\\Key" itself. Such
// names are refused before they reach the platform.
constexpr bool containsNul(std::u16string_view name) {
    return name.find(u'\0') != std::u16string_view::npos;
}

} // namespace CRegistryConstants
