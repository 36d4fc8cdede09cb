#include "KeyNames.h"

#include <utf8.h>

#include <algorithm>
#include <iterator>

namespace KeyNames {
namespace {

struct CaseMapping {
    char16_t unit;
    char16_t upper;
};

// A fixed table rather than the C library's, so that names match or differ
// alike on every machine and under Windows: see CaseTableGenerator.cpp.
constexpr CaseMapping kUpperCase[] = {
#include "CaseTable.inc"
};

char32_t upper(char32_t c) {
    if (c < 0x80) return (c >= U'a' && c <= U'z') ? c - (U'a' - U'A') : c;
    const auto found = std::lower_bound(
        std::begin(kUpperCase), std::end(kUpperCase), c,
        [](const CaseMapping& mapping, char32_t unit) { return mapping.unit < unit; });
    return found != std::end(kUpperCase) && found->unit == c ? found->upper : c;
}

} // namespace

std::string wellFormed(std::string_view name) {
    if (utf8::is_valid(name.begin(), name.end())) return std::string(name);
    std::string result;
    utf8::replace_invalid(name.begin(), name.end(), std::back_inserter(result));
    return result;
}

std::string folded(std::string_view name) {
    std::string result;
    result.reserve(name.size());
    for (auto it = name.begin(); it != name.end();)
        utf8::append(upper(utf8::next(it, name.end())), std::back_inserter(result));
    return result;
}

std::size_t utf16Length(std::string_view name) {
    std::size_t length = 0;
    for (auto it = name.begin(); it != name.end();)
        length += utf8::next(it, name.end()) > 0xFFFF ? 2 : 1;
    return length;
}

PathError splitPath(const char* path, std::vector<std::string>& components) {
    components.clear();
    if (!path || !*path) return PathError::None;
    if (*path == '\\') return PathError::LeadingBackslash;
    const std::string_view whole(path);
    std::size_t start = 0;
    while (start < whole.size()) {
        std::size_t end = whole.find('\\', start);
        if (end == std::string_view::npos) end = whole.size();
        if (end > start) {
            std::string name = wellFormed(whole.substr(start, end - start));
            if (utf16Length(name) > kMaxKeyNameLength) return PathError::NameTooLong;
            components.push_back(std::move(name));
        }
        start = end + 1;
    }
    return PathError::None;
}

} // namespace KeyNames
