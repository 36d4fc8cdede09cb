// registry_script SEED CALLS: a seeded script of raw registry calls with odd
// names and data, printed one call and its answers a line. Built natively
// against the store and by the mingw-w64 build against Wine's advapi32, the
// two outputs of one seed must be the same (registry-differential compares
// them). Works below HKEY_CURRENT_USER\Software\TarrowinScript, emptied first.
//
// Where Wine is known to answer otherwise than Windows, which the store
// follows, the script does not ask or the output does not show it: listings
// are printed sorted (Wine keeps values by name and orders subkeys by lower
// case; Windows keeps values in creation order and orders subkeys by upper
// case), no key name is exactly 256 characters long (Wine takes one, Windows
// refuses it), the disposition of a create with an empty path is not shown
// (Wine says it created the key itself), and no name reaches 64 KiB (Wine
// wraps its length and names another value or key).

#include "CRegistryFunctions.h"
#include "SeededRandom.h"

#include <algorithm>
#include <concepts>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr const char* kBase = "Software\\TarrowinScript";

using Random = SeededRandom;

// One line of output, built by appending.
class Line {
public:
    Line& operator<<(std::string_view text) {
        text_.append(text);
        return *this;
    }
    template <std::integral Number> Line& operator<<(Number number) {
        text_.append(std::to_string(number));
        return *this;
    }
    const std::string& str() const { return text_; }

private:
    std::string text_;
};

std::string repeat(std::string_view piece, std::size_t times) {
    std::string text;
    text.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i)
        text += piece;
    return text;
}

// Bytes that make names and texts interesting: ASCII, NUL, characters of two,
// three and four bytes, and bytes that begin, continue or break a sequence.
const std::string_view kPieces[] = {"a",
                                    "B",
                                    "z",
                                    "=",
                                    "\"",
                                    "[",
                                    "]",
                                    "\\",
                                    " ",
                                    "\x7f",
                                    "\xc3\xa4",
                                    "\xc3\x84",
                                    "\xc3\x9f",
                                    "\xcf\x83",
                                    "\xce\xa3",
                                    "\xcf\x82",
                                    "\xe2\x82\xac",
                                    "\xef\xbf\xbd",
                                    "\xf0\x9f\x98\x80",
                                    "\x80",
                                    "\xbf",
                                    "\xc0",
                                    "\xc1",
                                    "\xc2",
                                    "\xe0",
                                    "\xe2\x82",
                                    "\xed\xa0\x80",
                                    "\xf0",
                                    "\xf0\x9f",
                                    "\xf4\x90\x80\x80",
                                    "\xf5",
                                    "\xff",
                                    "\xe0\x80",
                                    "\xee"};

std::string randomText(Random& random, std::size_t pieces, bool withNul) {
    std::string text;
    for (std::size_t i = 0; i < pieces; ++i) {
        if (withNul && random.chance(8))
            text += '\0';
        else
            text += kPieces[random.below(std::size(kPieces))];
    }
    return text;
}

std::vector<std::string> valueNamePool(Random& random) {
    std::vector<std::string> names = {
        "",
        "v",
        "V",
        "Title",
        "TITLE",
        "\xc3\xa4",
        "\xc3\x84",
        "\xc3\x9f",
        "SS",
        "\xcf\x83",
        "\xce\xa3",
        "\xcf\x82",
        "\xf0\x9f\x98\x80",
        "a\\b",
        "=",
        "\"q\"",
        "[x]",
        "x\xed\xa0\x80y",
        "\xe4",
        "a\xc3",
        "\xf0\x9f",
        repeat("a", 16383),
        repeat("a", 16384),
        repeat("\xc3\xa4", 16383),
        repeat("\xe2\x82\xac", 16384),
        repeat("\xf0\x9f\x98\x80", 8191) + "a",
        repeat("\xf0\x9f\x98\x80", 8192),
        repeat("a", 32766),
        repeat("a", 32767),
        repeat("\xc3\xa4", 32767),
        repeat("\xf0\x9f\x98\x80", 16383),
        repeat("\x80", 16384),
        repeat("\xe0\x80", 16000),
    };
    for (int i = 0; i < 24; ++i)
        names.push_back(randomText(random, 1 + random.below(6), false));
    return names;
}

std::vector<std::string> keyPathPool(Random& random) {
    const std::string longest = repeat("k", 255);
    std::vector<std::string> paths = {
        "k",
        "K",
        "\xc3\x84rger",
        "\xc3\xa4RGER",
        "\xcf\x83",
        "\xce\xa3",
        "\xcf\x82",
        "\xf0\x9f\x98\x80",
        "x\xed\xa0\x80y",
        "x\xf4\x90\x80\x80y",
        "\xe4",
        "a\xc3",
        "k\\sub",
        "K\\SUB\\deep\\",
        "k\\\\double",
        "\\lead",
        longest,
        repeat("\xc3\xa4", 255),
        repeat("\xf0\x9f\x98\x80", 127) + "k",
        repeat("k", 257),
        repeat("\xc3\xa4", 257),
        repeat("k", 260),
        repeat("k", 261),
        repeat("\xc3\xa4", 130).append("\\").append(repeat("\xc3\xa4", 129)),
        repeat("\xc3\xa4", 130).append("\\").append(repeat("\xc3\xa4", 130)),
        repeat("\xe2\x82\xac", 200).append("\\").append(repeat("\xe2\x82\xac", 200)),
        std::string("k\\").append(repeat("k", 258)),
        repeat("\xe0\x80", 200),
    };
    for (int i = 0; i < 12; ++i)
        paths.push_back(randomText(random, 1 + random.below(4), false));
    return paths;
}

const DWORD kTypes[] = {
    REG_NONE, REG_SZ,       REG_EXPAND_SZ,     REG_BINARY, REG_DWORD, REG_DWORD_BIG_ENDIAN,
    REG_LINK, REG_MULTI_SZ, REG_RESOURCE_LIST, 9,          10,        REG_QWORD,
    0x20,     0x7fffffff,   0xffff0000};

bool isText(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

std::uint64_t fnv(std::string_view bytes) {
    std::uint64_t hash = 0xcbf29ce484222325ull;
    for (const unsigned char byte : bytes)
        hash = (hash ^ byte) * 0x100000001b3ull;
    return hash;
}

// Short texts as hex, long ones as their length, first bytes and a hash.
std::string shown(std::string_view bytes) {
    static const char digits[] = "0123456789abcdef";
    const std::size_t head = bytes.size() <= 96 ? bytes.size() : 32;
    std::string text = std::to_string(bytes.size()).append(":");
    for (std::size_t i = 0; i < head; ++i)
        text += {digits[static_cast<unsigned char>(bytes[i]) >> 4],
                 digits[static_cast<unsigned char>(bytes[i]) & 15]};
    if (head < bytes.size()) {
        char hash[24];
        std::snprintf(hash, sizeof hash, "..#%016llx", static_cast<unsigned long long>(fnv(bytes)));
        text += hash;
    }
    return text;
}

class Script {
public:
    Script(std::uint64_t seed) : random_(seed) {
        valueNames_ = valueNamePool(random_);
        keyPaths_ = keyPathPool(random_);
    }

    void run(int calls) {
        for (step_ = 0; step_ < calls; ++step_)
            oneCall();
        for (HKEY key : slots_)
            if (key) RegCloseKey(key);
    }

    bool begin() {
        deleteTree(HKEY_CURRENT_USER, kBase);
        HKEY base = nullptr;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, kBase, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &base,
                            nullptr) != ERROR_SUCCESS)
            return false;
        slots_.assign(kSlots, nullptr);
        slots_[0] = base;
        return true;
    }

    void end() { deleteTree(HKEY_CURRENT_USER, kBase); }

private:
    static constexpr std::size_t kSlots = 6;

    static void deleteTree(HKEY parent, const std::string& subkey) {
        HKEY key = nullptr;
        if (RegOpenKeyExA(parent, subkey.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
        for (;;) {
            char name[1024];
            DWORD length = sizeof name;
            if (RegEnumKeyExA(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr) !=
                ERROR_SUCCESS)
                break;
            const std::size_t before = childCount(key);
            deleteTree(key, std::string(name, length));
            if (childCount(key) == before) break;
        }
        RegCloseKey(key);
        RegDeleteKeyA(parent, subkey.c_str());
    }

    static std::size_t childCount(HKEY key) {
        DWORD count = 0;
        RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr, nullptr);
        return count;
    }

    void say(const Line& line) { std::printf("%d %s\n", step_, line.str().c_str()); }

    // A slot with an open key; slot 0, the base, is always open.
    std::size_t openSlot() {
        std::vector<std::size_t> open;
        for (std::size_t i = 0; i < slots_.size(); ++i)
            if (slots_[i]) open.push_back(i);
        return open[random_.below(open.size())];
    }

    const std::string& valueName() {
        // The plain names more often, so that values are found again.
        const std::size_t common = 13;
        return valueNames_[random_.chance(60) ? random_.below(common)
                                              : random_.below(valueNames_.size())];
    }

    std::string data(DWORD type) {
        std::size_t pieces = 0;
        switch (random_.below(10)) {
        case 0:
            pieces = 0;
            break;
        case 1:
            pieces = 1;
            break;
        case 2:
            pieces = 2 + random_.below(3);
            break;
        case 9:
            pieces = random_.chance(20) ? 20000 + random_.below(5000) : 300;
            break;
        default:
            pieces = random_.below(40);
            break;
        }
        std::string bytes = randomText(random_, pieces, true);
        if (isText(type) && random_.chance(60)) bytes += '\0';
        if (type == REG_MULTI_SZ && random_.chance(40)) bytes += '\0';
        if ((type == REG_DWORD || type == REG_DWORD_BIG_ENDIAN) && random_.chance(60))
            bytes = bytes.substr(0, 4);
        return bytes;
    }

    void oneCall() {
        const std::size_t slot = openSlot();
        HKEY key = slots_[slot];
        const std::string at = (Line() << "@" << slot << " ").str();
        switch (random_.below(20)) {
        case 0:
        case 1:
        case 2:
        case 3:
        case 4:
            setValue(key, at);
            break;
        case 5:
        case 6:
        case 7:
            queryValue(key, at);
            break;
        case 8:
            deleteValue(key, at);
            break;
        case 9:
        case 10:
            enumerateValues(key, at);
            break;
        case 11:
            enumerateKeys(key, at);
            break;
        case 12:
            queryInfo(key, at);
            break;
        case 13:
        case 14:
            createOrOpen(key, at, true);
            break;
        case 15:
            createOrOpen(key, at, false);
            break;
        case 16:
            deleteKey(key, at);
            break;
        case 17:
            closeKey();
            break;
        default:
            queryValue(key, at);
            break;
        }
    }

    void setValue(HKEY key, const std::string& at) {
        const DWORD type = kTypes[random_.below(std::size(kTypes))];
        const std::string& name = valueName();
        std::string bytes = data(type);
        // A text handed without its final NUL gets one from Windows when one
        // follows in memory, which the store cannot look at (it never reads
        // past the count) and so always adds: here one always follows.
        std::string buffer = bytes + '\0';
        const LONG result =
            RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(buffer.data()),
                           static_cast<DWORD>(bytes.size()));
        say(Line() << at << "set " << shown(name) << " type " << type << " " << shown(bytes)
                   << " -> " << result);
    }

    void queryValue(HKEY key, const std::string& at) {
        const std::string& name = valueName();
        DWORD type = 0xdead;
        DWORD size = 0;
        const LONG sized = RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size);
        Line line;
        line << at << "query " << shown(name) << " -> " << sized;
        if (sized != ERROR_SUCCESS) return say(line);
        line << " type " << type << " size " << size;
        // A buffer one short, exact, or with room to spare, filled with '#'
        // so that what the call writes past the data shows.
        const int room = static_cast<int>(random_.below(3)) - 1;
        if (room < 0 && size == 0) return say(line);
        DWORD given = size + room * 4;
        if (room < 0) given = size - 1;
        std::string buffer(given + 8, '#');
        DWORD count = given;
        DWORD type2 = 0xdead;
        const LONG read = RegQueryValueExA(key, name.c_str(), nullptr, &type2,
                                           reinterpret_cast<BYTE*>(buffer.data()), &count);
        line << " | given " << given << " -> " << read << " type " << type2 << " count " << count;
        if (read == ERROR_SUCCESS) line << " " << shown(buffer.substr(0, given));
        say(line);
    }

    void deleteValue(HKEY key, const std::string& at) {
        const std::string& name = valueName();
        say(Line() << at << "delete value " << shown(name) << " -> "
                   << RegDeleteValueA(key, name.c_str()));
    }

    void enumerateValues(HKEY key, const std::string& at) {
        // A name buffer that may be too short for some names, and a data
        // buffer that may be too short for some data.
        const DWORD nameRoom = random_.chance(30) ? static_cast<DWORD>(random_.below(8)) : 70000;
        const DWORD dataRoom = random_.chance(30) ? static_cast<DWORD>(random_.below(8)) : 200000;
        const bool withData = random_.chance(70);
        std::vector<std::string> lines;
        LONG result = ERROR_SUCCESS;
        DWORD index = 0;
        for (; index < 1000; ++index) {
            std::string name(nameRoom + 1, '#');
            std::string bytes(dataRoom + 1, '#');
            DWORD nameLength = nameRoom;
            DWORD size = dataRoom;
            DWORD type = 0xdead;
            result = RegEnumValueA(key, index, name.data(), &nameLength, nullptr, &type,
                                   withData ? reinterpret_cast<BYTE*>(bytes.data()) : nullptr,
                                   withData ? &size : nullptr);
            if (result == ERROR_NO_MORE_ITEMS || result == ERROR_KEY_DELETED ||
                result == ERROR_INVALID_HANDLE)
                break;
            Line line;
            line << result;
            if (result == ERROR_SUCCESS) {
                line << " " << shown(name.substr(0, nameLength)) << " type " << type;
                if (withData) line << " " << shown(bytes.substr(0, size));
            }
            lines.push_back(line.str());
        }
        std::sort(lines.begin(), lines.end());
        Line line;
        line << at << "values room " << nameRoom << "/"
             << (withData ? std::to_string(dataRoom) : "-") << " ->";
        for (const std::string& entry : lines)
            line << " [" << entry << "]";
        say(line << " end " << result << " after " << index);
    }

    void enumerateKeys(HKEY key, const std::string& at) {
        const DWORD room = random_.chance(30) ? static_cast<DWORD>(random_.below(6)) : 1024;
        std::vector<std::string> lines;
        LONG result = ERROR_SUCCESS;
        DWORD index = 0;
        for (; index < 1000; ++index) {
            std::string name(room + 1, '#');
            DWORD length = room;
            result =
                RegEnumKeyExA(key, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
            if (result == ERROR_NO_MORE_ITEMS || result == ERROR_KEY_DELETED ||
                result == ERROR_INVALID_HANDLE)
                break;
            Line line;
            line << result;
            if (result == ERROR_SUCCESS) line << " " << shown(name.substr(0, length));
            lines.push_back(line.str());
        }
        std::sort(lines.begin(), lines.end());
        Line line;
        line << at << "subkeys room " << room << " ->";
        for (const std::string& entry : lines)
            line << " [" << entry << "]";
        say(line << " end " << result << " after " << index);
    }

    void queryInfo(HKEY key, const std::string& at) {
        DWORD subkeys = 0, longestSubkey = 0, values = 0, longestName = 0, longestData = 0;
        const LONG result =
            RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, &longestSubkey, nullptr,
                             &values, &longestName, &longestData, nullptr, nullptr);
        Line line;
        line << at << "info -> " << result;
        if (result == ERROR_SUCCESS)
            line << " subkeys " << subkeys << " longest " << longestSubkey << " values " << values
                 << " longest name " << longestName << " longest data " << longestData;
        say(line);
    }

    void createOrOpen(HKEY key, const std::string& at, bool create) {
        const bool none = random_.chance(5);
        const std::string path = none ? std::string() : keyPaths_[random_.below(keyPaths_.size())];
        const REGSAM access = random_.chance(85) ? KEY_ALL_ACCESS : KEY_READ;
        HKEY result = nullptr;
        DWORD disposition = 0;
        const LONG answer =
            create ? RegCreateKeyExA(key, none ? nullptr : path.c_str(), 0, nullptr, 0, access,
                                     nullptr, &result, &disposition)
                   : RegOpenKeyExA(key, none ? nullptr : path.c_str(), 0, access, &result);
        Line line;
        line << at << (create ? "create " : "open ") << (none ? "none" : shown(path))
             << (access == KEY_READ ? " read" : "") << " -> " << answer;
        if (answer == ERROR_SUCCESS) {
            if (create && !path.empty()) line << " disposition " << disposition;
            const std::size_t slot = 1 + random_.below(kSlots - 1);
            if (slots_[slot]) RegCloseKey(slots_[slot]);
            slots_[slot] = result;
            line << " into @" << slot;
        }
        say(line);
    }

    // An empty path deletes the key itself, never the base.
    void deleteKey(HKEY key, const std::string& at) {
        const std::string path = key != slots_[0] && random_.chance(10)
                                     ? std::string()
                                     : keyPaths_[random_.below(keyPaths_.size())];
        say(Line() << at << "delete key " << shown(path) << " -> "
                   << RegDeleteKeyA(key, path.c_str()));
    }

    void closeKey() {
        const std::size_t slot = 1 + random_.below(kSlots - 1);
        if (!slots_[slot]) return;
        say(Line() << "close @" << slot << " -> " << RegCloseKey(slots_[slot]));
        slots_[slot] = nullptr;
    }

    Random random_;
    int step_ = 0;
    std::vector<std::string> valueNames_;
    std::vector<std::string> keyPaths_;
    std::vector<HKEY> slots_;
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: registry_script SEED CALLS\n");
        return 2;
    }
    Script script(std::strtoull(argv[1], nullptr, 10));
    if (!script.begin()) {
        std::fprintf(stderr, "registry_script: cannot create HKEY_CURRENT_USER\\%s\n", kBase);
        return 1;
    }
    script.run(std::atoi(argv[2]));
    script.end();
    return 0;
}
