// Protects sampling from the calling thread's floating-point settings: with
// flush-to-zero and denormals-are-zero on, every sampling entry at every
// vector level, helper threads included, still gives the samples of the default settings (here
// subnormal floats, which those settings would make zero), and the caller's
// settings are as they were afterwards.

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <vector>

#include "plot/curves.h"
#include "plot/decimal.h"
#include "tests/each_level.h"
#include "tests/flush_to_zero.h"

namespace {

std::uint32_t bits(float v) { return std::bit_cast<std::uint32_t>(v); }

TEST_P(EachLevel, CallersFlushToZeroChangesNoSampleAndIsKept) {
    if (!FlushToZero::kAvailable) GTEST_SKIP() << "no flush-to-zero to set on this processor";
    constexpr std::uint64_t kPasses = 3 * plot::kSampleBlockPasses;
    // Coefficients of about 1e-40, subnormal floats: y2 at pass 0 is b0.
    const plot::Parameters parameters{1, kPasses - 1, plot::parseDecimal("1e40").value(), 1};
    const plot::Coefficients c = plot::deriveCoefficients({1, 1, parameters.omaga, 1});
    std::vector<float> want1(kPasses), want2(kPasses);
    plot::PassSequence(c, 0, plot::SimdLevel::kBaseline).fill(want1, want2);
    ASSERT_EQ(bits(want2[0]), 0x00008B61u);

    const FlushToZero flushToZero;
    const std::uint64_t controls = FlushToZero::controls();
    std::vector<float> y1(kPasses), y2(kPasses), parallel1(kPasses), parallel2(kPasses);
    std::vector<plot::Pass> passes(kPasses), visited;
    plot::PassSequence(c, 0, level()).fill(y1, y2);
    plot::PassSequence(c, 0, level()).fill(passes);
    plot::sampleInParallel(
        c, kPasses,
        [&](std::uint64_t first, std::span<const float> b1, std::span<const float> b2) {
            std::copy(b1.begin(), b1.end(), parallel1.begin() + static_cast<std::ptrdiff_t>(first));
            std::copy(b2.begin(), b2.end(), parallel2.begin() + static_cast<std::ptrdiff_t>(first));
        },
        3, level());
    plot::sampleCurves(
        parameters, c, [&](const plot::Pass& pass) { visited.push_back(pass); }, level());
    EXPECT_EQ(FlushToZero::controls(), controls);

    ASSERT_EQ(visited.size(), kPasses);
    std::uint64_t wrong = 0;
    for (std::size_t k = 0; k < kPasses; ++k)
        for (const float y : {y1[k], passes[k].y1, parallel1[k], visited[k].y1})
            wrong += bits(y) != bits(want1[k]);
    for (std::size_t k = 0; k < kPasses; ++k)
        for (const float y : {y2[k], passes[k].y2, parallel2[k], visited[k].y2})
            wrong += bits(y) != bits(want2[k]);
    EXPECT_EQ(wrong, 0u);
}

}  // namespace
