#pragma once
// A 128-bit unsigned integer as two 64-bit halves, with the few operations the
// extended arithmetic and the decimal reader need. Written out because C++20
// has no standard 128-bit integer and the compiler extensions differ (MSVC has
// none), while these few lines give the same bits everywhere.

#include <bit>
#include <cstdint>

namespace plot {

struct UInt128 {
    std::uint64_t high = 0;
    std::uint64_t low = 0;

    friend constexpr bool operator==(const UInt128&, const UInt128&) = default;
};

// a·b, exact: four 32×32-bit products summed with their carries.
constexpr UInt128 multiplyWide(std::uint64_t a, std::uint64_t b) {
    constexpr std::uint64_t kLow32 = 0xFFFFFFFFu;
    const std::uint64_t aLow = a & kLow32, aHigh = a >> 32;
    const std::uint64_t bLow = b & kLow32, bHigh = b >> 32;
    const std::uint64_t lowLow = aLow * bLow;
    const std::uint64_t lowHigh = aLow * bHigh;
    const std::uint64_t highLow = aHigh * bLow;
    const std::uint64_t middle = (lowLow >> 32) + (lowHigh & kLow32) + (highLow & kLow32);
    return {aHigh * bHigh + (lowHigh >> 32) + (highLow >> 32) + (middle >> 32),
            (middle << 32) | (lowLow & kLow32)};
}

// a + b modulo 2^128; `carry` tells whether the sum wrapped.
constexpr UInt128 addWide(UInt128 a, UInt128 b, bool& carry) {
    const std::uint64_t low = a.low + b.low;
    const std::uint64_t lowCarry = low < a.low ? 1 : 0;
    const std::uint64_t high = a.high + b.high + lowCarry;
    carry = high < a.high || (high == a.high && lowCarry != 0);
    return {high, low};
}

// a − b modulo 2^128.
constexpr UInt128 subtractWide(UInt128 a, UInt128 b) {
    const std::uint64_t borrow = a.low < b.low ? 1 : 0;
    return {a.high - b.high - borrow, a.low - b.low};
}

constexpr int countLeadingZeros(UInt128 v) {
    return v.high != 0 ? std::countl_zero(v.high) : 64 + std::countl_zero(v.low);
}

// v·2^shift for 0 ≤ shift < 128; bits shifted out are lost.
constexpr UInt128 shiftLeft(UInt128 v, int shift) {
    if (shift == 0) return v;
    if (shift >= 64) return {v.low << (shift - 64), 0};
    return {(v.high << shift) | (v.low >> (64 - shift)), v.low << shift};
}

// v·2^-shift for any shift ≥ 0, with every bit shifted out ORed into the
// lowest bit ("jammed"), so that the result still tells a rounding step whether
// anything nonzero was lost.
constexpr UInt128 shiftRightJam(UInt128 v, std::uint32_t shift) {
    if (shift == 0) return v;
    if (shift < 64) {
        const bool lost = (v.low << (64 - shift)) != 0;
        return {v.high >> shift, (v.high << (64 - shift)) | (v.low >> shift) | (lost ? 1u : 0u)};
    }
    if (shift == 64) return {0, v.high | (v.low != 0 ? 1u : 0u)};
    if (shift < 128) {
        const bool lost = (v.high << (128 - shift)) != 0 || v.low != 0;
        return {0, (v.high >> (shift - 64)) | (lost ? 1u : 0u)};
    }
    return {0, (v.high | v.low) != 0 ? 1u : 0u};
}

}  // namespace plot
