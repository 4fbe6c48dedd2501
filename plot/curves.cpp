#include "plot/curves.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include "plot/float_environment.h"
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

float xAtPassUnderDefaults(std::uint64_t pass) {
    const detail::SamplingFloatEnvironment environment;
    return detail::xAtPass(pass);
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

PassSequence::PassSequence(const Coefficients& coefficients, std::uint64_t firstPass)
    : coefficients_(coefficients), next_(firstPass), x_(xAtPassUnderDefaults(firstPass)) {}

template <class Emit>
void PassSequence::step(std::size_t count, Emit&& emit) {
    detail::PassBlock block;
    for (std::size_t done = 0; done < count; done += block.count) {
        block.count = std::min(block.kCapacity, count - done);
        x_ = detail::stepX(x_, block);
        detail::sampleBlock(coefficients_, block);
        emit(static_cast<const detail::PassBlock&>(block), done);
    }
}

void PassSequence::fill(std::span<Pass> passes) {
    const detail::SamplingFloatEnvironment environment;
    step(passes.size(), [&](const detail::PassBlock& block, std::size_t done) {
        for (std::size_t i = 0; i < block.count; ++i, ++next_)
            passes[done + i] = {block.x[i], detail::counterAt(0, next_),
                                detail::counterAt(10, next_), block.y1[i], block.y2[i]};
    });
}

void PassSequence::fill(std::span<float> y1, std::span<float> y2) {
    if (y1.size() != y2.size())
        throw std::invalid_argument("PassSequence::fill: y1 and y2 differ in size");
    const detail::SamplingFloatEnvironment environment;
    step(y1.size(), [&](const detail::PassBlock& block, std::size_t done) {
        const auto at = static_cast<std::ptrdiff_t>(done);
        std::copy_n(block.y1.begin(), block.count, y1.begin() + at);
        std::copy_n(block.y2.begin(), block.count, y2.begin() + at);
    });
    next_ += y1.size();
}

}  // namespace plot
