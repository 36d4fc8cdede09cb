#include "Module1.h"

#include "PlatformServices.h"

bool FileExists(const PlatformServices& services, std::u16string_view path) {
    return !path.empty() && services.fileExists(path);
}
