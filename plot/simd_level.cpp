#include "plot/simd_level.h"

#include "plot/sample_kernel.h"

namespace plot {

std::span<const SimdLevel> architectureLevels() {
#if defined(__x86_64__) || defined(_M_X64)
    static constexpr SimdLevel kLevels[] = {SimdLevel::kBaseline, SimdLevel::kAvx2,
                                            SimdLevel::kAvx512};
#elif defined(__aarch64__)
    static constexpr SimdLevel kLevels[] = {SimdLevel::kBaseline, SimdLevel::kSve};
#else
    static constexpr SimdLevel kLevels[] = {SimdLevel::kBaseline};
#endif
    return kLevels;
}

const char* levelName(SimdLevel level) {
    switch (level) {
        case SimdLevel::kBaseline:
#if defined(__x86_64__) || defined(_M_X64)
            return "sse2";
#elif defined(__aarch64__)
            return "asimd";
#else
            return "baseline";
#endif
        case SimdLevel::kAvx2:
            return "avx2";
        case SimdLevel::kAvx512:
            return "avx512";
        case SimdLevel::kSve:
            return "sve";
    }
    return "unknown";
}

bool levelAvailable(SimdLevel level) {
    return level == SimdLevel::kBaseline || detail::vectorKernel(level) != nullptr;
}

SimdLevel bestSimdLevel() {
    static const SimdLevel best = [] {
        SimdLevel widest = SimdLevel::kBaseline;
        for (const SimdLevel level : architectureLevels())
            if (levelAvailable(level)) widest = level;
        return widest;
    }();
    return best;
}

}  // namespace plot
