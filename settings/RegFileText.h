#pragma once
// The text of a .reg file, as the Windows registry editor writes and reads it.
//
// Written: "Windows Registry Editor Version 5.00", in UTF-16LE with its
// byte-order mark and CRLF line ends; each key as [PATH] followed by its
// values and a blank line; "name"="text" for a REG_SZ text, with \\, \", \n
// and \r escaped, @ for the default value; dword:12345678 for a REG_DWORD of
// four bytes; hex: for REG_BINARY and hex(N): for every other type (the texts
// REG_EXPAND_SZ and REG_MULTI_SZ as their UTF-16LE bytes), wrapped before the
// 80th column with a backslash and two spaces. A REG_SZ that is not one text
// with one final NUL, and a REG_DWORD of another length, are written as
// hex(1): and hex(4): so that they come back as they were.
//
// Read: that, also in UTF-8 (with or without its mark), and the older
// "REGEDIT4", whose texts are 8-bit; comments (;), blank lines, continued hex
// lines, [-PATH] to delete a key with everything below it, "name"=- to
// delete a value. Everything is checked before anything is written: the first
// line that is not as expected refuses the whole file, with its number and
// what was expected there.

#include "RegistryTree.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace RegFileText {

// The bytes of the file for the key at rootPath and the keys below it, as
// RegistryTree::read gives them.
std::string write(std::u16string_view rootPath, const std::vector<RegistryTree::Key>& tree);

// What a file asks for, one step a key or value line, in its order.
struct Step {
    enum Kind { SetKey, DeleteKey, SetValue, DeleteValue };
    Kind kind = SetKey;
    std::size_t line = 0;          // where the file asks for it, counted from 1
    std::vector<std::string> path; // the key's names below the root (SetKey, DeleteKey)
    RegistryTree::Value value;     // SetValue; the name alone for DeleteValue
};

struct Refusal {
    std::size_t line = 0; // counted from 1
    std::u16string reason;
};

struct Parsed {
    std::vector<Step> steps;
    std::optional<Refusal> refusal; // set: nothing of the file may be written
};

// Limits that a settings file never comes near; a file beyond them is
// refused at the line where it goes beyond.
inline constexpr std::size_t kMaxFileBytes = std::size_t{64} * 1024 * 1024;
inline constexpr std::size_t kMaxLineLength = 256 * 1024; // UTF-16 units
inline constexpr std::size_t kMaxSteps = 100000;          // keys and values
inline constexpr std::size_t kMaxValueBytes = 1024 * 1024;

// Reads a file meant for the key at rootPath: every key it names must be that
// key or one below it (given as HKEY_CURRENT_USER\... or HKCU\..., names in
// any case).
Parsed parse(std::string_view file, std::u16string_view rootPath);

} // namespace RegFileText
