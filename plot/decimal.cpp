// Decimal reading in two steps. First an approximation: the leading 38
// digits times a power of ten built from 128-bit truncated powers, which
// brackets the value within 2^-121 of itself. When both ends of that bracket
// round to the same extended value, that value is the answer (rounding is
// monotone). Otherwise the value lies within 2^-121 of the midpoint between
// the two results, and exact integer arithmetic compares it with that
// midpoint (one in 2^57 of random texts; every exact halfway text).

#include "plot/decimal.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "plot/big_unsigned.h"
#include "plot/decimal_text.h"
#include "plot/extended_rounding.h"
#include "plot/uint128.h"

namespace plot {
namespace {

using detail::DecimalText;
using detail::scan;
using detail::SignificantDigits;

constexpr std::uint64_t kTopBit = std::uint64_t{1} << 63;  // of a 64-bit word

// --- The range ---------------------------------------------------------------

// point ≥ 4934: value ≥ 10^4933, beyond the largest finite value plus half
// an ulp (1.19e4932). point ≤ −4951: value < 10^-4951, below half the
// smallest subnormal (2^-16446 ≈ 1.82e-4951), which rounds to zero.
constexpr std::int64_t kOverflowPoint = 4934;
constexpr std::int64_t kUnderflowPoint = -4951;

// Digits past this many change the result only through being nonzero. The
// rounding boundaries are the midpoints between neighbouring extended values
// (and the overflow threshold); the longest, (2^65 − 1)·2^-16446 at the
// bottom of the normal range, has 11,515 significant digits, and the
// subnormal ones no more. A boundary with at most this many digits is a whole
// multiple of the last kept digit's unit, so it cannot fall strictly inside
// the gap the dropped digits leave; a nonzero tail only decides a tie upward.
constexpr std::size_t kSignificantDigitLimit = 11'520;

// --- The approximation -------------------------------------------------------

// A positive value's lower bound significand·2^exponent, the top bit of the
// 128-bit significand set.
struct Wide {
    UInt128 significand;
    std::int32_t exponent;
};

Wide normalizedWide(UInt128 v, std::int32_t exponent) {
    const int shift = countLeadingZeros(v);
    return {shiftLeft(v, shift), exponent - shift};
}

// The leading 128 bits of a·b, truncated: low by less than one unit in their
// last place, i.e. by a factor of at most 1 + 2^-127.
Wide multiplyTruncated(const Wide& a, const Wide& b) {
    const UInt128 lowLow = multiplyWide(a.significand.low, b.significand.low);
    const UInt128 lowHigh = multiplyWide(a.significand.low, b.significand.high);
    const UInt128 highLow = multiplyWide(a.significand.high, b.significand.low);
    const UInt128 highHigh = multiplyWide(a.significand.high, b.significand.high);
    // The product's words w3 w2 w1 (w0 is never needed); the middle products
    // are added one word up.
    std::uint64_t w1 = lowLow.high;
    UInt128 top = highHigh;  // w3 w2
    for (const UInt128& middle : {lowHigh, highLow}) {
        w1 += middle.low;
        const std::uint64_t carry = w1 < middle.low ? 1 : 0;
        bool wrapped = false;  // never: the product is below 2^256
        top = addWide(addWide(top, {0, middle.high}, wrapped), {0, carry}, wrapped);
    }
    const std::uint64_t w3 = top.high, w2 = top.low;
    const std::int32_t exponent = a.exponent + b.exponent;
    if ((w3 & kTopBit) != 0) return {{w3, w2}, exponent + 128};
    return {{(w3 << 1) | (w2 >> 63), (w2 << 1) | (w1 >> 63)}, exponent + 127};
}

// 10^(2^i) and 10^-(2^i) for i = 0 … 12, each truncated to 128 bits.
struct PowerTables {
    std::array<Wide, 13> positive, negative;
};

Wide leading128(const BigUnsigned& v) {
    const std::size_t length = v.bitLength();
    if (length <= 128) return normalizedWide({v.bitsFrom(64), v.bitsFrom(0)}, 0);
    return {{v.bitsFrom(length - 64), v.bitsFrom(length - 128)},
            static_cast<std::int32_t>(length - 128)};
}

// floor(2^(L+127)/v)·2^-(L+127) for 2^(L−1) < v < 2^L: 1/v to 128 bits,
// truncated, by long division a bit at a time.
Wide reciprocal128(const BigUnsigned& v) {
    const std::size_t length = v.bitLength();
    BigUnsigned remainder(1);
    remainder.shiftLeft(length - 1);
    UInt128 quotient{};
    for (int bit = 0; bit < 128; ++bit) {
        remainder.shiftLeft(1);
        quotient = shiftLeft(quotient, 1);
        if (remainder >= v) {
            remainder.subtract(v);
            quotient.low |= 1;
        }
    }
    return {quotient, -static_cast<std::int32_t>(length) - 127};
}

// Built from exact powers on first use (a millisecond), so no table of
// constants has to be trusted.
const PowerTables& powerTables() {
    static const PowerTables tables = [] {
        PowerTables built{};
        BigUnsigned power(10);
        for (std::size_t i = 0; i < built.positive.size(); ++i) {
            built.positive[i] = leading128(power);
            built.negative[i] = reciprocal128(power);
            if (i + 1 < built.positive.size()) power.multiply(power);
        }
        return built;
    }();
    return tables;
}

// d·10^q for d < 2^127 and |q| < 2^13: a lower bound, at most 13 table
// factors and 13 truncations low, so within a factor (1 + 2^-127)^26.
Wide scaled(UInt128 d, std::int64_t q) {
    const PowerTables& tables = powerTables();
    const std::array<Wide, 13>& table = q >= 0 ? tables.positive : tables.negative;
    Wide result = normalizedWide(d, 0);
    std::uint64_t n = static_cast<std::uint64_t>(q >= 0 ? q : -q);
    for (std::size_t i = 0; n != 0; ++i, n >>= 1)
        if ((n & 1) != 0) result = multiplyTruncated(result, table[i]);
    return result;
}

// The value is below lower·(1 + 2^-127)^26·(1 + 10^-37) (the last factor
// for digits beyond the 38 read) < lower·(1 + 2^-121.5), and lower's
// significand is below 2^128, so 2^7 units of its last place cover the gap.
Wide upperBound(const Wide& lower) {
    bool carry = false;
    const UInt128 raised = addWide(lower.significand, {0, 128}, carry);
    if (carry) return {{kTopBit, 128}, lower.exponent + 1};
    return {raised, lower.exponent};
}

UInt128 leadingValue(const SignificantDigits& digits, std::size_t count) {
    std::uint64_t high = 0, low = 0, scale = 1;
    const std::size_t split = std::min<std::size_t>(count, 19);
    for (std::size_t i = 0; i < split; ++i) high = high * 10 + digits[i];
    for (std::size_t i = split; i < count; ++i) {
        low = low * 10 + digits[i];
        scale *= 10;
    }
    bool carry = false;
    return addWide(multiplyWide(high, scale), {0, low}, carry);
}

Extended rounded(const Wide& w) {
    // roundPack's significand:extra is the 128-bit significand, its last bit
    // worth 2^w.exponent.
    return detail::roundPack<detail::kExtendedFormat>(
        false, w.exponent + 64 + Extended::kSignificandBias, w.significand.high, w.significand.low);
}

// --- The exact decision ------------------------------------------------------

// significand·2^exponent.
struct Binary {
    UInt128 significand;
    std::int32_t exponent;
};

// The midpoint of neighbouring non-negative values low < high, where high may
// be +∞ (then the overflow threshold, as if the next binade went on).
Binary midpointBetween(Extended low, Extended high) {
    // Each as significand·2^(e − Extended::kSignificandBias), e = max(biased exponent, 1).
    const auto parts = [](Extended v, std::int32_t& e) -> UInt128 {
        if (v.isInf()) {
            e = Extended::kMaxFiniteExponent;
            return {1, 0};
        }
        e = detail::exponentOf(v);
        return {0, v.significand()};
    };
    std::int32_t eLow = 0, eHigh = 0;
    const UInt128 sLow = parts(low, eLow), sHigh = parts(high, eHigh);
    const std::int32_t e = std::min(eLow, eHigh);
    bool carry = false;
    const UInt128 sum = addWide(shiftLeft(sLow, eLow - e), shiftLeft(sHigh, eHigh - e), carry);
    return {sum, e - Extended::kSignificandBias - 1};
}

BigUnsigned digitsValue(const SignificantDigits& digits, std::size_t count) {
    BigUnsigned value;
    for (std::size_t i = 0; i < count;) {
        std::uint32_t chunk = 0, scale = 1;
        for (const std::size_t end = std::min(count, i + 9); i < end; ++i) {
            chunk = chunk * 10 + digits[i];
            scale *= 10;
        }
        value.multiplyAdd(scale, chunk);
    }
    return value;
}

// d·10^q against m, as d·5^q·2^q against m.significand·2^m.exponent with the
// powers of five and two moved to whichever side keeps them whole.
std::strong_ordering compareExactly(BigUnsigned d, std::int64_t q, const Binary& m) {
    BigUnsigned other(m.significand.high, m.significand.low);
    if (q >= 0)
        d.multiply(BigUnsigned::powerOfFive(static_cast<std::uint32_t>(q)));
    else
        other.multiply(BigUnsigned::powerOfFive(static_cast<std::uint32_t>(-q)));
    const std::int64_t shift = q - m.exponent;
    if (shift >= 0)
        d.shiftLeft(static_cast<std::size_t>(shift));
    else
        other.shiftLeft(static_cast<std::size_t>(-shift));
    return d <=> other;
}

Extended nearest(const SignificantDigits& digits) {
    const std::int64_t point = digits.point();
    if (point >= kOverflowPoint) return detail::infinity(false);
    if (point <= kUnderflowPoint) return Extended();

    const std::size_t leading = std::min<std::size_t>(digits.count(), 38);
    const Wide lower =
        scaled(leadingValue(digits, leading), point - static_cast<std::int64_t>(leading));
    const Extended low = rounded(lower), high = rounded(upperBound(lower));
    if (low == high) return low;

    const std::size_t kept = std::min(digits.count(), kSignificantDigitLimit);
    const bool tail = digits.count() > kept;  // nonzero, as the last digit is
    const std::strong_ordering order =
        compareExactly(digitsValue(digits, kept), point - static_cast<std::int64_t>(kept),
                       midpointBetween(low, high));
    // Rounded as low plus what lies below its last place: just under half a
    // unit, exactly half (a tie, to even) or just over.
    const std::uint64_t below = order < 0 ? kTopBit - 1 : order > 0 || tail ? kTopBit | 1 : kTopBit;
    return detail::normalizeRoundPack(false, detail::exponentOf(low), low.significand(), below);
}

}  // namespace

std::optional<Extended> parseDecimal(std::string_view text) {
    const std::optional<DecimalText> parsed = scan(text);
    if (!parsed) return std::nullopt;
    const SignificantDigits digits(*parsed);
    const Extended magnitude = digits.count() == 0 ? Extended() : nearest(digits);
    return parsed->negative ? -magnitude : magnitude;
}

}  // namespace plot
