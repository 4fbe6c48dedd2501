#include "plot/sampling.h"

#include <algorithm>

#include "plot/x_runs.h"

namespace plot::detail {

Extended evaluateExtended(const float (&c)[5], const Powers& p) {
    const auto e = [](auto v) { return Extended(v); };
    return ((e(c[2]) * e(p.x2) + (e(c[1]) * e(p.x1) + e(c[0]))) + e(c[3]) * e(p.x3)) +
           e(c[4]) * e(p.x4);
}

float nextXExactly(float x) { return (Extended(x) + Extended(0.1)).toFloat(); }

namespace {

// The run holding `pass`.
const XRun& runOf(std::uint64_t pass) {
    const std::span<const XRun> runs = xRuns();
    const auto after =
        std::upper_bound(runs.begin(), runs.end(), pass,
                         [](std::uint64_t p, const XRun& run) { return p < run.firstPass; });
    return *(after - 1);
}

}  // namespace

float xAtPass(std::uint64_t pass) { return xInRun(runOf(pass), pass); }

// Run by run; within a run each x is computed on its own, so the loop
// vectorizes.
void fillX(std::uint64_t firstPass, std::span<float> x) {
    const std::span<const XRun> runs = xRuns();
    std::size_t done = 0;
    while (done < x.size()) {
        const std::uint64_t pass = firstPass + done;
        const XRun& run = runOf(pass);
        const auto next = static_cast<std::size_t>(&run - runs.data()) + 1;
        const std::size_t count = next == runs.size()
                                      ? x.size() - done
                                      : static_cast<std::size_t>(std::min<std::uint64_t>(
                                            x.size() - done, runs[next].firstPass - pass));
        const auto first = static_cast<double>(run.firstX);
        const auto step = static_cast<double>(run.step);
        const auto offset = static_cast<double>(pass - run.firstPass);
        for (std::size_t j = 0; j < count; ++j) {
            const double steps = offset + static_cast<double>(static_cast<std::int32_t>(j));
            x[done + j] = static_cast<float>(first + steps * step);
        }
        done += count;
    }
}

}  // namespace plot::detail
