#pragma once
// Exact decimal expansions of binary values, for the decimal reader's tests:
// the digits of a rounding midpoint, by schoolbook arithmetic in base 10^9.

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace decimal_expansion {

class Decimal {
public:
    explicit Decimal(std::uint64_t value) {
        for (; value != 0; value /= kBase)
            limbs_.push_back(static_cast<std::uint32_t>(value % kBase));
    }
    void multiplyAdd(std::uint32_t factor, std::uint32_t addend) {
        std::uint64_t carry = addend;
        for (std::uint32_t& limb : limbs_) {
            const std::uint64_t v = std::uint64_t{limb} * factor + carry;
            limb = static_cast<std::uint32_t>(v % kBase);
            carry = v / kBase;
        }
        for (; carry != 0; carry /= kBase)
            limbs_.push_back(static_cast<std::uint32_t>(carry % kBase));
    }
    std::string digits() const {
        if (limbs_.empty()) return "0";
        std::string text = std::to_string(limbs_.back());
        for (std::size_t i = limbs_.size() - 1; i-- > 0;) {
            const std::string part = std::to_string(limbs_[i]);
            text += std::string(9 - part.size(), '0') + part;
        }
        return text;
    }

private:
    static constexpr std::uint64_t kBase = 1'000'000'000;
    std::vector<std::uint32_t> limbs_;
};

// A number as digits × 10^exponent.
struct DecimalValue {
    std::string digits;
    long exponent;
};

std::uint32_t powerOfFive(int k) {
    std::uint32_t p = 1;
    for (; k > 0; --k) p *= 5;
    return p;
}

// (2·significand + 1)·2^(binaryExponent − 1), exactly: the midpoint above
// significand·2^binaryExponent.
DecimalValue midpointAbove(std::uint64_t significand, int binaryExponent) {
    Decimal n(significand);
    n.multiplyAdd(2, 1);
    int e = binaryExponent - 1;
    for (; e >= 29; e -= 29) n.multiplyAdd(1u << 29, 0);
    if (e >= 0) {
        n.multiplyAdd(1u << e, 0);
        return {n.digits(), 0};
    }
    // 2^-k = 5^k·10^-k.
    for (int k = -e; k > 0; k -= 13) n.multiplyAdd(powerOfFive(std::min(k, 13)), 0);
    return {n.digits(), e};
}

}  // namespace decimal_expansion
