// Protects plot::Extended with a table of known x87 results that runs on every
// platform (the sweeps against native long double are in
// extended_sweep_test.cpp).

#include "plot/extended.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>

#include "tests/extended_bits.h"
#include "tests/row_name.h"

namespace {

using plot::Extended;

constexpr std::uint64_t kTop = 0x8000000000000000u;

// --- Known results, on every platform ---------------------------------------

Extended bits(std::uint16_t signAndExponent, std::uint64_t significand) {
    return Extended::fromBits(signAndExponent, significand);
}

const Extended kOne = bits(0x3FFF, kTop);
const Extended kThree = bits(0x4000, 0xC000000000000000u);
const Extended kMax = bits(0x7FFE, ~std::uint64_t{0});
const Extended kMinNormal = bits(0x0001, kTop);
const Extended kMinSubnormal = bits(0x0000, 1);
const Extended kInfinity = bits(0x7FFF, kTop);

struct KnownCase {
    const char* name;
    Extended got;
    Extended want;
};

class KnownResults : public testing::TestWithParam<KnownCase> {};

TEST_P(KnownResults, HaveTheirX87Bits) {
    EXPECT_EQ(bitsText(GetParam().got), bitsText(GetParam().want));
}

INSTANTIATE_TEST_SUITE_P(
    Extended, KnownResults,
    testing::Values(
        KnownCase{"OneThird", kOne / kThree, bits(0x3FFD, 0xAAAAAAAAAAAAAAABu)},
        KnownCase{"TenthAsDoubleIsExact", Extended(0.1), bits(0x3FFB, 0xCCCCCCCCCCCCD000u)},
        KnownCase{"TieRoundsToEven", kOne + bits(0x3FBF, kTop), kOne},
        KnownCase{"TieAboveEvenRoundsUp", bits(0x3FFF, kTop | 1) + bits(0x3FBF, kTop),
                  bits(0x3FFF, kTop | 2)},
        KnownCase{"FarSmallerOppositeSignRoundsBack", kOne - kMinSubnormal, kOne},
        KnownCase{"BelowAPowerOfTwoByAQuarterUlp", kOne - bits(0x3FBD, kTop), kOne},
        KnownCase{"JustBelowAPowerOfTwo", kOne - bits(0x3FBE, kTop | 1),
                  bits(0x3FFE, ~std::uint64_t{0})},
        KnownCase{"ExactCancellationIsPositiveZero", kThree - kThree, bits(0x0000, 0)},
        KnownCase{"NegativeZerosSum", -Extended() + -Extended(), bits(0x8000, 0)},
        KnownCase{"OverflowToInfinity", kMax + bits(0x7FBE, kTop), kInfinity},
        KnownCase{"JustBelowOverflow", kMax + bits(0x7FBD, ~std::uint64_t{0}), kMax},
        KnownCase{"GradualUnderflow", kMinNormal / Extended(4), bits(0x0000, 0x2000000000000000u)},
        KnownCase{"SubnormalTieToEven", kMinSubnormal* bits(0x3FFE, kTop), bits(0x0000, 0)},
        KnownCase{"SubnormalRoundsUpToNormal", bits(0x0000, 0x7FFFFFFFFFFFFFFFu) + kMinSubnormal,
                  kMinNormal},
        KnownCase{"InfinityMinusInfinityIsNaN", kInfinity - kInfinity,
                  bits(0xFFFF, 0xC000000000000000u)},
        KnownCase{"ZeroOverZeroIsNaN", Extended() / Extended(), bits(0xFFFF, 0xC000000000000000u)},
        KnownCase{"ZeroTimesInfinityIsNaN", Extended() * kInfinity,
                  bits(0xFFFF, 0xC000000000000000u)},
        KnownCase{"OneOverNegativeZero", kOne / -Extended(), -kInfinity},
        KnownCase{"FloorOfNegativeHalf", floor(bits(0xBFFE, kTop)), -kOne},
        KnownCase{"FloorOfNegativeZero", floor(-Extended()), bits(0x8000, 0)},
        KnownCase{"FloorCarriesIntoTheNextBinade", floor(bits(0xC03D, ~std::uint64_t{0})),
                  bits(0xC03E, kTop)},
        KnownCase{"SmallestInteger", Extended(INT64_MIN), bits(0xC03E, kTop)},
        KnownCase{"LargestUnsigned", Extended(UINT64_MAX), bits(0x403E, ~std::uint64_t{0})},
        KnownCase{"SmallestSubnormalDouble", Extended(0x1p-1074), bits(0x3BCD, kTop)}),
    RowName{});

TEST(Extended, ComparisonsWithNaNAreFalseAndZerosAreEqual) {
    const Extended nan = Extended() / Extended();
    EXPECT_FALSE(nan == nan);
    EXPECT_TRUE(nan != nan);
    EXPECT_FALSE(nan < kOne || nan > kOne || nan <= kOne || nan >= kOne);
    EXPECT_TRUE(Extended() == -Extended());
    EXPECT_TRUE(-kInfinity < kMinSubnormal && -kMinSubnormal < Extended());
}

TEST(Extended, NarrowingRoundsToNearestEvenWithSubnormalsAndOverflow) {
    EXPECT_EQ(std::bit_cast<std::uint32_t>(bits(0x3FFF, 0x8000008000000000u).toFloat()),
              0x3F800000u);  // a tie: to even
    EXPECT_EQ(std::bit_cast<std::uint32_t>(bits(0x3FFF, 0x8000018000000000u).toFloat()),
              0x3F800002u);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(bits(0x3F6A, 0xC000000000000000u).toFloat()),
              0x00000002u);  // 1.5·2^-149: a subnormal tie
    EXPECT_EQ(std::bit_cast<std::uint32_t>(bits(0x3F80, 0xFFFFFF0000000000u).toFloat()),
              0x00800000u);  // the largest subnormal's tie: up to the smallest normal
    EXPECT_EQ(std::bit_cast<std::uint32_t>(kMax.toFloat()), 0x7F800000u);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(bits(0x3C00, 0xFFFFFFFFFFFFF800u).toDouble()),
              0x0010000000000000u);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(bits(0x43FE, 0xFFFFFFFFFFFFFC00u).toDouble()),
              0x7FF0000000000000u);  // the largest finite value's tie: to infinity
    EXPECT_EQ(std::bit_cast<std::uint64_t>(bits(0x3FFB, 0xCCCCCCCCCCCCCCCDu).toDouble()),
              0x3FB999999999999Au);
    EXPECT_EQ(bits(0x403D, 0xC000000000000000u).toUint64(), 0x6000000000000000u);
}

}  // namespace
