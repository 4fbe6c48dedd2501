#pragma once
// plot::Extended: the x87 80-bit extended binary format (sign, 15-bit
// exponent, 64-bit significand with an explicit integer bit) in software, so
// that the curve arithmetic rounds every product and sum to the same 64-bit
// significand on every platform, whatever long double is there.
//
// What the curve arithmetic, the decimal reader and their tests use: exact
// construction from integers, floats and doubles (and from and to long double
// where that is this format); the encoding's bits; + − × ÷ rounded to nearest
// with ties to even; the x87 exponent range with overflow to infinity and
// gradual underflow; IEEE infinities and NaN (0/0, ∞ − ∞, ∞/∞ and 0·∞ give
// NaN; every comparison with NaN is false); comparisons; floor; the whole part
// as a 64-bit count; correctly rounded conversion to float and double.
//
// Written here because standard C++ has no such type; the structure is that
// of Berkeley SoftFloat's extF80 code.

#include <algorithm>
#include <bit>
#include <compare>
#include <concepts>
#include <cstdint>
#include <cstring>
#include <limits>
#include <type_traits>

namespace plot {

// True where long double is itself the x87 80-bit format (GCC and Clang on x86).
inline constexpr bool kLongDoubleIsX87 = std::numeric_limits<long double>::digits == 64 &&
                                         std::numeric_limits<long double>::max_exponent == 16384 &&
                                         std::endian::native == std::endian::little;

template <class T>
concept IntegerType = std::integral<T> && !std::same_as<T, bool>;

// long double, where it is the x87 format.
template <class T>
concept X87LongDouble = std::same_as<T, long double> && kLongDoubleIsX87;

class Extended {
public:
    // The encoding. A finite value is significand·2^(e − kSignificandBias),
    // where e is the biased exponent, or 1 for the subnormals (whose exponent
    // field is 0); the significand's integer bit is set in normal values.
    static constexpr std::int32_t kExponentBias = 16383;
    static constexpr std::int32_t kSignificandBias = kExponentBias + 63;
    static constexpr std::int32_t kMaxFiniteExponent = 0x7FFE;
    // The exponent of infinities and NaNs: every exponent bit set.
    static constexpr std::int32_t kMaxBiasedExponent = 0x7FFF;
    static constexpr std::uint16_t kSignBit = 0x8000;
    static constexpr std::uint64_t kIntegerBit = 0x8000000000000000u;

    // +0.
    constexpr Extended() = default;

    // Exact, and so implicit: every integer of up to 64 bits fits the 64-bit
    // significand.
    template <IntegerType Integer>
    constexpr Extended(Integer value);

    // Exact on every platform. Explicit, so that a binary fraction such as the
    // double nearest 0.1 enters the arithmetic only where the code says so.
    explicit constexpr Extended(double value);
    explicit constexpr Extended(float value) : Extended(static_cast<double>(value)) {}

    // Exact, and implicit, where long double is this very format; elsewhere a
    // long double does not convert at all, rather than giving other bits.
    template <X87LongDouble LongDouble>
    Extended(LongDouble value);
    template <X87LongDouble LongDouble>
    explicit operator LongDouble() const;

    // The x87 encoding: bit 15 of signAndExponent is the sign (kSignBit), bits
    // 0–14 the exponent biased by kExponentBias; the significand holds the
    // integer bit as bit 63 (kIntegerBit).
    static constexpr Extended fromBits(std::uint16_t signAndExponent, std::uint64_t significand) {
        Extended v;
        v.signAndExponent_ = signAndExponent;
        v.significand_ = significand;
        return v;
    }
    constexpr std::uint16_t signAndExponent() const { return signAndExponent_; }
    constexpr std::uint64_t significand() const { return significand_; }

    // Rounded to nearest, ties to even, overflowing to infinity and
    // underflowing through the subnormals of the narrower type.
    float toFloat() const;
    double toDouble() const;

    // The whole part of a value in [0, 2^64), as for a pass count: 0 for
    // values below 1 and for NaN, 2^64 − 1 for values beyond.
    std::uint64_t toUint64() const;

    constexpr bool signBit() const { return (signAndExponent_ & kSignBit) != 0; }
    constexpr bool isNaN() const {
        return biasedExponent() == kMaxBiasedExponent && significand_ != kIntegerBit;
    }
    constexpr bool isInf() const {
        return biasedExponent() == kMaxBiasedExponent && significand_ == kIntegerBit;
    }
    constexpr bool isFinite() const { return biasedExponent() != kMaxBiasedExponent; }
    constexpr bool isZero() const { return significand_ == 0 && isFinite(); }

    constexpr Extended operator-() const {
        return fromBits(static_cast<std::uint16_t>(signAndExponent_ ^ kSignBit), significand_);
    }

    friend Extended operator+(Extended a, Extended b);
    friend Extended operator-(Extended a, Extended b);
    friend Extended operator*(Extended a, Extended b);
    friend Extended operator/(Extended a, Extended b);
    friend bool operator==(Extended a, Extended b);
    friend std::partial_ordering operator<=>(Extended a, Extended b);

private:
    constexpr std::int32_t biasedExponent() const { return signAndExponent_ & kMaxBiasedExponent; }

    std::uint64_t significand_ = 0;
    std::uint16_t signAndExponent_ = 0;
};

// The largest whole value not above v (−1 for −0.5, −0 for −0).
Extended floor(Extended v);

// --- Packing: a value from its fields, and back ------------------------------
// The exact results of the arithmetic, its rounding step (extended_rounding.h),
// the decimal reader and the exact conversions below all put their values
// together here.

namespace detail {

// The bit that makes an x87 NaN quiet: the one below the integer bit.
inline constexpr std::uint64_t kQuietBit = Extended::kIntegerBit >> 1;

// The value with these fields: the sign, the biased exponent (0 for zero and
// the subnormals) and the 64-bit significand with its integer bit.
constexpr Extended pack(bool negative, std::int32_t biasedExponent, std::uint64_t significand) {
    return Extended::fromBits(
        static_cast<std::uint16_t>((negative ? Extended::kSignBit : 0) | biasedExponent),
        significand);
}
constexpr Extended zero(bool negative) { return pack(negative, 0, 0); }
constexpr Extended infinity(bool negative) {
    return pack(negative, Extended::kMaxBiasedExponent, Extended::kIntegerBit);
}

// `significand` nonzero, as significand·2^(exponent − Extended::kSignificandBias):
// shifted up until its top bit is set, the exponent lowered to match (exact,
// as the value has at most 64 significant bits).
constexpr Extended normalizedPack(bool negative, std::int32_t exponent, std::uint64_t significand) {
    const int shift = std::countl_zero(significand);
    return pack(negative, exponent - shift, significand << shift);
}

// The exponent e of a finite v = significand·2^(e − Extended::kSignificandBias):
// its biased exponent, or 1 for zero and the subnormals, whose exponent field
// is 0.
constexpr std::int32_t exponentOf(Extended v) {
    return std::max<std::int32_t>(v.signAndExponent() & Extended::kMaxBiasedExponent, 1);
}

// A finite nonzero value as significand·2^(exponent − Extended::kSignificandBias)
// with the top bit of the significand set. Subnormals are shifted up, their
// exponent going below 1; so is any encoding whose integer bit disagrees with
// its exponent, read for the value its fields spell.
struct Unpacked {
    bool negative;
    std::int32_t exponent;
    std::uint64_t significand;
};

constexpr Unpacked unpack(Extended v) {
    const int shift = std::countl_zero(v.significand());
    return {v.signBit(), exponentOf(v) - shift, v.significand() << shift};
}

}  // namespace detail

// --- Exact conversions -----------------------------------------------------

template <IntegerType Integer>
constexpr Extended::Extended(Integer value) {
    bool negative = false;
    if constexpr (std::is_signed_v<Integer>) negative = value < 0;
    const std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    if (magnitude != 0) *this = detail::normalizedPack(negative, kSignificandBias, magnitude);
}

constexpr Extended::Extended(double value) {
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const bool negative = (bits >> 63) != 0;
    const int exponent = static_cast<int>((bits >> 52) & 0x7FF);
    const std::uint64_t fraction = bits & 0xFFFFFFFFFFFFFu;
    if (exponent == 0x7FF) {
        // Infinity, or a NaN made quiet, its payload kept as the x87 load keeps it.
        *this =
            detail::pack(negative, kMaxBiasedExponent,
                         kIntegerBit | (fraction << 11) | (fraction != 0 ? detail::kQuietBit : 0));
    } else if (exponent == 0) {
        // Zero, or the subnormal fraction·2^-1074.
        *this = fraction == 0 ? detail::zero(negative)
                              : detail::normalizedPack(negative, kSignificandBias - 1074, fraction);
    } else {
        *this =
            detail::pack(negative, exponent - 1023 + kExponentBias, kIntegerBit | (fraction << 11));
    }
}

// The x87 format in memory: the significand in bytes 0–7, then the sign and
// exponent in bytes 8–9, little-endian like every x87 platform.
template <X87LongDouble LongDouble>
Extended::Extended(LongDouble value) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(&value);
    std::memcpy(&significand_, bytes, sizeof significand_);
    std::memcpy(&signAndExponent_, bytes + 8, sizeof signAndExponent_);
}

template <X87LongDouble LongDouble>
Extended::operator LongDouble() const {
    LongDouble value = 0;
    auto* bytes = reinterpret_cast<unsigned char*>(&value);
    std::memcpy(bytes, &significand_, sizeof significand_);
    std::memcpy(bytes + 8, &signAndExponent_, sizeof signAndExponent_);
    return value;
}

}  // namespace plot
