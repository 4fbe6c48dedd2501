#include "series/NumberText.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace {

template <class Real>
std::string shortest(Real value) {
    char text[64];
    char* end;
    // Whole numbers as plain digits: shortest form alone would write 10000000
    // as "1e+07". This is also the quick path every point label takes.
    if (value >= -Real(kLargestPlainWhole) && value <= Real(kLargestPlainWhole) &&
        static_cast<Real>(static_cast<std::int32_t>(value)) == value)
        end = std::to_chars(text, text + sizeof text, static_cast<std::int32_t>(value)).ptr;
    else
        end = std::to_chars(text, text + sizeof text, value).ptr;
    return std::string(text, end);
}

}  // namespace

bool isPlainWhole(float value) {
    return value >= 0 && value <= kLargestPlainWhole && value == std::trunc(value);
}

std::string shortestText(float value) { return shortest(value); }
std::string shortestText(double value) { return shortest(value); }

std::string groupedDigits(std::size_t count) {
    std::string digits = std::to_string(count);
    for (std::size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, 1, ',');
    return digits;
}
