#pragma once
// An independent model of the curve arithmetic's roundings, in exact integers:
// values are held as whole multiples of a power of two and rounded to n
// significant bits, ties to even, by hand. It shares no code with plot/.

#include <bit>
#include <cmath>
#include <cstdint>

namespace reference {

// An unsigned integer of up to 128 bits as two halves, with just the
// operations below (C++ has no portable 128-bit integer).
struct Wide {
    std::uint64_t high = 0, low = 0;

    Wide(std::uint64_t value) : low(value) {}  // NOLINT(google-explicit-constructor)
    Wide(std::uint64_t h, std::uint64_t l) : high(h), low(l) {}

    friend bool operator==(Wide a, Wide b) { return a.high == b.high && a.low == b.low; }
    friend bool operator>(Wide a, Wide b) {
        return a.high != b.high ? a.high > b.high : a.low > b.low;
    }
    friend Wide operator+(Wide a, Wide b) {
        const std::uint64_t sum = a.low + b.low;
        return {a.high + b.high + (sum < a.low ? 1 : 0), sum};
    }
    friend Wide operator-(Wide a, Wide b) {
        return {a.high - b.high - (a.low < b.low ? 1 : 0), a.low - b.low};
    }
    friend Wide operator&(Wide a, Wide b) { return {a.high & b.high, a.low & b.low}; }
    friend Wide operator<<(Wide v, int n) {
        if (n == 0) return v;
        if (n >= 64) return {v.low << (n - 64), 0};
        return {(v.high << n) | (v.low >> (64 - n)), v.low << n};
    }
    friend Wide operator>>(Wide v, int n) {
        if (n == 0) return v;
        if (n >= 64) return {0, v.high >> (n - 64)};
        return {v.high >> n, (v.low >> n) | (v.high << (64 - n))};
    }
    // v·m for m < 2^32, the product below 2^128.
    friend Wide operator*(Wide v, std::uint32_t m) {
        const std::uint64_t lowLow = (v.low & 0xFFFFFFFFu) * m;
        const std::uint64_t lowHigh = (v.low >> 32) * m;
        return Wide{v.high * m, lowLow} + Wide{lowHigh >> 32, lowHigh << 32};
    }
    // Exact when the value has at most 53 significant bits.
    double toDouble() const {
        return std::ldexp(static_cast<double>(high), 64) + static_cast<double>(low);
    }
};

inline int bitLength(Wide v) {
    return v.high != 0 ? 128 - std::countl_zero(v.high) : 64 - std::countl_zero(v.low);
}

// v rounded to `bits` significant bits, ties to even.
inline Wide roundToBits(Wide v, int bits) {
    const int shift = bitLength(v) - bits;
    if (shift <= 0) return v;
    Wide kept = v >> shift;
    const Wide rest = v & ((Wide{1} << shift) - 1);
    const Wide half = Wide{1} << (shift - 1);
    if (rest > half || (rest == half && (kept.low & 1) != 0)) kept = kept + 1;
    return kept << shift;
}

// x = mantissa · 2^exponent with a whole 24-bit mantissa (x ≥ 0).
struct Split {
    std::uint32_t mantissa;
    int exponent;
};
inline Split split(float x) {
    int e = 0;
    const float m = std::frexp(x, &e);
    return {static_cast<std::uint32_t>(std::ldexp(m, 24)), e - 24};
}

// fl32(fl80(x + 0.1)), where 0.1 is the double nearest one tenth. Every x the
// loop reaches, and that double, are whole multiples of 2^-56.
inline float nextX(float x) {
    const Split s = split(x);
    const Wide units = Wide{s.mantissa} << (s.exponent + 56);
    const Wide tenth = 7205759403792794;  // 0.1 as a double is this · 2^-56
    const Wide sum = roundToBits(roundToBits(units + tenth, 64), 24);
    return static_cast<float>(std::ldexp(sum.toDouble(), -56));
}

// x^power rounded once to a double (power 2, 3 or 4).
inline double power(float x, int power) {
    if (x == 0.0f) return 0.0;
    const Split s = split(x);
    Wide exact = 1;
    for (int i = 0; i < power; ++i) exact = exact * s.mantissa;
    return std::ldexp(roundToBits(exact, 53).toDouble(), s.exponent * power);
}

}  // namespace reference
