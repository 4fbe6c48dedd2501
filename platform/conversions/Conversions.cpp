#include "platform/conversions/Conversions.h"

#include <optional>

#include "platform/conversions/Exception.h"
#include "platform/conversions/MessageText.h"
#include "plot/decimal.h"
#include "plot/number_text.h"

namespace conversions {

namespace {

// A value copied from a spreadsheet cell or a line of text arrives with its
// line break; blanks and line breaks around a number are not part of it.
bool isBlankOrLineBreak(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlankOrLineBreak(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlankOrLineBreak(text.back())) text.remove_suffix(1);
    return text;
}

// A mantissa that names a nonzero value, whatever the exponent makes of it.
bool hasNonzeroDigit(std::string_view number) {
    for (const char c : number) {
        if (c == 'e' || c == 'E') return false;
        if (c >= '1' && c <= '9') return true;
    }
    return false;
}

}  // namespace

plot::Extended StrToFloat(std::string_view text) {
    const std::string_view number = trimmed(text);
    const std::optional<plot::Extended> value = plot::parseDecimal(number);
    using Reason = EConvertError::Reason;
    if (!value) throw EConvertError(Reason::NotANumber, quotedForMessage(text));
    if (value->isInf()) throw EConvertError(Reason::OutOfRange, quotedForMessage(text));
    // Rounded to zero from a nonzero number: plotting with it would be
    // plotting something the user did not type.
    if (value->isZero() && hasNonzeroDigit(number))
        throw EConvertError(Reason::TooSmall, quotedForMessage(text));
    return *value;
}

plot::Extended FieldToFloat(std::string_view caption, std::string_view text) {
    try {
        return StrToFloat(text);
    } catch (const EConvertError& error) {
        throw EConvertError(error.reason(), error.quotedText(), std::string(caption));
    }
}

std::string FloatToStr(double value) { return plot::shortestText(value); }
std::string FloatToStr(float value) { return plot::shortestText(value); }

}  // namespace conversions
