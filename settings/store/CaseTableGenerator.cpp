// Writes CaseTable.inc: the upper-case table that registry names are folded
// with. Built on demand (cmake --build build --target case_table), not with
// the program: the table is committed, so that every machine and the program
// under Wine fold names alike whatever their C library says.
//
// A unit folds to its upper case only when that upper case turns back into it
// when lowered: "i" and "I" are one name, while the dotless "ı", the long "ſ",
// the final "ς", the micro sign and title-case letters stay apart, as a Windows
// registry keeps them. Units outside the Basic Multilingual Plane are halves of
// surrogate pairs and fold to themselves.

#include <clocale>
#include <cstdio>
#include <cwctype>

int main() {
    if (!std::setlocale(LC_CTYPE, "C.UTF-8")) {
        std::fputs("case_table: the C.UTF-8 locale is missing\n", stderr);
        return 1;
    }
    constexpr unsigned kSurrogatesFirst = 0xD800, kSurrogatesLast = 0xDFFF, kUnits = 0x10000;
    std::puts("// Made by CaseTableGenerator.cpp; do not edit. {unit, its upper case}, by unit.");
    constexpr int kPerLine = 6;
    int written = 0;
    for (unsigned unit = 0; unit < kUnits; ++unit) {
        if (unit >= kSurrogatesFirst && unit <= kSurrogatesLast) continue;
        const auto upper = static_cast<unsigned>(std::towupper(unit));
        if (upper != unit && upper < kUnits && static_cast<unsigned>(std::towlower(upper)) == unit)
            std::printf("{0x%04X, 0x%04X},%c", unit, upper, ++written % kPerLine ? ' ' : '\n');
    }
    std::puts("");
    return 0;
}
