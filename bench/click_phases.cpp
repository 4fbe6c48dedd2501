#include "bench/click_phases.h"

#include <algorithm>
#include <bit>
#include <vector>

#include "bench/bench_clock.h"
#include "plot/sample_kernel.h"
#include "plot/sampling.h"
#include "series/SeriesPoints.h"

namespace bench {
namespace {

using plot::detail::kBlockPasses;

std::uint32_t bitsOf(float v) { return std::bit_cast<std::uint32_t>(v); }

std::size_t blockAt(std::uint64_t done, std::uint64_t passes) {
    return static_cast<std::size_t>(std::min<std::uint64_t>(kBlockPasses, passes - done));
}

// A fresh pair of series with room for `passes` points each, as a click makes them.
struct FreshSeries {
    explicit FreshSeries(std::uint64_t passes) {
        for (series::SeriesPoints& p : points) p.reserveMore(passes);
    }
    series::SeriesPoints points[2];
};

}  // namespace

ClickPhases measureClickPhases(const plot::Coefficients& c, std::uint64_t passes) {
    ClickPhases phases;
    std::vector<float> xs(passes), y1(passes), y2(passes);
    std::uint32_t sink = 0;
    const plot::detail::SampleKernel kernel = plot::detail::kernelFor(plot::bestSimdLevel());

    auto start = Clock::now();
    for (std::uint64_t done = 0; done < passes; done += kBlockPasses)
        plot::detail::fillX(done, std::span<float>(xs).subspan(done, blockAt(done, passes)));
    phases.xMs = msSince(start);

    // The kernel alone: samples into memory already in use, the open ones listed.
    std::vector<std::uint32_t> open(2 * kBlockPasses), listed;
    start = Clock::now();
    for (std::uint64_t done = 0; done < passes; done += kBlockPasses) {
        const std::size_t n = kernel(c, xs.data() + done, blockAt(done, passes), y1.data() + done,
                                     y2.data() + done, open.data());
        for (std::size_t k = 0; k < n; ++k) open[k] += static_cast<std::uint32_t>(2 * done);
        listed.insert(listed.end(), open.begin(), open.begin() + static_cast<std::ptrdiff_t>(n));
    }
    phases.certifiedMs = msSince(start);
    start = Clock::now();
    for (const std::uint32_t k : listed)
        sink ^= bitsOf(plot::detail::sampleUncertain(k % 2 == 0 ? c.a : c.b,
                                                     plot::detail::powersOf(xs[k / 2])));
    phases.extendedMs = msSince(start);
    phases.extendedSamples = listed.size();
    for (std::uint64_t k = 0; k < passes; ++k) {
        const plot::detail::Powers powers = plot::detail::powersOf(xs[k]);
        bool certain1 = false, certain2 = false;
        plot::detail::boundedSample(c.a, powers, certain1);
        plot::detail::boundedSample(c.b, powers, certain2);
        phases.openSamples += (certain1 ? 0u : 1u) + (certain2 ? 0u : 1u);
    }

    // The same samples written straight into fresh point stores: what that
    // costs beyond writing them into memory in use is the storing.
    {
        FreshSeries fresh(passes);
        auto batch1 = fresh.points[0].appendBatch(passes, {0, 16777216}, 0);
        auto batch2 = fresh.points[1].appendBatch(passes, {10, 16777216}, 0);
        const std::span<float> into1 = batch1.destination(), into2 = batch2.destination();
        start = Clock::now();
        for (std::uint64_t done = 0; done < passes; done += kBlockPasses)
            plot::detail::sampleBlock(c, xs.data() + done, blockAt(done, passes),
                                      into1.data() + done, into2.data() + done, kernel);
        phases.storingMs = msSince(start) - phases.certifiedMs - phases.extendedMs;

        // The extent index over both, a sampling block at a time as the click does.
        constexpr std::size_t kBlock = plot::kSampleBlockPasses;
        start = Clock::now();
        for (std::uint64_t done = 0; done < passes; done += kBlock) {
            const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(kBlock, passes - done));
            batch1.write(done, into1.subspan(done, n));
            batch2.write(done, into2.subspan(done, n));
        }
        batch1.finish();
        batch2.finish();
        phases.lodMs = msSince(start);
        sink ^= bitsOf(static_cast<float>(fresh.points[0].extent().max));
    }
    phases.sink = sink;
    return phases;
}

}  // namespace bench
