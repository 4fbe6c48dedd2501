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

#include <cfloat>
#include <cstdint>

#include "plot/sample_kernel.h"

HWY_BEFORE_NAMESPACE();
namespace plot::detail::HWY_NAMESPACE {
namespace hn = hwy::HWY_NAMESPACE;

using D = hn::ScalableTag<double>;
using DF = hn::Rebind<float, D>;
using DI = hn::RebindToSigned<D>;
using V = hn::Vec<D>;
using M = hn::Mask<D>;

// x and its powers, and their Veltkamp halves once a lane needs them.
struct PowersV {
    V x[5];  // x[1] … x[4]: x, x², x³, x⁴ (x[0] unused)
    V hi[5], lo[5];
    bool split = false;

    void halve(D d) {
        if (split) return;
        for (int k = 2; k <= 4; ++k) {
            const V scaled = hn::Mul(x[k], hn::Set(d, 134217729.0));
            hi[k] = hn::Sub(scaled, hn::Sub(scaled, x[k]));
            lo[k] = hn::Sub(x[k], hi[k]);
        }
        split = true;
    }
};

HWY_INLINE M SumExact(V a, V b, V s) {
    return hn::And(hn::Eq(hn::Sub(s, a), b), hn::Eq(hn::Sub(s, b), a));
}

// One curve at one vector of passes: the float samples, and in `settled` the
// lanes whose sample they are (by the bound, or because the double
// evaluation is exact).
HWY_INLINE hn::Vec<DF> SampleCurve(D d, const float (&coefficients)[5], PowersV& p, M& settled) {
    const DF df;
    const DI di;
    V c[5];
    for (int k = 0; k < 5; ++k) c[k] = hn::Set(d, static_cast<double>(coefficients[k]));
    const V t0 = c[0];
    const V t1 = hn::Mul(c[1], p.x[1]);
    const V t2 = hn::Mul(c[2], p.x[2]);
    const V t3 = hn::Mul(c[3], p.x[3]);
    const V t4 = hn::Mul(c[4], p.x[4]);
    const V s1 = hn::Add(t1, t0);
    const V s2 = hn::Add(t2, s1);
    const V s3 = hn::Add(s2, t3);
    const V y = hn::Add(s3, t4);
    const V size = hn::Add(
        hn::Add(hn::Add(hn::Abs(t2), hn::Add(hn::Abs(t1), hn::Abs(t0))), hn::Abs(t3)), hn::Abs(t4));
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
        M exact = hn::And(hn::And(SumExact(t1, t0, s1), SumExact(t2, s1, s2)),
                          hn::And(SumExact(s2, t3, s3), SumExact(s3, t4, y)));
        const V terms[5] = {t0, t1, t2, t3, t4};
        for (int k = 2; k <= 4; ++k)
            exact = hn::And(
                exact, hn::Eq(hn::Sub(terms[k], hn::Mul(c[k], p.hi[k])), hn::Mul(c[k], p.lo[k])));
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
HWY_INLINE std::size_t SampleVector(const Coefficients& c, const float* x, float* y1, float* y2,
                                    std::size_t first, std::size_t valid, std::uint32_t* open,
                                    std::size_t listed) {
    const D d;
    const DF df;
    PowersV p;
    p.x[1] = hn::PromoteTo(d, hn::LoadU(df, x));
    p.x[2] = hn::Mul(p.x[1], p.x[1]);
    p.x[3] = hn::Mul(p.x[2], p.x[1]);
    p.x[4] = hn::Mul(p.x[2], p.x[2]);
    M settled1, settled2;
    hn::StoreU(SampleCurve(d, c.a, p, settled1), df, y1);
    hn::StoreU(SampleCurve(d, c.b, p, settled2), df, y2);
    listed = ListOpen(d, hn::Not(settled1), first, valid, 0, open, listed);
    return ListOpen(d, hn::Not(settled2), first, valid, 1, open, listed);
}

std::size_t SampleKernelHwy(const Coefficients& c, const float* x, std::size_t n, float* y1,
                            float* y2, std::uint32_t* open) {
    const std::size_t lanes = hn::Lanes(D());
    std::size_t i = 0, listed = 0;
    for (; i + lanes <= n; i += lanes)
        listed = SampleVector(c, x + i, y1 + i, y2 + i, i, lanes, open, listed);
    if (i < n) {  // the last passes through a full vector's room
        HWY_ALIGN float xs[HWY_LANES(double)] = {}, ys1[HWY_LANES(double)], ys2[HWY_LANES(double)];
        const std::size_t rest = n - i;
        for (std::size_t j = 0; j < rest; ++j) xs[j] = x[i + j];
        listed = SampleVector(c, xs, ys1, ys2, i, rest, open, listed);
        for (std::size_t j = 0; j < rest; ++j) {
            y1[i + j] = ys1[j];
            y2[i + j] = ys2[j];
        }
    }
    return listed;
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
