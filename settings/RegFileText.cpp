#include "RegFileText.h"

#include "TextConversion.h"

#include <algorithm>
#include <array>

namespace RegFileText {
namespace {

using RegistryTree::Key;
using RegistryTree::Value;
using TextConversion::narrow;
using TextConversion::widen;

constexpr std::u16string_view kHeader = u"Windows Registry Editor Version 5.00";
constexpr std::u16string_view kOldHeader = u"REGEDIT4";
constexpr std::u16string_view kLineEnd = u"\r\n";
constexpr std::string_view kUtf16Mark = "\xFF\xFE";
constexpr std::string_view kUtf16BigEndianMark = "\xFE\xFF";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// The editor's wrap: after a byte's comma, once the line has reached this
// column, the bytes go on on the next line after a backslash, indented.
constexpr std::size_t kWrapColumn = 77;
constexpr std::u16string_view kContinuation = u"\\\r\n  ";
constexpr std::size_t kIndent = 2;

constexpr std::size_t kMaxKeyName = 255;
constexpr std::size_t kMaxValueName = 16383;
constexpr std::size_t kMaxDwordDigits = 8;
constexpr std::size_t kMaxShownName = 80; // of a name quoted in a reason

constexpr std::array<std::u16string_view, 2> kCurrentUserNames = {u"HKEY_CURRENT_USER", u"HKCU"};

constexpr char16_t kHexDigits[] = u"0123456789abcdef";

void appendByteHex(std::u16string& out, unsigned char byte) {
    out += kHexDigits[byte >> 4];
    out += kHexDigits[byte & 15];
}

std::u16string hexNumber(std::uint32_t number, std::size_t minimumDigits) {
    std::u16string digits;
    do {
        digits.insert(digits.begin(), kHexDigits[number & 15]);
        number >>= 4;
    } while (number);
    if (digits.size() < minimumDigits) digits.insert(0, minimumDigits - digits.size(), u'0');
    return digits;
}

// The characters a quoted text escapes, each with the letter after its backslash.
constexpr std::array<std::pair<char16_t, char16_t>, 4> kEscapes = {
    {{u'\\', u'\\'}, {u'"', u'"'}, {u'\n', u'n'}, {u'\r', u'r'}}};

std::u16string quoted(std::u16string_view text) {
    std::u16string out = u"\"";
    for (const char16_t c : text) {
        const auto escape = std::find_if(kEscapes.begin(), kEscapes.end(),
                                         [c](const auto& pair) { return pair.first == c; });
        if (escape != kEscapes.end()) out += u'\\';
        out += escape != kEscapes.end() ? escape->second : c;
    }
    return out += u'"';
}

std::string littleEndian(std::u16string_view text) {
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (const char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

std::u16string fromLittleEndian(std::string_view bytes) {
    std::u16string text;
    text.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        text += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                      static_cast<unsigned char>(bytes[i + 1]) << 8);
    return text;
}

// "hex:" or "hex(N):" and the bytes, wrapped as the editor wraps them. The
// line so far starts at lineStart in out.
void appendHex(std::u16string& out, std::size_t lineStart, DWORD type, std::string_view bytes) {
    out += type == REG_BINARY ? u"hex:" : u"hex(" + hexNumber(type, 1) + u"):";
    std::size_t column = out.size() - lineStart;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        appendByteHex(out, static_cast<unsigned char>(bytes[i]));
        if (i + 1 == bytes.size()) break;
        out += u',';
        column += 3;
        if (column >= kWrapColumn) {
            out += kContinuation;
            column = kIndent;
        }
    }
}

// A REG_SZ is written as a quoted text when it is exactly one text and its
// NUL; anything else would not come back as it was.
bool isOneText(std::u16string_view wide) {
    return !wide.empty() && wide.back() == u'\0' && wide.find(u'\0') == wide.size() - 1;
}

void appendValue(std::u16string& out, const Value& value) {
    const std::size_t lineStart = out.size();
    out += value.name.empty() ? u"@" : quoted(widen(value.name));
    out += u'=';
    switch (value.type) {
    case REG_SZ:
    case REG_EXPAND_SZ:
    case REG_MULTI_SZ: {
        const std::u16string wide = widen(value.data);
        if (value.type == REG_SZ && isOneText(wide))
            out += quoted(std::u16string_view(wide).substr(0, wide.size() - 1));
        else
            appendHex(out, lineStart, value.type, littleEndian(wide));
        break;
    }
    case REG_DWORD:
        if (value.data.size() == 4) {
            std::uint32_t number = 0;
            for (int i = 3; i >= 0; --i)
                number = number << 8 | static_cast<unsigned char>(value.data[i]);
            out += u"dword:" + hexNumber(number, kMaxDwordDigits);
        } else {
            appendHex(out, lineStart, value.type, value.data);
        }
        break;
    default:
        appendHex(out, lineStart, value.type, value.data);
    }
    out += kLineEnd;
}

// --- Reading ---------------------------------------------------------------

bool isBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

std::u16string_view trimmed(std::u16string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

char16_t asciiUpper(char16_t c) {
    return c >= u'a' && c <= u'z' ? c - (u'a' - u'A') : c;
}

bool sameIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char16_t x, char16_t y) { return asciiUpper(x) == asciiUpper(y); });
}

bool startsIgnoringAsciiCase(std::u16string_view text, std::u16string_view prefix) {
    return text.size() >= prefix.size() &&
           sameIgnoringAsciiCase(text.substr(0, prefix.size()), prefix);
}

int hexValue(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

std::vector<std::u16string_view> split(std::u16string_view path) {
    std::vector<std::u16string_view> names;
    for (std::size_t start = 0;;) {
        const std::size_t end = path.find(u'\\', start);
        names.push_back(path.substr(start, end - start));
        if (end == std::u16string_view::npos) return names;
        start = end + 1;
    }
}

std::u16string shortened(std::u16string_view text) {
    if (text.size() <= kMaxShownName) return std::u16string(text);
    return std::u16string(text.substr(0, kMaxShownName)) + u"…";
}

std::u16string number(std::size_t value) {
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
        value /= 10;
    } while (value);
    return digits;
}

// The reading of one file, line by line; the first refusal ends it.
class Reader {
public:
    Reader(std::u16string_view text, std::u16string_view rootPath) : root_(split(rootPath)) {
        for (std::size_t start = 0; start <= text.size();) {
            std::size_t end = text.find(u'\n', start);
            if (end == std::u16string_view::npos) end = text.size();
            std::u16string_view line = text.substr(start, end - start);
            if (!line.empty() && line.back() == u'\r') line.remove_suffix(1);
            lines_.push_back(line);
            start = end + 1;
        }
    }

    Parsed read() {
        if (!header()) return std::move(parsed_);
        while (!parsed_.refusal && next())
            entry(trimmed(line_));
        return std::move(parsed_);
    }

private:
    bool refuse(std::u16string reason) {
        if (!parsed_.refusal) parsed_.refusal = Refusal{number_, std::move(reason)};
        return false;
    }

    // Moves on to the next line; false at the end of the file or at a line
    // too long to take.
    bool next() {
        if (index_ >= lines_.size()) return false;
        line_ = lines_[index_++];
        number_ = index_;
        if (line_.size() > kMaxLineLength)
            return refuse(u"a line of more than " + number(kMaxLineLength) +
                          u" characters, longer than any line of settings");
        return true;
    }

    bool header() {
        if (!next() || (lines_.size() == 1 && line_.empty()))
            return refuse(u"the file is empty: expected the header \"" + std::u16string(kHeader) +
                          u"\"");
        const std::u16string_view first = trimmed(line_);
        if (first == kHeader) return true;
        if (first == kOldHeader) {
            eightBitTexts_ = true;
            return true;
        }
        return refuse(u"expected the header \"" + std::u16string(kHeader) + u"\" or \"" +
                      std::u16string(kOldHeader) + u"\", found \"" + shortened(first) + u"\"");
    }

    bool counted() {
        if (++steps_ > kMaxSteps)
            return refuse(u"more than " + number(kMaxSteps) +
                          u" keys and values, more than any settings hold");
        return true;
    }

    void entry(std::u16string_view line) {
        if (line.empty() || line.front() == u';') return;
        if (line.front() == u'[') return keyLine(line);
        if (line.front() == u'"' || line.front() == u'@') return valueLine(line);
        refuse(u"expected [KEY], [-KEY], \"NAME\"=VALUE, @=VALUE, a comment (;) or an empty line");
    }

    void keyLine(std::u16string_view line) {
        if (line.back() != u']') {
            refuse(u"expected ] at the end of the key's line");
            return;
        }
        std::u16string_view path = line.substr(1, line.size() - 2);
        const bool deleting = !path.empty() && path.front() == u'-';
        if (deleting) path.remove_prefix(1);
        const auto names = split(path);
        if (std::find(names.begin(), names.end(), std::u16string_view()) != names.end()) {
            refuse(u"[" + shortened(path) + u"] has an empty name: a backslash too many");
            return;
        }
        if (!underRoot(names)) {
            refuse(u"[" + std::u16string(deleting ? u"-" : u"") + shortened(path) +
                   u"] is not the settings key " + joinedRoot() +
                   u" or below it: nothing is imported");
            return;
        }
        std::vector<std::string> below;
        for (std::size_t i = root_.size(); i < names.size(); ++i) {
            if (names[i].size() > kMaxKeyName) {
                refuse(u"a key name of more than " + number(kMaxKeyName) + u" characters");
                return;
            }
            // The registry calls end a name at its first NUL: written, it
            // would name another key.
            if (names[i].find(u'\0') != std::u16string_view::npos) {
                refuse(u"a key name with a NUL character in it");
                return;
            }
            below.push_back(narrow(names[i]));
        }
        if (!counted()) return;
        inKey_ = !deleting;
        keySeen_ = true;
        parsed_.steps.push_back(
            {deleting ? Step::DeleteKey : Step::SetKey, number_, std::move(below), {}});
    }

    bool underRoot(const std::vector<std::u16string_view>& names) const {
        if (names.size() < root_.size()) return false;
        const bool currentUser = sameIgnoringAsciiCase(root_[0], kCurrentUserNames[0]);
        const bool rootMatches =
            currentUser
                ? std::any_of(kCurrentUserNames.begin(), kCurrentUserNames.end(),
                              [&](auto name) { return sameIgnoringAsciiCase(names[0], name); })
                : sameIgnoringAsciiCase(names[0], root_[0]);
        if (!rootMatches) return false;
        for (std::size_t i = 1; i < root_.size(); ++i)
            if (!sameIgnoringAsciiCase(names[i], root_[i])) return false;
        return true;
    }

    std::u16string joinedRoot() const {
        std::u16string path;
        for (const auto name : root_)
            path += (path.empty() ? u"" : u"\\") + std::u16string(name);
        return path;
    }

    // A quoted text at pos, its escapes undone; pos ends after its closing quote.
    std::optional<std::u16string> quotedText(std::u16string_view line, std::size_t& pos) {
        std::u16string text;
        for (++pos; pos < line.size();) {
            const char16_t c = line[pos++];
            if (c == u'"') return text;
            if (c != u'\\') {
                text += c;
                continue;
            }
            const char16_t letter = pos < line.size() ? line[pos++] : u'\0';
            const auto escape =
                std::find_if(kEscapes.begin(), kEscapes.end(),
                             [letter](const auto& pair) { return pair.second == letter; });
            if (escape == kEscapes.end()) {
                refuse(u"unknown escape \\" + std::u16string(letter ? 1 : 0, letter) +
                       u" in a quoted text: expected \\\\, \\\", \\n or \\r");
                return std::nullopt;
            }
            text += escape->first;
        }
        refuse(u"a quoted text without its closing quote");
        return std::nullopt;
    }

    bool onlyBlanksFrom(std::u16string_view line, std::size_t pos) {
        if (trimmed(line.substr(std::min(pos, line.size()))).empty()) return true;
        return refuse(u"unexpected text after the value: \"" +
                      shortened(trimmed(line.substr(pos))) + u"\"");
    }

    void valueLine(std::u16string_view line) {
        const std::size_t first = number_;
        if (!inKey_) {
            refuse(keySeen_ ? u"a value after [-KEY]: expected [KEY] before it"
                            : u"a value before the first key: expected [KEY] before it");
            return;
        }
        std::size_t pos = 0;
        std::u16string name;
        if (line.front() == u'@') {
            pos = 1;
        } else {
            auto text = quotedText(line, pos);
            if (!text) return;
            name = std::move(*text);
        }
        if (name.size() > kMaxValueName) {
            refuse(u"a value name of more than " + number(kMaxValueName) + u" characters");
            return;
        }
        if (name.find(u'\0') != std::u16string::npos) {
            refuse(u"a value name with a NUL character in it");
            return;
        }
        while (pos < line.size() && isBlank(line[pos]))
            ++pos;
        if (pos == line.size() || line[pos] != u'=') {
            refuse(u"expected = after the value's name");
            return;
        }
        ++pos;
        while (pos < line.size() && isBlank(line[pos]))
            ++pos;
        const std::u16string_view rest = line.substr(pos);
        Value value{narrow(name), REG_NONE, {}};
        if (!rest.empty() && rest.front() == u'-') {
            if (onlyBlanksFrom(line, pos + 1) && counted())
                parsed_.steps.push_back({Step::DeleteValue, number_, {}, std::move(value)});
            return;
        }
        if (!rest.empty() && rest.front() == u'"') {
            auto text = quotedText(line, pos);
            if (!text || !onlyBlanksFrom(line, pos)) return;
            value.type = REG_SZ;
            value.data = narrow(*text);
            value.data += '\0';
        } else if (startsIgnoringAsciiCase(rest, u"dword:")) {
            if (!dword(line, pos + 6, value.data)) return;
            value.type = REG_DWORD;
        } else if (startsIgnoringAsciiCase(rest, u"hex")) {
            if (!hex(line, pos + 3, value)) return;
        } else {
            refuse(u"expected \"TEXT\", dword:, hex:, hex(TYPE): or - after =");
            return;
        }
        if (value.data.size() > kMaxValueBytes) {
            refuse(u"a value of more than " + number(kMaxValueBytes / 1024) +
                   u" KiB, more than any setting holds");
            return;
        }
        // A value continued over several lines is asked for on its first.
        if (counted()) parsed_.steps.push_back({Step::SetValue, first, {}, std::move(value)});
    }

    bool dword(std::u16string_view line, std::size_t pos, std::string& data) {
        std::uint32_t number = 0;
        std::size_t digits = 0;
        for (; pos < line.size() && hexValue(line[pos]) >= 0; ++pos, ++digits)
            number = number << 4 | static_cast<std::uint32_t>(hexValue(line[pos]));
        if (digits == 0 || digits > kMaxDwordDigits)
            return refuse(u"expected 1 to 8 hex digits after dword: (00000000 to ffffffff)");
        if (!onlyBlanksFrom(line, pos)) return false;
        for (int i = 0; i < 4; ++i)
            data += static_cast<char>(number >> (8 * i) & 0xFF);
        return true;
    }

    // "hex:" or "hex(TYPE):" and its bytes, over as many continued lines as
    // they take.
    bool hex(std::u16string_view line, std::size_t pos, Value& value) {
        value.type = REG_BINARY;
        if (pos < line.size() && line[pos] == u'(') {
            std::uint32_t type = 0;
            std::size_t digits = 0;
            for (++pos; pos < line.size() && hexValue(line[pos]) >= 0; ++pos, ++digits)
                type = type << 4 | static_cast<std::uint32_t>(hexValue(line[pos]));
            if (digits == 0 || digits > kMaxDwordDigits || pos >= line.size() || line[pos] != u')')
                return refuse(u"expected the type in hex between the brackets of hex(TYPE):");
            ++pos;
            value.type = type;
        }
        if (pos >= line.size() || line[pos] != u':') return refuse(u"expected : after hex");
        ++pos;
        std::string bytes;
        if (!hexBytes(line, pos, bytes)) return false;
        if (!RegistryTree::isText(value.type) || eightBitTexts_) {
            value.data = std::move(bytes);
            return true;
        }
        if (bytes.size() % 2)
            return refuse(u"a text of type " + number(value.type) +
                          u" in an odd number of bytes: its UTF-16 ends in half a character");
        value.data = narrow(fromLittleEndian(bytes));
        return true;
    }

    bool hexBytes(std::u16string_view line, std::size_t pos, std::string& bytes) {
        for (;;) {
            while (pos < line.size() && isBlank(line[pos]))
                ++pos;
            if (pos == line.size()) return true;
            if (line[pos] == u'\\') {
                if (!onlyBlanksFrom(line, pos + 1)) return false;
                if (!next())
                    return parsed_.refusal ? false : refuse(u"the file ends inside a value");
                line = line_;
                pos = 0;
                continue;
            }
            int byte = 0;
            std::size_t digits = 0;
            for (; digits < 2 && pos < line.size() && hexValue(line[pos]) >= 0; ++pos, ++digits)
                byte = byte << 4 | hexValue(line[pos]);
            if (digits == 0)
                return refuse(u"expected a byte in hex (00 to ff), found \"" +
                              shortened(trimmed(line.substr(pos))) + u"\"");
            bytes += static_cast<char>(byte);
            if (bytes.size() > kMaxValueBytes)
                return refuse(u"a value of more than " + number(kMaxValueBytes / 1024) +
                              u" KiB, more than any setting holds");
            while (pos < line.size() && isBlank(line[pos]))
                ++pos;
            if (pos < line.size() && line[pos] == u',') {
                ++pos;
            } else if (pos < line.size() && line[pos] != u'\\') {
                return refuse(u"expected a comma after the byte, found \"" +
                              shortened(trimmed(line.substr(pos))) + u"\"");
            }
        }
    }

    std::vector<std::u16string_view> root_;
    std::vector<std::u16string_view> lines_;
    std::size_t index_ = 0;
    std::size_t number_ = 0;
    std::u16string_view line_;
    bool eightBitTexts_ = false; // REGEDIT4: texts in hex are 8-bit, not UTF-16
    bool inKey_ = false;
    bool keySeen_ = false;
    std::size_t steps_ = 0;
    Parsed parsed_;
};

} // namespace

std::string write(std::u16string_view rootPath, const std::vector<Key>& tree) {
    std::u16string text(kHeader);
    text += kLineEnd;
    text += kLineEnd;
    for (const Key& key : tree) {
        text += u'[';
        text += rootPath;
        for (const std::string& name : key.path) {
            text += u'\\';
            text += widen(name);
        }
        text += u']';
        text += kLineEnd;
        for (const Value& value : key.values)
            appendValue(text, value);
        text += kLineEnd;
    }
    return std::string(kUtf16Mark) + littleEndian(text);
}

Parsed parse(std::string_view file, std::u16string_view rootPath) {
    const bool tooLarge = file.size() > kMaxFileBytes;
    if (tooLarge) file = file.substr(0, kMaxFileBytes);
    std::u16string text;
    if (file.starts_with(kUtf16Mark)) {
        text = fromLittleEndian(file.substr(kUtf16Mark.size()));
    } else if (file.starts_with(kUtf16BigEndianMark)) {
        return {{}, Refusal{1, u"UTF-16 big-endian: expected UTF-16 little-endian or UTF-8"}};
    } else {
        text = widen(file.starts_with(kUtf8Mark) ? file.substr(kUtf8Mark.size()) : file);
    }
    const auto lastLine = [&] {
        return static_cast<std::size_t>(std::count(text.begin(), text.end(), u'\n')) + 1;
    };
    if (tooLarge)
        return {{},
                Refusal{lastLine(), u"the file goes on beyond " +
                                        number(kMaxFileBytes / 1024 / 1024) +
                                        u" MiB, more than any settings take"}};
    if (file.starts_with(kUtf16Mark) && file.size() % 2)
        return {{},
                Refusal{lastLine(), u"the file ends in half a UTF-16 character (an odd "
                                    u"number of bytes): it was cut short"}};
    return Reader(text, rootPath).read();
}

} // namespace RegFileText
