#pragma once
// The floating-point settings the sampling code relies on, in force for as
// long as a SamplingFloatEnvironment lives. The double fast paths (see
// sampling.h) assume every operation rounds to nearest and keeps subnormals;
// a thread may run with other settings (code built with -ffast-math turns on
// flush-to-zero and denormals-are-zero when it loads), and then a subnormal
// float sample would come out as zero. So each sampling entry switches its
// thread to the defaults and gives the thread its own settings back when it
// returns.
//
// On x86 the settings are in MXCSR, on arm64 in FPCR, each read and written
// here directly: a few cycles, where saving, switching and restoring through
// <cfenv> (fegetenv, fesetenv(FE_DFL_ENV)) takes about a quarter of a
// microsecond on x86-64, as it saves and reloads the x87 unit's state too.
// Other processors go through <cfenv>.

#include <cstdint>

#if defined(__x86_64__) || defined(_M_X64) || defined(__i386__) || defined(_M_IX86)
#include <xmmintrin.h>
#define CURVEPLOT_FLOAT_ENVIRONMENT_MXCSR 1
#elif defined(__aarch64__)
#define CURVEPLOT_FLOAT_ENVIRONMENT_FPCR 1
#else
#include <cfenv>
#endif

namespace plot::detail {

class SamplingFloatEnvironment {
public:
#if defined(CURVEPLOT_FLOAT_ENVIRONMENT_MXCSR)
    // Every exception masked, round to nearest, flush-to-zero (bit 15) and
    // denormals-are-zero (bit 6) off; the status flags (bits 0–5) are left
    // as they are.
    static constexpr unsigned kDefault = 0x1F80;
    static constexpr unsigned kFlags = 0x3F;

    SamplingFloatEnvironment() noexcept : saved_(_mm_getcsr()) {
        if ((saved_ & ~kFlags) != kDefault) _mm_setcsr(kDefault | (saved_ & kFlags));
    }
    ~SamplingFloatEnvironment() {
        if ((saved_ & ~kFlags) != kDefault)
            _mm_setcsr((saved_ & ~kFlags) | (_mm_getcsr() & kFlags));
    }

private:
    unsigned saved_;
#elif defined(CURVEPLOT_FLOAT_ENVIRONMENT_FPCR)
    // FPCR 0: round to nearest, flush-to-zero (bit 24) off, no trap enabled,
    // as Linux starts every process.
    SamplingFloatEnvironment() noexcept : saved_(read()) {
        if (saved_ != 0) write(0);
    }
    ~SamplingFloatEnvironment() {
        if (saved_ != 0) write(saved_);
    }

private:
    static std::uint64_t read() {
        std::uint64_t fpcr = 0;
        asm volatile("mrs %0, fpcr" : "=r"(fpcr));
        return fpcr;
    }
    static void write(std::uint64_t fpcr) { asm volatile("msr fpcr, %0" : : "r"(fpcr)); }

    std::uint64_t saved_;
#else
    SamplingFloatEnvironment() noexcept {
        std::fegetenv(&saved_);
        std::fesetenv(FE_DFL_ENV);
    }
    ~SamplingFloatEnvironment() { std::fesetenv(&saved_); }

private:
    std::fenv_t saved_;
#endif

public:
    SamplingFloatEnvironment(const SamplingFloatEnvironment&) = delete;
    SamplingFloatEnvironment& operator=(const SamplingFloatEnvironment&) = delete;
};

}  // namespace plot::detail
