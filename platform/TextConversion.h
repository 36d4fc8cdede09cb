#pragma once
// Conversion between the program's wide text and the 8-bit text of the
// platform's "A" functions. The 8-bit code page is UTF-8 on Linux; on Windows
// it is the active code page, which the program's manifest sets to UTF-8.
// Characters that cannot be converted become U+FFFD (or the code page's
// default character), never an error. Embedded NUL characters are kept.
//
// On Linux the conversion is Windows' own for UTF-8, as Wine 8 has it, down
// to where malformed bytes become U+FFFD and how many: the registry store
// keeps names and texts as a Windows registry would, and a .reg file made on
// either system reads the same.

#include <cstddef>
#include <string>
#include <string_view>

namespace TextConversion {

std::string narrow(std::u16string_view text);
std::u16string widen(std::string_view bytes);

// narrow(widen(bytes)): what a Windows registry keeps of a name or a text
// handed to an "A" function and gives back to one. Well-formed UTF-8 is kept
// as it is; every malformed piece becomes U+FFFD:
//  - a byte that cannot begin a character (0x80-0xC1, 0xF5-0xFF) on its own;
//  - a lead byte whose next byte is no continuation byte, on its own;
//  - a lead byte with a continuation byte that it cannot take as its second
//    (an overlong form, a surrogate, above U+10FFFF: "\xE0\x80", "\xED\xA0",
//    "\xF4\x90"), those two bytes together;
//  - a lead byte with some but not all of its continuation bytes, all of them
//    together;
//  - a lead byte that needs more bytes than the text has left: everything
//    from it to the end, whatever it is: "\xF0\x9F\0" becomes one U+FFFD
//    and loses its NUL. Wine's conversion does so; the store follows it, so
//    that both registries keep the same text.
std::string roundTrip(std::string_view bytes);

// The length of widen(bytes) in UTF-16 units: what Windows counts as the
// characters of a name or a path.
std::size_t wideLength(std::string_view bytes);

} // namespace TextConversion
