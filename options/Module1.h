#pragma once
// Module1: the program-wide FileExists, the file test that the startup and the
// dialog's Apply make before they load a custom picture.

#include <string_view>

struct PlatformServices;

// True when something, a file or a folder, exists under the path, as the
// platform's attribute query of the path tells; false for an empty path and
// for every failure of the query.
bool FileExists(const PlatformServices& services, std::u16string_view path);
