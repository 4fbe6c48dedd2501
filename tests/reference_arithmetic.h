#pragma once
// An independent model of the curve arithmetic's roundings, in exact integers:
// values are held as whole multiples of a power of two and rounded to n
// significant bits, ties to even, by hand. It shares no code with plot/.

#include <cmath>
#include <cstdint>

namespace reference {

__extension__ typedef unsigned __int128 Wide;

inline int bitLength(Wide v) {
    int n = 0;
    while (v != 0) {
        v >>= 1;
        ++n;
    }
    return n;
}

// v rounded to `bits` significant bits, ties to even.
inline Wide roundToBits(Wide v, int bits) {
    const int shift = bitLength(v) - bits;
    if (shift <= 0) return v;
    Wide kept = v >> shift;
    const Wide rest = v & ((Wide{1} << shift) - 1);
    const Wide half = Wide{1} << (shift - 1);
    if (rest > half || (rest == half && (kept & 1) != 0)) ++kept;
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
    return static_cast<float>(std::ldexp(static_cast<long double>(sum), -56));
}

// x^power rounded once to a double (power 2, 3 or 4).
inline double power(float x, int power) {
    if (x == 0.0f) return 0.0;
    const Split s = split(x);
    Wide exact = 1;
    for (int i = 0; i < power; ++i) exact *= s.mantissa;
    return std::ldexp(static_cast<double>(roundToBits(exact, 53)), s.exponent * power);
}

}  // namespace reference
