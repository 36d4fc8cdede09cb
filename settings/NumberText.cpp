#include "NumberText.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace NumberText {
namespace {

struct Scan {
    double value = 0;
    std::size_t length = 0; // characters that form the number; 0 when there is none
};

bool isDigit(char16_t c, int base) {
    if (c >= u'0' && c <= u'9') return c - u'0' < base;
    if (base == 16) return (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
    return false;
}

int digitValue(char16_t c) {
    if (c <= u'9') return c - u'0';
    return (c | 0x20) - u'a' + 10;
}

// &H / &O literals: up to 16 bits they are read as a 16-bit signed number and up
// to 32 bits as a 32-bit one, so "&HFFFF" is -1 and "&H10000" is 65536. Wider
// values keep their unsigned magnitude rather than failing.
Scan scanRadix(std::u16string_view s) {
    if (s.size() < 2 || s[0] != u'&') return {};
    const char16_t kind = s[1] | 0x20;
    const int base = kind == u'h' ? 16 : kind == u'o' ? 8 : 0;
    if (base == 0) return {};
    std::size_t i = 2;
    double magnitude = 0;
    while (i < s.size() && isDigit(s[i], base))
        magnitude = magnitude * base + digitValue(s[i++]);
    if (i == 2) return {};
    double value = magnitude;
    if (magnitude <= 0xFFFF)
        value = static_cast<std::int16_t>(static_cast<std::uint16_t>(magnitude));
    else if (magnitude <= 0xFFFFFFFFu)
        value = static_cast<std::int32_t>(static_cast<std::uint32_t>(magnitude));
    return {value, i};
}

// sign? digits* ('.' digits*)? ([EeDd] sign? digits+)? with at least one digit in
// the mantissa. An exponent marker without digits is not part of the number.
Scan scanDecimal(std::u16string_view s) {
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) negative = s[i++] == u'-';

    std::string ascii; // what from_chars reads: mantissa and exponent, no sign
    int integerDigits = 0, fractionDigits = 0;
    int leadInteger = 0, leadFraction = 0; // 1-based place of the first non-zero digit
    bool seenPoint = false;
    for (; i < s.size(); ++i) {
        const char16_t c = s[i];
        if (isDigit(c, 10)) {
            int& count = seenPoint ? fractionDigits : integerDigits;
            ++count;
            if (c != u'0' && !leadInteger && !leadFraction)
                (seenPoint ? leadFraction : leadInteger) = count;
            ascii += static_cast<char>(c);
        } else if (c == u'.' && !seenPoint) {
            seenPoint = true;
            ascii += '.';
        } else {
            break;
        }
    }
    if (integerDigits + fractionDigits == 0) return {};
    // Power of ten of the leading digit, to tell overflow from underflow below.
    const long long leadPower = leadInteger    ? integerDigits - leadInteger
                                : leadFraction ? -leadFraction
                                               : 0;

    std::size_t length = i;
    long long exponent = 0;
    if (i < s.size() && (s[i] | 0x20) >= u'd' && (s[i] | 0x20) <= u'e') {
        std::size_t j = i + 1;
        bool negativeExponent = false;
        if (j < s.size() && (s[j] == u'+' || s[j] == u'-')) negativeExponent = s[j++] == u'-';
        const std::size_t exponentStart = j;
        while (j < s.size() && isDigit(s[j], 10)) {
            if (exponent < 100000) exponent = exponent * 10 + (s[j] - u'0');
            ++j;
        }
        if (j > exponentStart) {
            if (negativeExponent) exponent = -exponent;
            ascii += 'e';
            ascii += std::to_string(exponent);
            length = j;
        }
    }

    double value = 0;
    const auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        // Too big or too small for a double: decide by where the leading digit sits.
        value = leadPower + exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return {negative ? -value : value, length};
}

Scan scanNumber(std::u16string_view s) {
    const Scan radix = scanRadix(s);
    return radix.length ? radix : scanDecimal(s);
}

bool isBlank(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\n';
}

} // namespace

double leadingNumber(std::u16string_view text) {
    std::u16string compact;
    compact.reserve(text.size());
    for (char16_t c : text)
        if (!isBlank(c)) compact += c;
    return scanNumber(compact).value;
}

std::optional<std::int32_t> roundHalfEven(double value, std::int32_t lowest, std::int32_t highest) {
    if (!std::isfinite(value)) return std::nullopt;
    // nearbyint rounds half to even in the default rounding mode.
    const double rounded = std::nearbyint(value);
    if (rounded < lowest || rounded > highest) return std::nullopt;
    return static_cast<std::int32_t>(rounded);
}

std::optional<std::int32_t> wholeNumber(std::u16string_view text, std::int32_t lowest,
                                        std::int32_t highest) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    const Scan scan = scanNumber(text);
    if (scan.length == 0 || scan.length != text.size()) return std::nullopt;
    return roundHalfEven(scan.value, lowest, highest);
}

std::u16string decimal(std::int32_t value) {
    const std::string digits = std::to_string(value);
    return {digits.begin(), digits.end()};
}

} // namespace NumberText
