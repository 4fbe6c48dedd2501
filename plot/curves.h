#pragma once
// The curve arithmetic behind the OK command: four parameters give the
// coefficients of two quartic curves, which are sampled at x = 0, 0.1, 0.2 …
//
// The widths are part of the result. Every product and sum is formed in
// 80-bit extended precision (plot::Extended, the same bits on every
// platform); coefficients, x, the two label counters and the two sample
// values are stored as 32-bit floats. So x drifts the way repeated 32-bit
// rounding makes it drift (1.0000001192 after ten steps), and the counters
// stop growing at 16777216, where adding 1 to a float changes nothing.
//
// What samples here (checkSamplesFinite, PassSequence, sampleInParallel,
// forEachPass, sampleCurves) computes under the default floating-point
// settings, round to nearest with subnormals kept, whatever the calling
// thread has set (such as flush-to-zero, which code built with -ffast-math
// turns on), and gives the thread its own settings back; visitors are called
// under the thread's own settings.

#include <algorithm>
// Nothing here uses <cmath>; it stays because code built against this header
// may use std::isfinite and the like without including <cmath> itself.
#include <cmath>
#include <cstdint>
#include <functional>
#include <iterator>
#include <span>
#include <stdexcept>

#include "plot/extended.h"
#include "plot/simd_level.h"

namespace plot {

struct Parameters {
    Extended vramp, span1, omaga, span2;
};

// Curve 1 is a[0] + a[1]x + a[2]x² + a[3]x³ + a[4]x⁴, curve 2 the same with b.
struct Coefficients {
    float a[5];
    float b[5];
};

// One sample of both curves: Series1 gets (y1, count1), Series2 (y2, count2).
struct Pass {
    float x, count1, count2, y1, y2;
};

// Inputs the chart cannot show: a zero Omaga, or values beyond a finite float.
class PlotError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A counter that reaches this value stays there: 16777216 + 1 rounds back.
inline constexpr float kCounterLimit = 16777216.0f;

// Throws PlotError when Omaga is zero or a coefficient is not a finite float.
Coefficients deriveCoefficients(const Parameters& parameters);

// The number of passes the sampling loop makes. A pass runs while Span1 ≥ count1
// or Span2 ≥ count2; a counter stuck at kCounterLimit keeps the loop going for
// one pass at that value and no longer, so the count never exceeds 2^24 + 1.
std::uint64_t passCount(const Parameters& parameters);

// Throws PlotError, naming the x of the first such pass, when any of the
// first `passes` passes (as many as passCount gives) yields a sample that is
// not a finite float.
void checkSamplesFinite(const Coefficients& coefficients, std::uint64_t passes);

// The passes in order from firstPass on, a block at a time: bit for bit what
// the loop gives when it steps there from pass 0, but without the passes
// before, for filling series in blocks on several threads. Pass k's counters
// are min(k, 2^24) and min(10 + k, 2^24). A sample beyond a finite float comes
// out as ±infinity; checkSamplesFinite first. The samples are computed at
// `level` (simd_level.h; a level not available runs as the baseline), the
// same bits at every level.
class PassSequence {
public:
    PassSequence(const Coefficients& coefficients, std::uint64_t firstPass,
                 SimdLevel level = bestSimdLevel());

    // The next passes.size() passes.
    void fill(std::span<Pass> passes);
    // The samples of the next y1.size() passes (y2 of the same size).
    void fill(std::span<float> y1, std::span<float> y2);

private:
    Coefficients coefficients_;
    std::uint64_t next_;
    SimdLevel level_;
};

// Passes per block handed to sampleInParallel's visitor (the last may be shorter).
inline constexpr std::size_t kSampleBlockPasses = 4096;

using BlockVisitor = std::function<void(std::uint64_t firstPass, std::span<const float> y1,
                                        std::span<const float> y2)>;

// Where sampleInParallel writes the samples: y1 and y2 of as many floats as
// passes, such as a point store's own memory; both empty, blocks of its own.
struct SampleDestination {
    std::span<float> y1, y2;
};

// Samples passes [0, passes) on `threads` threads (0: one per core), in
// blocks of kSampleBlockPasses passes: each thread takes one stretch of whole
// blocks and steps through it, calling visit(firstPass, y1, y2) for each of
// its blocks once its samples are written, so visit runs on several threads
// at once, for different blocks, and must not throw. With a destination the
// samples go straight into it and visit sees them there. The samples are bit
// for bit those of the single loop, whatever the thread count and `level`.
// With one thread (or one core, or when no thread can be started) everything
// runs on the calling thread. Like PassSequence, it does not check for
// samples beyond a finite float: checkSamplesFinite first.
void sampleInParallel(const Coefficients& coefficients, std::uint64_t passes,
                      const BlockVisitor& visit, unsigned threads = 0,
                      SimdLevel level = bestSimdLevel(), SampleDestination into = {}) noexcept;

// Calls visit(const Pass&) for passes [0, passes), in order, without checking
// the samples; sampled at `level`.
template <class Visit>
void forEachPass(const Coefficients& coefficients, std::uint64_t passes, Visit&& visit,
                 SimdLevel level = bestSimdLevel()) {
    PassSequence sequence(coefficients, 0, level);
    Pass block[512];
    for (std::uint64_t done = 0; done < passes;) {
        const auto count =
            static_cast<std::size_t>(std::min<std::uint64_t>(std::size(block), passes - done));
        sequence.fill({block, count});
        for (std::size_t i = 0; i < count; ++i) visit(static_cast<const Pass&>(block[i]));
        done += count;
    }
}

// Calls visit(const Pass&) once per pass, in order, sampled at `level`.
// Throws PlotError before the first call when any pass would give a sample
// that is not a finite float, so a caller that stores the passes stores
// nothing on error.
template <class Visit>
void sampleCurves(const Parameters& parameters, const Coefficients& coefficients, Visit&& visit,
                  SimdLevel level = bestSimdLevel()) {
    const std::uint64_t n = passCount(parameters);
    checkSamplesFinite(coefficients, n);
    forEachPass(coefficients, n, visit, level);
}

}  // namespace plot
