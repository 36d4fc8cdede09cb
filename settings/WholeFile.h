#pragma once
// Reading a file whole, and replacing one whole or not at all, saying what
// the system said when it cannot. "-" stands for standard input or output.
// Plain C++ over the system's own calls: no std::filesystem, which would make
// tarrowin.exe much larger.

#include <cstddef>
#include <string>
#include <string_view>

namespace WholeFile {

inline constexpr std::u16string_view kStandardStream = u"-";

// Reads at most limit bytes, and one more when the file goes on, so that the
// caller can tell it is longer.
bool read(const std::u16string& path, std::size_t limit, std::string& bytes,
          std::u16string& reason);

// Writes a new file beside path, flushes it to disk and renames it over
// path: whoever looks at path finds the old file or the new one, whole.
bool replace(const std::u16string& path, std::string_view bytes, std::u16string& reason);

} // namespace WholeFile
