#pragma once
// The record types of CRegistry's interface. (The platform records that the
// class passes to the registry, SECURITY_ATTRIBUTES and FILETIME, come with
// the platform declarations in CRegistryFunctions.h.)

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

// An array of bytes with the index of its first element. ReadBinary returns
// arrays indexed from 0, and WriteBinary accepts no other.
struct ByteArray {
    std::int32_t lowerBound = 0;
    std::vector<std::uint8_t> bytes;

    std::int32_t upperBound() const {
        return lowerBound + static_cast<std::int32_t>(bytes.size()) - 1;
    }
    bool operator==(const ByteArray&) const = default;
};

// The class's variant: nothing (std::monostate, the empty result), a byte
// array, or other data, a number or a text.
using Variant = std::variant<std::monostate, ByteArray, std::int32_t, std::u16string>;

// A list of texts indexed from 1, as EnumerateKeys and EnumerateValues fill
// it: element i holds item i, element 0 is unused and empty. An empty vector
// is a list with no elements; one of n items has n + 1 elements.
using TextList = std::vector<std::u16string>;
