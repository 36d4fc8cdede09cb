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

std::string roundTrip(std::string_view bytes) {
    return narrow(widen(bytes));
}

std::size_t wideLength(std::string_view bytes) {
    if (bytes.empty()) return 0;
    return static_cast<std::size_t>(
        MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0));
}

#else

namespace {

constexpr char16_t kReplacement = u'\uFFFD';
constexpr std::string_view kReplacementBytes = "\xEF\xBF\xBD";

bool isHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool isLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The bytes of the character a lead byte begins, 0 for a byte that begins none.
std::size_t sequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead < 0xC2) return 0;
    if (lead < 0xE0) return 2;
    if (lead < 0xF0) return 3;
    if (lead < 0xF5) return 4;
    return 0;
}

// Whether the lead byte can be followed by this second byte in a well-formed
// character: no overlong form, no surrogate, nothing above U+10FFFF.
bool fitsAsSecond(unsigned char lead, unsigned char byte) {
    switch (lead) {
    case 0xE0:
        return byte >= 0xA0 && byte <= 0xBF;
    case 0xED:
        return byte >= 0x80 && byte <= 0x9F;
    case 0xF0:
        return byte >= 0x90 && byte <= 0xBF;
    case 0xF4:
        return byte >= 0x80 && byte <= 0x8F;
    default:
        return isContinuation(byte);
    }
}

// How many bytes from i one U+FFFD stands for; 0 when the well-formed
// character of length bytes that the lead byte at i announces is there.
std::size_t replacedBytes(std::string_view bytes, std::size_t i, std::size_t length) {
    const auto at = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
    if (length == 0) return 1;
    if (i + length > bytes.size()) return bytes.size() - i;
    if (!isContinuation(at(i + 1))) return 1;
    if (!fitsAsSecond(at(i), at(i + 1))) return 2;
    std::size_t taken = 2;
    while (taken < length && isContinuation(at(i + taken)))
        ++taken;
    return taken == length ? 0 : taken;
}

} // namespace

std::string roundTrip(std::string_view bytes) {
    if (utf8::is_valid(bytes.begin(), bytes.end())) return std::string(bytes);
    std::string result;
    result.reserve(bytes.size() + kReplacementBytes.size());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::size_t length = sequenceLength(static_cast<unsigned char>(bytes[i]));
        const std::size_t replaced = length == 1 ? 0 : replacedBytes(bytes, i, length);
        if (replaced == 0) {
            result += bytes.substr(i, length);
            i += length;
        } else {
            result += kReplacementBytes;
            i += replaced;
        }
    }
    return result;
}

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
    const std::string valid = roundTrip(bytes);
    std::u16string result;
    result.reserve(valid.size());
    utf8::utf8to16(valid.begin(), valid.end(), std::back_inserter(result));
    return result;
}

std::size_t wideLength(std::string_view bytes) {
    const std::string valid = roundTrip(bytes);
    std::size_t length = 0;
    // Every byte but a continuation byte begins a character; those of four
    // bytes take two UTF-16 units.
    for (const unsigned char byte : valid)
        length += isContinuation(byte) ? 0 : byte >= 0xF0 ? 2 : 1;
    return length;
}

#endif

} // namespace TextConversion
