// Protects the shortcuts of the sampling loop: a sample the double fast path
// vouches for is the extended arithmetic's sample, and the fast step of x is
// the extended step for any float (the checks over every pass the loop makes
// are in sampling_sweep_test.cpp).

#include "plot/sampling.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>

#include "plot/curves.h"
#include "tests/split_mix.h"

namespace {

using plot::Coefficients;
using plot::detail::Powers;

std::uint32_t bits(float v) { return std::bit_cast<std::uint32_t>(v); }

// A float with a random sign, exponent in [from, to] and significand, often
// with few significant bits (sums then land on float midpoints).
float randomFloat(SplitMix& random, int from, int to) {
    std::uint32_t significand = static_cast<std::uint32_t>(random.bits()) & 0x7FFFFFu;
    if (random.oneIn(3)) significand &= 0x7FFFFFu << random.between(0, 23);
    const auto exponent = static_cast<std::uint32_t>(random.between(from, to) + 127);
    const std::uint32_t sign = random.coin() ? 0x80000000u : 0;
    return std::bit_cast<float>(sign | exponent << 23 | significand);
}

// Coefficients as the tool derives them (a3, a4, b0, b1, in ratio 1 : −1/2 :
// 1/2 : Span2/Span1 and so cancelling near x = 2), or all five at random.
Coefficients randomCoefficients(SplitMix& random) {
    Coefficients c{};
    if (random.between(0, 1) == 0) {
        for (float& v : c.a) v = random.between(0, 4) == 0 ? 0 : randomFloat(random, -30, 30);
        for (float& v : c.b) v = random.between(0, 4) == 0 ? 0 : randomFloat(random, -30, 30);
        return c;
    }
    const plot::Extended vramp(randomFloat(random, -20, 40)), omaga(randomFloat(random, -20, 20));
    const plot::Extended span1(random.between(1, 30000)), span2(random.between(1, 30000));
    return plot::deriveCoefficients({vramp, span1, omaga, span2});
}

TEST(FastPath, VouchesOnlyForTheExtendedSample) {
    SplitMix random(0x5A3D);
    int vouched = 0, total = 0, wrong = 0;
    for (int set = 0; set < 2000; ++set) {
        const Coefficients c = randomCoefficients(random);
        for (int k = 0; k < 500; ++k) {
            // x as the loop reaches it: 0, or from 0.1 up, often near the
            // cancellation at 2, sometimes near 2^21.
            const int range = random.between(0, 9);
            const float x = range == 0   ? 0.0f
                            : range <= 4 ? std::abs(randomFloat(random, -4, 1))
                            : range <= 8 ? std::abs(randomFloat(random, -3, 20))
                                         : std::abs(randomFloat(random, 19, 20));
            const Powers powers = plot::detail::powersOf(x);
            for (const auto* curvePointer : {&c.a, &c.b}) {
                const float(&curve)[5] = *curvePointer;
                bool certain = false;
                const float fast = plot::detail::boundedSample(curve, powers, certain);
                const float exact = plot::detail::sampleExactly(curve, powers);
                const float chosen = plot::detail::sampleOf(curve, powers);
                ++total;
                vouched += certain ? 1 : 0;
                if ((certain && bits(fast) != bits(exact)) || bits(chosen) != bits(exact)) {
                    if (++wrong <= 5)
                        ADD_FAILURE() << "x = " << x << ": fast " << fast << " (certain " << certain
                                      << "), chosen " << chosen << ", extended " << exact;
                }
            }
        }
    }
    EXPECT_EQ(wrong, 0);
    // Not vacuous: the fast path decides most samples, and not all.
    EXPECT_GT(vouched, total * 8 / 10);
    EXPECT_LT(vouched, total);
}

TEST(FastPath, CurvesOfZerosGiveTheExtendedSignOfZero) {
    const float negativeZeros[5] = {-0.0f, -0.0f, -0.0f, -0.0f, -0.0f};
    const float mixedZeros[5] = {-0.0f, 0.0f, -0.0f, 0.0f, -0.0f};
    for (const float x : {0.0f, 2.0f}) {
        const Powers powers = plot::detail::powersOf(x);
        EXPECT_EQ(bits(plot::detail::sampleOf(negativeZeros, powers)), 0x80000000u);
        EXPECT_EQ(bits(plot::detail::sampleExactly(negativeZeros, powers)), 0x80000000u);
        EXPECT_EQ(bits(plot::detail::sampleOf(mixedZeros, powers)), 0x00000000u);
        EXPECT_EQ(bits(plot::detail::sampleExactly(mixedZeros, powers)), 0x00000000u);
    }
}

TEST(FastStep, IsTheExtendedStepForAnyFloat) {
    SplitMix random(0xF1);
    int wrong = 0;
    for (int i = 0; i < 1'000'000; ++i) {
        const auto x = std::bit_cast<float>(static_cast<std::uint32_t>(random.bits()));
        if (std::isnan(x)) continue;
        wrong += bits(plot::detail::nextX(x)) != bits(plot::detail::nextXExactly(x)) ? 1 : 0;
    }
    EXPECT_EQ(wrong, 0);
}

}  // namespace
