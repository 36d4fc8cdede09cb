// settings_values: sets and shows the settings key the way the .reg
// reference run (tests/windows/regedit-reference) needs it, built natively
// against the store and by the mingw-w64 build against Wine's registry.
//
//   settings_values set SEED   the settings key made anew with a seeded set of
//                              values of every type below it
//   settings_values show       every key and value of it, one a line, the
//                              values of a key sorted by name: Wine lists
//                              them sorted, Windows and the store in the
//                              order they were made
//   settings_values export FILE | import FILE
//                              the program's --export and --import
//
// The generated values are the ones the Windows registry editor exports as
// they are and the 8-bit calls can write: a REG_SZ is one text and its NUL, a
// REG_DWORD four bytes, every text ends in its NUL. The
// values of a key are made in the order Wine lists them (by name, letters
// lower-cased), and subkey names are letters that no two orders of case set
// apart, so that both registries list them alike.

#include "RegFile.h"
#include "RegistryTree.h"
#include "SeededRandom.h"
#include "TextConversion.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

using RegistryTree::Key;
using RegistryTree::Value;

constexpr const char* kParent = "Software\\Quillmoor";
constexpr const char* kSettings = "Software\\Quillmoor\\Tarrowin";

using Random = SeededRandom;

// What names and texts are made of: ASCII with the characters a .reg file
// escapes or reads specially, letters of two, three and four bytes, and
// bytes that are no UTF-8 at all.
const std::string_view kPieces[] = {"a",
                                    "Z",
                                    "m",
                                    "0",
                                    " ",
                                    "=",
                                    "\"",
                                    "\\",
                                    "[",
                                    "]",
                                    "@",
                                    ";",
                                    "-",
                                    "\t",
                                    "\r",
                                    "\n",
                                    "\xc3\xa4",
                                    "\xc3\x84",
                                    "\xc3\x9f",
                                    "\xe2\x82\xac",
                                    "\xe9\x80\xb2",
                                    "\xf0\x9f\x98\x80",
                                    "\xef\xbf\xbd",
                                    "\x80",
                                    "\xc0\x80",
                                    "\xed\xa0\x80",
                                    "\xf0\x9f",
                                    "\xff"};

std::string text(Random& random, std::size_t pieces) {
    std::string result;
    for (std::size_t i = 0; i < pieces; ++i)
        result += kPieces[random.below(std::size(kPieces))];
    return result;
}

std::string bytes(Random& random, std::size_t count) {
    std::string result;
    for (std::size_t i = 0; i < count; ++i)
        result += static_cast<char>(random.below(256));
    return result;
}

std::size_t length(Random& random) {
    switch (random.below(8)) {
    case 0:
        return 0;
    case 1:
        return 1 + random.below(3);
    case 7:
        return random.chance(30) ? 1000 + random.below(3000) : 100 + random.below(200);
    default:
        return random.below(40);
    }
}

// The name as the registry keeps it, in UTF-16, each unit lower-cased as
// Wine compares names for its order (ASCII and the Latin-1 capitals are the
// only capitals the names here have).
std::u16string orderKey(const std::string& name);

Value value(Random& random, std::string name) {
    const DWORD types[] = {REG_NONE,
                           REG_SZ,
                           REG_SZ,
                           REG_SZ,
                           REG_EXPAND_SZ,
                           REG_BINARY,
                           REG_DWORD,
                           REG_DWORD_BIG_ENDIAN,
                           REG_LINK,
                           REG_MULTI_SZ,
                           REG_RESOURCE_LIST,
                           REG_QWORD,
                           0x20,
                           0x7fffffff};
    Value v{std::move(name), types[random.below(std::size(types))], {}};
    switch (v.type) {
    case REG_SZ:
        // One text and its NUL: no NUL inside.
        v.data = text(random, length(random)) + '\0';
        break;
    case REG_EXPAND_SZ:
        v.data = text(random, length(random)) + '\0';
        break;
    case REG_MULTI_SZ:
        for (std::size_t i = random.below(4); i > 0; --i)
            v.data += text(random, 1 + random.below(8)) + '\0';
        v.data += '\0';
        break;
    case REG_DWORD:
        v.data = bytes(random, 4);
        break;
    case REG_QWORD:
        v.data = bytes(random, random.chance(80) ? 8 : length(random));
        break;
    default:
        v.data = bytes(random, length(random));
    }
    // A sequence cut short just before the final NUL takes the NUL with it
    // into its U+FFFD: a text without its NUL, which the 8-bit calls that an
    // import writes through cannot make, and which the editor exports as if
    // it had one.
    if (RegistryTree::isText(v.type) && !TextConversion::roundTrip(v.data).ends_with('\0')) {
        v.data.back() = 'a';
        v.data += '\0';
    }
    return v;
}

std::vector<Value> values(Random& random) {
    std::vector<Value> result;
    std::set<std::u16string> taken; // names differing only in case are one name
    const std::size_t count = random.below(random.chance(10) ? 60 : 14);
    for (std::size_t i = 0; i < count; ++i) {
        std::string name = random.chance(5) ? std::string() : text(random, 1 + random.below(10));
        if (!taken.insert(orderKey(name)).second) continue;
        result.push_back(value(random, std::move(name)));
    }
    std::sort(result.begin(), result.end(),
              [](const Value& a, const Value& b) { return orderKey(a.name) < orderKey(b.name); });
    return result;
}

std::vector<Key> tree(Random& random) {
    std::vector<Key> keys = {{{}, values(random)}};
    const char* names[] = {"Presets", "Scene", "Kernel", "Upload", "Other"};
    std::size_t count = random.below(4);
    for (std::size_t i = 0; i < count; ++i) {
        keys.push_back({{names[i]}, values(random)});
        if (random.chance(40)) keys.push_back({{names[i], "Deeper"}, values(random)});
    }
    return keys;
}

std::string hex(std::string_view data) {
    static const char digits[] = "0123456789abcdef";
    std::string result;
    for (const unsigned char byte : data)
        result += {digits[byte >> 4], digits[byte & 15]};
    return result;
}

int show() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettings, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        std::printf("no settings key\n");
        return 0;
    }
    std::vector<Key> keys;
    const LONG result = RegistryTree::read(key, keys);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS) {
        std::fprintf(stderr, "settings_values: reading the settings key: error %ld\n",
                     static_cast<long>(result));
        return 1;
    }
    std::sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) { return a.path < b.path; });
    for (Key& k : keys) {
        std::string path;
        for (const std::string& name : k.path)
            path.append("\\").append(hex(name));
        std::printf("key %s\n", path.c_str());
        std::sort(k.values.begin(), k.values.end(),
                  [](const Value& a, const Value& b) { return a.name < b.name; });
        for (const Value& v : k.values)
            std::printf("  %s type %lx data %s\n", hex(v.name).c_str(),
                        static_cast<unsigned long>(v.type), hex(v.data).c_str());
    }
    return 0;
}

int set(std::uint64_t seed) {
    Random random(seed);
    RegistryTree::erase(HKEY_CURRENT_USER, kParent);
    const LONG result = RegistryTree::write(HKEY_CURRENT_USER, kSettings, tree(random));
    if (result != ERROR_SUCCESS) {
        std::fprintf(stderr, "settings_values: writing seed %llu: error %ld\n",
                     static_cast<unsigned long long>(seed), static_cast<long>(result));
        return 1;
    }
    return 0;
}

std::u16string orderKey(const std::string& name) {
    std::u16string key = TextConversion::widen(name);
    for (char16_t& c : key)
        if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) c += 0x20;
    return key;
}

} // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "set" && argc == 3) return set(std::strtoull(argv[2], nullptr, 10));
    if (command == "show" && argc == 2) return show();
    if ((command == "export" || command == "import") && argc == 3) {
        const std::u16string file = TextConversion::widen(argv[2]);
        const RegFile::Outcome outcome =
            command == "export" ? RegFile::exportSettings(file) : RegFile::importSettings(file);
        if (outcome.status != RegFile::Status::Done)
            std::fprintf(stderr, "settings_values: %s\n",
                         TextConversion::narrow(outcome.message).c_str());
        return static_cast<int>(outcome.status);
    }
    std::fprintf(stderr, "usage: settings_values set SEED | show | export FILE | import FILE\n");
    return 2;
}
