#pragma once
// One pass of the sampling loop, inside plot/ (and its tests): the powers of
// x, the two samples, the next x and the counters.
//
// The samples are defined by extended arithmetic (every product and sum
// rounded to a 64-bit significand, the result to a float). Computing that in
// software for every pass would be slow, so each sample is first evaluated
// in double together with a proven bound on how far the extended result can
// lie from it; when every value within the bound rounds to the same float,
// that float is the answer, otherwise the extended arithmetic decides.
//
// The double arithmetic here assumes the default floating-point settings
// (round to nearest, subnormals kept); the public entries of curves.h put
// them in force around it (float_environment.h).

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <span>

#include "plot/curves.h"
#include "plot/extended.h"

namespace plot::detail {

// The fast paths below need each double operation rounded once, to double.
// With x87 arithmetic (32-bit x86 without SSE2) doubles would be evaluated in
// extended precision and rounded twice.
static_assert(FLT_EVAL_METHOD == 0, "double arithmetic must be evaluated in double (SSE2)");

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

// The terms c_k·x^k of a curve as doubles: each one correctly rounded product.
struct Terms {
    double t0, t1, t2, t3, t4;
};
inline Terms termsOf(const float (&c)[5], const Powers& p) {
    return {static_cast<double>(c[0]), static_cast<double>(c[1]) * p.x1,
            static_cast<double>(c[2]) * p.x2, static_cast<double>(c[3]) * p.x3,
            static_cast<double>(c[4]) * p.x4};
}

// c0 + c1·x + c2·x² + c3·x³ + c4·x⁴ summed as ((c2·x² + (c1·x + c0)) + c3·x³) + c4·x⁴,
// every product and sum in extended precision: the definition of a sample.
Extended evaluateExtended(const float (&c)[5], const Powers& p);

inline float sampleExactly(const float (&c)[5], const Powers& p) {
    return evaluateExtended(c, p).toFloat();
}

// The same sample from double arithmetic, with `certain` telling whether it
// is certain to be that. Branch-free, so that a loop over passes vectorizes.
//
// Why the bound holds. Both evaluations take the same exact terms
// T_i = c_i·x_i (floats and doubles convert exactly); let S = Σ|T_i|. Each
// term passes through at most five roundings (c1·x: its product and four
// sums), each a relative error of at most u = 2^-53 in double and
// v = 2^-64 in extended, so the double result y and the extended result z
// differ from the exact sum by at most γ₅(u)·S and γ₅(v)·S, where
// γ₅(u) = 5u/(1 − 5u); sums of tiny values are exact in both formats, no
// extended product can underflow (float times double ≥ 2^-1223), and a
// double product that does adds at most 2^-1075. Hence
//     |y − z| ≤ (5·2^-53 + 5·2^-64)(1 + 2^-49)·S + 4·2^-1075.
// The computed size s (the sum of the |t_i| in double) has S ≤ s/(1 − u)^5,
// so |y − z| ≤ 0.6254·2^-50·s + 2^-1072. The bound b = 2^-50·s + 2^-1070
// (one rounding) and the roundings of y − b and y + b (each at most
// u·(|y| + b) ≤ 0.1251·2^-50·s off) leave low ≤ z ≤ high with room to spare.
// Rounding to float is monotone, so float(low) = float(high) means
// float(z) is that float. Signs of zero come out right too: with s = 0 the
// two differ (±2^-1070), and with s > 0 some term is nonzero, so z is not
// −0; float(low) = +0 needs low ≥ 0, hence z ≥ 0, and float(high) = −0
// needs high < 0. Anything not finite fails the range test.
inline float boundedSample(const float (&c)[5], const Powers& p, bool& certain) {
    const auto [t0, t1, t2, t3, t4] = termsOf(c, p);
    const double y = ((t2 + (t1 + t0)) + t3) + t4;
    const double size =
        ((std::abs(t2) + (std::abs(t1) + std::abs(t0))) + std::abs(t3)) + std::abs(t4);
    const double bound = size * 0x1p-50 + 0x1p-1070;
    const double low = y - bound;
    const double high = y + bound;
    const float lowSample = static_cast<float>(low);
    const float highSample = static_cast<float>(high);
    certain = (low >= -DBL_MAX) & (high <= DBL_MAX) &
              (std::bit_cast<std::uint32_t>(lowSample) == std::bit_cast<std::uint32_t>(highSample));
    return lowSample;
}

// Whether the double evaluation above is exact: every product and sum
// error-free. The extended evaluation then takes the same exact values at
// every step (what a double holds exactly, an extended value does), so the
// two agree exactly, signs of zero included, and the sample is float(y): this
// settles, without the extended arithmetic, the samples whose sum lies right on
// a float midpoint, where no bound can. A sum s = a + b is exact when both
// s − a = b and s − b = a (the subtraction from the larger operand is exact,
// so it alone tells). A product c·x is exact when, x split into halves of at
// most 26 bits (Veltkamp: c·hi and c·lo are then exact), t − c·hi = c·lo:
// t and c·hi lie within a factor 2 of each other, so their difference is
// exact. c₁·x and c₀ are exact anyway (24-bit times 24-bit factors), and
// nothing underflows (float x and c give products above 2^-745).
struct Halves {
    double hi, lo;
};
inline Halves halvesOf(double a) {
    const double scaled = a * 134217729.0;  // 2^27 + 1
    const double hi = scaled - (scaled - a);
    return {hi, a - hi};
}
inline bool productExact(float c, double x, double t) {
    const Halves h = halvesOf(x);
    const auto cd = static_cast<double>(c);
    return t - cd * h.hi == cd * h.lo;
}
inline bool sumExact(double a, double b, double s) { return (s - a == b) & (s - b == a); }

inline bool exactInDouble(const float (&c)[5], const Powers& p, double& y) {
    const auto [t0, t1, t2, t3, t4] = termsOf(c, p);
    const double s1 = t1 + t0, s2 = t2 + s1, s3 = s2 + t3;
    y = s3 + t4;
    return productExact(c[2], p.x2, t2) && productExact(c[3], p.x3, t3) &&
           productExact(c[4], p.x4, t4) && sumExact(t1, t0, s1) && sumExact(t2, s1, s2) &&
           sumExact(s2, t3, s3) && sumExact(s3, t4, y);
}

// A sample the bound leaves open: float(y) when the double evaluation is
// exact, otherwise from the extended arithmetic.
inline float sampleUncertain(const float (&c)[5], const Powers& p) {
    double y = 0;
    return exactInDouble(c, p, y) ? static_cast<float>(y) : sampleExactly(c, p);
}

inline float sampleOf(const float (&c)[5], const Powers& p) {
    bool certain = false;
    const float sample = boundedSample(c, p, certain);
    return certain ? sample : sampleUncertain(c, p);
}

// The next x: float(x + 0.1), the sum (0.1 as the nearest double) rounded to
// extended first.
float nextXExactly(float x);

// The same from one double addition s = x + 0.1. Rounding to the nearest
// float depends only on where a value lies among the float midpoints (which
// are doubles and extended values), and rounding to the nearest double or
// extended value never carries a value across one of them: if the exact sum
// lies strictly between two midpoints, so do s and its extended rounding. So
// unless s is itself a midpoint (the exact sum is then within half a double
// ulp of it, and the extended rounding may sit on either side), float(s) is
// the answer. For s in the normal float range, s is a midpoint when the 29
// bits below float precision are 1 followed by zeros.
inline float nextX(float x) {
    const double s = static_cast<double>(x) + 0.1;
    const auto bits = std::bit_cast<std::uint64_t>(s);
    const bool normalFloat = s >= 0x1p-126 && s < 0x1p128;
    if (!normalFloat || (bits & 0x1FFFFFFFu) == 0x10000000u) return nextXExactly(x);
    return static_cast<float>(s);
}

// A counter starting at `start`, after `pass` passes: it counts up by one per
// pass until it reaches kCounterLimit (2^24), where float(2^24 + 1) rounds
// back to 2^24.
inline float counterAt(std::uint64_t start, std::uint64_t pass) {
    constexpr auto kLimit = static_cast<std::uint64_t>(kCounterLimit);
    return pass >= kLimit - start ? kCounterLimit : static_cast<float>(start + pass);
}

// x at any pass, without the passes before (from the runs of x_runs.h).
float xAtPass(std::uint64_t pass);

// x of passes [firstPass, firstPass + x.size()).
void fillX(std::uint64_t firstPass, std::span<float> x);

}  // namespace plot::detail
