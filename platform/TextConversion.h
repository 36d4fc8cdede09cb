#pragma once
// Conversion between the program's wide text and the 8-bit text of the
// platform's "A" functions. The 8-bit code page is UTF-8 on Linux; on Windows
// it is the active code page, which the program's manifest sets to UTF-8.
// Characters that cannot be converted become U+FFFD (or the code page's
// default character), never an error. Embedded NUL characters are kept.

#include <string>
#include <string_view>

namespace TextConversion {

std::string narrow(std::u16string_view text);
std::u16string widen(std::string_view bytes);

} // namespace TextConversion
