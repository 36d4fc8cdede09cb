#include "KeyNames.h"

#include "TextConversion.h"

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
    // Converted whole, as Windows does, before it is split: a sequence cut
    // short at the end of the path takes the backslashes after it with it.
    const std::string whole = TextConversion::roundTrip(path);
    if (utf16Length(whole) > kMaxPathLength) return PathError::TooLong;
    if (whole.front() == '\\') return PathError::LeadingBackslash;
    std::size_t start = 0;
    while (start < whole.size()) {
        std::size_t end = whole.find('\\', start);
        if (end == std::string::npos) end = whole.size();
        if (end > start) components.push_back(whole.substr(start, end - start));
        start = end + 1;
    }
    return PathError::None;
}

} // namespace KeyNames
