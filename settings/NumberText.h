#pragma once
// The two ways the program turns text into numbers. They disagree on purpose:
//
//  - leadingNumber() is the forgiving reader used by the speed rule and for the
//    stored icon index: blanks are ignored wherever they stand, the longest
//    leading number counts, and text that does not start with one is 0.
//    "12abc" reads as 12, "1 2" as 12.
//
//  - wholeNumber() is the strict conversion used when a text becomes a timer
//    interval or a check-box value: the whole text, give or take surrounding
//    blanks, must be one number, which is then rounded half to even and must fit
//    the target range. "12abc" and "1 2" have no whole-number value.
//
// Both accept &H (hexadecimal) and &O (octal) prefixes. Only '.' is a decimal
// separator; nothing here depends on the locale.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace NumberText {

double leadingNumber(std::u16string_view text);

// Rounds to the nearest whole number, a half to the even neighbour, when the
// result lies within [lowest, highest]; nothing otherwise (NaN included).
std::optional<std::int32_t> roundHalfEven(double value, std::int32_t lowest, std::int32_t highest);

std::optional<std::int32_t> wholeNumber(std::u16string_view text, std::int32_t lowest,
                                        std::int32_t highest);

// Decimal text of a number: no spaces, "-" in front of a negative one.
std::u16string decimal(std::int32_t value);

} // namespace NumberText
