#pragma once
// The curve arithmetic as it was first written, on native long double,
// changed only as a header needs (inline functions, a named namespace): the
// source of tests/data/expected_bits.txt and its check on x86. It shares no
// code with plot/, and gives the bits the file holds only where long double
// is the x87 80-bit format.

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>

namespace x87 {

using Extended = long double;

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
inline Coefficients deriveCoefficients(const Parameters& parameters);

// The number of passes the sampling loop makes. A pass runs while Span1 ≥ count1
// or Span2 ≥ count2; a counter stuck at kCounterLimit keeps the loop going for
// one pass at that value and no longer, so the count never exceeds 2^24 + 1.
inline std::uint64_t passCount(const Parameters& parameters);

namespace detail {

// x², x³ and x⁴ as correctly rounded doubles. x has 24 significant bits, so
// x·x is exact in a double, and x²·x and x²·x² are one correctly rounded
// product each. (The C library's pow is not correctly rounded in every case
// and differs between libraries; these products are the same everywhere.)
struct Powers {
    double x1, x2, x3, x4;
};
inline Powers powersOf(float x) {
    const double x1 = static_cast<double>(x);
    const double x2 = x1 * x1;
    return {x1, x2, x2 * x1, x2 * x2};
}

// c0 + c1·x + c2·x² + c3·x³ + c4·x⁴ summed as ((c2·x² + (c1·x + c0)) + c3·x³) + c4·x⁴,
// every product and sum in extended precision.
inline Extended evaluate(const float (&c)[5], const Powers& p) {
    const auto e = [](auto v) { return static_cast<Extended>(v); };
    return ((e(c[2]) * e(p.x2) + (e(c[1]) * e(p.x1) + e(c[0]))) + e(c[3]) * e(p.x3)) +
           e(c[4]) * e(p.x4);
}

// The loop itself: n passes, x growing by the double nearest 0.1 (sum in
// extended, stored as a float), the counters by 1 (stored as floats).
template <class Visit>
void runPasses(const Coefficients& c, std::uint64_t n, Visit&& visit) {
    float x = 0.0f;
    float count1 = 0.0f;
    float count2 = 10.0f;
    for (std::uint64_t k = 0; k < n; ++k) {
        const Powers powers = powersOf(x);
        const Pass pass{x, count1, count2, static_cast<float>(evaluate(c.a, powers)),
                        static_cast<float>(evaluate(c.b, powers))};
        visit(pass);
        x = static_cast<float>(static_cast<Extended>(x) + static_cast<Extended>(0.1));
        count1 = static_cast<float>(static_cast<Extended>(count1) + 1.0L);
        count2 = static_cast<float>(static_cast<Extended>(count2) + 1.0L);
    }
}

// True when no pass of n can give a sample beyond a finite float. A cheap
// bound: |y| ≤ Σ|c_i|·X^i with X at least the largest x the loop reaches.
inline bool samplesSurelyFinite(const Coefficients& c, std::uint64_t n);

[[noreturn]] inline void throwTooLarge(float x);

}  // namespace detail

// Calls visit(const Pass&) once per pass, in order. Throws PlotError before
// the first call when any pass would give a sample that is not a finite float,
// so a caller that stores the passes stores nothing on error.
template <class Visit>
void sampleCurves(const Parameters& parameters, const Coefficients& coefficients, Visit&& visit) {
    const std::uint64_t n = passCount(parameters);
    if (!detail::samplesSurelyFinite(coefficients, n)) {
        // Rare (samples near 1e38): find the first bad pass by a dry run.
        detail::runPasses(coefficients, n, [](const Pass& pass) {
            if (!(std::abs(pass.y1) <= std::numeric_limits<float>::max()) ||
                !(std::abs(pass.y2) <= std::numeric_limits<float>::max()))
                detail::throwTooLarge(pass.x);
        });
    }
    detail::runPasses(coefficients, n, visit);
}

namespace local {

inline float storedCoefficient(Extended value) {
    const float stored = static_cast<float>(value);
    if (!std::isfinite(stored)) throw PlotError("The curve coefficients are too large to plot");
    return stored;
}

// Passes for which `span ≥ counter` holds when the counter starts at `start`
// and grows by 1 per pass: whole counter values from start up to span, and
// once the counter is stuck at kCounterLimit, the one pass at that value.
inline std::uint64_t passesAdmittedBy(Extended span, Extended start) {
    constexpr auto limit = static_cast<Extended>(kCounterLimit);
    if (!(span >= start)) return 0;
    const Extended last = span >= limit ? limit : std::floor(span);
    return static_cast<std::uint64_t>(last - start) + 1;
}

}  // namespace local

inline Coefficients deriveCoefficients(const Parameters& p) {
    if (p.omaga == 0) throw PlotError("Omaga must not be zero");
    Coefficients c{};
    c.a[3] = local::storedCoefficient((p.vramp * p.span1) / p.omaga);
    c.a[4] = local::storedCoefficient(((p.vramp * -0.5L) * p.span1) / p.omaga);
    c.b[0] = local::storedCoefficient(((p.vramp * 0.5L) * p.span1) / p.omaga);
    c.b[1] = local::storedCoefficient((p.vramp * p.span2) / p.omaga);
    return c;
}

inline std::uint64_t passCount(const Parameters& p) {
    return std::max(local::passesAdmittedBy(p.span1, 0), local::passesAdmittedBy(p.span2, 10));
}

namespace detail {

inline bool samplesSurelyFinite(const Coefficients& c, std::uint64_t n) {
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

inline void throwTooLarge(float x) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, x).ptr;
    throw PlotError("The curves grow too large to plot (at x = " + std::string(text, end) + ")");
}

}  // namespace detail
}  // namespace x87
