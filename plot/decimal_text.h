#pragma once
// The parts of a decimal text, for reading it as a number (decimal.h): the
// sign, the digits before and after the point, the exponent; and the
// mantissa's significant digits.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace plot::detail {

struct DecimalText {
    bool negative = false;
    std::string_view integerDigits, fractionDigits;
    std::int64_t exponent = 0;
};

// The parts of `s`, or nothing when it is not
// [+-] (digits [. digits*] | . digits) [(e|E) [+-] digits].
std::optional<DecimalText> scan(std::string_view s);

// The mantissa's digits from its first nonzero digit to its last, the point
// left out: value = 0.d₀d₁…dₙ₋₁ × 10^point, so 10^(point−1) ≤ value < 10^point.
class SignificantDigits {
public:
    explicit SignificantDigits(const DecimalText& text)
        : integer_(text.integerDigits), fraction_(text.fractionDigits) {
        const std::size_t total = integer_.size() + fraction_.size();
        while (first_ < total && at(first_) == 0) ++first_;
        std::size_t end = total;
        while (end > first_ && at(end - 1) == 0) --end;
        count_ = end - first_;
        point_ = static_cast<std::int64_t>(integer_.size()) - static_cast<std::int64_t>(first_) +
                 text.exponent;
    }

    std::size_t count() const { return count_; }
    std::int64_t point() const { return point_; }
    unsigned operator[](std::size_t i) const { return at(first_ + i); }

private:
    unsigned at(std::size_t i) const {
        const char c = i < integer_.size() ? integer_[i] : fraction_[i - integer_.size()];
        return static_cast<unsigned>(c - '0');
    }

    std::string_view integer_, fraction_;
    std::size_t first_ = 0, count_ = 0;
    std::int64_t point_ = 0;
};

}  // namespace plot::detail
