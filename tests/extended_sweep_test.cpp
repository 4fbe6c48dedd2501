// Protects plot::Extended against the x87 unit itself: every operation gives
// native long double's bits over millions of generated operands (ties,
// subnormals, overflow, far-apart exponents, cancellation and the IEEE
// specials made likely). Slow: 40 million operand sets.

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <sstream>
#include <string>

#include "plot/extended.h"
#include "tests/extended_bits.h"
#include "tests/row_name.h"
#include "tests/split_mix.h"

namespace {

using plot::Extended;

constexpr std::uint64_t kTop = 0x8000000000000000u;
constexpr int kBias = 16383;
constexpr int kOperandSets = 4'000'000;

Extended make(bool negative, int exponent, std::uint64_t significand) {
    return Extended::fromBits(static_cast<std::uint16_t>((negative ? 0x8000 : 0) | exponent),
                              significand);
}

// A value with `significand` (top bit forced) at `exponent`, moved into
// range: a subnormal below the normals, the largest binade above.
Extended clamped(bool negative, int exponent, std::uint64_t significand) {
    significand |= kTop;
    if (exponent > 0x7FFE) return make(negative, 0x7FFE, significand);
    if (exponent >= 1) return make(negative, exponent, significand);
    if (exponent > -63) return make(negative, 0, significand >> (1 - exponent));
    return make(negative, 0, 1);
}

// Operands shaped so that the interesting cases are common, not one in 2^64.
class Operands {
public:
    explicit Operands(std::uint64_t seed) : random_(seed) {}

    std::uint64_t bits() { return random_.bits(); }
    int below(int n) { return random_.below(n); }
    bool coin() { return random_.coin(); }

    // Top bit set; often with few significant bits or long runs of ones, so
    // that sums and products land exactly on or next to a tie.
    std::uint64_t significand() {
        std::uint64_t s = bits();
        switch (below(7)) {
            case 0:
                s &= ~std::uint64_t{0} << below(64);
                break;
            case 1:
                s |= (std::uint64_t{1} << below(64)) - 1;
                break;
            case 2:
                s = coin() ? kTop : std::uint64_t{1} << below(64);
                break;
            case 3:
                s = ~std::uint64_t{0} - static_cast<std::uint64_t>(below(4));
                break;
            case 4:  // sparse: products and quotients with lone far bits
                s = (std::uint64_t{1} << below(64)) | (std::uint64_t{1} << below(64));
                break;
            default:
                break;
        }
        return s | kTop;
    }

    Extended special() {
        const bool negative = coin();
        switch (below(4)) {
            case 0:
                return make(negative, 0, 0);
            case 1:
                return make(negative, 0x7FFF, kTop);
            case 2:
                return make(negative, 0x7FFF, kTop | (std::uint64_t{1} << 62) | (bits() >> 2));
            default:
                return make(negative, 0x7FFF, kTop | ((bits() >> 2) | 1));  // signalling
        }
    }

    Extended any() {
        const bool negative = coin();
        switch (below(16)) {
            case 0:
                return special();
            case 1:
                return make(negative, 0, significand() >> (1 + below(63)));
            case 2:
                return make(negative, 1 + below(70), significand());
            case 3:
                return make(negative, 0x7FFE - below(70), significand());
            case 4:
            case 5:
                return make(negative, 1 + below(0x7FFE), significand());
            default:
                return make(negative, kBias - 80 + below(160), significand());
        }
    }

    // A second operand chosen against `a`: cancelling it, far below it, exactly
    // half its last place, completing a product of exactly 65 or 66 bits, or
    // taking a product or quotient to the edges of the range.
    Extended partner(Extended a) {
        if (!a.isFinite() || a.isZero() || below(4) == 0) return any();
        const bool negative = coin();
        const int e = std::max(a.signAndExponent() & 0x7FFF, 1);
        const std::uint64_t s = a.significand() | kTop;
        switch (below(7)) {
            case 0:
                return clamped(negative, e - 2 + below(5), s ^ (bits() >> (1 + below(63))));
            case 1:
                return clamped(negative, e - 60 - below(80), significand());
            case 2:
                return clamped(negative, e, s + static_cast<std::uint64_t>(below(7)) - 3);
            case 3: {
                // About half an ulp of `a`, or of the binade below: a power
                // of two, one just above it, or a few significant bits.
                const std::uint64_t near = below(3) == 0 ? kTop
                                           : coin()
                                               ? kTop | static_cast<std::uint64_t>(below(4))
                                               : significand() & (~std::uint64_t{0} << below(64));
                return clamped(negative, e - 66 + below(5), near);
            }
            case 4: {
                const int used = 64 - std::countr_zero(s);
                const int wanted = 65 + below(2) - used;
                if (wanted < 1 || wanted > 64) return any();
                const std::uint64_t odd = (bits() | 1 | (std::uint64_t{1} << (wanted - 1)));
                return clamped(negative, kBias - 40 + below(80), odd << (64 - wanted));
            }
            case 5:
                return clamped(negative, (coin() ? 1 : 0x7FFE) - e + kBias - 3 + below(70),
                               significand());
            default:
                return clamped(negative, e - (coin() ? 1 : 0x7FFE) + kBias - 3 + below(70),
                               significand());
        }
    }

    // Near the float and double ranges, often exactly on a rounding tie.
    Extended narrowable() {
        const bool negative = coin();
        const int edge = coin() ? 127 : 1023;
        const int exponent = kBias + (below(3) - 1) * edge - 60 + below(120);
        const int precision = coin() ? 24 : 53;
        std::uint64_t s = significand();
        // A tie at the last place the format keeps at this exponent: fewer
        // places below its normals, down to half its smallest subnormal.
        const int bias = precision == 24 ? 127 : 1023;
        const int kept = precision - std::max(0, 1 - bias - (exponent - kBias));
        if (coin() && kept >= 0) s = (s & ~(~std::uint64_t{0} >> kept)) | (kTop >> kept);
        if (coin()) s += static_cast<std::uint64_t>(below(3)) - 1;
        if (below(20) == 0) return special();
        return clamped(negative, exponent, s | kTop);
    }

    double anyDouble() {
        std::uint64_t b = bits();
        switch (below(4)) {
            case 0:
                b &= 0x800FFFFFFFFFFFFFu;  // zero or subnormal
                if (coin()) b &= ~std::uint64_t{0} << below(52);
                break;
            case 1:
                b |= 0x7FF0000000000000u;  // infinity or NaN
                if (coin()) b &= 0xFFF0000000000000u;
                break;
            default:
                break;
        }
        return std::bit_cast<double>(b);
    }

private:
    SplitMix random_;
};

enum class Operation {
    Add,
    Subtract,
    Multiply,
    Divide,
    Compare,
    Floor,
    ToUint64,
    ToFloat,
    ToDouble,
    FromDouble
};

struct OracleCase {
    const char* name;
    Operation operation;
};

std::string failureText(const char* what, Extended a, Extended b, const std::string& got,
                        const std::string& want) {
    std::ostringstream text;
    text << what << " " << bitsText(a) << ", " << bitsText(b) << ": got " << got << ", x87 gives "
         << want;
    return text.str();
}

template <class T>
std::string hexBits(T v) {
    std::ostringstream text;
    text << std::hex
         << std::bit_cast<std::conditional_t<sizeof(T) == 4, std::uint32_t, std::uint64_t>>(v);
    return text.str();
}

// One operand set: empty when plot::Extended agrees with the x87, otherwise
// what differed.
template <class Native>
std::string checkOne(Operation operation, Operands& operands) {
    const auto native = [](Extended v) { return static_cast<Native>(v); };
    const auto back = [](Native v) { return Extended(v); };
    const auto bitsOf = [](Extended v) { return bitsText(v); };
    if (operation == Operation::FromDouble) {
        const double d = operands.anyDouble();
        const Extended got(d), want = back(static_cast<Native>(d));
        return sameResult(got, want) ? ""
                                     : failureText("double", got, got, bitsOf(got), bitsOf(want));
    }
    if (operation == Operation::ToFloat || operation == Operation::ToDouble) {
        const Extended a = operands.narrowable();
        if (operation == Operation::ToFloat) {
            const float got = a.toFloat(), want = static_cast<float>(native(a));
            const bool same = std::isnan(want) ? std::isnan(got)
                                               : std::bit_cast<std::uint32_t>(got) ==
                                                     std::bit_cast<std::uint32_t>(want);
            return same ? "" : failureText("toFloat", a, a, hexBits(got), hexBits(want));
        }
        const double got = a.toDouble(), want = static_cast<double>(native(a));
        const bool same = std::isnan(want) ? std::isnan(got)
                                           : std::bit_cast<std::uint64_t>(got) ==
                                                 std::bit_cast<std::uint64_t>(want);
        return same ? "" : failureText("toDouble", a, a, hexBits(got), hexBits(want));
    }
    if (operation == Operation::Floor || operation == Operation::ToUint64) {
        Extended a = operands.any();
        if (operands.coin())
            a = make(operands.coin(), kBias - 2 + operands.below(68), operands.significand());
        if (operation == Operation::Floor) {
            const Extended got = floor(a), want = back(std::floor(native(a)));
            return sameResult(got, want) ? ""
                                         : failureText("floor", a, a, bitsOf(got), bitsOf(want));
        }
        const Native n = native(a);
        const std::uint64_t want = std::isnan(n) || n < 1 ? 0
                                   : n >= 0x1p64L         ? ~std::uint64_t{0}
                                                          : static_cast<std::uint64_t>(n);
        const std::uint64_t got = a.toUint64();
        return got == want
                   ? ""
                   : failureText("toUint64", a, a, std::to_string(got), std::to_string(want));
    }
    const Extended a = operands.any();
    const Extended b = operands.partner(a);
    const Native x = native(a), y = native(b);
    Extended got, want;
    switch (operation) {
        case Operation::Add:
            got = a + b, want = back(x + y);
            break;
        case Operation::Subtract:
            got = a - b, want = back(x - y);
            break;
        case Operation::Multiply:
            got = a * b, want = back(x * y);
            break;
        case Operation::Divide:
            got = a / b, want = back(x / y);
            break;
        default: {
            const int gotFlags = (a == b) | (a != b) << 1 | (a < b) << 2 | (a <= b) << 3 |
                                 (a > b) << 4 | (a >= b) << 5;
            const int wantFlags = (x == y) | (x != y) << 1 | (x < y) << 2 | (x <= y) << 3 |
                                  (x > y) << 4 | (x >= y) << 5;
            return gotFlags == wantFlags ? ""
                                         : failureText("compare", a, b, std::to_string(gotFlags),
                                                       std::to_string(wantFlags));
        }
    }
    return sameResult(got, want) ? "" : failureText("operands", a, b, bitsOf(got), bitsOf(want));
}

template <class Native>
void checkAgainstNative(const OracleCase& c) {
    if constexpr (!kNativeIsX87<Native>) {
        GTEST_SKIP() << "long double is not the x87 format here";
    } else {
        Operands operands(0x5EED0000u + static_cast<std::uint64_t>(c.operation));
        int failures = 0;
        for (int i = 0; i < kOperandSets; ++i) {
            const std::string failure = checkOne<Native>(c.operation, operands);
            if (!failure.empty() && ++failures <= 5) ADD_FAILURE() << failure;
        }
        EXPECT_EQ(failures, 0);
    }
}

class AgainstX87 : public testing::TestWithParam<OracleCase> {};

TEST_P(AgainstX87, FourMillionOperandSetsGiveTheSameBits) {
    checkAgainstNative<long double>(GetParam());
}

INSTANTIATE_TEST_SUITE_P(Extended, AgainstX87,
                         testing::Values(OracleCase{"Add", Operation::Add},
                                         OracleCase{"Subtract", Operation::Subtract},
                                         OracleCase{"Multiply", Operation::Multiply},
                                         OracleCase{"Divide", Operation::Divide},
                                         OracleCase{"Compare", Operation::Compare},
                                         OracleCase{"Floor", Operation::Floor},
                                         OracleCase{"ToUint64", Operation::ToUint64},
                                         OracleCase{"ToFloat", Operation::ToFloat},
                                         OracleCase{"ToDouble", Operation::ToDouble},
                                         OracleCase{"FromDouble", Operation::FromDouble}),
                         RowName{});

}  // namespace
