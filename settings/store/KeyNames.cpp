#include "KeyNames.h"

#include <utf8.h>

#include <clocale>
#include <cwctype>
#include <iterator>
#include <locale.h>
#include <wctype.h>

namespace KeyNames {
namespace {

// towupper_l needs a locale with full Unicode case tables; C.UTF-8 has them and
// does not depend on the user's language settings. Without it only ASCII folds.
locale_t unicodeLocale() {
    static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
    return locale;
}

char32_t upper(char32_t c) {
    if (c < 0x80) return (c >= U'a' && c <= U'z') ? c - (U'a' - U'A') : c;
    const locale_t locale = unicodeLocale();
    if (!locale) return c;
    return static_cast<char32_t>(::towupper_l(static_cast<wint_t>(c), locale));
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
