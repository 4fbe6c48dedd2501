#pragma once
// Sampling a block of passes at a vector width (simd_level.h), inside plot/
// (and its tests and benchmarks). A kernel evaluates both curves at many x
// at once with the bound and exactness checks of sampling.h, and lists the
// samples neither settles; sampleBlock then decides those one by one.

#include <cstddef>
#include <cstdint>
#include <span>

#include "plot/curves.h"
#include "plot/simd_level.h"

namespace plot::detail {

// Samples both curves at x[0 … n): y1[i] and y2[i] are the samples, except
// for those listed in open[] as 2·i + curve (curve 0 for y1, 1 for y2), which
// hold placeholders; returns how many are listed (at most 2n).
using SampleKernel = std::size_t (*)(const Coefficients& c, const float* x, std::size_t n,
                                     float* y1, float* y2, std::uint32_t* open);

// The baseline kernel: portable C++ the compiler vectorizes.
std::size_t portableKernel(const Coefficients& c, const float* x, std::size_t n, float* y1,
                           float* y2, std::uint32_t* open);

// The kernel of a level wider than the baseline, when this program has it and
// this processor runs it; null otherwise.
SampleKernel vectorKernel(SimdLevel level);

// The kernel of `level`, the baseline's for a level that is not available.
inline SampleKernel kernelFor(SimdLevel level) {
    const SampleKernel kernel = vectorKernel(level);
    return kernel ? kernel : portableKernel;
}

// Passes sampled at once by sampleBlock.
inline constexpr std::size_t kBlockPasses = 256;

// The samples of the passes whose x are x[0 … n), n ≤ kBlockPasses, into
// y1[0 … n) and y2[0 … n): the kernel, then the samples it leaves open.
void sampleBlock(const Coefficients& c, const float* x, std::size_t n, float* y1, float* y2,
                 SampleKernel kernel);

}  // namespace plot::detail
