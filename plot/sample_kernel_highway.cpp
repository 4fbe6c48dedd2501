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

HWY_INLINE M SumExact(V a, V b, V s) {
    return hn::And(hn::Eq(hn::Sub(s, a), b), hn::Eq(hn::Sub(s, b), a));
}

// The vectors are plain local variables, one per term, handled term by term
// at compile time: SVE's vectors have no size known to the compiler, so they
// cannot be array elements or members.

// Adds term k (where the curve has it) to ((t2 + (t1 + t0)) + t3) + t4 and
// to the same sum of |t_k|, noting the sum after it.
template <Terms kTerms, int k>
HWY_INLINE void AddTerm(V t, V& y, V& size, V& after) {
    if constexpr (has(kTerms, k)) {
        if constexpr (k == std::countr_zero(kTerms)) {
            y = t;
            size = hn::Abs(t);
        } else {
            y = hn::Add(t, y);
            size = hn::Add(size, hn::Abs(t));
        }
        after = y;
    }
}

// `exact` and, where the curve has term k, whether its product c·x and its
// sum (`before` + t = `after`) were exact.
template <Terms kTerms, int k>
HWY_INLINE M AndTermExact(D d, M exact, V c, V x, V t, V before, V after) {
    if constexpr (has(kTerms, k)) {
        if constexpr (k != std::countr_zero(kTerms))
            exact = hn::And(exact, SumExact(t, before, after));
        if constexpr (k >= 2) {
            const V scaled = hn::Mul(x, hn::Set(d, 134217729.0));  // Veltkamp's split
            const V hi = hn::Sub(scaled, hn::Sub(scaled, x));
            const V lo = hn::Sub(x, hi);
            exact = hn::And(exact, hn::Eq(hn::Sub(t, hn::Mul(c, hi)), hn::Mul(c, lo)));
        }
    }
    return exact;
}

// One curve at one vector of passes (x and its powers): the float samples,
// and in `settled` the lanes whose sample they are (by the bound, or because
// the double evaluation is exact).
template <Terms kTerms>
HWY_INLINE hn::Vec<DF> SampleCurve(D d, const float (&coefficients)[5], V x1, V x2, V x3, V x4,
                                   M& settled) {
    const DF df;
    const DI di;
    const auto coefficient = [&](int k) {
        return hn::Set(d, static_cast<double>(coefficients[k]));
    };
    const V c0 = coefficient(0), c1 = coefficient(1), c2 = coefficient(2), c3 = coefficient(3),
            c4 = coefficient(4);
    const V t0 = c0, t1 = hn::Mul(c1, x1), t2 = hn::Mul(c2, x2), t3 = hn::Mul(c3, x3),
            t4 = hn::Mul(c4, x4);
    V y = hn::Zero(d), size = hn::Zero(d);
    V after0 = y, after1 = y, after2 = y, after3 = y, after4 = y;
    AddTerm<kTerms, 0>(t0, y, size, after0);
    AddTerm<kTerms, 1>(t1, y, size, after1);
    AddTerm<kTerms, 2>(t2, y, size, after2);
    AddTerm<kTerms, 3>(t3, y, size, after3);
    AddTerm<kTerms, 4>(t4, y, size, after4);
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
        // The sum before term k is the sum after the curve's previous term.
        const V before1 = after0, before2 = has(kTerms, 1) ? after1 : before1,
                before3 = has(kTerms, 2) ? after2 : before2,
                before4 = has(kTerms, 3) ? after3 : before3;
        M exact = kTerms == kAllTerms ? hn::Eq(y, y) : hn::Gt(size, hn::Zero(d));
        exact = AndTermExact<kTerms, 1>(d, exact, c1, x1, t1, before1, after1);
        exact = AndTermExact<kTerms, 2>(d, exact, c2, x2, t2, before2, after2);
        exact = AndTermExact<kTerms, 3>(d, exact, c3, x3, t3, before3, after3);
        exact = AndTermExact<kTerms, 4>(d, exact, c4, x4, t4, before4, after4);
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
    const V x1 = hn::PromoteTo(d, hn::LoadU(df, x));
    const V x2 = (kPowers & 0b11100) != 0 ? hn::Mul(x1, x1) : hn::Zero(d);
    const V x3 = has(kPowers, 3) ? hn::Mul(x2, x1) : hn::Zero(d);
    const V x4 = has(kPowers, 4) ? hn::Mul(x2, x2) : hn::Zero(d);
    M settled1, settled2;
    hn::StoreU(SampleCurve<kTerms1>(d, c.a, x1, x2, x3, x4, settled1), df, y1);
    hn::StoreU(SampleCurve<kTerms2>(d, c.b, x1, x2, x3, x4, settled2), df, y2);
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
