#pragma once
// Decimal text → plot::Extended, correctly rounded (to nearest, ties to
// even), the same on every platform and in every locale.

#include <optional>
#include <string_view>

#include "plot/extended.h"

namespace plot {

// Accepts exactly
//     [+-] (digits [. digits*] | . digits) [(e|E) [+-] digits]
// with any number of digits in the mantissa and the exponent, and nothing
// else: no blanks (a field's text is trimmed by its reader, StrToFloat), no
// hex, no "inf" or "nan". Anything else gives
// nullopt. A value beyond the extended range gives ±infinity (for the caller
// to report); one below it the correctly rounded subnormal, or ±0. The sign
// of zero is kept ("-0" is −0).
std::optional<Extended> parseDecimal(std::string_view text);

}  // namespace plot
