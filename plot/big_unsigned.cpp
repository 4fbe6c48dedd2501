#include "plot/big_unsigned.h"

#include <algorithm>
#include <bit>

namespace plot {
namespace {

constexpr std::uint64_t kLimbMask = 0xFFFFFFFFu;

std::uint32_t lowLimb(std::uint64_t v) { return static_cast<std::uint32_t>(v & kLimbMask); }

}  // namespace

BigUnsigned::BigUnsigned(std::uint64_t high, std::uint64_t low)
    : limbs_{lowLimb(low), lowLimb(low >> 32), lowLimb(high), lowLimb(high >> 32)} {
    trim();
}

BigUnsigned BigUnsigned::powerOfFive(std::uint32_t exponent) {
    // 5^13 is the largest power of five in a limb.
    constexpr std::uint32_t kFiveTo13 = 1220703125;
    BigUnsigned result(1);
    for (; exponent >= 13; exponent -= 13) result.multiplyAdd(kFiveTo13, 0);
    std::uint32_t rest = 1;
    for (; exponent > 0; --exponent) rest *= 5;
    result.multiplyAdd(rest, 0);
    return result;
}

void BigUnsigned::multiplyAdd(std::uint32_t factor, std::uint32_t addend) {
    std::uint64_t carry = addend;
    for (std::uint32_t& limb : limbs_) {
        const std::uint64_t v = std::uint64_t{limb} * factor + carry;
        limb = lowLimb(v);
        carry = v >> 32;
    }
    if (carry != 0) limbs_.push_back(lowLimb(carry));
    trim();
}

void BigUnsigned::multiply(const BigUnsigned& other) {
    if (isZero() || other.isZero()) {
        limbs_.clear();
        return;
    }
    std::vector<std::uint32_t> product(limbs_.size() + other.limbs_.size(), 0);
    for (std::size_t i = 0; i < limbs_.size(); ++i) {
        std::uint64_t carry = 0;
        for (std::size_t j = 0; j < other.limbs_.size(); ++j) {
            const std::uint64_t v =
                std::uint64_t{limbs_[i]} * other.limbs_[j] + product[i + j] + carry;
            product[i + j] = lowLimb(v);
            carry = v >> 32;
        }
        product[i + other.limbs_.size()] = lowLimb(carry);
    }
    limbs_ = std::move(product);
    trim();
}

void BigUnsigned::shiftLeft(std::size_t bits) {
    if (isZero()) return;
    const std::size_t whole = bits / 32;
    const unsigned part = static_cast<unsigned>(bits % 32);
    if (part != 0) {
        std::uint32_t carry = 0;
        for (std::uint32_t& limb : limbs_) {
            const std::uint32_t next = limb >> (32 - part);
            limb = (limb << part) | carry;
            carry = next;
        }
        if (carry != 0) limbs_.push_back(carry);
    }
    limbs_.insert(limbs_.begin(), whole, 0);
}

void BigUnsigned::subtract(const BigUnsigned& smaller) {
    std::uint64_t borrow = 0;
    for (std::size_t i = 0; i < limbs_.size(); ++i) {
        const std::uint64_t take = (i < smaller.limbs_.size() ? smaller.limbs_[i] : 0) + borrow;
        borrow = limbs_[i] < take ? 1 : 0;
        limbs_[i] = lowLimb((std::uint64_t{1} << 32) + limbs_[i] - take);
    }
    trim();
}

std::size_t BigUnsigned::bitLength() const {
    if (isZero()) return 0;
    return 32 * limbs_.size() - static_cast<std::size_t>(std::countl_zero(limbs_.back()));
}

std::uint64_t BigUnsigned::bitsFrom(std::size_t from) const {
    std::uint64_t result = 0;
    for (int bit = 63; bit >= 0; --bit) {
        const std::size_t index = from + static_cast<std::size_t>(bit);
        const std::size_t limb = index / 32;
        const bool set = limb < limbs_.size() && ((limbs_[limb] >> (index % 32)) & 1) != 0;
        result = (result << 1) | (set ? 1u : 0u);
    }
    return result;
}

std::strong_ordering operator<=>(const BigUnsigned& a, const BigUnsigned& b) {
    if (a.limbs_.size() != b.limbs_.size()) return a.limbs_.size() <=> b.limbs_.size();
    for (std::size_t i = a.limbs_.size(); i-- > 0;)
        if (a.limbs_[i] != b.limbs_[i]) return a.limbs_[i] <=> b.limbs_[i];
    return std::strong_ordering::equal;
}

void BigUnsigned::trim() {
    while (!limbs_.empty() && limbs_.back() == 0) limbs_.pop_back();
}

}  // namespace plot
