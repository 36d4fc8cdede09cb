#include "Module1.h"

#ifdef _WIN32
#include <windows.h>

bool FileExists(const std::string& path) {
    return !path.empty() && GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}
#else
#include <sys/stat.h>

bool FileExists(const std::string& path) {
    struct stat attributes;
    return !path.empty() && ::stat(path.c_str(), &attributes) == 0;
}
#endif
