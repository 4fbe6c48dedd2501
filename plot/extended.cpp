// The extended arithmetic, one small function per operation.
//
// Rounding rules: each operation forms its exact result, or the exact
// result's leading 128 bits with every lower bit jammed into the last one,
// and ends in detail::roundPack, which rounds to a 64-bit significand, to
// nearest with ties to even, the way the x87 unit rounds at 64-bit precision.
// A result below the smallest normal (2^-16382) is rounded at the fixed point
// of the subnormals (2^-16445), so underflow is gradual and a rounding can
// carry a subnormal up into the normals; a result that rounds beyond the
// largest finite value becomes infinity. Exact zeros are +0 unless both terms
// of a sum are −0 (or the operands of a product or quotient differ in sign).
// Conversion to float and double goes through the same step, at 24 and 53
// bits and with those formats' exponent ranges, then packs the result exactly.

#include "plot/extended.h"

#include <algorithm>
#include <bit>
#include <utility>

#include "plot/extended_rounding.h"
#include "plot/uint128.h"

namespace plot {
namespace {

using detail::infinity;
using detail::kQuietBit;
using detail::pack;
using detail::unpack;
using detail::Unpacked;
using detail::zero;

// What an invalid operation gives: the x87's default NaN, negative and quiet.
Extended defaultNaN() {
    return pack(true, Extended::kMaxBiasedExponent, Extended::kIntegerBit | kQuietBit);
}
Extended quieted(Extended nan) {
    return Extended::fromBits(nan.signAndExponent(),
                              nan.significand() | Extended::kIntegerBit | kQuietBit);
}
// A NaN operand passes through, made quiet (the first one when both are NaN).
Extended propagateNaN(Extended a, Extended b) { return quieted(a.isNaN() ? a : b); }

std::uint32_t distance(std::int32_t larger, std::int32_t smaller) {
    return static_cast<std::uint32_t>(larger - smaller);
}

}  // namespace

namespace detail {

Extended normalizeRoundPack(bool negative, std::int32_t exponent, std::uint64_t significand,
                            std::uint64_t extra) {
    if (significand == 0) {
        if (extra == 0) return zero(negative);
        significand = extra;
        extra = 0;
        exponent -= 64;
    }
    const int shift = std::countl_zero(significand);
    if (shift != 0) {
        significand = (significand << shift) | (extra >> (64 - shift));
        extra <<= shift;
        exponent -= shift;
    }
    return roundPack<kExtendedFormat>(negative, exponent, significand, extra);
}

}  // namespace detail

namespace {

// |a| + |b| with the given sign.
Extended addMagnitudes(bool negative, Unpacked a, Unpacked b) {
    if (a.exponent < b.exponent) std::swap(a, b);
    const UInt128 aligned = shiftRightJam({b.significand, 0}, distance(a.exponent, b.exponent));
    std::uint64_t significand = a.significand + aligned.high;
    std::uint64_t extra = aligned.low;
    std::int32_t exponent = a.exponent;
    if (significand < a.significand) {
        // Carried out of 64 bits: one place down, the lowest bit kept as sticky.
        extra = (extra >> 1) | (extra & 1) | (significand << 63);
        significand = (significand >> 1) | Extended::kIntegerBit;
        ++exponent;
    }
    return detail::roundPack<detail::kExtendedFormat>(negative, exponent, significand, extra);
}

// |a| − |b|, negated when `negative`. The smaller operand is aligned with its
// lost bits jammed; where that loses anything (a gap of 2 places or more) the
// difference needs at most one place of normalisation, which keeps the jammed
// bit below the round bit. A gap of 0 or 1 loses nothing, however much cancels.
Extended subtractMagnitudes(bool negative, Unpacked a, Unpacked b) {
    if (a.exponent == b.exponent && a.significand == b.significand) return zero(false);
    if (a.exponent < b.exponent || (a.exponent == b.exponent && a.significand < b.significand)) {
        std::swap(a, b);
        negative = !negative;
    }
    const UInt128 aligned = shiftRightJam({b.significand, 0}, distance(a.exponent, b.exponent));
    const UInt128 difference = subtractWide({a.significand, 0}, aligned);
    return detail::normalizeRoundPack(negative, a.exponent, difference.high, difference.low);
}

Extended addOrSubtract(Extended a, Extended b, bool subtract) {
    const bool negativeA = a.signBit();
    const bool negativeB = b.signBit() != subtract;
    if (!a.isFinite() || !b.isFinite()) {
        if (a.isNaN() || b.isNaN()) return propagateNaN(a, b);
        if (a.isInf() && b.isInf()) return negativeA == negativeB ? a : defaultNaN();
        return a.isInf() ? a : infinity(negativeB);
    }
    if (b.isZero()) return a.isZero() ? zero(negativeA && negativeB) : a;
    if (a.isZero()) return subtract ? -b : b;
    const Unpacked ua = unpack(a);
    Unpacked ub = unpack(b);
    ub.negative = negativeB;
    return negativeA == negativeB ? addMagnitudes(negativeA, ua, ub)
                                  : subtractMagnitudes(negativeA, ua, ub);
}

// The significand quotient a/b ∈ (1/2, 2) to 66 bits, one bit per step of a
// restoring division: its first 64 bits (the first one worth 1) in `high`,
// the next two at the top of `low`, and a sticky bit for any remainder. Only
// the few divisions of the coefficients use it, so simplicity wins.
UInt128 divideSignificands(std::uint64_t a, std::uint64_t b) {
    std::uint64_t remainder = a;  // below 2b throughout
    const auto nextBit = [&](bool shift) {
        const bool carry = shift && (remainder >> 63) != 0;
        if (shift) remainder <<= 1;
        const bool bit = carry || remainder >= b;
        if (bit) remainder -= b;
        return bit ? 1u : 0u;
    };
    std::uint64_t high = nextBit(false);
    for (int step = 1; step < 64; ++step) high = (high << 1) | nextBit(true);
    const std::uint64_t twoMore = (nextBit(true) << 1) | nextBit(true);
    return {high, (twoMore << 62) | (remainder != 0 ? 1u : 0u)};
}

// v rounded to the IEEE binary format with `Precision` significant bits and
// exponent bias `Bias` (float: 24, 127; double: 53, 1023), which `Float`
// holds in the same number of bits as `Bits`.
template <class Float, class Bits, int Precision, int Bias>
Float narrowed(Extended v) {
    constexpr int kFractionBits = Precision - 1;
    constexpr Bits kSign = Bits{1} << (8 * sizeof(Bits) - 1);
    constexpr Bits kInfinity = static_cast<Bits>(2 * Bias + 1) << kFractionBits;
    const Bits sign = v.signBit() ? kSign : 0;
    if (v.isNaN()) {
        const Bits payload = static_cast<Bits>(v.significand() >> (64 - Precision));
        return std::bit_cast<Float>(sign | kInfinity | (Bits{1} << (kFractionBits - 1)) | payload);
    }
    if (v.isFinite() && !v.isZero()) {
        const Unpacked u = unpack(v);
        v = detail::roundPack<detail::binaryFormat(Precision, Bias)>(u.negative, u.exponent,
                                                                     u.significand, 0);
    }
    if (v.isInf()) return std::bit_cast<Float>(sign | kInfinity);
    if (v.isZero()) return std::bit_cast<Float>(sign);
    // Exact from here: v has at most Precision significant bits, in range.
    const std::int32_t exponent =
        (v.signAndExponent() & Extended::kMaxBiasedExponent) - Extended::kExponentBias;
    if (exponent >= 1 - Bias) {
        // Normal: the integer bit adds one to the exponent field.
        return std::bit_cast<Float>(
            static_cast<Bits>(sign + (static_cast<Bits>(exponent + Bias - 1) << kFractionBits) +
                              static_cast<Bits>(v.significand() >> (64 - Precision))));
    }
    const auto shift = static_cast<std::uint32_t>(64 - Precision + 1 - Bias - exponent);
    return std::bit_cast<Float>(static_cast<Bits>(sign + (v.significand() >> shift)));
}

}  // namespace

Extended operator+(Extended a, Extended b) { return addOrSubtract(a, b, false); }
Extended operator-(Extended a, Extended b) { return addOrSubtract(a, b, true); }

Extended operator*(Extended a, Extended b) {
    const bool negative = a.signBit() != b.signBit();
    if (!a.isFinite() || !b.isFinite()) {
        if (a.isNaN() || b.isNaN()) return propagateNaN(a, b);
        if (a.isZero() || b.isZero()) return defaultNaN();  // ∞·0
        return infinity(negative);
    }
    if (a.isZero() || b.isZero()) return zero(negative);
    const Unpacked ua = unpack(a), ub = unpack(b);
    const UInt128 product = multiplyWide(ua.significand, ub.significand);  // 2^126 ≤ · < 2^128
    return detail::normalizeRoundPack(negative,
                                      ua.exponent + ub.exponent - Extended::kExponentBias + 1,
                                      product.high, product.low);
}

Extended operator/(Extended a, Extended b) {
    const bool negative = a.signBit() != b.signBit();
    if (!a.isFinite() || !b.isFinite()) {
        if (a.isNaN() || b.isNaN()) return propagateNaN(a, b);
        if (a.isInf()) return b.isInf() ? defaultNaN() : infinity(negative);
        return zero(negative);  // finite/∞
    }
    if (b.isZero()) return a.isZero() ? defaultNaN() : infinity(negative);
    if (a.isZero()) return zero(negative);
    const Unpacked ua = unpack(a), ub = unpack(b);
    const UInt128 quotient = divideSignificands(ua.significand, ub.significand);
    return detail::normalizeRoundPack(negative, ua.exponent - ub.exponent + Extended::kExponentBias,
                                      quotient.high, quotient.low);
}

std::partial_ordering operator<=>(Extended a, Extended b) {
    if (a.isNaN() || b.isNaN()) return std::partial_ordering::unordered;
    if (a.isZero() && b.isZero()) return std::partial_ordering::equivalent;
    // Zeros count as non-negative with the least magnitude.
    const bool negativeA = a.signBit() && !a.isZero();
    const bool negativeB = b.signBit() && !b.isZero();
    if (negativeA != negativeB)
        return negativeA ? std::partial_ordering::less : std::partial_ordering::greater;
    std::strong_ordering magnitude = std::strong_ordering::equal;
    if (a.isZero() || b.isZero()) {
        magnitude = a.isZero() ? std::strong_ordering::less : std::strong_ordering::greater;
    } else {
        const Unpacked ua = unpack(a), ub = unpack(b);
        magnitude = ua.exponent != ub.exponent ? ua.exponent <=> ub.exponent
                                               : ua.significand <=> ub.significand;
    }
    return negativeA ? 0 <=> magnitude : magnitude <=> 0;
}

bool operator==(Extended a, Extended b) { return (a <=> b) == 0; }

Extended floor(Extended v) {
    if (v.isNaN()) return quieted(v);
    if (!v.isFinite() || v.isZero()) return v;
    const Unpacked u = unpack(v);
    const std::int32_t exponent =
        u.exponent - Extended::kExponentBias;  // value = significand·2^(exponent − 63)
    if (exponent >= 63) return v;
    if (exponent < 0) return u.negative ? Extended(-1) : zero(false);
    const std::uint64_t fraction = (std::uint64_t{1} << (63 - exponent)) - 1;
    if ((u.significand & fraction) == 0) return v;
    std::uint64_t whole = u.significand & ~fraction;
    std::int32_t biased = u.exponent;
    if (u.negative) {
        whole += fraction + 1;
        if (whole == 0) {  // 0xFFFF…F.x rounded away: the next power of two
            whole = Extended::kIntegerBit;
            ++biased;
        }
    }
    return pack(u.negative, biased, whole);
}

float Extended::toFloat() const { return narrowed<float, std::uint32_t, 24, 127>(*this); }
double Extended::toDouble() const { return narrowed<double, std::uint64_t, 53, 1023>(*this); }

std::uint64_t Extended::toUint64() const {
    if (isNaN() || isZero() || signBit()) return 0;
    if (isInf()) return ~std::uint64_t{0};
    const Unpacked u = unpack(*this);
    const std::int32_t exponent = u.exponent - Extended::kExponentBias;
    if (exponent < 0) return 0;
    if (exponent >= 64) return ~std::uint64_t{0};
    return u.significand >> (63 - exponent);
}

}  // namespace plot
