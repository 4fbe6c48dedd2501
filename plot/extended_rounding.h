#pragma once
// The one rounding step of the extended arithmetic. Every operation of
// plot::Extended, and the decimal reader, computes its result exactly, or its
// leading 128 bits with the rest jammed into the lowest bit, and ends here.

#include <cstdint>

#include "plot/extended.h"

namespace plot::detail {

// (significand + extra·2^-64)·2^(exponent − 16383 − 63), with the top bit of
// `significand` set, rounded to nearest with ties to even: bit 63 of `extra`
// is the round bit and its lower bits, nonzero or not, the sticky bit.
// Exponents below 1 give subnormals (rounded at their own fixed point) or
// zero; exponents past the top give infinity.
Extended roundPack(bool negative, std::int32_t exponent, std::uint64_t significand,
                   std::uint64_t extra);

// The same for any (significand, extra), shifted up first until the top bit
// of `significand` is set; all zero gives +0 or −0.
Extended normalizeRoundPack(bool negative, std::int32_t exponent, std::uint64_t significand,
                            std::uint64_t extra);

}  // namespace plot::detail
