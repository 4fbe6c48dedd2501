// Protects the shortcuts of the sampling loop: a sample the double fast path
// vouches for is the extended arithmetic's sample; x from the fast step, from
// the guessed steps of a block and from the stored checkpoints is the x the
// loop reaches stepping from 0 (an independent integer model); and a block
// started at any pass gives what the sequence from pass 0 gives.

#include "plot/sampling.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "plot/curves.h"
#include "plot/x_checkpoints.h"
#include "tests/reference_arithmetic.h"
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

// Steps x from 0 with the independent model through every pass up to the
// last checkpoint, once for all the tests below, noting x where they need it.
class SteppedFromZero : public testing::Test {
protected:
    static constexpr std::uint64_t kBlock = 700;  // passes compared per start
    static inline const std::vector<std::uint64_t> kStarts = {
        0,          1,
        255,        256,
        65'535,     65'536,
        65'537,     1'234'567,
        16'777'100, 16'777'215,
        16'777'216, 18'000'000,
        20'000'000, ~std::uint64_t{0} - kBlock};
    static inline std::vector<float> checkpointsSeen;
    static inline std::map<std::uint64_t, std::vector<float>> xFromStart;
    static inline std::uint64_t fastStepsWrong = 0;

    static void SetUpTestSuite() {
        const std::uint64_t spacing = plot::detail::kXCheckpointSpacing;
        const std::uint64_t lastPass = spacing * (plot::detail::xCheckpoints().size() - 1);
        float x = 0;
        for (std::uint64_t pass = 0; pass <= lastPass + kBlock; ++pass) {
            if (pass % spacing == 0) checkpointsSeen.push_back(x);
            for (const std::uint64_t start : kStarts)
                if (pass >= start && pass - start < kBlock) xFromStart[start].push_back(x);
            const float next = reference::nextX(x);
            fastStepsWrong += bits(plot::detail::nextX(x)) != bits(next) ? 1u : 0u;
            x = next;
        }
        // Past the last checkpoint x no longer changes (checked below).
        for (const std::uint64_t start : kStarts)
            xFromStart[start].resize(kBlock, plot::detail::xCheckpoints().back());
    }
};

TEST_F(SteppedFromZero, TheFastStepIsRightAtEveryPass) { EXPECT_EQ(fastStepsWrong, 0u); }

TEST_F(SteppedFromZero, CheckpointsAreTheXOfTheirPassAndTheLastIsWhereXStops) {
    const std::span<const float> checkpoints = plot::detail::xCheckpoints();
    ASSERT_GE(checkpointsSeen.size(), checkpoints.size());
    for (std::size_t i = 0; i < checkpoints.size(); ++i)
        EXPECT_EQ(bits(checkpoints[i]), bits(checkpointsSeen[i])) << "checkpoint " << i;
    EXPECT_EQ(bits(reference::nextX(checkpoints.back())), bits(checkpoints.back()));
    EXPECT_NE(bits(checkpoints[checkpoints.size() - 2]), bits(checkpoints.back()));
}

TEST_F(SteppedFromZero, BlocksFromAnyPassGiveTheSequencesSamplesAndCounters) {
    const std::vector<Coefficients> sets = {
        plot::deriveCoefficients({10, 16777215, 10, 10}),
        plot::deriveCoefficients({-29, 53, 1, 19}),
        {{0.5f, -3.0f, 1e-3f, 2.5e-6f, -1e-12f}, {-7.0f, 0.25f, -1e-4f, 3e-9f, 1e-15f}}};
    for (const Coefficients& c : sets) {
        for (const std::uint64_t start : kStarts) {
            SCOPED_TRACE("from pass " + std::to_string(start));
            std::vector<float> y1(kBlock), y2(kBlock);
            std::vector<plot::Pass> passes(kBlock);
            plot::PassSequence(c, start).fill(y1, y2);
            plot::PassSequence(c, start).fill(passes);
            int wrong = 0;
            for (std::uint64_t k = 0; k < kBlock; ++k) {
                const float x = xFromStart[start][k];
                const Powers powers = plot::detail::powersOf(x);
                const float want1 = plot::detail::sampleExactly(c.a, powers);
                const float want2 = plot::detail::sampleExactly(c.b, powers);
                const std::uint64_t pass = start + k;
                const float count1 = pass >= 16777216 ? 16777216.0f : static_cast<float>(pass);
                const float count2 = pass >= 16777206 ? 16777216.0f : static_cast<float>(pass + 10);
                const plot::Pass& got = passes[k];
                wrong += bits(y1[k]) != bits(want1) || bits(y2[k]) != bits(want2) ||
                         bits(got.x) != bits(x) || bits(got.y1) != bits(want1) ||
                         bits(got.y2) != bits(want2) || got.count1 != count1 ||
                         got.count2 != count2;
            }
            EXPECT_EQ(wrong, 0);
        }
    }
}

}  // namespace
