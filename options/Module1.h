#pragma once
// The file-exists test as the behaviour asks it.

#include <string_view>

struct PlatformServices;

// True when something, a file or a folder, exists under the path, as the
// platform's attribute query of the path (in its 8-bit encoding) tells; false
// for an empty path and for every failure of the query.
bool FileExists(const PlatformServices& services, std::u16string_view path);
