#include "plot/sample_kernel.h"

#include <array>

#include "plot/sampling.h"

namespace plot::detail {

// The bound's verdicts first, in a branch-free loop the compiler vectorizes;
// then the list of what it leaves open.
std::size_t portableKernel(const Coefficients& c, const float* x, std::size_t n, float* y1,
                           float* y2, std::uint32_t* open) {
    const Coefficients local = c;  // not aliasing the outputs, for the vectorizer
    std::array<std::uint32_t, kBlockPasses> certain;
    std::size_t listed = 0;
    for (std::size_t from = 0; from < n; from += kBlockPasses) {
        const std::size_t count = n - from < kBlockPasses ? n - from : kBlockPasses;
        for (std::size_t i = 0; i < count; ++i) {
            const Powers powers = powersOf(x[from + i]);
            bool certain1 = false, certain2 = false;
            y1[from + i] = boundedSample(local.a, powers, certain1);
            y2[from + i] = boundedSample(local.b, powers, certain2);
            certain[i] = (certain1 ? 1u : 0u) | (certain2 ? 2u : 0u);
        }
        for (std::size_t i = 0; i < count; ++i) {
            const auto at = static_cast<std::uint32_t>(2 * (from + i));
            if ((certain[i] & 1) == 0) open[listed++] = at;
            if ((certain[i] & 2) == 0) open[listed++] = at + 1;
        }
    }
    return listed;
}

#if !CURVEPLOT_HAVE_HIGHWAY
SampleKernel vectorKernel(SimdLevel) { return nullptr; }
#endif

void sampleBlock(const Coefficients& c, const float* x, std::size_t n, float* y1, float* y2,
                 SampleKernel kernel) {
    std::array<std::uint32_t, 2 * kBlockPasses> open;
    const std::size_t listed = kernel(c, x, n, y1, y2, open.data());
    for (std::size_t k = 0; k < listed; ++k) {
        const std::size_t i = open[k] / 2;
        const Powers powers = powersOf(x[i]);
        if (open[k] % 2 == 0)
            y1[i] = sampleUncertain(c.a, powers);
        else
            y2[i] = sampleUncertain(c.b, powers);
    }
}

}  // namespace plot::detail
