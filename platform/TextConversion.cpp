#include "TextConversion.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <iterator>
#include <utf8.h>
#endif

namespace TextConversion {

#ifdef _WIN32

std::string narrow(std::u16string_view text) {
    if (text.empty()) return {};
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int length = static_cast<int>(text.size());
    const int size = WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, length, result.data(), size, nullptr, nullptr);
    return result;
}

std::u16string widen(std::string_view bytes) {
    if (bytes.empty()) return {};
    const int length = static_cast<int>(bytes.size());
    const int size = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
    std::u16string result(static_cast<std::size_t>(size), u'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, reinterpret_cast<wchar_t*>(result.data()),
                        size);
    return result;
}

#else

namespace {

constexpr char16_t kReplacement = u'\uFFFD';

bool isHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool isLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

} // namespace

std::string narrow(std::u16string_view text) {
    // utfcpp refuses unpaired surrogates; Windows turns them into U+FFFD.
    std::u16string paired(text);
    for (std::size_t i = 0; i < paired.size(); ++i) {
        if (isHighSurrogate(paired[i]) && i + 1 < paired.size() && isLowSurrogate(paired[i + 1]))
            ++i;
        else if (isHighSurrogate(paired[i]) || isLowSurrogate(paired[i]))
            paired[i] = kReplacement;
    }
    std::string result;
    utf8::utf16to8(paired.begin(), paired.end(), std::back_inserter(result));
    return result;
}

std::u16string widen(std::string_view bytes) {
    std::string valid;
    utf8::replace_invalid(bytes.begin(), bytes.end(), std::back_inserter(valid));
    std::u16string result;
    utf8::utf8to16(valid.begin(), valid.end(), std::back_inserter(result));
    return result;
}

#endif

} // namespace TextConversion
