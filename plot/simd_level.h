#pragma once
// The vector units sampling can run on. Each sampling entry takes the level
// as a parameter (default: the widest this processor has, found once); every
// level gives the same samples to the bit, since IEEE double operations
// round the same at any width.
//
// The baseline is portable C++ that the compiler vectorizes for the
// architecture's baseline unit (SSE2 on x86-64, ASIMD on arm64). The wider
// levels are built with Google Highway, all into the one program, each for
// its own unit, and chosen at run time by what the processor reports; a
// build without Highway (the Windows one) has the baseline only.

#include <span>

namespace plot {

enum class SimdLevel {
    kBaseline,  // SSE2 on x86-64, ASIMD on arm64
    kAvx2,      // x86-64: 4 doubles
    kAvx512,    // x86-64: AVX-512 F, VL, DQ and BW, 8 doubles
    kSve,       // arm64: the Scalable Vector Extension, as wide as the processor's
};

// The levels of this processor architecture, narrowest first, whether or not
// this program or processor has them.
std::span<const SimdLevel> architectureLevels();

// "sse2", "avx2", "avx512", "asimd", "sve" ("baseline" elsewhere).
const char* levelName(SimdLevel level);

// Whether this program is built with the level and this processor runs it.
bool levelAvailable(SimdLevel level);

// The widest available level.
SimdLevel bestSimdLevel();

}  // namespace plot
