#pragma once
// Text ↔ number conversions, the same in every locale.

#include <string>
#include <string_view>

#include "plot/curves.h"

using Extended = plot::Extended;

// Decimal text → the nearest extended value. Accepts blanks around, a sign,
// digits with '.' as the decimal point and an optional exponent ("-1.5e3").
// Throws EConvertError for anything else: empty text, trailing junk, "inf",
// "nan", hex, or a magnitude beyond the extended range.
long double StrToFloat(std::string_view text);

// Whole numbers up to 2^24 as plain digits ("0", "16777216"); any other value
// as the shortest text that reads back to the same value of its own type, so
// a 32-bit value prints as 0.1 where its extended widening needs 21 digits.
std::string FloatToStr(long double value);
std::string FloatToStr(double value);
std::string FloatToStr(float value);
