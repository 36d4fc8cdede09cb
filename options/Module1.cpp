#include "Module1.h"

#include "TextConversion.h"
#include "PlatformServices.h"

bool FileExists(const PlatformServices& services, std::u16string_view path) {
    return !path.empty() && services.fileExists(TextConversion::narrow(path));
}
