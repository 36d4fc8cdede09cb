#pragma once
#include <string>

// True when something, a file or a folder, exists under the path, as the
// platform's attribute query of the path tells; false for an empty path and for
// every failure of the query. The path is in the platform's 8-bit encoding.
bool FileExists(const std::string& path);
