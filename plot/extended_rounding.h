#pragma once
// The one rounding step of the extended arithmetic. Every operation of
// plot::Extended, the decimal reader and the conversions to float and double
// compute their result exactly, or its leading 128 bits with the rest jammed
// into the lowest bit, and end here; the few exact results are packed
// directly. Both pack with the helpers beside the class (extended.h).

#include <bit>
#include <cstdint>

#include "plot/extended.h"
#include "plot/uint128.h"

namespace plot::detail {

// The format a result is rounded to: `precision` significant bits; below
// `minExponent` (the biased exponent of its smallest normal) at the fixed
// point of its subnormals; past `maxExponent` (that of its largest finite
// values) to infinity. Exponents are biased as in the x87 format.
struct RoundingFormat {
    int precision;
    std::int32_t minExponent;
    std::int32_t maxExponent;
};

inline constexpr RoundingFormat kExtendedFormat{64, 1, Extended::kMaxFiniteExponent};

// An IEEE binary format with `precision` significant bits and exponent bias
// `bias`: its exponents run from 1 − bias to bias.
constexpr RoundingFormat binaryFormat(int precision, std::int32_t bias) {
    return {precision, Extended::kExponentBias + 1 - bias, Extended::kExponentBias + bias};
}
inline constexpr RoundingFormat kDoubleFormat = binaryFormat(53, 1023);
inline constexpr RoundingFormat kFloatFormat = binaryFormat(24, 127);

// (significand + extra·2^-64)·2^(exponent − Extended::kSignificandBias), with
// the top bit of `significand` set, rounded to nearest with ties to even in
// `format`: the bits below its last place are the round bit and, nonzero or
// not, the sticky bit. The result is that value as an extended number, held
// exactly (a subnormal of a narrower format is a normal extended value), or
// ±0, or ±infinity.
template <RoundingFormat format>
inline Extended roundPack(bool negative, std::int32_t exponent, std::uint64_t significand,
                          std::uint64_t extra) {
    if (exponent < format.minExponent) {
        // Below the normals: to the subnormals' fixed point, whatever is
        // shifted out kept as sticky.
        const UInt128 shifted = shiftRightJam(
            {significand, extra}, static_cast<std::uint32_t>(format.minExponent - exponent));
        significand = shifted.high;
        extra = shifted.low;
        exponent = format.minExponent;
    }
    // The bits below the last place kept, from the top down, so that kHalf
    // is half a unit of that place.
    constexpr std::uint64_t kHalf = std::uint64_t{1} << 63;
    constexpr int kDropped = 64 - format.precision;
    constexpr std::uint64_t kUnit = std::uint64_t{1} << kDropped;
    std::uint64_t rest = extra;
    if constexpr (kDropped != 0) {
        rest = (significand << format.precision) | (extra != 0 ? 1u : 0u);
        significand &= ~(kUnit - 1);
    }
    if (rest > kHalf || (rest == kHalf && (significand & kUnit) != 0)) {
        significand += kUnit;
        if (significand == 0) {
            significand = Extended::kIntegerBit;  // all ones + 1: into the next binade
            ++exponent;
        }
    }
    if (exponent > format.maxExponent) return infinity(negative);
    if ((significand & Extended::kIntegerBit) == 0) {
        // A subnormal of the format, or zero. The x87 format writes its
        // subnormals with exponent 0; a narrower format's are normal here.
        if (significand == 0) return zero(negative);
        if constexpr (format.minExponent == kExtendedFormat.minExponent) {
            return pack(negative, 0, significand);
        } else {
            return normalizedPack(negative, exponent, significand);
        }
    }
    return pack(negative, exponent, significand);
}

// roundPack in the x87 format for any (significand, extra), shifted up first
// until the top bit of `significand` is set; all zero gives +0 or −0.
Extended normalizeRoundPack(bool negative, std::int32_t exponent, std::uint64_t significand,
                            std::uint64_t extra);

}  // namespace plot::detail
