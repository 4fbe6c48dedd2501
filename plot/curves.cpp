#include "plot/curves.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace plot {
namespace {

float storedCoefficient(Extended value) {
    const float stored = static_cast<float>(value);
    if (!std::isfinite(stored)) throw PlotError("The curve coefficients are too large to plot");
    return stored;
}

// Passes for which `span ≥ counter` holds when the counter starts at `start`
// and grows by 1 per pass: whole counter values from start up to span, and
// once the counter is stuck at kCounterLimit, the one pass at that value.
std::uint64_t passesAdmittedBy(Extended span, Extended start) {
    constexpr Extended limit = kCounterLimit;
    if (!(span >= start)) return 0;
    const Extended last = span >= limit ? limit : std::floor(span);
    return static_cast<std::uint64_t>(last - start) + 1;
}

}  // namespace

Coefficients deriveCoefficients(const Parameters& p) {
    if (p.omaga == 0) throw PlotError("Omaga must not be zero");
    Coefficients c{};
    c.a[3] = storedCoefficient((p.vramp * p.span1) / p.omaga);
    c.a[4] = storedCoefficient(((p.vramp * -0.5L) * p.span1) / p.omaga);
    c.b[0] = storedCoefficient(((p.vramp * 0.5L) * p.span1) / p.omaga);
    c.b[1] = storedCoefficient((p.vramp * p.span2) / p.omaga);
    return c;
}

std::uint64_t passCount(const Parameters& p) {
    return std::max(passesAdmittedBy(p.span1, 0), passesAdmittedBy(p.span2, 10));
}

namespace detail {

bool samplesSurelyFinite(const Coefficients& c, std::uint64_t n) {
    if (n == 0) return true;
    // Each step adds at most 0.1 plus half a unit of x's last place, never more
    // than 0.13125 while x < 2^20; from 2^21 on, x + 0.1 rounds back to x.
    const Extended reach = std::min(static_cast<Extended>(n - 1) * 0.13125L, 2097152.0L);
    const float xMax = std::nextafter(static_cast<float>(reach), 4.0e6f);
    Coefficients magnitude{};
    for (int i = 0; i < 5; ++i) {
        magnitude.a[i] = std::abs(c.a[i]);
        magnitude.b[i] = std::abs(c.b[i]);
    }
    // Rounding is monotone, so the bound evaluated the curves' own way covers
    // every |y| for 0 ≤ x ≤ xMax, after rounding to a float as well.
    const Powers powers = powersOf(xMax);
    return std::isfinite(static_cast<float>(evaluate(magnitude.a, powers))) &&
           std::isfinite(static_cast<float>(evaluate(magnitude.b, powers)));
}

void throwTooLarge(float x) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, x).ptr;
    throw PlotError("The curves grow too large to plot (at x = " + std::string(text, end) + ")");
}

}  // namespace detail
}  // namespace plot
