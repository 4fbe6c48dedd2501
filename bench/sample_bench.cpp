// Full-scale sampling: Vramp 10, Span1 16777215, Omaga 10, Span2 10, i.e.
// 16,777,216 passes, each y1 and y2 stored into preallocated arrays.
// Prints the median of five runs: sample_ns_per_pass <value>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "plot/curves.h"

int main() {
    const plot::Parameters parameters{10, 16777215, 10, 10};
    const std::uint64_t n = plot::passCount(parameters);
    std::vector<double> y1(n), y2(n);
    std::vector<double> nsPerPass;
    double checksum = 0;
    for (int run = 0; run < 5; ++run) {
        const auto start = std::chrono::steady_clock::now();
        std::size_t i = 0;
        plot::sampleCurves(parameters, plot::deriveCoefficients(parameters),
                           [&](const plot::Pass& pass) {
                               y1[i] = static_cast<double>(pass.y1);
                               y2[i] = static_cast<double>(pass.y2);
                               ++i;
                           });
        const std::chrono::duration<double, std::nano> elapsed =
            std::chrono::steady_clock::now() - start;
        nsPerPass.push_back(elapsed.count() / static_cast<double>(n));
        checksum += y1[n - 1] + y2[n / 2];
    }
    std::sort(nsPerPass.begin(), nsPerPass.end());
    std::printf("sample_ns_per_pass %.2f\n", nsPerPass[2]);
    std::fprintf(stderr, "(%llu passes per run, checksum %g)\n", static_cast<unsigned long long>(n),
                 checksum);
}
