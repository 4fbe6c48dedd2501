// Protects decimal reading: which texts are numbers, and that each gives the
// extended value x87 strtold gives (random texts of many shapes, the exact
// decimal expansions of rounding midpoints and their neighbours, 10,000-digit
// mantissas, the ends of the range), in bounded work for any input.

#include "plot/decimal.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <cstdlib>
#include <regex>
#include <string>
#include <vector>

#include "tests/extended_bits.h"
#include "tests/row_name.h"
#include "tests/split_mix.h"

namespace {

using plot::Extended;
using plot::parseDecimal;

constexpr std::uint64_t kTop = 0x8000000000000000u;

using Random = SplitMix;

char randomDigit(Random& random) { return static_cast<char>('0' + random.below(10)); }

// --- Exact decimal expansions, by schoolbook arithmetic in base 10^9 ----------

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

// The value written with its point somewhere and a matching exponent, with
// the optional decorations the grammar allows.
std::string written(const DecimalValue& v, Random& random) {
    const long length = static_cast<long>(v.digits.size());
    std::string text = random.oneIn(4) ? "-" : random.oneIn(8) ? "+" : "";
    if (random.oneIn(6)) text += std::string(static_cast<std::size_t>(random.between(1, 3)), '0');
    const long point =
        random.oneIn(3) ? length : random.between(0, static_cast<int>(std::min(length, 40L)));
    text += v.digits.substr(0, static_cast<std::size_t>(point));
    if (point < length || random.oneIn(4))
        text += "." + v.digits.substr(static_cast<std::size_t>(point));
    const long exponent = v.exponent + length - point;
    if (exponent != 0 || random.oneIn(4)) {
        text += random.oneIn(2) ? "e" : "E";
        if (exponent >= 0 && random.oneIn(3)) text += "+";
        text += std::to_string(exponent);
    }
    return text;
}

// --- Which texts are numbers, on every platform --------------------------------

struct GrammarCase {
    const char* name;
    const char* text;
    bool accepted;
};

class Grammar : public testing::TestWithParam<GrammarCase> {};

TEST_P(Grammar, AcceptsExactlyTheDecimalShapes) {
    EXPECT_EQ(parseDecimal(GetParam().text).has_value(), GetParam().accepted);
}

INSTANTIATE_TEST_SUITE_P(
    Decimal, Grammar,
    testing::Values(
        GrammarCase{"Whole", "10", true}, GrammarCase{"SignsAndExponent", "-1.5e-3", true},
        GrammarCase{"PlusSigns", "+7E+2", true}, GrammarCase{"LeadingPoint", ".5", true},
        GrammarCase{"TrailingPoint", "5.", true}, GrammarCase{"BlanksAround", " \t 42 \t", true},
        GrammarCase{"Empty", "", false}, GrammarCase{"Blank", " \t", false},
        GrammarCase{"BarePoint", ".", false}, GrammarCase{"BareSign", "-", false},
        GrammarCase{"PointWithExponentOnly", ".e1", false}, GrammarCase{"DoubleSign", "--1", false},
        GrammarCase{"TwoPoints", "1.2.3", false}, GrammarCase{"CommaDecimal", "1,5", false},
        GrammarCase{"ExponentWithoutDigits", "1e+", false},
        GrammarCase{"ExponentOnly", "e5", false}, GrammarCase{"InnerBlank", "1 0", false},
        GrammarCase{"BlankInExponent", "1e 5", false}, GrammarCase{"Newline", "10\n", false},
        GrammarCase{"Infinity", "inf", false}, GrammarCase{"NotANumber", "nan", false},
        GrammarCase{"Hex", "0x10", false}, GrammarCase{"HexFloat", "0x1p3", false},
        GrammarCase{"TrailingJunk", "10abc", false}),
    RowName{});

TEST(Decimal, RandomTextsAreNumbersExactlyWhenTheGrammarSaysSo) {
    const std::regex grammar(R"([ \t]*[+-]?([0-9]+(\.[0-9]*)?|\.[0-9]+)([eE][+-]?[0-9]+)?[ \t]*)");
    const char alphabet[] = "0123456789.eE+- \txn";
    Random random(7);
    for (int i = 0; i < 20'000; ++i) {
        std::string text;
        for (int n = random.below(8); n > 0; --n)
            text += alphabet[random.below(sizeof alphabet - 1)];
        EXPECT_EQ(parseDecimal(text).has_value(), std::regex_match(text, grammar))
            << "'" << text << "'";
    }
}

// --- Known values, on every platform -------------------------------------------

struct ValueCase {
    const char* name;
    std::string text;
    Extended value;
};

class KnownValues : public testing::TestWithParam<ValueCase> {};

TEST_P(KnownValues, AreReadToTheBit) {
    const std::optional<Extended> value = parseDecimal(GetParam().text);
    ASSERT_TRUE(value.has_value());
    EXPECT_EQ(bitsText(*value), bitsText(GetParam().value));
}

const Extended kOne = Extended::fromBits(0x3FFF, kTop);
const Extended kOneUp = Extended::fromBits(0x3FFF, kTop | 1);
const Extended kInfinity = Extended::fromBits(0x7FFF, kTop);
// 1 + 2^-64, halfway between 1 and the next value up.
const std::string kHalfAboveOne =
    "1.0000000000000000000542101086242752217003726400434970855712890625";

// (2^65 − 1)·2^-16446, halfway between the top of the lowest normal binade
// and 2^-16381: the midpoint with the most significant digits (11,515).
std::string longestMidpoint(const char* lastDigit) {
    std::string digits = midpointAbove(~std::uint64_t{0}, 1 - 16383 - 63).digits;
    const std::string extra = lastDigit + 1;
    digits.back() = lastDigit[0];
    return digits + extra + "e-" + std::to_string(16446 + extra.size());
}

INSTANTIATE_TEST_SUITE_P(
    Decimal, KnownValues,
    testing::Values(
        ValueCase{"Tenth", "0.1", Extended::fromBits(0x3FFB, 0xCCCCCCCCCCCCCCCDu)},
        ValueCase{"NegativeZero", "-0", -Extended()},
        ValueCase{"NegativeZeroWithHugeExponent", "-0.000e999999999999", -Extended()},
        ValueCase{"HalfwayTiesToEven", kHalfAboveOne, kOne},
        ValueCase{"HalfwayWithAFarTailRoundsUp", kHalfAboveOne + std::string(100'000, '0') + "1",
                  kOneUp},
        ValueCase{"HalfwayWithZerosStaysATie", kHalfAboveOne + std::string(100'000, '0'), kOne},
        ValueCase{"PointFarIntoALongMantissa", "0." + std::string(99'999, '0') + "1e100000", kOne},
        ValueCase{"LongWholeNumberScaledBack", "1" + std::string(99'999, '0') + "e-99999", kOne},
        ValueCase{"HugeExponentOverflows", "1e99999999999999999999", kInfinity},
        ValueCase{"HugeNegativeExponentUnderflows", "-1e-99999999999999999999", -Extended()},
        ValueCase{"LargestFinite", "1.18973149535723176502e4932",
                  Extended::fromBits(0x7FFE, ~std::uint64_t{0})},
        ValueCase{"BeyondTheLargestFinite", "1.18973149535723176509e4932", kInfinity},
        ValueCase{"SmallestSubnormal", "3.6451995318824746025e-4951", Extended::fromBits(0, 1)},
        ValueCase{"BelowHalfTheSmallestSubnormal", "1.8e-4951", Extended()},
        ValueCase{"AboveHalfTheSmallestSubnormal", "1.9e-4951", Extended::fromBits(0, 1)},
        ValueCase{"LongestMidpointTiesToEven", longestMidpoint("5"), Extended::fromBits(2, kTop)},
        ValueCase{"JustBelowTheLongestMidpoint", longestMidpoint("49"),
                  Extended::fromBits(1, ~std::uint64_t{0})},
        ValueCase{"Ten", "  1e1 ", Extended(10)}),
    RowName{});

// --- Against x87 strtold --------------------------------------------------------

struct OracleCase {
    const char* name;
    int count;
    std::string (*text)(Random&);
};

std::string randomDigits(Random& random, int count) {
    std::string digits;
    for (int i = 0; i < count; ++i) digits += randomDigit(random);
    return digits;
}

// Mostly short mantissas, some long; exponents small, large, and near both
// ends of the range.
std::string randomText(Random& random) {
    const int length = random.oneIn(10) ? random.between(20, 60) : random.between(1, 21);
    DecimalValue v{randomDigits(random, length), 0};
    switch (random.below(5)) {
        case 0:
            v.exponent = random.between(-30, 30);
            break;
        case 1:
            v.exponent = random.between(-400, 400);
            break;
        case 2:
            v.exponent = random.between(4925, 4935) - length;
            break;
        case 3:
            v.exponent = random.between(-4955, -4940) - length;
            break;
        default:
            v.exponent = random.between(-5000, 5000);
            break;
    }
    if (random.oneIn(20))
        v.digits += std::string(static_cast<std::size_t>(random.between(1, 30)), '0');
    return written(v, random);
}

// A random extended value's upper midpoint, exactly or a hair above or below.
std::string midpointText(Random& random) {
    int e = 0;
    switch (random.below(6)) {
        case 0:
            e = random.between(0, 70);  // subnormal and lowest normals: 11,500 digits
            if (!random.oneIn(4)) e = random.between(16383 - 200, 16383 + 200);
            break;
        case 1:
            e = random.between(0x7FFE - 70, 0x7FFE);
            break;
        case 2:
            e = random.between(1, 0x7FFE);
            if (e < 14000 && !random.oneIn(3)) e = random.between(14000, 0x7FFE);
            break;
        default:
            e = random.between(16383 - 100, 16383 + 100);
            break;
    }
    std::uint64_t significand = random.bits();
    if (e == 0)
        significand &= ~kTop;
    else
        significand |= kTop;
    if (random.oneIn(2)) significand &= ~std::uint64_t{0} << random.below(64);
    DecimalValue v = midpointAbove(significand, std::max(e, 1) - 16383 - 63);
    switch (random.below(3)) {
        case 0: {  // a hair above
            const std::string tail =
                std::string(static_cast<std::size_t>(random.below(30)), '0') + "1";
            v.digits += tail;
            v.exponent -= static_cast<long>(tail.size());
            break;
        }
        case 1: {  // a hair below
            std::string& d = v.digits;
            std::size_t i = d.size();
            while (i-- > 0 && d[i] == '0') d[i] = '9';
            d[i] = static_cast<char>(d[i] - 1);
            const int nines = random.between(1, 30);
            d += std::string(static_cast<std::size_t>(nines), '9');
            v.exponent -= nines;
            break;
        }
        default:
            break;
    }
    return written(v, random);
}

std::string longMantissaText(Random& random) {
    DecimalValue v{randomDigits(random, random.between(10'000, 12'000)), 0};
    v.exponent = random.between(-4950, 4932) - static_cast<long>(v.digits.size());
    return written(v, random);
}

// The ends of the range: the largest finite value and the overflow
// threshold, the smallest normal, the smallest subnormal and half of it,
// written short or with more digits.
std::string boundaryText(Random& random) {
    static const char* const kTexts[] = {"1e4932",
                                         "1.18973149535723176502e4932",
                                         "1.18973149535723176508e4932",
                                         "1.1897314953572317651e4932",
                                         "1e4933",
                                         "3.3621031431120935063e-4932",
                                         "3.3621031431120935062e-4932",
                                         "3.64519953188247460252e-4951",
                                         "3.6e-4951",
                                         "1.82259976594123730126e-4951",
                                         "1.8225997659412373013e-4951",
                                         "1e-4951",
                                         "1e-4950",
                                         "9.9e-4952",
                                         "0.0001e-4947"};
    std::string text = kTexts[random.below(static_cast<int>(std::size(kTexts)))];
    if (text.find('.') != std::string::npos && random.oneIn(2))
        text.insert(text.find('e'), randomDigits(random, random.between(1, 30)));
    return random.oneIn(3) ? "-" + text : text;
}

template <class Native>
void checkAgainstNative(const OracleCase& c) {
    if constexpr (!kNativeIsX87<Native>) {
        GTEST_SKIP() << "long double is not the x87 format here";
    } else {
        std::setlocale(LC_NUMERIC, "C");
        Random random(0xDEC0000u + static_cast<std::uint64_t>(c.count));
        int failures = 0;
        for (int i = 0; i < c.count; ++i) {
            const std::string text = c.text(random);
            const std::optional<Extended> got = parseDecimal(text);
            const Extended want(static_cast<Native>(std::strtold(text.c_str(), nullptr)));
            if ((!got || !sameResult(*got, want)) && ++failures <= 5)
                ADD_FAILURE() << text.substr(0, 200) << (text.size() > 200 ? "…" : "") << ": got "
                              << (got ? bitsText(*got) : "nothing") << ", strtold gives "
                              << bitsText(want);
        }
        EXPECT_EQ(failures, 0);
    }
}

class AgainstStrtold : public testing::TestWithParam<OracleCase> {};

TEST_P(AgainstStrtold, GivesTheSameBits) { checkAgainstNative<long double>(GetParam()); }

INSTANTIATE_TEST_SUITE_P(Decimal, AgainstStrtold,
                         testing::Values(OracleCase{"RandomTexts", 300'000, randomText},
                                         OracleCase{"Midpoints", 3'000, midpointText},
                                         OracleCase{"RangeEnds", 2'000, boundaryText},
                                         OracleCase{"TenThousandDigitMantissas", 40,
                                                    longMantissaText}),
                         RowName{});

}  // namespace
