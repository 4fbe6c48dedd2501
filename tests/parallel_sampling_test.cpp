// Protects sampling on several threads: whatever the thread count (one, two,
// an odd number, more threads than blocks), every pass is handed out exactly
// once and its samples are the single loop's, to the bit.

#include <gtest/gtest.h>

#include <atomic>
#include <bit>
#include <cstdint>
#include <vector>

#include "plot/curves.h"
#include "tests/row_name.h"

namespace {

struct SplitCase {
    const char* name;
    std::uint64_t passes;
    unsigned threads;
};

class ParallelSampling : public testing::TestWithParam<SplitCase> {};

TEST_P(ParallelSampling, HandsOutEveryPassOnceWithTheLoopsSamples) {
    const SplitCase& c = GetParam();
    const plot::Parameters parameters{7, 300, -3, 90000};
    const plot::Coefficients coefficients = plot::deriveCoefficients(parameters);
    std::vector<float> y1(c.passes), y2(c.passes);
    std::vector<std::atomic<int>> handedOut(c.passes);
    plot::sampleInParallel(
        coefficients, c.passes,
        [&](std::uint64_t first, std::span<const float> b1, std::span<const float> b2) {
            for (std::size_t i = 0; i < b1.size(); ++i) {
                y1[first + i] = b1[i];
                y2[first + i] = b2[i];
                ++handedOut[first + i];
            }
        },
        c.threads);

    std::uint64_t k = 0, wrong = 0;
    plot::sampleCurves(
        {7, static_cast<int>(c.passes) - 1, -3, 0}, coefficients, [&](const plot::Pass& pass) {
            wrong += handedOut[k] != 1 ||
                     std::bit_cast<std::uint32_t>(pass.y1) != std::bit_cast<std::uint32_t>(y1[k]) ||
                     std::bit_cast<std::uint32_t>(pass.y2) != std::bit_cast<std::uint32_t>(y2[k]);
            ++k;
        });
    EXPECT_EQ(k, c.passes);
    EXPECT_EQ(wrong, 0u);
}

constexpr std::uint64_t kBlock = plot::kSampleBlockPasses;

INSTANTIATE_TEST_SUITE_P(Curves, ParallelSampling,
                         testing::Values(SplitCase{"NoPass", 0, 2},
                                         SplitCase{"OnePassManyThreads", 1, 8},
                                         SplitCase{"OneThread", 5 * kBlock + 17, 1},
                                         SplitCase{"TwoThreads", 5 * kBlock + 17, 2},
                                         SplitCase{"ThreeThreadsUnevenBlocks", 7 * kBlock - 1, 3},
                                         SplitCase{"MoreThreadsThanBlocks", 3 * kBlock + 1, 16},
                                         // Stretches starting between the stored x checkpoints.
                                         SplitCase{"AcrossCheckpoints", 400'000, 5}),
                         RowName{});

}  // namespace
