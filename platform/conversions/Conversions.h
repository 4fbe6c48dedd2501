#pragma once
// Text ↔ number conversions, the same in every locale and on every platform.
// The window toolkit's names among them, StrToFloat and FloatToStr, and its
// exception class Exception, are global as the window's code uses them; this
// header declares them so.

#include <string>
#include <string_view>

#include "platform/conversions/Exception.h"
#include "plot/extended.h"

namespace conversions {

// Decimal text → the nearest extended value (ties to even). Accepts blanks
// and line breaks around, a sign, digits with '.' as the decimal point and an
// optional exponent ("-1.5e3"). Throws EConvertError for anything else: empty
// text, trailing junk, "inf", "nan", hex, a magnitude beyond the extended
// range, or a nonzero number so small that it rounds to zero. The message
// quotes the text as quotedForMessage shows it.
plot::Extended StrToFloat(std::string_view text);

// StrToFloat of a field's text, its conversion error naming the field by
// `caption`: "Span 1: 'abc' is not a valid number".
plot::Extended FieldToFloat(std::string_view caption, std::string_view text);

// Whole numbers up to 2^24 as plain digits ("0", "16777216"); any other value
// as the shortest text that reads back to the same value of its own type.
std::string FloatToStr(double value);
std::string FloatToStr(float value);

}  // namespace conversions

using conversions::Exception;
using conversions::FloatToStr;
using conversions::StrToFloat;
