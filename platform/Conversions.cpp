#include "platform/Conversions.h"

#include <locale.h>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "platform/Exception.h"

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
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

// strtold rounds correctly but follows the process locale's decimal point;
// the "C" locale object pins it to '.'.
locale_t cLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t{});
    return locale;
}

}  // namespace

long double StrToFloat(std::string_view text) {
    const std::string number(trimmed(text));
    if (!isDecimalNumber(number))
        throw EConvertError("'" + std::string(text) + "' is not a valid number");
    errno = 0;
    const long double value = strtold_l(number.c_str(), nullptr, cLocale());
    // ERANGE also flags underflow, where the rounded result (0 or subnormal) is right.
    if (errno == ERANGE && std::isinf(value))
        throw EConvertError("'" + std::string(text) + "' is out of range");
    return value;
}

namespace {

template <class Real>
std::string shortestText(Real value) {
    char text[64];
    char* end;
    // Whole numbers as plain digits: shortest form alone would write 10000000
    // as "1e+07". This is also the quick path every point label takes.
    if (value >= Real(-16777216) && value <= Real(16777216) &&
        static_cast<Real>(static_cast<std::int32_t>(value)) == value)
        end = std::to_chars(text, text + sizeof text, static_cast<std::int32_t>(value)).ptr;
    else
        end = std::to_chars(text, text + sizeof text, value).ptr;
    return std::string(text, end);
}

}  // namespace

std::string FloatToStr(long double value) { return shortestText(value); }
std::string FloatToStr(double value) { return shortestText(value); }
std::string FloatToStr(float value) { return shortestText(value); }
