#pragma once
// An unsigned integer of any size, with the few exact operations that
// decimal reading needs: build from digits, multiply, shift, compare,
// subtract. Written here because the standard library has none, and a
// general big-number library would be a dependency for some hundred lines.

#include <compare>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace plot {

class BigUnsigned {
public:
    BigUnsigned() = default;
    explicit BigUnsigned(std::uint64_t value) : BigUnsigned(0, value) {}
    // high·2^64 + low.
    BigUnsigned(std::uint64_t high, std::uint64_t low);

    static BigUnsigned powerOfFive(std::uint32_t exponent);

    // this·factor + addend.
    void multiplyAdd(std::uint32_t factor, std::uint32_t addend);
    void multiply(const BigUnsigned& other);
    void shiftLeft(std::size_t bits);
    // this − smaller, which must not exceed this.
    void subtract(const BigUnsigned& smaller);

    bool isZero() const { return limbs_.empty(); }
    std::size_t bitLength() const;
    // Bits [from, from + 64) as a number; bits beyond either end read as 0.
    std::uint64_t bitsFrom(std::size_t from) const;

    friend std::strong_ordering operator<=>(const BigUnsigned& a, const BigUnsigned& b);
    friend bool operator==(const BigUnsigned& a, const BigUnsigned& b) = default;

private:
    void trim();

    std::vector<std::uint32_t> limbs_;  // least significant first, no leading zero limb
};

}  // namespace plot
