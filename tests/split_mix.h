#pragma once
// SplitMix64, the tests' source of random inputs: a few instructions a
// number (the library's Mersenne twister would take much of a test's time),
// and the same sequence for a seed on every platform.

#include <cstdint>

class SplitMix {
public:
    explicit SplitMix(std::uint64_t seed) : state_(seed) {}

    std::uint64_t bits() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15u);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
        return z ^ (z >> 31);
    }
    int below(int n) { return static_cast<int>(bits() % static_cast<std::uint64_t>(n)); }
    int between(int from, int to) { return from + below(to - from + 1); }
    bool oneIn(int n) { return below(n) == 0; }
    bool coin() { return (bits() & 1) != 0; }

private:
    std::uint64_t state_;
};
