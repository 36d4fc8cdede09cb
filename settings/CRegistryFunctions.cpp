#include "CRegistryFunctions.h"

#ifndef _WIN32

#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <strings.h>
#include <unistd.h>

namespace {

std::optional<std::string_view> environmentValue(const std::string& name) {
    if (name.empty() || name.find('=') != std::string::npos) return std::nullopt;
    if (const char* value = std::getenv(name.c_str())) return value;
    for (char** entry = environ; *entry; ++entry) {
        const char* equals = std::strchr(*entry, '=');
        if (equals && static_cast<std::size_t>(equals - *entry) == name.size() &&
            ::strncasecmp(*entry, name.c_str(), name.size()) == 0)
            return equals + 1;
    }
    return std::nullopt;
}

std::string expanded(std::string_view source) {
    std::string result;
    std::size_t at = 0;
    while (at < source.size()) {
        const std::size_t open = source.find('%', at);
        if (open == std::string_view::npos) {
            result += source.substr(at);
            break;
        }
        result += source.substr(at, open - at);
        const std::size_t close = source.find('%', open + 1);
        if (close == std::string_view::npos) {
            result += source.substr(open);
            break;
        }
        const std::string name(source.substr(open + 1, close - open - 1));
        if (const auto value = environmentValue(name))
            result += *value;
        else
            result += source.substr(open, close - open + 1);
        at = close + 1;
    }
    return result;
}

} // namespace

DWORD ExpandEnvironmentStringsA(LPCSTR lpSrc, LPSTR lpDst, DWORD nSize) {
    if (!lpSrc) return 0;
    const std::string result = expanded(lpSrc);
    const auto needed = static_cast<DWORD>(result.size() + 1);
    if (lpDst && nSize >= needed) std::memcpy(lpDst, result.c_str(), needed);
    return needed;
}

void RtlMoveMemory(void* Destination, const void* Source, std::size_t Length) {
    std::memmove(Destination, Source, Length);
}

#endif
