// The sampling kernels wider than the baseline, one per vector unit, built
// with Google Highway into this one file: foreach_target.h compiles the code
// below once per target (AVX2 and AVX-512 on x86-64, SVE on arm64), each in
// its own namespace with that unit's instructions enabled, and vectorKernel
// picks one by level. Every lane computes what boundedSample and
// exactInDouble (sampling.h) compute, operation for operation in the same
// order: no fused multiply-add (the build contracts none), round to nearest.

#undef HWY_TARGET_INCLUDE
#define HWY_TARGET_INCLUDE "plot/sample_kernel_highway.cpp"
// Only the levels of simd_level.h: SSSE3 and SSE4 would add nothing over the
// baseline's SSE2 for doubles, and of SVE's variants the plain one does.
#ifndef HWY_DISABLED_TARGETS
#define HWY_DISABLED_TARGETS \
    (HWY_SSSE3 | HWY_SSE4 | HWY_AVX3_DL | HWY_SVE2 | HWY_SVE_256 | HWY_SVE2_128)
#endif
#include <hwy/foreach_target.h>  // must come before highway.h
#include <hwy/highway.h>

#include <bit>
#include <cfloat>
#include <cstdint>
#include <type_traits>
#include <utility>

#include "plot/sample_kernel.h"

HWY_BEFORE_NAMESPACE();
namespace plot::detail::HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

using D = hn::ScalableTag<double>;
using DF = hn::Rebind<float, D>;
using DI = hn::RebindToSigned<D>;
using V = hn::Vec<D>;
using M = hn::Mask<D>;

// Which coefficients of a curve are not zero: bit k for c_k. A zero
// coefficient's term is ±0, and leaving it out of the sums changes neither y
// nor the size once some term is not zero: the sums then never reach −0
// (before the first nonzero term the zeros add up to ±0, which that term
// absorbs exactly; after it a sum is nonzero or +0, which ±0 leaves as it
// is). So a kernel for the curves the tool derives (a3, a4 and b0, b1) skips
// six of the ten terms; it settles a lane as exact only where the size is not
// zero, and leaves the all-zero lanes to the full evaluation.
using Terms = unsigned;
constexpr Terms kAllTerms = 0b11111;
constexpr Terms kToolCurve1 = 0b11000, kToolCurve2 = 0b00011;

constexpr bool has(Terms terms, int k) { return ((terms >> k) & 1) != 0; }

// Calls f(std::integral_constant<int, k>) for each term k of kTerms in
// order, unrolled at compile time, so that every vector stays in a register.
template <Terms kTerms, class F>
HWY_INLINE void forEachTerm(F&& f) {
    [&]<int... k>(std::integer_sequence<int, k...>) {
        (
            [&] {
                if constexpr (has(kTerms, k)) f(std::integral_constant<int, k>());
            }(),
            ...);
    }
    (std::make_integer_sequence<int, 5>());
}

// x and the powers the terms need, and their Veltkamp halves once a lane needs them.
template <Terms kTerms>
struct PowersV {
    V x[5];  // x[1] … x[4]: x, x², x³, x⁴ (x[0] unused)
    V hi[5], lo[5];
    bool split = false;

    void halve(D d) {
        if (split) return;
        forEachTerm<kTerms & 0b11100>([&](auto k) {
            const V scaled = hn::Mul(x[k], hn::Set(d, 134217729.0));
            hi[k] = hn::Sub(scaled, hn::Sub(scaled, x[k]));
            lo[k] = hn::Sub(x[k], hi[k]);
        });
        split = true;
    }
};

HWY_INLINE M SumExact(V a, V b, V s) {
    return hn::And(hn::Eq(hn::Sub(s, a), b), hn::Eq(hn::Sub(s, b), a));
}

// One curve (its terms among kPowers') at one vector of passes: the float
// samples, and in `settled` the lanes whose sample they are (by the bound, or
// because the double evaluation is exact).
template <Terms kTerms, Terms kPowers>
HWY_INLINE hn::Vec<DF> SampleCurve(D d, const float (&coefficients)[5], PowersV<kPowers>& p,
                                   M& settled) {
    const DF df;
    const DI di;
    constexpr int kFirst = std::countr_zero(kTerms);
    V c[5], t[5], before[5], after[5];
    // ((t2 + (t1 + t0)) + t3) + t4 and the same of |t_k|, from t0 up, the
    // sums before and after each term kept for the exactness check.
    V y = hn::Zero(d), size = hn::Zero(d);
    forEachTerm<kTerms>([&](auto k) {
        c[k] = hn::Set(d, static_cast<double>(coefficients[k]));
        t[k] = k == 0 ? c[0] : hn::Mul(c[k], p.x[k]);
        before[k] = y;
        y = k == kFirst ? t[k] : hn::Add(t[k], y);
        size = k == kFirst ? hn::Abs(t[k]) : hn::Add(size, hn::Abs(t[k]));
        after[k] = y;
    });
    const V bound = hn::Add(hn::Mul(size, hn::Set(d, 0x1p-50)), hn::Set(d, 0x1p-1070));
    const V low = hn::Sub(y, bound);
    const V high = hn::Add(y, bound);
    // The float roundings of low and high, compared bit for bit (as doubles,
    // which keep a float's bits apart, signs of zero included).
    const V lowSample = hn::PromoteTo(d, hn::DemoteTo(df, low));
    const V highSample = hn::PromoteTo(d, hn::DemoteTo(df, high));
    const M certain =
        hn::And(hn::And(hn::Ge(low, hn::Set(d, -DBL_MAX)), hn::Le(high, hn::Set(d, DBL_MAX))),
                hn::RebindMask(d, hn::Eq(hn::BitCast(di, lowSample), hn::BitCast(di, highSample))));
    settled = certain;
    if (!hn::AllTrue(d, certain)) {
        p.halve(d);
        M exact = kTerms == kAllTerms ? hn::Eq(y, y) : hn::Gt(size, hn::Zero(d));
        forEachTerm<kTerms>([&](auto k) {
            if constexpr (k != kFirst) exact = hn::And(exact, SumExact(t[k], before[k], after[k]));
            if constexpr (k >= 2)
                exact = hn::And(
                    exact, hn::Eq(hn::Sub(t[k], hn::Mul(c[k], p.hi[k])), hn::Mul(c[k], p.lo[k])));
        });
        settled = hn::Or(certain, exact);
    }
    return hn::DemoteTo(df, hn::IfThenElse(certain, lowSample, y));
}

// Adds lanes [0, valid) of `open` (a mask of pass lanes) to the list.
HWY_INLINE std::size_t ListOpen(D d, M open, std::size_t first, std::size_t valid,
                                std::uint32_t curve, std::uint32_t* list, std::size_t listed) {
    if (hn::AllFalse(d, open)) return listed;
    std::uint8_t bits[(HWY_LANES(double) + 7) / 8] = {};
    hn::StoreMaskBits(d, open, bits);
    for (std::size_t j = 0; j < valid; ++j)
        if ((bits[j / 8] >> (j % 8)) & 1)
            list[listed++] = static_cast<std::uint32_t>(2 * (first + j)) + curve;
    return listed;
}

// Passes [first, first + valid) from one vector of x (valid ≤ the lane count).
template <Terms kTerms1, Terms kTerms2>
HWY_INLINE std::size_t SampleVector(const Coefficients& c, const float* x, float* y1, float* y2,
                                    std::size_t first, std::size_t valid, std::uint32_t* open,
                                    std::size_t listed) {
    constexpr Terms kPowers = kTerms1 | kTerms2;
    const D d;
    const DF df;
    PowersV<kPowers> p;
    p.x[1] = hn::PromoteTo(d, hn::LoadU(df, x));
    if constexpr ((kPowers & 0b11100) != 0) p.x[2] = hn::Mul(p.x[1], p.x[1]);
    if constexpr (has(kPowers, 3)) p.x[3] = hn::Mul(p.x[2], p.x[1]);
    if constexpr (has(kPowers, 4)) p.x[4] = hn::Mul(p.x[2], p.x[2]);
    M settled1, settled2;
    hn::StoreU(SampleCurve<kTerms1>(d, c.a, p, settled1), df, y1);
    hn::StoreU(SampleCurve<kTerms2>(d, c.b, p, settled2), df, y2);
    listed = ListOpen(d, hn::Not(settled1), first, valid, 0, open, listed);
    return ListOpen(d, hn::Not(settled2), first, valid, 1, open, listed);
}

template <Terms kTerms1, Terms kTerms2>
std::size_t SampleAll(const Coefficients& c, const float* x, std::size_t n, float* y1, float* y2,
                      std::uint32_t* open) {
    const std::size_t lanes = hn::Lanes(D());
    std::size_t i = 0, listed = 0;
    for (; i + lanes <= n; i += lanes)
        listed = SampleVector<kTerms1, kTerms2>(c, x + i, y1 + i, y2 + i, i, lanes, open, listed);
    if (i < n) {  // the last passes through a full vector's room
        HWY_ALIGN float xs[HWY_LANES(double)] = {}, ys1[HWY_LANES(double)], ys2[HWY_LANES(double)];
        const std::size_t rest = n - i;
        for (std::size_t j = 0; j < rest; ++j) xs[j] = x[i + j];
        listed = SampleVector<kTerms1, kTerms2>(c, xs, ys1, ys2, i, rest, open, listed);
        for (std::size_t j = 0; j < rest; ++j) {
            y1[i + j] = ys1[j];
            y2[i + j] = ys2[j];
        }
    }
    return listed;
}

Terms termsOf(const float (&coefficients)[5]) {
    Terms terms = 0;
    for (int k = 0; k < 5; ++k)
        if (coefficients[k] != 0) terms |= 1u << k;
    return terms;
}

std::size_t SampleKernelHwy(const Coefficients& c, const float* x, std::size_t n, float* y1,
                            float* y2, std::uint32_t* open) {
    if (termsOf(c.a) == kToolCurve1 && termsOf(c.b) == kToolCurve2)
        return SampleAll<kToolCurve1, kToolCurve2>(c, x, n, y1, y2, open);
    return SampleAll<kAllTerms, kAllTerms>(c, x, n, y1, y2, open);
}

}  // namespace plot::detail::HWY_NAMESPACE
HWY_AFTER_NAMESPACE();

#if HWY_ONCE
namespace plot::detail {

SampleKernel vectorKernel(SimdLevel level) {
    // Asked once: the processor's answer does not change, and asking runs
    // CPUID, which a virtual machine makes cost microseconds.
    static const std::int64_t supported = hwy::SupportedTargets();
    switch (level) {
#if HWY_ARCH_X86_64
        case SimdLevel::kAvx2:
            return (supported & HWY_AVX2) ? HWY_CHOOSE_AVX2(SampleKernelHwy) : nullptr;
        case SimdLevel::kAvx512:
            return (supported & HWY_AVX3) ? HWY_CHOOSE_AVX3(SampleKernelHwy) : nullptr;
#elif HWY_ARCH_ARM_A64
        case SimdLevel::kSve:
            return (supported & HWY_SVE) ? HWY_CHOOSE_SVE(SampleKernelHwy) : nullptr;
#endif
        default:
            return nullptr;
    }
}

}  // namespace plot::detail
#endif
