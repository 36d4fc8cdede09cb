// The two readings of text as numbers, and where they part ways.
#include "NumberText.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

using NumberText::leadingNumber;
using NumberText::wholeNumber;

constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
constexpr auto kMax = std::numeric_limits<std::int32_t>::max();

TEST(LeadingNumber, TakesTheLongestLeadingNumberIgnoringBlanks) {
    EXPECT_EQ(leadingNumber(u"12abc"), 12);
    EXPECT_EQ(leadingNumber(u"1 2"), 12);
    EXPECT_EQ(leadingNumber(u" \t-\n 5 x"), -5);
    EXPECT_EQ(leadingNumber(u"+3"), 3);
    EXPECT_EQ(leadingNumber(u".5"), 0.5);
    EXPECT_EQ(leadingNumber(u"1.5.6"), 1.5);
    EXPECT_EQ(leadingNumber(u"1.5E+3x"), 1500);
    EXPECT_EQ(leadingNumber(u"2d2"), 200) << "D is an exponent too";
    EXPECT_EQ(leadingNumber(u"1e"), 1) << "an exponent without digits is not part of it";
    EXPECT_EQ(leadingNumber(u"1e-"), 1);
    EXPECT_EQ(leadingNumber(u"1 e 2"), 100);
}

TEST(LeadingNumber, TextWithoutANumberIsZero) {
    for (const char16_t* text : {u"", u"abc", u"-", u".", u"--5", u"e5", u"&", u"&H", u"&Z1"})
        EXPECT_EQ(leadingNumber(text), 0);
}

TEST(LeadingNumber, HexAndOctalAreSixteenOrThirtyTwoBitSigned) {
    EXPECT_EQ(leadingNumber(u"&H10"), 16);
    EXPECT_EQ(leadingNumber(u"&hff"), 255);
    EXPECT_EQ(leadingNumber(u"&HFFFF"), -1);
    EXPECT_EQ(leadingNumber(u"&H8000"), -32768);
    EXPECT_EQ(leadingNumber(u"&H10000"), 65536);
    EXPECT_EQ(leadingNumber(u"&HFFFFFFFF"), -1);
    EXPECT_EQ(leadingNumber(u"&O17"), 15);
    EXPECT_EQ(leadingNumber(u"&o18"), 1) << "8 is no octal digit";
    EXPECT_EQ(leadingNumber(u"& H 1 F"), 31);
}

TEST(LeadingNumber, HugeAndTinyDoNotFail) {
    EXPECT_TRUE(std::isinf(leadingNumber(u"1e400")));
    EXPECT_TRUE(std::isinf(leadingNumber(u"0.00001e400")));
    EXPECT_LT(leadingNumber(u"-1e400"), 0);
    EXPECT_EQ(leadingNumber(u"1e-400"), 0);
    EXPECT_EQ(leadingNumber(u"1000000e-400"), 0);
    EXPECT_EQ(leadingNumber(u"99999999999999999999999"), 1e23);
}

TEST(WholeNumber, RoundsHalfToEven) {
    EXPECT_EQ(wholeNumber(u"0.5", kMin, kMax), 0);
    EXPECT_EQ(wholeNumber(u"1.5", kMin, kMax), 2);
    EXPECT_EQ(wholeNumber(u"2.5", kMin, kMax), 2);
    EXPECT_EQ(wholeNumber(u"-2.5", kMin, kMax), -2);
    EXPECT_EQ(wholeNumber(u"2.5000001", kMin, kMax), 3);
    EXPECT_EQ(wholeNumber(u" 42\t", kMin, kMax), 42);
    EXPECT_EQ(wholeNumber(u"&H7FFFFFFF", kMin, kMax), kMax);
    EXPECT_EQ(wholeNumber(u"1E3", kMin, kMax), 1000);
}

TEST(WholeNumber, NeedsTheWholeTextToBeOneNumber) {
    for (const char16_t* text :
         {u"", u"  ", u"12abc", u"1 2", u"abc", u"1e", u"- 5", u"&H", u"1.2.3"})
        EXPECT_FALSE(wholeNumber(text, kMin, kMax).has_value())
            << "text of " << std::u16string(text).size();
}

TEST(WholeNumber, MustFitItsTarget) {
    EXPECT_EQ(wholeNumber(u"2", 0, 2), 2);
    EXPECT_FALSE(wholeNumber(u"3", 0, 2));
    EXPECT_FALSE(wholeNumber(u"-1", 0, 2));
    EXPECT_FALSE(wholeNumber(u"1e400", kMin, kMax));
    EXPECT_FALSE(wholeNumber(u"2147483648", kMin, kMax));
    EXPECT_EQ(NumberText::roundHalfEven(2147483647.4, kMin, kMax), kMax);
    EXPECT_FALSE(NumberText::roundHalfEven(std::nan(""), kMin, kMax));
}

TEST(Decimal, WritesPlainDecimal) {
    EXPECT_EQ(NumberText::decimal(0), u"0");
    EXPECT_EQ(NumberText::decimal(-17), u"-17");
    EXPECT_EQ(NumberText::decimal(kMin), u"-2147483648");
}

} // namespace
