#include "bench/click_phases.h"

#include <algorithm>
#include <bit>
#include <vector>

#include "bench/bench_clock.h"
#include "plot/sampling.h"
#include "series/ExtentIndex.h"
#include "series/PointValues.h"

namespace bench {
namespace {

using plot::detail::PassBlock;

std::uint32_t bitsOf(float v) { return std::bit_cast<std::uint32_t>(v); }

}  // namespace

ClickPhases measureClickPhases(const plot::Coefficients& c, std::uint64_t passes) {
    ClickPhases phases;
    std::vector<float> xs(passes), y1(passes), y2(passes);
    std::uint32_t sink = 0;

    // x of every pass, a block at a time, as the sampling loop steps it.
    auto start = Clock::now();
    PassBlock block;
    float x = 0;
    for (std::uint64_t done = 0; done < passes; done += block.count) {
        block.count =
            static_cast<std::size_t>(std::min<std::uint64_t>(block.kCapacity, passes - done));
        x = plot::detail::stepX(x, block);
        std::copy_n(block.x.begin(), block.count, xs.begin() + static_cast<std::ptrdiff_t>(done));
    }
    phases.xMs = msSince(start);

    // Both curves' samples from the x above, open samples decided as the loop does.
    start = Clock::now();
    for (std::uint64_t done = 0; done < passes; done += block.count) {
        block.count =
            static_cast<std::size_t>(std::min<std::uint64_t>(block.kCapacity, passes - done));
        std::copy_n(xs.begin() + static_cast<std::ptrdiff_t>(done), block.count, block.x.begin());
        plot::detail::sampleBlock(c, block);
        const auto at = static_cast<std::ptrdiff_t>(done);
        std::copy_n(block.y1.begin(), block.count, y1.begin() + at);
        std::copy_n(block.y2.begin(), block.count, y2.begin() + at);
    }
    const double samplingMs = msSince(start);

    // The open samples alone, through the extended arithmetic.
    std::vector<std::pair<std::uint64_t, int>> open;
    for (std::uint64_t k = 0; k < passes; ++k) {
        const plot::detail::Powers powers = plot::detail::powersOf(xs[k]);
        bool certain1 = false, certain2 = false;
        plot::detail::boundedSample(c.a, powers, certain1);
        plot::detail::boundedSample(c.b, powers, certain2);
        if (!certain1) open.emplace_back(k, 0);
        if (!certain2) open.emplace_back(k, 1);
    }
    start = Clock::now();
    for (const auto& [k, curve] : open)
        sink ^= bitsOf(
            plot::detail::sampleUncertain(curve == 0 ? c.a : c.b, plot::detail::powersOf(xs[k])));
    phases.extendedMs = msSince(start);
    phases.certifiedMs = samplingMs - phases.extendedMs;
    phases.openSamples = open.size();

    // The samples written into fresh point stores, a sampling block at a time.
    constexpr std::size_t kBlock = plot::kSampleBlockPasses;
    start = Clock::now();
    {
        series::PointValues values1, values2;
        values1.reserveMore(passes);
        values2.reserveMore(passes);
        values1.grow(passes);
        values2.grow(passes);
        for (std::uint64_t done = 0; done < passes; done += kBlock) {
            const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(kBlock, passes - done));
            values1.write(done, std::span<const float>(y1).subspan(done, n));
            values2.write(done, std::span<const float>(y2).subspan(done, n));
        }
        phases.storingMs = msSince(start);
    }

    // The extent index over both series, blocks taken as the samples arrive.
    start = Clock::now();
    for (const std::vector<float>* y : {&y1, &y2}) {
        series::ExtentIndex index;
        index.reserveFor(passes);
        index.grow(passes);
        constexpr std::size_t kFan = series::ExtentIndex::kFanOut;
        for (std::size_t b = 0; (b + 1) * kFan <= passes; ++b)
            index.setBlock(b, std::span<const float>(*y).subspan(b * kFan, kFan));
        index.update(std::span<const float>(*y));
        sink ^= bitsOf(static_cast<float>(index.extent(std::span<const float>(*y), 0, passes).max));
    }
    phases.lodMs = msSince(start);
    phases.sink = sink;
    return phases;
}

}  // namespace bench
