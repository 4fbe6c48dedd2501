#include "plot/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace plot {

namespace {

template <class Real>
char* shortest(Real value, char* out) {
    // Whole numbers as plain digits: shortest form alone would write 10000000
    // as "1e+07". This is also the quick path every point label takes.
    if (value >= -Real(kLargestPlainWhole) && value <= Real(kLargestPlainWhole) &&
        static_cast<Real>(static_cast<std::int32_t>(value)) == value)
        return std::to_chars(out, out + kNumberChars, static_cast<std::int32_t>(value)).ptr;
    return std::to_chars(out, out + kNumberChars, value).ptr;
}

template <class Real>
std::string shortestString(Real value) {
    char text[kNumberChars];
    return std::string(text, shortest(value, text));
}

}  // namespace

bool isPlainWhole(float value) {
    return value >= 0 && value <= kLargestPlainWhole && value == std::trunc(value);
}

std::string shortestText(float value) { return shortestString(value); }
std::string shortestText(double value) { return shortestString(value); }

char* valueChars(double value, char* out) {
    const auto asFloat = static_cast<float>(value);
    return static_cast<double>(asFloat) == value ? shortest(asFloat, out) : shortest(value, out);
}

std::string valueText(double value) {
    char text[kNumberChars];
    return std::string(text, valueChars(value, text));
}

std::string groupedDigits(std::size_t count) {
    std::string digits = std::to_string(count);
    for (std::size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, 1, ',');
    return digits;
}

}  // namespace plot
