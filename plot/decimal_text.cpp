#include "plot/decimal_text.h"

#include <algorithm>

namespace plot::detail {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// An exponent beyond this means the same as this (far out of range either
// way), which keeps the position arithmetic well inside 64 bits.
constexpr std::int64_t kExponentCap = 1'000'000'000'000'000;

}  // namespace

std::optional<DecimalText> scan(std::string_view s) {
    DecimalText text;
    std::size_t i = 0;
    const auto digits = [&] {
        const std::size_t from = i;
        while (i < s.size() && isDigit(s[i])) ++i;
        return s.substr(from, i - from);
    };
    const auto sign = [&] {
        const bool negative = i < s.size() && s[i] == '-';
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        return negative;
    };
    text.negative = sign();
    text.integerDigits = digits();
    if (i < s.size() && s[i] == '.') {
        ++i;
        text.fractionDigits = digits();
    }
    if (text.integerDigits.empty() && text.fractionDigits.empty()) return std::nullopt;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        const bool negative = sign();
        const std::string_view exponent = digits();
        if (exponent.empty()) return std::nullopt;
        for (const char c : exponent)
            text.exponent = std::min(text.exponent * 10 + (c - '0'), kExponentCap);
        if (negative) text.exponent = -text.exponent;
    }
    if (i != s.size()) return std::nullopt;
    return text;
}

}  // namespace plot::detail
