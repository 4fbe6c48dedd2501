// Protects the shortcuts of the sampling loop over every pass it can make: x
// from the fast step and from the stored runs of x is the x the loop reaches
// stepping from 0 (an independent integer model), and a block started at any
// pass gives what the sequence from pass 0 gives. Slow: each test steps
// through all 16.7 million passes.

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "plot/curves.h"
#include "plot/sampling.h"
#include "plot/x_runs.h"
#include "tests/reference_arithmetic.h"

namespace {

using plot::Coefficients;
using plot::detail::Powers;

std::uint32_t bits(float v) { return std::bit_cast<std::uint32_t>(v); }

// Steps x from 0 with the independent model through every pass up to the
// last run, once for all the tests below, noting x where they need it.
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
    static inline std::map<std::uint64_t, std::vector<float>> xFromStart;
    static inline std::uint64_t fastStepsWrong = 0, runsWrong = 0;

    static void SetUpTestSuite() {
        const plot::detail::XRun& last = plot::detail::xRuns().back();
        float x = 0;
        for (std::uint64_t pass = 0; pass <= last.firstPass + kBlock; ++pass) {
            for (const std::uint64_t start : kStarts)
                if (pass >= start && pass - start < kBlock) xFromStart[start].push_back(x);
            runsWrong += bits(plot::detail::xAtPass(pass)) != bits(x) ? 1u : 0u;
            const float next = reference::nextX(x);
            fastStepsWrong += bits(plot::detail::nextX(x)) != bits(next) ? 1u : 0u;
            x = next;
        }
        // From the last run on x no longer changes (checked below).
        for (const std::uint64_t start : kStarts) xFromStart[start].resize(kBlock, last.firstX);
    }
};

TEST_F(SteppedFromZero, TheFastStepIsRightAtEveryPass) { EXPECT_EQ(fastStepsWrong, 0u); }

TEST_F(SteppedFromZero, TheRunsGiveTheXOfEveryPassAndTheLastIsWhereXStops) {
    EXPECT_EQ(runsWrong, 0u);
    const float last = plot::detail::xRuns().back().firstX;
    EXPECT_EQ(bits(reference::nextX(last)), bits(last));
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
