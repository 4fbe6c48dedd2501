// Protects decimal reading: which texts are numbers, and known values read to
// the bit on every platform, in bounded work for any input (the comparison
// with x87 strtold over many texts is in decimal_sweep_test.cpp).

#include "plot/decimal.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <regex>
#include <string>

#include "tests/decimal_expansion.h"
#include "tests/extended_bits.h"
#include "tests/row_name.h"
#include "tests/split_mix.h"

namespace {

using decimal_expansion::midpointAbove;
using plot::Extended;
using plot::parseDecimal;

constexpr std::uint64_t kTop = 0x8000000000000000u;

using Random = SplitMix;

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
        GrammarCase{"TrailingPoint", "5.", true}, GrammarCase{"BlanksAround", " \t 42 \t", false},
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
    const std::regex grammar(R"([+-]?([0-9]+(\.[0-9]*)?|\.[0-9]+)([eE][+-]?[0-9]+)?)");
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
        ValueCase{"Ten", "1e1", Extended(10)}),
    RowName{});

}  // namespace
