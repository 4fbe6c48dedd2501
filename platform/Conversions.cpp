#include "platform/Conversions.h"

#include <locale.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "platform/Exception.h"
#include "platform/MessageText.h"
#include "series/NumberText.h"

namespace {

// Blanks and line breaks: a value copied from a spreadsheet cell or a line of
// text arrives with its line break.
bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

// [+-] (digits [. digits*] | . digits) [(e|E) [+-] digits]: the only shapes we
// hand to strtold, which on its own would also take hex, "inf" and "nan".
bool isDecimalNumber(std::string_view s) {
    std::size_t i = 0;
    const auto digits = [&] {
        const std::size_t from = i;
        while (i < s.size() && isDigit(s[i])) ++i;
        return i - from;
    };
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t mantissaDigits = digits();
    if (i < s.size() && s[i] == '.') {
        ++i;
        mantissaDigits += digits();
    }
    if (mantissaDigits == 0) return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        if (digits() == 0) return false;
    }
    return i == s.size();
}

// A mantissa that names a nonzero value, whatever the exponent makes of it.
bool hasNonzeroDigit(std::string_view number) {
    for (const char c : number) {
        if (c == 'e' || c == 'E') return false;
        if (c >= '1' && c <= '9') return true;
    }
    return false;
}

// strtold rounds correctly but follows the process locale's decimal point;
// the "C" locale object pins it to '.'.
locale_t cLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t{});
    return locale;
}

}  // namespace

Extended StrToFloat(std::string_view text) {
    const std::string number(trimmed(text));
    if (!isDecimalNumber(number))
        throw EConvertError(quotedForMessage(text) + " is not a valid number");
    errno = 0;
    const Extended value = strtold_l(number.c_str(), nullptr, cLocale());
    // ERANGE also flags underflow, where the rounded result (0 or subnormal) is right.
    if (errno == ERANGE && std::isinf(value))
        throw EConvertError(quotedForMessage(text) + " is out of range");
    // Rounded to zero from a nonzero number: plotting with it would be
    // plotting something the user did not type.
    if (value == 0 && hasNonzeroDigit(number))
        throw EConvertError(quotedForMessage(text) + " is too small: it becomes zero");
    return value;
}

std::string FloatToStr(double value) { return shortestText(value); }
std::string FloatToStr(float value) { return shortestText(value); }
