#include "plot/curves.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <string>

#include "plot/float_environment.h"
#include "plot/sample_kernel.h"
#include "plot/sampling.h"

namespace plot {
namespace {

float storedCoefficient(Extended value) {
    const float stored = value.toFloat();
    if (!std::isfinite(stored)) throw PlotError("The curve coefficients are too large to plot");
    return stored;
}

// Passes for which `span ≥ counter` holds when the counter starts at `start`
// and grows by 1 per pass: whole counter values from start up to span, and
// once the counter is stuck at kCounterLimit, the one pass at that value.
std::uint64_t passesAdmittedBy(Extended span, Extended start) {
    const Extended limit(kCounterLimit);
    if (!(span >= start)) return 0;
    const Extended last = span >= limit ? limit : floor(span);
    return (last - start).toUint64() + 1;
}

// True when no pass of n can give a sample beyond a finite float. A cheap
// bound: |y| ≤ Σ|c_i|·X^i with X at least the largest x the loop reaches.
bool samplesSurelyFinite(const Coefficients& c, std::uint64_t n) {
    if (n == 0) return true;
    // Each step adds at most 0.1 plus half a unit of x's last place, never more
    // than 0.13125 while x < 2^20; from 2^21 on, x + 0.1 rounds back to x.
    const double reach = std::min(static_cast<double>(n - 1) * 0.13125, 2097152.0);
    const float xMax = std::nextafter(static_cast<float>(reach), 4.0e6f);
    Coefficients magnitude{};
    for (int i = 0; i < 5; ++i) {
        magnitude.a[i] = std::abs(c.a[i]);
        magnitude.b[i] = std::abs(c.b[i]);
    }
    // Rounding is monotone, so the bound evaluated the curves' own way covers
    // every |y| for 0 ≤ x ≤ xMax, after rounding to a float as well.
    const detail::Powers powers = detail::powersOf(xMax);
    return std::isfinite(detail::sampleExactly(magnitude.a, powers)) &&
           std::isfinite(detail::sampleExactly(magnitude.b, powers));
}

[[noreturn]] void throwTooLarge(float x) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, x).ptr;
    throw PlotError("The curves grow too large to plot (at x = " + std::string(text, end) + ")");
}

}  // namespace

Coefficients deriveCoefficients(const Parameters& p) {
    if (p.omaga == 0) throw PlotError("Omaga must not be zero");
    const Extended half(0.5);
    Coefficients c{};
    c.a[3] = storedCoefficient((p.vramp * p.span1) / p.omaga);
    c.a[4] = storedCoefficient(((p.vramp * -half) * p.span1) / p.omaga);
    c.b[0] = storedCoefficient(((p.vramp * half) * p.span1) / p.omaga);
    c.b[1] = storedCoefficient((p.vramp * p.span2) / p.omaga);
    return c;
}

std::uint64_t passCount(const Parameters& p) {
    return std::max(passesAdmittedBy(p.span1, 0), passesAdmittedBy(p.span2, 10));
}

void checkSamplesFinite(const Coefficients& coefficients, std::uint64_t passes) {
    const detail::SamplingFloatEnvironment environment;
    if (samplesSurelyFinite(coefficients, passes)) return;
    // Rare (samples near 1e38): find the first bad pass by a dry run.
    forEachPass(coefficients, passes, [](const Pass& pass) {
        if (!std::isfinite(pass.y1) || !std::isfinite(pass.y2)) throwTooLarge(pass.x);
    });
}

PassSequence::PassSequence(const Coefficients& coefficients, std::uint64_t firstPass,
                           SimdLevel level)
    : coefficients_(coefficients), next_(firstPass), level_(level) {}

void PassSequence::fill(std::span<Pass> passes) {
    const detail::SamplingFloatEnvironment environment;
    const detail::SampleKernel kernel = detail::kernelFor(level_);
    std::array<float, detail::kBlockPasses> x, y1, y2;
    for (std::size_t done = 0; done < passes.size();) {
        const std::size_t n = std::min(detail::kBlockPasses, passes.size() - done);
        detail::fillX(next_, {x.data(), n});
        detail::sampleBlock(coefficients_, x.data(), n, y1.data(), y2.data(), kernel);
        for (std::size_t i = 0; i < n; ++i, ++next_)
            passes[done + i] = {x[i], detail::counterAt(0, next_), detail::counterAt(10, next_),
                                y1[i], y2[i]};
        done += n;
    }
}

void PassSequence::fill(std::span<float> y1, std::span<float> y2) {
    if (y1.size() != y2.size())
        throw std::invalid_argument("PassSequence::fill: y1 and y2 differ in size");
    const detail::SamplingFloatEnvironment environment;
    const detail::SampleKernel kernel = detail::kernelFor(level_);
    std::array<float, detail::kBlockPasses> x;
    for (std::size_t done = 0; done < y1.size();) {
        const std::size_t n = std::min(detail::kBlockPasses, y1.size() - done);
        detail::fillX(next_ + done, {x.data(), n});
        detail::sampleBlock(coefficients_, x.data(), n, y1.data() + done, y2.data() + done, kernel);
        done += n;
    }
    next_ += y1.size();
}

}  // namespace plot
