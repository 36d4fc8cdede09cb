#pragma once
// Seeded numbers, the same from the same seed on every platform and library
// (splitmix64), so that a native program and its mingw-w64 build under Wine
// make the very same calls.

#include <cstddef>
#include <cstdint>

class SeededRandom {
public:
    explicit SeededRandom(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    std::size_t below(std::size_t n) { return static_cast<std::size_t>(next() % n); }
    bool chance(int percent) { return below(100) < static_cast<std::size_t>(percent); }

private:
    std::uint64_t state_;
};
