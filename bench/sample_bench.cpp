// Full-scale sampling: Vramp 10, Span1 16777215, Omaga 10, Span2 10, i.e.
// 16,777,216 passes, each y1 and y2 stored into preallocated arrays, one
// thread. Prints the median of five runs of the pass-by-pass API
// (sampleCurves) and of the block API (PassSequence) at the widest vector
// level, the block API's best of 3 at each level, and the share of
// samples neither the double fast path's bound nor its exactness check
// settles, which the extended arithmetic decides:
//   sample_ns_per_pass <value>
//   sample_block_ns_per_pass <value>
//   sample_block_ns_per_pass level=<sse2, avx2, avx512; asimd, sve> <value>
//   exact_path_fraction <value>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "plot/curves.h"
#include "plot/sampling.h"

namespace {

// The median of five runs, or with `runs` 3 the best of three.
template <class Run>
double nsPerPassOf(std::uint64_t n, Run&& run, int runs = 5) {
    std::vector<double> nsPerPass;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        run();
        const std::chrono::duration<double, std::nano> elapsed =
            std::chrono::steady_clock::now() - start;
        nsPerPass.push_back(elapsed.count() / static_cast<double>(n));
    }
    std::sort(nsPerPass.begin(), nsPerPass.end());
    return nsPerPass[runs == 5 ? 2 : 0];
}

}  // namespace

int main() {
    const plot::Parameters parameters{10, 16777215, 10, 10};
    const plot::Coefficients coefficients = plot::deriveCoefficients(parameters);
    const std::uint64_t n = plot::passCount(parameters);
    double checksum = 0;

    std::vector<double> y1(n), y2(n);
    const double perPass = nsPerPassOf(n, [&] {
        std::size_t i = 0;
        plot::sampleCurves(parameters, coefficients, [&](const plot::Pass& pass) {
            y1[i] = static_cast<double>(pass.y1);
            y2[i] = static_cast<double>(pass.y2);
            ++i;
        });
        checksum += y1[n - 1] + y2[n / 2];
    });

    std::vector<float> block1(n), block2(n);
    const double perPassInBlocks = nsPerPassOf(n, [&] {
        plot::checkSamplesFinite(coefficients, n);
        plot::PassSequence(coefficients, 0).fill(block1, block2);
        checksum += static_cast<double>(block1[n - 1] + block2[n / 2]);
    });

    std::uint64_t exact = 0;
    float x = 0;
    for (std::uint64_t k = 0; k < n; ++k, x = plot::detail::nextX(x)) {
        const plot::detail::Powers powers = plot::detail::powersOf(x);
        const auto count = [&](const float(&c)[5]) {
            bool certain = false;
            plot::detail::boundedSample(c, powers, certain);
            double y = 0;
            exact += !certain && !plot::detail::exactInDouble(c, powers, y) ? 1u : 0u;
        };
        count(coefficients.a);
        count(coefficients.b);
    }

    std::printf("sample_ns_per_pass %.2f\n", perPass);
    std::printf("sample_block_ns_per_pass %.2f\n", perPassInBlocks);
    for (const plot::SimdLevel level : plot::architectureLevels()) {
        if (!plot::levelAvailable(level)) continue;
        const double best = nsPerPassOf(
            n,
            [&] {
                plot::checkSamplesFinite(coefficients, n);
                plot::PassSequence(coefficients, 0, level).fill(block1, block2);
                checksum += static_cast<double>(block1[n - 1] + block2[n / 2]);
            },
            3);
        std::printf("sample_block_ns_per_pass level=%s %.2f\n", plot::levelName(level), best);
    }
    std::printf("exact_path_fraction %.4f\n",
                static_cast<double>(exact) / (2.0 * static_cast<double>(n)));
    std::fprintf(stderr, "(%llu passes per run, checksum %g)\n", static_cast<unsigned long long>(n),
                 checksum);
}
